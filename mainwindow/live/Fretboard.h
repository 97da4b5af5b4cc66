#pragma once
// The fretboard of a fretted tab: `PaintBoxInstrument`'s neck drawn in one widget with its
// dot and marker shapes (TFretboardModel), and what its mouse does: hovering names the note,
// clicking a fret writes it into the caret line (or a new line) and sounds it.
// TInstrumentParts is what the fretboard and the keyboard work with.
#include "mainwindow/rules/FretboardModel.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

class TEditorLines;
class TLiveSounding;
struct TSongModel;

// The window's widget the pictures go into.
struct TInstrumentWidgets {
    QWidget *PaintBoxInstrument = nullptr; // the pictures' parent (none: top-level, in tests)
};

// What the fretboard and the keyboard ask of the window.
struct TInstrumentCalls {
    std::function<bool()> Busy; // anything playing: clicks do nothing
    // A key click sounds and waits (true) or is done (false): the window counts the wait as busy,
    // so a tab change or an edit cannot land in the middle of it.
    std::function<void(bool waiting)> ClickWaiting;
    std::function<bool()> ScaleRestrictor;        // clicks only on a shown scale's notes
    std::function<std::string()> CurrentDuration; // " Q"
    std::function<void()> ShowDurationPicker;     // Ctrl + left click
    std::function<void(int line, bool useGiven)> SelectEditorLine;
    std::function<void()> FocusEditor;
    std::function<void()> MarkModified; // Modified, "*", upper-case caption
    std::function<void(int line)> ShowCaretPosition;
    std::function<void(const std::string &text)> ShowNoteText; // status panel 4
    std::function<void(int line)> ShowLineOnInstrument;
    std::function<void()> RepaintEditor;
};

struct TInstrumentParts {
    TSongModel &Song;
    TEditorLines &Lines;
    TLiveSounding &Sound;
    int WindowWidth = 815; // the main window's width
    TInstrumentWidgets Widgets;
    TInstrumentCalls Calls;
};

// One drawn widget: the neck, the frets, the strings and every shown shape.
class TFretboardView : public QWidget {
    Q_OBJECT
public:
    TFretboardView(TFretboardModel &model, std::function<const TInstrumentTab &()> tab, QWidget *parent = nullptr);

    // The dots' and markers' hints show only while the window's hints are on.
    bool HintsShown = true;

    std::function<void(const TFretHit &, Qt::MouseButton, Qt::KeyboardModifiers)> OnShapeDown;
    std::function<void(const TFretHit &)> OnShapeMove;
    std::function<void()> OnShapeUp;
    // Hit-testing respects the scale restrictor: only markers take clicks while it holds.
    std::function<bool()> MarkersOnly;
    int WindowWidth = 815;

    // Places the shapes for the widget's size (run on every paint).
    TFretboardGeometry LayoutShapes();
    // The shape under a point (the same test the mouse uses).
    std::optional<TFretHit> ShapeAt(QPoint p) const;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    void DrawNeck(QPainter &p, const TFretboardGeometry &g, const TInstrumentTab &tab);
    void DrawHead(QPainter &p, const TFretboardGeometry &g, const TInstrumentTab &tab);
    TFretboardModel &model_;
    std::function<const TInstrumentTab &()> tab_;
};

// Blank lines of the current tab's kind (fretted or piano): `WriteTemplateLine` replaces line
// `line`, `InsertTemplateLine` puts one named `name` above the caret line. Either selects the
// line, shows it on the picture and focuses the editor. Both answer the line's index.
int WriteTemplateLine(const TInstrumentParts &parts, int line);
int InsertTemplateLine(const TInstrumentParts &parts, const std::string &name);
// A new line below `line` with the caret on it, written as a template; answers its index.
int WriteTemplateLineBelow(const TInstrumentParts &parts, int line);
// The end of a click that wrote a line: the editor focused, the tab marked modified and the
// caret's position shown.
void FinishInstrumentClick(const TInstrumentParts &parts);

// Shows `hint` as the tool tip of `view` at `globalPos`, or hides the tip when there is none.
void ShowInstrumentHint(QWidget *view, const QPoint &globalPos, const std::string &hint);
// The mouse cursor of the fret shapes for a tab's `FretCursor` value.
Qt::CursorShape FretCursorShape(int32_t fretCursor);

// The fretboard's behaviour on the main window.
class TFretboard {
public:
    explicit TFretboard(const TInstrumentParts &parts);
    // The view goes with it (its handlers reach back here).
    ~TFretboard();
    TFretboard(const TFretboard &) = delete;
    TFretboard &operator=(const TFretboard &) = delete;

    TFretboardModel &Model() { return model_; }
    TFretboardView *View() const { return view_; }
    bool ScaleShownOnFretboard = false;
    int HoverString = 0; // 1..6
    int HoverFret = 0;
    std::string HoverNoteName;

    // `Shape1MouseDown`: a click on a fret (string index 0..5, fret 0..24).
    void Shape1MouseDown(const TFretHit &hit, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // `Shape1MouseMove`: names the note under the pointer.
    void Shape1MouseMove(const TFretHit &hit);
    void Shape1MouseUp();

private:
    const TInstrumentParts p_;
    TFretboardModel model_;
    QPointer<TFretboardView> view_;
};
