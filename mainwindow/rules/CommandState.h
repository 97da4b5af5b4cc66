#pragma once
// Which of the window's commands and controls are usable, from one small description of the
// window's state. The window computes it after every change (play state, tab, selection,
// clipboard, undo) and applies it in one place; nothing else enables or disables a command.
// The locks around song playback, live line playback and the drum grid are states of it.
#include "mainwindow/rules/PlayState.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

enum class TTabKindGroup { Notes, Piano, Drums };

struct TWindowState {
    TPlayKind play = TPlayKind::Idle;
    bool longOperation = false; // a long edit runs (a nested loop that is not a play)
    TTabKindGroup tab = TTabKindGroup::Notes;
    int lineCount = 0;         // the editor's lines
    bool hasSelection = false; // the editor's selection is not empty
    bool clipboardHasText = false;
    bool canUndo = false;
    bool findTextKnown = false; // the find dialog holds a search text
    int selectedPatterns = 0;   // selected drum patterns (Drums tab)
    int patternCount = 0;       // drum patterns in the list
    bool countInChecked = false;
    bool helpAvailable = false;
};

struct TControlFlags {
    bool enabled = true;
    std::optional<bool> visible; // empty: the control's visibility is not the rule's business
    std::optional<bool> checked; // empty: left as the user set it
};

struct TCommandState {
    // Flags by object name: every command row and menu, and the controls the locks reach.
    std::map<std::string, TControlFlags, std::less<>> controls;
    bool editorReadOnly = false;

    // Flags of `name` (a name the rule does not know is enabled and left alone).
    TControlFlags Flags(std::string_view name) const;
    bool Enabled(std::string_view name) const { return Flags(name).enabled; }
};

// The controls of the lock groups.
inline constexpr std::string_view kMixerControls[] = {"CheckBoxMuteInstrument",
                                                      "CheckBoxSoloInstrument",
                                                      "lblVolume",
                                                      "UpDownMixerVolume",
                                                      "labelinstrumentdelay",
                                                      "UpDownMixerDelay",
                                                      "Labeltranspose",
                                                      "UpDownMixerKey",
                                                      "LabelChannel",
                                                      "UpDownMixerChannel",
                                                      "LabelBalance",
                                                      "TrackBarMixerBalance",
                                                      "LabelBalancePosition",
                                                      "LabelSelectPatch",
                                                      "LabelSelectTuning",
                                                      "LabelScale",
                                                      "LblScaleKey",
                                                      "lblScaleType",
                                                      "LabelAdvancedChordOptions"};
inline constexpr std::string_view kEditingAids[] = {
    "PanelNoteButtons", "labelDuplicateSelection", "labelNewLine", "labelgrouplinesbybars",
    "LabelSetBookmark", "LabelPlayfromBookmark",   "LabelSave"};
inline constexpr std::string_view kPlaySettings[] = {"lblTempo",     "LabelTimeSigLabel", "LabelSigUpper",
                                                     "LabelSlash",   "LabelSigLower",     "chkLoopAll",
                                                     "chkMetronome", "lblTranspose",      "UpDownSongKey"};

// The drum page's controls that the song and the grid play lock.
inline constexpr std::string_view kDrumGridControls[] = {"ComboBoxJazzyFeel", "chkLoopDrumGrid", "ComboBoxBuiltInBeats",
                                                         "BitBtnNextPattern", "BitBtnClearDisplayedPattern"};

TCommandState ComputeCommandState(const TWindowState &s);
