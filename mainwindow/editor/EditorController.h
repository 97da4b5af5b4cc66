#pragma once
// What the notation editor does when the user works in it: the status bars as the caret
// moves, the caret line's feedback (tab caption, instrument picture, single note name),
// marking the tab modified on every user edit, the Edit menus and their actions, inserting
// a line or a rest at the caret, and applying a chosen duration to the caret or selected
// lines. Nothing here acts on the Drums tab or while anything plays.
#include <QString>

#include <functional>
#include <string>
#include <utility>

namespace platform {
struct Services;
}
struct TSongModel;
class TDurationButtons;
class TEditorLines;
class TInstrumentPicture;
class TLiveInstrument;
class TMidiOutputPort;
class TNotationEdit;
class TPlayState;
class TStatusDisplay;

// The editor's widgets.
struct TEditorWidgets {
    TNotationEdit *RichEdit1 = nullptr;
    TDurationButtons *PanelNoteButtons = nullptr;
    TInstrumentPicture *PaintBoxInstrument = nullptr;
};

// What the editor asks of the window around it.
struct TEditorCalls {
    std::function<void()> ApplyCommandState;
    std::function<void()> MenuOpening;  // the Edit menu or the pop-up opens: the clipboard is asked again
    std::function<void()> MarkModified; // the current tab
    std::function<void(int tab)> UpdateTabCaption;
    std::function<void()> EnterNestedLoop;
    std::function<void()> LeaveNestedLoop;
    std::function<TLiveInstrument *()> LiveInstrument; // may return null
    std::function<TMidiOutputPort *()> OutputPort;     // may return null
    std::function<void()> GroupLinesByBars;            // Alt + right click
};

struct TEditorParts {
    TSongModel &Song;
    TEditorLines &Lines;
    TStatusDisplay &Status;
    const platform::Services &Services;
    TPlayState &PlayState; // busy, the abort flag
    TEditorWidgets Widgets;
    TEditorCalls Calls;
};

class TEditorController {
public:
    explicit TEditorController(TEditorParts parts) : p_(std::move(parts)) {}

    // Handlers of the editor's events.
    void RichEdit1SelectionChange();
    void RichEdit1Change();
    void UserEdited();
    void RichEdit1KeyUp(int key); // Qt key code
    void RichEdit1MouseUp();
    void RichEdit1MouseDown(bool right, bool ctrl, bool shift, bool alt);
    void OverwriteModeChanged(bool overwrite);
    // The caret line's feedback after a key (Qt key code; Up and Down also sound the line).
    void UpdateCaretLine(int key);

    // Edit menu.
    void EditMenuEditorClick();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Undo1Click();
    void Delete1Click();
    void SelectAll1Click();
    void SelectNone1Click();

    // Puts one line of text at the caret and leaves the caret on a new empty line below, as one
    // undoable edit.
    void InsertTextLine(const QString &text);
    void btnRestClick();
    // Selects a line whole (useGiven) or the caret line, and shows it.
    void SelectEditorLine(int line, bool useGiven);

    // Duration controls.
    void DurationClick(int index);
    void DurationShortcut(int index); // F5..F11
    void chkDottedClick();
    void chkTripletClick();
    // Rewrites the caret line's or the selected lines' duration; an empty text takes the
    // controls' duration.
    void ApplyDuration(const std::string &text = {});

    // Whether a line takes a new duration on the current tab: a note line that parses.
    bool LineTakesDuration(const std::string &line) const;

private:
    bool Quiet() const; // busy, or the Drums tab
    void FocusEditor();
    TEditorParts p_;
};
