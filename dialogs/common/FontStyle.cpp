#include "dialogs/common/FontStyle.h"

TFontStyles StyleCodeToFontStyles(int code) {
    return TFontStyles{(code & 8) != 0, (code & 4) != 0, (code & 2) != 0, (code & 1) != 0};
}
