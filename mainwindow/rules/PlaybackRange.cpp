#include "mainwindow/rules/PlaybackRange.h"

#include "midi/MidiData.h"
#include "midi/MidiPosition.h"
#include "song/LinePositions.h"

#include <algorithm>

namespace {

int64_t LineTick(const std::vector<std::string> &lines, int index) {
    index = std::clamp(index, 0, static_cast<int>(lines.size()));
    int64_t tick = 0;
    for (int i = 0; i < index; ++i)
        tick += LineTicks(lines[static_cast<size_t>(i)]);
    return tick;
}

int64_t SongEndTick(TMidiData &built) {
    TMidiPosition position;
    position.SetMidiData(&built);
    return position.GetEndTick();
}

} // namespace

bool IsPlayableTimeSignature(int upper, int lower) {
    return upper >= 1 && upper <= 64 && lower >= 1 && lower <= 64 && (lower & (lower - 1)) == 0;
}

std::string AnimatedInstrumentCaption(bool drumsTab, const std::string &kindName) {
    return drumsTab ? std::string("Play Animated Instrument") : "Play Animated " + kindName;
}

int64_t BarStartTick(TMidiData &built, int64_t bar) {
    TMidiPosition position;
    position.SetMidiData(&built);
    position.SetBarBeatTick(static_cast<int32_t>(std::clamp<int64_t>(bar, 0, INT32_MAX)), 0, 0);
    return position.Tick();
}

TPlayRange ComputePlayRange(const TPlaySource &source, const std::vector<std::string> &lines, TMidiData &built,
                            int64_t countInTicks) {
    TPlayRange range;
    range.End = SongEndTick(built);
    countInTicks = std::max<int64_t>(countInTicks, 0);
    if (source.DrumsTab) {
        const int selected = static_cast<int>(source.SelectedPatterns.size());
        if (source.PatternCount > 0 && selected > 1) {
            const int64_t start = BarStartTick(built, source.SelectedPatterns.front());
            const int64_t end = BarStartTick(built, int64_t(source.SelectedPatterns.back()) + 1);
            if (end > start) {
                range.Start = start;
                range.End = end;
            }
        }
        return range;
    }
    if (source.FromCursor) {
        const int64_t line = LineTick(lines, source.CaretLine);
        if (line > 0) {
            range.Start = line + countInTicks;
            range.CountInEnd = countInTicks;
        }
        return range;
    }
    if (source.FromLine >= 0) {
        range.Start = LineTick(lines, source.FromLine) + countInTicks;
        range.End = LineTick(lines, static_cast<int>(lines.size())) + countInTicks;
        return range;
    }
    if (source.HasSelection && source.SelLast > source.SelFirst) {
        range.Start = LineTick(lines, source.SelFirst) + countInTicks;
        range.End = LineTick(lines, source.SelLast + 1) + countInTicks;
    }
    return range;
}
