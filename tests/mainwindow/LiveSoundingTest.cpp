// Live sounding of lines: pitches as the song builder gives them, note times on a manual
// clock, directives in a run, loops, stops and failing lines; the real wait on the steady clock.
#include "FretboardRig.h"

#include "QtTestApp.h"
#include "mainwindow/live/LiveSounding.h"
#include "midi/MidiOutputPort.h"
#include "platform/SteadyClock.h"
#include "platform/TestDoubles.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

using platform::RecordedMessage;

constexpr int kPianoTab = 1, kGuitarTab = 6, kBassTab = 12;

struct LiveRig : SoundingRig {
    explicit LiveRig(int tab = kGuitarTab) : SoundingRig(tab) {
        for (TInstrumentTab &t : song.Tabs)
            t.Balance = 64;
        midi.Clear();
    }
    TInstrumentTab &Tab() { return song.Current(); }
    // Note-ons with a velocity, as (time, note).
    std::vector<std::pair<int64_t, int>> NotesOn() const {
        std::vector<std::pair<int64_t, int>> out;
        for (const RecordedMessage &m : midi.Messages())
            if ((m.status & 0xF0) == 0x90 && m.data2 > 0)
                out.emplace_back(m.timeMs, m.data1);
        return out;
    }
    std::vector<int> Notes() const {
        std::vector<int> out;
        for (const auto &[t, n] : NotesOn())
            out.push_back(n);
        return out;
    }
    int Count(uint8_t statusHigh) const {
        int n = 0;
        for (const RecordedMessage &m : midi.Messages())
            n += (m.status & 0xF0) == statusHigh;
        return n;
    }
};

// The caret line sounds at the builder's pitch: tuning, tab and song transpose once each.
TEST(LiveSounding, CaretLinePitchIsTheBuildersPitch) {
    struct Case {
        int tab;
        const char *line;
        int tabTranspose, songTranspose;
        const char *tuning;
        std::vector<int> notes;
    };
    const Case cases[] = {
        {kGuitarTab, "C, x, 3, 2, 0, 1, 0, Q", 0, 0, "242424242424", {64, 60, 55, 52, 48}},
        {kGuitarTab, "C, x, 3, 2, 0, 1, 0, Q", 2, 1, "242424242424", {67, 63, 58, 55, 51}},
        // Drop D: string 6 two half steps down.
        {kGuitarTab, "D5, 0, x, x, x, x, x, Q", 0, 0, "242424242422", {38}},
        // A malformed tuning pair reads as 24 (no shift).
        {kGuitarTab, "E, 0, x, x, x, x, x, Q", 0, 0, "2424242424?x", {40}},
        {kPianoTab, "C, 60, 64, x, x, x, x, x, x, x, x, Q", 2, 1, "242424242424", {63, 67}},
        // Notes outside 0..127 are not sent.
        {kPianoTab, "Hi, 107, 60, x, x, x, x, x, x, x, x, Q", 24, 0, "242424242424", {84}},
        // Bass an octave below the guitar; slots sound from the highest string down.
        {kBassTab, "E, 0, 2, x, x, Q", -3, 0, "242412121212", {32, 25}},
    };
    for (const Case &c : cases) {
        LiveRig rig(c.tab);
        rig.Tab().Transpose = c.tabTranspose;
        rig.Tab().TuningSpelling = c.tuning;
        rig.song.SongTranspose = c.songTranspose;
        EXPECT_TRUE(rig.live.SoundLine(rig.song, c.line, 200, false)) << c.line;
        EXPECT_EQ(rig.Notes(), c.notes) << c.line;
        EXPECT_EQ(rig.waits, std::vector<int>{200}) << c.line;
        // Every note that went on goes off.
        EXPECT_EQ(rig.Count(0x90), 2 * static_cast<int>(c.notes.size())) << c.line;
    }
}

TEST(LiveSounding, NothingSoundsForBlankDirectiveFaultyOrDrumLines) {
    LiveRig rig;
    for (const char *line : {"", "   ", "*Tempo 90", "C, 3, 2, Q", "C, 99, x, x, x, x, x, Q"})
        EXPECT_FALSE(rig.live.SoundLine(rig.song, line, 200, false)) << line;
    rig.song.CurrentTab = 10; // Drums
    EXPECT_FALSE(rig.live.SoundLine(rig.song, "C, 0, x, x, x, x, x, Q", 200, false));
    EXPECT_TRUE(rig.midi.Messages().empty());
    EXPECT_TRUE(rig.waits.empty());
}

// A stop left over from an earlier run does not cut a later preview short.
TEST(LiveSounding, PreviewClearsAStaleStop) {
    for (bool piano : {false, true}) {
        LiveRig rig(piano ? kPianoTab : kGuitarTab);
        int waited = -1;
        rig.live.SetWaiter([&](int ms, bool) { waited = rig.stop ? 0 : ms; });
        rig.stop = true;
        if (piano)
            EXPECT_TRUE(rig.live.PlayPianoLineLive(rig.song, "C, 60, x, x, x, x, x, x, x, x, x, Q", 250, -1, -1));
        else
            rig.live.SoundChordLive(rig.song, {64, -1, -1, -1, -1, -1}, -1, -1, false, 250);
        EXPECT_EQ(waited, 250) << piano;
        EXPECT_FALSE(rig.stop);
    }
}

TEST(LiveSounding, FourStringTabSoundsOnlyItsSlots) {
    LiveRig rig(kBassTab);
    rig.Tab().TuningSpelling = "242424242424";
    rig.live.SoundChordLive(rig.song, {64, 59, 55, 50, 45, 40}, -1, -1, false, 100);
    EXPECT_EQ(rig.Notes(), (std::vector<int>{55, 50, 45, 40}));
}

TEST(LiveSounding, ChannelAndVelocityDefaultToTheTabs) {
    LiveRig rig;
    rig.Tab().Channel = 5;
    rig.Tab().Volume = 77;
    rig.live.SoundChordLive(rig.song, {64, -1, kNoPitch, -1, -1, -1}, -1, -1, false, 10);
    rig.live.SoundChordLive(rig.song, {64, -1, -1, -1, -1, -1}, 2, 30, false, 10);
    const auto m = rig.midi.Messages();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0], (RecordedMessage{-1, 0, 0x95, 64, 77}));
    EXPECT_EQ(m[1], (RecordedMessage{-1, 10, 0x95, 64, 0}));
    EXPECT_EQ(m[2], (RecordedMessage{-1, 10, 0x92, 64, 30}));
    EXPECT_EQ(m[3], (RecordedMessage{-1, 20, 0x92, 64, 0}));
}

// A run of lines: durations follow the tempo in force, directives apply to the lines after
// them and leave nothing behind.
TEST(LiveSounding, RunAppliesDirectivesAndLeavesNoStaleState) {
    LiveRig rig;
    rig.Tab().Transpose = 1;
    int shownTempo = 0;
    rig.live.View.TempoChanged = [&](int t) { shownTempo = t; };
    std::vector<int> selected;
    rig.live.View.SelectLine = [&](int i) { selected.push_back(i); };
    const std::vector<std::string> lines = {
        "E, 0, x, x, x, x, x, Q", "*Tempo 60", "*Transpose 5", "*Volume 50",     "*Channel 4",
        "E, 0, x, x, x, x, x, Q", "bad line",  "*Balance 10",  "*Instrument 40", "E, 0, x, x, x, x, x, E"};
    EXPECT_EQ(rig.live.PlayLineRange(rig.song, lines, 0, 9), -1);
    EXPECT_EQ(rig.waits, (std::vector<int>{500, 1000, 500}));
    EXPECT_EQ(shownTempo, 60);
    EXPECT_EQ(selected, (std::vector<int>{0, 5, 9}));
    const auto on = rig.NotesOn();
    ASSERT_EQ(on.size(), 3u);
    EXPECT_EQ(on[0], (std::pair<int64_t, int>{0, 41}));
    EXPECT_EQ(on[1], (std::pair<int64_t, int>{500, 46})); // tab 1 + directive 5, not the tab twice
    EXPECT_EQ(on[2], (std::pair<int64_t, int>{1500, 46}));
    bool pan = false, program40 = false, programBack = false;
    const uint8_t ch = static_cast<uint8_t>(rig.Tab().Channel);
    for (const RecordedMessage &m : rig.midi.Messages()) {
        if ((m.status & 0xF0) == 0x90 && m.data2 > 0 && m.timeMs > 0) {
            EXPECT_EQ(m.status, 0x93) << "the channel directive gives channel 4";
            EXPECT_EQ(m.data2, 50);
        }
        pan = pan || (m.status == 0xB0 + ch && m.data1 == 10 && m.data2 == 10);
        program40 = program40 || (m.status == 0xC0 + ch && m.data1 == 40);
        programBack = programBack || (program40 && m.status == 0xC0 + ch && m.data1 == rig.Tab().Patch);
    }
    EXPECT_TRUE(pan);
    EXPECT_TRUE(program40);
    EXPECT_TRUE(programBack) << "the tab's program is sent again after a normal end";
    // Nothing stays behind: a caret line after the run has the plain transpose and tempo.
    EXPECT_EQ(rig.live.LiveTranspose, 0);
    EXPECT_EQ(rig.live.RunTempo(), 0);
    EXPECT_EQ(rig.song.Tempo, 120);
    rig.midi.Clear();
    rig.waits.clear();
    rig.live.SoundLine(rig.song, "E, 0, x, x, x, x, x, Q", -1, false);
    EXPECT_EQ(rig.Notes(), std::vector<int>{41});
}

TEST(LiveSounding, SelectionPlaysItsLinesAndClearsTheStopFlag) {
    LiveRig rig;
    std::vector<int> selected;
    rig.live.View.SelectLine = [&](int i) { selected.push_back(i); };
    const std::vector<std::string> lines(6, "E, 0, x, x, x, x, x, S");
    rig.stop = true;
    EXPECT_EQ(rig.live.StartLinePlayback(rig.song, lines, 1, 3), -1);
    EXPECT_EQ(selected, (std::vector<int>{1, 2, 3}));
    selected.clear();
    // A selection inside one line plays the whole tab.
    EXPECT_EQ(rig.live.StartLinePlayback(rig.song, lines, 2, 2), -1);
    EXPECT_EQ(selected.size(), 6u);
}

TEST(LiveSounding, LoopRepeatsUntilUncheckedAndStopEndsAtOnce) {
    LiveRig rig;
    int passes = 0;
    rig.live.View.LoopChecked = [&] { return ++passes < 3; };
    const std::vector<std::string> lines = {"E, 0, x, x, x, x, x, Q", "A, x, 0, x, x, x, x, Q"};
    EXPECT_EQ(rig.live.PlayLineRange(rig.song, lines, 0, 1), -1);
    EXPECT_EQ(rig.Notes().size(), 6u);

    // Stop pressed during the second line of a looping run: no further note, no program.
    LiveRig looping;
    looping.Tab().Patch = 30;
    looping.live.View.LoopChecked = [] { return true; };
    looping.onWait = [&](int) {
        if (looping.waits.size() == 2)
            looping.stop = true;
    };
    EXPECT_EQ(looping.live.PlayLineRange(looping.song, lines, 0, 1), -1);
    EXPECT_EQ(looping.Notes().size(), 2u);
    EXPECT_EQ(looping.Count(0xC0), 0);

    // A looping run of lines that sound nothing ends instead of spinning.
    LiveRig silent;
    silent.live.View.LoopChecked = [] { return true; };
    EXPECT_EQ(silent.live.PlayLineRange(silent.song, {"*Tempo 90", "", "*Volume 20"}, 0, 2), -1);
    EXPECT_TRUE(silent.waits.empty());
}

TEST(LiveSounding, PianoRunEndsAtTheFailingLine) {
    LiveRig rig(kPianoTab);
    std::vector<std::array<int32_t, 10>> sounding;
    int refreshed = 0;
    rig.live.View.KeysSounding = [&](const std::array<int32_t, 10> &k, bool on) {
        if (on)
            sounding.push_back(k);
    };
    rig.live.View.RefreshKeys = [&] { ++refreshed; };
    const std::vector<std::string> lines = {"C, 60, x, x, x, x, x, x, x, x, x, E", "C, 200, x, Q",
                                            "C, 62, x, x, x, x, x, x, x, x, x, E"};
    EXPECT_EQ(rig.live.PlayLineRange(rig.song, lines, 0, 2), 1);
    EXPECT_EQ(rig.Notes(), std::vector<int>{60});
    EXPECT_EQ(rig.waits, std::vector<int>{250});
    ASSERT_EQ(sounding.size(), 1u);
    EXPECT_EQ(sounding[0][0], 60);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(rig.Count(0xC0), 0) << "a failed run does not send the program again";
    EXPECT_FALSE(rig.live.PlayPianoLineLive(rig.song, "C, 200, x, Q", 100, -1, -1));
    EXPECT_TRUE(rig.live.PlayPianoLineLive(rig.song, "*Volume 3", 100, -1, -1));
}

// The real wait: the steady clock, window events processed, an early end on Stop.
TEST(LiveSoundingWait, WaitsOnTheClockAndEndsEarlyOnStop) {
    TwTestApp();
    platform::SteadyClock clock;
    platform::RecordingMidiOutSystem midi;
    TPhysicalPortList ports{midi};
    TMidiOutputPort port{ports, -1};
    bool stop = false;
    TLiveSounding live{port, clock, stop};

    bool eventRan = false;
    QTimer::singleShot(5, [&] { eventRan = true; });
    int64_t t0 = clock.NowMs();
    live.WaitMs(40, true);
    int64_t elapsed = clock.NowMs() - t0;
    EXPECT_GE(elapsed, 40);
    EXPECT_LT(elapsed, 1000);
    EXPECT_TRUE(eventRan) << "window events are processed while waiting";

    t0 = clock.NowMs();
    live.WaitMs(25, false);
    EXPECT_GE(clock.NowMs() - t0, 25);

    // Esc or the Stop button arrives as a window event and ends a long wait at once.
    QTimer::singleShot(20, [&] { stop = true; });
    t0 = clock.NowMs();
    live.WaitMs(10000, true);
    elapsed = clock.NowMs() - t0;
    EXPECT_TRUE(stop);
    EXPECT_LT(elapsed, 2000);
}

TEST(LiveSoundingWait, AClockThatStandsStillCannotHoldTheWindow) {
    TwTestApp();
    platform::ManualClock still;
    platform::SteadyClock real;
    platform::RecordingMidiOutSystem midi;
    TPhysicalPortList ports{midi};
    TMidiOutputPort port{ports, -1};
    bool stop = false;
    TLiveSounding live{port, still, stop};
    for (bool pump : {true, false}) {
        const int64_t t0 = real.NowMs();
        live.WaitMs(30, pump);
        const int64_t elapsed = real.NowMs() - t0;
        EXPECT_GE(elapsed, 29) << pump;
        EXPECT_LT(elapsed, 1000) << pump;
    }
}

} // namespace
