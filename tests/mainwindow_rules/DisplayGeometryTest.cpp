#include "mainwindow/rules/DisplayGeometry.h"

#include <gtest/gtest.h>

using namespace display;

namespace {

TEST(DisplayTime, SplitsAndFormats) {
    const struct {
        int ms;
        const char *text;
    } cases[] = {
        {3723456, "01:02:03.45"},    {999, "00:00:00.99"},   {0, "00:00:00.00"},
        {59999, "00:00:59.99"},      {60000, "00:01:00.00"}, {3599999, "00:59:59.99"},
        {360000000, "100:00:00.00"}, {-5, "00:00:00.00"},    {2147483647, "596:31:23.64"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatTime(SplitTime(c.ms)), c.text) << c.ms;
    EXPECT_EQ(SplitTime(3723456), (TimeParts{1, 2, 3, 45}));
}

TEST(DisplayBevel, InsetFollowsTheBevels) {
    EXPECT_EQ(BevelInset(TBevelCut::None, TBevelCut::None), 0);
    EXPECT_EQ(BevelInset(TBevelCut::None, TBevelCut::Raised), 1);
    EXPECT_EQ(BevelInset(TBevelCut::None, TBevelCut::Space), 1);
    EXPECT_EQ(BevelInset(TBevelCut::Lowered, TBevelCut::None), 2);
}

TEST(DisplayBevel, FrameLines) {
    const BevelLines l = BevelFrame(1, 2, 10, 5);
    EXPECT_EQ(l.topLeft, (std::array<Point, 3>{Point{1, 7}, Point{1, 2}, Point{12, 2}}));
    EXPECT_EQ(l.bottomRight, (std::array<Point, 3>{Point{11, 3}, Point{11, 7}, Point{1, 7}}));
}

TEST(DisplayPosLayout, BoxesWithoutSpacingOrBevels) {
    const PosLayout l = LayoutPosDisplay(139, 20, 0, TBevelCut::None, TBevelCut::None, 10);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(l.boxes[i].left, 46 * i) << i;
        EXPECT_EQ(l.boxes[i].Width(), 46) << i;
        EXPECT_EQ(l.boxes[i].top, 0);
        EXPECT_EQ(l.boxes[i].Height(), 20);
    }
    EXPECT_EQ(l.textLine, (20 - 10) / 2 + 1);
}

TEST(DisplayPosLayout, BoxesInsideBevelsWithSpacing) {
    // 100 x 20, spacing 4, both bevels: W = (100 - 8) / 3 - 1 = 29, h = 19, b = 2.
    const PosLayout l = LayoutPosDisplay(100, 20, 4, TBevelCut::Lowered, TBevelCut::Raised, 9);
    EXPECT_EQ(l.inset, 2);
    EXPECT_EQ(l.outerBevels[1], (Rect{34, 0, 63, 19}));
    EXPECT_EQ(l.outerBevels[2], (Rect{68, 0, 97, 19}));
    EXPECT_EQ(l.innerBevels[2], (Rect{69, 1, 96, 18}));
    EXPECT_EQ(l.boxes[0], (Rect{2, 2, 28, 18}));
    EXPECT_EQ(l.boxes[1], (Rect{36, 2, 62, 18}));
    EXPECT_EQ(l.boxes[2], (Rect{70, 2, 96, 18}));
    // Each box lies inside its inner bevel.
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(l.boxes[i].left, l.innerBevels[i].left);
        EXPECT_LE(l.boxes[i].right, l.innerBevels[i].right);
    }
    EXPECT_EQ(l.textLine, (16 - 9) / 2 + 3);
    EXPECT_EQ(BoxAt(l, 2, 2), 0);
    EXPECT_EQ(BoxAt(l, 28, 10), -1); // right edge is outside
    EXPECT_EQ(BoxAt(l, 40, 10), 1);
    EXPECT_EQ(BoxAt(l, 95, 17), 2);
    EXPECT_EQ(BoxAt(l, 95, 18), -1);
    EXPECT_EQ(BoxAt(l, -1, 5), -1);
}

TEST(DisplayPosLayout, TinyControlGivesEmptyBoxesNotNegativeHits) {
    const PosLayout l = LayoutPosDisplay(2, 1, 5, TBevelCut::Lowered, TBevelCut::Lowered, 12);
    for (int x = -3; x < 5; ++x)
        for (int y = -3; y < 5; ++y)
            EXPECT_EQ(BoxAt(l, x, y), -1);
}

TEST(DisplayTimeLayout, TextRectangleInsideTheBevels) {
    const TimeLayout l = LayoutTimeDisplay(100, 20, TBevelCut::None, TBevelCut::Lowered);
    EXPECT_EQ(l.inset, 1);
    EXPECT_EQ(l.outerBevel, (Rect{0, 0, 99, 19}));
    EXPECT_EQ(l.innerBevel, (Rect{1, 1, 98, 18}));
    EXPECT_EQ(l.textRect, (Rect{1, 1, 98, 18}));
}

TEST(DisplayText, Alignment) {
    const Rect box{10, 0, 50, 20};
    EXPECT_EQ(AlignTextLeft(box, 8, TTextAlign::Left), 11);
    EXPECT_EQ(AlignTextLeft(box, 8, TTextAlign::Right), 41);
    EXPECT_EQ(AlignTextLeft(box, 8, TTextAlign::Center), 26);
}

TEST(DisplayRepeat, IntervalsShortenToFifty) {
    int interval = kFirstRepeatMs;
    std::vector<int> seen{interval};
    for (int i = 0; i < 4; ++i)
        seen.push_back(interval = NextRepeatInterval(interval));
    EXPECT_EQ(seen, (std::vector<int>{300, 200, 100, 50, 50}));
    EXPECT_EQ(NextRepeatInterval(150), 50);
    EXPECT_EQ(NextRepeatInterval(149), 50);
}

} // namespace
