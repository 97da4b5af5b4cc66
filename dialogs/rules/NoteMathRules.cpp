#include "dialogs/rules/NoteMathRules.h"

#include "song/Durations.h"

TNoteMath ComputeNoteMath(const std::vector<std::string> &selected, int ppqn) {
    TNoteMath m;
    const int p = ppqn;
    m.lineCount = static_cast<int>(selected.size());
    for (const std::string &line : selected)
        m.ticks += DurationLength(GetDurationField(line), TDurationUnit::Ticks, kDefaultTempo, p);
    m.regular = {4 * p, 2 * p, p, p / 2, p / 4, p / 8, p / 16};
    m.dotted = {4 * p + 2 * p, 2 * p + p, p + p / 2, p / 2 + p / 4, p / 4 + p / 8, p / 8 + p / 16, p / 16 + p / 32};
    m.triplet = {4 * p / 3, 2 * p / 3, p / 3, (p / 2) / 3, p / 12, p / 24, p / 48};
    for (int i = 0; i < kNoteValues; ++i) {
        const int value = m.regular[static_cast<size_t>(i)];
        TNoteMathTotal &total = m.totals[static_cast<size_t>(i)];
        // A value too short for the resolution fills nothing.
        const int count = value > 0 ? m.ticks / value : 0;
        total.text = std::to_string(count);
        const bool remainder = value > 0 && m.ticks % value != 0;
        if (remainder && count > 0)
            total.text += " (+)";
        total.bold = count > 0 && !remainder;
    }
    m.caption = "Number of lines selected: " + std::to_string(m.lineCount);
    m.tickCountText = "Tick Count: " + std::to_string(m.ticks);
    return m;
}
