// Song playback on the recording MIDI output, a manual clock and a manual timer: a zero-length
// Qt timer steps the player's clock 4 ms at a time while the play command waits in its event
// loop, so every message is sent at a known time.
#include "QtTestApp.h"

#include "PlayerDrive.h"
#include "mainwindow/playback/Playback.h"
#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/playback/TimeDisplay.h"
#include "platform/TestDoubles.h"
#include "platform/qt/TestServices.h"
#include "song/DrumGrid.h"
#include "song/NewSong.h"
#include "song/SongBuilder.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The window's side of playback: the song in memory, scripted message boxes, the editor's view
// as a value, and a record of what the calls did.
struct PlaybackRig {
    TSongModel song;
    DrumPart drums;
    platform::ScriptedMessageBoxes messages;
    TEditorView view;
    TPlayState play;
    int nested = 0, maxNested = 0, otherStops = 0;
    QString status;
    std::vector<std::pair<int, int>> selections;
    int settingsShown = 0;

    PlaybackRig() { ResetSongModel(song, drums); }

    TPlaybackCalls Calls() {
        return {.EditorView =
                    [this] {
                        view.LineCount = int(song.Lines(song.CurrentTab).size());
                        return view;
                    },
                .RestoreEditorView =
                    [this](const TEditorView &v, bool reselect) {
                        view.FirstVisibleLine = v.FirstVisibleLine;
                        if (reselect) {
                            view.HasSelection = v.HasSelection;
                            view.SelFirst = v.SelFirst;
                            view.SelLast = v.SelLast;
                        }
                    },
                .SelectLines =
                    [this](int first, int last) {
                        selections.push_back({first, last});
                        view.HasSelection = true;
                        view.SelFirst = first;
                        view.SelLast = last;
                        view.CaretLine = first;
                    },
                .ClearSelection = [this] { view.HasSelection = false; },
                .StoreTabText = [] {},
                .ShowTab = [this](int tab) { song.CurrentTab = tab; },
                .ClearInstrumentPicture = [] {},
                .SetPlayStatusText = [this](const QString &t) { status = t; },
                .ShowModifiedPanel = [](bool) {},
                .EnterNestedLoop = [this] { maxNested = std::max(maxNested, ++nested); },
                .LeaveNestedLoop = [this] { --nested; },
                .StopOtherOutputs = [this] { ++otherStops; },
                .SetBusyCursor = [](bool) {},
                .SongChanged =
                    [this](unsigned, bool byUser) {
                        if (byUser)
                            song.Current().Modified = true;
                        ++settingsShown;
                    }};
    }
};

// "ms status note" of every note-on (velocity above 0) and note-off sent.
struct Note {
    int64_t ms;
    int status, note;
    bool operator==(const Note &) const = default;
};
std::ostream &operator<<(std::ostream &os, const Note &n) {
    return os << n.ms << ":" << std::hex << n.status << std::dec << "/" << n.note;
}

class PlaybackTest : public ::testing::Test {
protected:
    PlaybackTest() {
        countInBars.setRange(1, 8);
        countInBars.setValue(1);
        playback = std::make_unique<TPlayback>(TPlaybackParts{
            .Song = rig.song,
            .Drums = rig.drums,
            .PlayState = rig.play,
            .Messages = rig.messages,
            .Ports = ports,
            .Clock = clock,
            .Timer = timer,
            .Widgets = {.BitBtnPlayArrangement = &playButton,
                        .chkLoopAll = &loop,
                        .chkMetronome = &metronome,
                        .chkCountIn = &countIn,
                        .EdtCountInbars = &countInBars,
                        .PosDisplay1 = &pos,
                        .TimeDisplay1 = &time,
                        .GroupBoxMIDIPlay = &panel,
                        .PaintBoxInstrument = &picture},
            .Calls = rig.Calls(),
        });
        playback->PositionTimer().stop(); // displays are refreshed by hand here
    }

    // Runs `command`; meanwhile each pass of the event loop moves the clock 4 ms and fires the
    // player's timer, and `onStep` (when given) looks at the clock after each step.
    void Play(const std::function<void()> &command, std::function<void(int64_t)> onStep = {}) {
        DrivePlayer(clock, timer, command, onStep, [this] { playback->Escape(); });
    }

    std::vector<Note> Notes(int channelFilter = -1) const {
        std::vector<Note> out;
        for (const auto &m : system.Messages()) {
            const int hi = m.status & 0xF0;
            if ((hi == 0x90 && m.data2 > 0) || hi == 0x80 || (hi == 0x90 && m.data2 == 0)) {
                if (channelFilter >= 0 && (m.status & 0x0F) != channelFilter)
                    continue;
                out.push_back({m.timeMs, hi == 0x90 && m.data2 > 0 ? 0x90 : 0x80, m.data1});
            }
        }
        return out;
    }
    // The text of a play panel label, found by its name.
    QString PanelLabel(const char *name) const {
        const auto *label = panel.findChild<QLabel *>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("(no label)");
    }
    std::vector<Note> NoteOns(int channelFilter = -1) const {
        std::vector<Note> out;
        for (const Note &n : Notes(channelFilter))
            if (n.status == 0x90)
                out.push_back(n);
        return out;
    }

    struct AppFirst {
        AppFirst() { TwTestApp(); }
    } appFirst;
    platform::ManualClock clock;
    platform::ManualTimer timer;
    platform::RecordingMidiOutSystem system{{"Recorder"}, &clock};
    TPhysicalPortList ports{system};
    PlaybackRig rig;
    QPushButton playButton{QStringLiteral("Play")};
    QCheckBox loop, metronome, countIn;
    QSpinBox countInBars;
    TPosDisplay pos;
    TTimeDisplay time;
    QWidget panel, picture;
    std::unique_ptr<TPlayback> playback;
};

// Four quarter notes on the piano: 60, 62, 64, 65 (500 ms each at 120 bpm).
const std::vector<std::string> kFourNotes = {
    "C, 60, x, x, x, x, x, x, x, x, x, Q", "D, 62, x, x, x, x, x, x, x, x, x, Q", "E, 64, x, x, x, x, x, x, x, x, x, Q",
    "F, 65, x, x, x, x, x, x, x, x, x, Q"};

TEST_F(PlaybackTest, TwoTabSongWithCountInAndMetronomeSendsEveryNoteOnTime) {
    rig.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q", "D, 62, x, x, x, x, x, x, x, x, x, Q"};
    rig.song.Lines(6) = {"C, x, 3, x, x, x, x, H"}; // string 5, fret 3: note 48
    countIn.setChecked(true);
    metronome.setChecked(true);
    Play([&] { playback->PlayAll1Click(); });

    // Events go out at the first 4 ms step at or after their time (the first step is 4 ms
    // after the start). Count-in clicks a beat long: 77 on the bar's
    // first beat, 76 on the others, on channel 9 at 0, 500, 1000, 1500; the song starts at
    // 2000 ms with the metronome going on. At the song's end (3000 ms, the last note-off's
    // tick) the range is over: the stop switches off what still sounds.
    const std::vector<Note> clicks = {{4, 0x90, 77},    {500, 0x80, 77},  {500, 0x90, 76},  {1000, 0x80, 76},
                                      {1000, 0x90, 76}, {1500, 0x80, 76}, {1500, 0x90, 76}, {2000, 0x80, 76},
                                      {2000, 0x90, 77}, {2500, 0x80, 77}, {2500, 0x90, 76}, {3000, 0x80, 76}};
    EXPECT_EQ(Notes(9), clicks);
    EXPECT_EQ(Notes(0), (std::vector<Note>{{2000, 0x90, 60}, {2500, 0x80, 60}, {2500, 0x90, 62}, {3000, 0x80, 62}}));
    EXPECT_EQ(Notes(5), (std::vector<Note>{{2000, 0x90, 48}, {3000, 0x80, 48}}));
    // The end lies in bar 2 (0-based 1) counting the count-in bar: the song's own bar index 0.
    EXPECT_EQ(PanelLabel("labelMIDIPlayMaxBar"), QStringLiteral("0"));
    EXPECT_FALSE(playback->Playing());
    EXPECT_EQ(playButton.text(), QStringLiteral("Play"));
    EXPECT_EQ(rig.status, QStringLiteral("Play All Lines"));
    EXPECT_TRUE(rig.play.Playing(TPlayKind::Idle));
    EXPECT_EQ(rig.nested, 0);
    EXPECT_GE(rig.otherStops, 1);
    EXPECT_TRUE(panel.isHidden());
}

TEST_F(PlaybackTest, FromTheCaretTheCountInLeadsStraightIntoTheCaretLine) {
    rig.song.Lines(1) = kFourNotes;
    rig.view.CaretLine = 2;
    countIn.setChecked(true);
    Play([&] { playback->PlayFromCursor1Click(); });
    // Four clicks, then line 3 (64) where the count-in ends, then 65; nothing of lines 1 and 2.
    EXPECT_EQ(NoteOns(9), (std::vector<Note>{{4, 0x90, 77}, {500, 0x90, 76}, {1000, 0x90, 76}, {1500, 0x90, 76}}));
    const auto body = NoteOns(0);
    ASSERT_EQ(body.size(), 2u);
    EXPECT_EQ(body[0].note, 64);
    EXPECT_GE(body[0].ms, 2000);
    EXPECT_LT(body[0].ms, 2012);
    EXPECT_EQ(body[1].note, 65);
    EXPECT_EQ(body[1].ms - body[0].ms, 500);
    EXPECT_EQ(playback->LastRange(), (TPlayRange{768, 768 + 2 * 192, 768 + 4 * 192}));
    EXPECT_FALSE(playback->PlayingFromCursor());
}

TEST_F(PlaybackTest, ASelectionPlaysFromItsFirstLineToTheStartOfTheLineAfterIt) {
    rig.song.Lines(1) = kFourNotes;
    rig.view.HasSelection = true;
    rig.view.SelFirst = 1;
    rig.view.SelLast = 2;
    Play([&] { playback->BitBtnPlayArrangementClick(); });
    const auto body = NoteOns(0);
    ASSERT_EQ(body.size(), 2u);
    EXPECT_EQ(body[0].note, 62);
    EXPECT_EQ(body[1].note, 64);
    EXPECT_EQ(rig.status, QStringLiteral("Play Selected Lines"));
    EXPECT_TRUE(rig.view.HasSelection); // the selection is kept
}

TEST_F(PlaybackTest, TheBookmarkPlaysFromItsLineToTheEnd) {
    rig.song.Lines(1) = kFourNotes;
    Play([&] { playback->PlayFromBookmark(2); });
    const auto body = NoteOns(0);
    ASSERT_EQ(body.size(), 2u);
    EXPECT_EQ(body[0].note, 64);
    EXPECT_EQ(body[1].note, 65);
    EXPECT_EQ(rig.selections.front(), std::make_pair(2, 3));
}

TEST_F(PlaybackTest, LoopRestartsAtTheRangeStartUntilStopIsPressed) {
    rig.song.Lines(1) = {kFourNotes[0], kFourNotes[1]};
    loop.setChecked(true);
    int starts = 0;
    Play([&] { playback->BitBtnPlayArrangementClick(); },
         [&](int64_t) {
             starts = 0;
             for (const Note &n : NoteOns(0))
                 starts += n.note == 60;
             if (starts == 3 && playButton.text() == QStringLiteral("Stop"))
                 playback->BitBtnPlayArrangementClick(); // the button again: its stop branch
         });
    EXPECT_EQ(starts, 3);
    EXPECT_FALSE(playback->Playing());
    EXPECT_EQ(playButton.text(), QStringLiteral("Play"));
    // Every note switched on was switched off again.
    const auto notes = Notes(0);
    EXPECT_EQ(std::count_if(notes.begin(), notes.end(), [](const Note &n) { return n.status == 0x90; }),
              std::count_if(notes.begin(), notes.end(), [](const Note &n) { return n.status == 0x80; }));
}

TEST_F(PlaybackTest, EscStopsTheSongAndALoopDoesNotRestart) {
    rig.song.Lines(1) = kFourNotes;
    loop.setChecked(true);
    Play([&] { playback->BitBtnPlayArrangementClick(); },
         [&](int64_t ms) {
             if (ms == 700)
                 playback->Escape();
         });
    for (const Note &n : Notes(0))
        EXPECT_LE(n.ms, 700) << n;
    EXPECT_EQ(NoteOns(0).size(), 2u);
    EXPECT_TRUE(rig.play.AbortRequested);
    EXPECT_FALSE(playback->Playing());
    EXPECT_FALSE(timer.Running());
}

TEST_F(PlaybackTest, ACloseDuringPlayUnwindsTheLoopFirstAndNeverRestarts) {
    rig.song.Lines(1) = kFourNotes;
    loop.setChecked(true);
    int nestedAtClose = -1;
    Play([&] { playback->BitBtnPlayArrangementClick(); },
         [&](int64_t ms) {
             if (ms == 600) { // what the window's close does while a loop runs
                 nestedAtClose = rig.nested;
                 rig.play.AbortRequested = true;
             }
         });
    EXPECT_EQ(nestedAtClose, 1);
    EXPECT_EQ(rig.nested, 0);
    EXPECT_FALSE(playback->Playing());
    EXPECT_FALSE(rig.play.Playing(TPlayKind::Song));
    for (const Note &n : NoteOns(0))
        EXPECT_LE(n.ms, 600) << n;
}

TEST_F(PlaybackTest, ABuildErrorSelectsTheLineAndPlaysNothing) {
    rig.song.Lines(1) = {kFourNotes[0], "not a line at all"};
    Play([&] { playback->BitBtnPlayArrangementClick(); });
    EXPECT_TRUE(NoteOns().empty());
    ASSERT_EQ(rig.messages.Count(), 1);
    EXPECT_TRUE(rig.messages.LastText().contains(QStringLiteral("Fix the error or delete the line.")));
    EXPECT_EQ(rig.selections.back(), std::make_pair(1, 1));
    EXPECT_EQ(playButton.text(), QStringLiteral("Play"));
    EXPECT_FALSE(rig.play.Playing(TPlayKind::Song));
    EXPECT_EQ(rig.nested, 0);
}

TEST_F(PlaybackTest, AnEmptySongSaysSoAndSelectsNothing) {
    Play([&] { playback->PlayAll1Click(); });
    EXPECT_EQ(rig.messages.Texts(), QStringList{QString::fromLatin1(kNothingToPlay)});
    EXPECT_TRUE(rig.selections.empty());
    EXPECT_FALSE(rig.play.Playing(TPlayKind::Song));
}

TEST_F(PlaybackTest, ThePositionDisplayTakesTheCountInOff) {
    rig.song.Lines(1) = kFourNotes;
    countIn.setChecked(true);
    countInBars.setValue(2);
    QString barDuringCountIn, barAfter, beatAfter;
    int posBarDuringCountIn = -1;
    Play([&] { playback->BitBtnPlayArrangementClick(); },
         [&](int64_t ms) {
             if (ms == 2600) {
                 playback->TimerMidiPositionTimer();
                 barDuringCountIn = PanelLabel("LabelMIDIPlayBar");
                 posBarDuringCountIn = pos.Bar();
             }
             if (ms == 4000 + 520) { // song bar 1, beat 2
                 playback->TimerMidiPositionTimer();
                 barAfter = PanelLabel("LabelMIDIPlayBar");
                 beatAfter = PanelLabel("LabelMIDIPlayBeat");
             }
         });
    EXPECT_EQ(barDuringCountIn, QStringLiteral("0"));
    EXPECT_EQ(posBarDuringCountIn, 0);
    EXPECT_EQ(barAfter, QStringLiteral("1"));
    EXPECT_EQ(beatAfter, QStringLiteral("2"));
    EXPECT_EQ(PanelLabel("labelMIDIPlayMaxBar"), QStringLiteral("1"));
}

// ---- ranges ---------------------------------------------------------------------------------

struct RangeCase {
    const char *name;
    std::string timeSignature;
    TPlaySource source;
    int64_t countIn;
    TPlayRange expected;
};

void PrintTo(const RangeCase &c, std::ostream *os) { *os << c.name; }

class PlayRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PlayRangeTest, Computes) {
    const RangeCase &c = GetParam();
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    song.TimeSignature = c.timeSignature;
    drums.Reset(c.timeSignature);
    // Eight bars of whole notes on the piano (in 3/4 a whole note is still 768 ticks).
    song.Lines(1).assign(8, "C, 60, x, x, x, x, x, x, x, x, x, W");
    TMidiData built;
    TPlaySettings settings;
    settings.CountIn = c.countIn > 0;
    ASSERT_TRUE(BuildSongMidi(song, drums, settings, built).Ok());
    EXPECT_EQ(ComputePlayRange(c.source, song.Lines(1), built, c.countIn), c.expected);
}

TPlaySource Lines(int first, int last) {
    TPlaySource s;
    s.HasSelection = true;
    s.SelFirst = first;
    s.SelLast = last;
    return s;
}
TPlaySource Caret(int line) {
    TPlaySource s;
    s.FromCursor = true;
    s.CaretLine = line;
    return s;
}
TPlaySource FromLine(int line) {
    TPlaySource s;
    s.FromLine = line;
    s.HasSelection = true; // F4 selects what it plays; the line rules
    s.SelFirst = line;
    s.SelLast = 7;
    return s;
}
TPlaySource Patterns(std::vector<int> selected, int count = 8) {
    TPlaySource s;
    s.DrumsTab = true;
    s.SelectedPatterns = std::move(selected);
    s.PatternCount = count;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PlayRangeTest,
    ::testing::Values(
        RangeCase{"WholeSong", "0404", TPlaySource{}, 0, {0, 0, 8 * 768}},
        RangeCase{"SelectionInsideOneLine", "0404", Lines(3, 3), 0, {0, 0, 8 * 768}},
        RangeCase{"SelectionOfLines3To5", "0404", Lines(2, 4), 0, {0, 2 * 768, 5 * 768}},
        RangeCase{"SelectionToTheLastLine", "0404", Lines(6, 7), 0, {0, 6 * 768, 8 * 768}},
        RangeCase{"FromLine3", "0404", FromLine(2), 0, {0, 2 * 768, 8 * 768}},
        RangeCase{"FromTheLastLineAlone", "0404", FromLine(7), 0, {0, 7 * 768, 8 * 768}},
        RangeCase{"FromLineBehindACountIn", "0404", FromLine(7), 768, {0, 8 * 768, 9 * 768}},
        RangeCase{"CaretOnFirstLineWithCountIn", "0404", Caret(0), 768, {0, 0, 9 * 768}},
        RangeCase{"CaretWithCountIn", "0404", Caret(2), 768, {768, 3 * 768, 9 * 768}},
        RangeCase{"CaretWithoutCountIn", "0404", Caret(2), 0, {0, 2 * 768, 8 * 768}},
        RangeCase{"PatternsTwoToFour", "0404", Patterns({2, 3, 4}), 0, {0, 2 * 768, 5 * 768}},
        RangeCase{"PatternsInThreeFour", "0304", Patterns({1, 3}), 0, {0, 576, 4 * 576}},
        RangeCase{"PatternsInSixEight", "0608", Patterns({0, 1}), 0, {0, 0, 2 * 576}},
        RangeCase{"OnePatternIsTheWholeSong", "0404", Patterns({3}), 0, {0, 0, 8 * 768}},
        RangeCase{"PatternsPastTheEndAreTheWholeSong", "0404", Patterns({20, 30}, 40), 0, {0, 20 * 768, 31 * 768}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

TEST(TimeSignatureRuleTest, OnlyCountableSignaturesAreAccepted) {
    struct Case {
        int upper, lower;
        bool ok;
    } cases[] = {{4, 4, true},   {1, 1, true},  {64, 64, true}, {7, 8, true},   {3, 2, true},    {0, 4, false},
                 {65, 4, false}, {4, 0, false}, {4, 3, false},  {4, 12, false}, {4, 128, false}, {-1, 4, false}};
    for (const Case &c : cases)
        EXPECT_EQ(IsPlayableTimeSignature(c.upper, c.lower), c.ok) << c.upper << "/" << c.lower;
}

TEST_F(PlaybackTest, TempoAndTimeSignatureLabels) {
    // Cancel and the same tempo change nothing; a new tempo marks the tab.
    playback->lblTempoClick([](int) { return std::nullopt; });
    playback->lblTempoClick([](int current) { return current; });
    EXPECT_FALSE(rig.song.Current().Modified);
    int shown = -1;
    playback->lblTempoClick([&](int current) {
        shown = current;
        return 96;
    });
    EXPECT_EQ(rig.song.Tempo, 96);
    playback->lblTempoClick([](int) { return 2; }); // a slow tempo is a tempo, not Cancel
    EXPECT_EQ(rig.song.Tempo, 2);
    playback->lblTempoClick([](int) { return 96; });
    EXPECT_EQ(shown, 120);
    EXPECT_EQ(rig.song.Tempo, 96);
    EXPECT_TRUE(rig.song.Current().Modified);

    rig.song.Current().Modified = false;
    for (const char *bad : {"0412", "6504", "0400", "0003", "x"})
        playback->LabelSigUpperClick([&](const std::string &) { return std::string(bad); });
    EXPECT_EQ(rig.messages.Count(), 5);
    EXPECT_EQ(rig.messages.LastText(), QString::fromLatin1(kTimeSignatureRefused));
    EXPECT_EQ(rig.song.TimeSignature, "0404");
    EXPECT_FALSE(rig.song.Current().Modified);
    std::string offered;
    playback->LabelSigUpperClick([&](const std::string &current) {
        offered = current;
        return "0608";
    });
    EXPECT_EQ(offered, "0404");
    EXPECT_EQ(rig.song.TimeSignature, "0608");
    EXPECT_EQ(rig.drums.sigUpper, 6);
    EXPECT_EQ(rig.drums.sigLower, 8);
    EXPECT_TRUE(rig.song.Current().Modified);
    EXPECT_GE(rig.settingsShown, 2);
}

TEST_F(PlaybackTest, EachTimeSignatureShowsThePatternsCellsThatFitItsBar) {
    // A 4/4 pattern with hits on steps 13 and 15; 3/4 has room for 12 steps, 7/8 for 28.
    NewDrumPattern(rig.drums);
    rig.drums.grid.SetCell(12, 0, 7);
    rig.drums.grid.SetCell(14, 1, 9);
    ASSERT_TRUE(rig.drums.ReplaceDrumGridInStore(0));
    const struct Case {
        const char *sig;
        int columns;
        int step13, step15;
    } cases[] = {{"0304", 12, 0, 0}, {"0708", 28, 7, 9}, {"0304", 12, 0, 0}, {"0404", 16, 7, 9}};
    for (const Case &c : cases) {
        playback->LabelSigUpperClick([&](const std::string &) { return std::string(c.sig); });
        EXPECT_EQ(rig.drums.grid.Columns(), c.columns) << c.sig;
        EXPECT_EQ(rig.drums.grid.Cell(12, 0), c.step13) << c.sig;
        EXPECT_EQ(DrumColumnHits(rig.drums, 14, 0, 100).size(), c.step15 ? 1u : 0u) << c.sig;
    }
}

TEST(AnimatedCaptionTest, NamesTheTabsInstrument) {
    EXPECT_EQ(AnimatedInstrumentCaption(false, "Guitar"), "Play Animated Guitar");
    EXPECT_EQ(AnimatedInstrumentCaption(true, "Drums"), "Play Animated Instrument");
}

} // namespace
