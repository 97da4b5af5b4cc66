#pragma once
// The editor's Find, Replace, Find Next and Go To Line commands. Each asks its dialog through
// the hand-off route, searches the editor's lines with the search rules, selects what it found
// and reports a miss ("Search phrase "abc" not found"). Every replacement is one undoable edit
// of the song that ends in the window's one refresh.
//
// Find searches from the end of the selection, so Find Next steps through the matches. Find
// Next repeats what the find or replace dialog holds now (typed in, even if cancelled), and
// opens the dialog when its search text is empty. Replace starts at the caret line's start and
// leaves the caret at the start of the replacement's line; Find Next after it goes on after the
// last replacement, remembered here, so a replacement that holds its own search text
// ("C" -> "C#") is never replaced again, not even after a miss. A caret moved by hand since
// searches on from the caret.
#include "dialogs/rules/FindRules.h"
#include "mainwindow/window/MainDialogs.h"

#include <functional>
#include <optional>
#include <string>

namespace platform {
class IMessageBoxes;
}
class TEditorLines;

struct TFindCalls {
    std::function<bool()> Quiet;            // busy, or the Drums tab: the commands do nothing
    std::function<void()> LinesChanged;     // the current tab's lines changed
    std::function<void(int line)> ShowLine; // select a whole line, focus the editor, show it
    std::function<void()> SearchChanged;    // Find Next became possible
};
struct TFindParts {
    TEditorLines &Lines;
    const TMainDialogs &Dialogs; // the window's hand-off route, read at each command
    platform::IMessageBoxes &Messages;
    TFindCalls Calls;
};

class TFindCommands {
public:
    explicit TFindCommands(TFindParts parts) : p_(std::move(parts)) {}

    void Find1Click();
    void Replace1Click();
    void FindNext1Click();
    void GoToLine1Click();

    // A search succeeded before, so Find Next has something to repeat.
    bool FindTextKnown() const { return LastSearchKind != 0; }

private:
    std::string SelectedText() const;
    TTextPlace ReplaceResumePlace() const;
    void LeaveCaretAfterReplacing(int line, const std::string &text, TTextPlace next);
    bool FindFrom(TTextPlace from, const TFindRequest &request);
    bool ReplaceFrom(TTextPlace from, const TReplaceRequest &request);
    bool ReplaceAllFrom(int line, const TReplaceRequest &request);
    void SetLastSearchKind(int kind);
    void CollapseSelection();
    void NotFound(const std::string &text);

    TFindParts p_;
    int LastSearchKind = 0; // 0 none yet, 1 a Find found, 2 a Replace replaced
    // Where the last replacement left the caret (a line's start, and that line's text then) and
    // where the next search after it starts.
    struct TReplaceLeftOff {
        TTextPlace caret;
        std::string line;
        TTextPlace next;
    };
    std::optional<TReplaceLeftOff> leftOff_;
};
