#include "song/SongModel.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

TSongModel::TSongModel() : Tabs(DefaultInstrumentTabs()) {
    for (uint64_t &r : linesRevisions_)
        r = NextLinesRevision();
}

uint64_t TSongModel::NextLinesRevision() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

TLineContext TSongModel::LineContext(int number, int ppqn) const { return MakeLineContext(Tab(number), Tempo, ppqn); }

std::optional<TTimeSignature> ParseTimeSignature(std::string_view text) {
    if (text.size() != 4)
        return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9')
            return std::nullopt;
    TTimeSignature ts;
    ts.Upper = (text[0] - '0') * 10 + (text[1] - '0');
    ts.Lower = (text[2] - '0') * 10 + (text[3] - '0');
    if (ts.Upper < 1 || ts.Lower < 1)
        return std::nullopt;
    return ts;
}

std::string FormatTimeSignature(int upper, int lower) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2d%.2d", std::clamp(upper, 0, 99), std::clamp(lower, 0, 99));
    return buf;
}

int SanitiseSongFields(TSongModel &song) {
    int changed = 0;
    const int32_t tempo = song.Tempo <= 0 ? 120 : std::min<int32_t>(song.Tempo, 500);
    changed += tempo != song.Tempo;
    song.Tempo = tempo;
    if (!ParseTimeSignature(song.TimeSignature)) {
        song.TimeSignature = "0404";
        ++changed;
    }
    const int32_t transpose = std::clamp<int32_t>(song.SongTranspose, -24, 24);
    changed += transpose != song.SongTranspose;
    song.SongTranspose = transpose;
    if (song.CurrentTab < 1 || song.CurrentTab > kTabCount) {
        song.CurrentTab = 1;
        ++changed;
    }
    return changed;
}

int TTabAllocator::AllocateInstrumentTab() {
    if (count_ >= kTabCount)
        return -1;
    return ++count_;
}
