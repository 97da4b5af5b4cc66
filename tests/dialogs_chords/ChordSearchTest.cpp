// The chord search: golden cases (data/<case>/request.txt and expected.txt: the count and the
// first voicings, hand-checked), the window and option rules, and that every listed voicing
// sounds, through the line reader, exactly the notes its detail line names.
#include "dialogs/chords/ChordSearch.h"

#include "song/FrettedLine.h"
#include "song/TextUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace {

namespace fs = std::filesystem;

TChordSearchRequest Guitar(const char *root, const char *type) {
    TChordSearchRequest r;
    r.root = root;
    r.typeName = type;
    return r;
}

TChordSearchRequest ReadRequest(const fs::path &file) {
    std::ifstream in(file);
    std::map<std::string, std::string> kv;
    for (std::string line; std::getline(in, line);)
        if (const size_t eq = line.find('='); eq != std::string::npos)
            kv[Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
    TChordSearchRequest r;
    r.root = kv["root"];
    r.typeName = kv["type"];
    r.tuningSpelling = kv["tuning"];
    r.stringCount = std::stoi(kv["strings"]);
    r.shortFifthString = kv["short"] == "1";
    r.reach = std::stoi(kv["reach"]);
    r.position = kv["position"];
    r.includeOpenStrings = kv["open"] == "1";
    r.allowInsideUnplayed = kv["inside"] == "1";
    r.rootOnLowest = kv["rootOnLowest"] == "1";
    r.noRoot = kv["noRoot"] == "1";
    if (kv.count("melodyString"))
        r.melodyString = std::stoi(kv["melodyString"]);
    r.melodyNote = kv["melodyNote"];
    if (kv.count("user")) {
        r.userDefined = true;
        r.userFormula = kv["user"];
    }
    return r;
}

std::vector<std::string> Fields(const std::string &line) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
        out.push_back(Trim(line.substr(start, comma - start)));
    out.push_back(Trim(line.substr(start)));
    return out;
}

// Every list line reads as a line of the tab and sounds the detail line's notes; every voicing
// holds each chord tone (the root too, unless the request leaves it out).
void ExpectVoicingsSoundTheirNotes(const TChordSearchRequest &r, const TChordSearchOutcome &out) {
    TLineContext ctx;
    ctx.HighestString = r.stringCount - 1;
    ctx.TuningSpelling = r.tuningSpelling;
    ctx.ShortFifthString = r.shortFifthString;
    ctx.Kind = r.shortFifthString ? TKind::Banjo : TKind::Guitar;
    const int S = r.stringCount;
    std::set<std::string> seen;
    for (size_t i = 0; i < out.listLines.size(); ++i) {
        TChordDat chord;
        ASSERT_EQ(ParseChordLine(out.listLines[i], TDurationUnit::Ticks, ctx, chord), "") << out.listLines[i];
        const std::vector<std::string> detail = Fields(out.detailLines[i]);
        ASSERT_EQ(detail.size(), size_t(1 + 3 * S)) << out.detailLines[i];
        for (int k = 0; k < S; ++k) {
            const size_t slot = static_cast<size_t>(5 - k);
            const std::string &name = detail[static_cast<size_t>(1 + S + k)];
            EXPECT_EQ(std::to_string(chord.Frets[slot]), detail[static_cast<size_t>(1 + k)]) << out.detailLines[i];
            const int pitch = SoundingPitch(chord, static_cast<int>(slot), ctx);
            EXPECT_EQ(pitch == kNoPitch ? "" : std::string(NoteNameOfPitch(pitch - 40)), name) << out.listLines[i];
            if (r.shortFifthString && k == 0) {
                EXPECT_FALSE(chord.Frets[slot] >= 1 && chord.Frets[slot] <= 4) << out.listLines[i];
            }
        }
        EXPECT_TRUE(seen.insert(LowerCaseAscii(out.detailLines[i])).second) << "listed twice: " << out.detailLines[i];
    }
}

TEST(ChordSearch, GoldenCases) {
    const fs::path data = fs::path(TW_TEST_DATA_DIR);
    std::vector<fs::path> cases;
    for (const auto &entry : fs::directory_iterator(data))
        if (entry.is_directory())
            cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    ASSERT_GE(cases.size(), 10u);
    TFormulaTable table;
    for (const fs::path &dir : cases) {
        SCOPED_TRACE(dir.filename().string());
        const TChordSearchRequest r = ReadRequest(dir / "request.txt");
        const TChordSearchOutcome out = CalculateChords(table, r);
        std::ifstream expected(dir / "expected.txt");
        std::string line;
        ASSERT_TRUE(std::getline(expected, line));
        EXPECT_EQ(line, "count " + std::to_string(out.result));
        EXPECT_EQ(out.listLines.size(), size_t(out.result));
        for (size_t i = 0; std::getline(expected, line); ++i) {
            ASSERT_LT(i / 2, out.listLines.size());
            EXPECT_EQ(i % 2 == 0 ? out.listLines[i / 2] : out.detailLines[i / 2], line);
        }
        ExpectVoicingsSoundTheirNotes(r, out);
    }
}

TEST(ChordSearch, OpenStringsOfEveryFrettedKind) {
    // clang-format off
    const struct { const char *kind, *spelling; int strings; std::vector<std::string> names; } cases[] = {
        {"guitar", "242424242424", 6, {"E", "A", "D", "G", "B", "E"}},
        {"bass", "242412121212", 4, {"E", "A", "D", "G"}},
        {"banjo (short string as stored)", "242728292946", 5, {"D", "D", "G", "B", "D"}},
        {"mandolin", "242445434139", 4, {"G", "D", "A", "E"}},
        {"tenor banjo", "512938363432", 4, {"C", "G", "D", "A"}},
        {"ukulele", "242438383951", 4, {"G", "C", "E", "A"}},
        {"a pair that is no number reads as 24", "24242424242x", 6, {"E", "A", "D", "G", "B", "E"}},
    };
    // clang-format on
    for (const auto &c : cases) {
        const auto open = OpenStringPitches(c.spelling, c.strings);
        std::vector<std::string> names;
        for (int k = 0; k < c.strings; ++k)
            names.emplace_back(NoteNameOfPitch(open[static_cast<size_t>(k)]));
        EXPECT_EQ(names, c.names) << c.kind;
    }
}

TEST(ChordSearch, PositionsChooseTheFretWindows) {
    EXPECT_EQ(PositionWindows("ALL").size(), 12u);
    EXPECT_EQ(PositionWindows("0"), std::vector<int>{0});
    EXPECT_EQ(PositionWindows("1"), std::vector<int>{0});
    EXPECT_EQ(PositionWindows("5"), std::vector<int>{4});
    TFormulaTable table;
    TChordSearchRequest r = Guitar("G", "Major");
    r.position = "0";
    const auto zero = CalculateChords(table, r);
    r.position = "1";
    EXPECT_EQ(CalculateChords(table, r).detailLines, zero.detailLines);
    // Position 5 with reach 4 uses frets 5..8 (and open strings only when asked for).
    r.position = "5";
    for (const bool open : {false, true}) {
        r.includeOpenStrings = open;
        const auto out = CalculateChords(table, r);
        ASSERT_GT(out.result, 0);
        std::set<int> frets;
        for (const auto &line : out.detailLines)
            for (int k = 1; k <= 6; ++k)
                frets.insert(std::stoi(Fields(line)[static_cast<size_t>(k)]));
        EXPECT_EQ(*std::next(frets.begin(), frets.count(-1) + frets.count(0)), 5) << open;
        EXPECT_LE(*frets.rbegin(), 8);
        EXPECT_EQ(frets.count(0) == 1, open);
    }
    // With open strings for all positions, fret 12 is never offered.
    r = Guitar("E", "Major");
    r.includeOpenStrings = true;
    r.reach = 8;
    for (const auto &line : CalculateChords(table, r).detailLines)
        for (int k = 1; k <= 6; ++k)
            EXPECT_NE(Fields(line)[static_cast<size_t>(k)], "12") << line;
}

TEST(ChordSearch, OptionsShapeTheVoicings) {
    TFormulaTable table;
    // Without unplayed inside strings, silent strings lie only below the lowest sounding one,
    // so a melody on string 2 (string 1 silent above it) finds nothing.
    TChordSearchRequest r = Guitar("C", "Major");
    for (const auto &line : CalculateChords(table, r).detailLines) {
        const auto f = Fields(line);
        const auto first = std::find_if(f.begin() + 1, f.begin() + 7, [](const std::string &x) { return x != "-1"; });
        EXPECT_TRUE(std::none_of(first, f.begin() + 7, [](const std::string &x) { return x == "-1"; })) << line;
    }
    r.melodyString = 2;
    r.melodyNote = "C";
    EXPECT_EQ(CalculateChords(table, r).result, 0);
    r.allowInsideUnplayed = true;
    for (const auto &line : CalculateChords(table, r).detailLines) {
        EXPECT_EQ(Fields(line)[5 + 6], "C") << line; // string 2 sounds the melody note
        EXPECT_EQ(Fields(line)[6], "-1") << line;    // string 1 is silent
    }
    // Root on the lowest string: the lowest sounding of indexes 0..3 sounds the root; a
    // three-string instrument finds nothing.
    r = Guitar("A", "minor");
    r.rootOnLowest = true;
    const auto rooted = CalculateChords(table, r);
    ASSERT_GT(rooted.result, 0);
    for (const auto &line : rooted.detailLines) {
        const auto f = Fields(line);
        const auto lowest =
            std::find_if(f.begin() + 7, f.begin() + 11, [](const std::string &x) { return !x.empty(); });
        ASSERT_NE(lowest, f.begin() + 11) << line;
        EXPECT_EQ(*lowest, "A") << line;
    }
    r.stringCount = 3;
    EXPECT_EQ(CalculateChords(table, r).result, 0);
    // Without a root a dominant seventh may leave the root out.
    r = Guitar("C", "7");
    r.noRoot = true;
    const auto rootless = CalculateChords(table, r);
    EXPECT_TRUE(std::any_of(rootless.detailLines.begin(), rootless.detailLines.end(), [](const std::string &line) {
        const auto f = Fields(line);
        return std::find(f.begin() + 7, f.begin() + 13, "C") == f.begin() + 13;
    }));
    // Flat roots search as sharps; detail lines keep the root as passed.
    r = Guitar("Bb", "Major");
    const auto flat = CalculateChords(table, r);
    ASSERT_GT(flat.result, 0);
    EXPECT_EQ(flat.listLines[0].substr(0, 9), "A# Major,");
    EXPECT_EQ(flat.detailLines[0].substr(0, 9), "Bb Major,");
}

TEST(ChordSearch, TooManyDegreesWarnsAndUnknownTypesFindNothing) {
    TFormulaTable table;
    TChordSearchRequest r = Guitar("C", "Maj13");
    r.stringCount = 4;
    r.tuningSpelling = "242412121212";
    EXPECT_EQ(CalculateChords(table, r).warning, kCannotCalculate);
    r.noRoot = true;
    EXPECT_EQ(CalculateChords(table, r).warning, kCannotCalculateNoRoot);
    r = Guitar("C", "Nonesuch");
    const auto none = CalculateChords(table, r);
    EXPECT_TRUE(none.listLines.empty() && none.warning.empty() && none.result == 0);
    r.userDefined = true; // a user formula that was refused (empty) finds nothing
    EXPECT_EQ(CalculateChords(table, r).result, 0);
    // An unknown degree in a user row counts as the root and is reported once.
    table.AddUserRows({"Odd, odd, 1-3-x5", "Odd, odd, 1-x5"});
    r = Guitar("C", "Odd");
    const auto odd = CalculateChords(table, r);
    EXPECT_EQ(odd.unknown.names, std::vector<std::string>{"x5"});
    EXPECT_GT(odd.result, 0);
}

TEST(ChordSearch, StopKeepsWhatWasFound) {
    TFormulaTable table;
    const TChordSearchRequest r = Guitar("C", "Major");
    int polls = 0;
    const auto out = CalculateChords(table, r, [&polls](int found) {
        ++polls;
        return found >= 3;
    });
    EXPECT_TRUE(out.stopped);
    EXPECT_EQ(out.result, 0);
    EXPECT_GE(out.listLines.size(), 3u);
    EXPECT_LT(out.listLines.size(), size_t(CalculateChords(table, r).result));
    EXPECT_GT(polls, 3);
    EXPECT_EQ(out.listLines.size(), out.detailLines.size());
    // Stopping at the first record that lists anything.
    TChordSearchRequest first = r;
    first.stopAtFirst = true;
    const auto early = CalculateChords(table, first);
    EXPECT_FALSE(early.stopped);
    EXPECT_GT(early.result, 0);
    EXPECT_LT(early.result, CalculateChords(table, r).result);
}

} // namespace
