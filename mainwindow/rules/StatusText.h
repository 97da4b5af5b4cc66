#pragma once
// Texts of the editor's two status bars, as plain functions.
#include <cstdint>
#include <string>
#include <string_view>

struct TLineContext;
struct TNoteLine;

namespace status {

// "Line:  5 of 12": the caret line and the line count, both shown one higher.
std::string LinePanel(int caretLine, int lineCount);
std::string BytesPanel(int textLength);
// "Time: 01:02:03.45" from milliseconds (negative times show as zero).
std::string TimePanel(int64_t ms);
std::string BarPanel(int bar);
std::string BeatPanel(int beat);
std::string TickPanel(int tick);
// "Play All Lines" without a selection or with one inside a single line,
// "Play Selected Lines" when it spans lines.
std::string_view PlayLinesPanel(bool hasSelection, bool spansLines);
std::string_view InsertModePanel(bool overwrite);
// Sharp names with their flat twin ("C#" -> "Db/C#"); other names unchanged.
std::string WithFlatTwin(std::string_view noteName);
// The note panel for the caret line: the one note of a note line that reads and holds a single
// key or a single fretted string ("Db/C#"; fretted strings sound under the context's tuning);
// "" for anything else.
std::string CaretNoteName(const TNoteLine &line, const TLineContext &ctx);

} // namespace status
