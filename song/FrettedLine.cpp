#include "song/FrettedLine.h"

#include "song/DetailedLineWriter.h"
#include "song/Messages.h"
#include "song/TextUtil.h"

#include <algorithm>

void TChordDat::Reset() {
    Name.clear();
    Frets.fill(-1);
    Pitches.fill(kNoPitch);
    for (auto &d : Durations)
        d.clear();
    Volumes.fill(0);
    for (auto &f : Fingerings)
        f.clear();
    DurationLengths.fill(0);
    Duration.clear();
    DurationLength = 0;
    HasDetails = false;
}

TLineClass ClassifyLine(std::string_view line) {
    const std::string_view t = TrimView(line);
    if (t.empty())
        return TLineClass::Empty;
    return t.front() == '*' ? TLineClass::Directive : TLineClass::Note;
}

bool IsDirectiveLine(std::string_view line) { return ClassifyLine(line) == TLineClass::Directive; }
bool IsBlankLine(std::string_view line) { return TrimView(line).empty(); }

int CountCommas(std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), ',')); }

TStringOrKeyDat SplitNoteField(std::string_view field) {
    TStringOrKeyDat d;
    size_t bar = field.find('|');
    if (bar == std::string_view::npos) {
        d.Number = ReadIntegerDef(field, kNotANumber);
        return d;
    }
    d.Number = ReadIntegerDef(field.substr(0, bar), kNotANumber);
    std::string_view rest = field.substr(bar + 1);
    bar = rest.find('|');
    if (bar == std::string_view::npos)
        return d;
    d.Duration = rest.substr(0, bar);
    rest = rest.substr(bar + 1);
    bar = rest.find('|');
    if (bar == std::string_view::npos)
        return d;
    d.Volume = ReadIntegerDef(rest.substr(0, bar), kNotANumber);
    d.Fingering = rest.substr(bar + 1);
    d.HasDetails = true;
    return d;
}

std::string CheckNoteDetails(const TStringOrKeyDat &field) {
    if (!IsValidDuration(field.Duration))
        return msg::FieldDurationInvalid(field.Duration);
    if (field.Volume < 1 || field.Volume > 127)
        return msg::VolumeOutOfRange(field.Volume);
    return {};
}

std::string ParseFretField(std::string_view field, TStringOrKeyDat &out) {
    if (field == "x" || field == "X") {
        out = TStringOrKeyDat{};
        out.Number = -1;
        return {};
    }
    out = SplitNoteField(field);
    if (out.Number == kNotANumber)
        return msg::FretNotNumber(field);
    if (out.Number < -1)
        return msg::FretTooLow(field);
    if (out.Number > 24)
        return msg::FretTooHigh(field);
    if (!out.HasDetails)
        return {};
    if (std::string error = CheckNoteDetails(out); !error.empty())
        return error;
    const std::string_view f = TrimView(out.Fingering);
    if (!(f.empty() || f == "1" || f == "2" || f == "3" || f == "4" || f == "T"))
        return msg::FretFingering(out.Fingering);
    return {};
}

std::string ParseChordLine(std::string_view text, TDurationUnit unit, const TLineContext &ctx, TChordDat &chord) {
    chord.Reset();
    switch (ClassifyLine(text)) {
    case TLineClass::Directive:
        chord.Name = text;
        return {};
    case TLineClass::Empty:
        chord.Name = " ";
        return {};
    case TLineClass::Note:
        break;
    }
    // A string count outside 0..5 (only possible from a damaged file) never reaches past slot 0.
    const int h = std::clamp(ctx.HighestString, 0, 5);
    const int commas = CountCommas(text);
    if (commas < h + 2)
        return msg::NotEnoughCommas(ctx.Name);
    if (commas > h + 2)
        return msg::TooManyCommas(ctx.Name);

    size_t comma = text.find(',');
    chord.Name = TrimView(text.substr(0, comma));
    if (chord.Name.empty())
        return msg::ChordNameRequired(ctx.Name);
    std::string_view rest = text.substr(comma + 1);

    TStringOrKeyDat field;
    for (int k = 5; k >= 5 - h; --k) {
        comma = rest.find(',');
        const std::string_view fieldText = TrimView(rest.substr(0, comma));
        rest = rest.substr(comma + 1);
        std::string error = ParseFretField(fieldText, field);
        if (!error.empty())
            return error;
        chord.Frets[k] = field.Number;
        if (field.HasDetails) {
            chord.HasDetails = true;
            chord.Durations[k] = std::move(field.Duration);
            chord.Volumes[k] = field.Volume;
            chord.Fingerings[k] = TrimView(field.Fingering);
            chord.DurationLengths[k] = DurationLength(chord.Durations[k], unit, ctx.Tempo, ctx.Ppqn);
        } else {
            chord.Volumes[k] = ctx.Volume;
        }
        if (field.Number < 0)
            chord.Pitches[k] = kNoPitch;
        else if (ctx.Kind == TKind::Drums)
            chord.Pitches[k] = field.Number;
        else
            chord.Pitches[k] =
                OpenStringNotes[k] + field.Number + (ctx.ShortFifthString && k == 5 && field.Number == 0 ? 5 : 0);
    }

    chord.Duration = TrimView(rest);
    if (!IsValidDuration(chord.Duration))
        return msg::LineDurationInvalid(ctx.Name, chord.Duration);
    chord.DurationLength = DurationLength(chord.Duration, unit, ctx.Tempo, ctx.Ppqn);
    for (int k = 0; k < 6; ++k) {
        if (chord.Durations[k].empty())
            chord.Durations[k] = chord.Duration;
        if (chord.DurationLengths[k] == 0)
            chord.DurationLengths[k] = chord.Durations[k] == chord.Duration
                                           ? chord.DurationLength
                                           : DurationLength(chord.Durations[k], unit, ctx.Tempo, ctx.Ppqn);
    }
    return {};
}

std::string FormatChordLine(const TChordDat &chord, int highestString) {
    const int h = std::clamp(highestString, 0, 5);
    std::string out;
    out.reserve(chord.Name.size() + chord.Duration.size() + 32);
    out += chord.Name;
    out += ", ";
    for (int k = 5; k >= 5 - h; --k) {
        if (chord.Frets[k] == -1)
            out += "x";
        else
            AppendInt(out, chord.Frets[k]);
        out += ", ";
    }
    out += chord.Duration;
    return out;
}

std::optional<std::string> SetStringFret(std::string_view line, int slot, int fret, const TLineContext &ctx) {
    if (slot < 0 || slot > 5)
        return std::nullopt;
    TChordDat chord;
    if (!ParseChordLine(line, TDurationUnit::Milliseconds, ctx, chord).empty())
        return std::nullopt;
    if (IsDirectiveLine(line) || TrimView(chord.Name).empty())
        return std::nullopt;
    chord.Frets[slot] = fret;
    chord.Pitches[slot] = fret < 0 ? kNoPitch : OpenStringNotes[slot] + fret;
    chord.Durations[slot] = chord.Duration;
    if (chord.HasDetails)
        return FormatDetailedChordLine(chord, ctx.HighestString, ctx.Volume);
    return FormatChordLine(chord, ctx.HighestString);
}

int TuningOffset(std::string_view spelling, int slot) {
    if (slot < 0 || slot > 5 || spelling.size() < static_cast<size_t>(2 * slot + 2))
        return 0;
    const char a = spelling[2 * slot], b = spelling[2 * slot + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return 0;
    return (a - '0') * 10 + (b - '0') - 24;
}

int TuningOpenPitch(std::string_view spelling, int slot, bool shortFifthString) {
    if (slot < 0 || slot > 5)
        return kNoPitch;
    return OpenStringNotes[slot] + TuningOffset(spelling, slot) + (shortFifthString && slot == 5 ? 5 : 0);
}

int SoundingPitch(const TChordDat &chord, int slot, const TLineContext &ctx) {
    if (slot < 0 || slot > 5 || chord.Frets[slot] < 0 || chord.Pitches[slot] == kNoPitch)
        return kNoPitch;
    if (ctx.Kind == TKind::Drums)
        return chord.Pitches[slot];
    return chord.Pitches[slot] + TuningOffset(ctx.TuningSpelling, slot);
}
