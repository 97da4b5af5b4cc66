// Writes the song the chord calculator's end-to-end script opens: an empty song shown on its
// Guitar tab.
//   tw_chords_e2e_song out.twd
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
    song.SongTitle = "Chord test";
    song.CurrentTab = 6; // Guitar
    std::string error;
    if (!WriteSongFile(argv[1], song, drums, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
