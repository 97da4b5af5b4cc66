#pragma once
// The editor's line commands (the Editor menu, the whole-line items of the Edit menu and the
// editor's pop-up, the editor's shortcut labels): directive lines, transposing, reversing and
// shuffling, keeping one note of each chord, clearing notes or the whole tab, grouping lines
// by bars, duplicating, deleting and copying whole lines, a new blank line, and selecting to
// the top or the bottom.
//
// Each command works on a copy of the tab's lines and writes the result back as one edit, so
// one Undo takes the whole command back, and a change ends in the window's one refresh, which
// marks the tab modified. While a command runs the editor's per-line reactions stay quiet
// (BulkEditActive, cleared however the command ends). The long ones show the busy cursor, let
// the window's events run between steps (the window is busy meanwhile: the editor is read-only
// and the other commands do nothing) and stop on Esc after "Process not completed. Stop
// anyways?". Nothing here acts on the Drums tab or while anything plays.
#include "mainwindow/rules/LineCommandRules.h"

#include <QString>

#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace platform {
class IClipboard;
class IMessageBoxes;
} // namespace platform
struct TSongModel;
class TEditorLines;
class TPlayState;
class TStatusDisplay;

struct TLineCommandCalls {
    std::function<void()> LinesChanged;                      // the current tab's lines changed
    std::function<void(const QString &text)> InsertTextLine; // at the caret, by the editor's rule, one edit
    std::function<void(int line, bool useGiven)> SelectEditorLine;
    std::function<void(int line)> ShowLine;                 // on the instrument picture
    std::function<void(const std::string &line)> SoundLine; // a short sound of a line of the tab
    std::function<void()> EnterNestedLoop, LeaveNestedLoop;
    std::function<int(int count)> RandomBelow; // 0..count-1; empty: the program's own generator
};
struct TLineCommandParts {
    TSongModel &Song;
    TEditorLines &Lines;
    TStatusDisplay &Status; // holds BulkEditActive
    TPlayState &PlayState;  // busy, and the abort flag that Esc sets
    platform::IMessageBoxes &Messages;
    platform::IClipboard &Clipboard;
    TLineCommandCalls Calls;
};

class TLineCommands {
public:
    explicit TLineCommands(TLineCommandParts parts);

    // Directive lines at the caret (VOLUME2Click .. TEMPO1Click).
    void InsertDirective(linecmd::TDirective which);
    // Transpose Higher and Lower: the selected lines by `steps` half steps.
    void N123Click(int steps);
    void N124Click(int steps);
    void ReverseTheOrderOfLines1Click();
    void RandomizeTheOrderOfLines1Click();
    void KeepOnlyTheHighestNoteInChords1Click();
    void KeepOnlyTheLowestNoteInChords1Click();
    void ClearNotesFromLine1Click();
    void ClearEditor2Click();
    // Group Lines By Bars: the menu item, its label and Alt + right click in the editor.
    void ReformatLinesShiftCtrlF11Click();
    void Duplicate3Click();
    void SelectAllandDuplicate3Click();
    void labelNewLineClick();
    void DeleteLine1Click();
    void CopyLine1Click();
    void SelectToTop1Click();
    void SelectToBottom1Click();

private:
    class TBulkEdit;
    bool Quiet() const;
    void FocusEditor();
    void Transpose(int steps, bool up);
    void RangeCommand(linecmd::TRangeCommand command);
    // Runs a long command over the lines first..last: `rewrite` changes a copy of them (with the
    // tab's line context) while the window is busy; the copy goes back as one edit, the lines stay
    // selected and the view where it was.
    using TRewrite = std::function<void(std::vector<std::string> &work, const TLineContext &ctx)>;
    void RewriteLines(int first, int last, const TRewrite &rewrite);
    // Lets the window's events run (at most every few milliseconds); true when Esc asked to stop
    // and the user answered Yes.
    bool StopAsked();
    // Whether Esc was pressed, without asking.
    bool Escaped();
    void PumpEvents();
    // Writes `work` over the lines from `first` on as one edit; true when a line changed.
    bool WriteRange(int first, const std::vector<std::string> &work);
    int RandomBelow(int count);

    TLineCommandParts p_;
    std::mt19937 random_;
    std::chrono::steady_clock::time_point lastPump_{};
};
