#pragma once
// Where a song play starts and ends, in ticks of the built song (192 per quarter). The
// builder puts a count-in in front of the song, so every line sits count-in ticks later in
// the built song than in its tab. Qt-free so the rules are tested as plain values.
#include <cstdint>
#include <string>
#include <vector>

class TMidiData;

// What the user asked to play.
struct TPlaySource {
    bool DrumsTab = false;
    bool FromCursor = false;           // Ctrl+F2: from the caret line to the end
    int FromLine = -1;                 // F4: from this line (0-based) to the end of the tab's lines
    int CaretLine = 0;                 // 0-based
    bool HasSelection = false;         // a selection over two or more lines
    int SelFirst = 0, SelLast = 0;     // 0-based, inclusive
    std::vector<int> SelectedPatterns; // Drums tab: selected pattern indices, ascending
    int PatternCount = 0;
};

struct TPlayRange {
    // Above 0: the count-in [0, CountInEnd) is played first and the player then jumps to
    // Start, so the clicks lead straight into the caret line.
    int64_t CountInEnd = 0;
    int64_t Start = 0;
    int64_t End = 0;
    bool operator==(const TPlayRange &) const = default;
};

// `lines`: the shown tab's lines; `built`: the song just built; `countInTicks`: the length of
// the built count-in (0 without one).
//  - From the caret: the caret line's place (+ count-in) to the song's end.
//  - From line a (F4): line a's place to the end of the tab's lines, a single last line too.
//  - A selection over lines a..b: line a's place to the start of line b + 1 (or the end of
//    the tab's lines).
//  - Drums tab with several patterns selected, first k and last m: bar k to the start of
//    bar m + 1 in the song's own metre; the whole song when that range is empty.
//  - Otherwise the whole song, count-in included.
TPlayRange ComputePlayRange(const TPlaySource &source, const std::vector<std::string> &lines, TMidiData &built,
                            int64_t countInTicks);

// A time signature the user may type: upper 1..64 over a lower number that is a power of two
// up to 64 (1, 2, 4, ..., 64). Anything else would build bars the player cannot count.
bool IsPlayableTimeSignature(int upper, int lower);

// The caption of the Play menu's animated-instrument item for a tab of kind `kindName`.
std::string AnimatedInstrumentCaption(bool drumsTab, const std::string &kindName);

// The tick of bar `bar` (0-based), beat 0, tick 0 of the built song.
int64_t BarStartTick(TMidiData &built, int64_t bar);
