#pragma once
// The list of the six song files opened last, newest first, as plain rules. Entries are the
// files' own paths, compared as they are spelt (Linux paths count case); an empty entry keeps
// its place. Only the menu caption escapes "&", so a path holding one still opens.
#include <array>
#include <string>

inline constexpr int kRecentCount = 6;
using TRecentList = std::array<std::string, kRecentCount>;

// The index of `path` in the list, or -1.
int FindRecentFile(const TRecentList &list, const std::string &path);
// A song opened through the Open dialog: a path not yet listed goes on top and the oldest
// entry drops off; a listed one is promoted (PromoteRecentFile).
void AddRecentFile(TRecentList &list, const std::string &path);
// A listed path trades places with the newest entry; the others keep theirs
// (A, B, C, D with C chosen becomes C, B, A, D). An unlisted path changes nothing.
void PromoteRecentFile(TRecentList &list, const std::string &path);
// The menu item's caption: every "&" doubled, so the menu shows the path as it is.
std::string RecentMenuCaption(const std::string &path);
