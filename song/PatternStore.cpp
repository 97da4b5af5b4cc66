#include "song/PatternStore.h"

#include "song/InstrumentTab.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <cstdio>

namespace {

// Digits only, as a non-negative number; -1 otherwise.
int DigitsValue(std::string_view digits) {
    if (digits.empty())
        return -1;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string_view Columns(std::string_view text, size_t first1Based, size_t last1Based) {
    if (first1Based > text.size())
        return {};
    return text.substr(first1Based - 1, last1Based - first1Based + 1);
}

// The list line's columns count characters as the song file holds them (one Windows-1252 byte
// each); in memory the text is UTF-8, so a character is a whole UTF-8 sequence (a stray byte counts
// as one).
size_t NextCharacter(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const size_t length = lead < 0x80             ? 1
                          : (lead & 0xE0) == 0xC0 ? 2
                          : (lead & 0xF0) == 0xE0 ? 3
                          : (lead & 0xF8) == 0xF0 ? 4
                                                  : 1;
    if (pos + length > text.size())
        return pos + 1;
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[pos + k]) & 0xC0) != 0x80)
            return pos + 1;
    return pos + length;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); pos = NextCharacter(text, pos))
        ++count;
    return count;
}

// Characters first1Based..last1Based of a UTF-8 text.
std::string_view CharacterColumns(std::string_view text, size_t first1Based, size_t last1Based) {
    size_t pos = 0, index = 1;
    for (; pos < text.size() && index < first1Based; ++index)
        pos = NextCharacter(text, pos);
    const size_t start = pos;
    for (; pos < text.size() && index <= last1Based; ++index)
        pos = NextCharacter(text, pos);
    return text.substr(start, pos - start);
}

} // namespace

int StepsPerBeat(int feel) { return feel == kFeelJazzy ? 3 : 4; }

bool IsPatternHeader(std::string_view line) { return line.substr(0, 5) == "DPATN"; }

std::string FormatPatternHeader(int count, std::string_view listLine) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "DPATN|%.4d|", count);
    return std::string(buf).append(listLine);
}

PatternHeader ParsePatternHeader(std::string_view header) {
    PatternHeader h;
    h.count = ReadIntegerDef(TrimView(Columns(header, 7, 10)), -1);
    if (header.size() >= 12)
        h.listLine = std::string(header.substr(11));
    return h;
}

std::string FormatPatternListLine(std::string_view name, int id, int feel) {
    char buf[64];
    std::snprintf(buf, sizeof buf, " %10s        %.6d", feel == kFeelJazzy ? "Jazzy Feel" : "Regular", id);
    std::string line(name);
    const size_t characters = CharacterCount(name);
    if (characters < 40)
        line.append(40 - characters, ' ');
    return line + buf;
}

std::string FitPatternName(std::string_view name) {
    std::string fitted(CharacterColumns(name, 1, 40));
    const size_t characters = CharacterCount(fitted);
    if (characters < 40)
        fitted.append(40 - characters, ' ');
    return fitted;
}

PatternListEntry ParsePatternListLine(std::string_view listLine) {
    PatternListEntry e;
    e.name = Trim(CharacterColumns(listLine, 1, 40));
    e.feel = Trim(CharacterColumns(listLine, 42, 51)) == "Jazzy Feel" ? kFeelJazzy : kFeelRegular;
    e.id = ReadIntegerDef(TrimView(CharacterColumns(listLine, 60, 65)), 0);
    return e;
}

std::string FormatCellLine(const DrumCell &cell) {
    char buf[32];
    std::snprintf(buf, sizeof buf, cell.column >= 100 ? "%.3d%.2d%.3d" : "%.2d%.2d%.3d", cell.column, cell.row,
                  cell.level);
    return buf;
}

bool ParseCellLine(std::string_view line, DrumCell &cell) {
    const size_t columnDigits = line.size() == 7 ? 2 : line.size() == 8 ? 3 : 0;
    if (columnDigits == 0)
        return false;
    const int column = DigitsValue(line.substr(0, columnDigits));
    const int row = DigitsValue(line.substr(columnDigits, 2));
    const int level = DigitsValue(line.substr(columnDigits + 2, 3));
    if (column < 0 || column >= kMaxDrumColumns || row < 0 || row >= kDrumRows || level < 1 || level > kMaxDrumLevel)
        return false;
    cell = {column, row, level};
    return true;
}

int GetTimeSigUpper(std::string_view uull) {
    return uull.size() == 4 ? std::max(0, ReadIntegerDef(uull.substr(0, 2), 0)) : 0;
}

int GetTimeSigLower(std::string_view uull) {
    return uull.size() == 4 ? std::max(0, ReadIntegerDef(uull.substr(2, 2), 0)) : 0;
}

std::string FormatTimeSignatureText(std::string_view uull) {
    std::string text = std::to_string(GetTimeSigUpper(uull)) + "/" + std::to_string(GetTimeSigLower(uull));
    text.resize(5, ' ');
    return text;
}

int LevelToVelocity(int level, int tabVolume) {
    const int base = (level >= 1 && level <= 8) ? 10 + level * 10 : 100;
    return (base + tabVolume) / 2;
}

// ---- DrumGridModel ---------------------------------------------------------------------------

void DrumGridModel::SetColumns(int columns) {
    columns_ = std::clamp(columns, 0, kMaxDrumColumns);
    cells_.resize(static_cast<size_t>(columns_));
}

void DrumGridModel::Clear() {
    for (auto &column : cells_)
        column.fill(0);
}

int DrumGridModel::Cell(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= kDrumRows)
        return 0;
    return cells_[static_cast<size_t>(column)][static_cast<size_t>(row)];
}

void DrumGridModel::SetCell(int column, int row, int level) {
    if (column < 0 || column >= columns_ || row < 0 || row >= kDrumRows)
        return;
    cells_[static_cast<size_t>(column)][static_cast<size_t>(row)] =
        static_cast<uint8_t>(level >= 1 && level <= kMaxDrumLevel ? level : 0);
}

std::vector<DrumCell> DrumGridModel::Cells() const {
    std::vector<DrumCell> cells;
    for (int c = 0; c < columns_; ++c)
        for (int r = 0; r < kDrumRows; ++r)
            if (int level = Cell(c, r))
                cells.push_back({c, r, level});
    return cells;
}

// ---- PatternStore ----------------------------------------------------------------------------

PatternBlock PatternStore::FindPattern(std::string_view listLine) const {
    for (size_t i = lines_.size(); i-- > 0;) {
        const std::string &line = lines_[i];
        if (!IsPatternHeader(line))
            continue;
        PatternHeader h = ParsePatternHeader(line);
        if (h.listLine != listLine)
            continue;
        PatternBlock block;
        block.headerIndex = static_cast<int>(i);
        block.count = h.count;
        // A wrong count must not swallow the next block: the block ends at the next header.
        size_t end = i + 1;
        const size_t wanted = h.count > 0 ? i + static_cast<size_t>(h.count) : i + 1;
        while (end < wanted && end < lines_.size() && !IsPatternHeader(lines_[end]))
            ++end;
        block.lineCount = static_cast<int>(end - i);
        return block;
    }
    return {};
}

std::vector<DrumCell> PatternStore::BlockCells(const PatternBlock &block) const {
    std::vector<DrumCell> cells;
    if (!block.Found())
        return cells;
    for (int i = 1; i < block.lineCount; ++i) {
        DrumCell cell;
        if (ParseCellLine(lines_[static_cast<size_t>(block.headerIndex + i)], cell))
            cells.push_back(cell);
    }
    return cells;
}

void PatternStore::DeleteBlock(const PatternBlock &block) {
    if (block.headerIndex < 0 || block.headerIndex >= static_cast<int>(lines_.size()))
        return;
    auto first = lines_.begin() + block.headerIndex;
    const int n = std::min(std::max(block.lineCount, 1), static_cast<int>(lines_.end() - first));
    lines_.erase(first, first + n);
}

void PatternStore::AppendGrid(std::string_view listLine, const DrumGridModel &grid) {
    const std::vector<DrumCell> cells = grid.Cells();
    lines_.push_back(FormatPatternHeader(static_cast<int>(cells.size()) + 1, listLine));
    for (const DrumCell &cell : cells)
        lines_.push_back(FormatCellLine(cell));
}

void PatternStore::AppendLines(const std::vector<std::string> &lines) {
    lines_.insert(lines_.end(), lines.begin(), lines.end());
}

void PatternStore::RewriteHeader(const PatternBlock &block, std::string_view newListLine) {
    if (!block.Found() || block.headerIndex >= static_cast<int>(lines_.size()))
        return;
    lines_[static_cast<size_t>(block.headerIndex)] = FormatPatternHeader(block.count, newListLine);
}

// ---- PatternListModel ------------------------------------------------------------------------

void PatternListModel::Insert(int index, std::string text) {
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, std::move(text));
    selected_.insert(selected_.begin() + index, false);
    if (itemIndex_ >= index)
        ++itemIndex_;
}

void PatternListModel::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    selected_.erase(selected_.begin() + index);
    if (itemIndex_ == index)
        itemIndex_ = -1;
    else if (itemIndex_ > index)
        --itemIndex_;
}

void PatternListModel::Clear() {
    items_.clear();
    selected_.clear();
    itemIndex_ = -1;
}

void PatternListModel::Assign(std::vector<std::string> items) {
    items_ = std::move(items);
    selected_.assign(items_.size(), false);
    itemIndex_ = -1;
}

void PatternListModel::SetItemIndex(int index) { itemIndex_ = (index >= 0 && index < Count()) ? index : -1; }

bool PatternListModel::Selected(int index) const {
    return index >= 0 && index < Count() && selected_[static_cast<size_t>(index)];
}

void PatternListModel::SetSelected(int index, bool selected) {
    if (index >= 0 && index < Count())
        selected_[static_cast<size_t>(index)] = selected;
}

void PatternListModel::DeselectAll() { std::fill(selected_.begin(), selected_.end(), false); }

std::vector<int> PatternListModel::SelectedIndices() const {
    std::vector<int> indices;
    for (int i = 0; i < Count(); ++i)
        if (selected_[static_cast<size_t>(i)])
            indices.push_back(i);
    return indices;
}

int PatternListModel::SelectedCount() const {
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

int PatternListModel::MaxId() const {
    int maxId = 0;
    for (const std::string &item : items_)
        maxId = std::max(maxId, ParsePatternListLine(item).id);
    return maxId;
}

// ---- DrumPart --------------------------------------------------------------------------------

void DrumPart::Reset(std::string_view timeSignature) {
    list.Clear();
    store.Clear();
    grid.Clear();
    ids.Set(1);
    sigUpper = GetTimeSigUpper(timeSignature);
    sigLower = GetTimeSigLower(timeSignature);
    feel = kFeelRegular;
    builtInBeat = 0;
    ResizeGridColumns();
}

void DrumPart::ResizeGridColumns() {
    if (sigUpper > 0)
        grid.SetColumns(sigUpper * StepsPerBeat(feel));
}

void DrumPart::RefitGridToBar() {
    ResizeGridColumns();
    LoadPatternIntoGrid(list.ItemIndex());
}

int DrumPart::NextPatternId() {
    const int id = list.MaxId() + 1;
    ids.Set(id + 1);
    return id;
}

PatternBlock DrumPart::ItemPattern(int itemIndex) const {
    if (itemIndex < 0 || itemIndex >= list.Count())
        return {};
    return store.FindPattern(list.Item(itemIndex));
}

bool DrumPart::LoadPatternIntoGrid(int itemIndex) {
    const PatternBlock block = ItemPattern(itemIndex);
    if (!block.Found())
        return false;
    grid.Clear();
    for (const DrumCell &cell : store.BlockCells(block))
        grid.SetCell(cell.column, cell.row, cell.level);
    return true;
}

bool DrumPart::ShowPatternInGrid(int itemIndex) {
    if (itemIndex < 0 || itemIndex >= list.Count())
        return false;
    feel = ParsePatternListLine(list.Item(itemIndex)).feel;
    ResizeGridColumns();
    return LoadPatternIntoGrid(itemIndex);
}

void DrumPart::AppendGridAsPattern(std::string_view listLine) { store.AppendGrid(listLine, grid); }

bool DrumPart::ReplaceDrumGridInStore(int itemIndex) {
    const PatternBlock block = ItemPattern(itemIndex);
    if (!block.Found())
        return false;
    store.DeleteBlock(block);
    store.AppendGrid(list.Item(itemIndex), grid);
    return true;
}

std::string DrumPart::UpdatedPatternListLine(int itemIndex) const {
    const PatternListEntry e = ParsePatternListLine(list.Item(itemIndex));
    return FormatPatternListLine(e.name, e.id, feel);
}

std::string DrumPart::ChangeFeel(int newFeel) {
    feel = newFeel == kFeelJazzy ? kFeelJazzy : kFeelRegular;
    std::string error;
    for (int index : list.SelectedIndices()) {
        const PatternBlock block = store.FindPattern(list.Item(index));
        if (!block.Found()) {
            error = PatternMissingMessage("ComboBoxJazzyFeelChange");
            break;
        }
        const std::string newLine = UpdatedPatternListLine(index);
        store.RewriteHeader(block, newLine);
        list.SetItem(index, newLine);
        if (index == list.ItemIndex())
            ReplaceDrumGridInStore(index);
    }
    ResizeGridColumns();
    return error;
}

std::string PatternMissingMessage(std::string_view handler) {
    return "Error: Pattern pointed to by listbox does not exist (" + std::string(handler) + ")";
}

DrumSlots MakeDefaultDrumSlots() {
    DrumSlots slots;
    for (size_t i = 0; i < slots.size(); ++i)
        slots[i] = {std::string(DefaultDrumSlots[i].Label), DefaultDrumSlots[i].Key};
    return slots;
}
