#include "mainwindow/window/PageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionTab>
#include <QVBoxLayout>

#include <algorithm>

TColourTabBar::TColourTabBar(QWidget *parent) : QTabBar(parent) {
    setObjectName(QStringLiteral("PageControl1Tabs"));
    setExpanding(false);
    setUsesScrollButtons(true);
    setDrawBase(false);
    setElideMode(Qt::ElideNone);
    QFont f = font();
    f.setBold(true);
    basePointSize_ = f.pointSizeF() * 0.85; // sixteen tabs fit across the window
    f.setPointSizeF(basePointSize_);
    setFont(f);
}

int TColourTabBar::TabsWidth() const {
    int w = 0;
    for (int i = 0; i < count(); ++i)
        w += tabSizeHint(i).width();
    return w;
}

void TColourTabBar::FitTabsTo(int width) {
    // Upper-case captions are wider: rather a slightly smaller font than tabs behind scroll buttons.
    constexpr qreal kSmallest = 6.0, kStep = 0.25;
    QFont f = font();
    qreal size = basePointSize_;
    f.setPointSizeF(size);
    setFont(f);
    while (TabsWidth() > width && size - kStep >= kSmallest) {
        size -= kStep;
        f.setPointSizeF(size);
        setFont(f);
    }
}

void TColourTabBar::SetTabColour(int index, const QColor &colour) {
    if (index < 0)
        return;
    if (static_cast<int>(colours_.size()) <= index)
        colours_.resize(static_cast<size_t>(index) + 1, palette().button().color());
    colours_[static_cast<size_t>(index)] = colour;
    update();
}

QColor TColourTabBar::TabColour(int index) const {
    return index >= 0 && index < static_cast<int>(colours_.size()) ? colours_[static_cast<size_t>(index)]
                                                                   : palette().button().color();
}

QSize TColourTabBar::tabSizeHint(int index) const {
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(tabText(index)) + 10, fm.height() + 8};
}

void TColourTabBar::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const int current = currentIndex();
    for (int i = 0; i < count(); ++i) {
        const QRect r = tabRect(i);
        if (r.isValid() && r.intersects(rect()))
            PageControl1DrawTab(p, i, r, i == current);
    }
}

void TColourTabBar::PageControl1DrawTab(QPainter &p, int index, QRect r, bool active) {
    if (!active)
        r.adjust(0, 2, 0, 0); // the active tab stands a little higher
    p.fillRect(r, TabColour(index));
    p.setPen(palette().mid().color());
    p.drawRect(r.adjusted(0, 0, -1, active ? 0 : -1));
    if (active) {
        p.setPen(palette().light().color());
        p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    }
    p.setPen(Qt::black);
    p.setFont(font());
    p.drawText(r.left() + 5, r.top() + 3 + p.fontMetrics().ascent(), tabText(index));
}

bool TColourTabBar::Allowed(int target) {
    if (target < 0 || target == currentIndex())
        return false;
    return !changing || changing();
}

void TColourTabBar::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    const int target = tabAt(e->position().toPoint());
    if (target >= 0 && target != currentIndex() && Allowed(target))
        setCurrentIndex(target);
    e->accept();
}

void TColourTabBar::wheelEvent(QWheelEvent *e) { e->ignore(); }

void TColourTabBar::keyPressEvent(QKeyEvent *e) {
    int target = -1;
    if (e->key() == Qt::Key_Left)
        target = currentIndex() - 1;
    else if (e->key() == Qt::Key_Right)
        target = currentIndex() + 1;
    if (target >= 0 && target < count() && Allowed(target))
        setCurrentIndex(target);
    e->accept();
}

TPageControl::TPageControl(QWidget *parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PageControl1"));
    bar_ = new TColourTabBar(this);
    page_ = new QFrame(this);
    page_->setObjectName(QStringLiteral("PageControl1Page"));
    page_->setFrameShape(QFrame::StyledPanel);
    page_->setAutoFillBackground(true);
    connect(bar_, &QTabBar::currentChanged, this, [this](int) {
        if (!quiet_)
            emit Changed();
    });
}

void TPageControl::AddPage(const QString &caption, const QColor &colour) {
    const QSignalBlocker block(bar_);
    const int i = bar_->addTab(caption);
    bar_->SetTabColour(i, colour);
}

void TPageControl::SetActivePageIndex(int index, bool runEvents) {
    if (index < 0 || index >= PageCount())
        return;
    if (index == bar_->currentIndex()) {
        if (runEvents)
            emit Changed();
        return;
    }
    quiet_ = !runEvents;
    bar_->setCurrentIndex(index);
    quiet_ = false;
}

void TPageControl::SetCaption(int index, const QString &caption) {
    if (bar_->tabText(index) != caption) {
        bar_->setTabText(index, caption);
        LayOut();
    }
}

void TPageControl::SetPageColour(const QColor &colour) {
    QPalette pal = page_->palette();
    pal.setColor(QPalette::Window, colour);
    page_->setPalette(pal);
}

bool TPageControl::UserSelect(int index) {
    if (index < 0 || index >= PageCount() || index == bar_->currentIndex())
        return false;
    if (bar_->changing && !bar_->changing())
        return false;
    bar_->setCurrentIndex(index);
    return true;
}

void TPageControl::resizeEvent(QResizeEvent *) { LayOut(); }

void TPageControl::LayOut() {
    bar_->FitTabsTo(width());
    const int h = bar_->sizeHint().height();
    bar_->setGeometry(0, 0, width(), h);
    page_->setGeometry(0, h, width(), std::max(0, height() - h));
}
