// The welcome screen: its choices, the recent files as they stand, the tips and their counter,
// the Help button, and the texts and pictures for the control under the mouse.
#include "dialogs/program/FrmWelcome.h"

#include "platform/qt/TestServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename T> T *Child(QWidget &dialog, const char *name) {
    T *child = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class WelcomeDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }

    TWelcomeResult AskDriven(const TWelcomeInput &in, std::function<void(QWidget &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
        return welcome.Ask(in, {[this] { ++helps; }});
    }
    static void Click(QWidget &d, const char *button) {
        QTest::mouseClick(Child<QPushButton>(d, button), Qt::LeftButton);
    }

    platform::TestServices services;
    TfrmWelcome welcome{services.Get()};
    int helps = 0;
};

TEST_F(WelcomeDialogTest, EveryChoiceClosesTheScreenWithItsChoice) {
    const TWelcomeInput in{{QStringLiteral("/songs/a.twd")}, 0, true, true};
    const struct {
        const char *button;
        TWelcomeChoice choice;
    } cases[] = {{"btnClose", TWelcomeChoice::Close},
                 {"btnNew", TWelcomeChoice::NewSong},
                 {"btnChoose", TWelcomeChoice::OpenFile},
                 {"btnRecent", TWelcomeChoice::OpenRecent}};
    for (const auto &c : cases)
        EXPECT_EQ(AskDriven(in, [&](QWidget &d) { Click(d, c.button); }).choice, c.choice) << c.button;
    EXPECT_EQ(AskDriven(in, [](QWidget &d) { QTest::keyClick(&d, Qt::Key_Escape); }).choice, TWelcomeChoice::Close);
}

TEST_F(WelcomeDialogTest, RecentFilesAreListedRawAndChosenByDoubleClick) {
    const QString rock = QStringLiteral("/songs/Rock & Roll.twd");
    QStringList listed;
    QString hint;
    const TWelcomeResult r =
        AskDriven({{rock, QStringLiteral("  "), QStringLiteral("/songs/b.twd")}, 0, true, false}, [&](QWidget &d) {
            auto *list = Child<QListWidget>(d, "lbWelcomeMRU");
            for (int i = 0; i < list->count(); ++i)
                listed << list->item(i)->text();
            hint = list->item(0)->toolTip();
            EXPECT_EQ(list->currentRow(), 0); // the newest is selected
            const QPoint at = list->visualItemRect(list->item(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        });
    EXPECT_EQ(listed, (QStringList{rock, QStringLiteral("/songs/b.twd")}));
    EXPECT_EQ(hint, rock);
    EXPECT_EQ(r.choice, TWelcomeChoice::OpenRecent);
    EXPECT_EQ(r.selectedRecent, rock);
}

TEST_F(WelcomeDialogTest, BlankRecentListDisablesRecentAndNoHelpDocumentDisablesHelp) {
    bool recentEnabled = true, helpEnabled = true;
    AskDriven({{QStringLiteral(" "), QString()}, 0, true, false}, [&](QWidget &d) {
        recentEnabled = Child<QPushButton>(d, "btnRecent")->isEnabled();
        helpEnabled = Child<QPushButton>(d, "BitBtn1")->isEnabled();
    });
    EXPECT_FALSE(recentEnabled);
    EXPECT_FALSE(helpEnabled);
    AskDriven({{}, 0, true, true}, [&](QWidget &d) {
        Click(d, "BitBtn1");
        Click(d, "btnClose");
    });
    EXPECT_EQ(helps, 1);
}

TEST_F(WelcomeDialogTest, TipsStepAndWrapOncePerShowingAndTheChoiceToHideComesBack) {
    welcome.SetTipLines({"~", "one", "~", "two a", "two b", "~", "three"});
    QString shown, counter;
    const auto read = [&](QWidget &d) {
        shown = Child<QPlainTextEdit>(d, "MemoTips")->toPlainText();
        counter = Child<QLabel>(d, "lblTip")->text();
    };
    TWelcomeResult r = AskDriven({{}, 3, true, false}, read);
    EXPECT_EQ(shown, QStringLiteral("one")); // after the last comes the first
    EXPECT_EQ(counter, QStringLiteral("Tip 1 of 3"));
    EXPECT_EQ(r.lastTip, 1);
    EXPECT_TRUE(r.showNewUserMessage);

    r = AskDriven({{}, 1, true, false}, [&](QWidget &d) {
        QApplication::setActiveWindow(&d); // focus coming and going shows no further tip
        read(d);
        Click(d, "btnNextTip");
        Click(d, "btnNextTip");
        EXPECT_EQ(Child<QLabel>(d, "lblTip")->text(), QStringLiteral("Tip 1 of 3"));
        Click(d, "btnPrevTip");
        QTest::mouseClick(Child<QWidget>(d, "Image1"), Qt::LeftButton);
        Child<QCheckBox>(d, "chkDontDisplayWelcomeScreen")->click();
    });
    EXPECT_EQ(shown, QStringLiteral("two a\ntwo b"));
    EXPECT_EQ(r.lastTip, 1);
    EXPECT_FALSE(r.showNewUserMessage);

    welcome.SetTipLines({});
    bool counterShown = true;
    r = AskDriven({{}, 5, true, false}, [&](QWidget &d) {
        read(d);
        counterShown = Child<QLabel>(d, "lblTip")->isVisibleTo(&d);
    });
    EXPECT_FALSE(counterShown);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(r.lastTip, 0);
}

TEST_F(WelcomeDialogTest, TheControlUnderTheMouseNamesItselfAndShowsItsPicture) {
    AskDriven({{QStringLiteral("/songs/a.twd")}, 0, true, true}, [&](QWidget &d) {
        auto *text = Child<QLabel>(d, "Label3");
        auto *logo = Child<TArtView>(d, "ImageLogo");
        EXPECT_EQ(text->text(), QStringLiteral("Welcome to Tarrowind Version 2"));
        EXPECT_EQ(logo->Art(), TArt::Logo);
        const struct {
            const char *control;
            TArt art;
            const char *text;
        } cases[] = {{"btnNew", TArt::Piano, "Create a new song"},
                     {"btnRecent", TArt::Mandolin, "Open recently used file"},
                     {"lbWelcomeMRU", TArt::Mandolin, "Open recently used file"},
                     {"btnClose", TArt::Banjo, "Close this welcome screen"},
                     {"BitBtn1", TArt::Bass, "Help File with Tutorials"},
                     {"chkDontDisplayWelcomeScreen", TArt::Tenor, "Stop showing this screen"},
                     {"btnChoose", TArt::Guitar, "Choose a file"},
                     {"GroupBoxTips", TArt::Logo, "Tips for using Tarrowind Version 2"}};
        for (const auto &c : cases) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(Child<QWidget>(d, c.control), &enter);
            EXPECT_EQ(text->text(), QString::fromUtf8(c.text)) << c.control;
            EXPECT_EQ(logo->Art(), c.art) << c.control;
        }
        EXPECT_EQ(Child<QListWidget>(d, "lbWelcomeMRU")->toolTip(), QStringLiteral("/songs/a.twd"));
        // Back on the bare form: no text, the picture as it was.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(Child<QWidget>(d, "btnNew"), &leave);
        EXPECT_TRUE(text->text().isEmpty());
        EXPECT_EQ(logo->Art(), TArt::Logo);
        Click(d, "btnClose");
    });
}

} // namespace
