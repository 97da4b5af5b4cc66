#pragma once
// The chord box of the chord calculator as data: a voicing's detail line (ChordSearch.h) read
// into the diagram record, the picture it draws (string and fret lines, an "X" or "O" over
// silent and open strings, a dot, note name or degree on fretted strings, the root in red,
// the fret number of a shifted box), the line that plays it, and the list line a stored
// voicing shows when the calculator opens again.
//
//   const TCurrChordBox box = ParseVoicingLine(detail, 6, kDotNote, 4, spelling, false);
//   const TDiagramPicture picture = DrawChordDiagram(box, width, height);  // the widget paints it
//
// Drawing works on a copy: a box whose frets lie high is shown shifted, and the record keeps
// its own frets, so every repaint draws the same picture and playing plays the frets drawn.
#include "song/InstrumentTab.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

enum TDotType { kDotPlain = 0, kDotNote = 1, kDotDegree = 2 };

struct TCurrChordBox {
    std::array<int, 6> Frets{-1, -1, -1, -1, -1, -1}; // index 5 = the lowest string
    std::array<int, 6> Notes{-1, -1, -1, -1, -1, -1}; // MIDI note of each fret, same order
    std::array<std::string, 6> NoteNames;             // detail order: index 0 = lowest string
    std::array<std::string, 6> Degrees;               // detail order
    std::string ChordName;                            // empty: nothing is drawn
    int StringCount = 0;
    int Reach = 1;
    int DotType = kDotPlain;
    bool Loaded = false;

    // The fret of column c (0 = the lowest string, at the left).
    int ColumnFret(int c) const { return Frets[static_cast<size_t>(5 - c)]; }
};

// Reads a detail line: chord name, S frets ("X" in any case or -1 silent; anything else that is
// no number stays silent), S note names and S degrees (the last field takes the rest).
// `spelling` and `shortFifthString` give the MIDI notes.
TCurrChordBox ParseVoicingLine(std::string_view line, int stringCount, int dotType, int reach,
                               std::string_view spelling = kStandardTuningSpelling, bool shortFifthString = false);

// One thing to draw, in painting order. Coordinates are the paint box's pixels; a text's
// position is its top-left corner.
struct TDiagramItem {
    enum Kind { Line, Dot, Text, BoxedText } kind = Line;
    int x = 0, y = 0, x2 = 0, y2 = 0; // a line's ends; a dot's box is x, y, size, size
    int size = 0;                     // a dot's diameter
    bool red = false;                 // the root
    std::string text;
    bool operator==(const TDiagramItem &) const = default;
};

struct TDiagramPicture {
    int markSize = 12; // dots and text boxes
    int fontHeight = 12;
    std::vector<TDiagramItem> items; // empty: nothing drawn
};

// The grid of a box of W x H for S strings and `rows` fret rows below the nut.
struct TDiagramGrid {
    int left = 0, top = 0, right = 0, bottom = 0;
    int columnWidth = 0, rowHeight = 0, gridHeight = 0;
};
TDiagramGrid DiagramGrid(int width, int height, int stringCount, int rows);
// Top-left corner of a mark of `markSize` for column c and fret f; false above fret 12.
bool DiagramDotPosition(const TDiagramGrid &g, int markSize, int column, int fret, int &x, int &y);

TDiagramPicture DrawChordDiagram(const TCurrChordBox &box, int width, int height);

// "PlayChord, 3,2,0,1,0,X,Q": the frets from the lowest string, silent as "X", sounded for a
// quarter.
std::string PlayChordLine(const TCurrChordBox &box);

// A stored detail line as the calculator lists it: the detail up to the comma after its S frets
// plus "W", read as a fretted line; the parsed name, ", ", the frets (" x" or two columns) joined
// by ", ", and ", W". A line that does not read is listed as that text.
std::string StoredVoicingToListLine(std::string_view detail, const TLineContext &ctx);
