// The tablature's note list, ASCII text and drawn layout. The ASCII text is checked against
// golden folders: tests/dialogs_rules/golden/tablature/<case>/ holds input.txt (the tab's
// lines), options.txt (tab=<default tab name>, durations=0|1, title=...) and expected.txt.
// A new case is a new folder.
#include "dialogs/rules/TablatureRules.h"

#include "song/SongModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path kGolden = fs::path(TW_SOURCE_DIR) / "tests/dialogs_rules/golden/tablature";

std::vector<std::string> ReadLines(const fs::path &path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The default context of the tab called `name` in a new song.
TLineContext ContextOf(const std::string &name) {
    const TSongModel song;
    for (int t = 1; t <= kTabCount; ++t)
        if (song.Tab(t).Name == name)
            return song.LineContext(t);
    ADD_FAILURE() << "no tab " << name;
    return {};
}

std::vector<std::string> GoldenCases() {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(kGolden))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class TablatureGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TablatureGolden, AsciiTextMatches) {
    const fs::path dir = kGolden / GetParam();
    std::map<std::string, std::string> options;
    for (const std::string &line : ReadLines(dir / "options.txt"))
        if (const size_t eq = line.find('='); eq != std::string::npos)
            options[line.substr(0, eq)] = line.substr(eq + 1);
    const TLineContext ctx = ContextOf(options["tab"]);
    const auto bars = ClosedBars(BuildNoteList(ReadLines(dir / "input.txt"), ctx));
    const auto text = BuildAsciiTab(bars, options["title"], ctx.HighestString, options["durations"] == "1");
    const auto expected = ReadLines(dir / "expected.txt");
    ASSERT_FALSE(expected.empty()) << dir / "expected.txt";
    EXPECT_EQ(text, expected) << "the text made:\n"
                              << [&] {
                                     std::ostringstream s;
                                     for (const std::string &l : text)
                                         s << l << "|\n";
                                     return s.str();
                                 }();
}

INSTANTIATE_TEST_SUITE_P(Cases, TablatureGolden, ::testing::ValuesIn(GoldenCases()),
                         [](const auto &info) { return info.param; });

TEST(TablatureNoteList, BarsCloseAtBlankLinesAndDirectivesStayOut) {
    const std::vector<std::string> lines{"C, x, 3, 2, 0, 1, 0, Q",  "*Tempo 80", "G, 3, 2, 0, 0, 0, 3, H", "", "",
                                         "Am, x, 0, 2, 2, 1, 0, Q", "   ",       "E, 0, 2, 2, 1, 0, 0, Q"};
    const auto records = BuildNoteList(lines, ContextOf("Guitar"));
    ASSERT_EQ(records.size(), 7u); // every line but the directive
    struct Expect {
        int group, index, size;
        bool blank;
    };
    const Expect expected[] = {{1, 1, 3, false}, {1, 2, 3, false}, {1, 3, 3, true}, {2, 1, 1, true},
                               {3, 1, 2, false}, {3, 2, 2, true},  {4, 1, 0, false}};
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].Group, expected[i].group) << i;
        EXPECT_EQ(records[i].IndexInGroup, expected[i].index) << i;
        EXPECT_EQ(records[i].GroupSize, expected[i].size) << i;
        EXPECT_EQ(records[i].IsBlankLine, expected[i].blank) << i;
    }
    EXPECT_EQ(records[0].Frets, (std::array<int32_t, 6>{0, 1, 0, 2, 3, -1}));
    EXPECT_EQ(records[1].Duration, "H");
    // The empty bar between the two blank lines and the unclosed last line are not shown.
    const auto bars = ClosedBars(records);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].notes.size(), 2u);
    EXPECT_EQ(bars[1].notes[0].Name, "Am");
    EXPECT_FALSE(TabLimitReached(bars));
}

// Fixed text sizes: 6 pixels a character, 10 high (20 for the title).
const TTabMeasure kMeasure{
    [](std::string_view text, TTabFont f) { return int(text.size()) * (f == TTabFont::Title ? 12 : 6); },
    [](TTabFont f) { return f == TTabFont::Title ? 20 : 10; }};

TTabBar Bar(int notes, int fret = 3) {
    TTabBar bar;
    for (int i = 0; i < notes; ++i) {
        TabNoteRecord r;
        r.Frets = {fret, -1, -1, -1, -1, 12};
        r.Duration = "Q";
        bar.notes.push_back(r);
    }
    bar.size = notes + 1;
    return bar;
}

bool HasText(const TTabPage &page, const TTabText &t) {
    return std::find(page.texts.begin(), page.texts.end(), t) != page.texts.end();
}

TEST(TablatureLayout, TwoBarsARowUnderTheCentredTitle) {
    const TTabGeometry g = ScreenTabGeometry(600); // row width 570
    const auto d = LayoutTabScreen({Bar(4), Bar(4), Bar(1)}, "Song", 5, true, g, kMeasure);
    ASSERT_EQ(d.pages.size(), 1u);
    const TTabPage &p = d.pages[0];
    EXPECT_TRUE(HasText(p, {285 - 24, 25, "Song", TTabFont::Title}));
    // Four notes in a bar of width 285: steps of 285 div 6; frets centred on their string rows.
    EXPECT_TRUE(HasText(p, {10 + 47, 95 - 5, "3", TTabFont::Notes}));
    EXPECT_TRUE(HasText(p, {10 + 4 * 47, 95 + 5 * 15 - 5, "12", TTabFont::Notes}));
    EXPECT_TRUE(HasText(p, {294 + 47, 95 - 5, "3", TTabFont::Notes}));      // the right bar
    EXPECT_TRUE(HasText(p, {10 + 95, 207 - 5, "3", TTabFont::Notes}));      // the next row, one note
    EXPECT_TRUE(HasText(p, {10 + 47, 95 + 90 - 10, "Q", TTabFont::Notes})); // duration under the strings
    // The legend below a full row still lies inside the view.
    const auto legend =
        std::find_if(p.texts.begin(), p.texts.end(), [](const TTabText &t) { return t.font == TTabFont::Legend; });
    ASSERT_NE(legend, p.texts.end());
    EXPECT_EQ(legend->y, 207 + 93);
    EXPECT_EQ(d.height, 300 + 20);
    // Without durations: neither durations nor legend, and two rows of 112 plus 95.
    const auto plain = LayoutTabScreen({Bar(4), Bar(4), Bar(1)}, "Song", 5, false, g, kMeasure);
    EXPECT_EQ(plain.height, 2 * 112 + 95);
    for (const TTabText &t : plain.pages[0].texts)
        EXPECT_TRUE(t.font != TTabFont::Legend && t.text != "Q") << t.text;
    // A title as wide as the row starts at the left edge.
    EXPECT_EQ(LayoutTabScreen({}, std::string(60, 'x'), 5, false, g, kMeasure).pages[0].texts[0].x, 0);
}

TEST(TablatureLayout, ABassStaffHasFourLinesAndShortBarLines) {
    const TTabGeometry g = ScreenTabGeometry(600);
    const auto guitar = LayoutTabScreen({Bar(2)}, "", 5, false, g, kMeasure).pages[0].lines;
    const auto bass = LayoutTabScreen({Bar(2)}, "", 3, false, g, kMeasure).pages[0].lines;
    EXPECT_EQ(guitar.size(), 2u + 6u);
    ASSERT_EQ(bass.size(), 2u + 4u);
    EXPECT_EQ(bass[0], (TTabLine{10, 95 + 30, 10, 95 + 75}));
    EXPECT_EQ(bass[2], (TTabLine{10, 95 + 30, 10 + 285, 95 + 30}));
    EXPECT_EQ(guitar[0], (TTabLine{10, 95, 10, 95 + 75}));
}

TEST(TablatureLayout, ABarShowsItsFirst32Notes) {
    const auto bars = std::vector<TTabBar>{Bar(40, 7)};
    EXPECT_TRUE(TabLimitReached(bars));
    const auto p = LayoutTabScreen(bars, "", 5, false, ScreenTabGeometry(600), kMeasure).pages[0];
    EXPECT_EQ(std::count_if(p.texts.begin(), p.texts.end(), [](const TTabText &t) { return t.text == "7"; }), 32);
    EXPECT_EQ(TabLimitWarning(false),
              "Tab Warning: 32 notes per bar limit reached. Use \"Editor/Group Lines By Bar\" command.");
    EXPECT_EQ(TabLimitWarning(true),
              "32 notes per bar limit reached. Use \"Editor/Group Lines By Bar\" command and try again.");
}

TEST(TablatureLayout, PrintedPagesHoldSevenRowsEach) {
    // On any page: spacing PH div 60, rows 7.5 spacings apart from 7.5 spacings down; a row
    // whose bottom + 7.5 spacings passes the page ends it, which the seventh row does.
    for (const auto &[width, pageHeight] : {std::pair{4800, 6600}, std::pair{1000, 1400}}) {
        const int height = pageHeight; // a lambda may not capture a structured binding everywhere
        const TTabGeometry g = PrinterTabGeometry(width, height);
        auto pages = [&](int bars, bool durations) {
            return LayoutTabPrint(std::vector<TTabBar>(size_t(bars), Bar(3)), "T", 5, durations, g, height, kMeasure)
                .pages.size();
        };
        EXPECT_EQ(pages(0, false), 1u);
        EXPECT_EQ(pages(14, false), 1u);
        EXPECT_EQ(pages(15, false), 2u);
        EXPECT_EQ(pages(28, false), 2u);
        EXPECT_EQ(pages(29, true), 3u);
    }
    const TTabGeometry g = PrinterTabGeometry(4800, 6600);
    auto withLegend = [&](int bars) {
        return LayoutTabPrint(std::vector<TTabBar>(size_t(bars), Bar(3)), "T", 5, true, g, 6600, kMeasure).pages.size();
    };
    EXPECT_EQ(withLegend(12), 1u);
    EXPECT_EQ(withLegend(13), 2u); // the legend no longer fits under the seventh row
    const auto d = LayoutTabPrint(std::vector<TTabBar>(15, Bar(3)), "Title", 5, false, g, 6600, kMeasure);
    EXPECT_TRUE(HasText(d.pages[1], {g.rowWidth - 2 * 42, 0, "Page: 2", TTabFont::PageNumber}));
    EXPECT_TRUE(HasText(d.pages[1], {(g.rowWidth + 50) / 2 - 30, 110, "Title", TTabFont::Title}));
    // The fifteenth bar starts the second page's first row on the left.
    EXPECT_TRUE(HasText(d.pages[1], {50 + (g.rowWidth / 2) / 5, g.firstRowTop - 5, "3", TTabFont::Notes}));
}

// The second duration line of a one-note bar (gap 12): the text, a single letter after a blank,
// then the gap; a text longer than two characters eats into the gap; no text leaves the gap alone.
TEST(TablatureAscii, DurationTextsArePaddedByTheGap) {
    struct Case {
        std::string duration, expected;
    };
    const Case cases[] = {
        {"Q", std::string(13, ' ') + " Q" + std::string(12, ' ') + " "},
        {"Q.", std::string(13, ' ') + "Q." + std::string(12, ' ') + " "},
        {"Q./", std::string(13, ' ') + "Q./" + std::string(11, ' ') + " "},
        {"", std::string(13, ' ') + std::string(12, ' ') + " "},
        {"  ", std::string(13, ' ') + std::string(12, ' ') + " "},
    };
    for (const Case &c : cases) {
        TTabBar bar = Bar(1);
        bar.notes[0].Duration = c.duration;
        const auto text = BuildAsciiTab({bar}, "", 5, true);
        // The title block (5 lines), six string lines, then the two duration lines.
        ASSERT_GT(text.size(), 12u);
        EXPECT_EQ(text[12], c.expected) << "\"" << c.duration << "\"";
    }
}

TEST(TablatureKeys, ScrollStepsStayInsideTheRange) {
    struct Case {
        TTabKey key;
        int position, maximum, expected;
    };
    const Case cases[] = {
        {TTabKey::PageDown, 0, 500, 50},    {TTabKey::PageDown, 450, 500, 500}, {TTabKey::PageDown, 480, 500, 480},
        {TTabKey::PageDown, 500, 500, 500}, {TTabKey::PageUp, 120, 500, 70},    {TTabKey::PageUp, 30, 500, 0},
        {TTabKey::Down, 0, 500, 10},        {TTabKey::Down, 490, 500, 500},     {TTabKey::Down, 495, 500, 495},
        {TTabKey::Up, 25, 500, 15},         {TTabKey::Up, 10, 500, 0},          {TTabKey::Up, 4, 500, 0},
        {TTabKey::Down, 0, 0, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TabScrollAfterKey(c.key, c.position, c.maximum), c.expected) << int(c.key) << " at " << c.position;
}

} // namespace
