// The mixer panel and the bookmarks on the main window itself, offscreen, playing through the
// recording MIDI output on a manual clock and timer: what the user sets in the panel reaches
// the built song's tracks and the song file; each tab keeps its own bookmark, and F4 plays
// from it.
#include "mainwindow/window/MainWindow.h"

#include "PlayerDrive.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/window/PageControl.h"
#include "platform/TestDoubles.h"
#include "platform/qt/TestServices.h"
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <QCheckBox>
#include <QLabel>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "WindowLookup.h"
#include <gtest/gtest.h>

#include <map>

namespace {

const std::string kC = "C, 60, x, x, x, x, x, x, x, x, x, Q", kD = "D, 62, x, x, x, x, x, x, x, x, x, Q",
                  kE = "E, 64, x, x, x, x, x, x, x, x, x, Q", kF = "F, 65, x, x, x, x, x, x, x, x, x, Q";
const std::string kGuitarC = "C, x, 3, x, x, x, x, Q"; // C3 (48) on the guitar, channel 6

class MixerBookmarksTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::EnsureTestApplication();
        ASSERT_TRUE(dir.isValid());
        QSettings(Path("settings.ini"), QSettings::IniFormat).setValue(QStringLiteral("Options/ShowNewUserMessage"), 0);
    }
    QString Path(const QString &name) const { return dir.filePath(name); }

    TfrmMain &Make(const std::map<int, std::vector<std::string>> &tabs) {
        TSongModel song;
        DrumPart drums;
        ResetSongModel(song, drums);
        for (const auto &[tab, lines] : tabs)
            song.Lines(tab) = lines;
        const QString path = Path(QStringLiteral("song.twd"));
        EXPECT_TRUE(WriteSongFile(QFile::encodeName(path).toStdString(), song, drums));
        TMainEnvironment env;
        env.services = &ts.Get();
        env.midiOut = &midi;
        env.clock = &clock;
        env.timer = &timer;
        env.settingsPath = Path("settings.ini");
        env.arguments = {path};
        env.programDir = dir.path();
        env.untitledFolder = dir.path();
        w = std::make_unique<TfrmMain>(env);
        w->show();
        w->FormActivate();
        QApplication::setActiveWindow(w.get());
        return *w;
    }
    void Play(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        midi.Clear();
        DrivePlayer(
            clock, timer, [&] { QTest::keyClick(w.get(), key, mods); }, {}, [this] { w->FormKeyDown(27); });
    }
    // Note-ons of `channel` (0-based) as (ms, note, velocity).
    std::vector<std::array<int, 3>> NoteOns(int channel) const {
        std::vector<std::array<int, 3>> out;
        for (const auto &m : midi.Messages())
            if (m.status == (0x90 | channel) && m.data2 > 0)
                out.push_back({int(m.timeMs), m.data1, m.data2});
        return out;
    }
    std::vector<int> Notes(int channel) const {
        std::vector<int> out;
        for (const auto &n : NoteOns(channel))
            out.push_back(n[1]);
        return out;
    }
    // The value of controller `cc` the song set first on `channel`; -1 when none.
    int Controller(int channel, int cc) const {
        for (const auto &m : midi.Messages())
            if (m.status == (0xB0 | channel) && m.data1 == cc)
                return m.data2;
        return -1;
    }
    bool Marked() const {
        return w->Document().Song.Current().Modified &&
               Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(1) == QStringLiteral("*");
    }
    bool SelectTab(int t) { return Ctl<TPageControl>(*w, "PageControl1")->UserSelect(t - 1); }
    QSpinBox *Spin(const char *name) { return Ctl<QSpinBox>(*w, name); }
    std::pair<int, int> Selected() const {
        int first = -1, last = -1;
        if (!w->Lines().GetSelectedLines(first, last))
            return {-1, -1};
        return {first, last};
    }

    platform::TestServices ts;
    platform::ManualClock clock;
    platform::ManualTimer timer;
    platform::RecordingMidiOutSystem midi{{"Synth"}, &clock};
    QTemporaryDir dir;
    std::unique_ptr<TfrmMain> w;
};

// ---- mixer --------------------------------------------------------------------------------

TEST_F(MixerBookmarksTest, ArrowsWheelTypingAndTheSliderReachTheBuiltTracksAndMarkTheTab) {
    Make({{1, {kC}}, {6, {kGuitarC}}});
    ASSERT_FALSE(Marked()); // the song as opened
    // Each kind of input on its own, from an unmarked song: it is stored and marks the tab.
    auto marks = [&](const char *what, const std::function<void()> &input) {
        SCOPED_TRACE(what);
        w->ClearModifiedMarks();
        input();
        EXPECT_TRUE(Marked());
    };
    marks("an arrow key", [&] { QTest::keyClick(Spin("UpDownMixerVolume"), Qt::Key_Down); });
    marks("the wheel", [&] {
        QSpinBox *delay = Spin("UpDownMixerDelay");
        const QPointF at(delay->width() / 2.0, delay->height() / 2.0);
        for (int i = 0; i < 96; ++i) {
            QWheelEvent wheel(at, delay->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(delay, &wheel);
        }
    });
    marks("typing", [&] {
        Spin("UpDownMixerKey")->selectAll();
        QTest::keyClicks(Spin("UpDownMixerKey"), QStringLiteral("-3"));
    });
    marks("the channel's arrow", [&] {
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(Spin("UpDownMixerChannel"), Qt::Key_Up);
    });
    marks("the slider", [&] { QTest::keyClick(Ctl<QSlider>(*w, "TrackBarMixerBalance"), Qt::Key_Home); });
    marks("the song key", [&] {
        Spin("UpDownSongKey")->selectAll();
        QTest::keyClicks(Spin("UpDownSongKey"), QStringLiteral("2"));
    });
    const TInstrumentTab &piano = w->Document().Song.Tab(1);
    EXPECT_EQ(piano.Volume, 99);
    EXPECT_EQ(piano.Delay, 96);
    EXPECT_EQ(piano.Transpose, -3);
    EXPECT_EQ(piano.Channel, 2);
    EXPECT_EQ(piano.Balance, 0);
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelBalancePosition")->text(), QStringLiteral("0"));
    EXPECT_EQ(w->Document().Song.SongTranspose, 2);

    Play(Qt::Key_F2);
    // Channel 3 now: its volume and balance at the start, the note 3 down and 2 up, half a beat
    // (96 ticks, 250 ms at 120 bpm) late; nothing is left on the old channel.
    EXPECT_EQ(Controller(2, 7), 99);
    EXPECT_EQ(Controller(2, 10), 0);
    ASSERT_EQ(NoteOns(2).size(), 1u);
    EXPECT_EQ(NoteOns(2)[0][1], 60 - 3 + 2);
    EXPECT_GE(NoteOns(2)[0][0], 250);
    EXPECT_LT(NoteOns(2)[0][0], 260);
    EXPECT_TRUE(NoteOns(0).empty());
    EXPECT_EQ(Notes(5), std::vector<int>{48 + 2}); // the song key moves every tab
    // Loading and playing marked nothing more than the user did.
    EXPECT_TRUE(Marked());
}

TEST_F(MixerBookmarksTest, MuteAndSoloDecideWhichTabsPlay) {
    Make({{1, {kC}}, {6, {kGuitarC}}});
    ASSERT_TRUE(SelectTab(6));
    auto *mute = Ctl<QCheckBox>(*w, "CheckBoxMuteInstrument");
    auto *solo = Ctl<QCheckBox>(*w, "CheckBoxSoloInstrument");
    auto *loop = Ctl<QCheckBox>(*w, "chkLoopAll");
    loop->click();
    ASSERT_TRUE(loop->isChecked());
    solo->click();
    mute->click(); // a checked Mute clears Solo and Loop
    EXPECT_TRUE(w->Document().Song.Tab(6).Mute);
    EXPECT_FALSE(w->Document().Song.Tab(6).Solo);
    EXPECT_FALSE(solo->isChecked());
    EXPECT_FALSE(loop->isChecked());
    EXPECT_TRUE(Marked());
    Play(Qt::Key_F2);
    EXPECT_EQ(Notes(0), std::vector<int>{60});
    EXPECT_TRUE(Notes(5).empty());

    EXPECT_TRUE(mute->font().bold()); // a checked Mute reads red and bold
    solo->click();                    // a checked Solo clears Mute: the guitar alone
    EXPECT_FALSE(mute->isChecked());
    EXPECT_FALSE(mute->font().bold());
    EXPECT_FALSE(w->Document().Song.Tab(6).Mute);
    EXPECT_TRUE(w->Document().Song.Tab(6).Solo);
    Play(Qt::Key_F2);
    EXPECT_TRUE(Notes(0).empty());
    EXPECT_EQ(Notes(5), std::vector<int>{48});
}

TEST_F(MixerBookmarksTest, CaptionsRestoreDefaultsAndEnteringAControlMarksTheTab) {
    Make({{1, {kC}}});
    Spin("UpDownMixerVolume")->setValue(30); // a user's change: the signal is not blocked
    Spin("UpDownMixerDelay")->setValue(-40);
    Spin("UpDownMixerKey")->setValue(5);
    Spin("UpDownMixerChannel")->setValue(9);
    Ctl<QSlider>(*w, "TrackBarMixerBalance")->setValue(100);
    for (const char *caption :
         {"lblVolume", "labelinstrumentdelay", "Labeltranspose", "LabelChannel", "LabelBalancePosition"})
        QTest::mouseClick(Ctl<QLabel>(*w, caption), Qt::LeftButton);
    const TInstrumentTab &piano = w->Document().Song.Tab(1);
    EXPECT_EQ(std::make_tuple(piano.Volume, piano.Delay, piano.Transpose, piano.Channel, piano.Balance),
              std::make_tuple(100, 0, 0, piano.DefaultChannel, 64));
    EXPECT_EQ(Spin("UpDownMixerVolume")->value(), 100);
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelBalancePosition")->text(), QStringLiteral("64"));

    // The Drums tab's channel caption gives channel 10.
    ASSERT_TRUE(SelectTab(10));
    Spin("UpDownMixerChannel")->setValue(3);
    QTest::mouseClick(Ctl<QLabel>(*w, "LabelChannel"), Qt::LeftButton);
    EXPECT_EQ(Spin("UpDownMixerChannel")->value(), 10);
    EXPECT_EQ(w->Document().Song.Tab(10).Channel, 9);

    // Switching tabs loads the panel without marking anything; tabbing into a control marks.
    ASSERT_TRUE(SelectTab(2));
    w->ClearModifiedMarks();
    ASSERT_TRUE(SelectTab(3));
    EXPECT_FALSE(Marked());
    Spin("UpDownMixerDelay")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(Marked());
    EXPECT_EQ(w->Document().Song.Tab(3).Delay, 0);
}

TEST_F(MixerBookmarksTest, MixerValuesAndTheSongKeyAreSavedAndOpenedAgain) {
    Make({{1, {kC}}, {6, {kGuitarC}}});
    ASSERT_TRUE(SelectTab(6));
    QTest::keyClick(Spin("UpDownMixerVolume"), Qt::Key_PageDown); // ten down
    Spin("UpDownMixerDelay")->setValue(12);
    Spin("UpDownMixerKey")->setValue(-7);
    Spin("UpDownMixerChannel")->setValue(4);
    Ctl<QSlider>(*w, "TrackBarMixerBalance")->setValue(20);
    Ctl<QCheckBox>(*w, "CheckBoxMuteInstrument")->click();
    Spin("UpDownSongKey")->setValue(-5);
    const QString path = Path(QStringLiteral("mixed.twd"));
    ASSERT_TRUE(w->WriteSong(path));

    ASSERT_TRUE(w->ReadSong(Path(QStringLiteral("song.twd")))); // another song in between
    EXPECT_EQ(Spin("UpDownSongKey")->value(), 0);
    Ctl<QCheckBox>(*w, "chkLoopAll")->click();
    ASSERT_TRUE(w->ReadSong(path));
    EXPECT_FALSE(Ctl<QCheckBox>(*w, "chkLoopAll")->isChecked()); // opening a song unchecks Loop
    EXPECT_FALSE(w->AnyTabModified());
    const TInstrumentTab &guitar = w->Document().Song.Tab(6);
    EXPECT_EQ(
        std::make_tuple(guitar.Volume, guitar.Delay, guitar.Transpose, guitar.Channel, guitar.Balance, guitar.Mute),
        std::make_tuple(90, 12, -7, 3, 20, true));
    EXPECT_EQ(w->Document().Song.SongTranspose, -5);
    EXPECT_EQ(Spin("UpDownSongKey")->value(), -5);
    ASSERT_EQ(w->Document().Song.CurrentTab, 6);
    EXPECT_EQ(Spin("UpDownMixerVolume")->value(), 90);
    EXPECT_EQ(Spin("UpDownMixerChannel")->value(), 4);
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelBalancePosition")->text(), QStringLiteral("20"));
    EXPECT_TRUE(Ctl<QCheckBox>(*w, "CheckBoxMuteInstrument")->isChecked());
    EXPECT_TRUE(Ctl<QCheckBox>(*w, "CheckBoxMuteInstrument")->font().bold());
}

// ---- bookmarks ----------------------------------------------------------------------------

TEST_F(MixerBookmarksTest, EachTabKeepsItsOwnBookmarkToJumpToAndPlayFrom) {
    Make({{1, {kC, kD, kE, kF}}, {2, {kF, kE, kD}}});
    w->Lines().MoveCaretToLine(2);
    QTest::keyClick(w.get(), Qt::Key_F4, Qt::ControlModifier | Qt::ShiftModifier); // set
    EXPECT_EQ(w->Document().Song.Tab(1).Bookmarks[0], 2);

    ASSERT_TRUE(SelectTab(2));
    QTest::keyClick(w.get(), Qt::Key_F4, Qt::ControlModifier); // jump: none on this tab yet
    QTest::keyClick(w.get(), Qt::Key_F4);                      // play: none either
    EXPECT_EQ(ts.messages.Texts(), QStringList(2, QStringLiteral("Set a bookmark with Ctrl-Shift-F4")));
    EXPECT_TRUE(Notes(0).empty() && Notes(1).empty());
    w->Lines().MoveCaretToLine(1);
    QTest::mouseClick(Ctl<QLabel>(*w, "LabelSetBookmark"), Qt::LeftButton); // the label sets it too
    EXPECT_EQ(w->Document().Song.Tab(2).Bookmarks[0], 1);
    EXPECT_EQ(w->Document().Song.Tab(1).Bookmarks[0], 2);

    ASSERT_TRUE(SelectTab(1));
    w->Lines().MoveCaretToLine(0);
    QTest::keyClick(w.get(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(Selected(), std::make_pair(2, 2));
    // F4 plays from the bookmark to the end, then the view is as it was.
    w->Lines().MoveCaretToLine(1);
    Play(Qt::Key_F4);
    EXPECT_EQ(Notes(0), (std::vector<int>{64, 65}));
    EXPECT_EQ(Selected(), std::make_pair(-1, -1));
    EXPECT_EQ(w->Lines().CurrentLine(), 1);
    ASSERT_TRUE(SelectTab(2));
    Play(Qt::Key_F4);
    EXPECT_EQ(Notes(1), (std::vector<int>{64, 62}));
    EXPECT_EQ(ts.messages.Count(), 2); // nothing more to say

    // On the Drums tab the keys do nothing.
    ASSERT_TRUE(SelectTab(10));
    QTest::keyClick(w.get(), Qt::Key_F4, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(w.get(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(w->Document().Song.Tab(10).Bookmarks[0], -1);
    EXPECT_EQ(ts.messages.Count(), 2);
}

TEST_F(MixerBookmarksTest, TheLastLineAndABookmarkBeyondTheTextPlayFromThatLine) {
    Make({{1, {kC, kD, kE, kF}}});
    w->Document().Song.Tab(1).Bookmarks[0] = 3; // the last line
    Play(Qt::Key_F4);
    EXPECT_EQ(Notes(0), std::vector<int>{65});
    w->Document().Song.Tab(1).Bookmarks[0] = 9; // beyond the text: from the caret line
    w->Lines().MoveCaretToLine(3);
    Play(Qt::Key_F4);
    EXPECT_EQ(Notes(0), std::vector<int>{65});
    w->Lines().MoveCaretToLine(1);
    Play(Qt::Key_F4);
    EXPECT_EQ(Notes(0), (std::vector<int>{62, 64, 65}));
    EXPECT_EQ(w->Lines().CurrentLine(), 1);
}

TEST_F(MixerBookmarksTest, AFaultyLineOnAnotherTabStaysShownAfterF4) {
    Make({{1, {kC, kD}}, {6, {kGuitarC, "C, x, 3, x, x, Q"}}});
    w->Document().Song.Tab(1).Bookmarks[0] = 1;
    Play(Qt::Key_F4);
    EXPECT_TRUE(Notes(0).empty());
    EXPECT_EQ(w->Document().Song.CurrentTab, 6);
    EXPECT_EQ(Selected(), std::make_pair(1, 1));
}

} // namespace
