#pragma once
// Tablature of a fretted tab's lines: the note list (one record per line that is not a
// directive, bars closed by blank lines), the ASCII tablature text, and the drawn tablature's
// layout on the screen and on printed pages as texts and lines to paint. The tablature window
// paints and prints what these give; nothing here measures or draws.
//
//   const auto bars = ClosedBars(BuildNoteList(lines, ctx));
//   const TAsciiTab text = BuildAsciiTab(bars, "My Song", ctx.HighestString, true);
#include "song/InstrumentTab.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A bar shows its first 32 notes; more set the limit flag and the window warns once.
inline constexpr int kTabNotesPerBar = 32;

struct TabNoteRecord {
    std::string Name;                                     // the line's chord or note name (80 characters at most)
    std::array<int32_t, 6> Frets{-1, -1, -1, -1, -1, -1}; // index 0 = string 1 (the highest); -1 = no note
    std::string Duration;                                 // the line's duration text (5 characters at most)
    bool IsBlankLine = false;                             // closes its bar
    int Group = 0;                                        // the bar, from 1
    int IndexInGroup = 0;                                 // from 1; the closing blank line counts last
    int GroupSize = 0;                                    // closed bar: notes + 1; unclosed bar: 0
};

// One record per line that is not a directive, each read as a fretted line of its own (so a
// line that fails shows only the frets read before the failure, never a previous line's).
std::vector<TabNoteRecord> BuildNoteList(const std::vector<std::string> &lines, const TLineContext &ctx);

// A closed bar with at least one note: its notes in order and its size (GroupSize).
struct TTabBar {
    std::vector<TabNoteRecord> notes;
    int size = 0;
};
std::vector<TTabBar> ClosedBars(const std::vector<TabNoteRecord> &records);
// Some bar holds more notes than a bar shows.
bool TabLimitReached(const std::vector<TTabBar> &bars);

// The warnings of the two views: the drawn view's and the ASCII view's.
std::string TabLimitWarning(bool ascii);

// ---- ASCII view -------------------------------------------------------------------------------

// The text lines: the title block, two bars a row (six string lines, string 1 first, empty for
// the strings a tab with fewer than six lacks; with durations two duration lines), two empty
// lines after each row, and with durations the legend.
std::vector<std::string> BuildAsciiTab(const std::vector<TTabBar> &bars, std::string_view title, int highestString,
                                       bool durations);

// ---- drawn view and printed pages ---------------------------------------------------------------

struct TTabGeometry {
    int rowWidth;
    int spacing; // between two strings
    int staffHeight;
    int leftMargin;
    int firstRowTop;
    int titleTop;
};
TTabGeometry ScreenTabGeometry(int boxWidth);
TTabGeometry PrinterTabGeometry(int pageWidth, int pageHeight);

enum class TTabFont { Notes, Title, Legend, PageNumber };

struct TTabText {
    int x = 0;
    int y = 0; // the text's top
    std::string text;
    TTabFont font = TTabFont::Notes;
    bool operator==(const TTabText &) const = default;
};
struct TTabLine {
    int x1, y1, x2, y2;
    bool operator==(const TTabLine &) const = default;
};
struct TTabPage {
    std::vector<TTabText> texts;
    std::vector<TTabLine> lines;
};

// Text sizes in the painting device's pixels.
struct TTabMeasure {
    std::function<int(std::string_view text, TTabFont font)> width;
    std::function<int(TTabFont font)> height;
};

struct TTabDrawing {
    std::vector<TTabPage> pages;
    int height = 0; // the drawn view's height (screen)
};

// The drawn view: one page, two bars a row under the centred title, the legend with durations.
TTabDrawing LayoutTabScreen(const std::vector<TTabBar> &bars, std::string_view title, int highestString, bool durations,
                            const TTabGeometry &g, const TTabMeasure &measure);
// Printed pages: each with its number and the title; a new page when the next row would not
// fit; the legend below the last row (on a page of its own when it would not fit).
TTabDrawing LayoutTabPrint(const std::vector<TTabBar> &bars, std::string_view title, int highestString, bool durations,
                           const TTabGeometry &g, int pageHeight, const TTabMeasure &measure);

// ---- window keys ---------------------------------------------------------------------------------

enum class TTabKey { PageUp, PageDown, Up, Down };
// The view's scroll position after a key: Page Up/Down 50, Up/Down 10. Up stops at the top;
// down moves only when the whole step stays within 0..maximum, so at the end it stays put.
int TabScrollAfterKey(TTabKey key, int position, int maximum);
