#pragma once
// The song's time-signature text and what the time-signature dialog does with it, as plain
// functions. The text holds the numerator and the denominator, each with at least two
// digits: "0404" is 4/4, "0608" is 6/8, "1208" is 12/8. The song's own readers and writer
// of that text are used here: FormatTimeSignature (song/SongModel.h) and GetTimeSigUpper /
// GetTimeSigLower (song/PatternStore.h).
#include "song/PatternStore.h"
#include "song/SongModel.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

inline constexpr int kMinNumerator = 1;
inline constexpr int kMaxNumerator = 64;

// The denominators the dialog offers, in list order: 1, 2, 4, 8, 16, 32, 64.
std::span<const int> TimeSigDenominators();
// The list index of a denominator; -1 when it is not offered.
int DenominatorIndex(int denominator);
// The denominator at a list index; 0 when the index is outside the list (nothing selected).
int DenominatorAt(int index);
// The index the dialog opens with: the denominator's own, or that of 4 when it is not
// offered, so the list always shows a choice ("0403" opens as 4/4).
int OpeningDenominatorIndex(int denominator);

// The Restore button's caption: "%d/%d" padded with blanks and cut to 5 characters.
std::string RestoreCaption(int numerator, int denominator);

// OK: the chosen text from the numerator as typed and the selected list index. The numerator
// is held to 1..64; an unreadable one gives nullopt and the dialog stays open.
std::optional<std::string> TimeSigOnOk(std::string_view numeratorText, int denominatorIndex);

// The presets, each on one row of the dialog: the sign, the notes per bar and the styles
// that use it. The simple times (x/4) are chosen by all three labels; the compound times
// only by their notes-per-bar label.
struct TimeSigPreset {
    int numerator;
    int denominator;
    bool compound;
    const char *sign;
    const char *notesPerBar;
    const char *styles;
};
std::span<const TimeSigPreset> TimeSigPresets();
// The preset a label's text chooses; nullopt for a label that only shows text.
std::optional<TimeSigPreset> PresetForLabel(std::string_view labelText);
