// Song playback and the file commands on the main window itself, offscreen, with the
// recording MIDI output on a manual clock and the player on a manual timer: a zero-length Qt
// timer steps the clock 4 ms at a time while the window waits in its play loop.
#include "mainwindow/window/MainWindow.h"

#include "PlayerDrive.h"
#include "dialogs/Dialogs.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/playback/SongCommands.h"
#include "mainwindow/playback/TimeDisplay.h"
#include "mainwindow/window/Commands.h"
#include "mainwindow/window/DialogHandOffs.h"
#include "mainwindow/window/PageControl.h"
#include "platform/TestDoubles.h"
#include "platform/qt/TestServices.h"
#include "song/NewSong.h"
#include "song/SongBuilder.h"
#include "song/SongFile.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "WindowLookup.h"
#include <gtest/gtest.h>

#include <functional>

namespace {

struct Sent {
    int64_t ms;
    int status, note;
    bool operator==(const Sent &) const = default;
};
std::ostream &operator<<(std::ostream &os, const Sent &n) {
    return os << n.ms << ":" << std::hex << n.status << std::dec << "/" << n.note;
}

const std::string kC = "C, 60, x, x, x, x, x, x, x, x, x, Q", kD = "D, 62, x, x, x, x, x, x, x, x, x, Q",
                  kE = "E, 64, x, x, x, x, x, x, x, x, x, Q", kF = "F, 65, x, x, x, x, x, x, x, x, x, Q";

class SongCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::EnsureTestApplication();
        ASSERT_TRUE(dir.isValid());
        QSettings(Path("settings.ini"), QSettings::IniFormat).setValue(QStringLiteral("Options/ShowNewUserMessage"), 0);
    }
    QString Path(const QString &name) const { return dir.filePath(name); }

    TfrmMain &Make(QStringList args = {}) {
        TMainEnvironment env;
        env.services = &ts.Get();
        env.midiOut = &midi;
        env.clock = &clock;
        env.timer = &timer;
        env.settingsPath = Path("settings.ini");
        env.arguments = std::move(args);
        env.programDir = dir.path();
        env.untitledFolder = dir.path();
        w = std::make_unique<TfrmMain>(env);
        w->show();
        w->FormActivate();
        QApplication::setActiveWindow(w.get());
        return *w;
    }
    QString WriteSong(const QString &name, const std::vector<std::string> &tab1,
                      const std::vector<std::string> &tab6 = {}) {
        TSongModel song;
        DrumPart drums;
        ResetSongModel(song, drums);
        song.Lines(1) = tab1;
        song.Lines(6) = tab6;
        EXPECT_TRUE(WriteSongFile(QFile::encodeName(Path(name)).toStdString(), song, drums));
        return Path(name);
    }
    QAction *Action(const char *name) { return w->findChild<QAction *>(QString::fromLatin1(name)); }

    // Runs `command` while each pass of the event loop steps the player 4 ms; `onStep` sees
    // the clock after each step.
    void Drive(const std::function<void()> &command, std::function<void(int64_t)> onStep = {}) {
        DrivePlayer(clock, timer, command, onStep, [this] { w->FormKeyDown(27); });
    }
    std::vector<Sent> Notes(int channel) const {
        std::vector<Sent> out;
        for (const auto &m : midi.Messages()) {
            const int hi = m.status & 0xF0;
            if ((hi == 0x90 || hi == 0x80) && (m.status & 0x0F) == channel)
                out.push_back({m.timeMs, hi == 0x90 && m.data2 > 0 ? 0x90 : 0x80, m.data1});
        }
        return out;
    }
    std::vector<int> NoteOns(int channel) const {
        std::vector<int> out;
        for (const Sent &s : Notes(channel))
            if (s.status == 0x90)
                out.push_back(s.note);
        return out;
    }

    platform::TestServices ts;
    platform::ManualClock clock;
    platform::ManualTimer timer;
    platform::RecordingMidiOutSystem midi{{"Synth"}, &clock};
    QTemporaryDir dir;
    std::unique_ptr<TfrmMain> w;
};

TEST_F(SongCommandsTest, F2PlaysATwoTabSongWithCountInAndMetronomeOnTime) {
    Make({WriteSong(QStringLiteral("two.twd"), {kC, kD}, {"C, x, 3, x, x, x, x, H"})});
    ASSERT_EQ(w->Document().Song.Lines(1).size(), 2u);
    Ctl<QCheckBox>(*w, "chkCountIn")->click();
    Ctl<QCheckBox>(*w, "chkMetronome")->click();
    bool stopShown = false, panelShown = false, menusLocked = false, fileMenuLocked = false;
    Drive([&] { QTest::keyClick(w.get(), Qt::Key_F2); },
          [&](int64_t ms) {
              if (ms == 1000) {
                  stopShown = Ctl<QPushButton>(*w, "BitBtnPlayArrangement")->text() == QStringLiteral("Stop");
                  panelShown = Ctl<QGroupBox>(*w, "GroupBoxMIDIPlay")->isVisible();
                  menusLocked = !Action("PlayAll1")->isEnabled() && !Ctl<QCheckBox>(*w, "chkMetronome")->isEnabled();
                  fileMenuLocked = !Action("OpenSong1")->isEnabled();
              }
          });
    EXPECT_TRUE(stopShown);
    EXPECT_TRUE(panelShown);
    EXPECT_TRUE(menusLocked);
    EXPECT_TRUE(fileMenuLocked);
    // Count-in and metronome clicks a beat long on channel 9, the piano on 0, the guitar on 5.
    EXPECT_EQ(Notes(9), (std::vector<Sent>{{4, 0x90, 77},
                                           {500, 0x80, 77},
                                           {500, 0x90, 76},
                                           {1000, 0x80, 76},
                                           {1000, 0x90, 76},
                                           {1500, 0x80, 76},
                                           {1500, 0x90, 76},
                                           {2000, 0x80, 76},
                                           {2000, 0x90, 77},
                                           {2500, 0x80, 77},
                                           {2500, 0x90, 76},
                                           {3000, 0x80, 76}}));
    EXPECT_EQ(Notes(0), (std::vector<Sent>{{2000, 0x90, 60}, {2500, 0x80, 60}, {2500, 0x90, 62}, {3000, 0x80, 62}}));
    EXPECT_EQ(Notes(5), (std::vector<Sent>{{2000, 0x90, 48}, {3000, 0x80, 48}}));
    EXPECT_EQ(Ctl<QPushButton>(*w, "BitBtnPlayArrangement")->text(), QStringLiteral("Play"));
    EXPECT_FALSE(Ctl<QGroupBox>(*w, "GroupBoxMIDIPlay")->isVisible());
    EXPECT_TRUE(Action("PlayAll1")->isEnabled());
    EXPECT_TRUE(Action("OpenSong1")->isEnabled());
    EXPECT_TRUE(Ctl<QCheckBox>(*w, "chkMetronome")->isEnabled());
    EXPECT_TRUE(Ctl<QSpinBox>(*w, "EdtCountInbars")->isEnabled());
    EXPECT_FALSE(w->PlayState().Playing(TPlayKind::Song));
    EXPECT_FALSE(w->Busy());
    EXPECT_FALSE(Ctl<TNotationEdit>(*w, "RichEdit1")->isReadOnly());
}

TEST_F(SongCommandsTest, CaretTimeFollowsTheTempoChangesOfTheLastPlay) {
    // Two quarters at 120, then 60: the fourth line starts 1 s + 1 s in, once a play has built the
    // tempo change (with a count-in bar before it, which the caret's time leaves out).
    Make({WriteSong(QStringLiteral("tempo.twd"), {kC, kD, "*Tempo 60", kC, kD})});
    auto time = [&] {
        QApplication::processEvents();
        return Ctl<TStatusPanels>(*w, "StatusBarRichEdit")->Text(3);
    };
    w->Lines().MoveCaretToLine(4);
    EXPECT_EQ(time(), QStringLiteral("Time: 00:00:01.50")); // nothing built yet: the song's 120 throughout
    Ctl<QCheckBox>(*w, "chkCountIn")->click();
    Drive([&] { QTest::keyClick(w.get(), Qt::Key_F2); });
    w->Lines().MoveCaretToLine(0);
    w->Lines().MoveCaretToLine(4);
    EXPECT_EQ(time(), QStringLiteral("Time: 00:00:02.00"));
}

TEST_F(SongCommandsTest, FromTheCaretTheSelectionAndTheBookmark) {
    Make({WriteSong(QStringLiteral("four.twd"), {kC, kD, kE, kF})});
    // Ctrl+F2 with the caret on line 3.
    w->Lines().MoveCaretToLine(2);
    Drive([&] { QTest::keyClick(w.get(), Qt::Key_F2, Qt::ControlModifier); });
    EXPECT_EQ(NoteOns(0), (std::vector<int>{64, 65}));
    EXPECT_EQ(w->Lines().CurrentLine(), 2);
    // The Play button with lines 2 and 3 selected.
    midi.Clear();
    w->Lines().SelectLines(1, 2);
    Drive([&] { QTest::mouseClick(Ctl<QPushButton>(*w, "BitBtnPlayArrangement"), Qt::LeftButton); });
    EXPECT_EQ(NoteOns(0), (std::vector<int>{62, 64}));
    int first = -1, last = -1;
    EXPECT_TRUE(w->Lines().GetSelectedLines(first, last));
    EXPECT_EQ(first, 1);
    // F4 from the bookmark on line 2.
    midi.Clear();
    w->Lines().MoveCaretToLine(0);
    w->Document().Song.Current().Bookmarks[0] = 1;
    Drive([&] { QTest::keyClick(w.get(), Qt::Key_F4); });
    EXPECT_EQ(NoteOns(0), (std::vector<int>{62, 64, 65}));
}

TEST_F(SongCommandsTest, LoopRunsUntilThePlayButtonStopsIt) {
    Make({WriteSong(QStringLiteral("loop.twd"), {kC, kD})});
    Ctl<QCheckBox>(*w, "chkLoopAll")->click();
    int rounds = 0;
    Drive([&] { QTest::mouseClick(Ctl<QPushButton>(*w, "BitBtnPlayArrangement"), Qt::LeftButton); },
          [&](int64_t) {
              const auto ons = NoteOns(0);
              rounds = int(std::count(ons.begin(), ons.end(), 60));
              if (rounds == 3 && Ctl<QPushButton>(*w, "BitBtnPlayArrangement")->text() == QStringLiteral("Stop"))
                  QTest::mouseClick(Ctl<QPushButton>(*w, "BitBtnPlayArrangement"), Qt::LeftButton);
          });
    EXPECT_EQ(rounds, 3);
    EXPECT_EQ(Ctl<QPushButton>(*w, "BitBtnPlayArrangement")->text(), QStringLiteral("Play"));
    EXPECT_FALSE(w->PlayState().Playing(TPlayKind::Song));
}

TEST_F(SongCommandsTest, EscStopsTheSong) {
    Make({WriteSong(QStringLiteral("esc.twd"), {kC, kD, kE, kF})});
    Ctl<QCheckBox>(*w, "chkLoopAll")->click();
    Drive([&] { QTest::keyClick(w.get(), Qt::Key_F2); },
          [&](int64_t ms) {
              if (ms == 700)
                  QTest::keyClick(w.get(), Qt::Key_Escape);
          });
    EXPECT_EQ(NoteOns(0), (std::vector<int>{60, 62}));
    for (const Sent &s : Notes(0))
        EXPECT_LE(s.ms, 700) << s;
    EXPECT_FALSE(w->PlayState().Playing(TPlayKind::Song));
    EXPECT_FALSE(timer.Running());
}

// A close while the song loops stops it at once and is carried out once the loop has unwound;
// a modified song then asks its question, and nothing sounds while the question is open (the
// player's clock runs on for three seconds meanwhile).
TEST_F(SongCommandsTest, ClosingWhilePlayingStopsAndClosesOnceTheLoopHasUnwound) {
    for (const bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        midi.Clear();
        Make({WriteSong(QStringLiteral("close.twd"), {kC, kD, kE, kF})});
        if (modified)
            w->MarkModified();
        Ctl<QCheckBox>(*w, "chkLoopAll")->click();
        int64_t closedAt = clock.NowMs() + 600;
        bool closed = false, visibleRightAfterClose = false;
        Drive([&] { QTest::keyClick(w.get(), Qt::Key_F2); },
              [&](int64_t ms) {
                  if (ms >= closedAt && !closed) {
                      closed = true;
                      closedAt = ms;
                      w->close();
                      visibleRightAfterClose = w->isVisible();
                  }
              });
        ts.messages.WhileShown = [this] {
            for (int step = 0; step < 750; ++step) {
                if (timer.Running())
                    timer.Run(clock, 1);
                else
                    clock.Advance(4);
                QCoreApplication::processEvents();
            }
        };
        ts.messages.QueueAnswer(platform::mrNo);
        EXPECT_TRUE(visibleRightAfterClose); // refused while the loop runs, carried out after
        QTest::qWait(50);
        ts.messages.WhileShown = nullptr;
        EXPECT_EQ(ts.messages.Count(), modified ? 1 : 0);
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(timer.Running());
        for (const Sent &s : Notes(0))
            EXPECT_LE(s.ms, closedAt) << s;
        EXPECT_EQ(NoteOns(0), (std::vector<int>{60, 62}));
        ts.messages.Clear();
        w.reset();
    }
}

TEST_F(SongCommandsTest, ABuildErrorOnAnotherTabShowsThatTabAndLine) {
    Make({WriteSong(QStringLiteral("bad.twd"), {kC}, {"C, x, 3, x, x, x, x, Q", "C, 3, Q"})});
    ASSERT_EQ(w->Document().Song.CurrentTab, 1);
    Drive([&] { QTest::keyClick(w.get(), Qt::Key_F2); });
    EXPECT_TRUE(NoteOns(0).empty());
    ASSERT_EQ(ts.messages.Count(), 1) << ts.messages.Texts().join(QLatin1Char('|')).toStdString() << " tab6 "
                                      << w->Document().Song.Lines(6).size() << " tab " << w->Document().Song.CurrentTab;
    const QString message = QStringLiteral("Error in GUITAR on line 2\rGuitar: Error in line: Not enough commas in "
                                           "the line\r\rFix the error or delete the line.");
    EXPECT_EQ(ts.messages.LastText(), message);
    EXPECT_EQ(w->Document().Song.CurrentTab, 6);
    EXPECT_EQ(w->Lines().CurrentLine(), 1);
    EXPECT_EQ(Ctl<QPushButton>(*w, "BitBtnPlayArrangement")->text(), QStringLiteral("Play"));
    // Playing from the caret says the same.
    Drive([&] { QTest::keyClick(w.get(), Qt::Key_F2, Qt::ControlModifier); });
    EXPECT_EQ(ts.messages.Texts(), (QStringList{message, message}));
}

TEST_F(SongCommandsTest, FileMenuOpenSaveAsNewAndRecentWithTheSaveQuestion) {
    Make();
    const QString a = WriteSong(QStringLiteral("A & B.twd"), {kC});
    const QString b = WriteSong(QStringLiteral("b.twd"), {kD});
    ts.files.QueuePath(a);
    Action("OpenSong1")->trigger();
    EXPECT_EQ(SongName(*w), a);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Tarrowind Version 2  -  A & B.twd"));
    EXPECT_EQ(Act(*w, "Recent11")->text(), Path("A && B.twd"));
    ts.files.QueuePath(b);
    Action("OpenSong1")->trigger();
    EXPECT_EQ(w->Lines().Lines(), QStringList{QString::fromStdString(kD)});

    // An edit, then New: Cancel keeps everything, No lets the song go.
    w->Lines().ReplaceLine(0, QString::fromStdString(kE));
    w->MarkModified();
    ts.messages.QueueAnswer(platform::mrCancel);
    Action("NewSong1")->trigger();
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Save changes to ") + b + QStringLiteral("?"));
    EXPECT_EQ(SongName(*w), b);
    // The recent item of "A & B" with the question answered Yes: b is saved first.
    ts.messages.QueueAnswer(platform::mrYes);
    Act(*w, "Recent21")->trigger();
    EXPECT_EQ(SongName(*w), a);
    EXPECT_EQ(Act(*w, "Recent11")->text(), Path("A && B.twd"));
    TSongModel saved;
    DrumPart drums;
    ResetSongModel(saved, drums);
    ASSERT_EQ(ReadSongFile(QFile::encodeName(b).toStdString(), saved, drums), TSongReadResult::Ok);
    EXPECT_EQ(saved.Lines(1), std::vector<std::string>{kE});

    // Save As under a new name; the window takes it.
    ts.files.QueuePath(Path("c.twd"));
    Action("SaveSongAs1")->trigger();
    EXPECT_EQ(SongName(*w), Path("c.twd"));
    EXPECT_TRUE(QFileInfo::exists(Path("c.twd")));

    // The recent list goes to the settings as the paths themselves, as the session left it: "A & B"
    // opened again from the list is the newest.
    w->close();
    QSettings s(Path("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(s.value(QStringLiteral("Recent/RecentFile0")).toString(), a);
    EXPECT_EQ(s.value(QStringLiteral("Recent/RecentFile1")).toString(), b);
}

TEST_F(SongCommandsTest, TimeSignatureAndTempoLabelsAskTheirDialogsAndTheRule) {
    Make();
    // Through the program's own dialogs: typed into, then OK.
    TDialogs dialogs = CreateDialogs(ts.Get(), w.get());
    WireMainDialogs(*w, dialogs);
    ts.modal.QueueAnswer([](platform::ModalDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("edtNumerator"))->setText(QStringLiteral("3"));
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        return int(platform::mrNone);
    });
    QTest::mouseClick(Ctl<QLabel>(*w, "LabelSigUpper"), Qt::LeftButton);
    EXPECT_EQ(w->Document().Song.TimeSignature, "0304");
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelSigUpper")->text() + Ctl<QLabel>(*w, "LabelSlash")->text() +
                  Ctl<QLabel>(*w, "LabelSigLower")->text(),
              QStringLiteral("3/4"));
    EXPECT_TRUE(w->AnyTabModified());
    ts.modal.QueueResult(platform::mrCancel);
    QTest::mouseClick(Ctl<QLabel>(*w, "LabelSlash"), Qt::LeftButton);
    EXPECT_EQ(w->Document().Song.TimeSignature, "0304");
    ts.modal.QueueAnswer([](platform::ModalDialog &d) {
        auto *edit = d.findChild<QLineEdit *>(QStringLiteral("EditTempo"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("84"));
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BitBtnOK")), Qt::LeftButton);
        return int(platform::mrNone);
    });
    QTest::mouseClick(Ctl<QLabel>(*w, "lblTempo"), Qt::LeftButton);
    EXPECT_EQ(w->Document().Song.Tempo, 84);
    EXPECT_EQ(Ctl<QLabel>(*w, "lblTempo")->text(), QStringLiteral("Tempo: 84"));
    // The built song carries the new tempo (60,000,000 / 84 microseconds per quarter) and 3/4.
    w->Document().Song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, Q"};
    TMidiData built;
    const TBuildResult result = BuildSongMidi(w->Document().Song, w->Document().Drums, {}, built);
    ASSERT_TRUE(result.Ok()) << result.Message << int(result.Status);
    int tempo = -1, upper = -1;
    const TMidiTrackStream *conductor = built.GetTrack(0);
    for (int i = 0; i < conductor->EventCount(); ++i) {
        const TMidiEvent *e = conductor->GetEvent(i);
        if (e->MetaType() == 0x51 && e->Block.size() == 4)
            tempo = (e->Block[1] << 16) | (e->Block[2] << 8) | e->Block[3];
        if (e->MetaType() == 0x58 && e->Block.size() >= 2)
            upper = e->Block[1];
    }
    EXPECT_EQ(tempo, 60000000 / 84);
    EXPECT_EQ(upper, 3);
    // The Play menu names the tab's instrument.
    for (QAction *top : w->menuBar()->actions())
        if (top->menu() && top->menu()->actions().contains(Act(*w, "PlayAnimatedInstrument1")))
            Q_EMIT top->menu()->aboutToShow();
    EXPECT_EQ(Act(*w, "PlayAnimatedInstrument1")->text(), QStringLiteral("Play Animated Piano"));
}

TEST_F(SongCommandsTest, MidiExportFromTheMenuReadsBackWithMidicsv) {
    if (QStandardPaths::findExecutable(QStringLiteral("midicsv")).isEmpty())
        GTEST_SKIP() << "midicsv is not installed";
    Make({WriteSong(QStringLiteral("song.twd"), {kC, kD}, {"C, x, 3, x, x, x, x, H"})});
    QAction *item = Action("SaveMidiOfSong1");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), QStringLiteral("Save &Midi File..."));
    ts.files.QueuePath(Path("song.mid"));
    item->trigger();
    EXPECT_EQ(ts.files.Requests().back().request.fileName, Path("song.mid"));
    QProcess csv;
    csv.start(QStringLiteral("midicsv"), {Path("song.mid")});
    ASSERT_TRUE(csv.waitForFinished(10000));
    const QString text = QString::fromLatin1(csv.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral(", 0, Note_on_c, 0, 60, ")));
    EXPECT_TRUE(text.contains(QStringLiteral(", 192, Note_on_c, 0, 62, ")));
    EXPECT_TRUE(text.contains(QStringLiteral(", 0, Note_on_c, 5, 48, ")));
}

} // namespace

namespace {

// The exports leave the editor as they found it: the same first visible line and the same
// selected lines, whether the dialog was confirmed or cancelled.
TEST_F(SongCommandsTest, ExportsKeepTheEditorsViewAndSelection) {
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i)
        lines.push_back(i % 2 ? kD : kC);
    Make({WriteSong(QStringLiteral("long.twd"), lines)});
    w->resize(815, 599);
    QApplication::processEvents();
    for (const char *name : {"SaveMidiOfSong1", "TextFile1"}) {
        for (bool confirm : {false, true}) {
            w->Lines().ScrollToLine(30);
            w->Lines().SelectLines(33, 35);
            const int firstVisible = w->Lines().FirstVisibleLine();
            ASSERT_GT(firstVisible, 0);
            if (confirm)
                ts.files.QueuePath(Path(QStringLiteral("out-%1").arg(QLatin1String(name))));
            Action(name)->trigger();
            int first = -1, last = -1;
            EXPECT_TRUE(w->Lines().GetSelectedLines(first, last)) << name << confirm;
            EXPECT_EQ(first, 33) << name << confirm;
            EXPECT_EQ(last, 35) << name << confirm;
            EXPECT_EQ(w->Lines().FirstVisibleLine(), firstVisible) << name << confirm;
            EXPECT_EQ(w->Lines().LineCount(), 60) << name << confirm;
        }
    }
    EXPECT_TRUE(QFileInfo::exists(Path("out-SaveMidiOfSong1.mid")));
    EXPECT_TRUE(QFileInfo::exists(Path("out-TextFile1.txt")));
}

} // namespace

namespace {

// The Play menu's items with their keys, and the editor pop-up's "Play From Cursor".
TEST_F(SongCommandsTest, PlayMenuCaptionsKeysAndThePopUpsPlayFromCursor) {
    Make({WriteSong(QStringLiteral("menu.twd"), {kC, kD, kE, kF})});
    const struct {
        const char *name;
        QString caption;
        QKeySequence key;
    } items[] = {
        {"PlayAll1", QStringLiteral("&Play Song From Start"), QKeySequence(Qt::Key_F2)},
        {"PlayFromCursor1", QStringLiteral("Play Song From &Cursor"), QKeySequence(Qt::CTRL | Qt::Key_F2)},
        {"PlayFromEditorBookmarkF41", QStringLiteral("Play Song From &Bookmark"), QKeySequence(Qt::Key_F4)},
        {"PlayAnimatedInstrument1", QStringLiteral("Play Animated Piano"), QKeySequence(Qt::SHIFT | Qt::Key_F2)},
    };
    for (QAction *top : w->menuBar()->actions())
        if (top->menu() && top->menu()->actions().contains(Act(*w, "PlayAnimatedInstrument1")))
            Q_EMIT top->menu()->aboutToShow();
    for (const auto &item : items) {
        QAction *a = Action(item.name);
        ASSERT_TRUE(a) << item.name;
        EXPECT_EQ(a->text(), item.caption) << item.name;
        EXPECT_EQ(a->shortcut(), item.key) << item.name;
    }
    QAction *popUp = w->findChild<QAction *>(QStringLiteral("N23"));
    ASSERT_TRUE(popUp);
    EXPECT_EQ(popUp->text(), QStringLiteral("Play From Cursor"));
    EXPECT_TRUE(w->Commands().PopUp()->actions().contains(popUp));
    w->Lines().MoveCaretToLine(2);
    Drive([&] { popUp->trigger(); });
    EXPECT_EQ(NoteOns(0), (std::vector<int>{64, 65}));
    EXPECT_EQ(w->Lines().CurrentLine(), 2);
}

} // namespace

namespace {

// Lines still selected after their play keep Count In off and unusable, as selecting them did.
TEST_F(SongCommandsTest, AfterPlayingSelectedLinesCountInStaysOff) {
    Make({WriteSong(QStringLiteral("sel.twd"), {kC, kD, kE, kF})});
    w->Lines().SelectLines(1, 2);
    ASSERT_FALSE(Ctl<QCheckBox>(*w, "chkCountIn")->isEnabled());
    Drive([&] { QTest::mouseClick(Ctl<QPushButton>(*w, "BitBtnPlayArrangement"), Qt::LeftButton); });
    EXPECT_EQ(NoteOns(0), (std::vector<int>{62, 64}));
    ASSERT_TRUE(w->Lines().HasSelection());
    EXPECT_FALSE(Ctl<QCheckBox>(*w, "chkCountIn")->isEnabled());
    EXPECT_FALSE(Ctl<QCheckBox>(*w, "chkCountIn")->isChecked());
    EXPECT_FALSE(Ctl<QSpinBox>(*w, "EdtCountInbars")->isEnabled());
    // Without a selection it is usable again after a play.
    w->Lines().MoveCaretToLine(0);
    Drive([&] { QTest::mouseClick(Ctl<QPushButton>(*w, "BitBtnPlayArrangement"), Qt::LeftButton); });
    EXPECT_TRUE(Ctl<QCheckBox>(*w, "chkCountIn")->isEnabled());
}

} // namespace

namespace {

// A modified song plays with the modified mark cleared from the status bar and the shortcut
// labels of the editor's commands locked; both come back after the play.
TEST_F(SongCommandsTest, PlayingClearsTheModifiedMarkAndLocksTheCommandLabels) {
    Make({WriteSong(QStringLiteral("mark.twd"), {kC, kD})});
    w->MarkModified();
    auto *bottom = Ctl<TStatusPanels>(*w, "StatusBarBottom");
    ASSERT_EQ(bottom->Text(1), QStringLiteral("*"));
    const char *const labels[] = {"LabelSave", "LabelSetBookmark", "LabelPlayfromBookmark"};
    QString markWhilePlaying = QStringLiteral("not seen");
    int labelsEnabled = -1;
    Drive([&] { QTest::keyClick(w.get(), Qt::Key_F2); },
          [&](int64_t ms) {
              if (ms != 500)
                  return;
              markWhilePlaying = bottom->Text(1);
              labelsEnabled = 0;
              for (const char *name : labels)
                  labelsEnabled += Ctl<QLabel>(*w, name)->isEnabled();
          });
    EXPECT_EQ(markWhilePlaying, QString());
    EXPECT_EQ(labelsEnabled, 0);
    EXPECT_TRUE(w->AnyTabModified()); // the mark goes, the song stays modified
    EXPECT_EQ(bottom->Text(1), QStringLiteral("*"));
    for (const char *name : labels)
        EXPECT_TRUE(Ctl<QLabel>(*w, name)->isEnabled()) << name;
}

// Another song, however it is opened, starts with the position displays at its start.
TEST_F(SongCommandsTest, OpeningAnotherSongPutsThePositionDisplaysBackToTheStart) {
    Make({WriteSong(QStringLiteral("first.twd"), {kC, kD})});
    const QString second = WriteSong(QStringLiteral("second.twd"), {kE});
    auto *pos = Ctl<TPosDisplay>(*w, "PosDisplay1");
    auto *time = Ctl<TTimeDisplay>(*w, "TimeDisplay1");
    const std::function<void()> opens[] = {
        [&] {
            ts.files.QueuePath(second);
            Action("OpenSong1")->trigger();
        },
        [&] { Action("Recent11")->trigger(); }, // the same song again, from the recent list
    };
    for (const auto &open : opens) {
        pos->SetPosition(3, 2, 100); // where the last play left them
        time->SetTime(7250);
        open();
        EXPECT_EQ(pos->Bar(), 0);
        EXPECT_EQ(pos->Beat(), 0);
        EXPECT_EQ(pos->Tick(), 0);
        EXPECT_EQ(time->Time(), 0);
    }
    EXPECT_EQ(SongName(*w), second);
}

} // namespace
