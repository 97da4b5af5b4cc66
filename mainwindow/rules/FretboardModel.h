#pragma once
// The fretboard picture as data: one dot shape and one marker shape per string (6) and fret
// (0..24), named "DOT_s01_f00" and "TEM_s01_f00" (string 1..6, fret). Dots show the caret
// line's frets in the tab's colour; markers show the notes of a scale. The drawn widget
// (TFretboardView) paints these shapes and asks HitTest which one the mouse is over.
// Also the neck's geometry, note names at a fret, and the template lines a click writes.
//
// No Qt here: the rules are tested directly.
#include "song/InstrumentTab.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TKeyboardModel;
struct TNoteLine;
struct TSongModel;

inline constexpr int kMaxFret = 24;
inline constexpr int32_t kColourRed = 0x0000FF;
inline constexpr int32_t kColourWhite = 0xFFFFFF;
inline constexpr int32_t kColourBlack = 0x000000;
inline constexpr int32_t kColourSilver = 0xC0C0C0;
inline constexpr int32_t kColourYellow = 0x00FFFF;
inline constexpr int32_t kColourGreen = 0x008000;
inline constexpr int32_t kColourBlue = 0xFF0000;

struct TRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Contains(int x, int y) const { return x >= Left && x < Left + Width && y >= Top && y < Top + Height; }
    bool operator==(const TRect &) const = default;
};

struct TFretShape {
    std::string Name;
    bool Shown = false; // a dot: brush and pen set (false: both clear); a marker: visible
    bool Solid = false; // solid brush (a shown dot is solid)
    int32_t Colour = kColourWhite;
    std::string Hint;
    bool Enabled = true; // takes clicks
    TRect Rect;
};

// Where a mouse position falls.
struct TFretHit {
    bool Marker = false;
    int String = 0; // index 0..5 (0 = string 1)
    int Fret = 0;
};

// The neck's measures for a paint box of W x H (integer arithmetic throughout).
struct TFretboardGeometry {
    int W = 0, H = 0;
    int NutX = 0;                      // a: the nut's right edge
    int FretSpace = 0;                 // s
    int BoardRight = 0;                // a + 24 s
    int RowHeight = 0;                 // r
    int BoardTop = 0, BoardBottom = 0; // y0, y1
    int StringThickness = 0;           // t
    int WireWidth = 0;                 // w
    std::array<int, 6> StringY{};      // top of each used string's band
};
TFretboardGeometry ComputeFretboardGeometry(int w, int h, TKind kind, int highestString);
// Left edge of the space that fret j (1..24) closes, and the dot rectangle of a string and
// fret; `windowWidth` is the main window's (a small offset follows it).
TRect FretDotRect(const TFretboardGeometry &g, int string, int fret, int windowWidth);
TRect FretMarkerRect(const TRect &dot, int windowWidth);

class TFretboardModel {
public:
    // Makes the 150 dots and 150 markers with their names and the picture's hint.
    void CreateShapes(const std::string &hint = {});
    bool ShapesMade() const { return made_; }

    TFretShape &Dot(int string, int fret) { return dots_[Index(string, fret)]; }
    const TFretShape &Dot(int string, int fret) const { return dots_[Index(string, fret)]; }
    TFretShape &Marker(int string, int fret) { return markers_[Index(string, fret)]; }
    const TFretShape &Marker(int string, int fret) const { return markers_[Index(string, fret)]; }

    // Hides the string's dots, then shows the one at `fret` (-1: none) in the tab's colour.
    // Nothing when the shapes are not made, string is outside 0..5 or fret outside -1..24.
    // A short fifth string (banjo) shows its open string at fret 5.
    void ShowFretDot(const TInstrumentTab &tab, int string, int fret);
    // ShowFretDot for each of the tab's strings (slots 5-h..5).
    void ShowFretDots(const TInstrumentTab &tab, const std::array<int32_t, 6> &frets);
    void HideAllDots();
    // Hides every marker of the tab's strings.
    void HideMarkers(const TInstrumentTab &tab);
    // The white solid dot a click paints as feedback.
    void PaintClickFeedback(int string, int fret);
    bool DotShown(int string, int fret) const;
    int ShownDotCount() const;

    // Places every shape for the geometry; on a banjo the frets 0-4 of the short string take
    // no clicks.
    void Layout(const TFretboardGeometry &g, const TInstrumentTab &tab, int windowWidth);
    // The shape under (x, y): shown markers lie in front of the dots; with `markersOnly` dots
    // take no clicks. Disabled shapes take none.
    std::optional<TFretHit> HitTest(int x, int y, bool markersOnly = false) const;

    // Hover: both shapes at the string and fret get "name (String: n Fret: f)".
    void SetHoverHint(int string, int fret, const std::string &noteText);

private:
    static size_t Index(int string, int fret) { return static_cast<size_t>(string * (kMaxFret + 1) + fret); }
    std::array<TFretShape, 6 * (kMaxFret + 1)> dots_;
    std::array<TFretShape, 6 * (kMaxFret + 1)> markers_;
    bool made_ = false;
};

// Shape names: "DOT_s%.2d_f%.2d" and "TEM_s%.2d_f%.2d" of string number 1..6 and fret.
std::string FretShapeName(bool marker, int string, int fret);

// Pitch class n counted from E ("E", "F", "F#", ... "D#"), n brought into 0..11.
std::string PitchClassName(int n);
// The note at a string and fret under a tuning spelling; a pair that is no number reads as 24.
std::string NoteNameAtFret(std::string_view spelling, int string, int fret);
// The tab's open strings as note names from the lowest string up, six names joined by single
// blanks: a five-string tab's short string sounds at its fifth fret and leaves the sixth name
// empty, a four-string tab leaves two empty names (so trailing blanks stay); any tab without
// four to six strings (Piano, Drums) gives an empty text.
std::string GetTuningText(const TInstrumentTab &tab);

// A blank line of the tab's kind for the caret line: kind + one ", x" field per string + ","
// + the duration text (" Q"); a Piano tab gets ten fields.
std::string WriteTemplateText(TKind kind, int highestString, std::string_view duration);
// The line a click inserts above a directive or faulty caret line: name + " , x, ...," +
// duration (the fields begin with a blank).
std::string InsertTemplateText(std::string_view name, TKind kind, int highestString, std::string_view duration);

// Shows a line of the current tab on its picture: the fretted line's frets as dots, the piano
// line's keys in silver. False (and nothing shown) for a blank, directive or faulty line.
bool ShowLineOnInstrument(const TSongModel &song, std::string_view line, TFretboardModel &fretboard,
                          TKeyboardModel &keyboard);
// The same for a line already read under the current tab (in either duration unit).
bool ShowLineOnInstrument(const TSongModel &song, const TNoteLine &line, TFretboardModel &fretboard,
                          TKeyboardModel &keyboard);
