#pragma once
// Colour values of the song records (Windows 0x00BBGGRR, or a system-colour constant with
// the top bit set) as Qt colours. The records keep the raw value; only drawing converts.
#include <QColor>
#include <QPalette>

#include <cstdint>

inline QColor RecordColour(int32_t v, const QPalette &palette = QPalette()) {
    if (v < 0) // a system colour: the only one the records use is the button face
        return palette.color(QPalette::Button);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}
