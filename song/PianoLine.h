#pragma once
// Piano line notation: a name, ten key fields and a duration, exactly 11 commas
// ('C, 48, 52, 55, x, x, x, x, x, x, x, Q'). A key field is empty, "x" (no key), a MIDI note
// 28..107, or the detailed form key|duration|volume|fingering with fingerings L1..L5, R1..R5.
// Keys may stand in any slot.
#include "song/Durations.h"
#include "song/FrettedLine.h"
#include "song/InstrumentTab.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kLowestPianoKey = 28;
inline constexpr int kHighestPianoKey = 107;

struct TPianoRec {
    std::string Name; // the text before the first comma, blanks kept
    std::array<int32_t, 10> Keys{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::string Duration;       // field 11, trimmed
    int32_t DurationLength = 0; // in the unit asked for; 0 = invalid
    bool HasDetails = false;
    std::array<std::string, 10> Durations;
    std::array<int32_t, 10> DurationLengths{};
    std::array<int32_t, 10> Volumes{};
    std::array<std::string, 10> Fingerings;
    bool ParseFailed = false;

    void Reset();
    bool operator==(const TPianoRec &) const = default;
};

// Field n (n >= 1): the text between the n-th and the (n+1)-th comma, trimmed; "X" in any case
// gives "-1"; fewer than n commas give "".
std::string GetLineField(std::string_view line, int n);

// Checks one key field: empty or "x" = no key; not a number; with details: duration, volume
// 1..127, key 107 or lower, key 28 or higher, fingering. A plain key is range-checked by
// ParsePianoLine.
std::string ParsePianoKeyField(std::string_view field, TStringOrKeyDat &out);

// Parses a piano line; returns false (and sets rec.ParseFailed) when it fails. A blank line or a
// directive resets the record and does not fail. When a key field is the cause, `fieldError`
// receives its message; other failures (comma count, duration, a plain key outside 28..107)
// have none of their own, the callers report the line in their own words.
bool ParsePianoLine(std::string_view text, TDurationUnit unit, const TLineContext &ctx, TPianoRec &rec,
                    std::string *fieldError = nullptr);

// The plain line: name, ", ", each slot ("x" or the key) with ", ", then the duration.
std::string FormatPianoLine(const TPianoRec &rec);

// The line with `key` put into its first empty slot (a full line keeps its ten keys) and written
// anew (detailed form when it has details). nullopt for a blank line, a directive or a line that
// does not parse: the caller then leaves the line as it is.
std::optional<std::string> TogglePianoKey(std::string_view line, int key, const TLineContext &ctx);
