// How late the player sends events on the real timer thread, against the floor of this
// machine: a minimal thread that sleeps until each event's time and sends it. Both play the
// same schedule (8 tracks of notes at irregular ticks, so events fall at every phase of the
// tick grid and of any timer period, often several at once) into a device that stamps each
// arrival with the steady clock. Lateness = arrival - the event's ideal time (the start plus
// its song time), at 60, 120 and 240 bpm. This is the figure of the live timing: the WAV render
// of midi_onsets_bench puts each message at its due time whenever it was sent.
#include "bench/StampingOut.h"
#include "midi/MidiPlayer.h"
#include "platform/SteadyClock.h"
#include "platform/ThreadTimer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPPQN = 192;
constexpr int kTracks = 8;
constexpr int kNotesPerTrack = 150; // 2,400 events a run

int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

struct Event {
    int64_t tick;
    uint8_t status, data1, data2;
};

// Each track: a note every 1..30 ticks, held 1..40 ticks (a fixed pseudo-random sequence).
std::vector<std::vector<Event>> Schedule() {
    uint32_t seed = 12345;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<uint32_t>(n));
    };
    std::vector<std::vector<Event>> tracks(kTracks);
    for (int t = 0; t < kTracks; ++t) {
        const auto channel = static_cast<uint8_t>(t);
        int64_t tick = next(48);
        for (int k = 0; k < kNotesPerTrack; ++k) {
            const auto note = static_cast<uint8_t>(36 + k % 60);
            tracks[size_t(t)].push_back({tick, uint8_t(0x90 | channel), note, 100});
            tracks[size_t(t)].push_back({tick + 1 + next(40), uint8_t(0x80 | channel), note, 0});
            tick += 1 + next(30);
        }
    }
    return tracks;
}

int64_t UsPerQuarter(TMidiData &data) {
    TMidiPosition p;
    p.SetMidiData(&data);
    p.SetTick(1);
    return p.TempoUs();
}

struct Stats {
    double min, p50, p99, max;
};

Stats Summarise(std::vector<double> late) {
    std::sort(late.begin(), late.end());
    auto at = [&](double q) { return late[std::min(late.size() - 1, static_cast<size_t>(q * double(late.size())))]; };
    return {late.front(), at(0.5), at(0.99), late.back()};
}

// Lateness in ms of every logged arrival, matched per channel in sending order against the
// track's events (each track's events go out in the order they are stored).
std::vector<double> Lateness(const StampingOut &out, TMidiData &data, int64_t startNs) {
    std::vector<std::vector<int64_t>> ideal(kTracks);
    for (int t = 0; t < kTracks; ++t) {
        const TMidiTrackStream *track = data.GetTrack(t + 1);
        for (int i = 0; i < track->EventCount(); ++i) {
            const TMidiEvent *e = track->GetEvent(i);
            if (e->IsChannelMessage())
                ideal[size_t(t)].push_back(e->Time);
        }
    }
    std::vector<size_t> seen(kTracks, 0);
    std::vector<double> late;
    const int64_t usPerQuarter = UsPerQuarter(data);
    for (const auto &a : out.arrivals) {
        if (a.dueNs < 0)
            continue; // programs and notes off at the stop: not played events
        const size_t t = a.status & 0x0F;
        if (t >= ideal.size() || seen[t] >= ideal[t].size())
            continue;
        const int64_t tick = ideal[t][seen[t]++];
        const int64_t idealNs = startNs + tick * usPerQuarter * 1000 / kPPQN;
        late.push_back(double(a.arrivedNs - idealNs) / 1e6);
    }
    return late;
}

void FillSong(TMidiData &data, const std::vector<std::vector<Event>> &tracks, uint32_t usPerQuarter) {
    data.SetPPQN(kPPQN);
    for (int t = 0; t < kTracks; ++t)
        data.AddTrack(1);
    data.GetTrack(0)->InsertMetaEvent(
        0, midi::kMetaTempo,
        std::vector<uint8_t>{uint8_t(usPerQuarter >> 16), uint8_t(usPerQuarter >> 8), uint8_t(usPerQuarter)});
    for (int t = 0; t < kTracks; ++t)
        for (const Event &e : tracks[size_t(t)])
            data.GetTrack(t + 1)->InsertEvent(int32_t(e.tick), e.status, e.data1, e.data2);
}

// Plays `data` with the player and, at the same time (so both meet the same load on the
// machine), with the floor dispatcher; returns their lateness.
std::pair<std::vector<double>, std::vector<double>> Run(TMidiData &data) {
    const int64_t usPerQuarter = UsPerQuarter(data);
    // The floor's schedule: every channel message of every track, by time (a track's own
    // events keep their order).
    struct Timed {
        int64_t tick;
        const TMidiEvent *event;
    };
    std::vector<Timed> all;
    for (int t = 1; t <= kTracks; ++t)
        for (int i = 0; i < data.GetTrack(t)->EventCount(); ++i)
            if (const TMidiEvent *e = data.GetTrack(t)->GetEvent(i); e->IsChannelMessage())
                all.push_back({e->Time, e});
    std::stable_sort(all.begin(), all.end(), [](const Timed &a, const Timed &b) { return a.tick < b.tick; });
    StampingOut floorOut;
    floorOut.arrivals.reserve(all.size() + 16);
    floorOut.log = true;

    StampingOut playerOut;
    platform::SteadyClock clock;
    platform::ThreadTimer timer;
    TPhysicalPortList ports(playerOut);
    TTrackOutputs outputs(ports);
    outputs.SetSysexLatency(0);
    outputs.SetMidiData(&data);
    outputs.SetActive(true);
    TMidiPlayer player(clock, timer);
    player.SetTrackOutputs(&outputs);
    playerOut.arrivals.reserve(all.size() + 1000);
    playerOut.log = true;

    const int64_t floorStart = NowNs();
    std::thread floor([&] {
        platform::IMidiOutDevice &device = floorOut.Direct();
        for (const Timed &e : all) {
            const int64_t due = floorStart + e.tick * usPerQuarter * 1000 / kPPQN;
            std::this_thread::sleep_until(Clock::time_point(std::chrono::nanoseconds(due)));
            device.SendShortAt(e.event->Status, e.event->Data1, e.event->Data2, due);
        }
    });
    const int64_t playerStart = NowNs();
    player.SetPlay(true);
    while (player.Play())
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    floor.join();
    playerOut.log = floorOut.log = false;
    return {Lateness(playerOut, data, playerStart), Lateness(floorOut, data, floorStart)};
}

} // namespace

int main() {
    const auto tracks = Schedule();
    std::printf(
        "player (ThreadTimer, event-timed, period cap 4 ms) against the floor (a thread sleeping\n"
        "until each event), side by side; %d tracks, %d events a run; lateness = arrival - ideal\n"
        "time, in ms: the live timing, what a device hears (midi_onsets_bench's WAV render does not show it)\n\n",
        kTracks, kTracks * kNotesPerTrack * 2);
    std::printf("%5s  %-7s %7s %7s %7s %7s %7s  %6s\n", "bpm", "", "events", "min", "median", "p99", "max", "secs");
    bool ok = true;
    for (const int bpm : {60, 120, 240}) {
        TMidiData data;
        FillSong(data, tracks, uint32_t(60'000'000 / bpm));
        const auto t0 = Clock::now();
        const auto [playerLate, floorLate] = Run(data);
        const double secs = std::chrono::duration<double>(Clock::now() - t0).count();
        if (playerLate.empty() || floorLate.empty()) {
            std::puts("no events arrived");
            return 1;
        }
        const Stats player = Summarise(playerLate), floor = Summarise(floorLate);
        std::printf("%5d  %-7s %7zu %7.3f %7.3f %7.3f %7.3f  %6.1f\n", bpm, "player", playerLate.size(), player.min,
                    player.p50, player.p99, player.max, secs);
        std::printf("%5s  %-7s %7zu %7.3f %7.3f %7.3f %7.3f\n", "", "floor", floorLate.size(), floor.min, floor.p50,
                    floor.p99, floor.max);
        const bool met = player.p99 < 1.5 && player.max < 5.0 && player.p50 <= 3 * std::max(floor.p50, 0.0);
        ok = ok && met;
    }
    std::printf("\ntargets (player p99 < 1.5 ms, max < 5 ms, median within 3x the floor's): %s\n",
                ok ? "met" : "NOT met");
    return 0;
}
