// Writes a Tarrowind song file for screenshots and start-up timing.
//   tw_demo_song out.twd            a short song on several tabs
//   tw_demo_song out.twd 2000       every tab but the drums holds 2,000 lines
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// clang-format off
const char *const kGuitar[] = {
    "*TEMPO 96", "", "C, x, 3, 2, 0, 1, 0, Q", "Am, x, 0, 2, 2, 1, 0, Q", "F, 1, 3, 3, 2, 1, 1, Q",
    "G, 3, 2, 0, 0, 0, 3, Q", "C, x, 3, 2, 0, 1, 0, E", "C/E, 0, 3, 2, 0, 1, 0, E", "Dm7, x, x, 0, 2, 1, 1, H",
    "G7, 3, 2, 0, 0, 0, 1, H", "E, x, x, x, x, x, 0, Q", "Em, 0, 2, 2, 0, 0, 0, .H", "Rest , x, x, x, x, x, x, Q",
};
// clang-format on
// clang-format off
const char *const kPiano[] = {
    "*VOLUME 90", "C, 48, 52, 55, x, x, x, x, x, x, x, Q", "Am, 45, 48, 52, x, x, x, x, x, x, x, Q",
    "F, 41, 45, 48, x, x, x, x, x, x, x, Q", "G, 43, 47, 50, x, x, x, x, x, x, x, Q",
    "C5, 60, x, x, x, x, x, x, x, x, x, E", "E5, 64, x, x, x, x, x, x, x, x, x, E",
};
// clang-format on
const char *const kBass[] = {"C, 3, x, x, x, Q", "A, 0, x, x, x, Q", "F, 1, x, x, x, Q", "G, 3, x, x, x, Q"};
} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s out.twd [lines-per-tab]\n", argv[0]);
        return 2;
    }
    const int perTab = argc > 2 ? std::atoi(argv[2]) : 0;
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    song.SongTitle = "Demo";
    for (int t = 1; t <= kTabCount; ++t) {
        const TInstrumentTab &tab = song.Tab(t);
        if (tab.Kind == TKind::Drums)
            continue;
        auto &lines = song.Lines(t);
        auto fill = [&](const char *const *src, size_t n) {
            const size_t want = perTab > 0 ? static_cast<size_t>(perTab) : n;
            for (size_t i = 0; i < want; ++i)
                lines.emplace_back(src[i % n]);
        };
        if (tab.Kind == TKind::Piano && (perTab > 0 || t == 1))
            fill(kPiano, std::size(kPiano));
        else if (tab.Kind == TKind::Guitar && (perTab > 0 || t == 6))
            fill(kGuitar, std::size(kGuitar));
        else if (tab.Kind == TKind::Bass)
            fill(kBass, std::size(kBass));
        else if (perTab > 0 && tab.HighestString == 3)
            fill(kBass, std::size(kBass));
        else if (perTab > 0)
            fill(kBass, std::size(kBass));
    }
    song.CurrentTab = 6;
    std::string error;
    if (!WriteSongFile(argv[1], song, drums, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
