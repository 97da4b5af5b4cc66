#include "dialogs/chords/ChordDiagram.h"

#include "song/FrettedLine.h"
#include "song/TextUtil.h"

#include <algorithm>

namespace {

constexpr int kNoteBase[6] = {16, 21, 26, 31, 35, 40}; // the open strings' notes less 24

int TuningPair(std::string_view spelling, int pair) {
    const size_t at = static_cast<size_t>(2 * (pair - 1));
    if (at + 2 > spelling.size())
        return 24;
    return ReadIntegerDef(spelling.substr(at, 2), 24);
}

// The next comma-separated field of `rest` (the last field takes the rest of the line).
std::string_view NextField(std::string_view &rest, bool last = false) {
    if (last) {
        const std::string_view field = rest;
        rest = {};
        return field;
    }
    const size_t comma = rest.find(',');
    const std::string_view field = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    return field;
}

} // namespace

TCurrChordBox ParseVoicingLine(std::string_view line, int stringCount, int dotType, int reach,
                               std::string_view spelling, bool shortFifthString) {
    TCurrChordBox box;
    const int S = std::clamp(stringCount, 0, 6);
    box.StringCount = S;
    box.Reach = reach;
    box.DotType = dotType;
    box.Loaded = true;
    if (TrimView(line).empty())
        return box;
    std::string_view rest = line;
    box.ChordName = Trim(NextField(rest));
    for (int k = 0; k < S; ++k) {
        const std::string field = Trim(NextField(rest));
        if (SameTextAscii(field, "X") || field == "-1")
            continue;
        const auto fret = ReadInteger(field);
        if (!fret)
            continue;
        const size_t slot = static_cast<size_t>(5 - k);
        box.Frets[slot] = *fret;
        const bool shortOpen = shortFifthString && k == 0 && *fret == 0;
        box.Notes[slot] = *fret + TuningPair(spelling, 6 - k) + kNoteBase[k] + (shortOpen ? 5 : 0);
    }
    for (int k = 0; k < S; ++k)
        box.NoteNames[static_cast<size_t>(k)] = std::string(NextField(rest));
    for (int k = 0; k < S; ++k)
        box.Degrees[static_cast<size_t>(k)] = std::string(NextField(rest, k == S - 1));
    return box;
}

TDiagramGrid DiagramGrid(int width, int height, int stringCount, int rows) {
    TDiagramGrid g;
    const int areaHeight = height - height / 25;
    const int u = width / 10, v = areaHeight / 10;
    g.left = 3 * u;
    g.top = 2 * v;
    g.right = width - u;
    g.bottom = areaHeight - v;
    g.columnWidth = stringCount > 1 ? (g.right - g.left) / (stringCount - 1) : 0;
    g.rowHeight = (g.bottom - g.top) / (rows + 1);
    g.gridHeight = (rows + 1) * g.rowHeight;
    return g;
}

bool DiagramDotPosition(const TDiagramGrid &g, int markSize, int column, int fret, int &x, int &y) {
    if (fret > 12)
        return false;
    const int h = markSize / 2, rh = g.rowHeight;
    const int offset = fret <= 0 ? rh / 4 - rh : fret == 1 ? 0 : rh * (fret - 1);
    x = g.left + g.columnWidth * column - h;
    y = g.top + rh / 2 - h + offset;
    return true;
}

TDiagramPicture DrawChordDiagram(const TCurrChordBox &box, int width, int height) {
    TDiagramPicture p;
    const int S = box.StringCount;
    if (box.ChordName.empty() || S < 2 || S > 6)
        return p;
    const int rows = box.Reach > 1 ? box.Reach - 1 : 1;
    const TDiagramGrid g = DiagramGrid(width, height, S, rows);
    const int cw = g.columnWidth, rh = g.rowHeight;
    const int lastX = g.left + cw * (S - 1);
    auto line = [&p](int x1, int y1, int x2, int y2) {
        p.items.push_back({TDiagramItem::Line, x1, y1, x2, y2, 0, false, {}});
    };
    line(lastX, g.top, lastX, g.top + g.gridHeight);
    line(g.left, g.top + g.gridHeight, lastX, g.top + g.gridHeight);
    for (int c = 0; c < S - 1; ++c)
        line(g.left + c * cw, g.top, g.left + c * cw, g.top + g.gridHeight);
    for (int r = 0; r <= rows; ++r)
        line(g.left, g.top + r * rh, lastX, g.top + r * rh);

    // A box whose highest fret lies below the grid is drawn with its lowest fretted note in
    // row 1; the record keeps its frets.
    std::array<int, 6> frets{};
    int highest = -1, lowest = -1;
    for (int c = 0; c < S; ++c) {
        const int f = box.ColumnFret(c);
        frets[static_cast<size_t>(c)] = f;
        highest = std::max(highest, f);
        if (f > 0 && (lowest < 0 || f < lowest))
            lowest = f;
    }
    const bool shifted = highest > rows + 1;
    if (shifted)
        for (int &f : frets)
            if (f > 0)
                f -= lowest - 1;

    p.markSize = width > 99 ? 12 : 6;
    p.fontHeight = width > 99 ? 12 : 8;
    for (int c = 0; c < S; ++c) {
        const int f = frets[static_cast<size_t>(c)];
        const bool root = Trim(box.Degrees[static_cast<size_t>(c)]) == "1";
        int x = 0, y = 0;
        if (!DiagramDotPosition(g, p.markSize, c, std::max(f, 0), x, y))
            continue;
        if (box.DotType == kDotPlain) {
            if (f <= 0)
                p.items.push_back({TDiagramItem::Text, x + 2, y, 0, 0, 0, false, f < 0 ? "X" : "O"});
            else
                p.items.push_back({TDiagramItem::Dot, x, y, 0, 0, p.markSize, root, {}});
        } else if (f >= 0) {
            const std::string &name =
                box.DotType == kDotNote ? box.NoteNames[static_cast<size_t>(c)] : box.Degrees[static_cast<size_t>(c)];
            p.items.push_back({TDiagramItem::BoxedText, x, y, 0, 0, 0, root, " " + Trim(name) + " "});
        }
    }
    if (shifted)
        p.items.push_back({TDiagramItem::Text, 0, g.top + rh / 2, 0, 0, 0, false, "    " + std::to_string(lowest)});
    return p;
}

std::string PlayChordLine(const TCurrChordBox &box) {
    std::string line = "PlayChord, ";
    for (int c = 0; c < box.StringCount; ++c) {
        if (c > 0)
            line += ',';
        const int f = box.ColumnFret(c);
        if (f < 0)
            line += 'X';
        else
            AppendInt(line, f);
    }
    return line + ",Q";
}

std::string StoredVoicingToListLine(std::string_view detail, const TLineContext &ctx) {
    const int S = std::clamp(ctx.HighestString, 0, 5) + 1;
    size_t end = 0;
    for (int commas = 0; commas <= S && end != std::string_view::npos; ++commas)
        end = detail.find(',', commas == 0 ? 0 : end + 1);
    const std::string text = std::string(end == std::string_view::npos ? detail : detail.substr(0, end + 1)) + "W";
    TChordDat chord;
    if (!ParseChordLine(text, TDurationUnit::Milliseconds, ctx, chord).empty())
        return text;
    std::string line = chord.Name + ", ";
    for (int slot = 5; slot > 5 - S; --slot) {
        if (slot < 5)
            line += ", ";
        const int f = chord.Frets[static_cast<size_t>(slot)];
        if (f < 0) {
            line += " x";
        } else {
            if (f < 10)
                line += ' ';
            AppendInt(line, f);
        }
    }
    return line + ", W";
}
