#pragma once
// Fretted-instrument line notation: a name, one field per string (lowest string first) and a
// duration, separated by commas ('C, x, 3, 2, 0, 1, 0, Q' on a guitar). A string field is "x"
// (silent), a fret number, or the detailed form fret|duration|volume|fingering ('3|E|90|2').
// Also the line kinds (empty, directive, note line) shared by every reader of tab lines, the
// note field record shared with piano lines, and the plain formatter.
//
// The readers take the line text and the tab's context and return an error text (empty = good);
// they never change the text. The window marks and selects a failing line itself.
#include "song/Durations.h"
#include "song/InstrumentTab.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A number part that is not an integer reads as this value.
inline constexpr int32_t kNotANumber = 0x7FFFFFFF;
inline constexpr int32_t kNoPitch = 255;

// One note field split at "|".
struct TStringOrKeyDat {
    int32_t Number = 0;      // -1 silent, kNotANumber when not an integer
    std::string Duration;    // the field's own duration (details only)
    int32_t Volume = 0;      // kNotANumber when not an integer (details only)
    std::string Fingering;   // everything after the third "|"
    bool HasDetails = false; // all four parts were present
};

// One parsed fretted line. Slot 0 is string 1 (the highest of a six-string neck), slot 5 the
// lowest; a tab with HighestString h uses slots 5-h..5 and the line's first field fills slot 5.
struct TChordDat {
    std::string Name;
    std::array<int32_t, 6> Frets{-1, -1, -1, -1, -1, -1};
    std::array<int32_t, 6> Pitches{kNoPitch, kNoPitch, kNoPitch, kNoPitch, kNoPitch, kNoPitch};
    std::array<std::string, 6> Durations;
    std::array<int32_t, 6> Volumes{};
    std::array<std::string, 6> Fingerings;
    std::array<int32_t, 6> DurationLengths{};
    std::string Duration;       // the line's duration text
    int32_t DurationLength = 0; // in the unit asked for; 0 = invalid
    bool HasDetails = false;

    // Back to the fresh state (keeps the strings' storage).
    void Reset();
    bool operator==(const TChordDat &) const = default;
};

enum class TLineClass { Empty, Directive, Note };
// Decided on the trimmed text: nothing = Empty, first character "*" = Directive, else Note.
TLineClass ClassifyLine(std::string_view line);
bool IsDirectiveLine(std::string_view line);
bool IsBlankLine(std::string_view line);
int CountCommas(std::string_view text);

TStringOrKeyDat SplitNoteField(std::string_view field);
// The duration and volume (1..127) of a field split with details; empty when both are good.
std::string CheckNoteDetails(const TStringOrKeyDat &field);
// Checks one string field (as typed, already trimmed by the line reader) in the order: silent,
// not a number, below -1, above 24, and with details: duration, volume 1..127, fingering
// 1, 2, 3, 4, T or blank.
std::string ParseFretField(std::string_view field, TStringOrKeyDat &out);

// Parses a fretted line under the tab's string count. A blank text is an empty line (Name " ");
// a directive gives its text as Name. Pitches are those of standard tuning (the drum tab: the
// number itself); the builder adds the tuning spelling and the transposes.
std::string ParseChordLine(std::string_view text, TDurationUnit unit, const TLineContext &ctx, TChordDat &chord);

// The plain line: name, ", ", each used string from slot 5 down ("x" or the fret) with ", ",
// then the line's duration. Per-string details are not written.
std::string FormatChordLine(const TChordDat &chord, int highestString);

// One string of a line set to a fret (-1 = silent); that string's duration becomes the line's
// duration. The line is written back in detailed form when it has details. nullopt when the
// line does not parse, is a directive, has a blank name, or the slot is not 0..5.
std::optional<std::string> SetStringFret(std::string_view line, int slot, int fret, const TLineContext &ctx);

// The open pitch of slot 0..5 under a tuning spelling: the standard note + (number - 24); the
// short string's number is stored five below its open pitch. Used to compare sounding notes.
int TuningOffset(std::string_view spelling, int slot);
// The open pitch of slot 0..5 under a spelling (OpenStringNotes + offset); with a short fifth
// string, slot 5 sounds five half steps above its stored number.
int TuningOpenPitch(std::string_view spelling, int slot, bool shortFifthString = false);
// The sounding pitch of slot `slot` of a parsed line under the context's tuning (no transposes);
// kNoPitch for a silent string.
int SoundingPitch(const TChordDat &chord, int slot, const TLineContext &ctx);
