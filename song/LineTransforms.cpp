#include "song/LineTransforms.h"

#include "song/DetailedLineWriter.h"
#include "song/FrettedLine.h"
#include "song/Messages.h"
#include "song/PianoLine.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <cstdio>

namespace {

bool Stop(const TAbortCheck &abort) { return abort && abort(); }

// Clamps a range to the list; false when nothing is left.
bool ClampRange(const std::vector<std::string> &lines, int &first, int &last) {
    if (lines.empty())
        return false;
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(lines.size()) - 1);
    return first <= last;
}

int FrettedStep(int fret, int step, int slot, const TLineContext &ctx) {
    if (fret < 0)
        return fret;
    // The short string starts at the fifth fret: its fret 0 sounds like fret 5, so the half step
    // above it is fret 6 (fret 1 would sound four half steps lower).
    if (ctx.ShortFifthString && slot == 5) {
        if (step > 0 && fret == 0)
            return 6;
        if (step < 0 && fret == 6)
            return 0;
    }
    const int moved = fret + step;
    return moved > 24 || moved < 0 ? -1 : moved;
}

std::string TransposeLine(std::string_view line, int step, const TLineContext &ctx) {
    if (ClassifyLine(line) != TLineClass::Note)
        return std::string(line);
    if (ctx.Kind == TKind::Piano) {
        TPianoRec rec;
        if (!ParsePianoLine(line, TDurationUnit::Milliseconds, ctx, rec))
            return std::string(line);
        for (int32_t &key : rec.Keys) {
            if (key == -1)
                continue;
            key += step;
            if (key > kHighestPianoKey || key < kLowestPianoKey)
                key = -1;
        }
        return FormatDetailedPianoLine(rec, ctx.Volume).value_or(std::string(line));
    }
    TChordDat chord;
    if (!ParseChordLine(line, TDurationUnit::Milliseconds, ctx, chord).empty())
        return std::string(line);
    const int h = std::clamp(ctx.HighestString, 0, 5);
    for (int k = 5 - h; k <= 5; ++k)
        chord.Frets[k] = FrettedStep(chord.Frets[k], step, k, ctx);
    if (chord.HasDetails)
        return FormatDetailedChordLine(chord, h, ctx.Volume).value_or(std::string(line));
    return FormatChordLine(chord, h);
}

bool TransposeRange(std::vector<std::string> &lines, int first, int last, int n, int step, const TLineContext &ctx,
                    const TAbortCheck &abort) {
    if (!ClampRange(lines, first, last))
        return true;
    for (int i = first; i <= last; ++i) {
        std::string &line = lines[static_cast<size_t>(i)];
        for (int s = 0; s < n; ++s) {
            line = TransposeLine(line, step, ctx);
            if (Stop(abort))
                return false;
        }
    }
    return true;
}

std::string Join(const std::vector<std::string> &fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += ", ";
        out += fields[i];
    }
    return out;
}

// The line reduced to one note, or nullopt when it does not parse under the tab's kind.
std::optional<std::string> OneNoteLine(const std::string &line, bool lowest, const TLineContext &ctx) {
    std::vector<std::string> fields;
    if (ctx.Kind == TKind::Piano) {
        TPianoRec rec;
        if (!ParsePianoLine(line, TDurationUnit::Milliseconds, ctx, rec))
            return std::nullopt;
        int kept = -1;
        for (int i = 0; i < 10; ++i) {
            const int key = rec.Keys[i];
            if (key == -1)
                continue;
            if (kept == -1 || (lowest ? key < rec.Keys[kept] : key > rec.Keys[kept]))
                kept = i;
        }
        fields.push_back(rec.Name);
        // Without any key the first key field says so with -1, as silent as "x".
        fields.push_back(kept == -1 ? "-1" : std::to_string(rec.Keys[kept]));
        for (int i = 1; i < 10; ++i)
            fields.push_back("x");
        fields.push_back(rec.Duration);
        return Join(fields);
    }
    TChordDat chord;
    if (!ParseChordLine(line, TDurationUnit::Milliseconds, ctx, chord).empty())
        return std::nullopt;
    const int h = std::clamp(ctx.HighestString, 0, 5);
    int kept = -1, keptPitch = 0;
    for (int k = 5 - h; k <= 5; ++k) {
        const int pitch = SoundingPitch(chord, k, ctx);
        if (pitch == kNoPitch)
            continue;
        // Lowest: the smaller index (higher string) wins a tie; highest: the larger index.
        if (kept == -1 || (lowest ? pitch < keptPitch : pitch >= keptPitch)) {
            kept = k;
            keptPitch = pitch;
        }
    }
    fields.push_back(chord.Name);
    for (int k = 5; k >= 5 - h; --k)
        fields.push_back(k == kept ? std::to_string(chord.Frets[k]) : "x");
    fields.push_back(chord.Duration);
    return Join(fields);
}

bool WriteBack(std::vector<std::string> &lines, int first, std::vector<std::string> &built, const TAbortCheck &abort) {
    for (size_t i = 0; i < built.size(); ++i) {
        lines[static_cast<size_t>(first) + i] = std::move(built[i]);
        if (Stop(abort))
            return false;
    }
    return true;
}

bool IsBarHeader(const std::string &line) { return UpperCaseAscii(std::string_view(line).substr(0, 8)) == "*** BAR "; }

} // namespace

bool IsLineValid(std::string_view line, const TLineContext &ctx) {
    if (ClassifyLine(line) != TLineClass::Note)
        return true;
    TChordDat chord;
    if (ParseChordLine(line, TDurationUnit::Milliseconds, ctx, chord).empty())
        return true;
    TPianoRec rec;
    return ParsePianoLine(line, TDurationUnit::Milliseconds, ctx, rec);
}

std::string TransposeLineUp(std::string_view line, const TLineContext &ctx) { return TransposeLine(line, +1, ctx); }

std::string TransposeLineDown(std::string_view line, const TLineContext &ctx) { return TransposeLine(line, -1, ctx); }

bool TransposeHigher(std::vector<std::string> &lines, int first, int last, int n, const TLineContext &ctx,
                     const TAbortCheck &abort) {
    return TransposeRange(lines, first, last, n, +1, ctx, abort);
}

bool TransposeLower(std::vector<std::string> &lines, int first, int last, int n, const TLineContext &ctx,
                    const TAbortCheck &abort) {
    return TransposeRange(lines, first, last, n, -1, ctx, abort);
}

bool KeepOneNoteInChords(std::vector<std::string> &lines, bool lowest, int first, int last, const TLineContext &ctx,
                         const TAbortCheck &abort) {
    if (!ClampRange(lines, first, last))
        return true;
    std::vector<std::string> built;
    built.reserve(static_cast<size_t>(last - first + 1));
    for (int i = first; i <= last; ++i) {
        if (Stop(abort))
            return false;
        const std::string &line = lines[static_cast<size_t>(i)];
        std::optional<std::string> reduced;
        if (ClassifyLine(line) == TLineClass::Note && IsLineValid(line, ctx))
            reduced = OneNoteLine(line, lowest, ctx);
        built.push_back(reduced ? std::move(*reduced) : line);
    }
    return WriteBack(lines, first, built, abort);
}

bool GroupLinesByBars(std::vector<std::string> &lines, const TLineContext &ctx, const TPositionConductor &conductor,
                      const TAbortCheck &abort) {
    std::vector<std::string> collected;
    for (const std::string &line : lines) {
        if (Stop(abort))
            return false;
        if (!IsBlankLine(line) && !IsBarHeader(line))
            collected.push_back(line);
    }
    const std::vector<TSongPoint> positions = GetLinePositions(collected, conductor);
    std::vector<std::string> out;
    out.reserve(collected.size() * 2);
    size_t i = 0;
    for (; i < collected.size() && ClassifyLine(collected[i]) != TLineClass::Note; ++i) {
        if (Stop(abort))
            return false;
        out.push_back(collected[i]);
    }
    int64_t lastHeader = 0;
    for (; i < collected.size(); ++i) {
        if (Stop(abort))
            return false;
        const TSongPoint &p = positions[i];
        if (p.Beat == 1 && p.Bar != lastHeader && IsLineValid(collected[i], ctx)) {
            char header[48];
            std::snprintf(header, sizeof header, "*** Bar %lld ***", static_cast<long long>(p.Bar));
            out.emplace_back();
            out.emplace_back(header);
            lastHeader = p.Bar;
        }
        out.push_back(collected[i]);
    }
    lines = std::move(out);
    return true;
}

bool ReverseLines(std::vector<std::string> &lines, int first, int last, const TAbortCheck &abort) {
    if (!ClampRange(lines, first, last))
        return true;
    std::vector<std::string> built;
    built.reserve(static_cast<size_t>(last - first + 1));
    for (int i = last; i >= first; --i) {
        built.push_back(lines[static_cast<size_t>(i)]);
        if (Stop(abort))
            return false;
    }
    std::move(built.begin(), built.end(), lines.begin() + first);
    return true;
}

bool RandomizeLines(std::vector<std::string> &lines, int first, int last, const std::function<int(int)> &randomBelow,
                    const TAbortCheck &abort) {
    if (!ClampRange(lines, first, last))
        return true;
    std::vector<std::string> built(lines.begin() + first, lines.begin() + last + 1);
    const int count = static_cast<int>(built.size());
    for (int i = 0; i < count; ++i) {
        const int j = std::clamp(randomBelow ? randomBelow(count) : i, 0, count - 1);
        std::string item = std::move(built[static_cast<size_t>(i)]);
        built.erase(built.begin() + i);
        built.insert(built.begin() + j, std::move(item));
        if (Stop(abort))
            return false;
    }
    std::move(built.begin(), built.end(), lines.begin() + first);
    return true;
}

TLineEdit ClearNotesFromLine(std::string_view line, const TLineContext &ctx) {
    TLineEdit edit;
    if (IsBlankLine(line))
        return edit;
    if (ctx.Kind == TKind::Piano) {
        TPianoRec rec;
        if (!ParsePianoLine(line, TDurationUnit::Ticks, ctx, rec)) {
            edit.Error = msg::kFixOrDelete;
            return edit;
        }
        if (IsDirectiveLine(line))
            return edit;
        edit.Text = "Piano, x, x, x, x, x, x, x, x, x, x, " + rec.Duration;
    } else {
        TChordDat chord;
        if (!ParseChordLine(line, TDurationUnit::Milliseconds, ctx, chord).empty()) {
            edit.Error = msg::kFixOrDelete;
            return edit;
        }
        if (IsDirectiveLine(line))
            return edit;
        const int h = std::clamp(ctx.HighestString, 0, 5);
        for (int k = 5 - h; k <= 5; ++k)
            chord.Frets[k] = -1;
        if (chord.HasDetails) {
            const auto text = FormatDetailedChordLine(chord, h, ctx.Volume);
            if (!text)
                return edit;
            edit.Text = *text;
        } else {
            edit.Text = FormatChordLine(chord, h);
        }
    }
    edit.Changed = edit.Text != line;
    return edit;
}
