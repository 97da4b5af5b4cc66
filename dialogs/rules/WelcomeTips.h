#pragma once
// The welcome screen's tips, kept as the lines of one text: a line that starts with "~" begins
// a tip, and the tip is every line after it up to the next "~" line or the end. The screen
// steps through them, wrapping at both ends, and the number of the tip last shown is kept in
// the options so the next start shows the one after it.
#include <string>
#include <string_view>
#include <vector>

// The program's own tips, in the "~" form.
const std::vector<std::string> &BuiltInTipLines();

// The lines of `text`, split at line breaks (a last line break makes no extra line).
std::vector<std::string> SplitTipText(std::string_view text);

// How many tips the lines hold.
int TipCount(const std::vector<std::string> &lines);
// The tip after `last` moved by `delta` (+1 or -1): past the last comes the first, before the
// first the last; 0 when there are no tips. A `last` outside 0..count counts as the nearer end.
int StepTip(int last, int delta, int count);
// The lines of tip `number` (1-based); empty when there is no such tip.
std::vector<std::string> TipLines(const std::vector<std::string> &lines, int number);
// "Tip 3 of 40"; empty when there are no tips (the counter is then hidden).
std::string TipCounterText(int number, int count);
