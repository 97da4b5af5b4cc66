#pragma once
// The editor's bookmark: one line per tab (entry 0 of the tab's `Bookmarks`, -1 for none),
// set at the caret, jumped to, and played from.
#include <optional>

inline constexpr const char *kSetABookmark = "Set a bookmark with Ctrl-Shift-F4";

// The line a jump shows and selects; nothing for a bookmark beyond the text (or none at all).
std::optional<int> BookmarkJumpLine(int bookmark, int lineCount);

// The first line F4 plays, on to the end of the tab's lines: the bookmark's line, or the caret
// line when the bookmark lies beyond the text. Nothing (the whole song) when the tab has no
// lines. A single line (the last) plays on its own, as any longer stretch does.
std::optional<int> BookmarkPlayLine(int bookmark, int lineCount, int caretLine);
