#pragma once
// The pictures of the welcome screen and the about box, drawn with QPainter: the product
// logo, the instruments of the program's tabs, a tip lamp, and the about box's animation of
// a guitar whose strings are played.
#include <QWidget>

class QPainter;
class QTimer;

enum class TArt { Logo, Piano, Mandolin, Uke, Banjo, Bass, Tenor, Guitar, Tip };

// Draws `art` to fill `area` (kept in proportion, centred).
void PaintArt(QPainter &painter, const QRectF &area, TArt art);

// A picture that shows one TArt; a click on it is reported.
class TArtView : public QWidget {
    Q_OBJECT
public:
    explicit TArtView(TArt art, QWidget *parent = nullptr);
    TArt Art() const { return art_; }
    void SetArt(TArt art);

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TArt art_;
};

// A guitar lying across the picture whose strings are struck in turn and swing out, while
// notes rise from the sound hole. Runs from Start() until Stop().
class TGuitarAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TGuitarAnimation(QWidget *parent = nullptr);
    void Start();
    void Stop();
    bool Running() const;
    int Frame() const { return frame_; }
    QSize sizeHint() const override { return {220, 110}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *timer_;
    int frame_ = 0;
};
