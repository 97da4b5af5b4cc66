#include "mainwindow/rules/CommandState.h"

#include "mainwindow/rules/CommandTable.h"

TControlFlags TCommandState::Flags(std::string_view name) const {
    const auto it = controls.find(name);
    return it == controls.end() ? TControlFlags{} : it->second;
}

namespace {

// The Edit menu's own rule (its pop-up twins follow it): what the editor's text allows.
bool EditItemEnabled(std::string_view name, const TWindowState &s) {
    const bool any = s.lineCount > 0;
    // The whole-line commands: the Edit menu's need lines (its line copy and delete a
    // selection); the pop-up's copy and select commands are always there.
    for (std::string_view n :
         {"Duplicate3", "Duplicate4", "SelectAllandDuplicate4", "SelectToTop2", "SelectToBottom2", "DeleteLine1"})
        if (name == n)
            return any;
    if (name == "CopyLine2" || name == "DeleteLine2")
        return s.hasSelection;
    const std::string_view base = name.substr(0, name.size() - 1); // "Copy1" / "Copy2" -> "Copy"
    if (base == "Find" || base == "Replace" || base == "GoToLine" || base == "GotoLine" || base == "SelectAll" ||
        base == "SelectNone")
        return any;
    if (base == "FindNext")
        return any && s.findTextKnown;
    if (base == "Copy" || base == "Cut" || base == "Delete")
        return s.hasSelection;
    if (base == "Paste")
        return s.clipboardHasText;
    if (base == "Undo")
        return s.canUndo;
    return true;
}

} // namespace

TCommandState ComputeCommandState(const TWindowState &s) {
    TCommandState out;
    const bool song = s.play == TPlayKind::Song;
    const bool instrument = s.play == TPlayKind::Instrument;
    const bool grid = s.play == TPlayKind::DrumGrid;
    const bool playing = s.play != TPlayKind::Idle;
    const bool busy = playing || s.longOperation;
    const bool drums = s.tab == TTabKindGroup::Drums;
    const bool piano = s.tab == TTabKindGroup::Piano;
    auto set = [&out](std::string_view name, bool enabled) { out.controls[std::string(name)].enabled = enabled; };

    // Every main menu is locked while anything plays or a long edit runs; the editor's Edit
    // menu only while something plays (a long edit leaves it open, its commands do nothing).
    for (const TMenuRow &m : MenuRows()) {
        bool enabled = !busy;
        if (m.menu == TMenu::Edit)
            enabled = !playing;
        else if (m.menu == TMenu::Editor) // its commands work on lines: off on the Drums tab
            enabled = !busy && !drums;
        TControlFlags &f = out.controls[std::string(m.name)];
        f.enabled = enabled;
        if (m.menu == TMenu::Edit)
            f.visible = !drums;
        else if (m.menu == TMenu::EditDrums)
            f.visible = drums;
    }

    for (const TCommandRow &row : CommandRows()) {
        bool enabled = true;
        switch (row.menu) {
        case TMenu::Edit:
            enabled = !instrument && !grid && !busy && !drums && EditItemEnabled(row.name, s);
            break;
        case TMenu::EditorPopUp:
            enabled = !busy && !drums && (row.name == "N23" || EditItemEnabled(row.name, s));
            break;
        case TMenu::Editor:
        case TMenu::Directives:
        case TMenu::TransposeHigher:
        case TMenu::TransposeLower:
            enabled = !busy && !drums;
            break;
        case TMenu::Hidden:
            enabled = row.name == "EscapeKey" || (!busy && !drums);
            break;
        case TMenu::PatternPopUp:
            enabled = !busy && (row.name != "SelectAllandDuplicate1" || s.patternCount > 0);
            break;
        case TMenu::GridPopUp:
            // The grid stays editable while it plays itself.
            enabled = !song && !instrument && !s.longOperation;
            break;
        default:
            enabled = !busy;
            break;
        }
        set(row.name, enabled);
    }
    // Commands that need a tab with lines of notes.
    for (std::string_view name : {"PlayFromEditorBookmarkF41", "PlayFromCursor1", "PlayAnimatedInstrument1"})
        set(name, !busy && !drums);
    set("ablature1", !busy && !piano);
    set("Contents1", !busy && s.helpAvailable);

    // The lock groups.
    for (std::string_view name : kMixerControls)
        set(name, !playing);
    for (std::string_view name : kEditingAids)
        set(name, !song && !instrument);
    for (std::string_view name : kPlaySettings)
        set(name, !playing);
    set("LabelTabName", !song && !instrument);
    set("BitBtnPlayArrangement", !instrument && !grid);
    set("btnPlayFRT", !song && !grid && !drums);
    // The drum page: the grid's Play button stops it; the song locks the list, the grid play the
    // pattern group around it.
    for (std::string_view name : kDrumGridControls)
        set(name, !song && !grid);
    set("BitBtnPlayPattern", !song && !instrument);
    set("ListBoxDrumPatterns", !song);
    set("GroupBoxDrumPatterns", !grid);

    // A selection of lines, or of anything but one drum pattern (of none too while the song or
    // the grid plays, or while the list has patterns), never plays with a count-in.
    const bool noPatterns = s.play == TPlayKind::Idle && s.patternCount == 0;
    bool countIn = drums ? (s.selectedPatterns == 1 || noPatterns) : !s.hasSelection;
    TControlFlags &check = out.controls["chkCountIn"];
    check.enabled = countIn && !song && !instrument;
    if (!countIn)
        check.checked = false;
    const bool checked = countIn && s.countInChecked;
    set("EdtCountInbars", check.enabled && checked);

    out.editorReadOnly = song || instrument || s.longOperation;
    return out;
}
