// Find, Find Next, Replace, Replace All and Go To Line through the program's own dialogs,
// typed into and confirmed as a user would.
#include "MainWindowFixture.h"

#include "dialogs/Dialogs.h"
#include "mainwindow/window/DialogHandOffs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Typed {
    QString find;
    QString replacement;
    bool wholeWord = false;
    bool matchCase = false;
    const char *button = "BitBtn3"; // the find dialog's OK
};

class FindCommandsTest : public ShownMainWindowTest {
protected:
    void SetUp() override {
        ShownMainWindowTest::SetUp();
        dialogs = CreateDialogs(ts.Get(), w.get());
        WireMainDialogs(*w, dialogs);
        ASSERT_TRUE(SelectTab(6)); // a guitar tab
        w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"
                                           "Cmaj7, x, 3, 2, 0, 0, 0, Q\n"
                                           "c, x, 3, 5, 5, 5, 3, H\n"
                                           "*Tempo 90\n"
                                           "C, x, 3, 2, 0, 1, 0, W\n"));
        w->Lines().MoveCaretToLine(0);
    }
    void TearDown() override {
        w->SetDialogs({});
        dialogs = TDialogs{};
    }

    // The next dialog gets `t` typed in and its button clicked; it also records what the
    // search box held when it opened.
    void Answer(const Typed &t) {
        ts.modal.QueueAnswer([this, t](platform::ModalDialog &d) {
            auto *find = d.findChild<QLineEdit *>(QStringLiteral("Edit1"));
            opened << find->text();
            if (!t.find.isNull())
                find->setText(t.find);
            if (auto *replace = d.findChild<QLineEdit *>(QStringLiteral("Edit2")))
                replace->setText(t.replacement);
            d.findChild<QCheckBox *>(QStringLiteral("chkWholeWord"))->setChecked(t.wholeWord);
            d.findChild<QCheckBox *>(QStringLiteral("chkMatchCase"))->setChecked(t.matchCase);
            QTest::mouseClick(d.findChild<QPushButton *>(QString::fromLatin1(t.button)), Qt::LeftButton);
            return int(platform::mrNone);
        });
    }
    void Run(const char *command) { Act(*w, QString::fromLatin1(command))->trigger(); }
    QString Selected() const { return Ctl<TNotationEdit>(*w, "RichEdit1")->textCursor().selectedText(); }
    int SelectionStart() const { return Ctl<TNotationEdit>(*w, "RichEdit1")->textCursor().selectionStart(); }

    TDialogs dialogs;
    QStringList opened;
};

TEST_F(FindCommandsTest, FindAndFindNextStepThroughMatchesWithTheOptions) {
    EXPECT_FALSE(Act(*w, "FindNext1")->isEnabled()); // nothing to repeat yet
    Answer({QStringLiteral("c"), {}, true, false});
    Run("Find1");
    // Whole word, any case: "Cmaj7" is passed by; the first line's "C" is where the search began.
    EXPECT_EQ(w->Lines().CurrentLine(), 0);
    EXPECT_EQ(Selected(), QStringLiteral("C"));
    ASSERT_TRUE(Act(*w, "FindNext1")->isEnabled());
    Run("FindNext1");
    EXPECT_EQ(w->Lines().CurrentLine(), 2);
    EXPECT_EQ(Selected(), QStringLiteral("c"));
    Run("FindNext1");
    EXPECT_EQ(w->Lines().CurrentLine(), 4);
    // Past the last match: the selection collapses and the phrase is named.
    Run("FindNext1");
    EXPECT_EQ(Selected(), QString());
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Search phrase \"c\" not found"));

    // Match case, not whole word, from the top: "Cmaj7" is found, the small "c" is not.
    w->Lines().MoveCaretToLine(1);
    Answer({QStringLiteral("C"), {}, false, true});
    Run("Find1");
    EXPECT_EQ(w->Lines().CurrentLine(), 1);
    Run("FindNext1");
    EXPECT_EQ(w->Lines().CurrentLine(), 4);
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, Q")); // finding edits nothing
    EXPECT_FALSE(w->AnyTabModified());
}

TEST_F(FindCommandsTest, ASelectionSeedsTheSearchBoxAndBothDialogsShareIt) {
    w->Lines().SelectPlaces({3, 1}, {3, 6}); // "Tempo"
    Answer({});
    Run("Find1");
    EXPECT_EQ(opened.last(), QStringLiteral("Tempo"));
    // Two lines never seed: the box keeps the last phrase.
    w->Lines().SelectLines(1, 2);
    Answer({QStringLiteral("90"), {}});
    Run("Find1");
    EXPECT_EQ(opened.last(), QStringLiteral("Tempo"));
    EXPECT_EQ(Selected(), QStringLiteral("90"));
    // The replace dialog opens with the phrase typed into the find dialog, even after a Cancel.
    w->Lines().MoveCaretToLine(0);
    ts.modal.QueueAnswer([](platform::ModalDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("typed"));
        return int(platform::mrCancel);
    });
    Run("Find1");
    Answer({QString(), {}, false, false, "BitBtn2"});
    Run("Replace1");
    EXPECT_EQ(opened.last(), QStringLiteral("typed"));
}

TEST_F(FindCommandsTest, ReplaceGoesOnAfterEachReplacementAndIsOneEditEach) {
    w->Lines().MoveCaretToLine(1);
    Answer({QStringLiteral("C"), QStringLiteral("C#"), true, true, "BitBtn1"});
    Run("Replace1");
    // From the caret line's start: "Cmaj7" is no whole word, so line 4's "C" is the first.
    EXPECT_EQ(w->Lines().Line(4), QStringLiteral("C#, x, 3, 2, 0, 1, 0, W"));
    EXPECT_EQ(Selected(), QString()); // the caret at the start of the replacement's line
    EXPECT_EQ(w->Lines().SelectionStartPlace(), (TTextPlace{4, 0}));
    EXPECT_TRUE(w->Document().Song.Tab(6).Modified);
    // Find Next replaces the next one, after the replacement: nothing is left below.
    Run("FindNext1");
    EXPECT_EQ(w->Lines().Line(4), QStringLiteral("C#, x, 3, 2, 0, 1, 0, W"));
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Search phrase \"C\" not found"));
    // Each replacement is one undo step.
    Ctl<TNotationEdit>(*w, "RichEdit1")->undo();
    EXPECT_EQ(w->Lines().Line(4), QStringLiteral("C, x, 3, 2, 0, 1, 0, W"));
    // A replacement that holds its search text is never replaced again.
    w->Lines().MoveCaretToLine(4);
    Answer({QStringLiteral("0"), QStringLiteral("0, 0"), false, false, "BitBtn1"});
    Run("Replace1");
    Run("FindNext1");
    EXPECT_EQ(w->Lines().Line(4), QStringLiteral("C, x, 3, 2, 0, 0, 1, 0, 0, W"));
}

TEST_F(FindCommandsTest, FindNextAfterAMissNeverReplacesAReplacementAgain) {
    w->Lines().LoadText(QStringLiteral("Cmaj7, C7\nC7 C9\nab"));
    Answer({QStringLiteral("C"), QStringLiteral("C#"), false, true, "BitBtn1"});
    Run("Replace1");
    Run("FindNext1");
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C#maj7, C#7"));
    // A caret moved by hand searches on from the caret.
    w->Lines().SelectPlaces({1, 3}, {1, 3});
    Run("FindNext1");
    Run("FindNext1");
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Search phrase \"C\" not found"));
    // The miss leaves the caret where the last replacement put it: still nothing after it.
    Run("FindNext1");
    Run("FindNext1");
    EXPECT_EQ(w->Lines().Lines(), (QStringList{"C#maj7, C#7", "C7 C#9", "ab"}));

    // Replace All goes on the same way.
    w->Lines().MoveCaretToLine(2);
    Answer({QStringLiteral("a"), QStringLiteral("ab"), false, true, "BitBtnReplaceAll"});
    Run("Replace1");
    for (int i = 0; i < 3; ++i)
        Run("FindNext1");
    EXPECT_EQ(w->Lines().Line(2), QStringLiteral("abb"));
}

TEST_F(FindCommandsTest, FindNextUsesTheFindDialogsPhraseAsItIsNow) {
    Answer({QStringLiteral("C"), {}, false, true});
    Run("Find1");
    // Typed into the find dialog and cancelled: Find Next looks for that, with its options.
    Answer({QStringLiteral("q"), {}, true, false, "BitBtn2"});
    Run("Find1");
    Run("FindNext1");
    EXPECT_EQ(w->Lines().SelectionStartPlace(), (TTextPlace{0, 21}));
    EXPECT_EQ(Selected(), QStringLiteral("Q"));
    // An empty phrase: Find Next opens the find dialog.
    Answer({QStringLiteral(""), {}, false, false, "BitBtn2"});
    Run("Find1");
    const size_t shown = ts.modal.ShownDialogs().size();
    Answer({QStringLiteral("90"), {}});
    Run("FindNext1");
    EXPECT_EQ(ts.modal.ShownDialogs().size(), shown + 1);
    EXPECT_EQ(Selected(), QStringLiteral("90"));
}

TEST_F(FindCommandsTest, ReplaceAllFromTheCaretLineIsOneUndoStep) {
    w->Lines().MoveCaretToLine(1);
    Answer({QStringLiteral("c"), QStringLiteral("G"), false, false, "BitBtnReplaceAll"});
    Run("Replace1");
    EXPECT_EQ(w->Lines().Lines(), (QStringList{"C, x, 3, 2, 0, 1, 0, Q", "Gmaj7, x, 3, 2, 0, 0, 0, Q",
                                               "G, x, 3, 5, 5, 5, 3, H", "*Tempo 90", "G, x, 3, 2, 0, 1, 0, W"}));
    EXPECT_EQ(ts.messages.Count(), 0);
    EXPECT_TRUE(w->Document().Song.Tab(6).Modified);
    EXPECT_EQ(Selected(), QString()); // the caret at the start of the last replacement's line
    EXPECT_EQ(w->Lines().SelectionStartPlace(), (TTextPlace{4, 0}));
    Ctl<TNotationEdit>(*w, "RichEdit1")->undo();
    EXPECT_EQ(w->Lines().Line(1), QStringLiteral("Cmaj7, x, 3, 2, 0, 0, 0, Q"));
    EXPECT_EQ(w->Lines().Line(4), QStringLiteral("C, x, 3, 2, 0, 1, 0, W"));
    // Nothing to replace: the replace dialog's phrase is named and nothing changes.
    Answer({QStringLiteral("zz"), QStringLiteral("G"), false, false, "BitBtnReplaceAll"});
    Run("Replace1");
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Search phrase \"zz\" not found"));
    // An empty phrase is not found and edits nothing.
    Answer({QStringLiteral(""), QStringLiteral("G"), false, false, "BitBtn1"});
    Run("Replace1");
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Search phrase \"\" not found"));
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, Q"));
}

TEST_F(FindCommandsTest, GoToLineSelectsTheLineAndIgnoresNumbersPastTheEnd) {
    auto goTo = [this](const QString &typed, int steps) {
        ts.modal.QueueAnswer([typed, steps](platform::ModalDialog &d) {
            auto *edit = d.findChild<QLineEdit *>(QStringLiteral("Edit1"));
            edit->setText(typed);
            for (int i = 0; i < steps; ++i)
                QTest::keyClick(edit, Qt::Key_Up);
            QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
            return int(platform::mrNone);
        });
        Run("GoToLine1");
    };
    goTo(QStringLiteral("3"), 0);
    EXPECT_EQ(Selected(), QStringLiteral("c, x, 3, 5, 5, 5, 3, H") + QChar(0x2029));
    goTo(QStringLiteral("9"), 0); // five lines: nothing happens
    EXPECT_EQ(w->Lines().CurrentLine(), 2);
    goTo(QStringLiteral("4"), 3); // the up-down stops at the line count
    EXPECT_EQ(w->Lines().CurrentLine(), 4);
    EXPECT_EQ(w->Lines().Line(4), QStringLiteral("C, x, 3, 2, 0, 1, 0, W"));
}

TEST_F(FindCommandsTest, TheKeysWorkWithTheFocusInTheEditor) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    auto *edit = Ctl<TNotationEdit>(*w, "RichEdit1");
    edit->setFocus();
    Answer({QStringLiteral("Q"), {}, true, true});
    QTest::keyClick(edit, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(w->Lines().CurrentLine(), 0);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F3);
    EXPECT_EQ(w->Lines().CurrentLine(), 1);
    EXPECT_EQ(Selected(), QStringLiteral("Q"));
}

TEST_F(FindCommandsTest, NothingOnTheDrumsTab) {
    ASSERT_TRUE(SelectTab(10));
    Run("Find1");
    Run("GoToLine1");
    EXPECT_TRUE(ts.modal.ShownDialogs().empty());
}

} // namespace
