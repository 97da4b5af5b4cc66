#pragma once
// `TTimeDisplay`: a time in milliseconds as "hh:mm:ss.cc" in a bevelled box.
#include "mainwindow/rules/DisplayGeometry.h"

#include <QColor>
#include <QWidget>

class TTimeDisplay : public QWidget {
    Q_OBJECT
public:
    enum class TBorderStyle { None, Single };

    explicit TTimeDisplay(QWidget *parent = nullptr);

    // Splits `ms` into its parts and redraws, when it differs from the time shown.
    void SetTime(int ms);
    int Time() const { return time_; }
    int Hours() const { return parts_.Hours; }
    int Mins() const { return parts_.Mins; }
    int Secs() const { return parts_.Secs; }
    int CS() const { return parts_.CS; }
    QString Text() const;

    display::TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(display::TBevelCut cut);
    display::TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(display::TBevelCut cut);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    display::TTextAlign Alignment() const { return alignment_; }
    void SetAlignment(display::TTextAlign align);
    QColor TextColor() const { return textColor_; }
    void SetTextColor(const QColor &color);

    QSize sizeHint() const override { return {100, 20}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int time_ = 0;
    display::TimeParts parts_;
    display::TBevelCut bevelInner_ = display::TBevelCut::None;
    display::TBevelCut bevelOuter_ = display::TBevelCut::Lowered;
    TBorderStyle borderStyle_ = TBorderStyle::None;
    display::TTextAlign alignment_ = display::TTextAlign::Center;
    QColor textColor_ = Qt::black;
};
