// The player on the real timer thread while the window thread seeks, stops and starts it:
// no deadlock, and every note it switched on is off once it has stopped.
#include "midi/MidiPlayer.h"
#include "platform/SteadyClock.h"
#include "platform/TestDoubles.h"
#include "platform/ThreadTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(PlayerThreads, SeeksStopsAndStartsAgainstTheTimerThread) {
    platform::SteadyClock clock;
    platform::RecordingMidiOutSystem system({"Recorder"}, &clock);
    TPhysicalPortList ports(system);
    TMidiData data;
    data.SetPPQN(192);
    for (int t = 0; t < 4; ++t)
        data.AddTrack(1);
    data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, std::vector<uint8_t>{0x00, 0x61, 0xA8}); // 25 ms a quarter
    for (int t = 1; t <= 4; ++t)
        for (int tick = 0; tick < 192 * 400; tick += 24) {
            data.GetTrack(t)->InsertEvent(tick, static_cast<uint8_t>(0x90 | t), static_cast<uint8_t>(40 + tick % 40),
                                          90);
            data.GetTrack(t)->InsertEvent(tick + 20, static_cast<uint8_t>(0x80 | t),
                                          static_cast<uint8_t>(40 + tick % 40), 0);
            if (tick % 960 == 0)
                data.GetTrack(t)->InsertEvent(tick, static_cast<uint8_t>(0xB0 | t), 64, 127);
        }
    TTrackOutputs outputs(ports);
    outputs.SetSysexLatency(0);
    outputs.SetMidiData(&data);
    outputs.SetActive(true);
    platform::ThreadTimer timer;
    TMidiPlayer player(clock, timer);
    player.SetTrackOutputs(&outputs);

    const auto until = std::chrono::steady_clock::now() + 400ms;
    int round = 0;
    while (std::chrono::steady_clock::now() < until) {
        player.SetPlay(true);
        std::this_thread::sleep_for(3ms);
        switch (round++ % 4) {
        case 0:
            player.SetPosition(192 * (round % 50));
            break;
        case 1:
            player.SetBarBeatTick(round % 30, 1, 5);
            break;
        case 2:
            player.Stop();
            break;
        default:
            player.SetTempoPercent(50 + round % 100);
            break;
        }
        int64_t bar, tick;
        int beat;
        player.GetBarBeatTick(bar, beat, tick);
        EXPECT_GE(bar, 0);
    }
    EXPECT_TRUE(player.Play() || player.State() == TMidiPlayer::TState::Stopped);
    player.Stop();
    EXPECT_FALSE(timer.Running());
    for (int t = 0; t < outputs.GetCount(); ++t)
        for (int ch = 0; ch < 16; ++ch)
            for (int note = 0; note < 128; ++note)
                ASSERT_EQ(outputs.GetOutput(t)->Port().NoteCount(ch, note), 0);
    // The sustain pedal was lifted too.
    EXPECT_EQ(outputs.GetOutput(1)->Port().Physical()->ControllerValue(1, 64), 0);
}

} // namespace
