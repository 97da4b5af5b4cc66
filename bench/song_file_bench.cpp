// Saving and opening a song file, the path the Save and Open commands take without the window: the
// program's writer puts the song into a real file (compressed, written beside the target, synced and
// renamed over it) and the reader opens it again. 1,000, 10,000 and 100,000 lines on each note tab,
// with drum patterns on the Drums tab; min / median / max over several runs, and the time per line,
// which stays flat when saving and opening grow linearly. Every size must reopen as it was saved.
#include "bench/BigSong.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Times {
    double min = 0, median = 0, max = 0;
};

Times Measure(int runs, const std::function<void()> &work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2], ms.back()};
}

size_t LineCount(const TSongModel &song, const DrumPart &drums) {
    size_t n = drums.store.Lines().size() + drums.list.Items().size();
    for (const auto &lines : song.TabLists)
        n += lines.size();
    return n;
}

// The reopened song holds what was saved: every line, the drum part, the song fields and every
// tab's settings (the reader puts the editor state of a freshly opened song into the records).
bool SameSong(const TSongModel &a, const DrumPart &ad, const TSongModel &b, const DrumPart &bd) {
    if (a.TabLists != b.TabLists || ad.store.Lines() != bd.store.Lines() || ad.list.Items() != bd.list.Items() ||
        a.Tempo != b.Tempo || a.TimeSignature != b.TimeSignature || a.SongTranspose != b.SongTranspose ||
        a.CurrentTab != b.CurrentTab || a.SongTitle != b.SongTitle)
        return false;
    for (size_t i = 0; i < kDrumRows; ++i)
        if (ad.drumSlots[i].caption != bd.drumSlots[i].caption || ad.drumSlots[i].note != bd.drumSlots[i].note)
            return false;
    for (int n = 1; n <= kTabCount; ++n) {
        const TInstrumentTab &x = a.Tab(n), &y = b.Tab(n);
        if (x.Name != y.Name || x.Patch != y.Patch || x.Channel != y.Channel || x.Volume != y.Volume ||
            x.Balance != y.Balance || x.Delay != y.Delay || x.Transpose != y.Transpose ||
            x.TuningSpelling != y.TuningSpelling || x.Mute != y.Mute)
            return false;
    }
    return true;
}

} // namespace

int main() {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("song_file_bench_" + std::to_string(::getpid()) + ".twd")).string();
    struct Size {
        int linesPerTab;
        int runs;
    };
    bool ok = true;
    std::printf("%9s %9s %10s %12s | %-30s %8s | %-30s %8s\n", "lines/tab", "lines", "file KiB", "image MiB",
                "save ms (min / median / max)", "ns/line", "open ms (min / median / max)", "ns/line");
    for (const Size size : {Size{1000, 15}, Size{10000, 9}, Size{100000, 5}}) {
        TSongModel song;
        DrumPart drums;
        FillBigSong(song, drums, size.linesPerTab, size.linesPerTab / 10);
        const size_t lines = LineCount(song, drums);

        bool saved = true;
        const Times save = Measure(size.runs, [&] { saved = WriteSongFile(path, song, drums) && saved; });
        TSongModel opened;
        DrumPart openedDrums;
        bool read = true;
        const Times open =
            Measure(size.runs, [&] { read = ReadSongFile(path, opened, openedDrums) == TSongReadResult::Ok && read; });
        const bool same = saved && read && SameSong(song, drums, opened, openedDrums);
        ok = ok && same;
        const double fileKiB = static_cast<double>(std::filesystem::file_size(path)) / 1024.0;
        const double imageMiB = static_cast<double>(SongImageSize(song, drums)) / (1024.0 * 1024.0);
        std::printf("%9d %9zu %10.1f %12.1f | %8.2f / %8.2f / %8.2f %8.1f | %8.2f / %8.2f / %8.2f %8.1f%s\n",
                    size.linesPerTab, lines, fileKiB, imageMiB, save.min, save.median, save.max,
                    save.median * 1e6 / static_cast<double>(lines), open.min, open.median, open.max,
                    open.median * 1e6 / static_cast<double>(lines), same ? "" : "   REOPENED DIFFERENT OR FAILED");
    }
    std::filesystem::remove(path);
    return ok ? 0 : 1;
}
