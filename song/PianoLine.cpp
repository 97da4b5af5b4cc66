#include "song/PianoLine.h"

#include "song/DetailedLineWriter.h"
#include "song/Messages.h"
#include "song/TextUtil.h"

void TPianoRec::Reset() {
    Name.clear();
    Keys.fill(-1);
    Duration.clear();
    DurationLength = 0;
    HasDetails = false;
    for (auto &d : Durations)
        d.clear();
    DurationLengths.fill(0);
    Volumes.fill(0);
    for (auto &f : Fingerings)
        f.clear();
    ParseFailed = false;
}

namespace {

// The raw text of field n (n >= 0: field 0 is the name), or nullopt when the line has fewer
// than n commas.
std::optional<std::string_view> RawField(std::string_view line, int n) {
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        const size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            return std::nullopt;
        start = comma + 1;
    }
    const size_t end = line.find(',', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool IsPianoFingering(std::string_view f) {
    if (f.empty())
        return true;
    return f.size() == 2 && (f[0] == 'L' || f[0] == 'R') && f[1] >= '1' && f[1] <= '5';
}

} // namespace

std::string GetLineField(std::string_view line, int n) {
    if (n < 1)
        return {};
    const auto raw = RawField(line, n);
    if (!raw)
        return {};
    const std::string_view t = TrimView(*raw);
    if (t == "x" || t == "X")
        return "-1";
    return std::string(t);
}

std::string ParsePianoKeyField(std::string_view field, TStringOrKeyDat &out) {
    const std::string_view t = TrimView(field);
    if (t.empty() || t == "x" || t == "X") {
        out = TStringOrKeyDat{};
        out.Number = -1;
        return {};
    }
    out = SplitNoteField(field);
    if (out.Number == kNotANumber)
        return msg::PianoKeyNotNumber(field);
    if (!out.HasDetails)
        return {};
    if (std::string error = CheckNoteDetails(out); !error.empty())
        return error;
    if (out.Number > kHighestPianoKey)
        return msg::PianoKeyTooHigh(field);
    if (out.Number < kLowestPianoKey)
        return msg::PianoKeyTooLow(field);
    if (!IsPianoFingering(TrimView(out.Fingering)))
        return msg::PianoFingering(out.Fingering);
    return {};
}

bool ParsePianoLine(std::string_view text, TDurationUnit unit, const TLineContext &ctx, TPianoRec &rec,
                    std::string *fieldError) {
    rec.Reset();
    if (fieldError)
        fieldError->clear();
    if (ClassifyLine(text) != TLineClass::Note)
        return true;

    // One pass over the line: the name, up to eleven fields after it, and the comma count.
    std::array<std::string_view, 12> fields{};
    int commas = 0;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ',')
            continue;
        if (commas < 12)
            fields[static_cast<size_t>(commas)] = text.substr(start, i - start);
        if (i < text.size())
            ++commas;
        start = i + 1;
    }
    const auto field = [&](int n) {
        return n <= commas ? TrimView(fields[static_cast<size_t>(n)]) : std::string_view();
    };

    rec.Volumes.fill(ctx.Volume);
    rec.Duration = field(11);
    rec.DurationLength = DurationLength(rec.Duration, unit, ctx.Tempo, ctx.Ppqn);
    const bool durationValid = unit == TDurationUnit::Ticks ? rec.DurationLength != 0 : IsValidDuration(rec.Duration);
    for (int i = 0; i < 10; ++i) {
        rec.Durations[i] = rec.Duration;
        rec.DurationLengths[i] = rec.DurationLength;
    }
    const auto fail = [&rec] {
        rec.ParseFailed = true;
        return false;
    };

    TStringOrKeyDat key;
    for (int i = 0; i < 10; ++i) {
        std::string_view f = field(i + 1);
        if (f == "x" || f == "X")
            f = "-1"; // as the field reader gives it
        std::string error = ParsePianoKeyField(f, key);
        if (!error.empty()) {
            if (fieldError)
                *fieldError = std::move(error);
            return fail();
        }
        rec.Keys[i] = key.Number;
        if (key.Number != -1 && (key.Number < kLowestPianoKey || key.Number > kHighestPianoKey))
            return fail();
        if (i == 0) {
            if (commas != 11 || !durationValid)
                return fail();
            rec.Name = fields[0];
        }
        if (key.HasDetails) {
            rec.HasDetails = true;
            rec.Durations[i] = std::move(key.Duration);
            rec.Volumes[i] = key.Volume;
            rec.Fingerings[i] = TrimView(key.Fingering);
            rec.DurationLengths[i] = DurationLength(rec.Durations[i], unit, ctx.Tempo, ctx.Ppqn);
        }
    }
    return true;
}

std::string FormatPianoLine(const TPianoRec &rec) {
    std::string out;
    out.reserve(rec.Name.size() + rec.Duration.size() + 48);
    out += rec.Name;
    out += ", ";
    for (const int32_t key : rec.Keys) {
        if (key == -1)
            out += "x";
        else
            AppendInt(out, key);
        out += ", ";
    }
    out += rec.Duration;
    return out;
}

std::optional<std::string> TogglePianoKey(std::string_view line, int key, const TLineContext &ctx) {
    if (ClassifyLine(line) != TLineClass::Note)
        return std::nullopt;
    TPianoRec rec;
    if (!ParsePianoLine(line, TDurationUnit::Milliseconds, ctx, rec))
        return std::nullopt;
    for (int32_t &k : rec.Keys)
        if (k == -1) {
            k = key;
            break;
        }
    if (rec.HasDetails)
        return FormatDetailedPianoLine(rec, ctx.Volume);
    return FormatPianoLine(rec);
}
