#include "mainwindow/drums/DrumGridView.h"

#include "song/DrumGrid.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
const QColor kGridLine(160, 160, 160);
const QColor kBeatYellow(255, 255, 0);
const QColor kCursorColour(147, 254, 242); // a light cyan bar over the column being played
constexpr int kBarLineWidth = 4;
} // namespace

TDrumGridView::TDrumGridView(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StringGridDrums"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setBold(true);
    setFont(f);
}

void TDrumGridView::SetModel(const DrumGridModel *grid, const DrumGridEditor *editor) {
    grid_ = grid;
    editor_ = editor;
    update();
}

void TDrumGridView::SetStepsPerBeat(int steps) {
    if (steps > 0 && steps != stepsPerBeat_) {
        stepsPerBeat_ = steps;
        update();
    }
}

void TDrumGridView::SetPlayColumn(int column) {
    if (column != playColumn_) {
        playColumn_ = column;
        update(0, 0, width(), kCursorBand);
    }
}

int TDrumGridView::Columns() const { return grid_ ? grid_->Columns() : 0; }

int TDrumGridView::ColumnWidth() const {
    // One column's width stays free on the right.
    return std::max(4, (width() - 1) / (Columns() + 1));
}

int TDrumGridView::RowHeight() const {
    // And one row's height below.
    return std::max(4, (height() - kCursorBand - 1) / (kDrumRows + 1));
}

QRect TDrumGridView::CellRect(int column, int row) const {
    const int w = ColumnWidth(), h = RowHeight();
    return {column * w, kCursorBand + row * h, w, h};
}

bool TDrumGridView::CellAt(const QPoint &p, int &column, int &row) const {
    const int cols = Columns();
    if (cols <= 0 || p.x() < 0 || p.y() < kCursorBand)
        return false;
    const int c = p.x() / ColumnWidth(), r = (p.y() - kCursorBand) / RowHeight();
    if (c >= cols || r >= kDrumRows)
        return false;
    column = c;
    row = r;
    return true;
}

void TDrumGridView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const int cols = Columns();
    if (!grid_ || cols <= 0)
        return;
    const int w = ColumnWidth(), h = RowHeight();
    const int stepsPerBar = cols; // the grid holds one bar
    const DrumGridRect sel = editor_ ? editor_->Selection() : DrumGridRect{-1, -1, -1, -1};
    const QColor highlight = palette().color(QPalette::Highlight);
    QFont f = font();
    f.setPixelSize(std::clamp(h - 4, 6, 16));
    p.setFont(f);

    for (int c = 0; c < cols; ++c) {
        const bool beatStart = c % stepsPerBeat_ == 0;
        for (int r = 0; r < kDrumRows; ++r) {
            const QRect cell = CellRect(c, r);
            const bool selected = c >= sel.left && c <= sel.right && r >= sel.top && r <= sel.bottom;
            p.fillRect(cell, selected ? highlight : beatStart ? kBeatYellow : QColor(Qt::white));
            p.setPen(kGridLine);
            p.drawRect(cell.adjusted(0, 0, 0, 0));
            if (const int level = grid_->Cell(c, r)) {
                p.setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
                p.drawText(cell, Qt::AlignCenter, QString::number(level));
            }
        }
        // The end of the bar: a thick black line down the last column's right edge.
        if ((c + 1) % stepsPerBar == 0)
            p.fillRect(QRect(c * w + w - kBarLineWidth / 2, kCursorBand, kBarLineWidth, kDrumRows * h + 1), Qt::black);
    }
    // The cursor bar: 5 pixels high, one column wide, above the column being played.
    const int at = std::max(playColumn_, 0);
    p.fillRect(QRect(at * w, 0, w, 5), kCursorColour);
}

void TDrumGridView::mousePressEvent(QMouseEvent *event) {
    setFocus(Qt::MouseFocusReason);
    int c = 0, r = 0;
    dragColumn_ = dragRow_ = -1;
    if (!CellAt(event->position().toPoint(), c, r))
        return; // a press beside the cells does nothing
    if (event->button() == Qt::LeftButton) {
        dragColumn_ = c;
        dragRow_ = r;
    }
    emit CellPressed(c, r, event->button(), event->modifiers());
}

void TDrumGridView::mouseMoveEvent(QMouseEvent *event) {
    if (!(event->buttons() & Qt::LeftButton) || dragColumn_ < 0)
        return;
    int c = 0, r = 0;
    if (!CellAt(event->position().toPoint(), c, r) || (c == dragColumn_ && r == dragRow_))
        return;
    dragColumn_ = c;
    dragRow_ = r;
    emit CellDragged(c, r);
}

void TDrumGridView::keyPressEvent(QKeyEvent *event) {
    const int key = event->key();
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        emit KeyTyped(key, event->modifiers());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit KeyTyped('\r', event->modifiers());
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= ' ' && text[0].unicode() < 0x7F) {
        emit KeyTyped(text[0].unicode(), event->modifiers());
        return;
    }
    QWidget::keyPressEvent(event);
}

void TDrumGridView::contextMenuEvent(QContextMenuEvent *event) {
    int c = 0, r = 0;
    // A right press on a cell emptied it; the menu opens beside the cells or from the keyboard.
    if (event->reason() == QContextMenuEvent::Mouse && CellAt(event->pos(), c, r))
        return;
    emit PopUpRequested(event->globalPos());
}
