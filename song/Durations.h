#pragma once
// Note durations: the symbols W H Q E S T F (whole to sixty-fourth), "." before the letter for
// dotted, "/" for a triplet (one third of the plain value), ties joined by "-" ("Q-E", "Q - E"),
// their lengths in ticks and milliseconds, a line's duration field, and the duration codes a
// tab keeps for its selected duration (1..7, +100 dotted, +1000 triplet).
#include <string>
#include <string_view>

enum class TDurationUnit { Milliseconds = 0, Ticks = 1 };

inline constexpr int kDefaultPpqn = 192;
inline constexpr int kDefaultTempo = 120;

// A tempo of 0 or less counts as 120 beats per minute.
constexpr int NormaliseTempo(int tempo) { return tempo <= 0 ? kDefaultTempo : tempo; }
// Length of a whole note in milliseconds at a tempo: ((60000000 div T) div 1000) * 4
// (2000 at 120).
int WholeNoteMs(int tempo);

// One symbol ("Q", ".q", "/E"; case ignored, no blanks) in ticks at `ppqn` pulses per quarter;
// 0 for anything else.
int DurationToTicks(std::string_view symbol, int ppqn = kDefaultPpqn);
// One symbol in milliseconds for a whole note of `wholeMs`; 0 for anything else.
int DurationToMs(std::string_view symbol, int wholeMs);

// A plain or tied duration text in the unit: 0 when it is not a duration. In milliseconds a
// part may come out as 0 at extreme tempos; validity is decided by ticks (IsValidDuration).
int DurationLength(std::string_view text, TDurationUnit unit, int tempo = kDefaultTempo, int ppqn = kDefaultPpqn);
// DurationLength in milliseconds at a tempo.
int DurationMs(std::string_view text, int tempo = kDefaultTempo);
// Whether a duration text is valid: its length in ticks is not 0, whatever the tempo.
bool IsValidDuration(std::string_view text);

// The duration field of a line: the text after the last comma, trimmed ("" without a comma).
std::string GetDurationField(std::string_view line);
