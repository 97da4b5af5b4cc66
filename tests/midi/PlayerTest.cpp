#include "midi/MidiPlayer.h"
#include "platform/TestDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>

namespace {

using Sent3 = std::vector<std::array<int, 3>>;

// PPQN 192 at 500 ms per quarter: a tick is 500/192 ms.
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.SetPPQN(192);
        data.AddTrack(1);
        data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, std::vector<uint8_t>{0x07, 0xA1, 0x20});
        TMidiTrackStream *t = data.GetTrack(1);
        t->SetPatch(5);
        t->InsertEvent(0, 0x90, 60, 100);
        t->InsertEvent(96, 0xB0, 7, 30);   // 250 ms
        t->InsertEvent(480, 0x80, 60, 0);  // 1250 ms
        t->InsertEvent(768, 0x90, 64, 90); // 2000 ms
        t->InsertEvent(960, 0x80, 64, 0);  // 2500 ms
        outputs.SetSysexLatency(0);
        outputs.SetMidiData(&data);
        outputs.SetActive(true);
        player.SetTrackOutputs(&outputs);
        system.Clear();
    }
    Sent3 Sent() {
        Sent3 out;
        for (auto &m : system.Messages())
            out.push_back({m.status, m.data1, m.data2});
        system.Clear();
        return out;
    }
    platform::ManualClock clock;
    platform::ManualTimer timer;
    platform::RecordingMidiOutSystem system{{"Recorder"}, &clock};
    TPhysicalPortList ports{system};
    TMidiData data;
    TTrackOutputs outputs{ports};
    TMidiPlayer player{clock, timer};
};

TEST_F(PlayerTest, WithoutActiveOutputsStaysStoppedAndSaysSo) {
    outputs.SetActive(false);
    int stops = 0;
    player.OnStop = [&] { ++stops; };
    player.SetPlay(true);
    EXPECT_FALSE(player.Play());
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(timer.Running());
}

TEST_F(PlayerTest, ElapsedTimeScaledByTempoPercentKeepsTheRemainder) {
    player.StopAtEnd = false;
    player.EventTimed = false; // the periodic timer
    player.SetPlay(true);
    ASSERT_TRUE(player.Play());
    EXPECT_FALSE(timer.DeadlineMode());
    EXPECT_EQ(timer.PeriodMs(), 4);
    timer.Run(clock, 250);
    EXPECT_EQ(player.Time(), 1000);
    player.SetTempoPercent(50);
    timer.Run(clock, 250);
    EXPECT_EQ(player.Time(), 1500);
    player.SetTempoPercent(33); // 1.32 ms per tick: the hundredths add up
    timer.Run(clock, 250);
    EXPECT_EQ(player.Time(), 1500 + 330);
}

TEST_F(PlayerTest, PlaysNotesOnTimeAndStopsAtTheEnd) {
    int stops = 0;
    player.OnStop = [&] { ++stops; };
    player.EventTimed = false; // the periodic timer
    player.SetPlay(true);
    EXPECT_TRUE(Sent().empty()); // the program went out with the track outputs already
    timer.Run(clock, 1000);
    EXPECT_FALSE(player.Play());
    EXPECT_FALSE(timer.Running());
    EXPECT_EQ(stops, 1);
    const auto messages = system.Messages();
    ASSERT_EQ(messages.size(), 6u);
    // The track's program and notes, each at the first call at or after its time (every 4 ms
    // from the start), stamped with its time.
    const std::array<int64_t, 6> due{0, 0, 250, 1250, 2000, 2500};
    for (size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].timeMs, std::max<int64_t>(4, (due[i] + 3) / 4 * 4)) << i;
        EXPECT_EQ(messages[i].dueNs, due[i] * 1'000'000) << i;
    }
    EXPECT_GE(player.ResumeTick(), 960);
    EXPECT_EQ(player.ResumeTick(), player.Position());
    // Playing again from the end stops at once.
    player.SetPlay(true);
    EXPECT_TRUE(player.Play());
    timer.Run(clock, 1);
    EXPECT_FALSE(player.Play());
}

TEST_F(PlayerTest, SeekBackwardSilencesResetsAndChasesWithoutBurst) {
    player.SetPlay(true);
    timer.Run(clock, 275); // 1100 ms: note 60 sounds, volume 30
    Sent();
    clock.Advance(5000); // the window thread was busy before it sought
    player.SetPosition(48);
    EXPECT_TRUE(player.Play());
    // Note off, volume back to its default, the outputs' programs (the conductor track's
    // program 0 on channel 0 first), then the program change chased to tick 48.
    EXPECT_EQ(Sent(), (Sent3{{0x80, 60, 0}, {0xB0, 7, 90}, {0xC0, 0, 0}, {0xC0, 5, 0}, {0xC0, 5, 0}}));
    const int64_t at = player.Time();
    EXPECT_EQ(at, 48 * 500 / 192);
    timer.Run(clock, 1);
    EXPECT_EQ(player.Time(), at + 4);
    timer.Run(clock, 40); // past 250 ms: the controller is played again
    EXPECT_EQ(Sent(), (Sent3{{0xB0, 7, 30}}));
}

TEST_F(PlayerTest, SeekWhileStoppedStaysStoppedAndForwardKeepsControllers) {
    player.SetPosition(200);
    EXPECT_FALSE(player.Play());
    EXPECT_EQ(Sent(), (Sent3{{0xC0, 5, 0}, {0xB0, 7, 30}}));
    player.SetBarBeatTick(1, 0, 0);
    EXPECT_EQ(player.Position(), 768);
    EXPECT_TRUE(Sent().empty()); // nothing but notes between 200 and 768
    player.MoveToEnd();
    EXPECT_EQ(player.Position(), 960);
}

TEST_F(PlayerTest, StopSilencesKeepsThePlaceAndResumes) {
    player.SetPlay(true);
    timer.Run(clock, 100);
    Sent();
    player.Stop();
    EXPECT_FALSE(timer.Running());
    EXPECT_EQ(Sent(), (Sent3{{0x80, 60, 0}}));
    EXPECT_EQ(player.Time(), 400);
    EXPECT_EQ(player.ResumeTick(), 400 * 192 / 500);
    clock.Advance(10000);
    player.SetPlay(true); // resumes from the tick it stopped at
    timer.Run(clock, 1);
    EXPECT_EQ(player.Time(), 153 * 500 / 192 + 4);
}

TEST_F(PlayerTest, ClockGoingBackAdvancesNothing) {
    player.StopAtEnd = false;
    player.SetPlay(true);
    timer.Run(clock, 10);
    clock.Advance(-1000);
    timer.Fire();
    EXPECT_EQ(player.Time(), 40);
    timer.Run(clock, 1);
    EXPECT_EQ(player.Time(), 44);
    // At half speed a jump back must not leave a debt that slows the ticks after it.
    player.SetTempoPercent(50);
    timer.Run(clock, 1);
    EXPECT_EQ(player.Time(), 46);
    clock.Advance(-3);
    timer.Fire();
    timer.Run(clock, 1);
    EXPECT_EQ(player.Time(), 48);
}

TEST_F(PlayerTest, StopFromAnEventHandlerInsideTheCallback) {
    outputs.OnEvent = [&](TTrackOutputs &, int, uint8_t status) {
        if (status == 0xB0)
            player.Stop();
    };
    player.SetPlay(true);
    timer.Run(clock, 100);
    EXPECT_FALSE(player.Play());
    EXPECT_LT(player.Position(), 200);
}

TEST_F(PlayerTest, StopInsideTheCallbackLeavesNoNoteSounding) {
    // A note due in the same tick as the event whose handler stops the player.
    data.GetTrack(1)->InsertEvent(96, 0x90, 62, 80);
    outputs.OnEvent = [&](TTrackOutputs &, int, uint8_t status) {
        if (status == 0xB0)
            player.Stop();
    };
    player.SetPlay(true);
    timer.Run(clock, 100);
    EXPECT_FALSE(player.Play());
    EXPECT_EQ(outputs.GetOutput(1)->Port().NoteCount(0, 60), 0);
    EXPECT_EQ(outputs.GetOutput(1)->Port().NoteCount(0, 62), 0);
}

TEST_F(PlayerTest, StateHandlersMayAskThePlayerAboutItself) {
    int64_t stoppedAt = -1;
    bool playing = false;
    player.OnPlay = [&] { playing = player.Play(); };
    player.OnStop = [&] { stoppedAt = player.Position(); };
    player.SetPlay(true);
    EXPECT_TRUE(playing);
    timer.Run(clock, 1000);
    EXPECT_EQ(stoppedAt, player.ResumeTick());
}

void AddTempo(TMidiData &d, int32_t tick, uint32_t microseconds) {
    d.GetTrack(0)->InsertMetaEvent(
        tick, midi::kMetaTempo,
        std::vector<uint8_t>{uint8_t(microseconds >> 16), uint8_t(microseconds >> 8), uint8_t(microseconds)});
}

// 140 bpm (428,571 us a quarter) changing to 100 bpm at tick 400, PPQN 192: track 1 has
// controller events at many phases of the tick grid (value = index), track 2 notes (60 + index).
constexpr std::array<int32_t, 10> kControllerTicks{0, 1, 5, 96, 191, 192, 399, 401, 500, 769};
constexpr std::array<int32_t, 3> kNoteTicks{3, 192, 640};
int64_t SongUs(int64_t tick) { return tick <= 400 ? tick * 428571 / 192 : 892856 + (tick - 400) * 600000 / 192; }

TEST_F(PlayerTest, EventTimedSendsEachEventAtItsTimeStampedWithIt) {
    TMidiData song;
    song.SetPPQN(192);
    song.AddTrack(1);
    song.AddTrack(1);
    AddTempo(song, 0, 428571);
    AddTempo(song, 400, 600000);
    for (size_t i = 0; i < kControllerTicks.size(); ++i)
        song.GetTrack(1)->InsertEvent(kControllerTicks[i], 0xB0, 1, uint8_t(i));
    for (size_t i = 0; i < kNoteTicks.size(); ++i)
        song.GetTrack(2)->InsertEvent(kNoteTicks[i], 0x91, uint8_t(60 + i), 90);
    outputs.SetMidiData(&song);
    std::vector<int64_t> sentAt;
    outputs.OnEvent = [&](TTrackOutputs &, int, uint8_t) {
        if (player.Iterator().Playing())
            sentAt.push_back(clock.NowNs()); // not the chasing at the start
    };

    for (const int percent : {100, 50, 150}) {
        SCOPED_TRACE(percent);
        const int64_t start = 7'000'000'123;
        // The clock time of song time us at this speed (rounded up to the nanosecond).
        auto wall = [&](int64_t us) { return start + (us * 100'000 + percent - 1) / percent; };
        clock.SetNs(start);
        player.SetPosition(0);
        player.SetTempoPercent(percent);
        system.Clear();
        sentAt.clear();
        player.SetPlay(true);
        ASSERT_TRUE(timer.DeadlineMode());
        EXPECT_EQ(timer.PeriodMs(), player.TimerResolution()); // the longest sleep
        std::vector<int64_t> asked;
        for (int call = 0; call < 5000 && timer.RunAsAsked(clock, 1); ++call)
            if (asked.empty() || asked.back() != timer.AskedNs())
                asked.push_back(timer.AskedNs());
        EXPECT_FALSE(player.Play());

        // Every event went out when the clock reached its time, no earlier and not a tick
        // later, stamped with that time.
        std::vector<platform::RecordedMessage> played;
        for (const auto &m : system.Messages())
            if (m.dueNs)
                played.push_back(m);
        ASSERT_EQ(played.size(), kControllerTicks.size() + kNoteTicks.size());
        ASSERT_EQ(sentAt.size(), played.size());
        std::vector<int64_t> times;
        for (size_t i = 0; i < played.size(); ++i) {
            const bool note = played[i].status == 0x91;
            const int64_t tick = note ? kNoteTicks[played[i].data1 - 60] : kControllerTicks[played[i].data2];
            SCOPED_TRACE(tick);
            EXPECT_EQ(*played[i].dueNs, wall(SongUs(tick)));
            EXPECT_EQ(sentAt[i], wall(SongUs(tick)));
            times.push_back(wall(SongUs(tick)));
        }
        // After each call the player asked for the next event's time (the conductor's tempo
        // change at 400 included), and for nothing once stopped.
        times.push_back(wall(SongUs(400)));
        std::sort(times.begin(), times.end());
        times.erase(std::unique(times.begin(), times.end()), times.end());
        times.erase(times.begin()); // the first call comes at once
        times.push_back(std::numeric_limits<int64_t>::max());
        EXPECT_EQ(asked, times);
    }
}

TEST_F(PlayerTest, FourMinutesAt140BpmEndAtTheTimeOfTheExportedFile) {
    TMidiData song;
    song.SetPPQN(192);
    song.AddTrack(1);
    AddTempo(song, 0, 428571); // 60,000,000 / 140, as the builder writes it
    for (int32_t bar = 0; bar <= 140; ++bar)
        song.GetTrack(1)->InsertEvent(bar * 768, 0x90, 60, 90);
    outputs.SetMidiData(&song);
    player.SetTimerResolution(1000);
    clock.SetNs(0);
    player.SetPlay(true);
    system.Clear();
    timer.RunAsAsked(clock, 100'000);
    EXPECT_FALSE(player.Play());
    std::optional<int64_t> lastDue;
    for (const auto &m : system.Messages())
        if (m.dueNs)
            lastDue = m.dueNs; // played, not switched off at the stop
    // The file's time of the last note: 560 quarters x 428,571 us (at whole milliseconds a
    // quarter it would have been 320 ms early).
    constexpr int64_t kFileUs = int64_t{560} * 428571;
    EXPECT_EQ(lastDue, kFileUs * 1000);
    EXPECT_EQ(clock.NowNs(), kFileUs * 1000);
    EXPECT_EQ(player.Time(), kFileUs / 1000);
}

TEST_F(PlayerTest, StopTickEndsPlayBeforeItsEventsAndASeekPlaysWhatLiesThereAtOnce) {
    player.SetStopTick(768);
    player.SetPlay(true);
    timer.RunAsAsked(clock, 1000);
    EXPECT_FALSE(player.Play());
    EXPECT_EQ(player.Position(), 768);
    EXPECT_EQ(clock.NowMs(), 2000);
    // The program, note 60 on and off, the controller; not the note at the stop tick.
    EXPECT_EQ(Sent(), (Sent3{{0xC0, 5, 0}, {0x90, 60, 100}, {0xB0, 7, 30}, {0x80, 60, 0}}));

    player.SetStopTick(-1);
    player.SetPosition(0);
    player.SetPlay(true);
    timer.RunAsAsked(clock, 3);
    Sent();
    player.SetPosition(768); // while playing: the note there sounds now, stamped now
    const auto messages = system.Messages();
    ASSERT_EQ(messages.size(), 3u);
    // Note 60 off, the controller chased, then the note played.
    EXPECT_EQ(messages[0].status, 0x80);
    EXPECT_EQ(messages[1].status, 0xB0);
    EXPECT_EQ(messages[2].status, 0x90);
    EXPECT_EQ(messages[2].dueNs, clock.NowNs());
}

TEST_F(PlayerTest, TimerThatCannotStartLeavesThePlayerStopped) {
    timer.SetFailStart(true);
    player.SetPlay(true);
    EXPECT_FALSE(player.Play());
    player.SetTimerPeriod(0);
    EXPECT_EQ(player.TimerPeriod(), 1);
}

} // namespace
