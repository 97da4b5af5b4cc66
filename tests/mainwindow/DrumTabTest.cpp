// The drum page in the window: the grid played alone through the output port (notes and their
// times), a click on a cell, slot sounds, list clicks and commands, and patterns that stay
// distinct through a save and a reload.
#include "MainWindowFixture.h"

#include "mainwindow/drums/DrumGridView.h"
#include "mainwindow/drums/DrumTab.h"
#include "mainwindow/live/LiveInstrument.h"
#include "song/BuiltInBeats.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <set>

namespace {

class DrumTabTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        TMainEnvironment env = Environment(timed);
        env.programDir = dir.path();
        w = std::make_unique<TfrmMain>(env);
        w->show();
        w->FormActivate();
        OnePass();
        ASSERT_TRUE(SelectTab(10));
        // Waits step the manual clock, so every message carries its exact time.
        w->LiveInstrument()->Sound().SetWaiter([this](int ms, bool) {
            waits.push_back(ms);
            clock.Advance(ms);
            if (onWait)
                onWait();
            if (waits.size() > 400) // a play that fails to stop ends the test, not the suite
                w->PlayState().StopRequested = true;
        });
    }

    TDrumTab &Page() { return w->DrumPage(); }
    // A new song loops the grid: these plays run one pass unless a test loops them.
    void OnePass() { Ctl<QCheckBox>(*w, "chkLoopDrumGrid")->setChecked(false); }
    TDrumGridView *Grid() { return Ctl<TDrumGridView>(*w, "StringGridDrums"); }
    QListWidget *List() { return Ctl<QListWidget>(*w, "ListBoxDrumPatterns"); }
    void Click(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Grid(), button, {}, Grid()->CellRect(column, row).center());
    }

    struct Note {
        int64_t ms;
        int note, velocity;
        bool operator==(const Note &) const = default;
    };
    std::vector<Note> Notes(uint8_t status = 0x99) const {
        std::vector<Note> out;
        for (const auto &m : timed.Messages())
            if (m.status == status)
                out.push_back({m.timeMs, m.data1, m.data2});
        return out;
    }
    int Count(uint8_t status, int data1 = -1) const {
        int n = 0;
        for (const auto &m : timed.Messages())
            n += m.status == status && (data1 < 0 || m.data1 == data1);
        return n;
    }
    void Restart() {
        timed.Clear();
        waits.clear();
        clock.Set(0);
    }

    platform::RecordingMidiOutSystem timed{{"Synth"}, &clock};
    std::vector<int> waits;
    std::function<void()> onWait;
};

// One pass over the bar: each column's notes at its step's start (channel 10, velocity from the
// level and the tab's volume), note-offs at the step's end, pan before every step. A step of a
// fraction of a millisecond starts on the millisecond at or after its exact time.
TEST_F(DrumTabTest, GridPlaySendsEachColumnAtItsStep) {
    struct Case {
        const char *what;
        int beat; // a built-in beat, or 0 for an empty 6/8 pattern
        int columns, barMs, tempo;
    };
    const Case cases[] = {
        {"4/4 regular", 1, 16, 2000, 120},
        {"3/4 jazzy", 6, 9, 1500, 120},
        {"6/8 jazzy", 0, 18, 1500, 120},
        {"4/4 jazzy at 60", 4, 12, 4000, 60},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(SelectTab(1));
        w->ResetSong();
        OnePass();
        ASSERT_TRUE(SelectTab(10));
        w->Document().Song.Tempo = c.tempo;
        if (c.beat > 0) {
            Page().ComboBoxBuiltInBeatsChange(c.beat);
        } else {
            w->Document().Drums.sigUpper = 6;
            w->Document().Drums.sigLower = 8;
            Page().ComboBoxJazzyFeelChange(kFeelJazzy);
            Click(17, 0);
            Click(0, 7);
        }
        ASSERT_EQ(w->Document().Drums.grid.Columns(), c.columns);
        Restart();
        Page().BitBtnPlayPatternMouseDown();
        auto at = [&](int col) { return (int64_t(col) * c.barMs + c.columns - 1) / c.columns; };
        std::vector<int> wantWaits;
        for (int col = 0; col < c.columns; ++col)
            wantWaits.push_back(int(at(col + 1) - at(col)));
        EXPECT_EQ(waits, wantWaits);
        std::vector<Note> wantOn, wantOff;
        for (int col = 0; col < c.columns; ++col)
            for (int row = 0; row < kDrumRows; ++row)
                if (int level = w->Document().Drums.grid.Cell(col, row)) {
                    const int note = w->Document().Drums.drumSlots[size_t(row)].note;
                    wantOn.push_back({at(col), note, LevelToVelocity(level, 100)});
                    wantOff.push_back({at(col + 1), note, 0});
                }
        std::vector<Note> on, off;
        for (const Note &n : Notes())
            (n.velocity > 0 ? on : off).push_back(n);
        EXPECT_FALSE(on.empty());
        EXPECT_EQ(on, wantOn);
        EXPECT_EQ(off, wantOff);
        EXPECT_EQ(Count(0xB9, 10), c.columns); // pan before every step
        EXPECT_EQ(w->PlayState().Kind(), TPlayKind::Idle);
        EXPECT_EQ(Ctl<QPushButton>(*w, "BitBtnPlayPattern")->text(), QStringLiteral("Play"));
    }
}

// Each column is due at the pass's start plus its steps, whatever the work around a wait took
// (here 3 ms more than asked every time); a looped pass starts where the last one was due to end.
TEST_F(DrumTabTest, GridPlayKeepsTimeFromThePassStart) {
    Page().ComboBoxBuiltInBeatsChange(1); // Rock 1: the bass drum on steps 1, 9 and 11
    Ctl<QCheckBox>(*w, "chkLoopDrumGrid")->setChecked(true);
    onWait = [&] {
        clock.Advance(3);
        if (waits.size() == 32) // two passes
            w->PlayState().StopRequested = true;
    };
    Restart();
    Page().BitBtnPlayPatternMouseDown();
    std::vector<int64_t> bass;
    for (const Note &n : Notes())
        if (n.note == 36 && n.velocity > 0)
            bass.push_back(n.ms);
    EXPECT_EQ(bass,
              (std::vector<int64_t>{0, 8 * 125 + 3, 10 * 125 + 3, 2000 + 3, 2000 + 8 * 125 + 3, 2000 + 10 * 125 + 3}));
}

TEST_F(DrumTabTest, CursorBarIsDrawnInItsColour) {
    const QImage shown = Grid()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(Grid()->ColumnWidth() / 2, 2), QColor(147, 254, 242));
}

TEST_F(DrumTabTest, LoopedGridPlayLocksThePageUntilStopped) {
    Page().ComboBoxBuiltInBeatsChange(1);
    Ctl<QCheckBox>(*w, "chkLoopDrumGrid")->setChecked(true);
    auto *play = Ctl<QPushButton>(*w, "BitBtnPlayPattern");
    bool checked = false;
    onWait = [&] {
        if (waits.size() == 3) {
            checked = true;
            EXPECT_EQ(play->text(), QStringLiteral("Stop"));
            EXPECT_FALSE(Ctl<QGroupBox>(*w, "GroupBoxDrumPatterns")->isEnabled());
            EXPECT_FALSE(Ctl<QWidget>(*w, "ComboBoxBuiltInBeats")->isEnabled());
            EXPECT_FALSE(MenuAct(*w, QStringLiteral("File1"))->isEnabled());
            EXPECT_FALSE(SelectTab(1)); // no tab change while the grid plays
            // The grid stays editable while it loops: the new cell sounds in the next pass.
            Click(1, 4);
        }
        if (waits.size() == 40)
            QTest::mousePress(play, Qt::LeftButton); // Stop
    };
    Restart();
    Page().BitBtnPlayPatternMouseDown();
    EXPECT_TRUE(checked);
    EXPECT_EQ(waits.size(), 40u); // two and a half passes, then the stop ends the wait
    EXPECT_EQ(w->Document().Drums.grid.Cell(1, 4), 7);
    int tomNotes = 0;
    for (const Note &n : Notes())
        tomNotes += n.note == 50 && n.velocity > 0;
    EXPECT_EQ(tomNotes, 2); // heard in the second and third pass only (no sound of its own meanwhile)
    EXPECT_EQ(play->text(), QStringLiteral("Play"));
    EXPECT_TRUE(Ctl<QGroupBox>(*w, "GroupBoxDrumPatterns")->isEnabled());
    EXPECT_EQ(w->NestedLoopDepth(), 0);
    // Esc stops it too.
    onWait = [&] {
        if (waits.size() == 5)
            w->FormKeyDown(Qt::Key_Escape);
    };
    Restart();
    Page().BitBtnPlayPatternMouseDown();
    EXPECT_EQ(waits.size(), 5u);
    EXPECT_EQ(w->PlayState().Kind(), TPlayKind::Idle);
}

TEST_F(DrumTabTest, ClickOnACellSetsStoresSoundsAndMarks) {
    w->Document().Song.Tempo = 120;
    Restart();
    w->PlayState().StopRequested = true; // left from an earlier stop: the cell still sounds in full
    Click(3, 2);
    EXPECT_FALSE(w->PlayState().StopRequested);
    ASSERT_EQ(w->Document().Drums.list.Count(), 1); // the first click made a pattern
    EXPECT_EQ(w->Document().Drums.grid.Cell(3, 2), 7);
    const PatternBlock block = w->Document().Drums.ItemPattern(0);
    ASSERT_TRUE(block.Found());
    EXPECT_EQ(w->Document().Drums.store.Lines()[size_t(block.headerIndex) + 1], "0302007");
    EXPECT_EQ(Notes(), (std::vector<Note>{{0, 42, LevelToVelocity(7, 100)}, {31, 42, 0}}));
    EXPECT_EQ(waits, std::vector<int>{31}); // a sixty-fourth note at 120
    EXPECT_TRUE(w->Document().Song.Tab(10).Modified);
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(1), QStringLiteral("*"));
    EXPECT_EQ(Ctl<TPageControl>(*w, "PageControl1")->Caption(9), QStringLiteral("DRUMS"));
    EXPECT_EQ(List()->count(), 1);
    EXPECT_TRUE(List()->item(0)->isSelected());
    EXPECT_TRUE(Ctl<QGroupBox>(*w, "GroupBoxPlayDrumGrid")->isVisible());
    EXPECT_FALSE(Ctl<QGroupBox>(*w, "grpFRTPlay")->isVisible());

    Click(3, 2, Qt::RightButton);
    EXPECT_EQ(w->Document().Drums.grid.Cell(3, 2), 0);
    EXPECT_EQ(w->Document().Drums.store.Lines().size(), 1u);
    // Beside the cells (the free column at the right) nothing happens.
    Restart();
    const QRect last = Grid()->CellRect(w->Document().Drums.grid.Columns() - 1, 0);
    QTest::mouseClick(Grid(), Qt::LeftButton, {}, last.center() + QPoint(last.width(), 0));
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(w->Document().Drums.grid.Cells().size(), 0u);
    // A level key on the current cell.
    Grid()->setFocus();
    QTest::keyClick(Grid(), Qt::Key_5);
    EXPECT_EQ(w->Document().Drums.grid.Cell(3, 2), 5);
}

TEST_F(DrumTabTest, SlotSoundChosenInThePickerPlaysInEveryPattern) {
    TMainDialogs d;
    std::optional<DrumSlot> answer;
    d.selectDrum = [&](const TDrumPickInput &in) {
        // The picker previews a drum as the Drums tab sounds.
        EXPECT_EQ(in.channel, w->Document().Song.Tab(10).Channel);
        EXPECT_EQ(in.volume, w->Document().Song.Tab(10).Volume);
        EXPECT_TRUE(in.preview);
        return answer;
    };
    w->SetDialogs(d);
    Page().ComboBoxBuiltInBeatsChange(1);
    w->ClearModifiedMarks();
    auto *label = Ctl<QLabel>(*w, "DrumNameLabel3");
    QTest::mouseClick(label, Qt::LeftButton); // Cancel
    EXPECT_EQ(label->text(), QStringLiteral("42 Closed Hi-hat"));
    EXPECT_FALSE(w->AnyTabModified());
    answer = DrumSlot{" 56 Cowbell ", 56};
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(label->text(), QStringLiteral("56 Cowbell"));
    EXPECT_TRUE(w->Document().Song.Tab(10).Modified);
    Restart();
    Page().BitBtnPlayPatternMouseDown();
    std::set<int> notes;
    for (const Note &n : Notes())
        notes.insert(n.note);
    EXPECT_EQ(notes, (std::set<int>{36, 38, 56})); // the beat's hi-hat row sounds the cowbell
}

TEST_F(DrumTabTest, ListClicksShowThePatternAndCommandsKeepPatternsDistinctThroughAFile) {
    TMainDialogs d;
    d.inputLine = [](const TInputLineInput &in) -> std::optional<QString> {
        EXPECT_EQ(in.caption, QStringLiteral("Enter new name for Jazz"));
        EXPECT_EQ(in.maxLength, 40);
        EXPECT_TRUE(in.filterCharacters);
        return QString(50, QLatin1Char('n'));
    };
    w->SetDialogs(d);
    Page().ComboBoxBuiltInBeatsChange(1); // Rock 1, regular
    Page().ComboBoxBuiltInBeatsChange(4); // Jazz, jazzy, now shown
    ASSERT_EQ(List()->count(), 2);
    EXPECT_EQ(w->Document().Drums.grid.Columns(), 12);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(List()->item(0)).center());
    EXPECT_EQ(w->Document().Drums.list.ItemIndex(), 0);
    EXPECT_EQ(w->Document().Drums.grid.Columns(), 16);
    EXPECT_EQ(w->Document().Drums.grid.Cell(4, 2), 9);
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarDrums")->Text(0), QStringLiteral("Bar: 1 of 2"));

    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(List()->item(1)).center());
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarDrums")->Text(3), QStringLiteral("Time: 00:00:02.00"));
    Act(*w, QStringLiteral("Rename3"))->trigger();
    EXPECT_EQ(ParsePatternListLine(w->Document().Drums.list.Item(1)).name, std::string(40, 'n'));
    Act(*w, QStringLiteral("SelectAll4"))->trigger();
    Act(*w, QStringLiteral("Duplicate2"))->trigger();
    ASSERT_EQ(w->Document().Drums.list.Count(), 4);

    const QString path = dir.filePath(QStringLiteral("drums.twd"));
    ASSERT_TRUE(w->WriteSong(path));
    ASSERT_TRUE(SelectTab(1));
    ASSERT_TRUE(w->ReadSong(path));
    ASSERT_EQ(w->Document().Song.CurrentTab, 10); // the file keeps the tab shown
    ASSERT_EQ(List()->count(), 4);
    Act(*w, QStringLiteral("SelectAll3"))->trigger();
    Act(*w, QStringLiteral("Copy3"))->trigger();
    Act(*w, QStringLiteral("Paste5"))->trigger();
    Act(*w, QStringLiteral("NewPattern1"))->trigger();
    ASSERT_EQ(List()->count(), 9);
    std::set<int> ids;
    std::set<std::string> lines;
    for (int i = 0; i < w->Document().Drums.list.Count(); ++i) {
        ids.insert(ParsePatternListLine(w->Document().Drums.list.Item(i)).id);
        lines.insert(w->Document().Drums.list.Item(i));
        EXPECT_TRUE(w->Document().Drums.ItemPattern(i).Found()) << i;
        EXPECT_EQ(List()->item(i)->text().toStdString(), w->Document().Drums.list.Item(i));
    }
    EXPECT_EQ(ids.size(), 9u);
    EXPECT_EQ(lines.size(), 9u);
    EXPECT_EQ(*ids.rbegin(), 9);

    // Clear All Drums asks first; No keeps everything.
    ts.messages.QueueAnswer(platform::mrNo);
    Act(*w, QStringLiteral("ClearAllDrums1"))->trigger();
    EXPECT_EQ(List()->count(), 9);
    ts.messages.QueueAnswer(platform::mrYes);
    Act(*w, QStringLiteral("ClearAllDrums2"))->trigger();
    EXPECT_EQ(List()->count(), 0);
    EXPECT_TRUE(w->Document().Drums.store.Empty());
    EXPECT_EQ(Ctl<TPageControl>(*w, "PageControl1")->Caption(9), QStringLiteral("drums"));
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Do you want to clear all drum patterns?"));
}

} // namespace
