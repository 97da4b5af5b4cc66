#include "mainwindow/rules/StatusText.h"

#include "song/LinePositions.h"
#include "song/NoteLine.h"

#include <algorithm>
#include <cstdio>

namespace status {

namespace {
template <typename... Args> std::string Format(const char *fmt, Args... args) {
    char buf[96];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}
} // namespace

std::string LinePanel(int caretLine, int lineCount) { return Format("Line:  %d of %d", caretLine + 1, lineCount + 1); }

std::string BytesPanel(int textLength) { return Format("Bytes: %d", textLength); }

std::string TimePanel(int64_t ms) {
    if (ms < 0)
        ms = 0;
    const long long h = ms / 3600000, m = (ms / 60000) % 60, s = (ms / 1000) % 60, cs = (ms % 1000) / 10;
    return Format("Time: %02lld:%02lld:%02lld.%02lld", h, m, s, cs);
}

std::string BarPanel(int bar) { return Format("Bar: %d", bar); }
std::string BeatPanel(int beat) { return Format("Beat: %d", beat); }
std::string TickPanel(int tick) { return Format("Tick: %d", tick); }

std::string_view PlayLinesPanel(bool hasSelection, bool spansLines) {
    return hasSelection && spansLines ? "Play Selected Lines" : "Play All Lines";
}

std::string_view InsertModePanel(bool overwrite) { return overwrite ? "Overwrite" : "Insert"; }

std::string WithFlatTwin(std::string_view name) {
    if (name == "C#")
        return "Db/C#";
    if (name == "D#")
        return "Eb/D#";
    if (name == "F#")
        return "Gb/F#";
    if (name == "G#")
        return "Ab/G#";
    if (name == "A#")
        return "Bb/A#";
    return std::string(name);
}

std::string CaretNoteName(const TNoteLine &line, const TLineContext &ctx) {
    if (!line.Sounds())
        return {};
    int count = 0, note = kNoPitch;
    if (line.Piano) {
        for (const int32_t key : line.Keys.Keys)
            if (key != -1) {
                ++count;
                note = key;
            }
    } else {
        for (int slot = 5 - std::clamp(ctx.HighestString, 0, 5); slot <= 5; ++slot)
            if (line.Chord.Frets[static_cast<size_t>(slot)] != -1) {
                ++count;
                note = SoundingPitch(line.Chord, slot, ctx);
            }
    }
    if (count != 1 || note == kNoPitch)
        return {};
    return WithFlatTwin(NoteNumberToName(note));
}

} // namespace status
