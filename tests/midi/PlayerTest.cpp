#include "midi/MidiPlayer.h"
#include "platform/TestDoubles.h"

#include <gtest/gtest.h>

#include <array>

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
        for (auto &m : system.Messages()) out.push_back({m.status, m.data1, m.data2});
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
    player.SetPlay(true);
    ASSERT_TRUE(player.Play());
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
    player.SetPlay(true);
    EXPECT_TRUE(Sent().empty()); // the program went out with the track outputs already
    timer.Run(clock, 1000);
    EXPECT_FALSE(player.Play());
    EXPECT_FALSE(timer.Running());
    EXPECT_EQ(stops, 1);
    const auto messages = system.Messages();
    ASSERT_EQ(messages.size(), 6u);
    // Each event goes out at the first tick after its time (4 ms timer).
    const std::array<int64_t, 6> due{0, 0, 250, 1250, 2000, 2500};
    for (size_t i = 0; i < messages.size(); ++i) {
        EXPECT_GT(messages[i].timeMs, due[i]) << i;
        EXPECT_LE(messages[i].timeMs, due[i] + 8) << i;
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
        if (status == 0xB0) player.Stop();
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
        if (status == 0xB0) player.Stop();
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

TEST_F(PlayerTest, TimerThatCannotStartLeavesThePlayerStopped) {
    timer.SetFailStart(true);
    player.SetPlay(true);
    EXPECT_FALSE(player.Play());
    player.SetTimerPeriod(0);
    EXPECT_EQ(player.TimerPeriod(), 1);
}

} // namespace
