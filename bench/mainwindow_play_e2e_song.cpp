// Writes the song the end-to-end play script opens: three half notes on the piano at 120 bpm,
// C5, A4, E4 (523, 440 and 330 Hz), one second each, whose pitches share no harmonics.
//   tw_play_e2e_song out.twd
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <cstdio>

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s out.twd\n", argv[0]);
        return 2;
    }
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    song.SongTitle = "Play test";
    song.Lines(1) = {"C5, 72, x, x, x, x, x, x, x, x, x, H", "A4, 69, x, x, x, x, x, x, x, x, x, H",
                     "E4, 64, x, x, x, x, x, x, x, x, x, H"};
    std::string error;
    if (!WriteSongFile(argv[1], song, drums, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
