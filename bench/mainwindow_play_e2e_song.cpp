// Writes the songs the end-to-end scripts open.
//   tw_play_e2e_song out.twd         three half notes on the piano at 120 bpm, C5, A4, E4 (523, 440
//                                    and 330 Hz), one second each, whose pitches share no harmonics
//   tw_play_e2e_song out.twd tempo   120 bpm: a whole note C5 on the piano, "*Tempo 60", two more
//                                    whole notes; the drums play three bars of low wood block on every
//                                    quarter, so their hits are 0.5 s apart in the first bar and
//                                    1 s apart after the piano's tempo change
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s out.twd [tempo]\n", argv[0]);
        return 2;
    }
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    song.SongTitle = "Play test";
    if (argc > 2 && std::strcmp(argv[2], "tempo") == 0) {
        const char *whole = "C5, 72, x, x, x, x, x, x, x, x, x, W";
        song.Lines(1) = {whole, "*Tempo 60", whole, whole};
        int row = 0; // the low wood block, the sharpest of the default drums
        while (row + 1 < kDrumRows && drums.drumSlots[static_cast<size_t>(row)].note != 77)
            ++row;
        for (int column = 0; column < 16; column += 4)
            drums.grid.SetCell(column, row, 9);
        for (int bar = 0; bar < 3; ++bar) {
            const std::string item = FormatPatternListLine("Quarters", drums.NextPatternId(), kFeelRegular);
            drums.list.Add(item);
            drums.AppendGridAsPattern(item);
        }
    } else {
        song.Lines(1) = {"C5, 72, x, x, x, x, x, x, x, x, x, H", "A4, 69, x, x, x, x, x, x, x, x, x, H",
                         "E4, 64, x, x, x, x, x, x, x, x, x, H"};
    }
    std::string error;
    if (!WriteSongFile(argv[1], song, drums, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
