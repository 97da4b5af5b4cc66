#pragma once
// The drum part of a song: one-bar patterns kept as text blocks in the pattern store, named in
// playing order by the pattern list, shown one at a time in the drum grid.
//
// Formats
//   list line   "%-40s %10s        %.6d" of (name, "Jazzy Feel" or "Regular", id)
//   header      "DPATN|%0.4d|%s" of (lines in the block, header included; the list line)
//   cell line   "%.2d%.2d%.3d" of (column, row, level); a column of 100 or more is written with three
//               digits ("%.3d%.2d%.3d", 8 characters) and cell lines are read by their length, so
//               files written before wide bars existed read as they always did.
// A block belongs to the list item whose text equals the list line in its header.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// ---- Small format helpers --------------------------------------------------------------------

inline constexpr int kDrumRows = 8;
inline constexpr int kMaxDrumLevel = 9;
// Widest bar: 64 beats of 4 steps.
inline constexpr int kMaxDrumColumns = 256;

enum TDrumFeel : int { kFeelRegular = 0, kFeelJazzy = 1 };

// Steps per beat of a feel: 3 for Jazzy, 4 otherwise.
int StepsPerBeat(int feel);

bool IsPatternHeader(std::string_view line);
std::string FormatPatternHeader(int count, std::string_view listLine);
struct PatternHeader {
    int count = -1;       // -1 when characters 7-10 are not a number
    std::string listLine; // character 12 to the end
};
PatternHeader ParsePatternHeader(std::string_view header);

std::string FormatPatternListLine(std::string_view name, int id, int feel);
// A pattern's name as the list line holds it: cut to 40 characters and padded with blanks to 40,
// counting characters as the song file's 8-bit text does (one byte each).
std::string FitPatternName(std::string_view name);
struct PatternListEntry {
    std::string name; // characters 1-40, trimmed
    int feel = kFeelRegular;
    int id = 0; // characters 60-65 as a number, 0 when they are none
};
PatternListEntry ParsePatternListLine(std::string_view listLine);

struct DrumCell {
    int column = 0; // 0-based step of the bar
    int row = 0;    // 0..7 = drum slot 1..8
    int level = 0;  // 1..9
    bool operator==(const DrumCell &) const = default;
};
std::string FormatCellLine(const DrumCell &cell);
// False for a line that is not a cell line of 7 or 8 digits, or whose row or level is out of range.
bool ParseCellLine(std::string_view line, DrumCell &cell);

// "UULL" time-signature texts: characters 1-2 / 3-4 as a number; 0 unless the text has exactly four
// characters or when they are not a number.
int GetTimeSigUpper(std::string_view uull);
int GetTimeSigLower(std::string_view uull);
// "%d/%d" padded with blanks and cut to 5 characters ("4/4  ", "12/8 ").
std::string FormatTimeSignatureText(std::string_view uull);

// Velocity of a drum level: levels 1..8 give 20..90, any other 100; averaged with the tab's volume.
int LevelToVelocity(int level, int tabVolume);

// ---- Drum grid -------------------------------------------------------------------------------

// One bar of steps by eight drum slots; a cell is 0 (empty) or a level 1..9.
class DrumGridModel {
public:
    int Columns() const { return columns_; }
    // Keeps the cells that still fit; new cells are empty. Clamped to 0..kMaxDrumColumns.
    void SetColumns(int columns);
    void Clear();
    // 0 for a cell outside the grid.
    int Cell(int column, int row) const;
    // Ignored outside the grid; a level outside 1..9 empties the cell.
    void SetCell(int column, int row, int level);
    // Non-empty cells, column by column, within a column by row.
    std::vector<DrumCell> Cells() const;
    bool operator==(const DrumGridModel &) const = default;

private:
    int columns_ = 16;
    std::vector<std::array<uint8_t, kDrumRows>> cells_ = std::vector<std::array<uint8_t, kDrumRows>>(16);
};

// ---- Pattern store ---------------------------------------------------------------------------

// Where a block lies: the header's line index and the number of lines that really belong to it
// (header included). A block whose count runs past the next header or the end of the store ends
// there.
struct PatternBlock {
    int headerIndex = -1;
    int count = -1;    // the header's count; -1 when not a number (treated as missing)
    int lineCount = 0; // lines of the block as found
    bool Found() const { return headerIndex >= 0 && count >= 0; }
};

class PatternStore {
public:
    const std::vector<std::string> &Lines() const { return lines_; }
    std::vector<std::string> &Lines() { return lines_; }
    void Clear() { lines_.clear(); }
    bool Empty() const { return lines_.empty(); }

    // Walks from the last line back; the first header carrying `listLine` wins.
    PatternBlock FindPattern(std::string_view listLine) const;
    // The cells of a block, skipping lines that are no cell line.
    std::vector<DrumCell> BlockCells(const PatternBlock &block) const;
    // Removes the block's lines.
    void DeleteBlock(const PatternBlock &block);
    // Appends a block for `grid` under `listLine`.
    void AppendGrid(std::string_view listLine, const DrumGridModel &grid);
    // Appends a header and cell lines as given (built-in beats, pasted blocks).
    void AppendLines(const std::vector<std::string> &lines);
    // Rewrites the header of a found block with the same count and a new list line.
    void RewriteHeader(const PatternBlock &block, std::string_view newListLine);

private:
    std::vector<std::string> lines_;
};

// ---- Pattern list ----------------------------------------------------------------------------

// The pattern list: list lines in playing order, a multi-selection and the current item.
class PatternListModel {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    const std::string &Item(int index) const { return items_.at(static_cast<size_t>(index)); }
    const std::vector<std::string> &Items() const { return items_; }
    void SetItem(int index, std::string text) { items_.at(static_cast<size_t>(index)) = std::move(text); }
    // Inserts at index (clamped to 0..Count), unselected; the current item keeps pointing at the
    // same pattern.
    void Insert(int index, std::string text);
    void Add(std::string text) { Insert(Count(), std::move(text)); }
    void Delete(int index);
    void Clear();
    // Replaces every item (a song being read); nothing selected, no current item.
    void Assign(std::vector<std::string> items);

    int ItemIndex() const { return itemIndex_; }
    // -1 or 0..Count-1; anything else becomes -1.
    void SetItemIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    void DeselectAll();
    std::vector<int> SelectedIndices() const;
    int SelectedCount() const;
    // Largest id among the items (0 for an empty list).
    int MaxId() const;

private:
    std::vector<std::string> items_;
    std::vector<bool> selected_;
    int itemIndex_ = -1;
};

// ---- Pattern ids -----------------------------------------------------------------------------

// Hands out pattern ids. Next() increments and answers the new value; Set(n) makes n - 1 the last
// id given, so the next one is n.
class PatternIdCounter {
public:
    int Next() { return ++value_; }
    int Set(int n) {
        value_ = n - 1;
        return value_;
    }
    int Value() const { return value_; }
    // After a song is read: the next id is above every id in the list.
    void FollowList(const PatternListModel &list) { value_ = list.MaxId(); }

private:
    int value_ = 0;
};

// ---- Drum slots ------------------------------------------------------------------------------

struct DrumSlot {
    std::string caption; // note number, blank, drum name ("36 Bass Drum 1")
    int note = 0;        // General MIDI percussion key (the label's Tag)
    bool operator==(const DrumSlot &) const = default;
};
using DrumSlots = std::array<DrumSlot, kDrumRows>;
// The eight slots a new song starts with.
DrumSlots MakeDefaultDrumSlots();

// ---- The drum page's song data ---------------------------------------------------------------

// Everything of the drum part that the song file stores, the builder reads and the drum page shows:
// the window keeps its controls in step with these values.
struct DrumPart {
    PatternListModel list;
    PatternStore store;
    DrumGridModel grid;
    DrumSlots drumSlots = MakeDefaultDrumSlots(); // rows 1..8 (DrumNameLabel1..8)
    PatternIdCounter ids;
    // The time signature shown on the drum page (LabelSigUpper / LabelSigLower).
    int sigUpper = 4;
    int sigLower = 4;
    int feel = kFeelRegular; // ComboBoxJazzyFeel
    int builtInBeat = 0;     // ComboBoxBuiltInBeats: 0 "None", 1..7 the beats

    // Empties list, store and grid, ids from 1 again, labels from `timeSignature`, Regular feel,
    // no current pattern, built-in beat "None". The slots are kept.
    void Reset(std::string_view timeSignature);
    // Grid columns for the shown numerator and feel (nothing when the numerator is not positive).
    void ResizeGridColumns();
    // After a change of the time signature: the grid's columns for it, filled again from the
    // current pattern's block, so cells a shorter bar left out show again in a longer one.
    void RefitGridToBar();

    // The id for a new pattern: one above the largest id in the list (1 for an empty list); the
    // counter is left as having just given it.
    int NextPatternId();

    // The store's block for list item `itemIndex`; not found when there is no such item.
    PatternBlock ItemPattern(int itemIndex) const;
    // The current item's block into the grid (cleared first); false when there is no current item
    // or its block is missing.
    bool LoadPatternIntoGrid(int itemIndex);
    // The item's pattern into the grid with its own feel: the feel is taken and the grid's
    // columns resized first, so no cell of the pattern falls outside the grid.
    bool ShowPatternInGrid(int itemIndex);
    // Appends the grid as a new block under `listLine`.
    void AppendGridAsPattern(std::string_view listLine);
    // Replaces the item's block with the grid's cells; the block moves to the end of the store.
    // False (and nothing changes) when the block is missing.
    bool ReplaceDrumGridInStore(int itemIndex);
    // The item's list line rebuilt with its name and id and the feel now chosen.
    std::string UpdatedPatternListLine(int itemIndex) const;

    // Applies a new feel to every selected pattern (list lines and headers; the current pattern's
    // block is written again from the grid) and resizes the grid. Returns an empty text, or the
    // missing-pattern message when a block is missing (the patterns before it are changed).
    std::string ChangeFeel(int feel);
};

// "Error: Pattern pointed to by listbox does not exist (" + handler + ")".
std::string PatternMissingMessage(std::string_view handler);
