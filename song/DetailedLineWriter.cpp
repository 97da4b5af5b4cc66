#include "song/DetailedLineWriter.h"

#include "song/TextUtil.h"

#include <algorithm>

namespace {

bool HoldsSeparator(std::string_view s) {
    return s.find(',') != std::string_view::npos || s.find('|') != std::string_view::npos;
}

// Appends one used note field and ", ".
void AppendField(std::string &out, int32_t number, const std::string &ownDuration, const std::string &lineDuration,
                 int32_t volume, const std::string &fingering, int tabVolume) {
    if (number == -1) {
        out += "x";
    } else {
        // An empty own duration stands for the line's duration.
        const std::string &d = ownDuration.empty() ? lineDuration : ownDuration;
        AppendInt(out, number);
        if (d != lineDuration || volume != tabVolume || !fingering.empty()) {
            out += '|';
            out += d;
            out += '|';
            AppendInt(out, volume);
            out += '|';
            out += fingering;
        }
    }
    out += ", ";
}

template <size_t N>
bool FieldsAreWritable(const std::string &name, const std::string &duration,
                       const std::array<std::string, N> &durations, const std::array<std::string, N> &fingerings,
                       int first, int last) {
    if (name.find(',') != std::string::npos || HoldsSeparator(duration))
        return false;
    for (int i = first; i <= last; ++i)
        if (HoldsSeparator(durations[i]) || HoldsSeparator(fingerings[i]))
            return false;
    return true;
}

} // namespace

std::optional<std::string> FormatDetailedChordLine(const TChordDat &chord, int highestString, int tabVolume) {
    const int h = std::clamp(highestString, 0, 5);
    if (!FieldsAreWritable(chord.Name, chord.Duration, chord.Durations, chord.Fingerings, 5 - h, 5))
        return std::nullopt;
    std::string out;
    out.reserve(chord.Name.size() + 64);
    out += chord.Name;
    out += ", ";
    for (int k = 5; k >= 5 - h; --k)
        AppendField(out, chord.Frets[k], chord.Durations[k], chord.Duration, chord.Volumes[k], chord.Fingerings[k],
                    tabVolume);
    out += UpperCaseAscii(chord.Duration);
    return out;
}

std::optional<std::string> FormatDetailedPianoLine(const TPianoRec &rec, int tabVolume) {
    if (!FieldsAreWritable(rec.Name, rec.Duration, rec.Durations, rec.Fingerings, 0, 9))
        return std::nullopt;
    std::string out;
    out.reserve(rec.Name.size() + 96);
    out += rec.Name;
    out += ", ";
    for (int i = 0; i < 10; ++i)
        AppendField(out, rec.Keys[i], rec.Durations[i], rec.Duration, rec.Volumes[i], rec.Fingerings[i], tabVolume);
    out += UpperCaseAscii(rec.Duration);
    return out;
}
