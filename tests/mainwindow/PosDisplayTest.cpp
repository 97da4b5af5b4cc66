#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/playback/TimeDisplay.h"

#include "QtTestApp.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class DisplayWidgets : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TwTestApp(); }
};

TEST_F(DisplayWidgets, TimeDisplayShowsItsTimeAndRedrawsOnlyOnChange) {
    TTimeDisplay time;
    EXPECT_EQ(time.size(), QSize(100, 20));
    PaintCounter counter;
    time.installEventFilter(&counter);
    time.show();
    QCoreApplication::processEvents();

    counter.paints = 0;
    time.SetTime(999);
    QCoreApplication::processEvents();
    EXPECT_EQ(time.Text(), QStringLiteral("00:00:00.99"));
    EXPECT_EQ(counter.paints, 1);
    time.SetTime(999);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);

    time.SetTime(3723456);
    EXPECT_EQ(time.Text(), QStringLiteral("01:02:03.45"));
    EXPECT_EQ(time.Hours(), 1);
    EXPECT_EQ(time.Mins(), 2);
    EXPECT_EQ(time.Secs(), 3);
    EXPECT_EQ(time.CS(), 45);
}

TEST_F(DisplayWidgets, PosDisplayShowsBarAndBeatFromOne) {
    TPosDisplay pos;
    EXPECT_EQ(pos.size(), QSize(100, 20));
    pos.SetPosition(0, 0, 0);
    EXPECT_EQ(pos.BoxText(0), QStringLiteral("1"));
    EXPECT_EQ(pos.BoxText(1), QStringLiteral("1"));
    EXPECT_EQ(pos.BoxText(2), QStringLiteral("0"));
    pos.SetBeat(3);
    pos.SetTick(191);
    EXPECT_EQ(pos.BoxText(1), QStringLiteral("4"));
    EXPECT_EQ(pos.BoxText(2), QStringLiteral("191"));

    // The numbers really land on screen in the text colour.
    pos.SetTextColor(QColor(128, 0, 0));
    pos.resize(139, 20);
    QImage image(pos.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    pos.render(&image);
    int maroon = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            maroon += QColor(image.pixel(x, y)).red() > 60 && QColor(image.pixel(x, y)).green() < 60;
    EXPECT_GT(maroon, 5);
}

TEST_F(DisplayWidgets, HeldClickOnABoxRepeatsFasterAndStopsOnRelease) {
    TPosDisplay pos;
    pos.resize(139, 20);
    pos.SetSpacing(0);
    pos.SetBevelOuter(display::TBevelCut::None);
    std::vector<int> boxes;
    Qt::KeyboardModifiers mods;
    pos.OnBoxClicked = [&](TPosDisplay *sender, Qt::MouseButton button, int box, Qt::KeyboardModifiers m) {
        EXPECT_EQ(sender, &pos);
        EXPECT_EQ(button, Qt::LeftButton);
        boxes.push_back(box);
        mods = m;
    };
    pos.show();
    QTest::mouseMove(&pos, QPoint(60, 10));
    EXPECT_EQ(pos.HotBox(), 1);
    EXPECT_EQ(pos.cursor().shape(), Qt::PointingHandCursor);
    QTest::mousePress(&pos, Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 10));
    EXPECT_EQ(boxes, std::vector<int>{1});
    EXPECT_EQ(mods, Qt::ShiftModifier);
    EXPECT_TRUE(pos.Repeating());
    EXPECT_EQ(pos.RepeatInterval(), 300);
    // Let the repeat timer fire twice (300 ms, then 200 ms).
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.size() >= 3; }, 2000));
    EXPECT_EQ(boxes, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(pos.RepeatInterval(), 100);
    QTest::mouseRelease(&pos, Qt::LeftButton, Qt::NoModifier, QPoint(60, 10));
    EXPECT_FALSE(pos.Repeating());

    // Off the boxes: no hot box, the old cursor, no click.
    QTest::mouseMove(&pos, QPoint(138, 10)); // x 138 is past the third box
    EXPECT_EQ(pos.HotBox(), -1);
    EXPECT_EQ(pos.cursor().shape(), Qt::ArrowCursor);
    QTest::mousePress(&pos, Qt::LeftButton, Qt::NoModifier, QPoint(138, 10));
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_FALSE(pos.Repeating());
}

TEST_F(DisplayWidgets, ClickWithoutHandlerStartsNoRepeat) {
    TPosDisplay pos;
    pos.show();
    QTest::mousePress(&pos, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(pos.Repeating());
}

} // namespace
