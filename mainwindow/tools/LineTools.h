#pragma once
// The main window's openers of the tuning dialog, the per-line editor and the note-duration
// picker: the tuning label `LabelSelectTuning`, the temporary-duration label beside the duration
// buttons, the editor pop-up's items, Ctrl and Shift with the right mouse button on the editor,
// and Ctrl + click on the fretboard and keyboard.
// Each opener returns while anything plays, builds the dialog's input from the song, asks, and
// applies the answer: a tuning to the tab's record, a line through the editor lines as one
// edit, a duration as the duration controls or the editor apply it; then the song's one
// refresh (SongChanged) runs.
#include "dialogs/rules/NotePickRules.h"

#include <QObject>

#include <functional>
#include <string>

namespace platform {
struct Services;
}
struct TMainDialogs;
struct TSongModel;
class QLabel;
class TCommands;
class TDurationButtons;
class TEditorLines;
class TLiveSounding;
class TNotationEdit;
class TPlayState;

// What the openers ask of the window.
struct TLineToolWidgets {
    QLabel *LabelSelectTuning = nullptr;
    TNotationEdit *RichEdit1 = nullptr;
    TDurationButtons *PanelNoteButtons = nullptr;
};
struct TLineToolCalls {
    std::function<void(int tab, unsigned what, bool byUser)> SongChanged;
    std::function<void()> ClearInstrumentDisplay;               // scale markers off, plain keys
    std::function<void(const std::string &text)> ApplyDuration; // to the caret or selected lines
    std::function<void(int line)> ShowLineOnInstrument;
    std::function<void(int line, bool useGiven)> SelectEditorLine;
    std::function<TLiveSounding *()> Sound; // null while no output port is open
};

struct TLineToolParts {
    TSongModel &Song;
    TEditorLines &Lines;
    TPlayState &PlayState;
    const platform::Services &Services;
    const TMainDialogs &Dialogs; // the window's hand-off route, wired after start-up
    TCommands &Commands;         // its own rows of the editor pop-up
    TLineToolWidgets Widgets;
    TLineToolCalls Calls;
};
// The window's parts, once its controls exist.

class TLineTools : public QObject {
public:
    explicit TLineTools(const TLineToolParts &parts);

    // The tuning label: the dialog on fretted tabs; OK stores the spelling (a changed one marks
    // the tab modified), refreshes the label and clears the scale markers.
    void LabelSelectTuningClick();
    // "&Set Multiple Durations For Line": the first selected line or the caret line.
    void MicroManageLine2Click();
    // The duration picker in set-current mode (not on the Drums tab).
    void NoteDurationSelectorCtrlRMB1Click();
    // The picker once for the selected lines; without a selection it says none are selected.
    void OnetimeNoteDurationforSelection1Click();
    // The picker once for the caret or selected lines, when the editor has lines.
    void LabelOneTimeNoteSelectorClick();
    // Ctrl + click on a picture: the picker as it was last opened.
    void ShowDurationPicker();
    // A right button press on the editor: Ctrl the set-current picker, Shift the one-time picker.
    void RichEdit1MouseDown(bool right, bool ctrl, bool shift);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class TPickMode { SetCurrent, OneTime };
    void PickDuration(const std::string &caption, TPickMode mode);
    bool Quiet() const; // busy, or the Drums tab

    TSongModel &song_;
    TEditorLines &lines_;
    TPlayState &play_;
    const platform::Services &services_;
    const TMainDialogs &dialogs_;
    QLabel *tuningLabel_;
    TNotationEdit *edit_;
    TDurationButtons *durations_;
    TLineToolCalls calls_;
    // The picker keeps its last caption and mode between showings.
    std::string pickCaption_ = "Select Current Note Duration";
    TPickMode pickMode_ = TPickMode::SetCurrent;
};
