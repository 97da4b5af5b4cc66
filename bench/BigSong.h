#pragma once
// The large song the window benchmarks open: sixteen tabs, `linesPerTab` lines on every tab but
// the drums (or only on `tabs`, when given), each line valid for its tab's kind and string
// count, with a directive every 50 lines.
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <string>
#include <vector>

inline void WriteBigSong(const std::string &path, int linesPerTab, const std::vector<int> &tabs = {}) {
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    for (int t = 1; t <= kTabCount; ++t) {
        const TInstrumentTab &tab = song.Tab(t);
        if (tab.Kind == TKind::Drums || (!tabs.empty() && std::find(tabs.begin(), tabs.end(), t) == tabs.end()))
            continue;
        auto &lines = song.Lines(t);
        for (int i = 0; i < linesPerTab; ++i) {
            if (tab.Kind == TKind::Piano)
                lines.push_back(i % 50 == 0 ? "*VOLUME 90" : "C, 48, 52, 55, x, x, x, x, x, x, x, Q");
            else if (tab.HighestString == 5)
                lines.push_back(i % 50 == 0 ? "*TEMPO 100" : "C, x, 3, 2, 0, 1, 0, E");
            else if (tab.HighestString == 4)
                lines.push_back("G, 0, 0, 0, 0, 0, S");
            else
                lines.push_back("C, 3, x, x, x, H");
        }
    }
    if (!WriteSongFile(path, song, drums)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}
