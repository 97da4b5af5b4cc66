#include "mainwindow/rules/CommandState.h"
#include "mainwindow/rules/CommandTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr TPlayKind kIdle = TPlayKind::Idle, kSong = TPlayKind::Song, kInstrument = TPlayKind::Instrument,
                    kGrid = TPlayKind::DrumGrid;
constexpr TTabKindGroup kNotes = TTabKindGroup::Notes, kPiano = TTabKindGroup::Piano, kDrums = TTabKindGroup::Drums;

enum class V { Any, Shown, Hidden };   // the expected visible flag
enum class C { Any, Left, Unchecked }; // the expected checked flag: left to the user, or forced off
constexpr bool on = true, off = false;

struct Want {
    std::string_view name;
    bool enabled;
    V visible = V::Any;
    C checked = C::Any;
};

struct Row {
    const char *what;
    TWindowState state;
    bool readOnly;
    std::vector<Want> wants;
};

// A window that allows every editing command: lines, a selection, text to paste, an undo step,
// a search text, and help.
TWindowState Full(TPlayKind play, TTabKindGroup tab) {
    return {.play = play,
            .tab = tab,
            .lineCount = 5,
            .hasSelection = true,
            .clipboardHasText = true,
            .canUndo = true,
            .findTextKnown = true,
            .helpAvailable = true};
}

void Check(const Row &row) {
    SCOPED_TRACE(row.what);
    const TCommandState st = ComputeCommandState(row.state);
    EXPECT_EQ(st.editorReadOnly, row.readOnly);
    for (const Want &w : row.wants) {
        SCOPED_TRACE(std::string(w.name));
        // The rule must name the control itself: Flags() of an unknown name reads "enabled".
        const auto it = st.controls.find(w.name);
        ASSERT_NE(it, st.controls.end());
        const TControlFlags &f = it->second;
        EXPECT_EQ(f.enabled, w.enabled);
        if (w.visible != V::Any) {
            EXPECT_EQ(f.visible, std::optional<bool>(w.visible == V::Shown));
        }
        if (w.checked == C::Left) {
            EXPECT_EQ(f.checked, std::nullopt);
        } else if (w.checked == C::Unchecked) {
            EXPECT_EQ(f.checked, std::optional<bool>(false));
        }
    }
}

TEST(CommandState, CommandsFollowPlayTabAndEditorState) {
    // clang-format off
    const Row rows[] = {
        {"idle, notes, everything allowed", Full(kIdle, kNotes), false,
         {{"Copy1", on}, {"Paste1", on}, {"Undo2", on}, {"FindNext1", on}, {"Find1", on},
          {"EditMenuEditor", on, V::Shown}, {"EditMenuDrums", on, V::Hidden}, {"File1", on}, {"PlayAll1", on},
          {"PlayFromCursor1", on}, {"ablature1", on}, {"Contents1", on}, {"BitBtnPlayArrangement", on},
          {"btnPlayFRT", on}, {"LabelTabName", on}, {"UpDownMixerVolume", on}, {"lblTempo", on},
          {"PanelNoteButtons", on}, {"WholeButton1", on}, {"EscapeKey", on}, {"N23", on}, {"Editor2", on},
          {"TransposeHigher3", on}, {"VOLUME2", on}, {"Duplicate3", on}, {"CopyLine2", on}, {"Duplicate4", on},
          {"LabelSave", on}, {"LabelSetBookmark", on}, {"LabelPlayfromBookmark", on}}},
        {"idle, notes, empty editor, no help", {.play = kIdle, .tab = kNotes}, false,
         {{"Find1", off}, {"FindNext1", off}, {"Replace2", off}, {"GoToLine1", off}, {"GotoLine2", off},
          {"SelectAll1", off}, {"SelectNone2", off}, {"Copy1", off}, {"Paste1", off}, {"Undo1", off},
          {"Undo2", off}, {"N23", on}, {"Contents1", off}, {"EscapeKey", on}, {"Duplicate3", off},
          {"SelectToTop2", off}, {"DeleteLine1", off}, {"CopyLine1", on}, {"SelectToTop1", on},
          {"TransposeLower1", on}}},
        {"idle, notes, lines without selection, undo or search text",
         {.play = kIdle, .tab = kNotes, .lineCount = 3, .clipboardHasText = true, .helpAvailable = true}, false,
         {{"Find1", on}, {"FindNext1", off}, {"FindNext2", off}, {"SelectAll2", on}, {"SelectNone1", on},
          {"Copy1", off}, {"Cut2", off}, {"Delete1", off}, {"Paste1", on}, {"Paste2", on}, {"Undo1", off},
          {"Undo2", off}, {"Duplicate3", on}, {"CopyLine2", off}, {"DeleteLine2", off}, {"DeleteLine1", on}}},
        {"idle, notes, selection and undo, empty clipboard",
         {.play = kIdle, .tab = kNotes, .lineCount = 3, .hasSelection = true, .canUndo = true}, false,
         {{"Copy1", on}, {"Cut1", on}, {"Delete2", on}, {"Paste1", off}, {"Paste2", off}, {"Undo1", on},
          {"Undo2", on}}},
        {"idle, notes, search text but no lines", {.play = kIdle, .tab = kNotes, .findTextKnown = true}, false,
         {{"FindNext1", off}, {"FindNext2", off}, {"Find2", off}}},
        {"idle, piano", Full(kIdle, kPiano), false,
         {{"ablature1", off}, {"EditMenuEditor", on, V::Shown}, {"EditMenuDrums", on, V::Hidden},
          {"PlayAnimatedInstrument1", on}, {"PlayFromCursor1", on}, {"Copy1", on}, {"N23", on},
          {"btnPlayFRT", on}}},
        {"idle, drums", Full(kIdle, kDrums), false,
         {{"EditMenuEditor", on, V::Hidden}, {"EditMenuDrums", on, V::Shown}, {"Copy5", on}, {"Copy3", on},
          {"Undo4", on}, {"SelectAllandDuplicate1", off}, {"BitBtnPlayPattern", on}, {"ComboBoxJazzyFeel", on},
          {"ListBoxDrumPatterns", on}, {"GroupBoxDrumPatterns", on},
          {"Editor2", off}, {"PlayFromCursor1", off}, {"PlayFromEditorBookmarkF41", off},
          {"PlayAnimatedInstrument1", off}, {"PlayAll1", on}, {"ablature1", on}, {"Copy1", off},
          {"Paste2", off}, {"N23", off}, {"BitBtnPlayArrangement", on}, {"EscapeKey", on},
          {"TransposeHigher3", off}, {"ReformatLinesShiftCtrlF11", off}, {"Duplicate4", off}}},
        {"song plays, notes", Full(kSong, kNotes), true,
         {{"File1", off}, {"View1", off}, {"Play2", off}, {"Tools1", off}, {"Help1", off},
          {"EditMenuEditor", off, V::Shown}, {"Copy1", off}, {"Paste1", off}, {"Undo1", off}, {"Find1", off},
          {"FindNext1", off}, {"Copy2", off}, {"N23", off}, {"PlayAll1", off}, {"PlayFromCursor1", off},
          {"Exit1", off}, {"Contents1", off}, {"BitBtnPlayArrangement", on}, {"btnPlayFRT", off},
          {"LabelTabName", off}, {"UpDownMixerVolume", off}, {"lblTempo", off}, {"PanelNoteButtons", off},
          {"WholeButton1", off}, {"EscapeKey", on}, {"Editor2", off}, {"ClearEditor2", off},
          {"LabelSave", off}, {"LabelSetBookmark", off}, {"LabelPlayfromBookmark", off}}},
        {"song plays, drums", Full(kSong, kDrums), true,
         {{"EditMenuEditor", off, V::Hidden}, {"EditMenuDrums", off, V::Shown},
          {"Copy5", off}, {"Rename3", off}, {"Copy4", off}, {"BitBtnPlayPattern", off}, {"ListBoxDrumPatterns", off},
          {"BitBtnNextPattern", off}, {"File1", off}, {"BitBtnPlayArrangement", on}, {"LabelTabName", off},
          {"EscapeKey", on}, {"Editor2", off}}},
        {"instrument plays, notes", Full(kInstrument, kNotes), true,
         {{"File1", off}, {"EditMenuEditor", off, V::Shown}, {"View1", off}, {"Play2", off}, {"Help1", off},
          {"Copy1", off}, {"Undo2", off}, {"N23", off}, {"PlayAll1", off}, {"Contents1", off},
          {"BitBtnPlayArrangement", off}, {"btnPlayFRT", on}, {"LabelTabName", off},
          {"UpDownMixerVolume", off}, {"lblTempo", off}, {"PanelNoteButtons", off}, {"WholeButton1", off},
          {"EscapeKey", on}, {"Editor2", off}, {"Duplicate3", off}, {"LabelSave", off}}},
        {"instrument plays, piano", Full(kInstrument, kPiano), true,
         {{"EditMenuEditor", off}, {"ablature1", off}, {"BitBtnPlayArrangement", off}, {"btnPlayFRT", on},
          {"EscapeKey", on}}},
        {"drum grid plays", Full(kGrid, kDrums), false,
         {{"File1", off}, {"EditMenuDrums", off, V::Shown}, {"Play2", off}, {"Help1", off}, {"PlayAll1", off},
          {"Copy5", off}, {"NewBar1", off}, {"Paste4", on}, {"BitBtnPlayPattern", on}, {"GroupBoxDrumPatterns", off},
          {"ListBoxDrumPatterns", on}, {"chkLoopDrumGrid", off}, {"BitBtnPlayArrangement", off}, {"UpDownMixerVolume", off},
          {"lblTempo", off}, {"LabelTabName", on}, {"EscapeKey", on}, {"Editor2", off}}},
        {"long operation, notes", {.longOperation = true, .tab = kNotes, .lineCount = 5, .hasSelection = true,
                                   .clipboardHasText = true, .canUndo = true, .findTextKnown = true}, true,
         {{"EditMenuEditor", on, V::Shown}, {"Copy1", off}, {"Paste1", off}, {"Undo1", off}, {"Undo2", off},
          {"Find1", off}, {"FindNext2", off}, {"N23", off}, {"WholeButton1", off}, {"EscapeKey", on},
          {"Editor2", off}, {"TransposeHigher12", off}, {"Duplicate3", off}, {"CopyLine1", off}}},
        {"long operation, drums", {.longOperation = true, .tab = kDrums}, true,
         {{"EscapeKey", on}, {"Undo4", off}, {"Copy3", off}}},
        {"idle, drums, patterns", {.tab = kDrums, .patternCount = 2}, false,
         {{"SelectAllandDuplicate1", on}, {"SelectAllAndDuplicate2", on}, {"Duplicate1", on}}},
    };
    // clang-format on
    for (const Row &row : rows)
        Check(row);
}

// Count In: never with a selection of lines, or on the Drums tab with patterns and anything but
// exactly one of them selected (while the song or the grid plays, with no pattern either); its bar
// count follows it.
TEST(CommandState, CountInFollowsSelectionAndPlay) {
    // clang-format off
    const Row rows[] = {
        {"idle, notes, checked", {.tab = kNotes, .countInChecked = true}, false,
         {{"chkCountIn", on, V::Any, C::Left}, {"EdtCountInbars", on}}},
        {"idle, notes, unchecked", {.tab = kNotes}, false,
         {{"chkCountIn", on, V::Any, C::Left}, {"EdtCountInbars", off}}},
        {"idle, notes, lines selected", {.tab = kNotes, .hasSelection = true, .countInChecked = true}, false,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"idle, piano, lines selected", {.tab = kPiano, .hasSelection = true, .countInChecked = true}, false,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"song, notes, no selection", {.play = kSong, .tab = kNotes, .countInChecked = true}, true,
         {{"chkCountIn", off, V::Any, C::Left}, {"EdtCountInbars", off}}},
        {"song, notes, lines selected",
         {.play = kSong, .tab = kNotes, .hasSelection = true, .countInChecked = true}, true,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"instrument, notes, no selection", {.play = kInstrument, .tab = kNotes, .countInChecked = true}, true,
         {{"chkCountIn", off, V::Any, C::Left}, {"EdtCountInbars", off}}},
        {"instrument, notes, lines selected",
         {.play = kInstrument, .tab = kNotes, .hasSelection = true, .countInChecked = true}, true,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"idle, drums, no pattern", {.tab = kDrums, .countInChecked = true}, false,
         {{"chkCountIn", on, V::Any, C::Left}, {"EdtCountInbars", on}}},
        {"idle, drums, one pattern, editor selection",
         {.tab = kDrums, .hasSelection = true, .selectedPatterns = 1, .patternCount = 3, .countInChecked = true},
         false, {{"chkCountIn", on, V::Any, C::Left}, {"EdtCountInbars", on}}},
        {"idle, drums, three patterns selected",
         {.tab = kDrums, .selectedPatterns = 3, .patternCount = 3, .countInChecked = true}, false,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"idle, drums, patterns, none selected", {.tab = kDrums, .patternCount = 3, .countInChecked = true}, false,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"song, drums, one pattern",
         {.play = kSong, .tab = kDrums, .selectedPatterns = 1, .countInChecked = true}, true,
         {{"chkCountIn", off, V::Any, C::Left}, {"EdtCountInbars", off}}},
        {"song, drums, two patterns",
         {.play = kSong, .tab = kDrums, .selectedPatterns = 2, .countInChecked = true}, true,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"song, drums, no pattern", {.play = kSong, .tab = kDrums, .countInChecked = true}, true,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"grid, one pattern, checked",
         {.play = kGrid, .tab = kDrums, .selectedPatterns = 1, .countInChecked = true}, false,
         {{"chkCountIn", on, V::Any, C::Left}, {"EdtCountInbars", on}}},
        {"grid, one pattern, unchecked", {.play = kGrid, .tab = kDrums, .selectedPatterns = 1}, false,
         {{"chkCountIn", on, V::Any, C::Left}, {"EdtCountInbars", off}}},
        {"grid, two patterns",
         {.play = kGrid, .tab = kDrums, .selectedPatterns = 2, .countInChecked = true}, false,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
        {"grid, no pattern", {.play = kGrid, .tab = kDrums, .countInChecked = true}, false,
         {{"chkCountIn", off, V::Any, C::Unchecked}, {"EdtCountInbars", off}}},
    };
    // clang-format on
    for (const Row &row : rows)
        Check(row);
}

// Every member of a lock group, by who plays.
TEST(CommandState, LockGroupsReachEveryMember) {
    struct GroupCase {
        TPlayKind play;
        TTabKindGroup tab;
        bool mixer, aids, settings;
    };
    const GroupCase cases[] = {
        {kIdle, kNotes, on, on, on},
        {kSong, kNotes, off, off, off},
        {kInstrument, kNotes, off, off, off},
        {kGrid, kDrums, off, on, off},
    };
    struct DrumCase {
        TPlayKind play;
        bool locked;
    };
    for (const DrumCase &c : {DrumCase{kIdle, false}, DrumCase{kSong, true}, DrumCase{kGrid, true}}) {
        const TCommandState st = ComputeCommandState({.play = c.play, .tab = kDrums});
        for (std::string_view name : kDrumGridControls) {
            ASSERT_TRUE(st.controls.contains(name)) << name;
            EXPECT_EQ(st.Enabled(name), !c.locked) << name;
        }
    }
    for (const GroupCase &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.play));
        const TCommandState st = ComputeCommandState({.play = c.play, .tab = c.tab});
        auto expectGroup = [&st](std::span<const std::string_view> names, bool enabled) {
            for (std::string_view name : names) {
                SCOPED_TRACE(std::string(name));
                ASSERT_TRUE(st.controls.contains(name));
                EXPECT_EQ(st.Enabled(name), enabled);
            }
        };
        expectGroup(kMixerControls, c.mixer);
        expectGroup(kEditingAids, c.aids);
        expectGroup(kPlaySettings, c.settings);
    }
}

// The rule names every row and menu of the command table, whatever the state; names and keys
// are unique.
TEST(CommandState, EveryCommandAndMenuGetsAFlag) {
    // clang-format off
    const TWindowState states[] = {
        {}, Full(kIdle, kDrums), Full(kSong, kNotes), Full(kInstrument, kPiano), Full(kGrid, kDrums),
        {.longOperation = true},
    };
    // clang-format on
    for (const TWindowState &s : states) {
        SCOPED_TRACE(static_cast<int>(s.play) * 10 + static_cast<int>(s.tab));
        const TCommandState st = ComputeCommandState(s);
        for (const TCommandRow &row : CommandRows())
            EXPECT_TRUE(st.controls.contains(row.name)) << row.name;
        for (const TMenuRow &menu : MenuRows())
            EXPECT_TRUE(st.controls.contains(menu.name)) << menu.name;
    }
    for (const TCommandRow &row : CommandRows())
        if (row.menu == TMenu::PatternPopUp || row.menu == TMenu::GridPopUp || row.menu == TMenu::EditDrums) {
            EXPECT_EQ(row.area, TArea::Drums) << row.name;
        }

    std::set<std::string_view> names, shortcuts;
    for (const TCommandRow &row : CommandRows()) {
        EXPECT_TRUE(names.insert(row.name).second) << "object name twice: " << row.name;
        if (!row.shortcut.empty()) {
            EXPECT_TRUE(shortcuts.insert(row.shortcut).second) << "shortcut twice: " << row.shortcut;
        }
    }
    for (const TMenuRow &menu : MenuRows())
        EXPECT_TRUE(names.insert(menu.name).second) << "object name twice: " << menu.name;
    for (const TMenuRow &menu : PopUpRows())
        EXPECT_TRUE(names.insert(menu.name).second) << "object name twice: " << menu.name;
    for (const TSubMenuRow &menu : SubMenuRows())
        EXPECT_TRUE(names.insert(menu.name).second) << "object name twice: " << menu.name;
}

// Twin commands: the handler ending in 1 serves the editor's pop-up, its twin the Edit menu; the
// Editor menu itself is `Editor2`, which the Drums tab turns off.
TEST(CommandTable, TwinsSitInTheMenusTheirHandlersServe) {
    const std::pair<std::string_view, TMenu> rows[] = {
        {"SelectNone1", TMenu::EditorPopUp}, {"SelectNone2", TMenu::Edit},      {"SelectToTop1", TMenu::EditorPopUp},
        {"SelectToTop2", TMenu::Edit},       {"CopyLine1", TMenu::EditorPopUp}, {"CopyLine2", TMenu::Edit},
    };
    for (const auto &[name, menu] : rows) {
        ASSERT_TRUE(FindCommand(name)) << name;
        EXPECT_EQ(FindCommand(name)->menu, menu) << name;
    }
    EXPECT_EQ(FindCommand("Editor2"), nullptr);
    const auto editor =
        std::find_if(MenuRows().begin(), MenuRows().end(), [](const TMenuRow &m) { return m.menu == TMenu::Editor; });
    ASSERT_NE(editor, MenuRows().end());
    EXPECT_EQ(editor->name, "Editor2");
    EXPECT_FALSE(ComputeCommandState(Full(kIdle, kDrums)).Flags("Editor2").enabled);
    EXPECT_TRUE(ComputeCommandState(Full(kIdle, kNotes)).Flags("Editor2").enabled);
}

} // namespace
