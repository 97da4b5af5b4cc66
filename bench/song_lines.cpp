// Writes a song file with given lines on one tab, or prints one tab's lines of a song file as
// the program's song reader reads them, one per output line. End-to-end scripts use it on both
// sides of the real program.
//   tw_song_lines write out.twd <tab> <line>... [--tab <tab> <line>...]...
//   tw_song_lines read in.twd <tab>
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

int main(int argc, char **argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc < 4 || (mode != "write" && mode != "read")) {
        std::fprintf(stderr, "usage: %s write out.twd <tab> <line>... [--tab <tab> <line>...]... | read in.twd <tab>\n",
                     argv[0]);
        return 2;
    }
    const int tab = std::atoi(argv[3]);
    if (tab < 1 || tab > kTabCount) {
        std::fprintf(stderr, "tab %s is not 1..%d\n", argv[3], kTabCount);
        return 2;
    }
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    std::string error;
    if (mode == "write") {
        int into = tab;
        for (int i = 4; i < argc; ++i) {
            if (std::string(argv[i]) == "--tab" && i + 1 < argc && std::atoi(argv[i + 1]) >= 1 &&
                std::atoi(argv[i + 1]) <= kTabCount)
                into = std::atoi(argv[++i]);
            else
                song.Lines(into).push_back(argv[i]);
        }
        song.CurrentTab = tab;
        if (!WriteSongFile(argv[2], song, drums, &error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", argv[2], error.c_str());
            return 1;
        }
        return 0;
    }
    if (ReadSongFile(argv[2], song, drums, kMaxSongImageBytes, &error) != TSongReadResult::Ok) {
        std::fprintf(stderr, "cannot read %s %s\n", argv[2], error.c_str());
        return 1;
    }
    for (const std::string &line : std::as_const(song).Lines(tab))
        std::printf("%s\n", line.c_str());
    return 0;
}
