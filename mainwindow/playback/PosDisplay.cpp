#include "mainwindow/playback/PosDisplay.h"

#include "mainwindow/playback/DisplayPaint.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

QRect ToQRect(const display::Rect &r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

} // namespace

TPosDisplay::TPosDisplay(QWidget *parent)
    : QWidget(parent), background_(palette().color(QPalette::Button)), repeatTimer_(new QTimer(this)) {
    resize(100, 20);
    setMouseTracking(true);
    repeatTimer_->setSingleShot(false);
    connect(repeatTimer_, &QTimer::timeout, this, &TPosDisplay::Repeat);
}

void TPosDisplay::SetPosition(int bar, int beat, int tick) {
    bar_ = bar;
    beat_ = beat;
    tick_ = tick;
    RedrawNumbers();
}

void TPosDisplay::SetBar(int bar) {
    if (bar != bar_)
        SetPosition(bar, beat_, tick_);
}

void TPosDisplay::SetBeat(int beat) {
    if (beat != beat_)
        SetPosition(bar_, beat, tick_);
}

void TPosDisplay::SetTick(int tick) {
    if (tick != tick_)
        SetPosition(bar_, beat_, tick);
}

void TPosDisplay::SetSpacing(int spacing) {
    if (spacing != spacing_) {
        spacing_ = spacing;
        Changed();
    }
}

void TPosDisplay::SetBevelInner(display::TBevelCut cut) {
    if (cut != bevelInner_) {
        bevelInner_ = cut;
        Changed();
    }
}

void TPosDisplay::SetBevelOuter(display::TBevelCut cut) {
    if (cut != bevelOuter_) {
        bevelOuter_ = cut;
        Changed();
    }
}

void TPosDisplay::SetBorderStyle(TBorderStyle style) {
    if (style != borderStyle_) {
        borderStyle_ = style;
        Changed();
    }
}

void TPosDisplay::SetBackgroundColor(const QColor &color) {
    if (color != background_) {
        background_ = color;
        Changed();
    }
}

void TPosDisplay::SetAlignment(display::TTextAlign align) {
    if (align != alignment_) {
        alignment_ = align;
        Changed();
    }
}

void TPosDisplay::SetTextColor(const QColor &color) {
    if (color != textColor_) {
        textColor_ = color;
        Changed();
    }
}

QString TPosDisplay::BoxText(int box) const {
    switch (box) {
    case 0:
        return QString::number(qint64(bar_) + 1);
    case 1:
        return QString::number(qint64(beat_) + 1);
    case 2:
        return QString::number(tick_);
    default:
        return QString();
    }
}

bool TPosDisplay::Repeating() const { return repeatTimer_->isActive(); }

int TPosDisplay::RepeatInterval() const { return repeatTimer_->interval(); }

display::PosLayout TPosDisplay::Layout() const {
    return display::LayoutPosDisplay(width(), height(), spacing_, bevelInner_, bevelOuter_,
                                     QFontMetrics(font()).boundingRect(QLatin1Char('0')).height());
}

void TPosDisplay::Changed() { update(); }

void TPosDisplay::RedrawNumbers() {
    const display::PosLayout l = Layout();
    for (const display::Rect &box : l.boxes)
        update(ToQRect(box));
}

void TPosDisplay::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const display::PosLayout l = Layout();
    for (int i = 0; i < 3; ++i) {
        display::DrawBevel(p, l.outerBevels[i], bevelOuter_, palette());
        display::DrawBevel(p, l.innerBevels[i], bevelInner_, palette());
    }
    if (borderStyle_ == TBorderStyle::Single) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QFontMetrics fm(font());
    p.setPen(textColor_);
    for (int i = 0; i < 3; ++i) {
        const QRect box = ToQRect(l.boxes[i]);
        if (box.isEmpty())
            continue;
        p.fillRect(box, background_);
        const QString text = BoxText(i);
        const int x = display::AlignTextLeft(l.boxes[i], fm.horizontalAdvance(text), alignment_);
        p.save();
        p.setClipRect(box);
        p.drawText(x, l.textLine - 1 + fm.ascent(), text);
        p.restore();
    }
}

void TPosDisplay::SetHotBox(int box) {
    hotBox_ = box;
    if (box >= 0) {
        if (!cursorSaved_) {
            savedCursor_ = cursor();
            cursorSaved_ = true;
        }
        setCursor(Qt::PointingHandCursor);
    } else {
        if (cursorSaved_)
            setCursor(savedCursor_);
        repeatTimer_->stop();
    }
}

void TPosDisplay::mouseMoveEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    SetHotBox(display::BoxAt(Layout(), pos.x(), pos.y()));
}

void TPosDisplay::leaveEvent(QEvent *) { SetHotBox(-1); }

void TPosDisplay::mousePressEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    hotBox_ = display::BoxAt(Layout(), pos.x(), pos.y());
    if (hotBox_ < 0 || !OnBoxClicked)
        return;
    repeatButton_ = event->button();
    repeatModifiers_ = event->modifiers();
    repeatBox_ = hotBox_;
    OnBoxClicked(this, repeatButton_, repeatBox_, repeatModifiers_);
    repeatTimer_->start(display::kFirstRepeatMs);
}

void TPosDisplay::mouseReleaseEvent(QMouseEvent *) { repeatTimer_->stop(); }

void TPosDisplay::Repeat() {
    if (!OnBoxClicked || repeatBox_ < 0) {
        repeatTimer_->stop();
        return;
    }
    OnBoxClicked(this, repeatButton_, repeatBox_, repeatModifiers_);
    repeatTimer_->setInterval(display::NextRepeatInterval(repeatTimer_->interval()));
}
