#pragma once
// Operations that rewrite lines of a tab: transposing by half steps, keeping only the highest or
// lowest note of each chord, grouping lines under bar headers, reversing or shuffling lines, and
// clearing the notes of a line. They work on a list of lines; the window passes the editor's
// lines (or a copy) in, writes the result back and keeps the caret, selection and focus.
//
// Range operations take first and last line indexes (inclusive) and an abort check, called
// between steps: it lets the window pump its messages and ask "Process not completed. Stop
// anyways?"; returning true stops the operation at once (each function says what is kept).
#include "song/InstrumentTab.h"
#include "song/LinePositions.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

using TAbortCheck = std::function<bool()>;

// Whether the line parses as a fretted line under the context's string count (milliseconds) or,
// failing that, as a piano line. Blank lines and directives are valid.
bool IsLineValid(std::string_view line, const TLineContext &ctx);

// One half step up or down. Blank lines, directives and lines that do not parse come back
// unchanged. Fretted: every sounding string moves one fret on its own string (above 24 or below
// 0 it falls silent) and keeps its own duration, volume and fingering; on a short fifth string
// fret 0 goes up to 6 and 6 down to 0. Piano: every key moves one key (above 107 or below 28 the
// slot empties) and the line is written in detailed form.
std::string TransposeLineUp(std::string_view line, const TLineContext &ctx);
std::string TransposeLineDown(std::string_view line, const TLineContext &ctx);

// Lines first..last, each moved n single half steps before going to the next line. A stop keeps
// the steps done so far. Returns false when stopped.
bool TransposeHigher(std::vector<std::string> &lines, int first, int last, int n, const TLineContext &ctx,
                     const TAbortCheck &abort = {});
bool TransposeLower(std::vector<std::string> &lines, int first, int last, int n, const TLineContext &ctx,
                    const TAbortCheck &abort = {});

// Keeps the lowest (or highest) sounding note of each line of the range, comparing real pitches
// under the tab's tuning; ties go to the higher string when keeping the lowest, the lower
// string when keeping the highest, and to the first slot on a piano. Per-note details are
// dropped. Lines that do not parse under the tab's kind stay as they are, one output line per
// input line. A stop while the new lines are built leaves the list unchanged; a stop while
// they are written keeps those written. Returns false when stopped.
bool KeepOneNoteInChords(std::vector<std::string> &lines, bool lowest, int first, int last, const TLineContext &ctx,
                         const TAbortCheck &abort = {});

// Drops blank lines and earlier "*** Bar n ***" headers, then puts an empty line and a header
// before each valid line that starts beat 1 of a new bar (the leading directives stay on top).
// Grouping twice gives the same lines as grouping once. A stop leaves the list unchanged.
bool GroupLinesByBars(std::vector<std::string> &lines, const TLineContext &ctx, const TPositionConductor &conductor,
                      const TAbortCheck &abort = {});

// Reverses lines first..last. The stop is looked at while the lines are collected, last to
// first; the new order is written in one step, so a stop leaves the list as it was and never
// loses or doubles a line.
bool ReverseLines(std::vector<std::string> &lines, int first, int last, const TAbortCheck &abort = {});
// Shuffles lines first..last: item i (i = 0..count-1) moves to randomBelow(count). The stop is
// looked at after each move; the new order is written in one step, as by ReverseLines.
bool RandomizeLines(std::vector<std::string> &lines, int first, int last, const std::function<int(int)> &randomBelow,
                    const TAbortCheck &abort = {});

// The result of a one-line edit.
struct TLineEdit {
    bool Changed = false;
    std::string Text;  // the new line when Changed
    std::string Error; // shown to the user when not empty
};
// Silences every string (fretted) or replaces the line by "Piano, x, ... x, " and its duration
// (piano). A line that does not parse gives msg::kFixOrDelete; blank lines and directives are
// left alone.
TLineEdit ClearNotesFromLine(std::string_view line, const TLineContext &ctx);
