// The editor as the user works in it: status bars following the caret, modified marks
// from every kind of edit, the Insert/Overwrite panel, the caret line's note name, and
// the Edit menu.
#include "MainWindowFixture.h"

#include "mainwindow/playback/SongCommands.h"
#include "mainwindow/rules/StatusText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>

namespace {

TEST(StatusText, Panels) {
    EXPECT_EQ(status::LinePanel(4, 11), "Line:  5 of 12");
    EXPECT_EQ(status::TimePanel(3723456), "Time: 01:02:03.45");
    EXPECT_EQ(status::TimePanel(-5), "Time: 00:00:00.00");
    EXPECT_EQ(status::PlayLinesPanel(true, false), "Play All Lines");
    EXPECT_EQ(status::PlayLinesPanel(true, true), "Play Selected Lines");
    const std::pair<const char *, const char *> twins[] = {{"C#", "Db/C#"}, {"D#", "Eb/D#"}, {"F#", "Gb/F#"},
                                                           {"G#", "Ab/G#"}, {"A#", "Bb/A#"}, {"E", "E"}};
    for (const auto &[in, out] : twins)
        EXPECT_EQ(status::WithFlatTwin(in), out);
}

class EditorControllerTest : public ShownMainWindowTest {
protected:
    void SetUp() override {
        ShownMainWindowTest::SetUp();
        ASSERT_TRUE(SelectTab(6));
        Ctl<TNotationEdit>(*w, "RichEdit1")->setFocus();
    }
    QString Bottom(int i) { return Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(i); }
    // The caret line's position is shown once the window has handled its waiting events.
    QString Rich(int i) {
        QApplication::processEvents();
        return Ctl<TStatusPanels>(*w, "StatusBarRichEdit")->Text(i);
    }
};

TEST_F(EditorControllerTest, StatusBarsFollowTheCaret) {
    QStringList lines = {"C, x, 3, 2, 0, 1, 0, W", "*TEMPO 90", "G, 3, 2, 0, 0, 0, 3, H"};
    for (int i = 0; i < 8; ++i)
        lines << QStringLiteral("Am, x, 0, 2, 2, 1, 0, Q");
    w->Lines().LoadText(TEditorLines::JoinLines(lines));
    w->Lines().MoveCaretToLine(4);
    EXPECT_EQ(Bottom(0), QStringLiteral("Line:  5 of 12"));
    EXPECT_EQ(Bottom(2), QStringLiteral("Bytes: ") + QString::number(w->Lines().TextLength()));
    EXPECT_EQ(Rich(0), QStringLiteral("Bar: 2")); // W, then H, then a quarter
    EXPECT_EQ(Rich(1), QStringLiteral("Beat: 4"));
    EXPECT_EQ(Rich(2), QStringLiteral("Tick: 0"));
    EXPECT_EQ(Rich(3), QStringLiteral("Time: 00:00:03.50"));
    w->Lines().MoveCaretToLine(0);
    EXPECT_EQ(Rich(0), QStringLiteral("Bar: 1"));
    EXPECT_EQ(Rich(3), QStringLiteral("Time: 00:00:00.00"));
    EXPECT_EQ(Rich(4), QStringLiteral("Play All Lines"));
    w->Lines().SelectLines(1, 3);
    EXPECT_EQ(Rich(4), QStringLiteral("Play Selected Lines"));
    // An edit above the caret counts from the next move of the caret on.
    w->Lines().ReplaceLine(0, QStringLiteral("C, x, 3, 2, 0, 1, 0, H"));
    w->Lines().MoveCaretToLine(4);
    EXPECT_EQ(Rich(0), QStringLiteral("Bar: 2"));
    EXPECT_EQ(Rich(1), QStringLiteral("Beat: 2"));
    EXPECT_EQ(Rich(3), QStringLiteral("Time: 00:00:02.50"));
}

TEST_F(EditorControllerTest, PositionIsComputedAgainAfterATabChange) {
    w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, W\nG, 3, 2, 0, 0, 0, 3, W\n"));
    w->Lines().MoveCaretToLine(1);
    EXPECT_EQ(Rich(0), QStringLiteral("Bar: 2"));
    ASSERT_TRUE(SelectTab(7)); // an empty tab: its caret is on line 0 too
    EXPECT_EQ(Rich(0), QStringLiteral("Bar: 1"));
}

TEST_F(EditorControllerTest, PanelsAreWideEnoughForTheirLongestTexts) {
    // Each fixed panel shows its widest text whole, whatever the desktop's font.
    const std::pair<const char *, const char *> widest[] = {
        {"StatusBarBottomPanel0", "Line:  9999 of 9999"}, {"StatusBarBottomPanel2", "Bytes: 128000"},
        {"StatusBarBottomPanel3", "Overwrite"},           {"StatusBarRichEditPanel0", "Bar: 9999"},
        {"StatusBarRichEditPanel1", "Beat: 64"},          {"StatusBarRichEditPanel2", "Tick: 999"},
        {"StatusBarRichEditPanel3", "Time: 00:00:00.00"}};
    for (const auto &[name, text] : widest) {
        const auto *panel = w->findChild<QLabel *>(QString::fromLatin1(name));
        ASSERT_NE(panel, nullptr) << name;
        EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(QString::fromLatin1(text)))
            << name;
    }
}

TEST_F(EditorControllerTest, PositionIsComputedAgainAfterATempoOrSignatureChange) {
    w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, W\nG, 3, 2, 0, 0, 0, 3, H\nAm, x, 0, 2, 2, 1, 0, Q\n"));
    w->Lines().MoveCaretToLine(2);
    EXPECT_EQ(Rich(3), QStringLiteral("Time: 00:00:03.00")); // six beats at 120
    TMainDialogs dialogs;
    dialogs.tempo = [](const TTempoInput &) { return std::optional<int>(60); };
    dialogs.timeSignature = [](const TTimeSigInput &) { return std::optional<std::string>("0304"); };
    w->SetDialogs(dialogs);
    QTest::mouseClick(Ctl<QLabel>(*w, "lblTempo"), Qt::LeftButton);
    ASSERT_EQ(w->Document().Song.Tempo, 60);
    EXPECT_EQ(Rich(3), QStringLiteral("Time: 00:00:06.00")); // the same line, twice as long
    QTest::mouseClick(Ctl<QLabel>(*w, "LabelSigLower"), Qt::LeftButton);
    ASSERT_EQ(w->Document().Song.TimeSignature, "0304");
    EXPECT_EQ(Rich(0), QStringLiteral("Bar: 3")); // six beats of 3/4 are two whole bars
    EXPECT_EQ(Rich(1), QStringLiteral("Beat: 1"));
}

TEST_F(EditorControllerTest, SelectionTurnsCountInOffAndBackOn) {
    w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    Ctl<QCheckBox>(*w, "chkCountIn")->setChecked(true);
    QTextCursor c = Ctl<TNotationEdit>(*w, "RichEdit1")->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    Ctl<TNotationEdit>(*w, "RichEdit1")->setTextCursor(c);
    EXPECT_FALSE(Ctl<QCheckBox>(*w, "chkCountIn")->isChecked());
    EXPECT_FALSE(Ctl<QCheckBox>(*w, "chkCountIn")->isEnabled());
    EXPECT_EQ(Rich(4), QStringLiteral("Play All Lines")); // inside one line
    w->Lines().MoveCaretToLine(0);
    EXPECT_TRUE(Ctl<QCheckBox>(*w, "chkCountIn")->isEnabled());
}

TEST_F(EditorControllerTest, EveryUserEditMarksTheTab) {
    struct Edit {
        const char *what;
        std::function<void()> act;
    };
    // clang-format off
    const std::vector<Edit> edits = {
        {"letter", [&] { QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_A); }},
        {"Enter", [&] { QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Return); }},
        {"Backspace", [&] { QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_End); QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Backspace); }},
        {"paste", [&] { ts.clipboard.SetText(QStringLiteral("C, 0, Q\r\n")); w->ClipboardChanged(); Act(*w, "Paste1")->trigger(); }},
        {"undo", [&] { QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_A); w->ClearModifiedMarks(); Ctl<TNotationEdit>(*w, "RichEdit1")->undo(); }},
    };
    // clang-format on
    for (const auto &e : edits) {
        w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
        w->Lines().MoveCaretToLine(0);
        w->ClearModifiedMarks();
        ASSERT_FALSE(w->Document().Song.Current().Modified);
        e.act();
        EXPECT_TRUE(w->Document().Song.Current().Modified) << e.what;
        EXPECT_EQ(Bottom(1), QStringLiteral("*")) << e.what;
    }
    // The paste came in with its line breaks normalised.
    w->Lines().LoadText(QString());
    ts.clipboard.SetText(QStringLiteral("a\r\nb\rc"));
    Act(*w, "Paste1")->trigger();
    EXPECT_EQ(w->Lines().Lines(), (QStringList{"a", "b", "c"}));
}

TEST_F(EditorControllerTest, EmptyEditorIsSilverWithALowerCaseCaption) {
    w->Lines().LoadText(QString());
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_C);
    EXPECT_FALSE(Ctl<TNotationEdit>(*w, "RichEdit1")->BackgroundSilver());
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Backspace);
    EXPECT_TRUE(Ctl<TNotationEdit>(*w, "RichEdit1")->BackgroundSilver());
    EXPECT_EQ(Ctl<TPageControl>(*w, "PageControl1")->Caption(5), QStringLiteral("guitar"));
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_C);
    EXPECT_EQ(Ctl<TPageControl>(*w, "PageControl1")->Caption(5), QStringLiteral("GUITAR"));
}

TEST_F(EditorControllerTest, InsertPanelShowsTheRealMode) {
    for (const char *expected : {"Overwrite", "Insert", "Overwrite"}) {
        QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Insert);
        EXPECT_EQ(Bottom(3), QString::fromLatin1(expected));
    }
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Insert, Qt::ShiftModifier); // paste, not a toggle
    EXPECT_EQ(Bottom(3), QStringLiteral("Overwrite"));
    EXPECT_TRUE(Ctl<TNotationEdit>(*w, "RichEdit1")->overwriteMode());
    ASSERT_TRUE(SelectTab(7)); // the mode is the editor's, not the tab's
    EXPECT_EQ(Bottom(3), QStringLiteral("Overwrite"));
}

TEST_F(EditorControllerTest, SingleNoteCaretLineNamesItsNote) {
    // String 5 (A) at fret 4 is C#; the caret-line parse marks and selects nothing.
    w->Lines().LoadText(QStringLiteral("x, x, 4, x, x, x, x, Q\nC, x, 3, 2, 0, 1, 0, Q\n*TEMPO 90\n"));
    w->Lines().MoveCaretToLine(0);
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Home);
    EXPECT_EQ(Bottom(4), QStringLiteral("Db/C#"));
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Down);
    EXPECT_EQ(Bottom(4), QString());
    EXPECT_FALSE(w->Document().Song.Current().Modified);
    EXPECT_FALSE(w->Lines().HasSelection());
    ASSERT_TRUE(SelectTab(1));
    w->Lines().LoadText(QStringLiteral("A, 70, x, x, x, x, x, x, x, x, x, Q\n"));
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Home);
    EXPECT_EQ(Bottom(4), QStringLiteral("Bb/A#"));
}

TEST_F(EditorControllerTest, CaretLineSetsTheTabsSoundAndHoverTextClears) {
    ASSERT_TRUE(SelectTab(12)); // bass: program 33 on channel 11
    w->Lines().LoadText(QStringLiteral("E, 0, x, x, x, H\n"));
    midi.Clear();
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Home);
    bool programSent = false;
    for (const auto &m : midi.Messages())
        programSent |= m.status == 0xC0 + 11 && m.data1 == 33;
    EXPECT_TRUE(programSent);
    EXPECT_EQ(Bottom(4), QStringLiteral("E"));
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), QPointF(4, 4), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Ctl<QGroupBox>(*w, "grpEditor"), &move);
    EXPECT_EQ(Bottom(4), QString());
}

TEST_F(EditorControllerTest, EditMenuFollowsTextSelectionAndClipboard) {
    w->Lines().LoadText(QString());
    w->EditorEvents().EditMenuEditorClick();
    EXPECT_FALSE(Act(*w, "SelectAll1")->isEnabled());
    EXPECT_FALSE(Act(*w, "Copy1")->isEnabled());
    EXPECT_FALSE(Act(*w, "Paste1")->isEnabled());
    ts.clipboard.SetText(QStringLiteral("x"));
    w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    w->Lines().SelectLines(0, 0);
    w->EditorEvents().EditMenuEditorClick();
    EXPECT_TRUE(Act(*w, "SelectAll1")->isEnabled());
    EXPECT_TRUE(Act(*w, "Copy1")->isEnabled());
    EXPECT_TRUE(Act(*w, "Cut2")->isEnabled());
    EXPECT_TRUE(Act(*w, "Paste2")->isEnabled());
    Act(*w, "Cut1")->trigger();
    EXPECT_EQ(ts.clipboard.Text(), QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    EXPECT_TRUE(w->Lines().IsEmpty());
    EXPECT_TRUE(w->Document().Song.Current().Modified);
}

TEST_F(EditorControllerTest, NothingHappensWhilePlaying) {
    w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    SetPlaying(*w, TPlayKind::Song, true);
    ts.clipboard.SetText(QStringLiteral("x"));
    Act(*w, "Paste1")->trigger();
    Ctl<TDurationButtons>(*w, "PanelNoteButtons")->btnRest->click();
    EXPECT_EQ(w->Lines().Lines(), QStringList{"C, x, 3, 2, 0, 1, 0, Q"});
    EXPECT_FALSE(w->Document().Song.Current().Modified);
}

TEST_F(EditorControllerTest, EditCommandsDoNothingOnTheDrumsTabOrWhileAnythingPlays) {
    const QStringList text = {"C, x, 3, 2, 0, 1, 0, Q", "G, 3, 2, 0, 0, 0, 3, Q"};
    ts.clipboard.SetText(QStringLiteral("pasted"));
    for (int situation = 0; situation < 4; ++situation) {
        const int tab = situation == 0 ? 10 : 6; // the Drums tab, or a guitar while something plays
        if (w->Document().Song.CurrentTab != tab) {
            ASSERT_TRUE(SelectTab(tab));
        }
        w->Lines().LoadText(TEditorLines::JoinLines(text));
        w->Lines().SelectLines(0, 0);
        const TPlayKind kinds[4] = {TPlayKind::Idle, TPlayKind::Instrument, TPlayKind::Song, TPlayKind::DrumGrid};
        if (situation > 0)
            SetPlaying(*w, kinds[situation], true);
        for (QAction *a : {Act(*w, "Cut1"), Act(*w, "Delete1"), Act(*w, "Paste1"), Act(*w, "Undo1"), Act(*w, "Cut2"),
                           Act(*w, "Delete2"), Act(*w, "Paste2"), Act(*w, "Undo2")})
            a->trigger();
        Ctl<TDurationButtons>(*w, "PanelNoteButtons")->btnRest->click();
        EXPECT_EQ(w->Lines().Lines().mid(0, 2), text) << situation;
        EXPECT_EQ(ts.clipboard.Text(), QStringLiteral("pasted")) << situation;
        EXPECT_FALSE(w->AnyTabModified()) << situation;
        if (situation > 0)
            SetPlaying(*w, kinds[situation], false);
    }
}

} // namespace
