#pragma once
// Editing the drum grid: the current cell and the selected rectangle, a click's level cycle and
// the level keys, the grid's own clipboard and undo rectangles, and what playing the grid sends.
// Every edit is written back into the current pattern's block at once (the store is the only
// place the song keeps its drums).
#include "song/PatternCommands.h"
#include "song/PatternStore.h"

#include <cstdint>
#include <vector>

// A rectangle of grid cells, corners included.
struct DrumGridRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Columns() const { return right - left + 1; }
    int Rows() const { return bottom - top + 1; }
    bool operator==(const DrumGridRect &) const = default;
};

// Cells lifted from the grid; remembers the rectangle they were taken from.
struct DrumGridPiece {
    DrumGridRect from;
    std::vector<uint8_t> levels; // row by row
    bool Empty() const { return levels.empty(); }
    int Level(int column, int row) const { return levels[static_cast<size_t>(row * from.Columns() + column)]; }
};

// The cells of `rect` (cut to the grid).
DrumGridPiece TakeDrumPiece(const DrumGridModel &grid, DrumGridRect rect);
// Writes `piece` with its top-left at (left, top); cells falling outside the grid are lost.
void PutDrumPiece(DrumGridModel &grid, const DrumGridPiece &piece, int left, int top);

// A click's new level: one more, an empty cell counting as 6 and 1 coming after 9 (empty, 7, 8,
// 9, 1, 2, ...).
int NextClickLevel(int level);
// A key's level: '1'..'9' their level; '0', Enter and Space 0 (the cell emptied); -1 for any
// other key.
int KeyLevel(int key);

struct DrumClickResult {
    DrumCommandResult command; // changed, or the missing-block message
    int soundLevel = 0;        // the level a left click set, to be heard (0: nothing)
};

class DrumGridEditor {
public:
    int CurrentColumn() const { return column_; }
    int CurrentRow() const { return row_; }
    // The rectangle between the anchor and the current cell.
    DrumGridRect Selection() const;
    // Makes (column, row) the current cell; with `extend` the anchor stays, so the selection
    // reaches from it to the cell, else the cell alone is selected.
    void SetCurrent(int column, int row, bool extend = false);
    // The top-left cell alone.
    void ResetSelection() { SetCurrent(0, 0); }

    // A press on cell (column, row); a press outside the grid does nothing. Right button: the
    // cell is emptied (a right press on an empty list counts as a left one). Left: an empty list
    // first gets a pattern; unless the selection then spans more than two columns or rows, the
    // cell's level moves on by NextClickLevel. A stored edit leaves only the current pattern
    // selected.
    DrumClickResult MouseDown(DrumPart &drums, int column, int row, bool rightButton, bool extend = false);
    // A level key on the current cell (an empty list first gets a pattern); other keys do nothing.
    DrumCommandResult KeyPress(DrumPart &drums, int key);

    // The selected cells into the clipboard and the undo rectangle.
    void Copy(const DrumPart &drums);
    // Copy, then the selected cells emptied (nothing on an empty list).
    DrumCommandResult Cut(DrumPart &drums);
    // The clipboard at the selection's top-left, the cells it covers kept for Undo first (an
    // empty list first gets a pattern).
    DrumCommandResult Paste(DrumPart &drums);
    // The undo rectangle written back, only while the selection starts where it was taken.
    DrumCommandResult Undo(DrumPart &drums);
    // "Clear Pattern": the grid emptied (and the current pattern with it), built-in beat "None",
    // the current pattern alone selected, the selection back to the top-left cell.
    DrumCommandResult ClearPattern(DrumPart &drums);

    const DrumGridPiece &Clipboard() const { return clipboard_; }

private:
    // The grid into the current pattern's block, every other pattern deselected.
    DrumCommandResult StoreGrid(DrumPart &drums);
    DrumGridRect ClippedSelection(const DrumGridModel &grid) const;

    int column_ = 0, row_ = 0;
    int anchorColumn_ = 0, anchorRow_ = 0;
    DrumGridPiece clipboard_; // DrumClipboardGrid
    DrumGridPiece undo_;      // DrumUndoGrid
};

// ---- Playing the grid ------------------------------------------------------------------------

// When grid column `column` is due, in microseconds from the start of the pass: `column` steps,
// a step being the note the denominator names (1 W, 2 H, 4 Q, 8 E, 16 S, 32 T, 64 F; any other
// a quarter) at `tempo` divided by the feel's steps per beat. Counted from the pass's start, so
// steps of a fraction of a microsecond do not add up to a drift.
int64_t DrumColumnDueUs(int column, int denominator, int feel, int tempo);

struct DrumHit {
    int note = 0;
    int velocity = 0;
    bool operator==(const DrumHit &) const = default;
};
// The notes one grid column sounds, rows in order: the slot's note plus `transpose` (notes
// outside 0..127 left out) at the velocity of the cell's level and the tab's volume.
std::vector<DrumHit> DrumColumnHits(const DrumPart &drums, int column, int transpose, int volume);
