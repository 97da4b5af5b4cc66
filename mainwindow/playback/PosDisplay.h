#pragma once
// `TPosDisplay`: bar, beat and tick of the song position in three bevelled boxes, shown
// 1-based for bar and beat ("1 1 0" at the start). Clicking a box fires OnBoxClicked,
// and holding the button repeats it, faster and faster.
#include "mainwindow/rules/DisplayGeometry.h"

#include <QColor>
#include <QCursor>
#include <QWidget>

#include <functional>

class QTimer;

class TPosDisplay : public QWidget {
    Q_OBJECT
public:
    // sender, mouse button, box index 0..2, keyboard modifiers
    using BoxClickedHandler = std::function<void(TPosDisplay *, Qt::MouseButton, int, Qt::KeyboardModifiers)>;
    enum class TBorderStyle { None, Single };

    explicit TPosDisplay(QWidget *parent = nullptr);

    // Stores all three and redraws the three numbers.
    void SetPosition(int bar, int beat, int tick);
    int Bar() const { return bar_; }
    int Beat() const { return beat_; }
    int Tick() const { return tick_; }
    void SetBar(int bar);
    void SetBeat(int beat);
    void SetTick(int tick);

    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    display::TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(display::TBevelCut cut);
    display::TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(display::TBevelCut cut);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    QColor BackgroundColor() const { return background_; }
    void SetBackgroundColor(const QColor &color);
    display::TTextAlign Alignment() const { return alignment_; }
    void SetAlignment(display::TTextAlign align);
    QColor TextColor() const { return textColor_; }
    void SetTextColor(const QColor &color);

    BoxClickedHandler OnBoxClicked;

    // The text shown in box 0..2 ("Bar + 1", "Beat + 1", "Tick").
    QString BoxText(int box) const;
    // The box under the mouse, -1 none.
    int HotBox() const { return hotBox_; }
    bool Repeating() const;
    int RepeatInterval() const;
    display::PosLayout Layout() const;

    QSize sizeHint() const override { return {100, 20}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void Changed();
    void RedrawNumbers();
    void SetHotBox(int box);
    void Repeat();

    int bar_ = 0, beat_ = 0, tick_ = 0;
    int spacing_ = 2;
    display::TBevelCut bevelInner_ = display::TBevelCut::None;
    display::TBevelCut bevelOuter_ = display::TBevelCut::Lowered;
    TBorderStyle borderStyle_ = TBorderStyle::None;
    QColor background_;
    QColor textColor_ = Qt::black;
    display::TTextAlign alignment_ = display::TTextAlign::Center;

    int hotBox_ = -1;
    bool cursorSaved_ = false;
    QCursor savedCursor_;
    QTimer *repeatTimer_;
    Qt::MouseButton repeatButton_ = Qt::NoButton;
    Qt::KeyboardModifiers repeatModifiers_;
    int repeatBox_ = -1;
};
