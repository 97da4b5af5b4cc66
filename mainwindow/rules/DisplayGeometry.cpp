#include "mainwindow/rules/DisplayGeometry.h"

#include <cstdio>

namespace display {

TimeParts SplitTime(int ms) {
    if (ms < 0)
        ms = 0;
    TimeParts t;
    t.CS = ms % 1000 / 10;
    t.Secs = ms / 1000 % 60;
    t.Mins = ms / 60000 % 60;
    t.Hours = ms / 3600000;
    return t;
}

std::string FormatTime(const TimeParts &t) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", t.Hours, t.Mins, t.Secs, t.CS);
    return text;
}

int BevelInset(TBevelCut inner, TBevelCut outer) {
    if (inner != TBevelCut::None)
        return 2;
    return outer != TBevelCut::None ? 1 : 0;
}

BevelLines BevelFrame(int x, int y, int w, int h) {
    BevelLines lines;
    lines.topLeft = {Point{x, y + h}, Point{x, y}, Point{x + w + 1, y}};
    lines.bottomRight = {Point{x + w, y + 1}, Point{x + w, y + h}, Point{x, y + h}};
    return lines;
}

namespace {
Rect XYWH(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }
} // namespace

PosLayout LayoutPosDisplay(int width, int height, int spacing, TBevelCut inner, TBevelCut outer, int digitHeight) {
    PosLayout l;
    const int b = BevelInset(inner, outer);
    l.inset = b;
    const int W = (width - 2 * spacing) / 3 - 1;
    const int h = height - 1;
    const int outerX[3] = {0, W + spacing + 1, 2 * (W + spacing + 1)};
    const int innerX[3] = {1, W + spacing + 2, 2 * (W + spacing) + 3};
    for (int i = 0; i < 3; ++i) {
        l.outerBevels[i] = XYWH(outerX[i], 0, W, h);
        l.innerBevels[i] = XYWH(innerX[i], 1, W - 2, h - 2);
    }
    const int boxWidth = W - 2 * b + 1;
    const int boxHeight = h - 2 * b + 1;
    int left = b;
    for (int i = 0; i < 3; ++i) {
        l.boxes[i] = XYWH(left, b, boxWidth, boxHeight);
        left = l.boxes[i].right + spacing + 2 * b;
    }
    l.textLine = (boxHeight - digitHeight) / 2 + b + 1;
    return l;
}

int BoxAt(const PosLayout &layout, int x, int y) {
    for (int i = 0; i < 3; ++i)
        if (layout.boxes[i].Contains(x, y))
            return i;
    return -1;
}

TimeLayout LayoutTimeDisplay(int width, int height, TBevelCut inner, TBevelCut outer) {
    TimeLayout l;
    const int b = BevelInset(inner, outer);
    l.inset = b;
    l.outerBevel = XYWH(0, 0, width - 1, height - 1);
    l.innerBevel = XYWH(1, 1, width - 3, height - 3);
    l.textRect = Rect{b, b, width - 2 * b, height - 2 * b};
    return l;
}

int AlignTextLeft(const Rect &box, int textWidth, TTextAlign align) {
    switch (align) {
    case TTextAlign::Left:
        return box.left + 1;
    case TTextAlign::Right:
        return box.right - textWidth - 1;
    case TTextAlign::Center:
        break;
    }
    return box.left + (box.Width() - textWidth) / 2;
}

int NextRepeatInterval(int currentMs) { return currentMs >= 150 ? currentMs - 100 : 50; }

} // namespace display
