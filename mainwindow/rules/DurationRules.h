#pragma once
// Rules of the note-duration controls as plain functions: button index <-> letter,
// duration codes <-> control states, the current-duration text, and rewriting the
// duration field of a line.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace duration {

inline constexpr int kButtonCount = 7;
inline constexpr int kDefaultIndex = 2; // quarter: the index when no button is down

// "W", "H", "Q", "E", "S", "T", "F" for 0..6; 0 for anything else.
char Letter(int index);
// Index of a duration letter (upper case only); -1 for anything else.
int IndexOfLetter(char letter);

// What the seven buttons and the two boxes show.
struct TControls {
    int Index = kDefaultIndex; // -1: no button down
    bool Dotted = false;
    bool Triplet = false;
    bool operator==(const TControls &) const = default;
};

// The controls for a tab's duration code: above 10 and below 1000 is dotted (minus 100),
// above 1000 triplet (minus 1000); codes 1..7 then press their button. Any other code
// leaves the button that was down (`current.Index`).
TControls ControlsFromCode(int code, TControls current);
// The code of the controls: button + 1 (quarter with no button), +100 dotted, else +1000
// triplet.
int CodeFromControls(const TControls &controls);
// The current-duration text of the controls: a blank, "." or "/" (dotted wins), then the
// letter of the button down (quarter with none): " Q", " .E", " /S". Controls set from a
// tab's code give the dotted and triplet forms without the blank (".E", "/S").
std::string DurationText(const TControls &controls, bool fromCode = false);

// The text before the last comma; the whole text without a comma.
std::string StripLastField(std::string_view line);
// A line with its duration field replaced: StripLastField, "," and the duration text.
std::string WithDuration(std::string_view line, std::string_view durationText);

// The picture family of a duration text: index 0..6 of its letter (plain, "." or "/"
// form, trimmed, upper case only); -1 leaves the picture as it is.
int RestGlyphIndex(std::string_view durationText);

// The rest line of a tab: piano lines have ten key fields, fretted lines one field per
// string (HighestString 2..5); other string counts give an empty text.
std::string RestLine(bool piano, int highestString, std::string_view currentDuration);

// Rewrites the duration of lines first..last of `lines` in place. `takesDuration` says
// whether a line is a note line that parses (directives, blank and faulty lines are left
// alone). `goOn` runs before each line of a multi-line range and may stop the work
// (the lines done so far stay done). Returns the number of lines changed.
int ApplyToLines(std::vector<std::string> &lines, int first, int last, std::string_view durationText,
                 const std::function<bool(const std::string &)> &takesDuration, const std::function<bool()> &goOn = {});

} // namespace duration
