#pragma once
// The instrument tab control (`PageControl1`): sixteen owner-drawn tabs, each in its
// record's colour with a bold caption, over one shared page body. A change of tab by
// the user can be refused (the Changing hook); changes made by code can run without
// raising any event.
#include <QColor>
#include <QFrame>
#include <QTabBar>

#include <functional>

class QPainter;

class TColourTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TColourTabBar(QWidget *parent = nullptr);
    void SetTabColour(int index, const QColor &colour);
    QColor TabColour(int index) const;
    // The captions' font at the largest size (up to the usual one) at which every tab fits in `width`.
    void FitTabsTo(int width);
    // Width of all tabs side by side.
    int TabsWidth() const;
    // One tab: its record's colour behind its caption in bold, at left + 5, top + 3.
    void PageControl1DrawTab(QPainter &p, int index, QRect rect, bool active);
    // Asked before the user's change; false keeps the tab.
    std::function<bool()> changing;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    QSize tabSizeHint(int index) const override;

private:
    bool Allowed(int target);
    std::vector<QColor> colours_;
    qreal basePointSize_ = 0;
};

class TPageControl : public QFrame {
    Q_OBJECT
public:
    explicit TPageControl(QWidget *parent = nullptr);

    TColourTabBar *TabBar() const { return bar_; }
    // The page body: the instrument picture and the mixer live on it.
    QFrame *Page() const { return page_; }

    int PageCount() const { return bar_->count(); }
    void AddPage(const QString &caption, const QColor &colour);
    int ActivePageIndex() const { return bar_->currentIndex(); }
    // By code; with runEvents false no change handler runs.
    void SetActivePageIndex(int index, bool runEvents);
    QString Caption(int index) const { return bar_->tabText(index); }
    void SetCaption(int index, const QString &caption);
    void SetPageColour(const QColor &colour);
    // A user's change to `index` (as a click would make it); false when refused.
    bool UserSelect(int index);

signals:
    // After the active page changed through the user or SetActivePageIndex(.., true).
    void Changed();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void LayOut();
    TColourTabBar *bar_;
    QFrame *page_;
    bool quiet_ = false;
};
