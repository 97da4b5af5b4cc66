#pragma once
// The tuning dialog's rules as plain data and functions: the six string lists (61 pitches each,
// item 24 the standard guitar pitch of that string), the 73 preset tunings and how the dialog
// offers them on its labels, the preset each instrument kind opens on, and the conversion
// between a tab's tuning spelling and the six list values.
//
// Strings are numbered 1 (the highest, `cboStr1`) to 6 (the lowest, `cboStr6`); arrays indexed
// by string hold string 1 at [0]. A list value is a semitone offset: value v of string s sounds
// the MIDI note v + ListBaseNote(s), so value 24 sounds the standard open pitch.
#include "song/InstrumentTab.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tuning {

inline constexpr int kItemCount = 61;       // values 0..60 have a list item
inline constexpr int kStandardValue = 24;   // the standard pitch of every string
inline constexpr int kShortStringShift = 5; // a short fifth string is stored five below its list value
inline constexpr int kLabelCount = 51;      // the dialog's preset labels `Label1`..`Label51`

// Six values, string 1 first.
using TStringValues = std::array<int, 6>;

// MIDI note of value 0 on string 1..6: 40, 35, 31, 26, 21, 16.
int ListBaseNote(int string);
// The text of item `value` (0..60) of string 1..6's list: " D ", " F#", and item 24 the standard
// note in parentheses ("(E)" on strings 1 and 6). Empty for a value without an item.
std::string ListItemText(int string, int value);

struct TTuningPreset {
    int strings; // the string count it is offered for
    std::string_view name;
    // The values it puts into all six lists, string 6 (`cboStr6`) first, as the table reads.
    std::array<int, 6> lowestFirst;

    // The same values, string 1 first.
    TStringValues Values() const;
};
// The 73 presets, preset index 0..72.
std::span<const TTuningPreset> TuningPresets();

// "%d %-14s %s %s %s %s %s %s": string count, name, and the cells of the preset's own strings
// from the lowest (the other cells empty; "Dulc Mixo" fills all six).
std::string PresetRowText(int preset);
// The caption of the preset's label: the name padded to 14 and the cells, trimmed.
std::string PresetCaption(int preset);

// A filled label of the dialog: its number 1..51 and the preset it applies.
struct TPresetLabel {
    int label;
    int preset;
};
// The labels filled for a tab of `strings` strings, in order. Only 4, 5 and 6 strings have any:
// 4 strings Label1..Label4; 5 strings Label1..Label16 then Label21, Label22; 6 strings
// Label1..Label50, where the rows on the hidden Label17..Label20 are not offered.
std::vector<TPresetLabel> PresetLabels(int strings);
// Label17..Label20 are never shown.
constexpr bool LabelHidden(int label) { return label >= 17 && label <= 20; }

// The preset the dialog opens on for a kind: Guitar 0, Mandolin 50, Bass 61, Uke 62, Tenor 63,
// Banjo 51; none for any other kind.
std::optional<int> KindDefaultPreset(TKind kind);

// The list values of a spelling: pair k of string k; a short fifth string's pair gets 5 added.
// A pair that is no two-digit number reads as the standard value.
TStringValues ValuesFromSpelling(std::string_view spelling, bool shortFifthString);
// The spelling of six values ("%.2d" six times, string 1 first); a short fifth string's value is
// stored 5 lower. Every pair is kept to 0..99.
std::string SpellingFromValues(const TStringValues &values, bool shortFifthString);
// Whether string `string`'s list may take value `value` (0..60): a short fifth string refuses
// values below 5, which have no stored pair.
bool ValueSelectable(int string, int value, bool shortFifthString);

// The open MIDI note of each string of a tab (string 1 first) under its list values.
int OpenNote(int string, int value);

} // namespace tuning
