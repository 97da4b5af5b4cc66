#include "mainwindow/rules/FretboardModel.h"

#include "mainwindow/rules/KeyboardModel.h"
#include "song/FrettedLine.h"
#include "song/NoteLine.h"
#include "song/SongModel.h"

#include <algorithm>
#include <cstdio>

namespace {

bool ValidString(int s) { return s >= 0 && s <= 5; }
bool ValidFret(int f) { return f >= 0 && f <= kMaxFret; }
int Highest(int h) { return std::clamp(h, 0, 5); }

// ", x" once per field and the closing ",": three strings give ", x, x, x,".
std::string Fields(int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += ", x";
    return s + ",";
}

int FieldCount(TKind kind, int highestString) { return kind == TKind::Piano ? 10 : Highest(highestString) + 1; }

} // namespace

// ---- geometry -------------------------------------------------------------------------------

TFretboardGeometry ComputeFretboardGeometry(int w, int h, TKind kind, int highestString) {
    TFretboardGeometry g;
    g.W = w;
    g.H = h;
    const int hs = Highest(highestString);
    g.NutX = w / 14;
    g.FretSpace = std::max(0, (w - g.NutX / 3 - g.NutX) / 24);
    g.BoardRight = g.NutX + 24 * g.FretSpace;
    g.RowHeight = kind == TKind::Guitar ? h / 8 : h / 7;
    const int board = (hs + 1) * g.RowHeight;
    g.BoardTop = h / 2 - board / 2;
    g.BoardBottom = g.BoardTop + board;
    g.StringThickness = kind == TKind::Bass ? board / 18 : board / 50;
    g.WireWidth = 24 * g.FretSpace / 175;
    for (int k = 5 - hs; k <= 5; ++k)
        g.StringY[static_cast<size_t>(k)] = g.BoardTop + g.RowHeight / 2 + (k - (5 - hs)) * g.RowHeight;
    return g;
}

TRect FretDotRect(const TFretboardGeometry &g, int string, int fret, int windowWidth) {
    const int p = fret == 0 ? g.NutX : g.NutX + fret * g.FretSpace - g.WireWidth;
    TRect r;
    r.Left = windowWidth / 266 + p - g.FretSpace;
    r.Top = g.StringY[static_cast<size_t>(std::clamp(string, 0, 5))] - g.RowHeight / 2;
    r.Width = g.FretSpace;
    r.Height = g.RowHeight;
    return r;
}

TRect FretMarkerRect(const TRect &dot, int windowWidth) {
    return {dot.Left + windowWidth / 400, dot.Top + 2, std::max(0, dot.Width - 6), std::max(0, dot.Height - 6)};
}

// ---- shapes ---------------------------------------------------------------------------------

std::string FretShapeName(bool marker, int string, int fret) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s_s%.2d_f%.2d", marker ? "TEM" : "DOT", string, fret);
    return buf;
}

void TFretboardModel::CreateShapes(const std::string &hint) {
    for (int s = 0; s < 6; ++s)
        for (int f = 0; f <= kMaxFret; ++f) {
            TFretShape &d = Dot(s, f);
            d = TFretShape{};
            d.Name = FretShapeName(false, s + 1, f);
            d.Hint = hint;
            TFretShape &m = Marker(s, f);
            m = TFretShape{};
            m.Name = FretShapeName(true, s + 1, f);
            m.Solid = true;
            m.Colour = kColourRed;
            m.Hint = hint;
        }
    made_ = true;
}

void TFretboardModel::ShowFretDot(const TInstrumentTab &tab, int string, int fret) {
    if (!made_ || !ValidString(string) || fret < -1 || fret > kMaxFret)
        return;
    if (tab.ShortFifthString && string == 5 && fret == 0)
        fret = 5;
    for (int f = 0; f <= kMaxFret; ++f) {
        TFretShape &d = Dot(string, f);
        d.Shown = false;
        d.Solid = false;
    }
    if (fret == -1)
        return;
    TFretShape &d = Dot(string, fret);
    d.Shown = true;
    d.Solid = true;
    d.Colour = tab.Colour;
}

void TFretboardModel::ShowFretDots(const TInstrumentTab &tab, const std::array<int32_t, 6> &frets) {
    for (int s = 5 - Highest(tab.HighestString); s <= 5; ++s)
        ShowFretDot(tab, s, frets[static_cast<size_t>(s)]);
}

void TFretboardModel::HideAllDots() {
    for (TFretShape &d : dots_) {
        d.Shown = false;
        d.Solid = false;
    }
}

void TFretboardModel::HideMarkers(const TInstrumentTab &tab) {
    if (!made_)
        return;
    for (int s = 5 - Highest(tab.HighestString); s <= 5; ++s)
        for (int f = 0; f <= kMaxFret; ++f)
            Marker(s, f).Shown = false;
}

void TFretboardModel::PaintClickFeedback(int string, int fret) {
    if (!made_ || !ValidString(string) || !ValidFret(fret))
        return;
    TFretShape &d = Dot(string, fret);
    d.Shown = true;
    d.Solid = true;
    d.Colour = kColourWhite;
}

bool TFretboardModel::DotShown(int string, int fret) const {
    return made_ && ValidString(string) && ValidFret(fret) && Dot(string, fret).Shown && Dot(string, fret).Solid;
}

int TFretboardModel::ShownDotCount() const {
    return static_cast<int>(std::count_if(dots_.begin(), dots_.end(), [](const TFretShape &d) { return d.Shown; }));
}

void TFretboardModel::Layout(const TFretboardGeometry &g, const TInstrumentTab &tab, int windowWidth) {
    const int first = 5 - Highest(tab.HighestString);
    for (int s = 0; s < 6; ++s)
        for (int f = 0; f <= kMaxFret; ++f) {
            TFretShape &d = Dot(s, f);
            TFretShape &m = Marker(s, f);
            if (s < first) { // strings the tab does not have lie off the board
                d.Rect = m.Rect = TRect{};
                continue;
            }
            d.Rect = FretDotRect(g, s, f, windowWidth);
            m.Rect = FretMarkerRect(d.Rect, windowWidth);
            d.Enabled = m.Enabled = !(tab.ShortFifthString && s == 5 && f < 5);
        }
}

std::optional<TFretHit> TFretboardModel::HitTest(int x, int y, bool markersOnly) const {
    if (!made_)
        return std::nullopt;
    for (int s = 0; s < 6; ++s)
        for (int f = 0; f <= kMaxFret; ++f) {
            const TFretShape &m = Marker(s, f);
            if (m.Shown && m.Enabled && m.Rect.Contains(x, y))
                return TFretHit{true, s, f};
        }
    if (markersOnly)
        return std::nullopt;
    // Neighbouring dots overlap by a few pixels; the later one lies on top.
    for (int s = 5; s >= 0; --s)
        for (int f = kMaxFret; f >= 0; --f) {
            const TFretShape &d = Dot(s, f);
            if (d.Enabled && d.Rect.Contains(x, y))
                return TFretHit{false, s, f};
        }
    return std::nullopt;
}

void TFretboardModel::SetHoverHint(int string, int fret, const std::string &noteText) {
    if (!made_ || !ValidString(string) || !ValidFret(fret))
        return;
    char buf[64];
    std::snprintf(buf, sizeof buf, " (String: %d Fret: %d)", string + 1, fret);
    Dot(string, fret).Hint = noteText + buf;
    Marker(string, fret).Hint = noteText + buf;
}

// ---- note names -----------------------------------------------------------------------------

std::string PitchClassName(int n) {
    static constexpr std::array<const char *, 12> kNames = {"E",  "F", "F#", "G",  "G#", "A",
                                                            "A#", "B", "C",  "C#", "D",  "D#"};
    n %= 12;
    if (n < 0)
        n += 12;
    return kNames[static_cast<size_t>(n)];
}

std::string NoteNameAtFret(std::string_view spelling, int string, int fret) {
    static constexpr std::array<int, 6> kStringStep = {0, 5, 9, 14, 19, 24};
    if (!ValidString(string))
        return {};
    for (int i = 0; i < 2 && fret > 12; ++i)
        fret -= 12;
    // TuningOffset reads a malformed pair as 0 (the number 24).
    const int pair = TuningOffset(spelling, string) + 24;
    return PitchClassName(pair + fret - kStringStep[static_cast<size_t>(string)]);
}

std::string GetTuningText(const TInstrumentTab &tab) {
    const std::string_view spelling = tab.TuningSpelling;
    std::array<std::string, 6> names;
    if (!IsFretted(tab.Kind))
        return {};
    switch (tab.HighestString) {
    case 5:
        for (int i = 0; i < 6; ++i)
            names[static_cast<size_t>(i)] = NoteNameAtFret(spelling, 5 - i, 0);
        break;
    case 4:
        names[0] = NoteNameAtFret(spelling, 5, 5); // the short string starts at the fifth fret
        for (int i = 1; i < 5; ++i)
            names[static_cast<size_t>(i)] = NoteNameAtFret(spelling, 5 - i, 0);
        break;
    case 3:
        for (int i = 0; i < 4; ++i)
            names[static_cast<size_t>(i)] = NoteNameAtFret(spelling, 5 - i, 0);
        break;
    default:
        return {};
    }
    std::string text = names[0];
    for (size_t i = 1; i < names.size(); ++i)
        text += ' ' + names[i];
    return text;
}

// ---- template lines -------------------------------------------------------------------------

std::string WriteTemplateText(TKind kind, int highestString, std::string_view duration) {
    return std::string(KindText(kind)) + Fields(FieldCount(kind, highestString)) + std::string(duration);
}

std::string InsertTemplateText(std::string_view name, TKind kind, int highestString, std::string_view duration) {
    return std::string(name) + " " + Fields(FieldCount(kind, highestString)) + std::string(duration);
}

// ---- the caret line on the picture ----------------------------------------------------------

bool ShowLineOnInstrument(const TSongModel &song, std::string_view line, TFretboardModel &fretboard,
                          TKeyboardModel &keyboard) {
    return ShowLineOnInstrument(song, ParseNoteLine(line, TDurationUnit::Ticks, song.LineContext(song.CurrentTab)),
                                fretboard, keyboard);
}

bool ShowLineOnInstrument(const TSongModel &song, const TNoteLine &line, TFretboardModel &fretboard,
                          TKeyboardModel &keyboard) {
    const TInstrumentTab &tab = song.Current();
    if (tab.Kind == TKind::Drums)
        return false;
    if (tab.Kind == TKind::Piano) {
        if (line.Sounds()) {
            keyboard.HighlightPianoKeys(line.Keys.Keys);
            return true;
        }
        keyboard.RefreshKeyColours(false);
        return false;
    }
    if (line.Sounds()) {
        fretboard.ShowFretDots(tab, line.Chord.Frets);
        return true;
    }
    fretboard.ShowFretDots(tab, {-1, -1, -1, -1, -1, -1});
    return false;
}
