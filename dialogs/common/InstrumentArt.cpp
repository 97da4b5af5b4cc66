#include "dialogs/common/InstrumentArt.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTimer>

#include <cmath>

namespace {

const QColor kWood(205, 140, 60);
const QColor kDarkWood(110, 62, 28);
const QColor kEdge(80, 45, 18);
const QColor kNeck(95, 55, 25);
const QColor kString(235, 235, 225);
const QColor kMetal(170, 170, 180);

// Draws in a frame of 200 x 100 units, scaled into `area`.
void Frame(QPainter &p, const QRectF &area) {
    const double scale = std::min(area.width() / 200.0, area.height() / 100.0);
    p.translate(area.center());
    p.scale(scale, scale);
    p.translate(-100, -50);
}

// A neck from x0 (the body) to x1 (the nut) around y with `strings` strings from `stringStart`
// over a headstock; with `shortStringEnd` the last string ends at a peg there (a banjo's fifth).
void Neck(QPainter &p, double x0, double x1, double y, double width, int strings, double stringStart, int frets,
          double shortStringEnd = 0) {
    p.setPen(QPen(kEdge, 1));
    p.setBrush(kNeck);
    p.drawRect(QRectF(x0, y - width / 2, x1 - x0, width));
    QPainterPath head;
    head.moveTo(x1, y - width / 2 - 1);
    head.lineTo(x1 + 18, y - width / 2 - 4);
    head.lineTo(x1 + 18, y + width / 2 + 4);
    head.lineTo(x1, y + width / 2 + 1);
    head.closeSubpath();
    p.setBrush(kDarkWood);
    p.drawPath(head);
    // Frets close up towards the body as on a real neck; the last one meets the body.
    p.setPen(QPen(kMetal, 1.2));
    const double scale = (x1 - x0) / (1.0 - std::pow(0.944, frets));
    for (int f = 1; f <= frets; ++f) {
        const double x = x1 - scale * (1.0 - std::pow(0.944, f));
        p.drawLine(QPointF(x, y - width / 2), QPointF(x, y + width / 2));
    }
    // Tuning pegs.
    p.setPen(Qt::NoPen);
    p.setBrush(kMetal);
    for (int s = 0; s < strings; ++s) {
        const double py = y - width / 2 - 3 + (width + 6) * (s + 0.5) / strings;
        p.drawEllipse(QPointF(x1 + 9 + (s % 2) * 5, py), 1.6, 1.6);
    }
    p.setPen(QPen(kString, 0.7));
    for (int s = 0; s < strings; ++s) {
        const double sy = y - width / 2 + width * (s + 0.5) / strings;
        const bool shortString = shortStringEnd > 0 && s == strings - 1;
        p.drawLine(QPointF(stringStart, sy), QPointF(shortString ? shortStringEnd : x1 + 10, sy));
        if (shortString) {
            p.save();
            p.setPen(Qt::NoPen);
            p.setBrush(kMetal);
            p.drawEllipse(QPointF(shortStringEnd, y + width / 2 + 1.5), 2.0, 2.0);
            p.restore();
        }
    }
}

void Guitar(QPainter &p, double neckEnd, int strings, const QColor &top, double bodyScale) {
    QPainterPath lower, upper;
    lower.addEllipse(QPointF(45, 50), 38 * bodyScale, 34 * bodyScale);
    upper.addEllipse(QPointF(45 + 40 * bodyScale, 50), 28 * bodyScale, 26 * bodyScale);
    const QPainterPath body = lower.united(upper);
    QLinearGradient shade(0, 15, 0, 85);
    shade.setColorAt(0, top.lighter(120));
    shade.setColorAt(1, top.darker(130));
    p.setPen(QPen(kEdge, 2));
    p.setBrush(shade);
    p.drawPath(body);
    p.setBrush(QColor(35, 20, 8));
    p.drawEllipse(QPointF(45 + 30 * bodyScale, 50), 11 * bodyScale, 11 * bodyScale);
    p.setBrush(kDarkWood);
    p.drawRect(QRectF(22, 44, 6, 12)); // the bridge
    Neck(p, 45 + 50 * bodyScale, neckEnd, 50, strings > 4 ? 11 : 9, strings, 25, 14);
}

void Banjo(QPainter &p, int strings, double neckEnd) {
    QRadialGradient head(QPointF(42, 45), 40);
    head.setColorAt(0, QColor(252, 248, 232));
    head.setColorAt(1, QColor(225, 215, 190));
    p.setPen(QPen(kMetal.darker(130), 5));
    p.setBrush(head);
    p.drawEllipse(QPointF(42, 50), 36, 36);
    p.setPen(QPen(kMetal, 1));
    for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8;
        p.drawPoint(QPointF(42 + 38.5 * std::cos(a), 50 + 38.5 * std::sin(a)));
    }
    p.setBrush(kDarkWood);
    p.setPen(QPen(kEdge, 1));
    p.drawRect(QRectF(22, 45, 5, 10));
    // The five-string banjo's short string ends at its peg part way up the neck.
    Neck(p, 78, neckEnd, 50, strings == 5 ? 11 : 9, strings, 24, 17, strings == 5 ? 125 : 0);
}

void Mandolin(QPainter &p) {
    QPainterPath body;
    body.moveTo(95, 50);
    body.cubicTo(80, 10, 15, 12, 12, 50);
    body.cubicTo(15, 88, 80, 90, 95, 50);
    QLinearGradient shade(0, 15, 0, 85);
    shade.setColorAt(0, QColor(190, 95, 40));
    shade.setColorAt(1, QColor(120, 50, 20));
    p.setPen(QPen(kEdge, 2));
    p.setBrush(shade);
    p.drawPath(body);
    p.setBrush(QColor(35, 20, 8));
    p.drawEllipse(QPointF(62, 50), 9, 9);
    Neck(p, 92, 160, 50, 10, 8, 22, 12);
}

void Piano(QPainter &p) {
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.setBrush(QColor(40, 25, 20));
    p.drawRoundedRect(QRectF(4, 18, 192, 68), 6, 6);
    const int whites = 14;
    const double w = 184.0 / whites;
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    for (int i = 0; i < whites; ++i) {
        p.setBrush(QColor(250, 250, 245));
        p.drawRect(QRectF(8 + i * w, 32, w, 50));
    }
    p.setBrush(QColor(15, 15, 15));
    for (int i = 0; i < whites - 1; ++i) {
        const int inOctave = i % 7;
        if (inOctave == 2 || inOctave == 6)
            continue; // no black key between E-F and B-C
        p.drawRect(QRectF(8 + (i + 1) * w - w * 0.3, 32, w * 0.6, 30));
    }
    p.setPen(QColor(220, 200, 150));
    QFont f = p.font();
    f.setPointSizeF(7);
    p.setFont(f);
    p.drawText(QRectF(4, 19, 192, 12), Qt::AlignCenter, QStringLiteral("~ Tarrowind ~"));
}

void Logo(QPainter &p) {
    // A staff with a few notes and the name over it.
    p.setPen(QPen(QColor(60, 90, 140), 1));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(6, 58 + i * 6), QPointF(194, 58 + i * 6));
    p.setBrush(QColor(60, 90, 140));
    const double notes[][2] = {{30, 79}, {60, 70}, {90, 64}, {120, 73}, {150, 61}, {176, 67}};
    for (const auto &n : notes) {
        p.drawEllipse(QPointF(n[0], n[1]), 3.6, 2.6);
        p.drawLine(QPointF(n[0] + 3.4, n[1]), QPointF(n[0] + 3.4, n[1] - 18));
    }
    QFont f(QStringLiteral("Serif"));
    f.setBold(true);
    f.setItalic(true);
    f.setPointSizeF(26);
    p.setFont(f);
    QPainterPath title;
    title.addText(QPointF(0, 0), f, QStringLiteral("Tarrowind"));
    const QRectF box = title.boundingRect();
    p.save();
    p.translate(100 - box.center().x(), 32 - box.center().y());
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(240, 160, 40));
    fill.setColorAt(1, QColor(170, 60, 20));
    p.setPen(QPen(QColor(90, 30, 10), 1));
    p.setBrush(fill);
    p.drawPath(title);
    p.restore();
}

void Lamp(QPainter &p) {
    QRadialGradient glow(QPointF(100, 40), 40);
    glow.setColorAt(0, QColor(255, 250, 180));
    glow.setColorAt(1, QColor(255, 210, 60));
    p.setPen(QPen(QColor(160, 120, 20), 2));
    p.setBrush(glow);
    QPainterPath bulb;
    bulb.addEllipse(QPointF(100, 40), 26, 26);
    bulb.addRect(QRectF(88, 55, 24, 20));
    p.drawPath(bulb.simplified());
    p.setBrush(kMetal);
    p.drawRect(QRectF(88, 75, 24, 12));
    p.setPen(QPen(QColor(120, 120, 130), 1));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(88, 78 + i * 3.5), QPointF(112, 78 + i * 3.5));
    // A note inside the bulb.
    p.setPen(QPen(QColor(140, 90, 10), 2.5));
    p.setBrush(QColor(140, 90, 10));
    p.drawEllipse(QPointF(96, 50), 5, 3.6);
    p.drawLine(QPointF(101, 50), QPointF(101, 26));
    p.drawLine(QPointF(101, 26), QPointF(109, 32));
}

} // namespace

void PaintArt(QPainter &painter, const QRectF &area, TArt art) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Frame(painter, area);
    switch (art) {
    case TArt::Logo:
        Logo(painter);
        break;
    case TArt::Piano:
        Piano(painter);
        break;
    case TArt::Mandolin:
        Mandolin(painter);
        break;
    case TArt::Uke:
        Guitar(painter, 150, 4, QColor(225, 170, 90), 0.7);
        break;
    case TArt::Banjo:
        Banjo(painter, 5, 175);
        break;
    case TArt::Bass:
        Guitar(painter, 176, 4, QColor(150, 30, 25), 0.95);
        break;
    case TArt::Tenor:
        Banjo(painter, 4, 160);
        break;
    case TArt::Guitar:
        Guitar(painter, 172, 6, kWood, 1.0);
        break;
    case TArt::Tip:
        Lamp(painter);
        break;
    }
    painter.restore();
}

TArtView::TArtView(TArt art, QWidget *parent) : QWidget(parent), art_(art) {}

void TArtView::SetArt(TArt art) {
    if (art_ == art)
        return;
    art_ = art;
    update();
}

void TArtView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    PaintArt(p, QRectF(rect()).adjusted(2, 2, -2, -2), art_);
}

void TArtView::mouseReleaseEvent(QMouseEvent *event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}

TGuitarAnimation::TGuitarAnimation(QWidget *parent) : QWidget(parent), timer_(new QTimer(this)) {
    setMinimumSize(160, 80);
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, [this] {
        ++frame_;
        update();
    });
}

void TGuitarAnimation::Start() {
    frame_ = 0;
    timer_->start();
}

void TGuitarAnimation::Stop() { timer_->stop(); }

bool TGuitarAnimation::Running() const { return timer_->isActive(); }

void TGuitarAnimation::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    PaintArt(p, area, TArt::Guitar);
    // The guitar's strings again, the struck one swinging out and dying away.
    p.save();
    const double scale = std::min(area.width() / 200.0, area.height() / 100.0);
    p.translate(area.center());
    p.scale(scale, scale);
    p.translate(-100, -50);
    const int struck = (frame_ / 8) % 6;
    const double age = frame_ % 8;
    for (int s = 0; s < 6; ++s) {
        const double y = 50 - 5.5 + 11.0 * (s + 0.5) / 6;
        const double swing = s == struck ? std::sin(age * 2.3) * 2.4 * std::exp(-age / 4.0) : 0.0;
        QPainterPath string;
        string.moveTo(25, y);
        string.quadTo(60, y + swing, 95, y);
        p.setPen(QPen(s == struck ? QColor(255, 230, 120) : kString, s == struck ? 1.1 : 0.7));
        p.setBrush(Qt::NoBrush);
        p.drawPath(string);
    }
    // Notes rise from the sound hole and fade.
    for (int n = 0; n < 3; ++n) {
        const int t = (frame_ + n * 13) % 40;
        const double x = 75 + n * 14 + std::sin(t * 0.3 + n) * 4;
        const double y = 40 - t * 1.0;
        QColor ink(250, 220, 90);
        ink.setAlphaF(std::max(0.0, 1.0 - t / 40.0));
        p.setPen(QPen(ink, 1.5));
        p.setBrush(ink);
        p.drawEllipse(QPointF(x, y), 3, 2.2);
        p.drawLine(QPointF(x + 2.8, y), QPointF(x + 2.8, y - 10));
    }
    p.restore();
}
