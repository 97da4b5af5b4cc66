// The live instrument on the main window: the caret line sounds and shows on the fretboard or
// keyboard, clicks on the pictures write lines, and "Play" sounds the tab's lines.
#include "MainWindowFixture.h"

#include "mainwindow/editor/EditorController.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/live/LiveInstrument.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class LiveInstrumentTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Make();
        w->resize(815, 599);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        w->FormActivate();
        // Waits step the manual clock, so every note's length is exact.
        w->LiveInstrument()->Sound().SetWaiter([this](int ms, bool) {
            waits.push_back(ms);
            clock.Advance(ms);
            if (onWait)
                onWait();
            if (waits.size() > 50) // a run that fails to stop ends the test, not the suite
                w->PlayState().StopRequested = true;
        });
    }
    void Show(int tab, const QString &text, int caret) {
        if (w->Document().Song.CurrentTab != tab) {
            ASSERT_TRUE(SelectTab(tab));
        }
        w->Lines().LoadText(text);
        w->Lines().MoveCaretToLine(caret);
        Ctl<TNotationEdit>(*w, "RichEdit1")->setFocus();
        midi.Clear();
        waits.clear();
    }
    std::vector<int> NotesOn() const {
        std::vector<int> out;
        for (const auto &m : midi.Messages())
            if ((m.status & 0xF0) == 0x90 && m.data2 > 0)
                out.push_back(m.data1);
        return out;
    }
    int NotesOff() const {
        int n = 0;
        for (const auto &m : midi.Messages())
            n += (m.status & 0xF0) == 0x90 && m.data2 == 0;
        return n;
    }
    TFretboardModel &Fretboard() { return w->LiveInstrument()->Fretboard().Model(); }
    TKeyboardModel &Keyboard() { return w->LiveInstrument()->Keyboard().Model(); }
    std::vector<int> waits;
    std::function<void()> onWait;
};

// A caret key sounds its line first; the line's place in the song (bar, beat, tick and time)
// follows once the window has handled the key.
TEST_F(LiveInstrumentTest, TheCaretLineSoundsBeforeItsPositionIsShown) {
    Show(6, QStringLiteral("C, x, 3, 2, 0, 1, 0, W\nG, 3, 2, 0, 0, 0, 3, Q\n"), 0);
    QApplication::processEvents();
    auto *bar = Ctl<TStatusPanels>(*w, "StatusBarRichEdit");
    ASSERT_EQ(bar->Text(0), QStringLiteral("Bar: 1"));
    QString shownWhileSounding;
    onWait = [&] { shownWhileSounding = bar->Text(0); };
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Down);
    ASSERT_EQ(NotesOn().size(), 6u);
    EXPECT_EQ(shownWhileSounding, QStringLiteral("Bar: 1"));
    QApplication::processEvents();
    EXPECT_EQ(bar->Text(0), QStringLiteral("Bar: 2"));
}

TEST_F(LiveInstrumentTest, CaretOnAFrettedLineSoundsItAndShowsItsFrets) {
    w->Document().Song.Tab(6).Transpose = 2;
    w->Document().Song.SongTranspose = 1;
    Show(6, QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\n"), 0);
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Down);
    EXPECT_EQ(w->Lines().CurrentLine(), 1);
    EXPECT_EQ(NotesOn(), (std::vector<int>{67 + 3, 59 + 3, 55 + 3, 50 + 3, 47 + 3, 43 + 3}));
    EXPECT_EQ(NotesOff(), 6);
    EXPECT_EQ(waits, std::vector<int>{200});
    EXPECT_TRUE(Fretboard().DotShown(5, 3));
    EXPECT_TRUE(Fretboard().DotShown(0, 3));
    EXPECT_EQ(Fretboard().ShownDotCount(), 6);
    EXPECT_TRUE(w->LiveInstrument()->Fretboard().View()->isVisible());
    EXPECT_FALSE(w->LiveInstrument()->Keyboard().View()->isVisible());
    // Keys other than Up and Down show the line but sound nothing.
    midi.Clear();
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Home);
    EXPECT_TRUE(NotesOn().empty());
    // Key codes are Qt's: '(' and '&' are not Down and Up.
    w->EditorEvents().RichEdit1KeyUp(Qt::Key_ParenLeft);
    w->EditorEvents().RichEdit1KeyUp(Qt::Key_Ampersand);
    EXPECT_TRUE(NotesOn().empty());
    w->EditorEvents().RichEdit1KeyUp(Qt::Key_Up);
    EXPECT_EQ(NotesOn().size(), 6u);
}

TEST_F(LiveInstrumentTest, CaretOnAPianoLineSoundsItAndShowsItsKeys) {
    Show(1, QStringLiteral("*Volume 20\nC, 60, 64, 67, x, x, x, x, x, x, x, Q\n"), 0);
    EXPECT_TRUE(w->LiveInstrument()->Keyboard().View()->isVisible());
    EXPECT_EQ(w->LiveInstrument()->Keyboard().View()->size(), Ctl<TInstrumentPicture>(*w, "PaintBoxInstrument")->size())
        << "fills the picture";
    EXPECT_FALSE(w->LiveInstrument()->Fretboard().View()->isVisible());
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Down);
    EXPECT_EQ(NotesOn(), (std::vector<int>{60, 64, 67}));
    EXPECT_EQ(waits, std::vector<int>{200});
    EXPECT_EQ(Keyboard().Key(20).Colour, kColourSilver);
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Up); // a directive: nothing sounds, keys plain
    EXPECT_EQ(NotesOn().size(), 3u);
}

TEST_F(LiveInstrumentTest, FretboardClickWritesTheLineAndMarksTheTab) {
    Show(6, QString(), 0);
    TFretboardView *view = w->LiveInstrument()->Fretboard().View();
    view->LayoutShapes();
    const TRect r = Fretboard().Dot(5, 3).Rect;
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(r.Left + r.Width / 2, r.Top + r.Height / 2));
    const QString duration = QString::fromStdString(Ctl<TDurationButtons>(*w, "PanelNoteButtons")->CurrentDuration());
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("Guitar, 3, x, x, x, x, x,") + duration);
    EXPECT_EQ(w->Lines().CurrentLine(), 1);
    EXPECT_EQ(NotesOn(), std::vector<int>{43});
    EXPECT_TRUE(w->Document().Song.Current().Modified);
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(1), QStringLiteral("*"));
    // Right click on the shown dot of the caret line removes it.
    w->Lines().MoveCaretToLine(0);
    w->LiveInstrument()->ShowLineOnInstrument(0);
    QTest::mouseClick(view, Qt::RightButton, {}, QPoint(r.Left + r.Width / 2, r.Top + r.Height / 2));
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("Guitar, x, x, x, x, x, x,") + duration);
}

TEST_F(LiveInstrumentTest, KeyboardClickWritesThePianoLine) {
    Show(1, QStringLiteral("*Tempo 90\n"), 0);
    TKeyboardView *view = w->LiveInstrument()->Keyboard().View();
    view->LayoutKeys();
    const TRect r = Keyboard().Key(20).Rect;
    QTest::mouseClick(view, Qt::RightButton, {}, QPoint(r.Left + 3, r.Top + r.Height - 4));
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("Piano , 60, x, x, x, x, x, x, x, x, x, Q"));
    EXPECT_EQ(w->Lines().Line(1), QStringLiteral("*Tempo 90"));
    EXPECT_EQ(NotesOn(), std::vector<int>{60});
    EXPECT_EQ(waits, std::vector<int>{250});
    EXPECT_TRUE(w->Document().Song.Current().Modified);
}

TEST_F(LiveInstrumentTest, PlayButtonSoundsTheLinesAndRestoresTheWindow) {
    Show(6, QStringLiteral("E, 0, x, x, x, x, x, Q\n*Tempo 60\nA, x, 0, x, x, x, x, Q\n"), 0);
    QString captionWhilePlaying;
    QColor colourWhilePlaying;
    bool playingFlag = false, editorReadOnly = false, songButtonEnabled = true;
    QString tempoShown;
    onWait = [&] {
        captionWhilePlaying = Ctl<QPushButton>(*w, "btnPlayFRT")->text();
        colourWhilePlaying = Ctl<QPushButton>(*w, "btnPlayFRT")->palette().color(QPalette::ButtonText);
        playingFlag = w->PlayState().Playing(TPlayKind::Instrument);
        editorReadOnly = Ctl<TNotationEdit>(*w, "RichEdit1")->isReadOnly();
        songButtonEnabled = Ctl<QPushButton>(*w, "BitBtnPlayArrangement")->isEnabled();
        tempoShown = Ctl<QLabel>(*w, "lblTempo")->text();
    };
    QTest::mouseClick(Ctl<QPushButton>(*w, "btnPlayFRT"), Qt::LeftButton);
    EXPECT_EQ(NotesOn(), (std::vector<int>{40, 45}));
    EXPECT_EQ(waits, (std::vector<int>{500, 1000}));
    EXPECT_EQ(captionWhilePlaying, QStringLiteral("Stop"));
    // The caption is red while the lines sound and green again after.
    EXPECT_EQ(colourWhilePlaying, QColor(255, 0, 0));
    EXPECT_EQ(Ctl<QPushButton>(*w, "btnPlayFRT")->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
    EXPECT_TRUE(playingFlag);
    EXPECT_TRUE(editorReadOnly);
    EXPECT_FALSE(songButtonEnabled);
    EXPECT_EQ(tempoShown, QStringLiteral("Tempo: 60"));
    EXPECT_EQ(Ctl<QPushButton>(*w, "btnPlayFRT")->text(), QStringLiteral("Play"));
    EXPECT_FALSE(w->PlayState().Playing(TPlayKind::Instrument));
    EXPECT_FALSE(Ctl<TNotationEdit>(*w, "RichEdit1")->isReadOnly());
    EXPECT_TRUE(Ctl<QPushButton>(*w, "BitBtnPlayArrangement")->isEnabled());
    EXPECT_EQ(Ctl<QLabel>(*w, "lblTempo")->text(), QStringLiteral("Tempo: 120"));
    // The status bars follow the editor again: no lines selected, the caret's line counted.
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarRichEdit")->Text(4), QStringLiteral("Play All Lines"));
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(0),
              QStringLiteral("Line:  %1 of 4").arg(w->Lines().CurrentLine() + 1));
}

TEST_F(LiveInstrumentTest, StopButtonAndEscEndTheRun) {
    for (bool esc : {false, true}) {
        Show(6, QStringLiteral("E, 0, x, x, x, x, x, Q\nA, x, 0, x, x, x, x, Q\nD, x, x, 0, x, x, x, Q\n"), 0);
        Ctl<QCheckBox>(*w, "chkLoopAll")->setChecked(true);
        onWait = [&] {
            if (waits.size() == 2) {
                if (esc)
                    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Escape);
                else
                    Ctl<QPushButton>(*w, "btnPlayFRT")->click(); // the Stop click, arriving while the line sounds
            }
        };
        QTest::mouseClick(Ctl<QPushButton>(*w, "btnPlayFRT"), Qt::LeftButton);
        EXPECT_EQ(NotesOn(), (std::vector<int>{40, 45})) << esc;
        EXPECT_EQ(NotesOff(), 2) << esc;
        EXPECT_FALSE(w->PlayState().Playing(TPlayKind::Instrument));
        EXPECT_EQ(Ctl<QPushButton>(*w, "btnPlayFRT")->text(), QStringLiteral("Play"));
        EXPECT_TRUE(Ctl<QCheckBox>(*w, "chkLoopAll")->isChecked());
        onWait = nullptr;
        Ctl<QCheckBox>(*w, "chkLoopAll")->setChecked(false);
    }
}

TEST_F(LiveInstrumentTest, RefusedCloseStopsTheRun) {
    Show(6, QStringLiteral("E, 0, x, x, x, x, x, Q\nA, x, 0, x, x, x, x, Q\nD, x, x, 0, x, x, x, Q\n"), 0);
    bool closed = true;
    onWait = [&] {
        if (waits.size() == 1)
            closed = w->close();
    };
    QTest::mouseClick(Ctl<QPushButton>(*w, "btnPlayFRT"), Qt::LeftButton);
    EXPECT_EQ(ts.messages.Texts(),
              QStringList{QStringLiteral("Please stop instrument playback before exiting Tarrowind")});
    EXPECT_EQ(NotesOn(), std::vector<int>{40}); // the run ended in its first line
    EXPECT_FALSE(w->PlayState().Playing(TPlayKind::Instrument));
    EXPECT_FALSE(w->PlayState().StopRequested); // cleared once the run unwound
    EXPECT_FALSE(closed);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(LiveInstrumentTest, FaultyLinesAreReportedWithTheirLineNumbers) {
    QStringList lines;
    for (int i = 0; i < 6; ++i)
        lines << QStringLiteral("E, 0, x, x, x, x, x, Q");
    lines << QStringLiteral("E, 0, x, Q");
    Show(6, TEditorLines::JoinLines(lines), 0);
    QTest::mouseClick(Ctl<QPushButton>(*w, "btnPlayFRT"), Qt::LeftButton);
    EXPECT_EQ(ts.messages.Texts(), QStringList{QStringLiteral("Error in line 7")});
    EXPECT_TRUE(NotesOn().empty());
    EXPECT_EQ(w->Lines().CurrentLine(), 6);

    Show(1, QStringLiteral("C, 60, x, x, x, x, x, x, x, x, x, Q\nC, 60, x, Q\n"), 0);
    QTest::mouseClick(Ctl<QPushButton>(*w, "btnPlayFRT"), Qt::LeftButton);
    EXPECT_EQ(ts.messages.Texts().last(), QStringLiteral("Error in Piano: Line 2"));
    EXPECT_EQ(NotesOn(), std::vector<int>{60});
}

} // namespace

namespace {

// The Play button's messages in order: the tab's program and pan, then each line's notes on
// and off in turn on the tab's channel (a directive's program between them), then the tab's
// program again once the run ended normally.
TEST_F(LiveInstrumentTest, PlayButtonSendsPanThenEachLineInTurnThenTheProgram) {
    Show(6, QStringLiteral("E, 0, x, x, x, x, x, Q\n*INSTRUMENT 40\nA, x, 0, x, x, x, x, Q\n"), 0);
    const TInstrumentTab &tab = w->Document().Song.Current();
    const int ch = tab.Channel & 0x0F;
    QTest::mouseClick(Ctl<QPushButton>(*w, "btnPlayFRT"), Qt::LeftButton);
    std::vector<std::vector<int>> sent;
    for (const auto &m : midi.Messages())
        if ((m.status & 0x0F) == ch && ((m.status & 0xF0) != 0xB0 || m.data1 == 10))
            sent.push_back((m.status & 0xF0) == 0xC0 ? std::vector<int>{m.status, m.data1}
                                                     : std::vector<int>{m.status, m.data1, m.data2});
    const std::vector<std::vector<int>> expected = {
        {0xC0 + ch, tab.Patch}, // the tab's sound before anything plays (sent once: the port keeps it)
        {0xB0 + ch, 10, tab.Balance}, {0x90 + ch, 40, tab.Volume}, {0x90 + ch, 40, 0},     {0xC0 + ch, 40},
        {0x90 + ch, 45, tab.Volume},  {0x90 + ch, 45, 0},          {0xC0 + ch, tab.Patch},
    };
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(waits, (std::vector<int>{500, 500}));
}

} // namespace
