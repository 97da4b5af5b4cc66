#include "mainwindow/playback/PlaybackAnimation.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

TPlaybackAnimation::TPlaybackAnimation(QWidget *parent) : QWidget(parent) { setMinimumSize(120, 70); }

void TPlaybackAnimation::SetActive(bool active) {
    active_ = active;
    frame_ = 0;
    update();
}

void TPlaybackAnimation::Step() {
    if (!active_)
        return;
    ++frame_;
    update();
}

void TPlaybackAnimation::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect().adjusted(4, 4, -4, -4);
    // Body: two circles and a neck, lying down.
    const double h = r.height();
    const double bodyW = r.width() * 0.45;
    const QPointF lower(r.left() + bodyW * 0.55, r.center().y());
    QPainterPath body;
    body.addEllipse(lower, bodyW * 0.5, h * 0.45);
    body.addEllipse(QPointF(lower.x() + bodyW * 0.55, lower.y()), bodyW * 0.38, h * 0.35);
    p.setPen(QPen(QColor(90, 50, 20), 2));
    p.setBrush(QColor(205, 140, 60));
    p.drawPath(body.simplified());
    p.setBrush(QColor(40, 25, 10));
    p.drawEllipse(QPointF(lower.x() + bodyW * 0.35, lower.y()), h * 0.13, h * 0.13);
    const QRectF neck(lower.x() + bodyW * 0.8, lower.y() - h * 0.08, r.right() - lower.x() - bodyW * 0.8, h * 0.16);
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(neck);
    // Strings: each swings at its own speed while the song plays.
    p.setPen(QPen(QColor(230, 230, 230), 1));
    for (int s = 0; s < 6; ++s) {
        const double y = neck.top() + neck.height() * (s + 0.5) / 6.0;
        const double swing = active_ ? std::sin((frame_ + s * 1.7) * (0.9 + 0.15 * s)) * h * 0.03 : 0.0;
        QPainterPath string;
        string.moveTo(lower.x() - bodyW * 0.2, y);
        string.quadTo(lower.x() + bodyW * 0.35, y + swing, neck.right(), y);
        p.setBrush(Qt::NoBrush);
        p.drawPath(string);
    }
}
