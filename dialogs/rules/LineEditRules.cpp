#include "dialogs/rules/LineEditRules.h"

#include "song/DetailedLineWriter.h"
#include "song/Durations.h"
#include "song/Messages.h"
#include "song/NoteLine.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <array>

namespace lineedit {

namespace {

std::vector<std::string> NumberList(int first, int last) {
    std::vector<std::string> items{"-1"};
    for (int n = first; n <= last; ++n)
        items.push_back(std::to_string(n));
    return items;
}

const std::vector<std::string> kFretItems = NumberList(0, 24);
const std::vector<std::string> kKeyItems = NumberList(kLowestPianoKey, kHighestPianoKey);
const std::vector<std::string> kDurationItems = {"W",  "H",  "Q",  "E",  "S",  "T",  "F",  ".W", ".H", ".Q", ".E",
                                                 ".S", ".T", ".F", "/W", "/H", "/Q", "/E", "/S", "/T", "/F"};
const std::vector<std::string> kFretFingerings = {"1", "2", "3", "4", "T"};
const std::vector<std::string> kKeyFingerings = {"L1", "L2", "L3", "L4", "L5", "R1", "R2", "R3", "R4", "R5"};

// The list item equal to `text` without regard to case; nullopt when none is.
std::optional<std::string> ItemIgnoringCase(std::span<const std::string> items, std::string_view text) {
    const std::string upper = UpperCaseAscii(text);
    for (const std::string &item : items)
        if (item == upper)
            return item;
    return std::nullopt;
}

} // namespace

std::span<const std::string> NumberItems(bool piano) { return piano ? kKeyItems : kFretItems; }
std::span<const std::string> DurationItems() { return kDurationItems; }
std::span<const std::string> FingeringItems(bool piano) { return piano ? kKeyFingerings : kFretFingerings; }

std::optional<TLineEditModel> TLineEditModel::Open(std::string_view line, const TLineContext &ctx) {
    if (ClassifyLine(line) != TLineClass::Note || ctx.Kind == TKind::Drums)
        return std::nullopt;
    TLineEditModel m;
    m.ctx_ = ctx;
    m.ctx_.HighestString = std::clamp(ctx.HighestString, 0, 5);
    m.piano_ = ctx.Kind == TKind::Piano;
    if (m.piano_) {
        if (!ParsePianoLine(line, TDurationUnit::Milliseconds, m.ctx_, m.keys_))
            return std::nullopt;
    } else if (!ParseChordLine(line, TDurationUnit::Milliseconds, m.ctx_, m.chord_).empty()) {
        return std::nullopt;
    }
    m.line_ = std::string(line);
    for (int c = 1; c <= m.ColumnCount(); ++c)
        m.shown_[static_cast<size_t>(c - 1)] = m.ColumnAtOpen(c);
    return m;
}

int TLineEditModel::ColumnCount() const { return piano_ ? kMaxColumns : ctx_.HighestString + 1; }

int TLineEditModel::Slot(int column) const { return piano_ ? column - 1 : 6 - column; }

std::string TLineEditModel::ColumnCaption(int column) const {
    if (column < 1 || column > ColumnCount())
        return {};
    if (piano_)
        return "Note " + std::to_string(column);
    return "String " + std::to_string(ColumnCount() + 1 - column);
}

TColumn TLineEditModel::Column(int column) const {
    if (column < 1 || column > ColumnCount())
        return {};
    return shown_[static_cast<size_t>(column - 1)];
}

TColumn TLineEditModel::ColumnAtOpen(int column) const {
    TColumn c;
    const size_t s = static_cast<size_t>(Slot(column));
    const bool details = piano_ ? keys_.HasDetails : chord_.HasDetails;
    const std::string &lineDuration = piano_ ? keys_.Duration : chord_.Duration;
    const std::string &own = piano_ ? keys_.Durations[s] : chord_.Durations[s];
    c.number = piano_ ? keys_.Keys[s] : chord_.Frets[s];
    if (details) {
        const std::string trimmed = Trim(own);
        c.duration = trimmed.empty() ? lineDuration : trimmed;
    } else {
        // A plain line shows its duration as the list writes it ("Q" for a line's "q").
        c.duration = ItemIgnoringCase(kDurationItems, lineDuration).value_or(lineDuration);
    }
    // Plain keys and strings carry the tab's volume, as the readers give it to them.
    const int volume = piano_ ? keys_.Volumes[s] : chord_.Volumes[s];
    if (volume >= kMinVolume && volume <= kMaxVolume)
        c.volume = volume;
    c.fingering = Trim(piano_ ? keys_.Fingerings[s] : chord_.Fingerings[s]);
    return c;
}

void TLineEditModel::SetColumn(int column, const TColumn &value) {
    if (column < 1 || column > ColumnCount())
        return;
    shown_[static_cast<size_t>(column - 1)] = value;
    const size_t s = static_cast<size_t>(Slot(column));
    const int volume = value.volume.value_or(std::clamp(ctx_.Volume, kMinVolume, kMaxVolume));
    // A silent string or an empty key is written "x" whatever its lists hold: it keeps the
    // line's duration, so text typed into its list never stops the line from being written.
    const std::string &duration = value.number == -1 ? (piano_ ? keys_.Duration : chord_.Duration) : value.duration;
    if (piano_) {
        keys_.Keys[s] = value.number;
        keys_.Durations[s] = duration;
        keys_.Volumes[s] = volume;
        keys_.Fingerings[s] = value.fingering;
    } else {
        chord_.Frets[s] = value.number;
        chord_.Durations[s] = duration;
        chord_.Volumes[s] = volume;
        chord_.Fingerings[s] = value.fingering;
    }
    Write();
}

void TLineEditModel::Write() {
    const std::optional<std::string> text = piano_ ? FormatDetailedPianoLine(keys_, ctx_.Volume)
                                                   : FormatDetailedChordLine(chord_, ctx_.HighestString, ctx_.Volume);
    if (text)
        line_ = *text;
}

std::string TLineEditModel::CheckOnOk() const {
    for (int c = 1; c <= ColumnCount(); ++c) {
        const size_t s = static_cast<size_t>(Slot(c));
        const int number = piano_ ? keys_.Keys[s] : chord_.Frets[s];
        const std::string &d = piano_ ? keys_.Durations[s] : chord_.Durations[s];
        // A silent string or an empty key is written "x": its duration is never read.
        if (number != -1 && !IsValidDuration(d))
            return msg::FieldDurationInvalid(d);
    }
    // The written line goes back to the editor: it must read as the line parsers read it.
    if (piano_) {
        TPianoRec rec;
        std::string fieldError;
        if (!ParsePianoLine(line_, TDurationUnit::Milliseconds, ctx_, rec, &fieldError))
            return fieldError.empty() ? std::string(kPianoLineFailed) : fieldError;
        return {};
    }
    TChordDat chord;
    return ParseChordLine(line_, TDurationUnit::Milliseconds, ctx_, chord);
}

} // namespace lineedit
