#pragma once
// Note arithmetic for a selection of lines: the selection's length in ticks (each line's
// duration field; a directive or a line without a valid duration counts 0), how many of each
// note value fill it, and the table of every value's ticks, plain, dotted and triplet, at the
// song's pulses per quarter.
#include <array>
#include <string>
#include <vector>

// Whole, half, quarter, eighth, sixteenth, thirty-second, sixty-fourth.
inline constexpr int kNoteValues = 7;

struct TNoteMathTotal {
    std::string text;  // the count, with " (+)" when the value does not fill the selection evenly
    bool bold = false; // an even fit that is not 0
};

struct TNoteMath {
    int lineCount = 0;
    int ticks = 0;
    std::array<TNoteMathTotal, kNoteValues> totals;
    std::array<int, kNoteValues> regular{};
    std::array<int, kNoteValues> dotted{};
    std::array<int, kNoteValues> triplet{};
    std::string caption;       // "Number of lines selected: n"
    std::string tickCountText; // "Tick Count: t"
};

// `selected`: the selected lines, first to last.
TNoteMath ComputeNoteMath(const std::vector<std::string> &selected, int ppqn);
