// The one-line input: the key filter and the length limit while typing, OK's filter for pasted
// text, the edit's width, and nothing from every close but OK or from a blank text.
#include "dialogs/common/FrmInputSingleLine.h"

#include "platform/qt/TestServices.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class InputLineDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }

    std::optional<QString> AskDriven(const TInputLineInput &in, std::function<void(QWidget &, QLineEdit &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d, *d.findChild<QLineEdit *>(QStringLiteral("edtSingleLine")));
            return int(platform::mrNone);
        });
        return dialog.Ask(in);
    }
    static void Click(QWidget &d, const char *button) {
        QTest::mouseClick(d.findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    platform::TestServices services;
    TfrmInputSingleLine dialog{services.Get()};
};

TEST_F(InputLineDialogTest, TypingStopsOneBeyondTheLimitSaveForBackspaceAndBlanks) {
    int width = 0, wanted = 0;
    QString typed;
    const std::optional<QString> result =
        AskDriven({QStringLiteral("Enter new name for Jazz"), QStringLiteral("Jazz"), true, 40},
                  [&](QWidget &d, QLineEdit &edit) {
                      EXPECT_EQ(edit.selectedText(), QStringLiteral("Jazz")); // ready to be typed over
                      width = edit.width();
                      wanted = d.fontMetrics().horizontalAdvance(QString(41, QLatin1Char('X')));
                      edit.clear();
                      QTest::keyClicks(&edit, QString(45, QLatin1Char('n')));
                      EXPECT_EQ(edit.text().size(), 41);
                      QTest::keyClicks(&edit, QStringLiteral(" x"));
                      QTest::keyClick(&edit, Qt::Key_Backspace);
                      QTest::keyClick(&edit, Qt::Key_Backspace);
                      QTest::keyClicks(&edit, QStringLiteral("&m"));
                      typed = edit.text();
                      Click(d, "BitBtnOK");
                  });
    EXPECT_GE(width, wanted);
    EXPECT_EQ(typed, QString(40, QLatin1Char('n')) + QStringLiteral("m"));
    EXPECT_EQ(result, typed);
    EXPECT_EQ(services.modal.ShownDialogs().back().caption, QStringLiteral("Enter new name for Jazz"));
}

TEST_F(InputLineDialogTest, OkFiltersPastedTextAndOnlyOkWithMoreThanBlanksGivesText) {
    const TInputLineInput rename{QStringLiteral("Rename"), QString(), true, 40};
    EXPECT_EQ(AskDriven(rename,
                        [](QWidget &d, QLineEdit &edit) {
                            QTest::keyClicks(&edit, QStringLiteral("Rock&"));
                            edit.insert(QStringLiteral(" & Roll!")); // as a paste brings it in
                            Click(d, "BitBtnOK");
                        }),
              QStringLiteral("Rock  Roll"));
    // Enter reaches OK, which filters all the same.
    EXPECT_EQ(AskDriven(rename,
                        [](QWidget &, QLineEdit &edit) {
                            edit.setText(QStringLiteral("Fill-In #2"));
                            QTest::keyClick(&edit, Qt::Key_Return);
                        }),
              QStringLiteral("Fill-In 2"));
    EXPECT_EQ(AskDriven(rename,
                        [](QWidget &d, QLineEdit &edit) {
                            edit.setText(QStringLiteral("kept?"));
                            Click(d, "BitBtnCancel");
                        }),
              std::nullopt);
    EXPECT_EQ(AskDriven(rename,
                        [](QWidget &d, QLineEdit &edit) {
                            edit.setText(QStringLiteral("kept?"));
                            QTest::keyClick(&d, Qt::Key_Escape);
                        }),
              std::nullopt);
    EXPECT_EQ(AskDriven(rename,
                        [](QWidget &d, QLineEdit &edit) {
                            edit.setText(QStringLiteral(" & "));
                            Click(d, "BitBtnOK");
                        }),
              std::nullopt);
    // Without filtering everything stays.
    EXPECT_EQ(AskDriven({QStringLiteral("Title"), QStringLiteral("A & B"), false, 0},
                        [](QWidget &d, QLineEdit &edit) {
                            QTest::keyClick(&edit, Qt::Key_End);
                            QTest::keyClicks(&edit, QStringLiteral("!"));
                            Click(d, "BitBtnOK");
                        }),
              QStringLiteral("A & B!"));
}

TEST_F(InputLineDialogTest, NoLimitStillGivesRoomForAName) {
    int width = 0, wanted = 0;
    AskDriven({QStringLiteral("Title"), QString(), true, 0}, [&](QWidget &d, QLineEdit &edit) {
        width = edit.width();
        wanted = d.fontMetrics().horizontalAdvance(QString(40, QLatin1Char('X')));
        Click(d, "BitBtnOK");
    });
    EXPECT_GE(width, wanted);
}

} // namespace
