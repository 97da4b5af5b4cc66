// A 16-tab song with 2,000 lines on every note tab and 200 drum patterns: how long the song takes to
// build into MIDI data, to save and to open. Prints the median of several runs in milliseconds.
#include "midi/MidiData.h"
#include "song/BuiltInBeats.h"
#include "song/NewSong.h"
#include "song/PatternStore.h"
#include "song/SongBuilder.h"
#include "song/SongFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kLinesPerTab = 2000;
constexpr int kDrumPatterns = 200;
constexpr int kRuns = 7;

std::string NoteLine(const TInstrumentTab &tab, int i) {
    static const char *durations[] = {"E", "Q", "S", ".E", "/Q", "Q-E"};
    const std::string duration = durations[i % 6];
    if (tab.Kind == TKind::Piano)
        return "C, " + std::to_string(48 + i % 12) + ", 52, 55|E|90|R2, x, x, x, x, x, x, x, " + duration;
    std::string line = "Chord " + std::to_string(i % 7);
    for (int s = 0; s <= tab.HighestString; ++s)
        line += ", " + (s == 0 && i % 3 == 0 ? std::string("x") : std::to_string((i + s) % 5));
    return line + ", " + duration;
}

void FillSong(TSongModel &song, DrumPart &drums) {
    ResetSongModel(song, drums);
    for (int n = 1; n <= kTabCount; ++n) {
        const TInstrumentTab &tab = song.Tab(n);
        if (tab.Kind == TKind::Drums)
            continue;
        std::vector<std::string> &lines = song.Lines(n);
        lines.reserve(kLinesPerTab);
        for (int i = 0; i < kLinesPerTab; ++i) {
            if (i % 100 == 0)
                lines.push_back("*Volume " + std::to_string(60 + i % 60));
            else if (i % 250 == 1)
                lines.push_back("");
            else
                lines.push_back(NoteLine(tab, i));
        }
    }
    // The built-in beats' cells under fresh names, all in the song's 4/4.
    for (int p = 0; p < kDrumPatterns; ++p) {
        const BuiltInBeat &beat = GetBuiltInBeat(1 + p % kBuiltInBeatCount);
        const std::string line = FormatPatternListLine("Pattern " + std::to_string(p), drums.ids.Next(),
                                                       GetBeatJazzyFlag(beat.strings.front()));
        std::vector<std::string> block{FormatPatternHeader(static_cast<int>(beat.strings.size()), line)};
        block.insert(block.end(), beat.strings.begin() + 1, beat.strings.end());
        drums.store.AppendLines(block);
        drums.list.Add(line);
    }
}

double MedianMs(const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    TSongModel song;
    DrumPart drums;
    FillSong(song, drums);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("song_core_bench_" + std::to_string(::getpid()) + ".twd")).string();

    TMidiData midi;
    TPlaySettings settings{true, true, 1};
    TBuildResult result;
    const double build = MedianMs([&] { result = BuildSongMidi(song, drums, settings, midi); });
    if (!result.Ok()) {
        std::fprintf(stderr, "build failed: %s\n", result.Message.c_str());
        return 1;
    }
    long events = 0;
    for (int t = 0; t < midi.GetTrackCount(); ++t)
        events += midi.GetTrack(t)->EventCount();

    bool saved = true;
    const double save = MedianMs([&] { saved = WriteSongFile(path, song, drums) && saved; });
    const auto fileBytes = std::filesystem::file_size(path);
    const size_t imageBytes = EncodeSongImage(song, drums).size();

    TSongModel opened;
    DrumPart openedDrums;
    bool loaded = true;
    const double load =
        MedianMs([&] { loaded = ReadSongFile(path, opened, openedDrums) == TSongReadResult::Ok && loaded; });
    std::filesystem::remove(path);
    if (!saved || !loaded || opened.Lines(6) != song.Lines(6) || openedDrums.list.Items() != drums.list.Items()) {
        std::fprintf(stderr, "save or load failed\n");
        return 1;
    }

    std::printf("song: 15 note tabs x %d lines, %d drum patterns, metronome and count-in\n", kLinesPerTab,
                kDrumPatterns);
    std::printf("build to MIDI: %8.2f ms  (%d tracks, %ld events)\n", build, midi.GetTrackCount(), events);
    std::printf("save:          %8.2f ms  (image %zu bytes, file %llu bytes)\n", save, imageBytes,
                static_cast<unsigned long long>(fileBytes));
    std::printf("load:          %8.2f ms\n", load);
    return 0;
}
