#include "dialogs/chords/ChordFormulas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::string> DegreesOf(const TCFormula &f) { return {f.Degrees.begin(), f.Degrees.begin() + f.Count}; }
std::vector<std::string> NotesOf(const TCFormula &f) { return {f.NoteNames.begin(), f.NoteNames.begin() + f.Count}; }

TCFormula Spelled(const char *root, const char *formula) {
    TCFormula f;
    f.FormulaText = formula;
    SplitFormula(f);
    TUnknownDegrees unknown;
    SpellFormula(root, f, unknown);
    return f;
}

TEST(ChordFormulas, DegreesCountTheirSemitonesExactly) {
    // clang-format off
    const struct { const char *degree; int semitones; } cases[] = {
        {"1", 0}, {"b2", 1}, {"2", 2}, {"b3", 3}, {"3", 4}, {"4", 5}, {"b5", 6}, {"5", 7}, {"#5", 8},
        {"b6", 8}, {"6", 9}, {"bb7", 9}, {"b7", 10}, {"7", 11}, {"octave", 12}, {"b9", 13}, {"9", 14},
        {"#9", 15}, {"10", 16}, {"11", 17}, {"#11", 18}, {"12", 19}, {"b13", 20}, {"13", 21}, {"#13", 22},
        {"B3", -1}, {"Octave", -1}, {" 3", -1}, {"", -1}, {"x", -1},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(DegreeToSemitones(c.degree), c.semitones) << '"' << c.degree << '"';
}

TEST(ChordFormulas, RowsSplitIntoTypeShortNameAndFormula) {
    // clang-format off
    const struct { const char *row; bool ok; const char *type, *shortName, *formula; } cases[] = {
        {"Dim, dim        ,1-b3-b5 Min", true, "Dim", "dim", "1-b3-b5"},
        {"Sus2,sus2      ,1-2-5-9 Maj", true, "Sus2", "sus2", "1-2-5-9"},
        {"13,  13,           1-3-5-b7-11-13 Dom", true, "13", "13", "1-3-5-b7-11-13"},
        {"minor,     m,  1-b3-5 Min", true, "minor", "m", "1-b3-5"},
        {"Odd, o, 1-3 -5", true, "Odd", "o", "1-3"},
        {"Empty, e, ", true, "Empty", "e", ""},
        {"a, b", false, "", "", ""},
        {"", false, "", "", ""},
    };
    // clang-format on
    for (const auto &c : cases) {
        TFormulaRow row;
        ASSERT_EQ(SplitFormulaRow(c.row, row), c.ok) << c.row;
        if (!c.ok)
            continue;
        EXPECT_EQ(row.TypeName, c.type) << c.row;
        EXPECT_EQ(row.ShortName, c.shortName) << c.row;
        EXPECT_EQ(row.Formula, c.formula) << c.row;
    }
    const auto rows = BuiltInFormulaRows();
    ASSERT_EQ(rows.size(), 75u);
    EXPECT_EQ(rows[0], "Major,  Major,  1-3-5 Maj");
    EXPECT_EQ(rows[52], rows[50]); // later row numbers count the repeat
    EXPECT_EQ(rows[74], "9#11,  9#11,   1-3-b7-9-#11 Dom");
}

TEST(ChordFormulas, SpellingUsesSharpNamesAndReportsUnknownDegreesOnce) {
    EXPECT_EQ(NotesOf(Spelled("C", "1-b3-5-b7")), (std::vector<std::string>{"C", "D#", "G", "A#"}));
    EXPECT_EQ(NotesOf(Spelled("DB", "1-3-5")), (std::vector<std::string>{"C#", "F", "G#"}));
    EXPECT_EQ(NotesOf(Spelled("A", "1-3-#13")), (std::vector<std::string>{"A", "C#", "G"}));
    EXPECT_EQ(NotesOf(Spelled("Db", "1-3")), (std::vector<std::string>{"E", "G#"})); // not an upper-case root: E
    EXPECT_EQ(DegreesOf(Spelled("C", "1- 3")), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(NotesOf(Spelled("C", "-3")), (std::vector<std::string>{"", ""})); // no first degree: unspelled

    TUnknownDegrees unknown;
    EXPECT_EQ(NoteOfDegree("Db", "3", unknown), "F");
    EXPECT_EQ(NoteOfDegree("Gb", "b7", unknown), "E");
    EXPECT_EQ(NoteOfDegree("C", "x9", unknown), "C"); // counts as the root
    TCFormula f;
    f.FormulaText = "1-x9-5";
    for (int i = 0; i < 3; ++i) {
        SplitFormula(f);
        SpellFormula("C", f, unknown);
    }
    EXPECT_EQ(unknown.Message(), "Failed getting subscript: deg := x9");
}

TEST(ChordFormulas, InversionsReversalsAndPermutations) {
    const TCFormula f = Spelled("C", "1-3-5-b7");
    // clang-format off
    const struct { const char *name; TCFormula got; std::vector<std::string> degrees, notes; const char *text; } cases[] = {
        {"rotate", RotateFormula(f), {"3", "5", "b7", "1"}, {"E", "G", "A#", "C"}, "3-5-b7-1"},
        {"reverse", ReverseFormula(f), {"b7", "5", "3", "1"}, {"A#", "G", "E", "C"}, "b7-5-3-1"},
        {"permute 4", PermuteFormula(f), {"5", "b7", "1", "3"}, {"G", "A#", "C", "E"}, "1-3-5-b7"},
        {"permute 5", PermuteFormula(Spelled("C", "1-3-5-b7-9")), {"3", "9", "b7", "1", "5"}, {"E", "D", "A#", "C", "G"},
         "1-3-5-b7-9"},
        {"permute 6", PermuteFormula(Spelled("C", "1-3-5-b7-9-11")), {"5", "11", "b7", "3", "1", "9"},
         {"G", "F", "A#", "E", "C", "D"}, "1-3-5-b7-9-11"},
        {"permute 3", PermuteFormula(Spelled("C", "1-3-5")), {"1", "3", "5"}, {"C", "E", "G"}, "1-3-5"},
    };
    // clang-format on
    for (const auto &c : cases) {
        EXPECT_EQ(DegreesOf(c.got), c.degrees) << c.name;
        EXPECT_EQ(NotesOf(c.got), c.notes) << c.name;
        EXPECT_EQ(c.got.FormulaText, c.text) << c.name;
    }
}

TEST(ChordFormulas, ATypeGivesItsInversionsThenThoseOfItsReverseTwice) {
    TFormulaTable table;
    TUnknownDegrees unknown;
    const auto records = table.FindFormulasByName("C", "MAJOR", unknown);
    ASSERT_EQ(records.size(), 9u);
    const char *texts[9] = {"1-3-5", "3-5-1", "5-1-3", "5-3-1", "3-1-5", "1-5-3", "5-3-1", "3-1-5", "1-5-3"};
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(records[i].FormulaText, texts[i]) << i;
        EXPECT_EQ(records[i].ShortName, "Major");
    }
    EXPECT_EQ(NotesOf(records[1]), (std::vector<std::string>{"E", "G", "C"}));
    EXPECT_EQ(table.FindFormulasByName("C", "minor", unknown)[0].ShortName, "m");
    EXPECT_EQ(table.FindFormulasByName("C", "13", unknown).size(), 3u * (6 + 6 + 5 + 5 + 5 + 5 + 4));
    EXPECT_TRUE(table.FindFormulasByName("C", "Nonesuch", unknown).empty());
    EXPECT_TRUE(unknown.Empty());

    // User rows come after the built-in ones, join a built-in type by name, and one search makes
    // no more than 149 records; an empty formula makes none.
    table.AddUserRows({"major, maj, 1-5-3 Maj", "", "Empty, e, ", "no commas"});
    const auto joined = table.FindFormulasByName("C", "Major", unknown);
    ASSERT_EQ(joined.size(), 18u);
    EXPECT_EQ(joined[9].FormulaText, "1-5-3");
    EXPECT_EQ(joined[9].ShortName, "maj");
    EXPECT_TRUE(table.FindFormulasByName("C", "Empty", unknown).empty());
    table.AddUserRows(std::vector<std::string>(10, "Big, big, 1-3-5-b7-9-11"));
    EXPECT_EQ(table.FindFormulasByName("C", "Big", unknown).size(), size_t(kMaxFormulaRecords));
}

TEST(ChordFormulas, AUserFormulaSearchesItsLastInversionTheFormulaAndAPermutation) {
    TUnknownDegrees unknown;
    const auto three = FormulasFromDegreeString("C", "1-3-5", "   1-3-5", unknown);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(DegreesOf(three[0]), (std::vector<std::string>{"5", "1", "3"}));
    EXPECT_EQ(DegreesOf(three[1]), (std::vector<std::string>{"1", "3", "5"}));
    EXPECT_EQ(three[2], three[0]);
    EXPECT_EQ(three[1].TypeName, "   1-3-5");
    const auto four = FormulasFromDegreeString("C", "1-3-5-b7", "   1-3-5-b7", unknown);
    EXPECT_EQ(DegreesOf(four[2]), (std::vector<std::string>{"3", "5", "b7", "1"}));
    EXPECT_TRUE(FormulasFromDegreeString("C", "", "   ", unknown).empty());
}

TEST(ChordFormulas, TheUserFileKeepsGoodRowsAndFlagsRowsOfMoreThanThirteenDegrees) {
    const TUserFormulaLoad load = ReadUserFormulaText("Power, 5, 1-5 Maj\r\n\r\n"
                                                      "Huge, h, 1-2-3-4-5-6-7-8-9-10-11-12-13-#13\r\n"
                                                      "Thirteen, t, 1-b2-2-b3-3-4-b5-5-#5-6-b7-7-9\nlast, l, 1-3");
    EXPECT_EQ(load.rows, (std::vector<std::string>{"Power, 5, 1-5 Maj", "",
                                                   "Thirteen, t, 1-b2-2-b3-3-4-b5-5-#5-6-b7-7-9", "last, l, 1-3"}));
    ASSERT_EQ(load.problems.size(), 1u);
    EXPECT_NE(load.problems[0].find("line 3"), std::string::npos) << load.problems[0];

    const auto dir = std::filesystem::temp_directory_path() / "tw_user_formulas_test";
    std::filesystem::create_directories(dir);
    const auto path = (dir / std::string(kUserFormulaFileName)).string();
    std::filesystem::remove(path);
    const TUserFormulaLoad missing = LoadUserFormulaFile(path);
    EXPECT_TRUE(missing.rows.empty() && missing.problems.empty());
    std::ofstream(path) << "Power, 5, 1-5 Maj\n";
    EXPECT_EQ(LoadUserFormulaFile(path).rows, (std::vector<std::string>{"Power, 5, 1-5 Maj"}));
    EXPECT_TRUE(LoadUserFormulaFile(dir.string()).rows.empty()); // a folder is no file
    std::filesystem::remove_all(dir);
}

// Only a regular file of a sane size is read; anything else is skipped as a missing file is.
TEST(ChordFormulas, TheUserFileIsReadOnlyWhenItIsARegularFileOfASaneSize) {
    const auto dir = std::filesystem::temp_directory_path() / ("tw_user_formulas_kinds_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string fifo = (dir / "fifo.txt").string(), big = (dir / "big.txt").string(),
                      endless = (dir / "endless.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); // opening it for reading would wait for a writer
    std::filesystem::create_symlink("/dev/zero", endless);
    std::ofstream(big) << std::string(kMaxUserFormulaFileBytes + 1, '\n');
    for (const std::string &path : {fifo, endless, big}) {
        const TUserFormulaLoad load = LoadUserFormulaFile(path);
        EXPECT_TRUE(load.rows.empty() && load.problems.empty()) << path;
    }
    std::filesystem::resize_file(big, kMaxUserFormulaFileBytes);
    EXPECT_EQ(LoadUserFormulaFile(big).rows.size(), kMaxUserFormulaFileBytes);
    std::filesystem::remove_all(dir);
}

TEST(ChordFormulas, DegreeBoxesExcludeTheirPartnersAndBuildTheUserFormula) {
    const auto boxes = DegreeBoxes();
    ASSERT_EQ(boxes.size(), size_t(kDegreeBoxCount));
    EXPECT_EQ(boxes[16].Degree, "#11"); // "#11" comes before "11"
    EXPECT_EQ(boxes[17].Degree, "11");
    const struct {
        const char *a, *b;
    } pairs[] = {{"b2", "b9"},  {"2", "9"},    {"b3", "#9"}, {"3", "10"},  {"4", "11"},
                 {"b5", "#11"}, {"#5", "b13"}, {"6", "13"},  {"b7", "#13"}};
    auto index = [&boxes](std::string_view degree) {
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i].Degree == degree)
                return static_cast<int>(i);
        return -1;
    };
    int partnered = 0;
    for (const auto &p : pairs) {
        EXPECT_EQ(DegreeBoxPartner(index(p.a)), index(p.b)) << p.a;
        EXPECT_EQ(DegreeBoxPartner(index(p.b)), index(p.a)) << p.b;
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        partnered += DegreeBoxPartner(static_cast<int>(i)) >= 0;
    EXPECT_EQ(partnered, 18); // root, 5th and major 7th stand alone

    std::array<bool, kDegreeBoxCount> checked{};
    checked[static_cast<size_t>(index("3"))] = checked[static_cast<size_t>(index("5"))] = true;
    TUnknownDegrees unknown;
    TUserFormula built = BuildUserFormula(checked, "Db", 6, "Guitar", unknown);
    EXPECT_EQ(built.Formula.FormulaText, "3-5");
    EXPECT_EQ(NotesOf(built.Formula), (std::vector<std::string>{"F", "G#"}));
    EXPECT_EQ(built.Formula.ShortName, "   3-5");
    EXPECT_TRUE(built.Warning.empty());
    for (const char *d : {"1", "b7", "9", "#11", "13"})
        checked[static_cast<size_t>(index(d))] = true;
    built = BuildUserFormula(checked, "C", 6, "Guitar", unknown);
    EXPECT_EQ(built.Warning, "No more than 6 scale degrees may be selected for Guitar");
    EXPECT_EQ(built.Formula.FormulaText, "");
    EXPECT_EQ(built.Formula.Count, 7);
}

} // namespace
