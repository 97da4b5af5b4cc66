// The song information summary and the note arithmetic window, driven through their controls.
#include "dialogs/editor/FrmNoteMath.h"
#include "dialogs/pickers/FrmMixerSummary.h"

#include "platform/qt/TestServices.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename T> T *Child(QWidget &dialog, const char *name) {
    T *child = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class InfoDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }
    void Answer(std::function<void(QWidget &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
    }
    platform::TestServices services;
};

TSongSummary ThreeRows(int selected) {
    TSongSummary s;
    s.header = "   Tab ";
    s.rows = {"1  Piano 1 ", "6  Guitar 1", "12 Bass    "};
    s.selected = selected;
    return s;
}

TEST_F(InfoDialogsTest, SummaryShowsTheRowsAndNamesTheChosenTab) {
    TfrmMixerSummary summary(services.Get());
    QStringList rows;
    QString header;
    int shownRow = -2;
    bool fixedPitch = false;
    Answer([&](QWidget &d) {
        auto *list = Child<QListWidget>(d, "ListBox1");
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        header = Child<QLabel>(d, "Label1")->text();
        shownRow = list->currentRow();
        const QFontMetrics widths(list->font()); // every character as wide as any other
        fixedPitch =
            widths.horizontalAdvance(QStringLiteral("iiii")) == widths.horizontalAdvance(QStringLiteral("WWWW")) &&
            Child<QLabel>(d, "Label1")->font() == list->font();
        list->setCurrentRow(2);
        Child<QCheckBox>(d, "CheckBoxShowMixerAfterFileOpen")->click();
        QTest::mouseClick(Child<QPushButton>(d, "BitBtn1"), Qt::LeftButton);
    });
    TSummaryResult r = summary.Ask({ThreeRows(1), true});
    EXPECT_EQ(rows, (QStringList{"1  Piano 1 ", "6  Guitar 1", "12 Bass    "}));
    EXPECT_EQ(header, QStringLiteral("   Tab "));
    EXPECT_EQ(shownRow, 1);
    EXPECT_TRUE(fixedPitch);
    EXPECT_EQ(r.tab, 12);
    EXPECT_FALSE(r.showAfterFileOpen);
    EXPECT_EQ(services.modal.ShownDialogs().back().caption, QStringLiteral("Song Information"));

    // A double click chooses too; Esc keeps the selected row as OK does.
    Answer([&](QWidget &d) {
        auto *list = Child<QListWidget>(d, "ListBox1");
        const QPoint at = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    r = summary.Ask({ThreeRows(1), false});
    EXPECT_EQ(r.tab, 1);
    EXPECT_FALSE(r.showAfterFileOpen);
    Answer([&](QWidget &d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(summary.Ask({ThreeRows(2), true}).tab, 12);
    // No row of the current tab: nothing is chosen.
    Answer([&](QWidget &d) { QTest::mouseClick(Child<QPushButton>(d, "BitBtn1"), Qt::LeftButton); });
    EXPECT_EQ(summary.Ask({ThreeRows(-1), true}).tab, std::nullopt);
}

TEST_F(InfoDialogsTest, NoteMathShowsTheTablesTheTotalsInBoldAndStartsTheCalculator) {
    TfrmNoteMath math(services.Get());
    std::map<std::string, std::pair<QString, bool>> shown;
    Answer([&](QWidget &d) {
        for (const char *name :
             {"Labelwhole", "LabelSixtyfourth", "LabelWholeD", "LabelSixtyfourthD", "LabelWholeT", "LabelSixtyFourthT",
              "labelTotalWhole", "labelTotalHalf", "LabelTotalEighth", "LabelTotalSixtyFourth", "lblTotalTicks"}) {
            QLabel *l = Child<QLabel>(d, name);
            shown[name] = {l->text(), l->font().bold()};
        }
        QTest::mouseClick(Child<QPushButton>(d, "BitBtnWindowsCalculator"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(d, "BitBtn1"), Qt::LeftButton);
    });
    math.Ask({ComputeNoteMath({"C, x, 3, 2, 0, 1, 0, Q", "C, x, 3, 2, 0, 1, 0, Q", "C, x, 3, 2, 0, 1, 0, E"}, 192)});
    const std::map<std::string, std::pair<QString, bool>> expected = {{"Labelwhole", {"768", false}},
                                                                      {"LabelSixtyfourth", {"12", false}},
                                                                      {"LabelWholeD", {"1152", false}},
                                                                      {"LabelSixtyfourthD", {"18", false}},
                                                                      {"LabelWholeT", {"256", false}},
                                                                      {"LabelSixtyFourthT", {"4", false}},
                                                                      {"labelTotalWhole", {"0", false}},
                                                                      {"labelTotalHalf", {"1 (+)", false}},
                                                                      {"LabelTotalEighth", {"5", true}},
                                                                      {"LabelTotalSixtyFourth", {"40", true}},
                                                                      {"lblTotalTicks", {"Tick Count: 480", false}}};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(services.modal.ShownDialogs().back().caption, QStringLiteral("Number of lines selected: 3"));
    EXPECT_EQ(services.shell.Requests(), QStringList{QStringLiteral("calculator")});
    EXPECT_EQ(services.messages.Count(), 0);
    // Without a calculator the user is told so.
    services.shell.SetSucceed(false);
    Answer([&](QWidget &d) {
        QTest::mouseClick(Child<QPushButton>(d, "BitBtnWindowsCalculator"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(d, "BitBtn1"), Qt::LeftButton);
    });
    math.Ask({ComputeNoteMath({"C, x, 3, 2, 0, 1, 0, Q"}, 192)});
    EXPECT_EQ(services.messages.Texts(), QStringList{platform::CouldNotOpenText(QStringLiteral("a calculator"),
                                                                                platform::CalculatorCandidates())});
}

} // namespace
