#include "dialogs/rules/TablatureRules.h"

#include "song/FrettedLine.h"
#include "song/TextUtil.h"

#include <algorithm>

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int Characters(std::string_view s) {
    return int(std::count_if(s.begin(), s.end(), [](char c) { return !IsContinuation(c); }));
}

// The first `n` characters of a UTF-8 text.
std::string FirstCharacters(std::string_view s, int n) {
    size_t end = 0;
    for (int seen = 0; end < s.size(); ++end) {
        if (!IsContinuation(s[end]) && seen++ == n)
            break;
    }
    return std::string(s.substr(0, end));
}

constexpr std::string_view kLegend =
    "(W)hole (H)alf (Q)uarter (E)ighth (S)ixteenth (T)hirtysecond sixty(F)ourth (.)dotted (/)triplet (-)tie";
constexpr std::string_view kAsciiLegend[] = {"(W)hole (H)alf (Q)uarter (E)ighth",
                                             "(S)ixteenth (T)hirtysecond sixty(F)ourth", "(.)dotted (/)triplet (-)tie"};

// The notes a bar shows and the steps between them: n := min(size, 32) places for the notes
// and the closing line.
int BarPlaces(const TTabBar &bar) { return std::min(bar.size, kTabNotesPerBar); }

void AsciiBar(const TTabBar &bar, bool left, bool durations, std::array<std::string, 8> &row) {
    const int n = BarPlaces(bar);
    const int gap = (38 - n) / (n + 1);
    const std::string dashes(size_t(std::max(0, gap)), '-');
    const std::string blanks(size_t(std::max(0, gap)), ' ');
    for (int k = 0; k < 6; ++k)
        row[size_t(k)] += (left ? "|" : "") + dashes;
    if (durations) {
        row[6] += (left ? " " : "") + blanks;
        row[7] += (left ? " " : "") + blanks;
    }
    int shown = 0;
    for (const TabNoteRecord &note : bar.notes) {
        if (++shown > kTabNotesPerBar)
            break;
        for (int k = 0; k < 6; ++k) {
            const int fret = note.Frets[size_t(k)];
            std::string &line = row[size_t(k)];
            if (fret < 0)
                line += "--";
            else if (fret > 9)
                AppendInt(line, fret);
            else
                line += "-" + std::to_string(fret);
            line += dashes;
        }
        if (durations) {
            // The first duration line holds one blank per note; the second the duration (a
            // single letter after a blank) and then the gap, less what a text longer than two
            // characters takes of it. A note without a duration leaves the gap alone.
            row[6] = " ";
            const std::string d = Trim(note.Duration);
            const std::string field = Characters(d) == 1 ? " " + d : d;
            row[7] += field + std::string(size_t(std::max(0, gap + 2 - std::max(2, Characters(field)))), ' ');
        }
    }
    for (int k = 0; k < 6; ++k)
        row[size_t(k)] += "|";
    if (durations) {
        row[6] += " ";
        row[7] += " ";
    }
}

// Draws one bar's notes and staff; returns the bottom of its six string rows.
int DrawBar(TTabPage &page, const TTabBar &bar, int x, int y, int width, const TTabGeometry &g, int highestString,
            bool durations, const TTabMeasure &measure) {
    const int n = BarPlaces(bar);
    const int step = width / (n + 1);
    const int half = measure.height(TTabFont::Notes) / 2;
    int noteX = x;
    int shown = 0;
    for (const TabNoteRecord &note : bar.notes) {
        if (++shown > kTabNotesPerBar)
            break;
        noteX += step;
        for (int k = 0; k < 6; ++k)
            if (note.Frets[size_t(k)] >= 0)
                page.texts.push_back(
                    {noteX, y + k * g.spacing - half, std::to_string(note.Frets[size_t(k)]), TTabFont::Notes});
        if (durations)
            page.texts.push_back({noteX, y + 6 * g.spacing - 10, Trim(note.Duration), TTabFont::Notes});
    }
    // The staff: a bass shows its lower four strings, and the bar lines span only those.
    const int h = std::clamp(highestString, 0, 5);
    const int top = y + (5 - h) * g.spacing;
    page.lines.push_back({x, top, x, y + g.staffHeight});
    page.lines.push_back({x + width - 1, top, x + width - 1, y + g.staffHeight});
    for (int k = 5 - h; k <= 5; ++k)
        page.lines.push_back({x, y + k * g.spacing, x + width, y + k * g.spacing});
    return y + 6 * g.spacing;
}

int BarX(size_t index, const TTabGeometry &g) {
    return index % 2 == 0 ? g.leftMargin : g.rowWidth / 2 + g.leftMargin - 1;
}

} // namespace

std::vector<TabNoteRecord> BuildNoteList(const std::vector<std::string> &lines, const TLineContext &ctx) {
    std::vector<TabNoteRecord> records;
    int bar = 1;
    int position = 0;
    for (const std::string &line : lines) {
        if (IsDirectiveLine(line))
            continue;
        TabNoteRecord r;
        r.Group = bar;
        r.IndexInGroup = ++position;
        if (IsBlankLine(line)) {
            r.IsBlankLine = true;
            ++bar;
            position = 0;
        }
        TChordDat chord; // fresh for each line: every string starts without a note
        ParseChordLine(line, TDurationUnit::Milliseconds, ctx, chord);
        r.Name = FirstCharacters(chord.Name, 80);
        r.Frets = chord.Frets;
        r.Duration = FirstCharacters(chord.Duration, 5);
        records.push_back(std::move(r));
    }
    for (const TabNoteRecord &closing : records)
        if (closing.IsBlankLine)
            for (TabNoteRecord &r : records)
                if (r.Group == closing.Group)
                    r.GroupSize = closing.IndexInGroup;
    return records;
}

std::vector<TTabBar> ClosedBars(const std::vector<TabNoteRecord> &records) {
    std::vector<TTabBar> bars;
    TTabBar current;
    for (const TabNoteRecord &r : records) {
        if (!r.IsBlankLine) {
            current.notes.push_back(r);
            continue;
        }
        // A blank line right after another closes an empty bar, which is not shown.
        if (r.GroupSize > 1) {
            current.size = r.GroupSize;
            bars.push_back(std::move(current));
        }
        current = {};
    }
    return bars; // notes after the last blank line belong to no closed bar
}

bool TabLimitReached(const std::vector<TTabBar> &bars) {
    return std::any_of(bars.begin(), bars.end(),
                       [](const TTabBar &b) { return int(b.notes.size()) > kTabNotesPerBar; });
}

std::string TabLimitWarning(bool ascii) {
    const std::string limit =
        std::to_string(kTabNotesPerBar) + " notes per bar limit reached. Use \"Editor/Group Lines By Bar\"";
    return ascii ? limit + " command and try again." : "Tab Warning: " + limit + " command.";
}

std::vector<std::string> BuildAsciiTab(const std::vector<TTabBar> &bars, std::string_view title, int highestString,
                                       bool durations) {
    std::vector<std::string> out{"", ""};
    const int pad = 40 - Characters(title) / 2;
    out.push_back(std::string(size_t(std::max(0, pad)), ' ') + std::string(title));
    out.push_back(std::string(40, ' '));
    out.emplace_back();
    const int missing = 5 - std::clamp(highestString, 0, 5); // string lines a smaller neck leaves empty
    std::array<std::string, 8> row;
    for (size_t i = 0; i < bars.size(); ++i) {
        const bool left = i % 2 == 0;
        if (left)
            row = {};
        AsciiBar(bars[i], left, durations, row);
        if (left && i + 1 < bars.size())
            continue;
        for (int k = 0; k < 6; ++k)
            out.push_back(k < missing ? std::string() : row[size_t(k)]);
        if (durations) {
            out.push_back(row[6]);
            out.push_back(row[7]);
        }
        out.emplace_back();
        out.emplace_back();
    }
    if (durations) {
        out.emplace_back();
        for (std::string_view l : kAsciiLegend)
            out.emplace_back(l);
    }
    return out;
}

TTabGeometry ScreenTabGeometry(int boxWidth) { return {boxWidth - boxWidth / 20, 15, 75, 10, 95, 25}; }

TTabGeometry PrinterTabGeometry(int pageWidth, int pageHeight) {
    const int spacing = pageHeight / 60;
    const int staff = 5 * spacing;
    return {pageWidth - pageWidth / 10, spacing, staff, 50, staff / 2 + staff, 110};
}

TTabDrawing LayoutTabScreen(const std::vector<TTabBar> &bars, std::string_view title, int highestString, bool durations,
                            const TTabGeometry &g, const TTabMeasure &measure) {
    TTabDrawing out;
    TTabPage &page = out.pages.emplace_back();
    const int titleWidth = measure.width(title, TTabFont::Title);
    const int titleX = titleWidth < g.rowWidth + g.leftMargin ? g.rowWidth / 2 - titleWidth / 2 : 0;
    page.texts.push_back({titleX, g.titleTop, std::string(title), TTabFont::Title});
    int y = g.firstRowTop;
    for (size_t i = 0; i < bars.size(); ++i) {
        DrawBar(page, bars[i], BarX(i, g), y, g.rowWidth / 2, g, highestString, durations, measure);
        if (i % 2 == 1)
            y += g.staffHeight / 2 + g.staffHeight;
    }
    const int rows = int(bars.size() + 1) / 2;
    out.height = rows * (g.staffHeight / 2 + g.staffHeight) + g.firstRowTop;
    if (durations) {
        y += g.staffHeight / 4 + g.staffHeight;
        page.texts.push_back({15, y, std::string(kLegend), TTabFont::Legend});
        // The legend below a full last row lies past the rows' room: the view grows to hold it.
        out.height = std::max(out.height, y + 2 * measure.height(TTabFont::Legend));
    }
    return out;
}

TTabDrawing LayoutTabPrint(const std::vector<TTabBar> &bars, std::string_view title, int highestString, bool durations,
                           const TTabGeometry &g, int pageHeight, const TTabMeasure &measure) {
    TTabDrawing out;
    const int labelX = g.rowWidth - 2 * measure.width("Page: 1", TTabFont::PageNumber);
    const int titleX = (g.rowWidth + g.leftMargin) / 2 - measure.width(title, TTabFont::Title) / 2;
    auto newPage = [&] {
        TTabPage &page = out.pages.emplace_back();
        page.texts.push_back({labelX, 0, "Page: " + std::to_string(out.pages.size()), TTabFont::PageNumber});
        page.texts.push_back({titleX, g.titleTop, std::string(title), TTabFont::Title});
    };
    newPage();
    const int rowStep = g.staffHeight / 2 + g.staffHeight;
    int y = g.firstRowTop;
    int lastRowTop = y;
    for (size_t i = 0; i < bars.size(); ++i) {
        const int bottom =
            DrawBar(out.pages.back(), bars[i], BarX(i, g), y, g.rowWidth / 2, g, highestString, durations, measure);
        const bool last = i + 1 == bars.size();
        if (i % 2 == 0 && !last)
            continue;
        lastRowTop = y;
        y += rowStep;
        // A page is begun only for bars still to come, when the next row would not fit.
        if (!last && pageHeight < bottom + rowStep) {
            newPage();
            y = g.firstRowTop;
        }
    }
    if (durations) {
        int legendY = lastRowTop + rowStep;
        if (legendY + measure.height(TTabFont::Legend) > pageHeight) {
            newPage();
            legendY = g.firstRowTop;
        }
        out.pages.back().texts.push_back({15, legendY, std::string(kLegend), TTabFont::Legend});
    }
    return out;
}

int TabScrollAfterKey(TTabKey key, int position, int maximum) {
    const int step = key == TTabKey::PageUp || key == TTabKey::PageDown ? 50 : 10;
    if (key == TTabKey::PageUp || key == TTabKey::Up)
        return std::clamp(position - step, 0, std::max(0, maximum));
    // Down the page only goes a whole step, and only while that stays inside the range.
    return position + step <= maximum ? position + step : position;
}
