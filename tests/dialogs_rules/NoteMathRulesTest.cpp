#include "dialogs/rules/NoteMathRules.h"

#include <gtest/gtest.h>

namespace {

TEST(NoteMathRules, QuarterQuarterEighthFillsEighthsEvenly) {
    const TNoteMath m =
        ComputeNoteMath({"C, x, 3, 2, 0, 1, 0, Q", "G, 3, 2, 0, 0, 0, 3, q", "Am, x, 0, 2, 2, 1, 0, E"}, 192);
    EXPECT_EQ(m.ticks, 480);
    EXPECT_EQ(m.caption, "Number of lines selected: 3");
    EXPECT_EQ(m.tickCountText, "Tick Count: 480");
    const char *texts[kNoteValues] = {"0", "1 (+)", "2 (+)", "5", "10", "20", "40"};
    const bool bold[kNoteValues] = {false, false, false, true, true, true, true};
    for (int i = 0; i < kNoteValues; ++i) {
        EXPECT_EQ(m.totals[size_t(i)].text, texts[i]) << i;
        EXPECT_EQ(m.totals[size_t(i)].bold, bold[i]) << i;
    }
}

TEST(NoteMathRules, DirectivesBlankAndBadDurationsCountNothingTiesCountWhole) {
    const TNoteMath m =
        ComputeNoteMath({"*Tempo 90", "", "C, x, 3, 2, 0, 1, 0, QQ", "C, 48, x, x, x, x, x, x, x, x, x, .Q-/E"}, 192);
    EXPECT_EQ(m.ticks, 320);
    EXPECT_EQ(m.lineCount, 4);
    EXPECT_EQ(m.totals[2].text, "1 (+)");
    EXPECT_EQ(m.totals[6].text, "26 (+)");
    EXPECT_EQ(ComputeNoteMath({}, 192).totals[0].text, "0");
}

TEST(NoteMathRules, TickTableAt192) {
    const TNoteMath m = ComputeNoteMath({}, 192);
    EXPECT_EQ(m.regular, (std::array<int, kNoteValues>{768, 384, 192, 96, 48, 24, 12}));
    EXPECT_EQ(m.dotted, (std::array<int, kNoteValues>{1152, 576, 288, 144, 72, 36, 18}));
    EXPECT_EQ(m.triplet, (std::array<int, kNoteValues>{256, 128, 64, 32, 16, 8, 4}));
}

} // namespace
