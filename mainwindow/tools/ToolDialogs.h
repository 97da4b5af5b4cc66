#pragma once
// The song information summary and the note arithmetic of the selected lines, opened from the
// main window: each stores the shown tab's text, builds its dialog's input from the song, asks
// through the hand-off route and applies the answer. A row chosen in the summary switches tabs
// exactly as the user's click on a tab does (the leaving tab may refuse).
#include "mainwindow/window/MainDialogs.h"

#include <functional>

struct ProgramOptions;
class TSongDocument;
class TEditorLines;
namespace platform {
struct Services;
}

struct TToolDialogCalls {
    std::function<bool()> Busy;                  // anything playing or a long edit running
    std::function<void(int index)> StoreTabText; // the editor's text into tab index+1
    std::function<bool(int index)> SelectPage;   // the user's change to page index (false: refused)
    std::function<void()> FocusEditor;           // the editor takes the focus (not on the Drums tab)
};
struct TToolDialogParts {
    TSongDocument &Document;
    TEditorLines &Lines;
    ProgramOptions &Options;
    const platform::Services &Services;
    const TMainDialogs &Dialogs; // the window's hand-off route, read at each command
    TToolDialogCalls Calls;
};

class TToolDialogs {
public:
    explicit TToolDialogs(TToolDialogParts parts) : p_(std::move(parts)) {}

    // "Song Information...", and after a song file is read when the options ask for it.
    void MixerSummary1Click();
    // "Note Duration Math for Selection".
    void NoteMathforSelectionAltRMB1Click();

private:
    TToolDialogParts p_;
};
