#pragma once
// The chord search: fingerings (voicings) of a chord on a fretted instrument in its tuning,
// within a hand position and a finger reach. It walks the chord's formula records (ChordFormulas.h)
// window by window in a fixed order, so the order of the records, of their degrees and of the
// steps decides which voicings are found and in which order they are listed.
//
//   TChordSearchRequest r;  r.root = "C";  r.typeName = "Major";  r.reach = 4;
//   const TChordSearchOutcome out = CalculateChords(table, r, [&](int found) { return stop; });
//   out.listLines[i]   // "C Major, x,  3,  2,  0,  1,  0, Q": a fretted line for the song
//   out.detailLines[i] // "C Major, -1, 3, 2, 0, 1, 0, , C, E, G, C, E, , 1, 3, 5, 1, 3"
//
// String indexes: 0 is the lowest-pitched string, S-1 the highest (string 1). A banjo's index 0
// is its short string: its open string sounds five half steps above its stored pitch (as the
// line reader plays it), and its frets 1..4 are never offered.
#include "dialogs/chords/ChordFormulas.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

struct TChordSearchRequest {
    std::string root;           // as the caller has it ("C", "F#", "Bb"); detail lines show it so
    std::string typeName;       // standard: a type of the table; user-defined: the formula's name
    bool userDefined = false;   // search `userFormula` instead of the table's rows
    std::string userFormula;    // degree text ("1-3-5"); empty finds nothing
    bool stopAtFirst = false;   // end after the first record that lists a voicing
    int melodyString = -1;      // 1-based from the highest string; -1 none
    std::string melodyNote;     // sharp note name the melody string must sound
    bool melodyChecked = false; // the built-in melody box is checked (the condition holds even
                                // without a note)
    bool noRoot = false;
    bool allowInsideUnplayed = false;
    bool includeOpenStrings = false;
    bool rootOnLowest = false;
    int reach = 4;                // 1..8
    int stringCount = 6;          // S, 0..6
    std::string position = "ALL"; // "ALL" or "0".."11"
    std::string tuningSpelling = "242424242424";
    bool shortFifthString = false;
    std::string duration = "Q"; // the current duration text the list lines end with
};

struct TChordSearchOutcome {
    std::vector<std::string> listLines;   // fretted lines, one per voicing
    std::vector<std::string> detailLines; // the detail line of the same voicing
    int result = 0;                       // voicings listed; 0 after a stop
    bool stopped = false;
    std::string warning;     // the too-many-degrees warning, else empty
    TUnknownDegrees unknown; // degree names the table did not know
};

// Called before each pass, record and grid cell with the number of voicings found so far;
// returning true stops the search there (what was found stays listed).
using TSearchPoll = std::function<bool(int found)>;

TChordSearchOutcome CalculateChords(const TFormulaTable &table, const TChordSearchRequest &request,
                                    const TSearchPoll &poll = {});

// Open-string pitches of indexes 0..S-1 from a tuning spelling: index k reads pair 6-k, as
// pair - 24 + the standard string's offset above low E (0, 5, 10, 15, 19, 24), kept at 0 or
// more. Only the pitch class counts. Pairs that are no number read as 24.
std::array<int, 6> OpenStringPitches(std::string_view spelling, int stringCount);

// The window starts a position names: "ALL" gives 0..11, "n" gives n-1 (0 for "0" and "1").
std::vector<int> PositionWindows(std::string_view position);

// Texts of the search's end.
inline constexpr const char *kCannotCalculateNoRoot =
    "Can not calculate this chord using the current settings.\rTry creating a user-defined chord with fewer "
    "scale degrees in it.";
inline constexpr const char *kCannotCalculate =
    "Can not calculate this chord using the current settings.\rTry the \"Don't use a root\" option. \rIf all "
    "else fails, you can create a user-defined chord with fewer scale degrees in it.";
