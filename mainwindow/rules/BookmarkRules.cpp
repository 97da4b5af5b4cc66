#include "mainwindow/rules/BookmarkRules.h"

#include <algorithm>

std::optional<int> BookmarkJumpLine(int bookmark, int lineCount) {
    if (bookmark < 0 || bookmark >= lineCount)
        return std::nullopt;
    return bookmark;
}

std::optional<int> BookmarkPlayLine(int bookmark, int lineCount, int caretLine) {
    if (lineCount <= 0)
        return std::nullopt;
    if (bookmark >= 0 && bookmark < lineCount)
        return bookmark;
    return std::clamp(caretLine, 0, lineCount - 1);
}
