#include "song/PatternCommands.h"

#include "song/TextUtil.h"

#include <algorithm>

namespace {

DrumCommandResult Say(TDrumMessageKind kind, std::string text) { return {kind, std::move(text), false}; }

// The two refusals every command over selected patterns gives.
bool Refused(const DrumPart &drums, std::string_view noPatterns, std::string_view noneSelected,
             DrumCommandResult &out) {
    if (drums.list.Empty()) {
        out = Say(TDrumMessageKind::Information, std::string(noPatterns));
        return true;
    }
    if (drums.list.SelectedCount() == 0) {
        out = Say(TDrumMessageKind::Warning, std::string(noneSelected));
        return true;
    }
    return false;
}

DrumCommandResult Missing(std::string_view handler, bool changed) {
    return {TDrumMessageKind::Error, PatternMissingMessage(handler), changed};
}

void SelectOnly(DrumPart &drums, int index) {
    drums.list.DeselectAll();
    drums.list.SetItemIndex(index);
    drums.list.SetSelected(index, true);
}

} // namespace

DrumCommandResult NewDrumPattern(DrumPart &drums) {
    drums.grid.Clear();
    const int id = drums.NextPatternId();
    const std::string line = FormatPatternListLine("Drum Pattern " + std::to_string(id), id, drums.feel);
    drums.ResizeGridColumns();
    drums.AppendGridAsPattern(line);
    const int current = drums.list.ItemIndex();
    const int at = drums.list.Empty() || current < 0 ? 0 : current + 1;
    drums.list.Insert(at, line);
    SelectOnly(drums, at);
    drums.builtInBeat = 0;
    return {TDrumMessageKind::None, {}, true};
}

DrumCommandResult CopyPatterns(const DrumPart &drums, PatternClipboard &clipboard) {
    DrumCommandResult refusal;
    if (Refused(drums, "There are no patterns to copy. Click in the grid to create one.",
                "Click on drum pattern line(s) to copy", refusal))
        return refusal;
    PatternClipboard copied;
    for (int index : drums.list.SelectedIndices()) {
        const PatternBlock block = drums.ItemPattern(index);
        if (!block.Found())
            return Missing("Copy3Click", false);
        const auto &lines = drums.store.Lines();
        // The header counts the lines the block really has, so a pasted block is whole.
        copied.push_back(FormatPatternHeader(block.lineCount, drums.list.Item(index)));
        for (int i = 1; i < block.lineCount; ++i)
            copied.push_back(lines[static_cast<size_t>(block.headerIndex + i)]);
    }
    clipboard = std::move(copied);
    return {};
}

DrumCommandResult CutPatterns(DrumPart &drums, PatternClipboard &clipboard) {
    DrumCommandResult refusal;
    if (Refused(drums, "There are no patterns to cut. Click in the grid to create one.",
                "Click on drum pattern line(s) to cut", refusal))
        return refusal;
    DrumCommandResult copied = CopyPatterns(drums, clipboard);
    if (copied.kind != TDrumMessageKind::None)
        return copied;
    return DeletePatterns(drums);
}

DrumCommandResult PastePatterns(DrumPart &drums, PatternClipboard &clipboard) {
    if (clipboard.empty())
        return {};
    const std::vector<int> selected = drums.list.SelectedIndices();
    const int target = selected.empty() || drums.list.Empty() ? 0 : selected.back() + 1;
    drums.list.DeselectAll();

    int id = drums.NextPatternId() - 1;
    std::vector<std::string> listLines;
    for (std::string &line : clipboard) {
        if (!IsPatternHeader(line))
            continue;
        const PatternHeader header = ParsePatternHeader(line);
        const PatternListEntry entry = ParsePatternListLine(header.listLine);
        const std::string listLine = FormatPatternListLine(entry.name, ++id, entry.feel);
        line = FormatPatternHeader(header.count, listLine);
        listLines.push_back(listLine);
    }
    if (listLines.empty())
        return {};
    drums.ids.Set(id + 1);
    drums.store.AppendLines(clipboard);
    for (size_t k = 0; k < listLines.size(); ++k) {
        const int at = target + static_cast<int>(k);
        drums.list.Insert(at, listLines[k]);
        drums.list.SetSelected(at, true);
    }
    drums.list.SetItemIndex(target);
    drums.ShowPatternInGrid(target);
    return {TDrumMessageKind::None, {}, true};
}

DrumCommandResult DeletePatterns(DrumPart &drums) {
    DrumCommandResult refusal;
    if (Refused(drums, "There are no patterns to delete. Click in the grid to create one.",
                "Click on drum pattern line(s) to delete", refusal))
        return refusal;
    const std::vector<int> selected = drums.list.SelectedIndices();
    DrumCommandResult result{TDrumMessageKind::None, {}, false};
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const PatternBlock block = drums.ItemPattern(*it);
        if (!block.Found()) {
            result = Missing("Delete3Click", result.changed);
            break;
        }
        drums.store.DeleteBlock(block);
        drums.list.Delete(*it);
        result.changed = true;
    }
    if (drums.list.Empty()) {
        drums.grid.Clear();
        return result;
    }
    const int current = std::min(selected.back(), drums.list.Count() - 1);
    SelectOnly(drums, current);
    drums.ShowPatternInGrid(current);
    return result;
}

RenameQuestion AskRenamePatterns(const DrumPart &drums) {
    RenameQuestion q;
    if (Refused(drums, "There are no patterns to rename. Click in the grid to create one.",
                "Click on drum pattern line(s) to rename", q.refusal))
        return q;
    const int current = drums.list.ItemIndex() >= 0 ? drums.list.ItemIndex() : drums.list.SelectedIndices().front();
    q.text = ParsePatternListLine(drums.list.Item(current)).name;
    q.title = drums.list.SelectedCount() == 1 ? "Enter new name for " + q.text : "Enter new name for selected items";
    return q;
}

DrumCommandResult RenamePatterns(DrumPart &drums, std::string_view newName) {
    const std::string trimmed = Trim(newName);
    if (trimmed.empty() || drums.list.SelectedCount() == 0)
        return {};
    const std::string name = FitPatternName(trimmed);
    DrumCommandResult result;
    int first = -1, last = -1;
    for (int index : drums.list.SelectedIndices()) {
        const PatternBlock block = drums.ItemPattern(index);
        if (!block.Found()) {
            result = Missing("Rename3Click", false);
            break;
        }
        const PatternListEntry entry = ParsePatternListLine(drums.list.Item(index));
        const std::string listLine = FormatPatternListLine(name, entry.id, entry.feel);
        drums.store.RewriteHeader(block, listLine);
        drums.list.SetItem(index, listLine);
        if (first < 0)
            first = index;
        last = index;
    }
    if (first < 0)
        return result;
    result.changed = true;
    drums.ShowPatternInGrid(drums.list.ItemIndex());
    drums.list.DeselectAll();
    for (int i = first; i <= last; ++i)
        drums.list.SetSelected(i, true);
    return result;
}

DrumCommandResult SelectAllPatterns(DrumPart &drums) {
    if (drums.list.Empty())
        return Say(TDrumMessageKind::Information, "There are no patterns to select. Click in the grid to create one.");
    for (int i = 0; i < drums.list.Count(); ++i)
        drums.list.SetSelected(i, true);
    const int last = drums.list.Count() - 1;
    drums.list.SetItemIndex(last);
    // The grid shows the current item, so an edit lands in the pattern it shows.
    drums.ShowPatternInGrid(last);
    return {};
}

DrumCommandResult SelectPatterns(DrumPart &drums, TPatternSelect how) {
    if (drums.list.Empty())
        return Say(TDrumMessageKind::Information, "There are no patterns to select. Click in the grid to create one.");
    const int current = drums.list.ItemIndex();
    drums.list.DeselectAll();
    if (current < 0)
        return {};
    const int from = how == TPatternSelect::ToTop ? 0 : current;
    const int to = how == TPatternSelect::ToBottom ? drums.list.Count() - 1 : current;
    for (int i = from; i <= to; ++i)
        drums.list.SetSelected(i, true);
    return {};
}

DrumCommandResult DuplicatePatterns(DrumPart &drums, PatternClipboard &clipboard) {
    DrumCommandResult copied = CopyPatterns(drums, clipboard);
    if (copied.kind != TDrumMessageKind::None)
        return copied;
    return PastePatterns(drums, clipboard);
}

DrumCommandResult SelectAllAndDuplicate(DrumPart &drums, PatternClipboard &clipboard) {
    DrumCommandResult selected = SelectAllPatterns(drums);
    if (selected.kind != TDrumMessageKind::None)
        return selected;
    return DuplicatePatterns(drums, clipboard);
}

DrumCommandResult ClearAllDrums(DrumPart &drums, std::string_view timeSignature) {
    drums.Reset(timeSignature);
    return {TDrumMessageKind::None, {}, true};
}

std::string PlayBarsPanel(const DrumPart &drums) {
    if (drums.list.Empty())
        return {};
    return drums.list.SelectedCount() < 2 ? "Play All Bars" : "Play Selected Bars";
}
