#pragma once
// The large song the benchmarks use: sixteen tabs, `linesPerTab` lines on every tab but the drums
// (or only on `tabs`, when given), each line valid for its tab's kind and string count, with a
// directive every 50 lines; the Drums tab can be given patterns too (the built-in beats under
// fresh names, cycled).
#include "song/BuiltInBeats.h"
#include "song/NewSong.h"
#include "song/PatternStore.h"
#include "song/SongFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

inline void FillBigSong(TSongModel &song, DrumPart &drums, int linesPerTab, int drumPatterns = 0,
                        const std::vector<int> &tabs = {}) {
    ResetSongModel(song, drums);
    for (int t = 1; t <= kTabCount; ++t) {
        const TInstrumentTab &tab = song.Tab(t);
        if (tab.Kind == TKind::Drums || (!tabs.empty() && std::find(tabs.begin(), tabs.end(), t) == tabs.end()))
            continue;
        auto &lines = song.Lines(t);
        lines.reserve(static_cast<size_t>(linesPerTab));
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
    for (int p = 0; p < drumPatterns; ++p) {
        const BuiltInBeat &beat = GetBuiltInBeat(1 + p % kBuiltInBeatCount);
        const std::string line = FormatPatternListLine("Pattern " + std::to_string(p), drums.ids.Next(),
                                                       GetBeatJazzyFlag(beat.strings.front()));
        std::vector<std::string> block{FormatPatternHeader(static_cast<int>(beat.strings.size()), line)};
        block.insert(block.end(), beat.strings.begin() + 1, beat.strings.end());
        drums.store.AppendLines(block);
        drums.list.Add(line);
    }
}

inline void WriteBigSong(const std::string &path, int linesPerTab, const std::vector<int> &tabs = {}) {
    TSongModel song;
    DrumPart drums;
    FillBigSong(song, drums, linesPerTab, 0, tabs);
    if (!WriteSongFile(path, song, drums)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}
