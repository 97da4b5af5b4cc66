// How late the player sends events on the real timer thread: a dense song (16 tracks, a
// note every 1/64 at 240 bpm, 10 s) into a recording device stamped by the steady clock.
#include "midi/MidiPlayer.h"
#include "platform/SteadyClock.h"
#include "platform/TestDoubles.h"
#include "platform/ThreadTimer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int kTracks = 16;
constexpr int kPPQN = 192;
constexpr int kStep = kPPQN / 16;   // a sixty-fourth note
constexpr double kMsPerTick = 250.0 / kPPQN; // 240 beats per minute
constexpr int kEndTick = 40 * kPPQN; // 40 quarters: 10 s

} // namespace

int main() {
    platform::SteadyClock clock;
    platform::RecordingMidiOutSystem system({"Recorder"}, &clock);
    TPhysicalPortList ports(system);

    TMidiData data;
    data.SetPPQN(kPPQN);
    for (int t = 0; t < kTracks; ++t) data.AddTrack(1);
    data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, std::vector<uint8_t>{0x03, 0xD0, 0x90}); // 250,000 us
    for (int t = 1; t <= kTracks; ++t) {
        TMidiTrackStream *track = data.GetTrack(t);
        const auto channel = static_cast<uint8_t>(t - 1);
        for (int tick = 0, k = 0; tick < kEndTick; tick += kStep, ++k) {
            const auto note = static_cast<uint8_t>(40 + k % 48);
            track->InsertEvent(tick, 0x90 | channel, note, 100);
            track->InsertEvent(tick + kStep / 2, 0x80 | channel, note, 0);
        }
    }

    TTrackOutputs outputs(ports);
    outputs.SetSysexLatency(0);
    outputs.SetMidiData(&data);
    outputs.SetActive(true);
    platform::ThreadTimer timer;
    TMidiPlayer player(clock, timer);
    player.SetTrackOutputs(&outputs);
    system.Clear();

    const int64_t start = clock.NowMs();
    player.SetPlay(true);
    while (player.Play()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const int64_t finished = clock.NowMs();

    // The k-th note-on of a channel is due at k steps, its note-off half a step later.
    std::vector<int> ons(16, 0), offs(16, 0);
    std::vector<double> late;
    for (const auto &m : system.Messages()) {
        const int channel = m.status & 0x0F;
        int tick;
        if ((m.status & 0xF0) == 0x90)
            tick = ons[channel]++ * kStep;
        else if ((m.status & 0xF0) == 0x80)
            tick = offs[channel]++ * kStep + kStep / 2;
        else
            continue;
        late.push_back(static_cast<double>(m.timeMs - start) - tick * kMsPerTick);
    }
    if (late.empty()) {
        std::puts("no events were sent");
        return 1;
    }
    std::sort(late.begin(), late.end());
    auto at = [&](double q) { return late[std::min(late.size() - 1, static_cast<size_t>(q * late.size()))]; };
    std::printf("player timing: %zu events on %d tracks over %.1f s (timer every %d ms)\n", late.size(), kTracks,
                (finished - start) / 1000.0, player.TimerResolution());
    std::printf("lateness against the ideal time: median %.2f ms, p99 %.2f ms, max %.2f ms (min %.2f ms)\n", at(0.5),
                at(0.99), late.back(), late.front());
    // An event goes out once the position has passed its tick, so one tick (1.30 ms here)
    // of lateness is the rule itself; what the timer thread adds on top of it:
    std::printf("beyond the one-tick rule:          median %.2f ms, p99 %.2f ms, max %.2f ms\n", at(0.5) - kMsPerTick,
                at(0.99) - kMsPerTick, late.back() - kMsPerTick);
    return 0;
}
