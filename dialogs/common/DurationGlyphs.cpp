#include "dialogs/common/DurationGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace glyphs {

namespace {
QPixmap Blank(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

void Flags(QPainter &p, double x, double top, int count, double s) {
    for (int i = 0; i < count; ++i) {
        const double y = top + i * s * 0.16;
        QPainterPath f;
        f.moveTo(x, y);
        f.cubicTo(x + s * 0.12, y + s * 0.1, x + s * 0.28, y + s * 0.14, x + s * 0.22, y + s * 0.32);
        p.drawPath(f);
    }
}
} // namespace

QPixmap NotePixmap(int index, int size) {
    QPixmap pm = Blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QPen pen(Qt::black, std::max(1.2, s / 16));
    p.setPen(pen);
    const QRectF head(s * 0.22, s * 0.64, s * 0.36, s * 0.24);
    p.save();
    p.translate(head.center());
    p.rotate(-20);
    p.translate(-head.center());
    p.setBrush(index >= 2 ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
    p.drawEllipse(head);
    p.restore();
    if (index >= 1) {
        const double x = head.right() - s * 0.02;
        p.drawLine(QPointF(x, head.center().y()), QPointF(x, s * 0.1));
        p.setBrush(Qt::NoBrush);
        if (index >= 3)
            Flags(p, x, s * 0.1, index - 2, s);
    }
    return pm;
}

QPixmap RestPixmap(int index, int size) {
    QPixmap pm = Blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(QPen(Qt::black, std::max(1.2, s / 16)));
    switch (index) {
    case 0: // whole rest: block hanging from a line
        p.drawLine(QPointF(s * 0.15, s * 0.4), QPointF(s * 0.85, s * 0.4));
        p.fillRect(QRectF(s * 0.3, s * 0.4, s * 0.4, s * 0.16), Qt::black);
        break;
    case 1: // half rest: block sitting on a line
        p.drawLine(QPointF(s * 0.15, s * 0.6), QPointF(s * 0.85, s * 0.6));
        p.fillRect(QRectF(s * 0.3, s * 0.44, s * 0.4, s * 0.16), Qt::black);
        break;
    case 2: { // quarter rest: the zigzag
        QPainterPath z;
        z.moveTo(s * 0.42, s * 0.1);
        z.lineTo(s * 0.6, s * 0.32);
        z.lineTo(s * 0.42, s * 0.52);
        z.lineTo(s * 0.6, s * 0.7);
        z.cubicTo(s * 0.3, s * 0.62, s * 0.34, s * 0.86, s * 0.5, s * 0.92);
        QPen thick(Qt::black, std::max(2.0, s / 9));
        p.setPen(thick);
        p.drawPath(z);
        break;
    }
    default: { // eighth and shorter: a slanted stem with one hook per flag
        const int hooks = std::clamp(index - 2, 1, 4);
        const double top = s * 0.12;
        p.drawLine(QPointF(s * 0.7, top), QPointF(s * 0.42, s * 0.92));
        p.setBrush(Qt::black);
        for (int i = 0; i < hooks; ++i) {
            const double y = top + i * s * 0.17;
            const double x = s * 0.7 - (y - top) * 0.35;
            p.drawEllipse(QPointF(x - s * 0.3, y + s * 0.03), s * 0.07, s * 0.07);
            p.drawLine(QPointF(x - s * 0.3, y + s * 0.06), QPointF(x, y));
        }
        break;
    }
    }
    return pm;
}

} // namespace glyphs
