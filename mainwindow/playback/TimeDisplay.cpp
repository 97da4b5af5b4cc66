#include "mainwindow/playback/TimeDisplay.h"

#include "mainwindow/playback/DisplayPaint.h"

#include <QFontMetrics>
#include <QPainter>

TTimeDisplay::TTimeDisplay(QWidget *parent) : QWidget(parent) { resize(100, 20); }

void TTimeDisplay::SetTime(int ms) {
    if (ms == time_)
        return;
    time_ = ms;
    parts_ = display::SplitTime(ms);
    update();
}

QString TTimeDisplay::Text() const { return QString::fromStdString(display::FormatTime(parts_)); }

void TTimeDisplay::SetBevelInner(display::TBevelCut cut) {
    if (cut != bevelInner_) {
        bevelInner_ = cut;
        update();
    }
}

void TTimeDisplay::SetBevelOuter(display::TBevelCut cut) {
    if (cut != bevelOuter_) {
        bevelOuter_ = cut;
        update();
    }
}

void TTimeDisplay::SetBorderStyle(TBorderStyle style) {
    if (style != borderStyle_) {
        borderStyle_ = style;
        update();
    }
}

void TTimeDisplay::SetAlignment(display::TTextAlign align) {
    if (align != alignment_) {
        alignment_ = align;
        update();
    }
}

void TTimeDisplay::SetTextColor(const QColor &color) {
    if (color != textColor_) {
        textColor_ = color;
        update();
    }
}

void TTimeDisplay::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const display::TimeLayout l = display::LayoutTimeDisplay(width(), height(), bevelInner_, bevelOuter_);
    display::DrawBevel(p, l.outerBevel, bevelOuter_, palette());
    display::DrawBevel(p, l.innerBevel, bevelInner_, palette());
    if (borderStyle_ == TBorderStyle::Single) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QRect text(l.textRect.left, l.textRect.top, l.textRect.Width(), l.textRect.Height());
    if (text.isEmpty())
        return;
    p.fillRect(text, palette().color(QPalette::Button));
    const QString s = Text();
    const QFontMetrics fm(font());
    const int x = display::AlignTextLeft(l.textRect, fm.horizontalAdvance(s), alignment_);
    p.setClipRect(text);
    p.setPen(textColor_);
    p.drawText(x, 1 + fm.ascent(), s);
}
