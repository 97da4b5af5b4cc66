#pragma once
// The keyboard of a Piano tab: one drawn widget of 100 key shapes (TKeyboardModel) and what
// its mouse does: hovering names the key, clicking writes the key into the caret line (or a
// new line) and sounds the line.
#include "mainwindow/live/Fretboard.h"
#include "mainwindow/rules/KeyboardModel.h"

#include <QPointer>
#include <QWidget>

class TKeyboardView : public QWidget {
    Q_OBJECT
public:
    explicit TKeyboardView(TKeyboardModel &model, QWidget *parent = nullptr);

    // The keys' hints show only while the window's hints are on.
    bool HintsShown = true;

    std::function<void(int key, Qt::MouseButton, Qt::KeyboardModifiers)> OnKeyDown;
    std::function<void(int key)> OnKeyMove;

    // `DrawKeyboard` (0, 18, H - 20, W) for the widget's size.
    void LayoutKeys();
    int KeyAt(QPoint p) const { return model_.HitTest(p.x(), p.y()); }

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    TKeyboardModel &model_;
};

class TKeyboard {
public:
    explicit TKeyboard(const TInstrumentParts &parts);
    // The view goes with it (its handlers reach back here).
    ~TKeyboard();
    TKeyboard(const TKeyboard &) = delete;
    TKeyboard &operator=(const TKeyboard &) = delete;

    TKeyboardModel &Model() { return model_; }
    TKeyboardView *View() const { return view_; }
    bool KeyClickBusy = false;

    // `Shape2MouseDown` on key 1..100.
    void Shape2MouseDown(int key, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // `Shape2MouseMove`: names the key under the pointer.
    void Shape2MouseMove(int key);

private:
    bool OnPianoTab() const;
    const TInstrumentParts p_;
    TKeyboardModel model_;
    QPointer<TKeyboardView> view_;
};
