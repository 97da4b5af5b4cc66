#pragma once
// Writers of parsed lines in detailed form: a note field that differs from the line's defaults
// (its own duration, a volume other than the tab's, or a fingering) is written as
// number|duration|volume|fingering, the others as a plain number or "x". The line readers read
// that form back. The line's final duration is written in upper case.
//
// Both refuse (nullopt) a record whose name holds a comma, or whose durations or fingerings hold
// a comma or "|": written out, those would change the line's field count.
#include "song/FrettedLine.h"
#include "song/PianoLine.h"

#include <optional>
#include <string>

std::optional<std::string> FormatDetailedChordLine(const TChordDat &chord, int highestString, int tabVolume);
std::optional<std::string> FormatDetailedPianoLine(const TPianoRec &rec, int tabVolume);
