#pragma once
// Texts and small decisions of the editor's line commands, as plain functions: the directive
// lines they insert, their questions and messages, and where a duplicated block goes.
#include "song/InstrumentTab.h"

#include <string>
#include <string_view>

namespace linecmd {

// The directive inserts of the Editor menu.
enum class TDirective { Volume, Balance, Instrument, Channel, Delay, Transpose, Tempo };

// "*Volume 100", "*Balance CENTER", "*Instrument PIANO", "*Channel 10" (the tab's 0-based
// channel shown 1-based), "*Delay 0", "*Transpose -2", "*Tempo 120" (the song's tempo).
std::string DirectiveLine(TDirective which, const TInstrumentTab &tab, int songTempo);

inline constexpr std::string_view kNoLines = "There are no lines in the editor";
inline constexpr std::string_view kSelectToTranspose = "Select some lines to transpose";

// The commands that work on a selection and offer to select everything first.
enum class TRangeCommand { Reverse, Randomize, KeepHighest, KeepLowest };
std::string_view SelectAllQuestion(TRangeCommand command);

// "Do you want to clear all notes for Guitar?"
std::string ClearEditorQuestion(std::string_view tabName);

// Lines first..last duplicated: the copies take the block's place and the block follows
// them; the lower block is the one selected afterwards.
struct TLineBlock {
    int First = 0;
    int Last = 0;
    bool operator==(const TLineBlock &) const = default;
};
TLineBlock DuplicatedBlock(int first, int last);

} // namespace linecmd
