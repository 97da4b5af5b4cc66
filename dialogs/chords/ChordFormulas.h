#pragma once
// The chord vocabulary of the chord calculator: the table of named chord formulas (type name,
// short name and scale degrees such as "1-b3-5-b7"), the degree arithmetic, the spelling of a
// formula for a root, the inversions the search walks, the user's own formula rows read from
// "User_Chord_Formulas.txt", and the formula a user builds from the 21 degree check boxes.
//
//   TFormulaTable table;                                  // the 75 built-in rows
//   table.AddUserRows(LoadUserFormulaFile(folder + "/User_Chord_Formulas.txt").rows);
//   TUnknownDegrees unknown;
//   for (const TCFormula &f : table.FindFormulasByName("C", "minor 7", unknown)) ...
//
// Pitch classes count from E (E 0, F 1, ... D# 11); note names are the sharp names.
// No Qt here: the rules are tested directly.
#include "song/ChordDegrees.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMaxFormulaDegrees = 13;
// One search makes at most this many formula records (the 150th ends the filling).
inline constexpr int kMaxFormulaRecords = 149;
inline constexpr std::string_view kUserFormulaFileName = "User_Chord_Formulas.txt";
// A formula row is a few dozen bytes: a larger user file is no formula file.
inline constexpr size_t kMaxUserFormulaFileBytes = size_t(1) << 20;

// One spelled formula.
struct TCFormula {
    std::array<std::string, kMaxFormulaDegrees> NoteNames; // note of each degree for the root
    std::array<std::string, kMaxFormulaDegrees> Degrees;   // degree names in formula order
    int Count = 0;                                         // degrees in use
    std::string ShortName;                                 // "m7"
    std::string TypeName;                                  // "minor 7"
    std::string FormulaText;                               // "1-b3-5-b7"

    bool operator==(const TCFormula &) const = default;
};

// "E", "F", "F#", ... "D#": the sharp name of pitch class n (n brought into 0..11).
std::string_view NoteNameOfPitch(int n);
// The pitch class of a sharp note name ("E" 0 ... "D#" 11); -1 for any other text.
int PitchOfSharpName(std::string_view name);
// The root of a search in upper case ("C#", "DB", "EB"): sharp names and the upper-case flat
// names; any other text gives 0 (E).
int RootIndexUpper(std::string_view root);
// A root as the pickers spell it ("C#", "Db"): any other text gives 0 (E).
int RootIndexMixed(std::string_view root);

// The degree names of one spelling that the table did not know, each once, in the order met;
// the window reports them once per operation.
struct TUnknownDegrees {
    std::vector<std::string> names;
    void Add(std::string_view degree);
    bool Empty() const { return names.empty(); }
    // "Failed getting subscript: deg := X" (several names joined by ", ").
    std::string Message() const;
};

// The 75 built-in rows in table order (row 52 repeats row 50; every later row number counts it).
std::span<const std::string_view> BuiltInFormulaRows();

// One row split into its columns: type name and short name trimmed, the formula up to the
// first blank of the trimmed third column (the quality word behind it is never read).
struct TFormulaRow {
    std::string TypeName;
    std::string ShortName;
    std::string Formula;
};
// False for an empty row or one without two commas.
bool SplitFormulaRow(std::string_view row, TFormulaRow &out);
// The number of degrees of a formula text ("" 0, "1-3-5" 3).
int FormulaDegreeCount(std::string_view formula);

// Degrees from FormulaText, split at "-", untrimmed; an empty text gives Count 0. Degrees past
// the thirteenth are dropped.
void SplitFormula(TCFormula &f);
// Trims every degree and names its note for `rootUpper` (RootIndexUpper); an unknown degree
// counts as the root and is recorded in `unknown`. Nothing when the first degree is empty.
void SpellFormula(std::string_view rootUpper, TCFormula &f, TUnknownDegrees &unknown);
// The note of one degree above a root of the pickers' spelling (RootIndexMixed).
std::string NoteOfDegree(std::string_view root, std::string_view degree, TUnknownDegrees &unknown);
// Degrees (and their notes) in reverse order; FormulaText rebuilt.
TCFormula ReverseFormula(TCFormula f);
// The first degree moves to the end (the next inversion); FormulaText rebuilt.
TCFormula RotateFormula(TCFormula f);
// A fixed reordering for 4, 5 and 6 degrees (other counts stay); FormulaText is kept.
TCFormula PermuteFormula(TCFormula f);

// The formula rows a search reads: the built-in rows, then the user's rows.
class TFormulaTable {
public:
    TFormulaTable();
    void AddUserRows(const std::vector<std::string> &rows);

    // The records of every row whose type name equals `typeName` (ASCII case ignored), row
    // after row: for each, the n inversions of the formula as written, then the n inversions of
    // its reverse, twice (the third group equals the second); at most kMaxFormulaRecords in all.
    // `root` is the sharp root; records are spelled with it in upper case.
    std::vector<TCFormula> FindFormulasByName(std::string_view root, std::string_view typeName,
                                              TUnknownDegrees &unknown) const;

private:
    std::vector<std::string> rows_;
};

// The three records of a user-defined formula: the formula after n-1 rotations (its last degree
// first), the formula as written, and the permutation of the first. Each carries ShortName and
// TypeName = `name` (three blanks and the formula text).
std::vector<TCFormula> FormulasFromDegreeString(std::string_view root, std::string_view formula, std::string_view name,
                                                TUnknownDegrees &unknown);

// ---- the user's formula file ---------------------------------------------------------------
struct TUserFormulaLoad {
    std::vector<std::string> rows;     // every usable line, empty ones included, in file order
    std::vector<std::string> problems; // one text per skipped row
};
// Lines of the file's text (LF, CRLF or CR). A row with more than 13 degrees is skipped and
// named in `problems`; every other line is kept.
TUserFormulaLoad ReadUserFormulaText(std::string_view text);
// The file at `path`; a missing or unreadable file, and anything but a regular file of at most
// kMaxUserFormulaFileBytes, gives nothing and no problem.
TUserFormulaLoad LoadUserFormulaFile(const std::string &path);

// ---- the user-defined formula of the 21 degree boxes -------------------------------------
inline constexpr int kDegreeBoxCount = 21;
struct TDegreeBox {
    std::string_view Name;    // component name ("cbminor3")
    std::string_view Caption; // "Minor 3rd"
    std::string_view Degree;  // "b3"
};
std::span<const TDegreeBox> DegreeBoxes();
// The box that excludes box `index` (b2/b9, 2/9, b3/#9, 3/10, 4/11, b5/#11, #5/b13, 6/13,
// b7/#13); -1 when it has none.
int DegreeBoxPartner(int index);

struct TUserFormula {
    TCFormula Formula;   // ShortName and TypeName: three blanks and the formula text
    std::string Warning; // "No more than %d scale degrees may be selected for %s", else empty
};
// The checked boxes in box order, spelled for `root` (the custom root combo's text). More
// degrees than `stringCount` gives the warning and an empty FormulaText.
TUserFormula BuildUserFormula(const std::array<bool, kDegreeBoxCount> &checked, std::string_view root, int stringCount,
                              std::string_view kindText, TUnknownDegrees &unknown);
