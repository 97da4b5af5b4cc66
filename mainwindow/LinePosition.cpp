#include "mainwindow/LinePosition.h"

#include "song/Durations.h"
#include "song/FrettedLine.h"
#include "song/SongModel.h"

#include <algorithm>

TLinePosition GetLinePosition(const std::vector<std::string> &lines, int line, int tempo,
                              const std::string &timeSignature) {
    const TTimeSignature sig = ParseTimeSignature(timeSignature).value_or(TTimeSignature{});
    int64_t ticks = 0;
    const int end = std::min<int>(line, static_cast<int>(lines.size()));
    for (int i = 0; i < end; ++i) {
        const std::string &text = lines[static_cast<size_t>(i)];
        if (ClassifyLine(text) != TLineClass::Note)
            continue;
        ticks += DurationLength(GetDurationField(text), TDurationUnit::Ticks, tempo, kDefaultPpqn);
    }
    const int64_t beatTicks = std::max<int64_t>(1, int64_t(kDefaultPpqn) * 4 / std::max(1, sig.Lower));
    const int64_t barTicks = beatTicks * std::max(1, sig.Upper);
    TLinePosition p;
    p.Bar = static_cast<int>(ticks / barTicks) + 1;
    p.Beat = static_cast<int>((ticks % barTicks) / beatTicks) + 1;
    p.Tick = static_cast<int>(ticks % beatTicks);
    // Milliseconds per quarter at the song's tempo.
    const int64_t bpm = NormaliseTempo(tempo);
    p.Ms = ticks * 60000 / (bpm * kDefaultPpqn);
    return p;
}
