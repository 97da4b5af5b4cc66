#pragma once
// `StringGridDrums`: the drum grid as one drawn widget. It paints the grid model (eight rows of
// steps, the first step of each beat yellow, the selection highlighted, a thick line at the end
// of the bar) and the play cursor bar above the column being played, and turns presses and keys
// into cell events; what they do is the drum page's business.
//
// As the grid always did, the cells leave one column's width free on the right and one row's
// height free below: a right press there (or the menu key) opens the grid's pop-up menu, while a
// right press on a cell empties it.
#include <QWidget>

class DrumGridModel;
class DrumGridEditor;

class TDrumGridView : public QWidget {
    Q_OBJECT
public:
    explicit TDrumGridView(QWidget *parent = nullptr);

    // The model drawn and the editor whose selection is highlighted; both outlive the view.
    void SetModel(const DrumGridModel *grid, const DrumGridEditor *editor);
    // Steps per beat (4 Regular, 3 Jazzy): which columns are yellow.
    void SetStepsPerBeat(int steps);
    // The column the cursor bar marks (-1: the bar stands at the grid's left, as when idle).
    void SetPlayColumn(int column);

    // Height of the band above the cells that holds the cursor bar.
    static constexpr int kCursorBand = 7;
    int ColumnWidth() const;
    int RowHeight() const;
    // A cell's rectangle in the widget.
    QRect CellRect(int column, int row) const;
    // The cell under `p`; false outside the cells.
    bool CellAt(const QPoint &p, int &column, int &row) const;

signals:
    void CellPressed(int column, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // The left button held down moved onto another cell (the selection follows it).
    void CellDragged(int column, int row);
    void KeyTyped(int key, Qt::KeyboardModifiers modifiers);
    void PopUpRequested(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int Columns() const;

    const DrumGridModel *grid_ = nullptr;
    const DrumGridEditor *editor_ = nullptr;
    int stepsPerBeat_ = 4;
    int playColumn_ = -1;
    int dragColumn_ = -1, dragRow_ = -1;
};
