// The editor's line commands in the window: each command on a small guitar tab, the lines
// before and after, where the caret and the selection end, the modified mark, one Undo that
// takes the command back, and Esc in the middle of the long ones.
#include "MainWindowFixture.h"

#include "mainwindow/rules/PlayState.h"
#include "mainwindow/window/Commands.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

const QStringList kSong = {"*Tempo 90", "C, x, 3, 2, 0, 1, 0, Q", "G, 3, 2, 0, 0, 0, 3, H", "E, 0, 2, 2, 1, 0, 0, Q"};
constexpr int kNone = -1;

class LineCommandsTest : public ShownMainWindowTest {
protected:
    void SetUp() override {
        ShownMainWindowTest::SetUp();
        w->activateWindow(); // window-wide keys (Esc, Ctrl+D) need the window active
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        ASSERT_TRUE(SelectTab(6)); // Guitar
        Edit()->setFocus();
    }
    TNotationEdit *Edit() { return Ctl<TNotationEdit>(*w, "RichEdit1"); }
    // The tab's lines as a user left them: typed, not yet changed by any command.
    void Load(const QStringList &lines) {
        w->Lines().LoadText(TEditorLines::JoinLines(lines));
        ASSERT_FALSE(w->Document().Song.Current().Modified);
    }
    // Lines first..last selected, or the caret at the start of line `first` (last == kNone).
    void Place(int first, int last) {
        if (last == kNone)
            w->Lines().MoveCaretToLine(first);
        else
            w->Lines().SelectLines(first, last);
    }
    void Trigger(const char *name) { Act(*w, QString::fromLatin1(name))->trigger(); }
    QString Caption() { return Ctl<TPageControl>(*w, "PageControl1")->TabBar()->tabText(5); }
    QString ModifiedPanel() { return Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(1); }
};

struct Case {
    const char *what;
    std::function<void(TfrmMain &)> act;
    QStringList before;
    int first, last; // where the caret or selection stands before
    QStringList after;
    int selFirst, selLast; // the selection after (selLast kNone: the caret's line, no selection)
    QStringList texts;     // the boxes shown
    std::vector<int> answers = {};
};

auto Item(const char *name) {
    return [name](TfrmMain &m) { Act(m, QString::fromLatin1(name))->trigger(); };
}

TEST_F(LineCommandsTest, EachCommandOnASmallTab) {
    const QString c = kSong[1], g = kSong[2], e = kSong[3];
    // clang-format off
    const Case cases[] = {
        {"transpose two lines two half steps higher", Item("TransposeHigher2"), kSong, 1, 2,
         {kSong[0], "C, x, 5, 4, 2, 3, 2, Q", "G, 5, 4, 2, 2, 2, 5, H", e}, 1, 2, {}},
        {"transpose one half step lower", Item("TransposeLower1"), kSong, 1, 2,
         {kSong[0], "C, x, 2, 1, x, 0, x, Q", "G, 2, 1, x, x, x, 2, H", e}, 1, 2, {}},
        {"transpose without a selection", Item("TransposeHigher3"), kSong, 2, kNone, kSong, 2, kNone,
         {"Select some lines to transpose"}},
        {"transpose an empty tab", Item("TransposeHigher3"), {}, 0, kNone, {}, 0, kNone,
         {"There are no lines in the editor"}},
        {"reverse the selected lines", Item("ReverseTheOrderOfLines1"), kSong, 1, 3, {kSong[0], e, g, c}, 1, 3, {}},
        {"reverse without a selection, answered No", Item("ReverseTheOrderOfLines1"), kSong, 1, kNone, kSong, 1, kNone,
         {"Text must be selected first. Select all now and then reverse the order of the lines?"}, {platform::mrNo}},
        {"keep the highest notes of all lines, after Yes", Item("KeepOnlyTheHighestNoteInChords1"), kSong, 1, kNone,
         {kSong[0], "C, x, x, x, x, x, 0, Q", "G, x, x, x, x, x, 3, H", "E, x, x, x, x, x, 0, Q"}, 0, 3,
         {"Text must be selected first. Select all now and keep only the high notes?"}, {platform::mrYes}},
        {"keep the lowest note", Item("KeepOnlyTheLowestNoteInChords1"), kSong, 1, 1,
         {kSong[0], "C, x, 3, x, x, x, x, Q", g, e}, 1, 1, {}},
        {"clear the notes of the caret line", Item("ClearNotesFromLine1"), kSong, 2, kNone,
         {kSong[0], c, "G, x, x, x, x, x, x, H", e}, 2, 2, {}},
        {"clear notes of a faulty line", Item("ClearNotesFromLine1"), {"C, x, 3, Q"}, 0, kNone, {"C, x, 3, Q"}, 0, 0,
         {"Fix the error or delete the line."}},
        {"clear the editor after Yes", Item("ClearEditor2"), kSong, 1, kNone, {}, 0, kNone,
         {"Do you want to clear all notes for Guitar?"}, {platform::mrYes}},
        {"duplicate two lines", Item("Duplicate3"), kSong, 1, 2, {kSong[0], c, g, c, g, e}, 3, 4, {}},
        {"duplicate by its label", [](TfrmMain &m) {
             QTest::mouseClick(Ctl<QLabel>(m, "labelDuplicateSelection"), Qt::LeftButton);
         }, kSong, 3, kNone, {kSong[0], c, g, e, e}, 4, 4, {}},
        {"select all and duplicate", Item("SelectAllandDuplicate3"), {c, g}, 1, kNone, {c, g, c, g}, 2, 3, {}},
        {"duplicate with the caret after the last line break", Item("Duplicate4"), kSong, 4, kNone, kSong, 4, kNone, {}},
        {"delete the selected caret line", Item("DeleteLine2"), kSong, 1, 1, {kSong[0], g, e}, 1, kNone, {}},
        {"delete with the caret after the last line break", Item("DeleteLine1"), kSong, 4, kNone, kSong, 4, kNone, {}},
        {"copy a line with the caret after the last line break", Item("CopyLine2"), kSong, 4, kNone, kSong, 4, kNone, {}},
        {"insert the tempo directive", Item("TEMPO1"), kSong, 3, kNone, kSong + QStringList{"*Tempo 120", ""}, 5,
         kNone, {}},
        {"insert the channel directive on a blank line", Item("CHANNEL2"), {c, "", e}, 1, kNone,
         {c, "*Channel 6", "", e}, 2, kNone, {}},
        {"a new line below the caret line", [](TfrmMain &m) {
             QTest::mouseClick(Ctl<QLabel>(m, "labelNewLine"), Qt::LeftButton);
         }, {c, g}, 0, kNone, {c, "", g}, 0, 0, {}},
        {"a new line after the last line break", [](TfrmMain &m) {
             QTest::mouseClick(Ctl<QLabel>(m, "labelNewLine"), Qt::LeftButton);
         }, {c}, 1, kNone, {c, ""}, 2, kNone, {}},
        {"group by bars from the menu", Item("ReformatLinesShiftCtrlF11"), kSong, 2, kNone,
         {kSong[0], "", "*** Bar 1 ***", c, g, e}, 2, kNone, {}},
        {"group by bars with Alt and a right click", [](TfrmMain &m) {
             QTest::mousePress(Ctl<TNotationEdit>(m, "RichEdit1")->viewport(), Qt::RightButton, Qt::AltModifier, QPoint(5, 5));
             QTest::mouseRelease(Ctl<TNotationEdit>(m, "RichEdit1")->viewport(), Qt::RightButton, Qt::AltModifier, QPoint(5, 5));
             EXPECT_FALSE(m.Commands().PopUp()->isVisible());
         }, {"C, x, 3, 2, 0, 1, 0, W", "", "*** Bar 7 ***", "", "G, 3, 2, 0, 0, 0, 3, W"}, 1, kNone,
         {"", "*** Bar 1 ***", "C, x, 3, 2, 0, 1, 0, W", "", "*** Bar 2 ***", "G, 3, 2, 0, 0, 0, 3, W"}, 1, kNone, {}},
    };
    // clang-format on
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        Load(k.before);
        Place(k.first, k.last);
        ts.messages.Clear();
        for (int a : k.answers)
            ts.messages.QueueAnswer(a);
        ts.clipboard.SetText(QStringLiteral("kept"));
        k.act(*w);

        EXPECT_EQ(w->Lines().Lines(), k.after);
        EXPECT_EQ(ts.messages.Texts(), k.texts);
        int first = 0, last = 0;
        const bool selected = w->Lines().GetSelectedLines(first, last);
        EXPECT_EQ(selected, k.selLast != kNone);
        EXPECT_EQ(first, k.selFirst);
        if (selected) {
            EXPECT_EQ(last, k.selLast);
        }
        // A change marks the tab, once Undo would take it back in one step.
        const bool changed = k.after != k.before;
        EXPECT_EQ(w->Document().Song.Current().Modified, changed);
        EXPECT_EQ(ModifiedPanel(), changed ? QStringLiteral("*") : QString());
        if (changed) {
            EXPECT_EQ(Caption(), k.after.isEmpty() ? QStringLiteral("guitar") : QStringLiteral("GUITAR"));
        }
        EXPECT_EQ(ts.clipboard.Text(), QStringLiteral("kept"));
        EXPECT_FALSE(w->Status().BulkEditActive());
        EXPECT_FALSE(w->Busy());
        EXPECT_FALSE(Edit()->isReadOnly());
        if (changed) {
            Edit()->undo();
            EXPECT_EQ(w->Lines().Lines(), k.before);
        }
        w->Document().Song.Current().Modified = false;
        w->SongChanged(6, kChangedLines, false);
    }
}

TEST_F(LineCommandsTest, CopyLineAndSelectToTopOrBottom) {
    Load(kSong);
    Place(2, kNone);
    Trigger("CopyLine1");
    EXPECT_EQ(ts.clipboard.Text(), kSong[2] + QLatin1Char('\n'));
    int first = 0, last = 0;
    EXPECT_TRUE(w->Lines().GetSelectedLines(first, last));
    EXPECT_EQ(std::pair(first, last), std::pair(2, 2));
    EXPECT_FALSE(w->Document().Song.Current().Modified);
    // Select To Top and To Bottom run from the caret.
    Place(2, kNone);
    Trigger("SelectToTop2");
    EXPECT_EQ(Edit()->textCursor().selectedText(),
              kSong.mid(0, 2).join(QChar::ParagraphSeparator) + QChar::ParagraphSeparator);
    Place(2, kNone);
    Trigger("SelectToBottom1");
    EXPECT_EQ(Edit()->textCursor().selectedText(),
              kSong.mid(2).join(QChar::ParagraphSeparator) + QChar::ParagraphSeparator);
}

TEST_F(LineCommandsTest, DuplicatingOneLineSoundsIt) {
    Load(kSong);
    Place(1, kNone);
    midi.Clear();
    Trigger("Duplicate4");
    std::vector<int> on;
    for (const platform::RecordedMessage &m : midi.Messages())
        if ((m.status & 0xF0) == 0x90 && m.data2 > 0)
            on.push_back(m.data1);
    std::sort(on.begin(), on.end());
    EXPECT_EQ(on, (std::vector<int>{48, 52, 55, 60, 64})); // the C chord's five strings
    EXPECT_EQ(w->Lines().Line(2), kSong[1]);
}

TEST_F(LineCommandsTest, ShuffleKeepsEveryLine) {
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("C, x, %1, x, x, x, x, Q").arg(i % 24);
    Load(QStringList{"*Tempo 80"} + lines + QStringList{"*Volume 90"});
    Place(1, 40);
    Trigger("RandomizeTheOrderOfLines1");
    QStringList after = w->Lines().Lines();
    EXPECT_EQ(after.first(), QStringLiteral("*Tempo 80"));
    EXPECT_EQ(after.last(), QStringLiteral("*Volume 90"));
    after = after.mid(1, 40);
    std::sort(after.begin(), after.end());
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(after, lines);
}

// Esc while a long command runs: the window is busy and quiet meanwhile; Yes stops with the steps
// done so far, No goes on; either way the result is one edit and the bulk state ends.
TEST_F(LineCommandsTest, EscInTheMiddleAsksWhetherToStop) {
    struct EscCase {
        const char *what;
        const char *item;
        int answer;
        QStringList before;
        QStringList after;
    };
    const QStringList three = {"C, x, 3, 2, 0, 1, 0, Q", "A, x, 0, 2, 2, 2, 0, Q", "D, x, x, 0, 2, 3, 2, Q"};
    const EscCase cases[] = {
        // The first step is done when the window first looks at its keys.
        {"transpose, Yes", "TransposeHigher12", platform::mrYes, three, {"C, x, 4, 3, 1, 2, 1, Q", three[1], three[2]}},
        {"transpose, No",
         "TransposeHigher12",
         platform::mrNo,
         three,
         {"C, x, 15, 14, 12, 13, 12, Q", "A, x, 12, 14, 14, 14, 12, Q", "D, x, x, 12, 14, 15, 14, Q"}},
        {"reverse, Yes", "ReverseTheOrderOfLines1", platform::mrYes, three, three},
        {"reverse, No", "ReverseTheOrderOfLines1", platform::mrNo, three, {three[2], three[1], three[0]}},
        {"shuffle, Yes", "RandomizeTheOrderOfLines1", platform::mrYes, three, three},
    };
    for (const EscCase &k : cases) {
        SCOPED_TRACE(k.what);
        Load(k.before);
        Place(0, 2);
        ts.messages.Clear();
        ts.messages.QueueAnswer(k.answer);
        bool busy = false, quiet = false, readOnly = false;
        QTimer::singleShot(0, w.get(), [&] {
            busy = w->Busy();
            quiet = w->Status().BulkEditActive();
            readOnly = Edit()->isReadOnly();
            QTest::keyClick(Edit(), Qt::Key_Escape);
        });
        Trigger(k.item);
        EXPECT_TRUE(busy);
        EXPECT_TRUE(quiet);
        EXPECT_TRUE(readOnly);
        EXPECT_EQ(ts.messages.Texts(), QStringList{"Process not completed. Stop anyways?"});
        EXPECT_EQ(w->Lines().Lines(), k.after);
        EXPECT_FALSE(w->Status().BulkEditActive());
        EXPECT_FALSE(w->PlayState().AbortRequested);
        EXPECT_FALSE(w->Busy());
        EXPECT_EQ(w->Document().Song.Current().Modified, k.after != k.before);
        if (k.after != k.before) {
            Edit()->undo();
            EXPECT_EQ(w->Lines().Lines(), k.before);
        }
        w->Document().Song.Current().Modified = false;
        // An Esc left from before does not stop the next command.
        w->PlayState().AbortRequested = true;
        Load(three);
        Place(0, 0);
        ts.messages.Clear();
        Trigger("TransposeHigher1");
        EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 4, 3, 1, 2, 1, Q"));
        EXPECT_TRUE(ts.messages.Texts().isEmpty());
        w->Document().Song.Current().Modified = false;
    }
}

TEST_F(LineCommandsTest, GroupingStoppedByEscKeepsTheLinesAndItsEmptyLine) {
    Load({"C, x, 3, 2, 0, 1, 0, W", "G, 3, 2, 0, 0, 0, 3, W"});
    Place(1, kNone); // the caret on the last line, which holds notes
    QTimer::singleShot(0, w.get(), [&] { QTest::keyClick(Edit(), Qt::Key_Escape); });
    Trigger("ReformatLinesShiftCtrlF11");
    EXPECT_TRUE(ts.messages.Texts().isEmpty()); // no question
    EXPECT_EQ(w->Lines().Lines(), (QStringList{"C, x, 3, 2, 0, 1, 0, W", "G, 3, 2, 0, 0, 0, 3, W", ""}));
    EXPECT_EQ(w->Lines().CurrentLine(), 1);
    EXPECT_FALSE(w->Status().BulkEditActive());
}

TEST_F(LineCommandsTest, NothingWhileTheSongPlaysOrOnTheDrumsTab) {
    Load(kSong);
    Place(1, 2);
    SetPlaying(*w, TPlayKind::Song, true);
    for (const char *name : {"Duplicate3", "TransposeHigher1", "DeleteLine2", "ReverseTheOrderOfLines1"}) {
        EXPECT_FALSE(Act(*w, QString::fromLatin1(name))->isEnabled()) << name;
        Trigger(name);
    }
    QTest::keyClick(Edit(), Qt::Key_D, Qt::ControlModifier);
    SetPlaying(*w, TPlayKind::Song, false);
    EXPECT_EQ(w->Lines().Lines(), kSong);
    EXPECT_FALSE(w->Document().Song.Current().Modified);
    // Ctrl+D with the focus in the editor duplicates.
    Place(1, 1);
    QTest::keyClick(Edit(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(w->Lines().LineCount(), 5);
    // The Drums tab has no lines to work on: its editor stays empty and nothing is asked.
    ASSERT_TRUE(SelectTab(10));
    ASSERT_EQ(w->Document().Song.Current().Kind, TKind::Drums);
    ts.messages.Clear();
    for (const char *name : {"Duplicate3", "TransposeHigher1", "ClearEditor2", "ReformatLinesShiftCtrlF11", "TEMPO1"}) {
        EXPECT_FALSE(Act(*w, QString::fromLatin1(name))->isEnabled()) << name;
        Trigger(name);
    }
    QTest::mouseClick(Ctl<QLabel>(*w, "labelNewLine"), Qt::LeftButton);
    EXPECT_TRUE(w->Lines().IsEmpty());
    EXPECT_EQ(ts.messages.Count(), 0);
}

} // namespace
