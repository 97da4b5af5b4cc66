#include "dialogs/rules/OptionsRules.h"

#include <algorithm>

int DeviceListRow(int device, int deviceCount) { return device >= -1 && device < deviceCount ? device + 1 : -1; }

int DeviceFromListRow(int row, int current) { return row >= 0 ? row - 1 : current; }

int ClampFontSize(int size) { return std::clamp(size, kMinFontSize, kMaxFontSize); }

int MaskStyle(int style) { return style & 15; }

bool StyleIsBold(int style) { return (style & kBoldStyle) != 0; }

int StyleWithBold(int style, bool bold) { return (MaskStyle(style) & ~kBoldStyle) | (bold ? kBoldStyle : 0); }
