// Inserting 100,000 note events into one track, in time order and in random order,
// then reading them (which merges what was inserted) and pairing the notes; every note must
// come out paired with its own note-off.
#include "midi/MidiData.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kEvents = 100000;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

struct Result {
    double insert = 0, read = 0, pair = 0, save = 0;
    bool paired = false;
};

// Every note-on is linked both ways to the note-off of its own note, 5 ticks later.
bool AllNotesPaired(TMidiTrackStream &track) {
    int notes = 0;
    for (int i = 0; i < track.EventCount(); ++i) {
        const TMidiEvent &e = *track.GetEvent(i);
        if (!e.IsNoteOn())
            continue;
        ++notes;
        const int p = track.PartnerOf(i);
        if (p < 0 || track.PartnerOf(p) != i)
            return false;
        const TMidiEvent &off = *track.GetEvent(p);
        if (!off.IsNoteOff() || off.Data1 != e.Data1 || off.Time != e.Time + 5)
            return false;
    }
    return notes == kEvents / 2;
}

// Note-ons and note-offs of 50,000 notes, in the order `order` gives.
Result Run(const std::vector<int> &order) {
    Result r;
    TMidiTrackStream track(kEvents + 2); // the notes plus the name and End of Track
    track.Init();
    const auto t0 = Clock::now();
    for (int i : order) {
        const int note = i / 2;
        if (i % 2 == 0)
            track.InsertEvent(note * 10, 0x90, static_cast<uint8_t>(36 + note % 60), 100);
        else
            track.InsertEvent(note * 10 + 5, 0x80, static_cast<uint8_t>(36 + note % 60), 0);
    }
    const auto t1 = Clock::now();
    long sum = 0;
    for (int i = 0; i < track.EventCount(); ++i)
        sum += track.GetEvent(i)->Time;
    const auto t2 = Clock::now();
    const int partner = track.PartnerOf(1);
    const auto t3 = Clock::now();
    std::vector<uint8_t> bytes;
    track.SaveToStream(bytes);
    const auto t4 = Clock::now();
    if (sum == 0 || partner != 2 || bytes.empty())
        std::puts("(unexpected result)");
    r.paired = AllNotesPaired(track);
    r.insert = Ms(t0, t1);
    r.read = Ms(t1, t2);
    r.pair = Ms(t2, t3);
    r.save = Ms(t3, t4);
    return r;
}

bool Report(const char *name, const std::vector<int> &order) {
    std::vector<Result> runs;
    for (int i = 0; i < 7; ++i)
        runs.push_back(Run(order));
    const bool paired = std::all_of(runs.begin(), runs.end(), [](const Result &r) { return r.paired; });
    std::sort(runs.begin(), runs.end(), [](auto &a, auto &b) { return a.insert + a.read < b.insert + b.read; });
    const Result &m = runs[runs.size() / 2];
    std::printf("%-12s insert %7.2f ms  first read (merge) %6.2f ms  insert+read %7.2f ms  pair %5.2f ms  "
                "write MTrk %5.2f ms   (median of %zu)\n",
                name, m.insert, m.read, m.insert + m.read, m.pair, m.save, runs.size());
    if (!paired)
        std::printf("%-12s NOTES NOT PAIRED\n", name);
    return paired;
}

} // namespace

int main() {
    std::vector<int> timeOrder(kEvents);
    std::iota(timeOrder.begin(), timeOrder.end(), 0);
    std::vector<int> random = timeOrder;
    std::shuffle(random.begin(), random.end(), std::mt19937(12345));
    std::printf("%d note events into one track\n", kEvents);
    const bool inOrder = Report("time order", timeOrder);
    const bool shuffled = Report("random order", random);
    return inOrder && shuffled ? 0 : 1;
}
