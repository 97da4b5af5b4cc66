#pragma once
// The one hand-off route from the main window to its dialogs: each entry shows one dialog
// through its typed Ask call (value in, value out). The program wires it once the dialogs
// exist (WireMainDialogs); tests set the entries they need. An empty entry shows nothing.
#include "dialogs/chordtools/FrmChordCalc.h"
#include "dialogs/chordtools/FrmSelectChordType.h"
#include "dialogs/chordtools/FrmSelectPianoChord.h"
#include "dialogs/common/FrmInputSingleLine.h"
#include "dialogs/editor/FrmEnterNumber.h"
#include "dialogs/editor/FrmFind.h"
#include "dialogs/editor/FrmMicroManage.h"
#include "dialogs/editor/FrmNoteMath.h"
#include "dialogs/editor/FrmNoteSelect.h"
#include "dialogs/editor/FrmReplace.h"
#include "dialogs/pickers/FrmEnterTempo.h"
#include "dialogs/pickers/FrmEnterTimeSig.h"
#include "dialogs/pickers/FrmMixerSummary.h"
#include "dialogs/pickers/FrmSelectDrum.h"
#include "dialogs/pickers/FrmSelectKey.h"
#include "dialogs/pickers/FrmSelectPatch.h"
#include "dialogs/pickers/FrmSelectScaleType.h"
#include "dialogs/pickers/FrmSelectTuning.h"
#include "dialogs/program/FrmOptions.h"
#include "dialogs/program/FrmWelcome.h"
#include "dialogs/tablature/FrmTab.h"
#include "song/PatternStore.h"

#include <functional>
#include <optional>
#include <string>

struct TMainDialogs {
    std::function<void()> about;
    std::function<std::optional<TOptionsResult>(const TOptionsInput &, const TOptionsCalls &)> options;
    std::function<TWelcomeResult(const TWelcomeInput &, const TWelcomeCalls &)> welcome;
    std::function<std::optional<int>(const TTempoInput &)> tempo;
    std::function<std::optional<std::string>(const TTimeSigInput &)> timeSignature;
    std::function<std::optional<TFindRequest>(const TFindInput &)> find;
    std::function<std::optional<TReplaceRequest>(const TReplaceInput &)> replace;
    // What the find and replace dialogs hold now, without showing them: Find Next repeats it.
    std::function<TFindRequest()> findNow;
    std::function<TReplaceRequest()> replaceNow;
    std::function<std::optional<int>(const TGoToInput &)> goToLine;
    std::function<TTabResult(const TTabInput &)> tablature;
    // The text typed, on OK; nothing after Cancel or for a blank text.
    std::function<std::optional<QString>(const TInputLineInput &)> inputLine;
    // The percussion picker for a drum slot: the slot's new caption and note, on OK.
    std::function<std::optional<DrumSlot>(const TDrumPickInput &)> selectDrum;
    // The note-duration picker: the duration clicked.
    std::function<std::optional<TNotePick>(const TNotePickInput &)> durationPicker;
    // The tuning dialog: the tab's new spelling, on OK.
    std::function<std::optional<std::string>(const TTuningInput &)> tuning;
    // The per-line editor: the edited line, on OK.
    std::function<std::optional<std::string>(const TLineEditInput &)> lineEditor;
    std::function<std::optional<TChordCalcResult>(const TChordCalcInput &, const TChordCalcCalls &)> chordCalc;
    // The sound picker: the program and patch name double-clicked.
    std::function<std::optional<TPatchChoice>(const TPatchInput &)> selectPatch;
    // The key picker (key 1..12), the chord-type picker and the scale picker (the definition).
    std::function<std::optional<int>(const TKeyInput &)> selectKey;
    std::function<std::optional<TChordTypeChoice>()> selectChordType;
    std::function<std::optional<std::string>(const TScaleTypeInput &)> selectScaleType;
    // The piano chord dialog, which works on the keyboard and the editor while it is open.
    std::function<void(const TPianoChordInput &)> pianoChord;
    // The song information: the tab of the row chosen and the show-after-loading choice.
    std::function<TSummaryResult(const TSummaryInput &)> mixerSummary;
    std::function<void(const TNoteMathInput &)> noteMath;
};
