#pragma once
// The seven drum beats the drum page offers ready-made. Each beat is a header "NN|J|UULL|Name"
// (NN strings in all, header included; J 1 for the jazzy feel; UULL its time signature) followed by
// NN - 1 cell lines in the pattern store's format.
#include "song/PatternStore.h"

#include <string>
#include <string_view>
#include <vector>

struct BuiltInBeat {
    std::vector<std::string_view> strings; // header first
};

inline constexpr int kBuiltInBeatCount = 7;
// Beats 1..7 ("Rock 1", "Rock 2", "Rock 3/4", "Jazz", "Bossa Nova", "Jazz Waltz", "Country").
const BuiltInBeat &GetBuiltInBeat(int number);
// "None" followed by the seven names, as the built-in beat box lists them.
std::vector<std::string> BuiltInBeatChoices();

int GetBeatLineCount(std::string_view header);             // characters 1-2
int GetBeatJazzyFlag(std::string_view header);             // character 4
std::string GetBeatTimeSignature(std::string_view header); // characters 6-9
std::string GetBeatName(std::string_view header);          // character 11 to the end

// Loads a beat as a new pattern: the drum page takes its feel and time signature (the song's
// TimeSignature is not changed), the grid is resized, a list line with a fresh id is inserted after
// the current item (at 0 when there is none) and its block appended to the store; the new item
// becomes current and selected and is loaded into the grid.
void LoadBuiltInBeat(DrumPart &drums, const BuiltInBeat &beat);

// The built-in beat box changed to `choice` (0 "None", 1..7): slots back to their defaults, every
// pattern deselected, the beat loaded. The window then marks the Drums tab modified.
void ChooseBuiltInBeat(DrumPart &drums, int choice);
