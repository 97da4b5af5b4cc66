#include "song/LineTransforms.h"

#include <gtest/gtest.h>

namespace {

TLineContext Tab(int number) {
    TLineContext c = MakeLineContext(DefaultInstrumentTab(number), 120);
    c.Volume = 100;
    return c;
}
const TLineContext kGuitar = Tab(6), kPiano = Tab(1), kBanjo = Tab(13), kUke = Tab(16);

TEST(Transpose, FrettedLines) {
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"C, x, 3, 2, 0, 1, 0, Q", "C, x, 4, 3, 1, 2, 1, Q", "C, x, 2, 1, x, 0, x, Q"},
        {"E, 24, x, x, x, x, 0, h", "E, x, x, x, x, x, 1, h", "E, 23, x, x, x, x, x, h"},
        // Each string keeps its own duration, volume and fingering.
        {"G, 3|E|90|2, 2, 0, 0, 0, 3, q", "G, 4|E|90|2, 3, 1, 1, 1, 4, Q", "G, 2|E|90|2, 1, x, x, x, 2, Q"},
        {"*Tempo 90", "*Tempo 90", "*Tempo 90"},
        {"", "", ""},
        {"C, x, 3, 2, 0, 1, Q", "C, x, 3, 2, 0, 1, Q", "C, x, 3, 2, 0, 1, Q"}, // does not parse
    };
    for (const auto &[line, up, down] : cases) {
        EXPECT_EQ(TransposeLineUp(line, kGuitar), up) << line;
        EXPECT_EQ(TransposeLineDown(line, kGuitar), down) << line;
    }
}

TEST(Transpose, BanjoShortStringSkipsTheMissingFrets) {
    EXPECT_EQ(TransposeLineUp("G, 0, 0, 0, 0, 0, Q", kBanjo), "G, 6, 1, 1, 1, 1, Q");
    EXPECT_EQ(TransposeLineDown("G, 6, 2, 2, 2, 2, Q", kBanjo), "G, 0, 1, 1, 1, 1, Q");
    EXPECT_EQ(TransposeLineUp("G, 7, 0, 0, 0, 0, Q", kBanjo), "G, 8, 1, 1, 1, 1, Q");
}

TEST(Transpose, PianoLines) {
    EXPECT_EQ(TransposeLineUp("C, 48, 52, 107, x, x, x, x, x, x, x, q", kPiano),
              "C, 49, 53, x, x, x, x, x, x, x, x, Q");
    EXPECT_EQ(TransposeLineDown("C, 28, 60|E|90|R1, x, x, x, x, x, x, x, x, Q", kPiano),
              "C, x, 59|E|90|R1, x, x, x, x, x, x, x, x, Q");
}

TEST(Transpose, RangeMovesEachLineAllItsStepsInTurn) {
    std::vector<std::string> lines = {"C, x, 3, 2, 0, 1, 0, Q", "*Volume 90", "A, x, 0, 2, 2, 2, 0, Q"};
    EXPECT_TRUE(TransposeHigher(lines, 0, 2, 12, kGuitar));
    EXPECT_EQ(lines[0], "C, x, 15, 14, 12, 13, 12, Q");
    EXPECT_EQ(lines[2], "A, x, 12, 14, 14, 14, 12, Q");
    int steps = 0;
    const bool done = TransposeLower(lines, 0, 2, 12, kGuitar, [&] { return ++steps == 14; });
    EXPECT_FALSE(done);
    EXPECT_EQ(lines[0], "C, x, 3, 2, 0, 1, 0, Q"); // twelve steps done
    EXPECT_EQ(lines[1], "*Volume 90");             // two steps of nothing, then stopped
    EXPECT_EQ(lines[2], "A, x, 12, 14, 14, 14, 12, Q");
}

TEST(KeepOneNote, ComparesSoundingPitches) {
    std::vector<std::string> lines = {"C, x, 3, 2, 0, 1, 0, Q", "*Tempo 90", "", "bad line"};
    auto low = lines, high = lines;
    EXPECT_TRUE(KeepOneNoteInChords(low, true, 0, 3, kGuitar));
    EXPECT_EQ(low, (std::vector<std::string>{"C, x, 3, x, x, x, x, Q", "*Tempo 90", "", "bad line"}));
    EXPECT_TRUE(KeepOneNoteInChords(high, false, 0, 3, kGuitar));
    EXPECT_EQ(high[0], "C, x, x, x, x, x, 0, Q");
    // Re-entrant ukulele (G C E A with a high G): the lowest note of an open C chord is the C.
    std::vector<std::string> uke = {"C, 0, 0, 0, 3, Q"};
    EXPECT_TRUE(KeepOneNoteInChords(uke, true, 0, 0, kUke));
    EXPECT_EQ(uke[0], "C, x, 0, x, x, Q");
    // Equal pitches: the lowest mode keeps the higher string, the highest mode the lower one.
    std::vector<std::string> unison = {"E, x, x, x, x, 5, 0, Q"};
    auto u2 = unison;
    KeepOneNoteInChords(unison, true, 0, 0, kGuitar);
    EXPECT_EQ(unison[0], "E, x, x, x, x, x, 0, Q");
    KeepOneNoteInChords(u2, false, 0, 0, kGuitar);
    EXPECT_EQ(u2[0], "E, x, x, x, x, 5, x, Q");
}

TEST(KeepOneNote, PianoAndStops) {
    std::vector<std::string> lines = {"Am, 57|E|90|R1, 60, 45, x, x, x, x, x, x, x, H",
                                      "Rest, x, x, x, x, x, x, x, x, x, x, Q"};
    EXPECT_TRUE(KeepOneNoteInChords(lines, true, 0, 1, kPiano));
    EXPECT_EQ(lines[0], "Am, 45, x, x, x, x, x, x, x, x, x, H");
    EXPECT_EQ(lines[1], "Rest, -1, x, x, x, x, x, x, x, x, x, Q");
    std::vector<std::string> keep = {"C, x, 3, 2, 0, 1, 0, Q", "D, x, x, 0, 2, 3, 2, Q"};
    const auto before = keep;
    EXPECT_FALSE(KeepOneNoteInChords(keep, true, 0, 1, kGuitar, [] { return true; }));
    EXPECT_EQ(keep, before);
}

TEST(GroupByBars, HeadersBeforeEachNewBar) {
    std::vector<std::string> lines = {"*Tempo 100",    "C, x, 3, 2, 0, 1, 0, H", "",
                                      "*** Bar 9 ***", "C, x, 3, 2, 0, 1, 0, H", "G, 3, 2, 0, 0, 0, 3, .H",
                                      "*Volume 80",    "G, 3, 2, 0, 0, 0, 3, Q", "D, x, x, 0, 2, 3, 2, W"};
    TPositionConductor c;
    ASSERT_TRUE(GroupLinesByBars(lines, kGuitar, c));
    const std::vector<std::string> expected = {"*Tempo 100",
                                               "",
                                               "*** Bar 1 ***",
                                               "C, x, 3, 2, 0, 1, 0, H",
                                               "C, x, 3, 2, 0, 1, 0, H",
                                               "",
                                               "*** Bar 2 ***",
                                               "G, 3, 2, 0, 0, 0, 3, .H",
                                               "*Volume 80",
                                               "G, 3, 2, 0, 0, 0, 3, Q",
                                               "",
                                               "*** Bar 3 ***",
                                               "D, x, x, 0, 2, 3, 2, W"};
    EXPECT_EQ(lines, expected);
    ASSERT_TRUE(GroupLinesByBars(lines, kGuitar, c));
    EXPECT_EQ(lines, expected);
    auto stopped = lines;
    EXPECT_FALSE(GroupLinesByBars(stopped, kGuitar, c, [] { return true; }));
    EXPECT_EQ(stopped, expected);
}

TEST(GroupByBars, NoHeaderBeforeALineThatDoesNotParse) {
    // The bad line still moves the song on by its duration field, but gets no header.
    std::vector<std::string> lines = {"C, x, 3, 2, 0, 1, 0, W", "C, x, 3, W", "C, x, 3, 2, 0, 1, 0, W"};
    ASSERT_TRUE(GroupLinesByBars(lines, kGuitar, TPositionConductor{}));
    EXPECT_EQ(lines, (std::vector<std::string>{"", "*** Bar 1 ***", "C, x, 3, 2, 0, 1, 0, W", "C, x, 3, W", "",
                                               "*** Bar 3 ***", "C, x, 3, 2, 0, 1, 0, W"}));
}

TEST(Reorder, ReverseAndShuffle) {
    std::vector<std::string> lines = {"a", "b", "c", "d", "e"};
    EXPECT_TRUE(ReverseLines(lines, 1, 3));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "d", "c", "b", "e"}));
    EXPECT_TRUE(ReverseLines(lines, 2, 2));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "d", "c", "b", "e"}));
    // Item i moves to the drawn position: always 0 moves each item to the front in turn.
    std::vector<std::string> shuffled = {"a", "b", "c"};
    EXPECT_TRUE(RandomizeLines(shuffled, 0, 2, [](int) { return 0; }));
    EXPECT_EQ(shuffled, (std::vector<std::string>{"c", "b", "a"}));
    std::vector<std::string> same = {"a", "b", "c"};
    EXPECT_TRUE(RandomizeLines(same, 0, 10, [](int n) { return n - 1; }));
    EXPECT_EQ(same.size(), 3u);
}

TEST(Reorder, AStopWhileCollectingLeavesEveryLineInPlace) {
    // The stop is asked once per collected line and never while writing: even a stop at the
    // last step leaves the lines as they were, none lost and none doubled.
    const std::vector<std::string> before = {"a", "b", "c", "d", "e"};
    for (int stopAt = 1; stopAt <= 4; ++stopAt) {
        int asked = 0;
        auto reversed = before;
        EXPECT_FALSE(ReverseLines(reversed, 1, 4, [&] { return ++asked == stopAt; }));
        EXPECT_EQ(reversed, before) << stopAt;
        asked = 0;
        auto shuffled = before;
        EXPECT_FALSE(RandomizeLines(
            shuffled, 1, 4, [](int) { return 0; }, [&] { return ++asked == stopAt; }));
        EXPECT_EQ(shuffled, before) << stopAt;
    }
    int asked = 0;
    auto reversed = before;
    EXPECT_TRUE(ReverseLines(reversed, 1, 4, [&] { return ++asked > 4; }));
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(reversed, (std::vector<std::string>{"a", "e", "d", "c", "b"}));
}

TEST(ClearNotes, FrettedAndPiano) {
    EXPECT_EQ(ClearNotesFromLine("Am, 57, 60, 64, x, x, x, x, x, x, x, H", kPiano).Text,
              "Piano, x, x, x, x, x, x, x, x, x, x, H");
    EXPECT_EQ(ClearNotesFromLine("C, x, 3, 2, 0, 1, 0, q", kGuitar).Text, "C, x, x, x, x, x, x, q");
    EXPECT_EQ(ClearNotesFromLine("C, x, 3|E|90|1, 2, 0, 1, 0, q", kGuitar).Text, "C, x, x, x, x, x, x, Q");
    const TLineEdit bad = ClearNotesFromLine("C, x, 3, 2, Q", kGuitar);
    EXPECT_FALSE(bad.Changed);
    EXPECT_EQ(bad.Error, "Fix the error or delete the line.");
    EXPECT_FALSE(ClearNotesFromLine("*Tempo 90", kGuitar).Changed);
    EXPECT_FALSE(ClearNotesFromLine("  ", kPiano).Changed);
}

TEST(LineValidity, FrettedThenPiano) {
    EXPECT_TRUE(IsLineValid("C, x, 3, 2, 0, 1, 0, Q", kGuitar));
    EXPECT_TRUE(IsLineValid("C, 48, 52, 55, x, x, x, x, x, x, x, Q", kGuitar));
    EXPECT_TRUE(IsLineValid("", kGuitar));
    EXPECT_TRUE(IsLineValid("*anything", kGuitar));
    EXPECT_FALSE(IsLineValid("C, x, 3, 2, 0, 1, 0, QQ", kGuitar));
}

} // namespace
