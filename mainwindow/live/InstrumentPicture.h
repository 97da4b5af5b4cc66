#pragma once
// `PaintBoxInstrument`: where the fretboard or keyboard picture of the current tab goes (the
// live instrument puts both inside it).
#include <QFrame>

#include <functional>

struct TNoteLine;

class TInstrumentPicture : public QFrame {
    Q_OBJECT
public:
    explicit TInstrumentPicture(QWidget *parent = nullptr);
    void SetColour(const QColor &colour);
    // The editor line shown (-1: none). The fretboard and keyboard inside answer both.
    void ShowLine(int line) {
        if (OnShowLine)
            OnShowLine(line);
    }
    // The same for a line the caller has already read (the caret line): the pictures take the
    // parsed line instead of reading it again.
    void ShowLine(int line, const TNoteLine &parsed) {
        if (OnShowParsedLine)
            OnShowParsedLine(line, parsed);
        else if (OnShowLine)
            OnShowLine(line);
    }
    void Clear() {
        if (OnClear)
            OnClear();
    }
    std::function<void(int line)> OnShowLine;
    std::function<void(int line, const TNoteLine &parsed)> OnShowParsedLine;
    std::function<void()> OnClear;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QColor colour_;
};
