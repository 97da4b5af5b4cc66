#include "dialogs/chords/ChordFormulas.h"

#include "platform/FileIO.h"
#include "song/TextUtil.h"

#include <algorithm>

namespace {

constexpr std::array<std::string_view, 12> kSharpNames = {"E",  "F", "F#", "G",  "G#", "A",
                                                          "A#", "B", "C",  "C#", "D",  "D#"};

struct TNamedPitch {
    std::string_view name;
    int pitch;
};

constexpr TNamedPitch kUpperRoots[] = {{"E", 0},  {"F", 1},  {"F#", 2}, {"GB", 2},  {"G", 3},  {"G#", 4},
                                       {"AB", 4}, {"A", 5},  {"A#", 6}, {"BB", 6},  {"B", 7},  {"C", 8},
                                       {"C#", 9}, {"DB", 9}, {"D", 10}, {"D#", 11}, {"EB", 11}};
constexpr TNamedPitch kMixedRoots[] = {{"E", 0},  {"F", 1},  {"F#", 2}, {"Gb", 2},  {"G", 3},  {"G#", 4},
                                       {"Ab", 4}, {"A", 5},  {"A#", 6}, {"Bb", 6},  {"B", 7},  {"C", 8},
                                       {"C#", 9}, {"Db", 9}, {"D", 10}, {"D#", 11}, {"Eb", 11}};

constexpr std::string_view kBuiltInRows[] = {
    "Major,  Major,  1-3-5 Maj",
    "Major 6,  6,  1-3-5-6 Maj",
    "Major 6,  6,  1-3-6 Maj",
    "Major 6/9,  6/9,  1-3-5-6-9 Maj",
    "Major 6/9,  6/9,  1-3-6-9 Maj",
    "Major add 9,  add 9,  1-3-5-9 Maj",
    "Major add 9,  add 9,  1-3-9 Maj",
    "Maj7,  Maj7,  1-3-5-7 Maj",
    "Maj7,  Maj7,  1-3-7 Maj",
    "Maj9,  Maj9,  1-3-5-7-9 Maj",
    "Maj9,  Maj9,  1-3-7-9 Maj",
    "Maj13,  Maj13,  1-3-7-9-11-13 Maj",
    "Major add 11,  add 11,  1-3-11 Maj",
    "Major add 11,  add 11,  1-3-5-11 Maj",
    "Major add +11,  add +11,  1-3-5-#11 Maj",
    "Major add +11,  add +11,  1-3-#11 Maj",
    "Maj7 add +11,  Maj7 add +11,  1-3-5-7-#11 Maj",
    "Maj7 add +11,  Maj7 add +11,  1-3-7-#11 Maj",
    "Maj7b5,  Maj7b5,  1-3-b5-7 Maj",
    "Maj7#5,  Maj7#5,  1-3-#5-7 Maj",
    "Maj7#11,  Maj7#11,  1-3-5-7-#11 Maj",
    "Sus,  Sus,  1-4-5 Maj",
    "Sus2,sus2      ,1-2-5-9 Maj",
    "Aug,  Aug,  1-3-#5 Maj",
    "minor,     m,  1-b3-5 Min",
    "minor 6,    m6,  1-b3-5-6 Min",
    "minor 6,    m6,  1-b3-6 Min",
    "minor 6/9,  m6/9,  1-b3-5-6-9 Min",
    "minor 6/9,  m6/9,  1-b3-6-9 Min",
    "minor 7,    m7,  1-b3-5-b7 Min",
    "minor 7,    m7,  1-b3-b7 Min",
    "minor 7b5,  m7b5,  1-b3-b5-b7 Min",
    "minor 9,  m9,  1-b3-5-b7-9 Min",
    "minor 9,  m9,  1-b3-b7-9 Min",
    "minor 11,  m11,  1-b3-5-b7-9-11 Min",
    "minor 11,  m11,  1-b3-b7-9-11 Min",
    "minor 11,  m11,  1-b3-b7-11 Min",
    "minor 11b5,  m11,  1-b3-b5-b7-11 Min",
    "minor M7,  mM7,  1-b3-5-7 Min",
    "minor M7,  mM7,  1-b3-7 Min",
    "Dim 7,  Dim 7,  1-b3-b5-bb7 Min",
    "Dim, dim        ,1-b3-b5 Min",
    "7,  7,  1-3-5-b7 Dom",
    "7,  7,  1-3-b7 Dom",
    "9,  9,  1-3-5-b7-9 Dom",
    "9,  9,  1-3-b7-9 Dom",
    "11,  11,  1-3-5-b7-9-11 Dom",
    "11,  11,  1-3-b7-9-11 Dom",
    "13,  13,           1-3-5-b7-11-13 Dom",
    "13     ,13        ,1-3-5-b7-9-13 Dom",
    "13     ,13        ,1-3-b7-11-13 Dom",
    "13     ,13        ,1-3-5-b7-13 Dom",
    "13     ,13        ,1-3-b7-11-13 Dom",
    "13     ,13        ,1-3-b7-9-13 Dom",
    "13     ,13        ,1-3-b7-13 Dom",
    "13b9,  13b9,           1-3-5-b7-b9-13 Dom",
    "13b9,  13b9,           1-3-b7-b9-13 Dom",
    "13(6),  13(6),  1-3-5-6-b7-13 Dom",
    "13(6),  13(6),  1-3-6-b7-13 Dom",
    "7b5,  7b5,   1-3-b5-b7 Dom",
    "7#5,  7#5,   1-3-#5-b7 Dom",
    "7b9,  7(b9), 1-3-b7-b9 Dom",
    "7b9,  7(b9), 1-3-5-b7-b9 Dom",
    "7#9,  7(#9), 1-3-b7-#9 Dom",
    "7#9,  7(#9), 1-3-5-b7-#9 Dom",
    "7b9/#5,  7(b9/#5),  1-3-#5-b7-b9 Dom",
    "7#9/b5,  7(#9/b5),  1-3-b5-b7-#9 Dom",
    "7#9/#5,  7(#9/#5),  1-3-#5-b7-#9 Dom",
    "7b9/b5,  7(b9/b5),  1-3-b5-b7-b9 Dom",
    "7sus,  7sus,  1-4-5-b7 Dom",
    "7sus,  7sus,  1-4-b7 Dom",
    "9b5,  9b5,   1-3-b5-b7-9 Dom",
    "9#5,  9#5,   1-3-#5-b7-9 Dom",
    "9#11,  9#11,   1-3-5-b7-9-#11 Dom",
    "9#11,  9#11,   1-3-b7-9-#11 Dom",
};

// clang-format off
constexpr TDegreeBox kBoxes[kDegreeBoxCount] = {
    {"cbroot", "Root", "1"},         {"cbflat2", "Flat 2", "b2"},       {"cb2", "2nd ", "2"},
    {"cbminor3", "Minor 3rd", "b3"}, {"cbmajor3", "Major 3rd", "3"},    {"cb4", "4th ", "4"},
    {"cbflat5", "b5/Aug 4", "b5"},   {"cb5", "5th", "5"},               {"cbSharp5", "#5/m 6", "#5"},
    {"cb6", "6th/bb7", "6"},         {"cbminor7", "Minor 7", "b7"},     {"cbmajor7", "Major 7", "7"},
    {"cbflat9", "Flat 9", "b9"},     {"cb9", "9th", "9"},               {"cbsharp9", "# 9 (m 10)", "#9"},
    {"cb10", "10th", "10"},          {"cbaug11", "Aug 11", "#11"},      {"cb11", "11th", "11"},
    {"cbflat13", "Flat 13", "b13"},  {"cb13", "13th", "13"},            {"cbsharp13", "Sharp 13", "#13"},
};
// clang-format on
// Pairs of boxes (by index) that exclude each other.
constexpr std::pair<int, int> kExclusive[] = {{1, 12}, {2, 13}, {3, 14}, {4, 15}, {5, 17},
                                              {6, 16}, {8, 18}, {9, 19}, {10, 20}};

int Lookup(std::span<const TNamedPitch> table, std::string_view name) {
    for (const TNamedPitch &p : table)
        if (p.name == name)
            return p.pitch;
    return 0;
}

int SemitonesOrRoot(std::string_view degree, TUnknownDegrees &unknown) {
    const int s = DegreeToSemitones(degree);
    if (s >= 0)
        return s;
    unknown.Add(degree);
    return 0;
}

void RebuildText(TCFormula &f) {
    f.FormulaText.clear();
    for (int i = 0; i < f.Count; ++i) {
        if (i > 0)
            f.FormulaText += '-';
        f.FormulaText += f.Degrees[static_cast<size_t>(i)];
    }
}

void ClearFrom(TCFormula &f, int from) {
    for (int i = from; i < kMaxFormulaDegrees; ++i) {
        f.Degrees[static_cast<size_t>(i)].clear();
        f.NoteNames[static_cast<size_t>(i)].clear();
    }
}

} // namespace

std::string_view NoteNameOfPitch(int n) { return kSharpNames[static_cast<size_t>(((n % 12) + 12) % 12)]; }

int PitchOfSharpName(std::string_view name) {
    for (size_t i = 0; i < kSharpNames.size(); ++i)
        if (kSharpNames[i] == name)
            return static_cast<int>(i);
    return -1;
}

int RootIndexUpper(std::string_view root) { return Lookup(kUpperRoots, root); }
int RootIndexMixed(std::string_view root) { return Lookup(kMixedRoots, root); }

void TUnknownDegrees::Add(std::string_view degree) {
    if (std::find(names.begin(), names.end(), degree) == names.end())
        names.emplace_back(degree);
}

std::string TUnknownDegrees::Message() const {
    std::string text = "Failed getting subscript: deg := ";
    for (size_t i = 0; i < names.size(); ++i)
        text += (i ? ", " : "") + names[i];
    return text;
}

std::span<const std::string_view> BuiltInFormulaRows() { return kBuiltInRows; }

bool SplitFormulaRow(std::string_view row, TFormulaRow &out) {
    const size_t first = row.find(',');
    if (first == std::string_view::npos)
        return false;
    const size_t second = row.find(',', first + 1);
    if (second == std::string_view::npos)
        return false;
    out.TypeName = Trim(row.substr(0, first));
    out.ShortName = Trim(row.substr(first + 1, second - first - 1));
    const std::string third = Trim(row.substr(second + 1));
    out.Formula = third.substr(0, third.find(' '));
    return true;
}

int FormulaDegreeCount(std::string_view formula) {
    if (formula.empty())
        return 0;
    return static_cast<int>(std::count(formula.begin(), formula.end(), '-')) + 1;
}

void SplitFormula(TCFormula &f) {
    ClearFrom(f, 0);
    f.Count = 0;
    if (f.FormulaText.empty())
        return;
    std::string_view rest = f.FormulaText;
    while (f.Count < kMaxFormulaDegrees) {
        const size_t dash = rest.find('-');
        f.Degrees[static_cast<size_t>(f.Count++)] = std::string(rest.substr(0, dash));
        if (dash == std::string_view::npos)
            break;
        rest.remove_prefix(dash + 1);
    }
}

void SpellFormula(std::string_view rootUpper, TCFormula &f, TUnknownDegrees &unknown) {
    if (f.Count == 0 || f.Degrees[0].empty())
        return;
    const int root = RootIndexUpper(rootUpper);
    for (int i = 0; i < f.Count; ++i) {
        std::string &degree = f.Degrees[static_cast<size_t>(i)];
        degree = Trim(degree);
        f.NoteNames[static_cast<size_t>(i)] = std::string(NoteNameOfPitch(root + SemitonesOrRoot(degree, unknown)));
    }
}

std::string NoteOfDegree(std::string_view root, std::string_view degree, TUnknownDegrees &unknown) {
    return std::string(NoteNameOfPitch(RootIndexMixed(root) + SemitonesOrRoot(degree, unknown)));
}

TCFormula ReverseFormula(TCFormula f) {
    std::reverse(f.Degrees.begin(), f.Degrees.begin() + f.Count);
    std::reverse(f.NoteNames.begin(), f.NoteNames.begin() + f.Count);
    RebuildText(f);
    return f;
}

TCFormula RotateFormula(TCFormula f) {
    if (f.Count > 1) {
        std::rotate(f.Degrees.begin(), f.Degrees.begin() + 1, f.Degrees.begin() + f.Count);
        std::rotate(f.NoteNames.begin(), f.NoteNames.begin() + 1, f.NoteNames.begin() + f.Count);
    }
    RebuildText(f);
    return f;
}

TCFormula PermuteFormula(TCFormula f) {
    static constexpr int k4[] = {2, 3, 0, 1};
    static constexpr int k5[] = {1, 4, 3, 0, 2};
    static constexpr int k6[] = {2, 5, 3, 1, 0, 4};
    std::span<const int> order;
    if (f.Count == 4)
        order = k4;
    else if (f.Count == 5)
        order = k5;
    else if (f.Count == 6)
        order = k6;
    else
        return f;
    const TCFormula from = f;
    for (size_t i = 0; i < order.size(); ++i) {
        f.Degrees[i] = from.Degrees[static_cast<size_t>(order[i])];
        f.NoteNames[i] = from.NoteNames[static_cast<size_t>(order[i])];
    }
    return f;
}

// ---- the table ---------------------------------------------------------------------------

TFormulaTable::TFormulaTable() : rows_(std::begin(kBuiltInRows), std::end(kBuiltInRows)) {}

void TFormulaTable::AddUserRows(const std::vector<std::string> &rows) {
    rows_.insert(rows_.end(), rows.begin(), rows.end());
}

std::vector<TCFormula> TFormulaTable::FindFormulasByName(std::string_view root, std::string_view typeName,
                                                         TUnknownDegrees &unknown) const {
    std::vector<TCFormula> records;
    const std::string rootUpper = UpperCaseAscii(root);
    const std::string type = Trim(typeName);
    int made = 0;
    TFormulaRow row;
    for (const std::string &text : rows_) {
        if (!SplitFormulaRow(text, row) || !SameTextAscii(row.TypeName, type))
            continue;
        const int n = FormulaDegreeCount(row.Formula);
        if (n == 0 || n > kMaxFormulaDegrees)
            continue; // nothing to spell, or more than a record holds
        TCFormula f;
        f.FormulaText = row.Formula;
        for (int group = 0; group < 3; ++group) {
            if (group == 1)
                f = ReverseFormula(f);
            else if (group == 2)
                f = PermuteFormula(f); // the text is kept, so splitting undoes the permutation
            SplitFormula(f);
            for (int i = 0; i < n; ++i) {
                if (++made > kMaxFormulaRecords)
                    return records;
                f.ShortName = row.ShortName;
                f.TypeName = row.TypeName;
                SplitFormula(f);
                SpellFormula(rootUpper, f, unknown);
                records.push_back(f);
                f = RotateFormula(f);
            }
        }
    }
    return records;
}

std::vector<TCFormula> FormulasFromDegreeString(std::string_view root, std::string_view formula, std::string_view name,
                                                TUnknownDegrees &unknown) {
    TCFormula f;
    f.FormulaText = std::string(formula);
    f.ShortName = std::string(name);
    f.TypeName = std::string(name);
    SplitFormula(f);
    if (f.Count == 0)
        return {};
    SpellFormula(UpperCaseAscii(root), f, unknown);
    for (int i = 0; i + 1 < f.Count; ++i)
        f = RotateFormula(f);
    return {f, RotateFormula(f), PermuteFormula(f)};
}

// ---- the user's file ---------------------------------------------------------------------

TUserFormulaLoad ReadUserFormulaText(std::string_view text) {
    TUserFormulaLoad out;
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        ++number;
        TFormulaRow row;
        if (SplitFormulaRow(line, row) && FormulaDegreeCount(row.Formula) > kMaxFormulaDegrees)
            out.problems.push_back(std::string(kUserFormulaFileName) + ", line " + std::to_string(number) + ": \"" +
                                   std::string(line) + "\" has more than 13 scale degrees and is not used.");
        else
            out.rows.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1));
    }
    return out;
}

TUserFormulaLoad LoadUserFormulaFile(const std::string &path) {
    // A FIFO or device under the file's name would hold the window or fill the memory.
    std::vector<uint8_t> bytes;
    if (platform::ReadWholeFile(path, bytes, kMaxUserFormulaFileBytes) != platform::TReadFile::Ok)
        return {};
    return ReadUserFormulaText(std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
}

// ---- the degree boxes --------------------------------------------------------------------

std::span<const TDegreeBox> DegreeBoxes() { return kBoxes; }

int DegreeBoxPartner(int index) {
    for (const auto &[a, b] : kExclusive) {
        if (a == index)
            return b;
        if (b == index)
            return a;
    }
    return -1;
}

TUserFormula BuildUserFormula(const std::array<bool, kDegreeBoxCount> &checked, std::string_view root, int stringCount,
                              std::string_view kindText, TUnknownDegrees &unknown) {
    TUserFormula out;
    TCFormula &f = out.Formula;
    int k = 0;
    for (int i = 0; i < kDegreeBoxCount; ++i) {
        if (!checked[static_cast<size_t>(i)])
            continue;
        const std::string_view degree = kBoxes[i].Degree;
        if (!f.FormulaText.empty())
            f.FormulaText += '-';
        f.FormulaText += degree;
        if (k < kMaxFormulaDegrees) {
            f.Degrees[static_cast<size_t>(k)] = std::string(degree);
            f.NoteNames[static_cast<size_t>(k)] = NoteOfDegree(root, degree, unknown);
        }
        ++k;
    }
    f.ShortName = "   " + f.FormulaText;
    f.TypeName = f.ShortName;
    f.Count = std::min(k, kMaxFormulaDegrees);
    if (k > stringCount) {
        out.Warning = "No more than " + std::to_string(stringCount) + " scale degrees may be selected for " +
                      std::string(kindText);
        f.FormulaText.clear();
    }
    return out;
}
