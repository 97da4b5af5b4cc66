#pragma once
// The per-line editor's rules: one fretted or piano line read into columns (one per string of
// the tab, lowest first, or one per key slot of a piano line), each column's fret or key,
// duration, volume and fingering as its lists show them, and the line written back in detailed
// form after every change of a column.
//
// The line is read once, when the editor opens; every change works on that reading, so a
// duration half typed never loses the line. Typed durations are checked when the user confirms.
#include "song/FrettedLine.h"
#include "song/InstrumentTab.h"
#include "song/PianoLine.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lineedit {

inline constexpr int kMaxColumns = 10;

// The items of a column's lists.
std::span<const std::string> NumberItems(bool piano);    // "-1", then "0".."24" or "28".."107"
std::span<const std::string> DurationItems();            // "W".."F", ".W".."F", "/W".."/F"
std::span<const std::string> FingeringItems(bool piano); // "1".."4","T" or "L1".."L5","R1".."R5"
inline constexpr int kMinVolume = 1, kMaxVolume = 127;   // the volume list: "1".."127"

// What a column's lists show, or what the user chose in them.
struct TColumn {
    int number = -1;           // fret or key; -1 silent string or empty key slot
    std::string duration;      // the duration list's text (typed text unchanged)
    std::optional<int> volume; // nullopt: no volume selected
    std::string fingering;     // empty: none selected

    bool operator==(const TColumn &) const = default;
};

class TLineEditModel {
public:
    // Reads a note line of the tab; nullopt for a line that does not parse, a directive or a
    // blank line (the editor then does not open).
    static std::optional<TLineEditModel> Open(std::string_view line, const TLineContext &ctx);

    bool Piano() const { return piano_; }
    // Columns in use: the tab's strings (HighestString + 1) or the ten key slots.
    int ColumnCount() const;
    // "String 6" .. "String 1" from the lowest string, or "Note 1" .. "Note 10".
    std::string ColumnCaption(int column) const;

    // Column 1..ColumnCount() as the lists show it now.
    TColumn Column(int column) const;
    // A column's duration and volume lists take input only while it sounds a note.
    bool ColumnEnabled(int column) const { return Column(column).number != -1; }

    // Writes the user's choice for a column into the line. A volume of nullopt takes the tab's
    // volume kept to 1..127.
    void SetColumn(int column, const TColumn &value);

    // The line as last written (the line read at opening until a column changes). A change that
    // cannot be written (a typed duration holding "," or "|") leaves it as it was.
    const std::string &Line() const { return line_; }
    // "" when the line may be taken; otherwise the message that names the first faulty typed
    // duration (or the reader's own message for the written line).
    std::string CheckOnOk() const;

private:
    TLineEditModel() = default;
    int Slot(int column) const; // the record slot of a column
    TColumn ColumnAtOpen(int column) const;
    void Write();

    bool piano_ = false;
    TLineContext ctx_;
    TChordDat chord_;
    TPianoRec keys_;
    std::string line_;
    std::array<TColumn, kMaxColumns> shown_;
};

} // namespace lineedit
