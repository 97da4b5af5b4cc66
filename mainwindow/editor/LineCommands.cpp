#include "mainwindow/editor/LineCommands.h"

#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/rules/PlayState.h"
#include "platform/qt/Clipboard.h"
#include "platform/qt/MessageBoxes.h"
#include "song/FrettedLine.h"
#include "song/LineTransforms.h"
#include "song/Messages.h"
#include "song/SongModel.h"

#include <QApplication>
#include <QTextCursor>

#include <algorithm>

using namespace linecmd;

namespace {
QString Text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QStringList ToQt(const std::vector<std::string> &lines) {
    QStringList out;
    out.reserve(qsizetype(lines.size()));
    for (const std::string &l : lines)
        out << QString::fromStdString(l);
    return out;
}

// How often a long command lets the window's events run: often enough for Esc to answer at
// once, seldom enough that a long tab is not slowed by the pumping.
constexpr auto kPumpEvery = std::chrono::milliseconds(15);
} // namespace

// The state of a command while it runs: the busy cursor and BulkEditActive, and for the long
// commands the nested loop (the window is busy) with the abort flag cleared first. All of it
// ends with the command, whichever way it ends.
class TLineCommands::TBulkEdit {
public:
    TBulkEdit(TLineCommands &c, bool loop) : c_(c), loop_(loop) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        c_.p_.Status.SetBulkEditActive(true);
        if (loop_) {
            c_.p_.PlayState.AbortRequested = false;
            c_.lastPump_ = {};
            c_.p_.Calls.EnterNestedLoop();
        }
    }
    ~TBulkEdit() {
        if (loop_)
            c_.p_.Calls.LeaveNestedLoop();
        c_.p_.Status.SetBulkEditActive(false);
        QApplication::restoreOverrideCursor();
    }
    TBulkEdit(const TBulkEdit &) = delete;
    TBulkEdit &operator=(const TBulkEdit &) = delete;

private:
    TLineCommands &c_;
    bool loop_;
};

TLineCommands::TLineCommands(TLineCommandParts parts) : p_(std::move(parts)), random_(std::random_device{}()) {}

bool TLineCommands::Quiet() const { return p_.PlayState.Busy() || p_.Song.Current().Kind == TKind::Drums; }

void TLineCommands::FocusEditor() { p_.Lines.Edit()->setFocus(); }

int TLineCommands::RandomBelow(int count) {
    if (p_.Calls.RandomBelow)
        return p_.Calls.RandomBelow(count);
    return std::uniform_int_distribution<int>(0, count - 1)(random_);
}

void TLineCommands::PumpEvents() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < kPumpEvery)
        return;
    lastPump_ = now;
    QApplication::processEvents();
}

bool TLineCommands::Escaped() {
    PumpEvents();
    return p_.PlayState.AbortRequested;
}

bool TLineCommands::StopAsked() {
    if (!Escaped())
        return false;
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = p_.Messages.Question(Text(msg::kStopAnyways), platform::mbYesNo);
    QApplication::restoreOverrideCursor();
    p_.PlayState.AbortRequested = false;
    return answer == platform::mrYes;
}

bool TLineCommands::WriteRange(int first, const std::vector<std::string> &work) {
    if (p_.Lines.StoreLines(first, first + int(work.size())) == work)
        return false;
    p_.Lines.ReplaceRange(first, ToQt(work));
    return true;
}

// ---- directive lines ----------------------------------------------------------------------

void TLineCommands::InsertDirective(TDirective which) {
    if (Quiet())
        return;
    const std::string line = DirectiveLine(which, p_.Song.Current(), p_.Song.Tempo);
    p_.Calls.InsertTextLine(QString::fromStdString(line));
    p_.Calls.LinesChanged();
}

// ---- transposing --------------------------------------------------------------------------

void TLineCommands::N123Click(int steps) { Transpose(steps, true); }
void TLineCommands::N124Click(int steps) { Transpose(steps, false); }

void TLineCommands::Transpose(int steps, bool up) {
    if (Quiet() || steps <= 0)
        return;
    TEditorLines &lines = p_.Lines;
    if (lines.LineCount() == 0) {
        p_.Messages.Error(Text(kNoLines));
        return;
    }
    int first = 0, last = 0;
    if (!lines.GetSelectedLines(first, last)) {
        p_.Messages.Error(Text(kSelectToTranspose));
        return;
    }
    last = std::min(last, lines.LineCount() - 1);
    RewriteLines(first, last, [&](std::vector<std::string> &work, const TLineContext &ctx) {
        const TAbortCheck stop = [this] { return StopAsked(); };
        // A stop keeps the steps done so far; they go back to the editor as one edit.
        if (up)
            TransposeHigher(work, 0, last - first, steps, ctx, stop);
        else
            TransposeLower(work, 0, last - first, steps, ctx, stop);
    });
}

void TLineCommands::RewriteLines(int first, int last, const TRewrite &rewrite) {
    TEditorLines &lines = p_.Lines;
    const int top = lines.FirstVisibleLine();
    const TLineContext ctx = p_.Song.LineContext(p_.Song.CurrentTab);
    std::vector<std::string> work = lines.StoreLines(first, last + 1);
    bool changed = false;
    {
        TBulkEdit bulk(*this, true);
        rewrite(work, ctx);
        changed = WriteRange(first, work);
    }
    lines.SelectLines(first, last);
    lines.ScrollToLine(top);
    FocusEditor();
    if (changed)
        p_.Calls.LinesChanged();
}

// ---- reorder and keep one note --------------------------------------------------------------

void TLineCommands::ReverseTheOrderOfLines1Click() { RangeCommand(TRangeCommand::Reverse); }
void TLineCommands::RandomizeTheOrderOfLines1Click() { RangeCommand(TRangeCommand::Randomize); }
void TLineCommands::KeepOnlyTheHighestNoteInChords1Click() { RangeCommand(TRangeCommand::KeepHighest); }
void TLineCommands::KeepOnlyTheLowestNoteInChords1Click() { RangeCommand(TRangeCommand::KeepLowest); }

void TLineCommands::RangeCommand(TRangeCommand command) {
    TEditorLines &lines = p_.Lines;
    if (Quiet() || lines.LineCount() == 0)
        return;
    int first = 0, last = 0;
    if (!lines.GetSelectedLines(first, last)) {
        if (p_.Messages.Question(Text(SelectAllQuestion(command)), platform::mbYesNo) != platform::mrYes)
            return;
        first = 0;
        last = lines.LineCount() - 1;
    }
    last = std::min(last, lines.LineCount() - 1);
    const int end = last - first;
    RewriteLines(first, last, [&](std::vector<std::string> &work, const TLineContext &ctx) {
        const TAbortCheck stop = [this] { return StopAsked(); };
        switch (command) {
        case TRangeCommand::Reverse:
            ReverseLines(work, 0, end, stop);
            break;
        case TRangeCommand::Randomize:
            RandomizeLines(
                work, 0, end, [this](int count) { return RandomBelow(count); }, stop);
            break;
        case TRangeCommand::KeepHighest:
        case TRangeCommand::KeepLowest:
            KeepOneNoteInChords(work, command == TRangeCommand::KeepLowest, 0, end, ctx, stop);
            break;
        }
    });
}

// ---- clearing -----------------------------------------------------------------------------

void TLineCommands::ClearNotesFromLine1Click() {
    TEditorLines &lines = p_.Lines;
    if (Quiet())
        return;
    int first = 0, last = 0;
    if (!lines.GetSelectedLines(first, last))
        first = last = lines.CurrentLine();
    last = std::min(last, lines.LineCount() - 1);
    if (first > last)
        return; // the caret stands after the last line break
    RewriteLines(first, last, [this](std::vector<std::string> &work, const TLineContext &ctx) {
        for (std::string &line : work) {
            if (StopAsked())
                break;
            const TLineEdit edit = ClearNotesFromLine(line, ctx);
            if (!edit.Error.empty())
                p_.Messages.Error(QString::fromStdString(edit.Error));
            else if (edit.Changed)
                line = edit.Text;
        }
    });
}

void TLineCommands::ClearEditor2Click() {
    if (Quiet() || p_.Lines.LineCount() == 0)
        return;
    const QString question = QString::fromStdString(ClearEditorQuestion(p_.Song.Current().Name));
    if (p_.Messages.Question(question, platform::mbYesNo) != platform::mrYes)
        return;
    {
        TBulkEdit bulk(*this, false);
        p_.Lines.ReplaceAllLines({});
    }
    FocusEditor();
    p_.Calls.LinesChanged(); // the caption turns to lower case: the tab holds no text
}

// ---- grouping by bars -----------------------------------------------------------------------

void TLineCommands::ReformatLinesShiftCtrlF11Click() {
    if (Quiet())
        return;
    TEditorLines &lines = p_.Lines;
    const int top = lines.FirstVisibleLine();
    const int caret = lines.CurrentLine();
    const std::vector<std::string> before = lines.StoreLines();
    std::vector<std::string> work = before;
    // A caret on a last line of notes gets an empty line below it, which a stop leaves there.
    const bool append = !work.empty() && caret == int(work.size()) - 1 && !IsBlankLine(work.back());
    const TLineContext ctx = p_.Song.LineContext(p_.Song.CurrentTab);
    TPositionConductor conductor;
    conductor.TimeSignature = p_.Song.TimeSignature;
    conductor.Tempo = p_.Song.Tempo;
    bool changed = false;
    {
        TBulkEdit bulk(*this, true);
        // Esc ends the grouping without a question.
        if (GroupLinesByBars(work, ctx, conductor, [this] { return Escaped(); })) {
            if (work != before) {
                lines.ReplaceAllLines(ToQt(work));
                changed = true;
            }
        } else if (append) {
            lines.InsertLine(lines.LineCount(), QString());
            changed = true;
        }
        p_.PlayState.AbortRequested = false;
    }
    lines.MoveCaretToLine(std::min(caret, std::max(lines.LineCount() - 1, 0)));
    if (top < lines.LineCount())
        lines.ScrollToLine(top);
    FocusEditor();
    if (changed)
        p_.Calls.LinesChanged();
}

// ---- whole lines ----------------------------------------------------------------------------

void TLineCommands::Duplicate3Click() {
    TEditorLines &lines = p_.Lines;
    if (Quiet() || lines.IsEmpty())
        return;
    int first = 0, last = 0;
    if (!lines.GetSelectedLines(first, last))
        first = last = lines.CurrentLine();
    last = std::min(last, lines.LineCount() - 1);
    if (first > last)
        return; // the caret stands after the last line break
    {
        TBulkEdit bulk(*this, false);
        if (first == last && p_.Calls.SoundLine)
            p_.Calls.SoundLine(lines.Line(first).toStdString());
        // The copies go in above the block, which then follows them.
        lines.InsertLine(first, ToQt(lines.StoreLines(first, last + 1)).join(QLatin1Char('\n')));
        const TLineBlock lower = DuplicatedBlock(first, last);
        lines.SelectLines(lower.First, lower.Last);
    }
    FocusEditor();
    p_.Calls.LinesChanged();
}

void TLineCommands::SelectAllandDuplicate3Click() {
    if (Quiet())
        return;
    p_.Lines.Edit()->selectAll();
    Duplicate3Click();
}

void TLineCommands::labelNewLineClick() {
    TEditorLines &lines = p_.Lines;
    if (Quiet())
        return;
    const int caret = lines.CurrentLine();
    const int count = lines.LineCount();
    if (caret >= count) {
        // After the last line break: a blank line there, and the caret below it.
        lines.InsertLine(count, count == 0 ? QStringLiteral("\n") : QString());
        p_.Calls.LinesChanged();
        p_.Calls.ShowLine(lines.LineCount());
        p_.Calls.SelectEditorLine(lines.LineCount(), true);
    } else {
        lines.InsertLine(caret + 1, QString());
        p_.Calls.LinesChanged();
        p_.Calls.SelectEditorLine(caret, false);
        p_.Calls.ShowLine(caret + 1);
    }
    FocusEditor();
}

void TLineCommands::DeleteLine1Click() {
    TEditorLines &lines = p_.Lines;
    if (Quiet())
        return;
    const int caret = lines.CurrentLine();
    if (caret >= lines.LineCount())
        return; // the caret stands after the last line break
    lines.DeleteLines(caret, caret);
    FocusEditor();
    p_.Calls.LinesChanged();
}

void TLineCommands::CopyLine1Click() {
    TEditorLines &lines = p_.Lines;
    if (Quiet())
        return;
    const int caret = lines.CurrentLine();
    if (caret >= lines.LineCount())
        return; // the caret stands after the last line break
    lines.SelectLines(caret, caret);
    QString text = lines.Edit()->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    p_.Clipboard.SetText(text);
    FocusEditor();
}

void TLineCommands::SelectToTop1Click() {
    if (Quiet())
        return;
    TNotationEdit *edit = p_.Lines.Edit();
    QTextCursor c = edit->textCursor();
    const int caret = c.position();
    c.setPosition(0);
    c.setPosition(caret, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
    FocusEditor();
}

void TLineCommands::SelectToBottom1Click() {
    if (Quiet())
        return;
    TNotationEdit *edit = p_.Lines.Edit();
    QTextCursor c = edit->textCursor();
    c.setPosition(c.position());
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
    FocusEditor();
}
