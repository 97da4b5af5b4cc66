#include "mainwindow/rules/FretboardModel.h"

#include <gtest/gtest.h>

namespace {

struct TuningCase {
    int tab;
    int highestString; // -1: the tab's own
    const char *text;
};

TEST(TuningText, OpenStringsFromTheLowestUpWithEmptyNamesKept) {
    const TuningCase cases[] = {
        {6, -1, "E A D G B E"}, // six strings
        {13, -1, "G D G B D "}, // five strings: the short string at its fifth fret, no sixth name
        {12, -1, "E A D G  "},  // four strings: two empty names
        {16, -1, "G C E A  "},
        {15, -1, "C G D A  "},
        {6, 2, ""},   // three strings: no tuning text
        {1, -1, ""},  // Piano
        {10, -1, ""}, // Drums
    };
    for (const auto &c : cases) {
        TInstrumentTab tab = DefaultInstrumentTab(c.tab);
        if (c.highestString >= 0)
            tab.HighestString = c.highestString;
        EXPECT_EQ(GetTuningText(tab), c.text) << c.tab << "/" << c.highestString;
    }
}

} // namespace
