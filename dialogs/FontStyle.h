#pragma once
// The editor font's style code of the settings: 8 bold, 4 italic, 2 underline,
// 1 strike-out. Only those four bits count.
#include <QFont>

struct TFontStyles {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TFontStyles &) const = default;
};

TFontStyles StyleCodeToFontStyles(int code);
// The code of a style set (the inverse of StyleCodeToFontStyles).
int FontStylesToStyleCode(const TFontStyles &styles);

TFontStyles FontStylesOf(const QFont &font);
void ApplyFontStyles(QFont &font, const TFontStyles &styles);
