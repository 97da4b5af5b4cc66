#pragma once
// The editor font's style code of the settings: 8 bold, 4 italic, 2 underline,
// 1 strike-out. Only those four bits count.
struct TFontStyles {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TFontStyles &) const = default;
};

TFontStyles StyleCodeToFontStyles(int code);
