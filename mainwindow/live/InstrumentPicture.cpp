#include "mainwindow/live/InstrumentPicture.h"

#include <QPainter>

TInstrumentPicture::TInstrumentPicture(QWidget *parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PaintBoxInstrument"));
    setFrameShape(QFrame::NoFrame);
    colour_ = palette().color(QPalette::Button);
}

void TInstrumentPicture::SetColour(const QColor &colour) {
    if (colour_ != colour) {
        colour_ = colour;
        update();
    }
}

void TInstrumentPicture::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), colour_.darker(104));
    p.setPen(colour_.darker(125));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
