#pragma once
// One reading of a tab line under its tab's kind: what kind of line it is, and for a note line
// the fretted or the piano record. Every place that reads a line of the current tab for its
// notes (the caret line, the pictures, live sounding) goes through here, so the choice between
// the fretted and the piano reader is made once.
#include "song/FrettedLine.h"
#include "song/PianoLine.h"

#include <string>
#include <string_view>

// The error of a piano line whose reader names no field at fault (comma count, duration, a
// plain key outside 28..107). No window shows it; they report such lines in their own words.
inline constexpr std::string_view kPianoLineFailed = "Piano line is not valid.";

struct TNoteLine {
    TLineClass Class = TLineClass::Empty;
    bool Piano = false; // read as a piano line (the tab is a Piano tab)
    TChordDat Chord;    // fretted tabs; fresh on a Piano tab
    TPianoRec Keys;     // Piano tabs; fresh on a fretted tab
    std::string Error;  // empty = good

    bool Ok() const { return Error.empty(); }
    // A note line that reads: something to sound or show.
    bool Sounds() const { return Class == TLineClass::Note && Error.empty(); }
};

// Reads `text` as a line of a tab of kind ctx.Kind, lengths in `unit`. Blank lines and
// directives read without error (the fretted record then holds the reader's name: " " or the
// directive). A piano line that fails gives the failing key field's message, else
// kPianoLineFailed. The Drums tab holds no note lines: its lines read as blank unless they
// are directives, and never fail.
TNoteLine ParseNoteLine(std::string_view text, TDurationUnit unit, const TLineContext &ctx);
// The same into `out`, keeping its strings' storage (for loops over many lines).
void ParseNoteLine(std::string_view text, TDurationUnit unit, const TLineContext &ctx, TNoteLine &out);
