#pragma once
// The options dialog's rules: the device list (the default device first, then the devices in
// their order), the editor font's size range, and the style code's bold bit.
inline constexpr int kMinFontSize = 2;
inline constexpr int kMaxFontSize = 200;
inline constexpr int kDefaultFontSize = 8;
inline constexpr int kBoldStyle = 8;

// The list row of `device` (-1 the default device, row 0); -1 (no row) outside -1..count-1.
int DeviceListRow(int device, int deviceCount);
// The device a chosen row stands for; with no row chosen the device stays `current`.
int DeviceFromListRow(int row, int current);

// A font size held to 2..200.
int ClampFontSize(int size);
// Only the four style bits count (8 bold, 4 italic, 2 underline, 1 strike-out).
int MaskStyle(int style);
bool StyleIsBold(int style);
// The style with its bold bit set or cleared; the other style bits stay as they were.
int StyleWithBold(int style, bool bold);
