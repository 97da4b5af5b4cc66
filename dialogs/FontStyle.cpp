#include "dialogs/FontStyle.h"

TFontStyles StyleCodeToFontStyles(int code) {
    return TFontStyles{(code & 8) != 0, (code & 4) != 0, (code & 2) != 0, (code & 1) != 0};
}

int FontStylesToStyleCode(const TFontStyles &s) {
    return (s.Bold ? 8 : 0) | (s.Italic ? 4 : 0) | (s.Underline ? 2 : 0) | (s.StrikeOut ? 1 : 0);
}

TFontStyles FontStylesOf(const QFont &font) {
    return TFontStyles{font.bold(), font.italic(), font.underline(), font.strikeOut()};
}

void ApplyFontStyles(QFont &font, const TFontStyles &styles) {
    font.setBold(styles.Bold);
    font.setItalic(styles.Italic);
    font.setUnderline(styles.Underline);
    font.setStrikeOut(styles.StrikeOut);
}
