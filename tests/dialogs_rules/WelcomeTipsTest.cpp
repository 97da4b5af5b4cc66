#include "dialogs/rules/WelcomeTips.h"

#include <gtest/gtest.h>

namespace {

TEST(WelcomeTips, TipsAreTheLinesBetweenMarkers) {
    const std::vector<std::string> memo = SplitTipText("~\nfirst a\nfirst b\n~ ignored text\nsecond\n~\n");
    EXPECT_EQ(TipCount(memo), 3);
    EXPECT_EQ(TipLines(memo, 1), (std::vector<std::string>{"first a", "first b"}));
    EXPECT_EQ(TipLines(memo, 2), std::vector<std::string>{"second"});
    EXPECT_TRUE(TipLines(memo, 3).empty());
    EXPECT_TRUE(TipLines(memo, 4).empty());
    EXPECT_TRUE(TipLines(memo, 0).empty());
}

TEST(WelcomeTips, StepsWrapAtBothEnds) {
    const struct {
        int last, delta, count, next;
    } cases[] = {{0, +1, 40, 1},
                 {39, +1, 40, 40},
                 {40, +1, 40, 1},
                 {1, -1, 40, 40},
                 {0, -1, 40, 40},
                 {75, +1, 40, 1},
                 {5, +1, 0, 0},
                 {5, -1, 0, 0},
                 // a number from the settings outside the range steps as its nearest end does
                 {2147483647, +1, 40, 1},
                 {2147483647, -1, 40, 39},
                 {-2147483647 - 1, -1, 40, 40}};
    for (const auto &c : cases)
        EXPECT_EQ(StepTip(c.last, c.delta, c.count), c.next) << c.last << " " << c.delta;
    EXPECT_EQ(TipCounterText(1, 69), "Tip 1 of 69");
    EXPECT_EQ(TipCounterText(0, 0), "");
}

TEST(WelcomeTips, EveryBuiltInTipHasText) {
    const std::vector<std::string> &memo = BuiltInTipLines();
    ASSERT_FALSE(memo.empty());
    EXPECT_EQ(memo.front(), "~");
    const int count = TipCount(memo);
    EXPECT_GE(count, 30);
    for (int n = 1; n <= count; ++n)
        EXPECT_FALSE(TipLines(memo, n).empty()) << n;
}

} // namespace
