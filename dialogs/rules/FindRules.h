#pragma once
// Searching and replacing in the notation editor's lines, for the find and replace dialogs and
// the window's Find, Find Next, Replace, Replace All and Go To Line: which selection seeds the
// search box, where the next match lies, what a replacement does, and every replacement from a
// line to the end.
//
// Lines are UTF-8 texts without their line breaks. A place is a line index and a byte column
// in that line; a match never spans a line break, so a search text holding one finds nothing.
//
//   const auto m = FindText(lines, {caretLine, caretColumn}, "C#", {.WholeWord = true});
//   if (m) select(m->Line, m->Column, m->Length);
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TFindOptions {
    bool WholeWord = false; // the match's neighbours are not letters, digits or "_"
    bool MatchCase = false; // else letters compare case-blind (ASCII and Latin-1)
    bool operator==(const TFindOptions &) const = default;
};

struct TTextPlace {
    int Line = 0;
    int Column = 0; // bytes into the line
    auto operator<=>(const TTextPlace &) const = default;
};

struct TTextMatch {
    int Line = 0;
    int Column = 0; // bytes into the line
    int Length = 0; // bytes
    bool operator==(const TTextMatch &) const = default;
};

// A selection seeds the search box when it is 1 to 29 characters long on one line.
inline constexpr int kMaxSeedCharacters = 29;
std::optional<std::string> SearchTextFromSelection(std::string_view selected);

// The text from one place to another, lines joined by "\n"; places are held to the lines.
std::string TextBetween(const std::vector<std::string> &lines, TTextPlace from, TTextPlace to);

// The first occurrence of `text` at or after `from`, up to the end of the last line. An empty
// text, or one holding a line break, is never found.
std::optional<TTextMatch> FindText(const std::vector<std::string> &lines, TTextPlace from, std::string_view text,
                                   TFindOptions options);

// One replacement: the first match at or after `from` replaced. `line` is the whole new text
// of the match's line and `inserted` the replacement's place in it. Line breaks in the
// replacement become blanks: a replacement never splits a line.
struct TReplaceStep {
    TTextMatch inserted;
    std::string line;
};
std::optional<TReplaceStep> ReplaceNext(const std::vector<std::string> &lines, TTextPlace from, std::string_view text,
                                        std::string_view replacement, TFindOptions options);

// Replace All from the start of `firstLine` to the end: every occurrence, each search going on
// after the previous replacement (so "C" -> "C#" never meets its own "C" again). `lines` are
// the new texts of lines firstLine..end; `last` is the last replacement's place.
struct TReplaceAllResult {
    std::vector<std::string> lines;
    int count = 0;
    TTextMatch last;
};
TReplaceAllResult ReplaceAll(const std::vector<std::string> &lines, int firstLine, std::string_view text,
                             std::string_view replacement, TFindOptions options);

// "Search phrase "abc" not found".
std::string NotFoundMessage(std::string_view text);

// Go to line: the 0-based line of the number the user chose, nullopt when there is no such
// line (below 1 or past the last line).
std::optional<int> GoToLineIndex(int number, int lineCount);
