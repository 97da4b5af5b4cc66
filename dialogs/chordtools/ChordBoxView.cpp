#include "dialogs/chordtools/ChordBoxView.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

void Paint(QPainter &p, const TCurrChordBox &box, int width, int height) {
    p.fillRect(0, 0, width, height, Qt::white);
    const TDiagramPicture picture = DrawChordDiagram(box, width, height);
    QFont font = p.font();
    font.setPixelSize(picture.fontHeight);
    font.setBold(false);
    font.setItalic(false);
    p.setFont(font);
    const QFontMetrics metrics(font);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const TDiagramItem &item : picture.items) {
        const QColor colour = item.red ? QColor(255, 0, 0) : QColor(Qt::black);
        const QString text = QString::fromStdString(item.text);
        switch (item.kind) {
        case TDiagramItem::Line:
            p.setPen(Qt::black);
            p.drawLine(item.x, item.y, item.x2, item.y2);
            break;
        case TDiagramItem::Dot:
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(colour);
            p.setBrush(colour);
            p.drawEllipse(item.x, item.y, item.size, item.size);
            p.setBrush(Qt::NoBrush);
            p.setRenderHint(QPainter::Antialiasing, false);
            break;
        case TDiagramItem::Text:
            p.setPen(colour);
            p.drawText(QPoint(item.x, item.y + metrics.ascent()), text);
            break;
        case TDiagramItem::BoxedText: {
            const QRect box(item.x, item.y, metrics.horizontalAdvance(text), metrics.height());
            p.fillRect(box, Qt::white);
            p.setPen(Qt::black);
            p.drawRect(box.adjusted(-1, -1, 0, 0));
            p.setPen(colour);
            p.drawText(QPoint(item.x, item.y + metrics.ascent()), text);
            break;
        }
        }
    }
}

} // namespace

TChordBoxView::TChordBoxView(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBoxChordCalc"));
    setCursor(Qt::PointingHandCursor);
}

void TChordBoxView::SetBox(const TCurrChordBox &box) {
    box_ = box;
    update();
}

void TChordBoxView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    Paint(p, box_, width(), height());
}

QImage TChordBoxView::Snapshot() const {
    QImage image(size(), QImage::Format_RGB32);
    QPainter p(&image);
    Paint(p, box_, width(), height());
    const QString name = QString::fromStdString(box_.ChordName);
    const QFontMetrics metrics(p.font());
    p.fillRect(QRect(0, 0, metrics.horizontalAdvance(name), metrics.height()), palette().color(QPalette::Button));
    p.setPen(Qt::black);
    p.drawText(QPoint(0, metrics.ascent()), name);
    return image;
}

void TChordBoxView::mouseReleaseEvent(QMouseEvent *event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}
