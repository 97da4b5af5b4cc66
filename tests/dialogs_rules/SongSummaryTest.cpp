#include "dialogs/rules/SongSummary.h"

#include "song/NewSong.h"
#include "song/PatternStore.h"
#include "song/SongModel.h"

#include <gtest/gtest.h>

namespace {

TSongModel NewSong() {
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    return song;
}

TEST(SongSummary, PadRightCutsAndFillsByCharacters) {
    EXPECT_EQ(PadRight("6", 2), "6 ");
    EXPECT_EQ(PadRight("Electric Guitar", 10), "Electric G");
    EXPECT_EQ(PadRight("", 3), "   ");
    EXPECT_EQ(PadRight("Jürgen Bass Tab", 6), "Jürgen"); // six characters, seven bytes
    EXPECT_EQ(PadRight("ü", 2), "ü ");
}

TEST(SongSummary, HeaderAndRowColumnsLineUp) {
    const std::string header = SummaryHeader();
    EXPECT_EQ(header, "   Tab        Mute Vol  Chan Balance         Delay Trans Instrument                     ");
    TSongModel song = NewSong();
    TInstrumentTab &tab = song.Tab(6);
    tab.Name = "Twelve String";
    tab.Mute = true;
    tab.Volume = 90;
    tab.Channel = 9; // plays percussion whatever its program
    tab.Balance = 0;
    tab.Delay = 0;
    tab.Transpose = -12;
    const std::string row = SummaryRow(6, tab);
    EXPECT_EQ(row, "6  Twelve Str X    90   10   Full Left             -12   Drums                          ");
    EXPECT_EQ(row.size(), header.size());
    tab.Channel = 2;
    tab.Mute = false;
    tab.Delay = 24;
    tab.Transpose = 0;
    tab.Balance = 64;
    tab.PatchName = "Nylon-string Guitar";
    EXPECT_EQ(SummaryRow(16, tab),
              "16 Twelve Str      90   3    Center          24          Nylon-string Guitar            ");
}

TEST(SongSummary, ListsTabsWithContentAndSelectsTheCurrentOne) {
    TSongModel song = NewSong();
    song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, Q"};
    song.CurrentTab = 6;
    TSongSummary s = SongSummary(song, 0);
    ASSERT_EQ(s.rows.size(), 1u);
    EXPECT_EQ(s.rows[0].substr(0, 3), "6  ");
    EXPECT_EQ(s.selected, 0);

    song.CurrentTab = 1;
    EXPECT_EQ(SongSummary(song, 0).selected, -1);

    // The drum tab counts by its patterns, never by lines.
    int drumTab = 0;
    for (int t = 1; t <= kTabCount; ++t)
        if (song.Tab(t).Kind == TKind::Drums)
            drumTab = t;
    ASSERT_NE(drumTab, 0);
    song.Lines(2) = {"C, 48, x, x, x, x, x, x, x, x, x, Q"};
    song.Lines(drumTab) = {"left over"};
    song.CurrentTab = drumTab;
    s = SongSummary(song, 0);
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_EQ(s.selected, -1);
    s = SongSummary(song, 3);
    ASSERT_EQ(s.rows.size(), 3u);
    EXPECT_EQ(SummaryRowTab(s.rows[0]), 2);
    EXPECT_EQ(SummaryRowTab(s.rows[2]), drumTab);
    EXPECT_EQ(s.selected, 2);
}

TEST(SongSummary, RowTabIsTheFirstFieldWhenItIsATabNumber) {
    EXPECT_EQ(SummaryRowTab("12 Bass     "), 12);
    EXPECT_EQ(SummaryRowTab("6  Guitar"), 6);
    EXPECT_EQ(SummaryRowTab("17 Nothing"), std::nullopt);
    EXPECT_EQ(SummaryRowTab("   Tab  "), std::nullopt);
    EXPECT_EQ(SummaryRowTab(""), std::nullopt);
}

} // namespace
