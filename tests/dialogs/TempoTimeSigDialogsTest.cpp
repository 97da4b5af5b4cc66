#include "dialogs/common/DialogControls.h"
#include "dialogs/pickers/FrmEnterTempo.h"
#include "dialogs/pickers/FrmEnterTimeSig.h"

#include "platform/qt/TestServices.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename T> T *Child(QWidget &dialog, const char *name) {
    T *child = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

TClickLabel *LabelWithText(QWidget &dialog, const char *text) {
    for (TClickLabel *label : dialog.findChildren<TClickLabel *>())
        if (label->text() == QString::fromUtf8(text))
            return label;
    ADD_FAILURE() << "no label " << text;
    return nullptr;
}

class TempoDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }
    platform::TestServices services;
    TFrmEnterTempo dialog{services.Get()};

    // Runs Ask with `drive` acting on the shown dialog; the dialog's own button decides the result.
    std::optional<int> AskDriven(int songTempo, std::function<void(QWidget &, QLineEdit &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d, *Child<QLineEdit>(d, "EditTempo"));
            return int(platform::mrNone);
        });
        return dialog.Ask({songTempo});
    }
};

TEST_F(TempoDialogTest, OkReturnsTheTypedTempoAndCancelNothing) {
    EXPECT_EQ(AskDriven(96,
                        [](QWidget &d, QLineEdit &edit) {
                            EXPECT_EQ(edit.text(), QStringLiteral("96"));
                            EXPECT_EQ(Child<QPushButton>(d, "BitBtnRestoreSongTempo")->text(), QStringLiteral("96"));
                            edit.selectAll();
                            QTest::keyClicks(&edit, QStringLiteral("2"));
                            QTest::mouseClick(Child<QPushButton>(d, "BitBtnOK"), Qt::LeftButton);
                        }),
              2);
    EXPECT_EQ(AskDriven(96, [](QWidget &d,
                               QLineEdit &) { QTest::mouseClick(Child<QPushButton>(d, "BitBtn1"), Qt::LeftButton); }),
              std::nullopt);
}

TEST_F(TempoDialogTest, TypingIsFilteredOnKeyRelease) {
    AskDriven(120, [](QWidget &, QLineEdit &edit) {
        edit.selectAll();
        QTest::keyClicks(&edit, QStringLiteral("1a-2"));
        EXPECT_EQ(edit.text(), QStringLiteral("12"));
        QTest::keyClicks(&edit, QStringLiteral("77"));
        EXPECT_EQ(edit.text(), QStringLiteral("500"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&edit, Qt::Key_Backspace);
        EXPECT_EQ(edit.text(), QStringLiteral("1"));
        QTest::keyClick(&edit, Qt::Key_Down); // would leave 1..500
        EXPECT_EQ(edit.text(), QStringLiteral("1"));
        QTest::keyClick(&edit, Qt::Key_Up);
        EXPECT_EQ(edit.text(), QStringLiteral("2"));
    });
}

TEST_F(TempoDialogTest, HalfDoubleRestoreAndOkOnZero) {
    EXPECT_EQ(AskDriven(300,
                        [](QWidget &d, QLineEdit &edit) {
                            QTest::mouseClick(Child<QPushButton>(d, "BitBtnDoubleTempo"), Qt::LeftButton);
                            EXPECT_EQ(edit.text(), QStringLiteral("500"));
                            QTest::mouseClick(Child<QPushButton>(d, "BitBtnRestoreSongTempo"), Qt::LeftButton);
                            EXPECT_EQ(edit.text(), QStringLiteral("300"));
                            edit.setText(QStringLiteral("1"));
                            QTest::mouseClick(Child<QPushButton>(d, "BitBtnHalfTempo"), Qt::LeftButton);
                            EXPECT_EQ(edit.text(), QStringLiteral("0"));
                            QTest::mouseClick(Child<QPushButton>(d, "BitBtnOK"), Qt::LeftButton);
                        }),
              1);
}

TEST_F(TempoDialogTest, MarkClickChoosesAndDoubleClickConfirms) {
    EXPECT_EQ(AskDriven(120,
                        [](QWidget &d, QLineEdit &edit) {
                            QTest::mouseClick(LabelWithText(d, "60 - Slow"), Qt::LeftButton);
                            EXPECT_EQ(edit.text(), QStringLiteral("60"));
                            QTest::mouseDClick(LabelWithText(d, "Presto"), Qt::LeftButton);
                        }),
              160);
}

TEST_F(TempoDialogTest, MissingSongTempoOpensAt120) {
    services.modal.QueueResult(platform::mrOk);
    EXPECT_EQ(dialog.Ask({0}), 120);
}

class TimeSigDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }
    platform::TestServices services;
    TfrmEnterTimeSig dialog{services.Get()};

    std::optional<std::string> AskDriven(const char *current, std::function<void(QWidget &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
        return dialog.Ask({current});
    }
    static void ClickOk(QWidget &d) { QTest::mouseClick(Child<QPushButton>(d, "BitBtn1"), Qt::LeftButton); }
};

TEST_F(TimeSigDialogTest, PresetDoubleClicksConfirm) {
    // clang-format off
    const struct { const char *label; const char *chosen; } cases[] = {
        {"Six eighth notes per bar", "0608"},
        {"Twelve eighth notes per bar", "1208"},
        {"Waltzes and ballads", "0304"},
    };
    // clang-format on
    for (const auto &c : cases) {
        EXPECT_EQ(AskDriven("0404", [&](QWidget &d) { QTest::mouseDClick(LabelWithText(d, c.label), Qt::LeftButton); }),
                  c.chosen)
            << c.label;
    }
}

TEST_F(TimeSigDialogTest, OkWithoutChangeReturnsTheInputAndCancelNothing) {
    EXPECT_EQ(AskDriven("0304", ClickOk), "0304");
    EXPECT_EQ(AskDriven("0304",
                        [](QWidget &d) {
                            Child<QLineEdit>(d, "edtNumerator")->setText(QStringLiteral("5"));
                            QTest::mouseClick(Child<QPushButton>(d, "BitBtn2"), Qt::LeftButton);
                        }),
              std::nullopt);
}

TEST_F(TimeSigDialogTest, UnofferedDenominatorOpensAsFourAndRestoreGoesBack) {
    EXPECT_EQ(AskDriven("0403",
                        [](QWidget &d) {
                            auto *numerator = Child<QLineEdit>(d, "edtNumerator");
                            auto *lower = Child<QComboBox>(d, "ComboBoxTimeSigLower");
                            auto *restore = Child<QPushButton>(d, "BitBtnRestoreTimeSig");
                            EXPECT_EQ(lower->currentText(), QStringLiteral("4"));
                            EXPECT_EQ(restore->text(), QStringLiteral("4/4  "));
                            QTest::mouseClick(LabelWithText(d, "Six eighth notes per bar"), Qt::LeftButton);
                            EXPECT_EQ(numerator->text(), QStringLiteral("6"));
                            EXPECT_EQ(lower->currentText(), QStringLiteral("8"));
                            QTest::mouseClick(restore, Qt::LeftButton);
                            EXPECT_EQ(numerator->text(), QStringLiteral("4"));
                            EXPECT_EQ(lower->currentText(), QStringLiteral("4"));
                            ClickOk(d);
                        }),
              "0404");
}

TEST_F(TimeSigDialogTest, NumeratorIsHeldAtOkAndUnreadableKeepsTheDialogOpen) {
    EXPECT_EQ(AskDriven("0404",
                        [](QWidget &d) {
                            auto *numerator = Child<QLineEdit>(d, "edtNumerator");
                            numerator->setText(QStringLiteral("64"));
                            QTest::mouseClick(
                                Child<QWidget>(d, "UpDown1")->findChild<QWidget *>(QStringLiteral("UpButton")),
                                Qt::LeftButton);
                            EXPECT_EQ(numerator->text(), QStringLiteral("64"));
                            numerator->setText(QStringLiteral("100"));
                            ClickOk(d);
                        }),
              "6404");
    EXPECT_EQ(AskDriven("0404",
                        [](QWidget &d) {
                            Child<QLineEdit>(d, "edtNumerator")->clear();
                            ClickOk(d);
                            EXPECT_TRUE(d.isVisible());
                            EXPECT_EQ(static_cast<platform::ModalDialog &>(d).ModalResult(), platform::mrNone);
                        }),
              std::nullopt);
}

} // namespace
