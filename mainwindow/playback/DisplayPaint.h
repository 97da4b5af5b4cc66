#pragma once
// Painting shared by the position and time displays.
#include "mainwindow/rules/DisplayGeometry.h"

#include <QPainter>
#include <QPalette>

namespace display {

// A lowered or raised bevel frame at r (x, y, w, h as BevelFrame takes them); None and
// Space draw nothing.
inline void DrawBevel(QPainter &p, const Rect &r, TBevelCut cut, const QPalette &pal) {
    if (cut != TBevelCut::Lowered && cut != TBevelCut::Raised)
        return;
    const BevelLines lines = BevelFrame(r.left, r.top, r.Width(), r.Height());
    const QColor shadow = pal.color(QPalette::Dark);
    const QColor light = pal.color(QPalette::Light);
    const bool lowered = cut == TBevelCut::Lowered;
    auto polyline = [&p](const std::array<Point, 3> &pts, const QColor &c) {
        p.setPen(c);
        p.drawLine(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
        p.drawLine(pts[1].x, pts[1].y, pts[2].x, pts[2].y);
    };
    polyline(lines.topLeft, lowered ? shadow : light);
    polyline(lines.bottomRight, lowered ? light : shadow);
}

} // namespace display
