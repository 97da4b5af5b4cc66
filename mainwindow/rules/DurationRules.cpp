#include "mainwindow/rules/DurationRules.h"

#include "song/TextUtil.h"

#include <algorithm>

namespace duration {

namespace {
constexpr std::string_view kLetters = "WHQESTF";
}

char Letter(int index) { return index >= 0 && index < kButtonCount ? kLetters[static_cast<size_t>(index)] : 0; }

int IndexOfLetter(char letter) {
    const auto p = kLetters.find(letter);
    return letter != 0 && p != std::string_view::npos ? static_cast<int>(p) : -1;
}

TControls ControlsFromCode(int code, TControls current) {
    TControls c{current.Index, false, false};
    if (code > 10 && code < 1000) {
        c.Dotted = true;
        code -= 100;
    } else if (code > 1000) {
        c.Triplet = true;
        code -= 1000;
    }
    if (code >= 1 && code <= kButtonCount)
        c.Index = code - 1;
    return c;
}

int CodeFromControls(const TControls &c) {
    const int index = c.Index >= 0 && c.Index < kButtonCount ? c.Index : kDefaultIndex;
    return index + 1 + (c.Dotted ? 100 : c.Triplet ? 1000 : 0);
}

std::string DurationText(const TControls &c, bool fromCode) {
    std::string d = c.Dotted ? " ." : c.Triplet ? " /" : " ";
    if (fromCode && d.size() > 1)
        d.erase(0, 1);
    d += Letter(c.Index >= 0 && c.Index < kButtonCount ? c.Index : kDefaultIndex);
    return d;
}

std::string StripLastField(std::string_view line) {
    const auto p = line.rfind(',');
    return std::string(p == std::string_view::npos ? line : line.substr(0, p));
}

std::string WithDuration(std::string_view line, std::string_view durationText) {
    return StripLastField(line) + "," + std::string(durationText);
}

int RestGlyphIndex(std::string_view durationText) {
    const std::string t = Trim(durationText);
    if (t.size() == 1)
        return IndexOfLetter(t[0]);
    if (t.size() == 2 && (t[0] == '.' || t[0] == '/'))
        return IndexOfLetter(t[1]);
    return -1;
}

std::string RestLine(bool piano, int highestString, std::string_view currentDuration) {
    std::string base;
    if (piano) {
        base = "Rest , x, x, x, x, x, x, x, x, x, x, ";
    } else {
        switch (highestString) {
        case 2:
            base = "Rest , x, x, x,";
            break;
        case 3:
            base = "Rest , x, x, x, x,";
            break;
        case 4:
            base = "Rest , x, x, x, x, x,";
            break;
        case 5:
            base = "Rest , x, x, x, x, x, x,";
            break;
        default:
            return {};
        }
    }
    return base + std::string(currentDuration);
}

int ApplyToLines(std::vector<std::string> &lines, int first, int last, std::string_view durationText,
                 const std::function<bool(const std::string &)> &takesDuration, const std::function<bool()> &goOn) {
    const int n = static_cast<int>(lines.size());
    first = std::max(first, 0);
    last = std::min(last, n - 1);
    const bool several = last > first;
    int changed = 0;
    for (int i = first; i <= last; ++i) {
        if (several && goOn && !goOn())
            break;
        std::string &line = lines[static_cast<size_t>(i)];
        if (!takesDuration(line))
            continue;
        std::string next = WithDuration(line, durationText);
        if (next != line) {
            line = std::move(next);
            ++changed;
        }
    }
    return changed;
}

} // namespace duration
