#pragma once
// What the tempo dialog does with the text of its tempo edit, as plain functions: the
// filters that keep the text a tempo while the user types, the steps of the arrow keys and
// the up-down, Half, Double and OK, and the table of tempo marks the dialog shows.
// The edit holds digits only; every reader here takes the raw text.
#include <optional>
#include <span>
#include <string>
#include <string_view>

inline constexpr int kMinTempo = 1;
inline constexpr int kMaxTempo = 500;
// The tempo a song plays at when its own is missing (0 or less).
inline constexpr int kDefaultTempo = 120;

// The tempo the dialog opens with for a song's stored tempo.
int EffectiveSongTempo(int songTempo);

// After each key release: a trimmed text longer than three characters becomes "500", an
// empty one "1"; anything else stays.
std::string TempoTextAfterKeyRelease(std::string_view text);
// After each change: a readable non-zero number is written back in its plain form (leading
// zeros drop away: "0120" becomes "120"); 0 and unreadable text stay as typed.
std::string TempoTextAfterChange(std::string_view text);

// One step of an up-down (or arrow key) over `text`: value + delta when that stays within
// min..max; nullopt (nothing to do) when it would leave the range or the text is unreadable.
std::optional<int> UpDownStep(std::string_view text, int delta, int min, int max);

// Half: value div 2, not held to the range (1 gives 0); nullopt when unreadable.
std::optional<int> HalfTempo(std::string_view text);
// Double: twice the value (unreadable counts as -1), held to 1..500.
int DoubleTempo(std::string_view text);
// OK: the value (unreadable counts as -1); above 500 gives 500, 0 or below gives 1.
int TempoOnOk(std::string_view text);

// One named tempo: the dialog shows a name label and a description label for it, both
// choosing `bpm`.
struct TempoMark {
    int bpm;
    const char *name;
    const char *description;
};
std::span<const TempoMark> TempoMarks();
