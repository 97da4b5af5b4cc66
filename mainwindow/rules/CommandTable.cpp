#include "mainwindow/rules/CommandTable.h"

#include <array>

namespace {
using enum TMenu;
using A = TArea;

constexpr std::array kMenus{
    TMenuRow{File, "File1", "&File"},
    TMenuRow{Edit, "EditMenuEditor", "&Edit"},
    TMenuRow{EditDrums, "EditMenuDrums", "Ed&it"},
    TMenuRow{View, "View1", "&View"},
    TMenuRow{Editor, "Editor2", "E&ditor"},
    TMenuRow{Play, "Play2", "&Play"},
    TMenuRow{Tools, "Tools1", "&Tools"},
    TMenuRow{Help, "Help1", "&Help"},
};

constexpr std::array kPopUps{
    TMenuRow{EditorPopUp, "mnuEditorPopUp", ""},
    TMenuRow{PatternPopUp, "PopupMenuDrumPatterns", ""},
    TMenuRow{GridPopUp, "PopupMenuDrumGrid", ""},
};

constexpr std::array kSubMenus{
    TSubMenuRow{Directives, Editor, "InsertDirectiveMenu", "&Insert Directive"},
    TSubMenuRow{TransposeHigher, Editor, "TransposeHigherMenu", "Transpose &Higher"},
    TSubMenuRow{TransposeLower, Editor, "TransposeLowerMenu", "Transpose &Lower"},
};

constexpr std::array kRows{
    TCommandRow{"NewSong1", File, "&New", "Ctrl+N", A::Files},
    TCommandRow{"OpenSong1", File, "&Open...", "Ctrl+O", A::Files},
    TCommandRow{"SaveSong1", File, "&Save", "Ctrl+S", A::Files},
    TCommandRow{"SaveSongAs1", File, "Save &As...", "", A::Files},
    TCommandRow{"SaveMidiOfSong1", File, "Save &Midi File...", "Ctrl+M", A::Export},
    TCommandRow{"TextFile1", File, "Sa&ve Text File...", "", A::Files},
    TCommandRow{"N14", File, "New Note&pad", "", A::Export},
    // The recent songs' captions are their paths, set by the file commands.
    TCommandRow{"Recent11", File, "", "", A::Files, true},
    TCommandRow{"Recent21", File, "", "", A::Files},
    TCommandRow{"Recent31", File, "", "", A::Files},
    TCommandRow{"Recent41", File, "", "", A::Files},
    TCommandRow{"Recent51", File, "", "", A::Files},
    TCommandRow{"Recent61", File, "", "", A::Files},
    TCommandRow{"Exit1", File, "E&xit", "", A::Window, true},

    // Window-wide keys: Ctrl+C, Ctrl+V and the like reach the editor first when it has the
    // focus (it claims its own keys), the others fire wherever the focus is.
    TCommandRow{"Undo1", Edit, "&Undo", "Ctrl+Z", A::Editor},
    TCommandRow{"Cut1", Edit, "Cu&t", "Ctrl+X", A::Editor, true},
    TCommandRow{"Copy1", Edit, "&Copy", "Ctrl+C", A::Editor},
    TCommandRow{"Paste1", Edit, "&Paste", "Ctrl+V", A::Editor},
    TCommandRow{"Delete1", Edit, "&Delete", "", A::Editor},
    TCommandRow{"SelectAll1", Edit, "Select &All", "Ctrl+A", A::Editor, true},
    TCommandRow{"SelectNone2", Edit, "Select &None", "", A::Editor},
    TCommandRow{"Find1", Edit, "&Find...", "Ctrl+F", A::Dialogs, true},
    TCommandRow{"FindNext1", Edit, "Find Next", "F3", A::Dialogs},
    TCommandRow{"Replace1", Edit, "&Replace...", "Ctrl+R", A::Dialogs},
    TCommandRow{"GoToLine1", Edit, "&Go To Line...", "Ctrl+G", A::Dialogs},
    // Whole lines at the caret or the selection.
    TCommandRow{"Duplicate3", Edit, "Dup&licate", "Ctrl+D", A::Editor, true},
    TCommandRow{"SelectAllandDuplicate4", Edit, "Select All and Duplicate", "", A::Editor},
    TCommandRow{"CopyLine2", Edit, "Copy Line", "", A::Editor},
    TCommandRow{"DeleteLine2", Edit, "D&elete Line", "", A::Editor},
    TCommandRow{"SelectToTop2", Edit, "&Select To Top", "", A::Editor},
    TCommandRow{"SelectToBottom2", Edit, "Select To &Bottom", "", A::Editor},
    TCommandRow{"SetEditorMarker2", Edit, "S&et Bookmark", "Ctrl+Shift+F4", A::Editor, true},
    TCommandRow{"JumptoEditorMarkerCtrl092", Edit, "&Jump to Bookmark", "Ctrl+F4", A::Editor},

    // The Drums tab's Edit menu and the pattern list's pop-up run the same list commands.
    TCommandRow{"Cut5", EditDrums, "Cu&t", "", A::Drums},
    TCommandRow{"Copy5", EditDrums, "&Copy", "", A::Drums},
    TCommandRow{"Paste5", EditDrums, "&Paste", "", A::Drums},
    TCommandRow{"Delete4", EditDrums, "&Delete", "", A::Drums},
    TCommandRow{"SelectAll4", EditDrums, "Select &All", "", A::Drums, true},
    TCommandRow{"SelectNone5", EditDrums, "Select &One", "", A::Drums},
    TCommandRow{"SelectToTop4", EditDrums, "Se&lect To Top", "", A::Drums},
    TCommandRow{"SelectToBottom4", EditDrums, "Select To &Bottom", "", A::Drums},
    TCommandRow{"Duplicate2", EditDrums, "D&uplicate", "", A::Drums, true},
    TCommandRow{"SelectAllAndDuplicate2", EditDrums, "&Select All And Duplicate", "", A::Drums},
    TCommandRow{"NewPattern1", EditDrums, "Ne&w Pattern", "", A::Drums, true},
    TCommandRow{"Rename1", EditDrums, "Re&name", "", A::Drums},
    TCommandRow{"ClearAllDrums2", EditDrums, "Clear All &Drums", "", A::Drums, true},

    TCommandRow{"ablature1", View, "Ta&blature", "", A::Dialogs},
    TCommandRow{"MixerSummary1", View, "Song Information...", "", A::Dialogs, true},

    // The Editor menu: directive lines, transposing, reordering and thinning the lines.
    TCommandRow{"VOLUME2", Directives, "&VOLUME", "", A::Editor},
    TCommandRow{"BALANCE2", Directives, "&BALANCE", "", A::Editor},
    TCommandRow{"INSTRUMENT2", Directives, "&INSTRUMENT", "", A::Editor},
    TCommandRow{"CHANNEL2", Directives, "&CHANNEL", "", A::Editor},
    TCommandRow{"DELAY2", Directives, "&DELAY", "", A::Editor},
    TCommandRow{"TRANSPOSE111", Directives, "T&RANSPOSE", "", A::Editor},
    TCommandRow{"TEMPO1", Directives, "&TEMPO", "", A::Editor},
    // Each item moves the lines by its half steps, the number its caption shows.
    TCommandRow{"TransposeHigher12", TransposeHigher, "12", "", A::Editor, true, 12},
    TCommandRow{"TransposeHigher11", TransposeHigher, "11", "", A::Editor, false, 11},
    TCommandRow{"TransposeHigher10", TransposeHigher, "10", "", A::Editor, false, 10},
    TCommandRow{"TransposeHigher9", TransposeHigher, "9", "", A::Editor, false, 9},
    TCommandRow{"TransposeHigher8", TransposeHigher, "8", "", A::Editor, false, 8},
    TCommandRow{"TransposeHigher7", TransposeHigher, "7", "", A::Editor, false, 7},
    TCommandRow{"TransposeHigher6", TransposeHigher, "6", "", A::Editor, false, 6},
    TCommandRow{"TransposeHigher5", TransposeHigher, "5", "", A::Editor, false, 5},
    TCommandRow{"TransposeHigher4", TransposeHigher, "4", "", A::Editor, false, 4},
    TCommandRow{"TransposeHigher3", TransposeHigher, "3", "", A::Editor, false, 3},
    TCommandRow{"TransposeHigher2", TransposeHigher, "2", "", A::Editor, false, 2},
    TCommandRow{"TransposeHigher1", TransposeHigher, "1", "", A::Editor, false, 1},
    TCommandRow{"TransposeLower12", TransposeLower, "&12", "", A::Editor, false, 12},
    TCommandRow{"TransposeLower11", TransposeLower, "&11", "", A::Editor, false, 11},
    TCommandRow{"TransposeLower10", TransposeLower, "&10", "", A::Editor, false, 10},
    TCommandRow{"TransposeLower9", TransposeLower, "&9", "", A::Editor, false, 9},
    TCommandRow{"TransposeLower8", TransposeLower, "&8", "", A::Editor, false, 8},
    TCommandRow{"TransposeLower7", TransposeLower, "&7", "", A::Editor, false, 7},
    TCommandRow{"TransposeLower6", TransposeLower, "&6", "", A::Editor, false, 6},
    TCommandRow{"TransposeLower5", TransposeLower, "&5", "", A::Editor, false, 5},
    TCommandRow{"TransposeLower4", TransposeLower, "&4", "", A::Editor, false, 4},
    TCommandRow{"TransposeLower3", TransposeLower, "&3", "", A::Editor, false, 3},
    TCommandRow{"TransposeLower2", TransposeLower, "&2", "", A::Editor, false, 2},
    TCommandRow{"TransposeLower1", TransposeLower, "&1", "", A::Editor, false, 1},
    TCommandRow{"ReverseTheOrderOfLines1", Editor, "Re&verse The Order Of Lines", "", A::Editor, true},
    TCommandRow{"RandomizeTheOrderOfLines1", Editor, "&Randomize The Order Of Lines", "", A::Editor},
    TCommandRow{"KeepOnlyTheHighestNoteInChords1", Editor, "Keep Only The &Highest Note In Chords", "", A::Editor,
                true},
    TCommandRow{"KeepOnlyTheLowestNoteInChords1", Editor, "Keep Only The &Lowest Note In Chords", "", A::Editor},
    TCommandRow{"ClearNotesFromLine1", Editor, "Clear Notes From L&ines", "", A::Editor, true},
    TCommandRow{"ClearEditor2", Editor, "&Clear Editor", "", A::Editor},
    TCommandRow{"ReformatLinesShiftCtrlF11", Editor, "G&roup Lines By Bars (Alt+RMB)", "", A::Editor, true},

    TCommandRow{"PlayAll1", Play, "&Play Song From Start", "F2", A::Playback},
    TCommandRow{"PlayFromCursor1", Play, "Play Song From &Cursor", "Ctrl+F2", A::Playback},
    TCommandRow{"PlayFromEditorBookmarkF41", Play, "Play Song From &Bookmark", "F4", A::Playback},
    // Its caption names the current tab's kind when the menu opens.
    TCommandRow{"PlayAnimatedInstrument1", Play, "Play Animated Instrument", "Shift+F2", A::Live},

    TCommandRow{"ChordCalculator1", Tools, "&Chord Calculator...", "", A::Dialogs},
    TCommandRow{"Options1", Tools, "&Options...", "Ctrl+T", A::Window},

    TCommandRow{"Contents1", Help, "&Contents", "F1", A::Window},
    TCommandRow{"OnlineHelpSite1", Help, "&Online Help Site", "", A::Export},
    TCommandRow{"YouTubeSite1", Help, "&YouTube Site", "", A::Export},
    TCommandRow{"About1", Help, "&About...", "", A::Window},

    TCommandRow{"Undo2", EditorPopUp, "&Undo", "", A::Editor},
    TCommandRow{"Cut2", EditorPopUp, "Cu&t", "", A::Editor, true},
    TCommandRow{"Copy2", EditorPopUp, "&Copy", "", A::Editor},
    TCommandRow{"Paste2", EditorPopUp, "&Paste", "", A::Editor},
    TCommandRow{"Delete2", EditorPopUp, "&Delete", "", A::Editor},
    TCommandRow{"SelectAll2", EditorPopUp, "Select &All", "", A::Editor, true},
    TCommandRow{"SelectNone1", EditorPopUp, "Select None", "", A::Editor},
    TCommandRow{"Find2", EditorPopUp, "Find... (Ctrl F)", "", A::Dialogs, true},
    TCommandRow{"FindNext2", EditorPopUp, "Find &Next", "", A::Dialogs},
    TCommandRow{"Replace2", EditorPopUp, "Replace... (Ctrl R)", "", A::Dialogs},
    TCommandRow{"GotoLine2", EditorPopUp, "Go To Line...", "", A::Dialogs},
    TCommandRow{"N23", EditorPopUp, "Play From Cursor", "", A::Playback, true},
    TCommandRow{"NoteDurationSelectorCtrlRMB1", EditorPopUp, "Note &Duration Selector (Ctrl+RMB)", "", A::Dialogs,
                true},
    TCommandRow{"OnetimeNoteDurationforSelection1", EditorPopUp, "Tem&porary Duration for Selection (Shift+RMB)", "",
                A::Dialogs},
    TCommandRow{"MicroManageLine2", EditorPopUp, "&Set Multiple Durations For Line", "", A::Dialogs},
    TCommandRow{"Duplicate4", EditorPopUp, "Duplicate", "", A::Editor, true},
    TCommandRow{"SelectAllandDuplicate3", EditorPopUp, "Select All and Duplicate", "", A::Editor},
    TCommandRow{"CopyLine1", EditorPopUp, "Copy Line", "", A::Editor},
    TCommandRow{"DeleteLine1", EditorPopUp, "Delete Line", "", A::Editor},
    TCommandRow{"SelectToTop1", EditorPopUp, "Select To Top", "", A::Editor},
    TCommandRow{"SelectToBottom1", EditorPopUp, "Select To Bottom", "", A::Editor},
    TCommandRow{"NoteMathforSelectionAltRMB1", EditorPopUp, "Note Duration &Math for Selection", "", A::Dialogs, true},

    TCommandRow{"Cut3", PatternPopUp, "Cut", "", A::Drums},
    TCommandRow{"Copy3", PatternPopUp, "Copy", "", A::Drums},
    TCommandRow{"Paste3", PatternPopUp, "Paste", "", A::Drums},
    TCommandRow{"Delete3", PatternPopUp, "Delete", "", A::Drums},
    TCommandRow{"SelectAll3", PatternPopUp, "Select All", "", A::Drums, true},
    TCommandRow{"SelectNone3", PatternPopUp, "Select One", "", A::Drums},
    TCommandRow{"SelectToTop3", PatternPopUp, "Select To Top", "", A::Drums},
    TCommandRow{"SelectToBottom3", PatternPopUp, "Select To Bottom", "", A::Drums},
    TCommandRow{"Duplicate1", PatternPopUp, "Duplicate", "", A::Drums, true},
    TCommandRow{"SelectAllandDuplicate1", PatternPopUp, "Select All and Duplicate", "", A::Drums},
    TCommandRow{"NewBar1", PatternPopUp, "New Pattern", "", A::Drums, true},
    TCommandRow{"Rename3", PatternPopUp, "Rename", "", A::Drums},
    TCommandRow{"ClearAllDrums1", PatternPopUp, "Clear All Drums", "", A::Drums, true},

    TCommandRow{"Copy4", GridPopUp, "Copy", "", A::Drums},
    TCommandRow{"Cut4", GridPopUp, "Cut", "", A::Drums},
    TCommandRow{"Paste4", GridPopUp, "Paste", "", A::Drums},
    TCommandRow{"Undo4", GridPopUp, "Undo", "", A::Drums},

    // F5..F11 press a duration button, F12 inserts a rest, Esc stops and aborts.
    TCommandRow{"WholeButton1", Hidden, "", "F5", A::Editor},
    TCommandRow{"HalfButton1", Hidden, "", "F6", A::Editor},
    TCommandRow{"QuarterButton1", Hidden, "", "F7", A::Editor},
    TCommandRow{"EighthButton1", Hidden, "", "F8", A::Editor},
    TCommandRow{"SixteenthButton1", Hidden, "", "F9", A::Editor},
    TCommandRow{"ThirtySecondButton1", Hidden, "", "F10", A::Editor},
    TCommandRow{"SixtyFourthButton1", Hidden, "", "F11", A::Editor},
    TCommandRow{"RestButton1", Hidden, "", "F12", A::Editor},
    TCommandRow{"EscapeKey", Hidden, "", "Esc", A::Window},
};
} // namespace

std::span<const TCommandRow> CommandRows() { return kRows; }
std::span<const TMenuRow> MenuRows() { return kMenus; }
std::span<const TMenuRow> PopUpRows() { return kPopUps; }
std::span<const TSubMenuRow> SubMenuRows() { return kSubMenus; }

const TSubMenuRow *FindSubMenu(TMenu menu) {
    for (const TSubMenuRow &row : kSubMenus)
        if (row.menu == menu)
            return &row;
    return nullptr;
}

const TCommandRow *FindCommand(std::string_view name) {
    for (const TCommandRow &row : kRows)
        if (row.name == name)
            return &row;
    return nullptr;
}
