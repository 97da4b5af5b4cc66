#pragma once
// Rules of the position and time displays as plain functions: the time split into hours,
// minutes, seconds and hundredths and its text, the bevel frames and number boxes of the
// displays, hit-testing and the repeat steps of a held mouse button. The widgets
// (PosDisplay.h, TimeDisplay.h) only paint what these return.
#include <array>
#include <string>

namespace display {

enum class TBevelCut { None, Lowered, Raised, Space };
enum class TTextAlign { Left, Right, Center };

// Left, top inclusive; right, bottom exclusive.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect &) const = default;
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point &) const = default;
};

// ---- time ----

struct TimeParts {
    int Hours = 0, Mins = 0, Secs = 0, CS = 0; // CS: hundredths of a second
    bool operator==(const TimeParts &) const = default;
};
// A negative time counts as 0.
TimeParts SplitTime(int ms);
// "hh:mm:ss.cc" (hours take more digits when they need them): 3,723,456 ms is "01:02:03.45".
std::string FormatTime(const TimeParts &parts);

// ---- bevels ----

// Inset of the contents: 2 with an inner bevel, else 1 with an outer one, else 0
// (Space counts as a bevel, as None does not).
int BevelInset(TBevelCut inner, TBevelCut outer);

// The two L-shaped lines of a bevel frame at (x, y), w by h: `topLeft` runs from the
// bottom-left corner up and across to the right (x + w + 1 is one past the corner), and
// `bottomRight` down the right edge and back to the bottom-left corner. A lowered frame
// draws `topLeft` in the shadow colour and `bottomRight` in the highlight colour, a raised
// frame the other way round; None and Space draw nothing.
struct BevelLines {
    std::array<Point, 3> topLeft;
    std::array<Point, 3> bottomRight;
};
BevelLines BevelFrame(int x, int y, int w, int h);

// ---- position display ----

struct PosLayout {
    int inset = 0;                   // b
    std::array<Rect, 3> outerBevels; // x, y, w, h as BevelFrame takes them (right = x + w, ...)
    std::array<Rect, 3> innerBevels;
    std::array<Rect, 3> boxes; // the number boxes
    int textLine = 0;          // baseline row; numbers are drawn from textLine - 1
};
// Three boxes side by side in a client area of `width` x `height`, `spacing` pixels apart;
// `digitHeight` is the height of "0" in the display's font.
PosLayout LayoutPosDisplay(int width, int height, int spacing, TBevelCut inner, TBevelCut outer, int digitHeight);
// The box under (x, y): 0..2, or -1.
int BoxAt(const PosLayout &layout, int x, int y);

// ---- time display ----

struct TimeLayout {
    int inset = 0;
    Rect outerBevel; // as x, y, w, h in left, top, right - left, bottom - top
    Rect innerBevel;
    Rect textRect; // filled with the control's colour, the text drawn in it
};
TimeLayout LayoutTimeDisplay(int width, int height, TBevelCut inner, TBevelCut outer);

// ---- both ----

// Left of a text `textWidth` wide in `box`: left + 1, right - width - 1, or centred.
int AlignTextLeft(const Rect &box, int textWidth, TTextAlign align);

// Repeat of a held mouse button on a box: first after 300 ms, then each interval 100 ms
// shorter while it is at least 150, else 50 ms (300, 200, 100, 50, 50, ...).
inline constexpr int kFirstRepeatMs = 300;
int NextRepeatInterval(int currentMs);

} // namespace display
