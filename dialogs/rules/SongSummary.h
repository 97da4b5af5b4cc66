#pragma once
// The song information summary as text: one fixed-width row per tab that holds something, under a
// header row, both meant for a fixed-pitch font. A row's columns (tab number, name, mute, volume,
// channel, balance in words, delay, transpose, instrument) are each padded or cut to their width
// and followed by one blank.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TSongModel;
struct TInstrumentTab;

// `text` followed by blanks and cut to exactly `width` characters (UTF-8 characters, not bytes).
std::string PadRight(std::string_view text, size_t width);

std::string SummaryHeader();
// The row of tab `number` (1..16).
std::string SummaryRow(int number, const TInstrumentTab &tab);

struct TSongSummary {
    std::string header;
    std::vector<std::string> rows;
    int selected = -1; // the row of the current tab, -1 when it has none
};
// A tab is listed when it has lines; the drum tab when its pattern list has patterns.
TSongSummary SongSummary(const TSongModel &song, int drumPatternCount);

// The tab number a row stands for: its first field (up to the first blank), when that is 1..16.
std::optional<int> SummaryRowTab(std::string_view row);
