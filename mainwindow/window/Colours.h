#pragma once
// Colour values of the song records (Windows 0x00BBGGRR, or a system-colour constant with
// the top bit set) as Qt colours. The records keep the raw value; only drawing converts.
#include <QColor>
#include <QPalette>
#include <QPushButton>

#include <cstdint>

inline QColor RecordColour(int32_t v, const QPalette &palette = QPalette()) {
    if (v < 0) // a system colour: the only one the records use is the button face
        return palette.color(QPalette::Button);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// A play button (the song's, a tab's lines'): "Stop" in red while it plays, "Play" in green else.
inline void SetPlayButtonLook(QPushButton *button, bool playing) {
    if (!button)
        return;
    button->setText(playing ? QStringLiteral("Stop") : QStringLiteral("Play"));
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, playing ? QColor(255, 0, 0) : QColor(0, 128, 0));
    button->setPalette(p);
}
