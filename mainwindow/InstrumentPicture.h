#pragma once
// `PaintBoxInstrument`: where the fretboard or keyboard picture of the current tab goes.
// Until the pictures are built it is an empty panel in the tab's colour that remembers
// which line it was asked to show.
#include <QFrame>

class TInstrumentPicture : public QFrame {
    Q_OBJECT
public:
    explicit TInstrumentPicture(QWidget *parent = nullptr);
    void SetColour(const QColor &colour);
    // The editor line shown (-1: none).
    void ShowLine(int line) { shownLine_ = line; }
    void Clear() { shownLine_ = -1; }
    int ShownLine() const { return shownLine_; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QColor colour_;
    int shownLine_ = -1;
};
