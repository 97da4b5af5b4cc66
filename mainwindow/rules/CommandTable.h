#pragma once
// Every command of the main window in one table: the main menu, the editor's pop-up menu and
// the keys without a menu item. The menus are built once from these rows; each area of the
// window binds handlers to its own rows only, and the command state (CommandState.h) decides
// every row's enabled flag by its object name.
#include <span>
#include <string_view>

// The menu a row sits in, in menu-bar order, then the pop-up menus, then the sub-menus. Hidden
// rows have a key and no menu item.
enum class TMenu {
    File,
    Edit,
    EditDrums,
    View,
    Editor,
    Play,
    Tools,
    Help,
    EditorPopUp,
    PatternPopUp,
    GridPopUp,
    Directives,
    TransposeHigher,
    TransposeLower,
    Hidden
};

// The part of the window that owns a row's handler.
enum class TArea { Window, Files, Export, Editor, Playback, Live, Drums, Dialogs };

struct TCommandRow {
    std::string_view name; // the action's object name
    TMenu menu;
    std::string_view caption;  // with its "&" accelerator
    std::string_view shortcut; // portable key text ("Ctrl+F", "F3"); empty: none
    TArea area;
    bool separatorBefore = false;
    int halfSteps = 0; // a Transpose Higher or Lower item: how far it moves the lines
};

struct TMenuRow {
    TMenu menu;
    std::string_view name; // the menu's object name
    std::string_view caption;
};

// A sub-menu: it takes its place in its parent menu where its first row stands in the table.
struct TSubMenuRow {
    TMenu menu;
    TMenu parent;
    std::string_view name;
    std::string_view caption;
};

std::span<const TCommandRow> CommandRows();
// The menus of the menu bar, in order (the pop-ups and the hidden keys are not among them).
std::span<const TMenuRow> MenuRows();
// The pop-up menus: the editor's, the drum pattern list's and the drum grid's.
std::span<const TMenuRow> PopUpRows();
// The sub-menus of the Editor menu.
std::span<const TSubMenuRow> SubMenuRows();
const TSubMenuRow *FindSubMenu(TMenu menu);
// The row of `name`, or null.
const TCommandRow *FindCommand(std::string_view name);
