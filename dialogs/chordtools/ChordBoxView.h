#pragma once
// `PaintBoxChordCalc`: the chord calculator's chord box, painting the picture the diagram rules
// make of the current voicing (dialogs/chords/ChordDiagram.h). A click plays the chord.
#include "dialogs/chords/ChordDiagram.h"

#include <QWidget>

class TChordBoxView : public QWidget {
    Q_OBJECT
public:
    explicit TChordBoxView(QWidget *parent = nullptr);

    void SetBox(const TCurrChordBox &box);
    const TCurrChordBox &Box() const { return box_; }
    // The picture as it stands, with the chord name written at the top left (for the clipboard).
    QImage Snapshot() const;

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TCurrChordBox box_;
};
