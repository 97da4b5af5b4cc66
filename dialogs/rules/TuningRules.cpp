#include "dialogs/rules/TuningRules.h"

#include "song/LinePositions.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <cstdio>

namespace tuning {

namespace {

// Each row's values from the lowest string (`cboStr6`) up, as the preset table reads.
constexpr TTuningPreset kPresets[] = {
    {6, "Standard", {24, 24, 24, 24, 24, 24}},     {6, "Open G", {22, 22, 24, 24, 24, 22}},
    {6, "Open D", {22, 24, 24, 23, 22, 22}},       {6, "Drop D", {22, 24, 24, 24, 24, 24}},
    {6, "Dbl Drop D", {22, 24, 24, 24, 24, 22}},   {6, "D Wahine", {22, 24, 24, 23, 24, 22}},
    {6, "D Minor", {22, 24, 24, 22, 22, 22}},      {6, "D Modal #1", {22, 24, 24, 19, 22, 22}},
    {6, "D Modal #2", {22, 24, 24, 24, 22, 22}},   {6, "G 6", {22, 22, 24, 24, 24, 24}},
    {6, "G Minor", {22, 22, 24, 24, 23, 22}},      {6, "Open C", {20, 22, 22, 24, 25, 24}},
    {6, "C 6", {20, 22, 22, 24, 22, 24}},          {6, "Fourths", {24, 24, 24, 24, 25, 25}},
    {6, "Lute #1", {24, 24, 24, 23, 24, 24}},      {6, "Lute #2", {24, 24, 24, 23, 22, 24}},
    {6, "1/2 Step Dn", {23, 23, 23, 22, 21, 23}},  {6, "1/2 Step Up", {25, 25, 25, 25, 25, 25}},
    {6, "1 Step Dn", {22, 22, 22, 22, 22, 22}},    {6, "1 Step Up", {26, 26, 26, 26, 26, 26}},
    {6, "Big City", {22, 24, 24, 23, 22, 17}},     {6, "Baritone #1", {19, 19, 19, 19, 19, 19}},
    {6, "Baritone #2", {17, 17, 17, 17, 17, 17}},  {6, "Old Spanish", {22, 22, 24, 24, 22, 24}},
    {6, "Open E Sus", {24, 26, 26, 26, 24, 24}},   {6, "Bron Y Aur", {20, 24, 22, 24, 25, 24}},
    {6, "Parvardigar", {20, 22, 22, 24, 25, 22}},  {6, "Vessen Modal", {24, 26, 26, 21, 24, 24}},
    {6, "Low C", {20, 22, 24, 24, 22, 22}},        {6, "Shifted E", {24, 23, 23, 23, 24, 24}},
    {6, "New Standard", {20, 22, 24, 26, 29, 27}}, {6, "Left-handed", {48, 38, 29, 19, 10, 0}},
    {6, "Drop C", {20, 22, 22, 22, 22, 22}},       {6, "Dbl Drop C", {20, 22, 22, 22, 22, 20}},
    {6, "D 5", {22, 24, 24, 26, 27, 22}},          {6, "Halvick", {21, 23, 23, 22, 21, 21}},
    {6, "Open E", {24, 26, 26, 25, 24, 24}},       {6, "Morrand", {25, 27, 27, 25, 25, 25}},
    {6, "Capo Fret 1", {25, 25, 25, 25, 25, 25}},  {6, "Capo Fret 2", {26, 26, 26, 26, 26, 26}},
    {6, "Capo Fret 3", {27, 27, 27, 27, 27, 27}},  {6, "Capo Fret 4", {28, 28, 28, 28, 28, 28}},
    {6, "Capo Fret 5", {29, 29, 29, 29, 29, 29}},  {6, "Capo Fret 6", {30, 30, 30, 30, 30, 30}},
    {6, "Capo Fret 7", {31, 31, 31, 31, 31, 31}},  {6, "Capo Fret 8", {32, 32, 32, 32, 32, 32}},
    {6, "Capo Fret 9", {33, 33, 33, 33, 33, 33}},  {6, "Capo Fret 10", {34, 34, 34, 34, 34, 34}},
    {6, "Capo Fret 11", {35, 35, 35, 35, 35, 35}}, {6, "Capo Fret 12", {36, 36, 36, 36, 36, 36}},
    {4, "Mandolin", {39, 41, 43, 45, 41, 36}},     {5, "G", {51, 29, 29, 28, 27, 24}},
    {3, "Dulc Mixo", {46, 48, 48, 24, 24, 24}},    {5, "G Minor", {51, 29, 29, 27, 27, 24}},
    {5, "G Modal", {51, 29, 29, 29, 27, 24}},      {5, "Open C", {51, 27, 29, 29, 29, 24}},
    {5, "Drop C", {51, 27, 29, 28, 27, 24}},       {5, "C Minor", {51, 27, 29, 29, 28, 24}},
    {5, "C Modal", {51, 27, 29, 29, 27, 24}},      {5, "Tamsel", {50, 29, 28, 26, 27, 24}},
    {5, "Open D", {53, 29, 28, 26, 27, 24}},       {4, "Bass", {12, 12, 12, 12, 24, 24}},
    {4, "Uke", {51, 39, 38, 38, 24, 24}},          {4, "Tenor Banjo", {32, 34, 36, 38, 24, 24}},
    {5, "G Capo 1", {52, 30, 30, 29, 28, 24}},     {5, "G Capo 2", {53, 31, 31, 30, 29, 24}},
    {5, "G Capo 3", {54, 32, 32, 31, 30, 24}},     {5, "G Capo 4", {55, 33, 33, 32, 31, 24}},
    {5, "G Capo 5", {56, 34, 34, 33, 32, 24}},     {5, "G Capo 6", {57, 35, 35, 34, 33, 24}},
    {5, "G Capo 7", {58, 36, 36, 35, 34, 24}},     {5, "G Capo 8", {59, 37, 37, 36, 35, 24}},
    {5, "G Capo 9", {60, 38, 38, 37, 36, 24}},
};
static_assert(std::size(kPresets) == 73);

constexpr std::array<int, 6> kBaseNotes = {40, 35, 31, 26, 21, 16}; // strings 1..6

} // namespace

int ListBaseNote(int string) { return string >= 1 && string <= 6 ? kBaseNotes[static_cast<size_t>(string - 1)] : 0; }

std::string ListItemText(int string, int value) {
    if (string < 1 || string > 6 || value < 0 || value >= kItemCount)
        return {};
    const std::string name = NoteNumberToName(value + ListBaseNote(string));
    if (value == kStandardValue)
        return "(" + name + ")";
    return name.size() == 1 ? " " + name + " " : " " + name;
}

TStringValues TTuningPreset::Values() const {
    TStringValues v{};
    for (int s = 1; s <= 6; ++s)
        v[static_cast<size_t>(s - 1)] = lowestFirst[static_cast<size_t>(6 - s)];
    return v;
}

std::span<const TTuningPreset> TuningPresets() { return kPresets; }

std::string PresetRowText(int preset) {
    if (preset < 0 || preset >= static_cast<int>(std::size(kPresets)))
        return {};
    const TTuningPreset &p = kPresets[preset];
    // A three-string row fills all six cells; the others leave the cells past their strings empty.
    const int filled = p.strings == 3 ? 6 : p.strings;
    std::string cells[6];
    for (int i = 0; i < filled; ++i)
        cells[i] = ListItemText(6 - i, p.lowestFirst[static_cast<size_t>(i)]);
    char head[64];
    std::snprintf(head, sizeof head, "%d %-14s", p.strings, std::string(p.name).c_str());
    std::string row = head;
    for (const std::string &cell : cells)
        row += " " + cell;
    return row;
}

std::string PresetCaption(int preset) {
    // The hidden list's item ("%.2d", a blank, the row without its count, trimmed) from its third
    // character on, trimmed: the name padded to 14 and the cells.
    const std::string row = PresetRowText(preset);
    return row.empty() ? std::string() : Trim(std::string_view(row).substr(1));
}

std::vector<TPresetLabel> PresetLabels(int strings) {
    std::vector<TPresetLabel> out;
    if (strings < 4 || strings > 6)
        return out;
    int item = 0;
    for (int p = 0; p < static_cast<int>(std::size(kPresets)); ++p) {
        if (kPresets[p].strings != strings)
            continue;
        int label = item + 1;
        if (strings == 5 && item >= 16)
            label = item + 5; // items 16 and 17 stand on Label21 and Label22
        ++item;
        if (label > kLabelCount || LabelHidden(label))
            continue;
        out.push_back({label, p});
    }
    return out;
}

std::optional<int> KindDefaultPreset(TKind kind) {
    switch (kind) {
    case TKind::Guitar:
        return 0;
    case TKind::Mandolin:
        return 50;
    case TKind::Bass:
        return 61;
    case TKind::Uke:
        return 62;
    case TKind::Tenor:
        return 63;
    case TKind::Banjo:
        return 51;
    default:
        return std::nullopt;
    }
}

TStringValues ValuesFromSpelling(std::string_view spelling, bool shortFifthString) {
    TStringValues v{};
    for (int s = 1; s <= 6; ++s) {
        const size_t at = static_cast<size_t>(2 * (s - 1));
        int value = kStandardValue;
        if (at + 2 <= spelling.size()) {
            const char a = spelling[at], b = spelling[at + 1];
            if (a >= '0' && a <= '9' && b >= '0' && b <= '9')
                value = (a - '0') * 10 + (b - '0');
        }
        if (s == 6 && shortFifthString)
            value += kShortStringShift;
        v[static_cast<size_t>(s - 1)] = value;
    }
    return v;
}

std::string SpellingFromValues(const TStringValues &values, bool shortFifthString) {
    std::array<int, 6> pairs = values;
    if (shortFifthString)
        pairs[5] -= kShortStringShift;
    return FormatTuningSpelling(pairs);
}

bool ValueSelectable(int string, int value, bool shortFifthString) {
    if (value < 0 || value >= kItemCount)
        return false;
    return !(string == 6 && shortFifthString && value < kShortStringShift);
}

int OpenNote(int string, int value) { return ListBaseNote(string) + value; }

} // namespace tuning
