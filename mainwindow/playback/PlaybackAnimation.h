#pragma once
// The little animation beside the bar and beat while the song plays: a guitar whose strings
// swing, drawn with QPainter and moved on by the position timer.
#include <QWidget>

class TPlaybackAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TPlaybackAnimation(QWidget *parent = nullptr);
    void SetActive(bool active);
    bool Active() const { return active_; }
    // The next frame.
    void Step();
    int Frame() const { return frame_; }
    QSize sizeHint() const override { return {160, 90}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool active_ = false;
    int frame_ = 0;
};
