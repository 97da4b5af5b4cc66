#include "song/DrumGrid.h"

#include <algorithm>

DrumGridPiece TakeDrumPiece(const DrumGridModel &grid, DrumGridRect rect) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, grid.Columns() - 1);
    rect.bottom = std::min(rect.bottom, kDrumRows - 1);
    DrumGridPiece piece;
    piece.from = rect;
    if (rect.right < rect.left || rect.bottom < rect.top)
        return piece;
    for (int r = rect.top; r <= rect.bottom; ++r)
        for (int c = rect.left; c <= rect.right; ++c)
            piece.levels.push_back(static_cast<uint8_t>(grid.Cell(c, r)));
    return piece;
}

void PutDrumPiece(DrumGridModel &grid, const DrumGridPiece &piece, int left, int top) {
    if (piece.Empty())
        return;
    for (int r = 0; r < piece.from.Rows(); ++r)
        for (int c = 0; c < piece.from.Columns(); ++c)
            grid.SetCell(left + c, top + r, piece.Level(c, r)); // outside the grid: ignored
}

int NextClickLevel(int level) {
    const int from = level >= 1 && level <= kMaxDrumLevel ? level : 6;
    return from >= kMaxDrumLevel ? 1 : from + 1;
}

int KeyLevel(int key) {
    if (key >= '1' && key <= '9')
        return key - '0';
    if (key == '0' || key == '\r' || key == '\n' || key == ' ')
        return 0;
    return -1;
}

// ---- DrumGridEditor --------------------------------------------------------------------------

DrumGridRect DrumGridEditor::Selection() const {
    return {std::min(column_, anchorColumn_), std::min(row_, anchorRow_), std::max(column_, anchorColumn_),
            std::max(row_, anchorRow_)};
}

DrumGridRect DrumGridEditor::ClippedSelection(const DrumGridModel &grid) const {
    DrumGridRect r = Selection();
    r.right = std::min(r.right, grid.Columns() - 1);
    r.bottom = std::min(r.bottom, kDrumRows - 1);
    return r;
}

void DrumGridEditor::SetCurrent(int column, int row, bool extend) {
    column_ = std::max(column, 0);
    row_ = std::clamp(row, 0, kDrumRows - 1);
    if (!extend) {
        anchorColumn_ = column_;
        anchorRow_ = row_;
    }
}

DrumCommandResult DrumGridEditor::StoreGrid(DrumPart &drums) {
    const int current = drums.list.ItemIndex();
    if (!drums.ReplaceDrumGridInStore(current))
        return {TDrumMessageKind::Error, PatternMissingMessage("ReplaceDrumGridInRichEdit"), false};
    drums.list.DeselectAll();
    drums.list.SetSelected(current, true);
    return {TDrumMessageKind::None, {}, true};
}

DrumClickResult DrumGridEditor::MouseDown(DrumPart &drums, int column, int row, bool rightButton, bool extend) {
    DrumClickResult out;
    if (column < 0 || column >= drums.grid.Columns() || row < 0 || row >= kDrumRows)
        return out;
    if (rightButton && !drums.list.Empty()) {
        SetCurrent(column, row);
        drums.grid.SetCell(column, row, 0);
        out.command = StoreGrid(drums);
        return out;
    }
    SetCurrent(column, row, extend);
    bool made = false;
    if (drums.list.Empty())
        made = NewDrumPattern(drums).changed;
    const DrumGridRect sel = Selection();
    if (sel.Columns() > 2 || sel.Rows() > 2) {
        out.command.changed = made;
        return out;
    }
    const int level = NextClickLevel(drums.grid.Cell(column, row));
    drums.grid.SetCell(column, row, level);
    out.command = StoreGrid(drums);
    out.command.changed = out.command.changed || made;
    drums.LoadPatternIntoGrid(drums.list.ItemIndex());
    out.soundLevel = level;
    return out;
}

DrumCommandResult DrumGridEditor::KeyPress(DrumPart &drums, int key) {
    const int level = KeyLevel(key);
    if (level < 0)
        return {};
    bool made = false;
    if (drums.list.Empty())
        made = NewDrumPattern(drums).changed;
    drums.grid.SetCell(column_, row_, level);
    DrumCommandResult out = StoreGrid(drums);
    out.changed = out.changed || made;
    return out;
}

void DrumGridEditor::Copy(const DrumPart &drums) {
    clipboard_ = TakeDrumPiece(drums.grid, ClippedSelection(drums.grid));
    undo_ = clipboard_;
}

DrumCommandResult DrumGridEditor::Cut(DrumPart &drums) {
    if (drums.list.Empty())
        return {};
    Copy(drums);
    const DrumGridRect sel = ClippedSelection(drums.grid);
    for (int r = sel.top; r <= sel.bottom; ++r)
        for (int c = sel.left; c <= sel.right; ++c)
            drums.grid.SetCell(c, r, 0);
    return StoreGrid(drums);
}

DrumCommandResult DrumGridEditor::Paste(DrumPart &drums) {
    if (clipboard_.Empty())
        return {};
    bool made = false;
    if (drums.list.Empty())
        made = NewDrumPattern(drums).changed;
    const DrumGridRect sel = Selection();
    const DrumGridRect target{sel.left, sel.top, sel.left + clipboard_.from.Columns() - 1,
                              sel.top + clipboard_.from.Rows() - 1};
    undo_ = TakeDrumPiece(drums.grid, target);
    PutDrumPiece(drums.grid, clipboard_, sel.left, sel.top);
    DrumCommandResult out = StoreGrid(drums);
    out.changed = out.changed || made;
    return out;
}

DrumCommandResult DrumGridEditor::Undo(DrumPart &drums) {
    const DrumGridRect sel = Selection();
    if (drums.list.Empty() || undo_.Empty() || sel.left != undo_.from.left || sel.top != undo_.from.top)
        return {};
    PutDrumPiece(drums.grid, undo_, undo_.from.left, undo_.from.top);
    return StoreGrid(drums);
}

DrumCommandResult DrumGridEditor::ClearPattern(DrumPart &drums) {
    drums.grid.Clear();
    DrumCommandResult out{TDrumMessageKind::None, {}, true};
    if (!drums.list.Empty())
        out = StoreGrid(drums);
    drums.builtInBeat = 0;
    drums.list.DeselectAll();
    drums.list.SetSelected(drums.list.ItemIndex(), true);
    ResetSelection();
    return out;
}

// ---- Playing the grid ------------------------------------------------------------------------

int64_t DrumColumnDueUs(int column, int denominator, int feel, int tempo) {
    switch (denominator) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 32:
    case 64:
        break;
    default:
        denominator = 4;
        break;
    }
    // A whole note lasts 240,000,000 microseconds at one beat a minute.
    const int64_t stepsPerWhole = int64_t{std::max(tempo, 1)} * denominator * StepsPerBeat(feel);
    return int64_t{column} * 240'000'000 / stepsPerWhole;
}

std::vector<DrumHit> DrumColumnHits(const DrumPart &drums, int column, int transpose, int volume) {
    std::vector<DrumHit> hits;
    for (int row = 0; row < kDrumRows; ++row) {
        const int level = drums.grid.Cell(column, row);
        if (level == 0)
            continue;
        const int note = drums.drumSlots[static_cast<size_t>(row)].note + transpose;
        if (note < 0 || note > 127)
            continue;
        hits.push_back({note, LevelToVelocity(level, volume)});
    }
    return hits;
}
