#include "mainwindow/rules/BookmarkRules.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(BookmarkRules, JumpAndPlayLines) {
    const struct {
        int bookmark, lineCount, caret;
        std::optional<int> jump, play;
    } cases[] = {
        {2, 5, 0, 2, 2}, // inside the text
        {0, 5, 3, 0, 0},
        {4, 5, 0, 4, 4},                       // the last line: that line alone
        {5, 5, 1, std::nullopt, 1},            // beyond the text: no jump; play from the caret
        {9, 5, 4, std::nullopt, 4},            // ... with the caret on the last line: that line
        {9, 5, 7, std::nullopt, 4},            // a caret past the text is held to it
        {3, 0, 0, std::nullopt, std::nullopt}, // no lines: the whole song
        {-1, 5, 2, std::nullopt, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bookmark * 100 + c.lineCount * 10 + c.caret);
        EXPECT_EQ(BookmarkJumpLine(c.bookmark, c.lineCount), c.jump);
        EXPECT_EQ(BookmarkPlayLine(c.bookmark, c.lineCount, c.caret), c.play);
    }
}

} // namespace
