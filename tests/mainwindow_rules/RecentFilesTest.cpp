#include "mainwindow/rules/RecentFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(RecentFilesTest, OpeningASeventhSongDropsTheOldest) {
    TRecentList list;
    for (const char *p : {"/s/1.twd", "/s/2.twd", "/s/3.twd", "/s/4.twd", "/s/5.twd", "/s/6.twd", "/s/7.twd"})
        AddRecentFile(list, p);
    EXPECT_EQ(list, (TRecentList{"/s/7.twd", "/s/6.twd", "/s/5.twd", "/s/4.twd", "/s/3.twd", "/s/2.twd"}));
}

TEST(RecentFilesTest, AFewEntriesLeaveTheRestEmpty) {
    TRecentList list;
    AddRecentFile(list, "/a.twd");
    AddRecentFile(list, "/b.twd");
    AddRecentFile(list, "");
    EXPECT_EQ(list, (TRecentList{"/b.twd", "/a.twd", "", "", "", ""}));
}

TEST(RecentFilesTest, ReopeningAnEntryTradesPlacesWithTheNewest) {
    TRecentList list{"A", "B", "C", "D", "", ""};
    AddRecentFile(list, "C");
    EXPECT_EQ(list, (TRecentList{"C", "B", "A", "D", "", ""}));
    PromoteRecentFile(list, "D");
    EXPECT_EQ(list, (TRecentList{"D", "B", "A", "C", "", ""}));
    PromoteRecentFile(list, "D"); // already the newest
    PromoteRecentFile(list, "X"); // not listed
    EXPECT_EQ(list, (TRecentList{"D", "B", "A", "C", "", ""}));
}

TEST(RecentFilesTest, PathsCompareAsTheyAreSpelt) {
    TRecentList list{"/songs/Blues.twd", "", "", "", "", ""};
    AddRecentFile(list, "/songs/blues.twd");
    EXPECT_EQ(list[0], "/songs/blues.twd");
    EXPECT_EQ(list[1], "/songs/Blues.twd");
}

TEST(RecentFilesTest, AmpersandsStayInThePathAndAreDoubledOnlyForTheMenu) {
    TRecentList list;
    AddRecentFile(list, "/songs/Rock & Roll.twd");
    EXPECT_EQ(list[0], "/songs/Rock & Roll.twd");
    EXPECT_EQ(RecentMenuCaption(list[0]), "/songs/Rock && Roll.twd");
    EXPECT_EQ(RecentMenuCaption("&&x&"), "&&&&x&&");
    EXPECT_EQ(FindRecentFile(list, "/songs/Rock  Roll.twd"), -1);
    EXPECT_EQ(FindRecentFile(list, "/songs/Rock & Roll.twd"), 0);
}

} // namespace
