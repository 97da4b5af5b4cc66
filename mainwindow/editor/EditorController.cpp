#include "mainwindow/editor/EditorController.h"

#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/rules/DurationRules.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/StatusText.h"
#include "midi/MidiOutputPort.h"
#include "platform/qt/Services.h"
#include "song/Messages.h"
#include "song/NoteLine.h"
#include "song/SongModel.h"
#include "song/TextUtil.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>

namespace {
QString SelectedPlainText(const TNotationEdit *edit) {
    QString t = edit->textCursor().selectedText();
    t.replace(QChar(0x2029), QLatin1Char('\n'));
    return t;
}
} // namespace

bool TEditorController::Quiet() const { return p_.PlayState.Busy() || p_.Song.Current().Kind == TKind::Drums; }

void TEditorController::FocusEditor() {
    if (p_.Song.Current().Kind != TKind::Drums)
        p_.Widgets.RichEdit1->setFocus();
}

// ---- selection, text and caret ----------------------------------------------------------

void TEditorController::RichEdit1SelectionChange() {
    if (Quiet())
        return;
    // A selection of lines takes Count In away (the command state).
    p_.Calls.ApplyCommandState();
    p_.Status.SelectionChanged(p_.Song.Current().Modified);
}

void TEditorController::RichEdit1Change() {
    if (p_.PlayState.Busy())
        return;
    p_.Widgets.RichEdit1->SetBackground(p_.Lines.IsEmpty());
    RichEdit1SelectionChange();
}

void TEditorController::UserEdited() {
    // Every change of the text by the user (keys, paste, cut, undo, drops, inserted lines).
    if (p_.Song.Current().Kind == TKind::Drums)
        return;
    p_.Calls.MarkModified();
}

void TEditorController::OverwriteModeChanged(bool overwrite) { p_.Status.ShowInsertMode(overwrite); }

void TEditorController::RichEdit1KeyUp(int key) { UpdateCaretLine(key); }

// A click sounds the caret line as Up does.
void TEditorController::RichEdit1MouseUp() { UpdateCaretLine(Qt::Key_Up); }

void TEditorController::RichEdit1MouseDown(bool right, bool ctrl, bool shift, bool alt) {
    if (!right || p_.PlayState.Busy())
        return;
    // Ctrl and Shift open the duration picker (TLineTools); Alt groups the lines by bars.
    if (ctrl || shift)
        return;
    if (alt && p_.Calls.GroupLinesByBars)
        p_.Calls.GroupLinesByBars();
}

void TEditorController::UpdateCaretLine(int key) {
    if (p_.PlayState.Busy())
        return;
    const int t = p_.Song.CurrentTab;
    const TInstrumentTab &tab = p_.Song.Current();
    if (tab.Kind == TKind::Drums)
        return;
    const int line = p_.Lines.CurrentLine();
    p_.Calls.UpdateTabCaption(t);
    // Read and parsed once: the sound, the picture and the note panel all take this value.
    const TLineContext ctx = p_.Song.LineContext(t);
    const TNoteLine caret = ParseNoteLine(p_.Lines.Line(line).toStdString(), TDurationUnit::Milliseconds, ctx);
    if (TMidiOutputPort *port = p_.Calls.OutputPort ? p_.Calls.OutputPort() : nullptr)
        port->SetPatch(tab.Bank & 0xFF, tab.Patch & 0xFF, tab.Channel & 0xFF);
    TLiveInstrument *live = p_.Calls.LiveInstrument ? p_.Calls.LiveInstrument() : nullptr;

    if (caret.Piano) {
        if (caret.Class != TLineClass::Note) {
            p_.Widgets.PaintBoxInstrument->ShowLine(line, caret); // plain keys; a shown scale stays
            p_.Status.ShowNoteText({});
            return;
        }
        if (live)
            live->SoundCaretLine(key, caret); // Up and Down; the keys show while it sounds
        p_.Status.ShowNoteText(status::CaretNoteName(caret, ctx));
        return;
    }
    // A faulty fretted line leaves the sound, the picture and the note panel as they were.
    if (!caret.Ok())
        return;
    if (live)
        live->SoundCaretLine(key, caret); // Up and Down
    p_.Widgets.PaintBoxInstrument->ShowLine(line, caret);
    p_.Status.ShowNoteText(status::CaretNoteName(caret, ctx));
}

// ---- Edit menu ----------------------------------------------------------------------------

void TEditorController::EditMenuEditorClick() { p_.Calls.MenuOpening(); }

void TEditorController::Cut1Click() {
    if (Quiet() || !p_.Lines.HasSelection())
        return;
    p_.Services.clipboard.SetText(SelectedPlainText(p_.Widgets.RichEdit1));
    p_.Widgets.RichEdit1->textCursor().removeSelectedText();
    p_.Widgets.PaintBoxInstrument->ShowLine(p_.Lines.CurrentLine());
    FocusEditor();
}

void TEditorController::Copy1Click() {
    if (Quiet() || !p_.Lines.HasSelection())
        return;
    p_.Services.clipboard.SetText(SelectedPlainText(p_.Widgets.RichEdit1));
    FocusEditor();
}

void TEditorController::Paste1Click() {
    if (Quiet() || !p_.Services.clipboard.HasText())
        return;
    p_.Widgets.RichEdit1->textCursor().insertText(TNotationEdit::NormaliseLineBreaks(p_.Services.clipboard.Text()));
    FocusEditor();
}

void TEditorController::Undo1Click() {
    if (Quiet())
        return;
    if (p_.Widgets.RichEdit1->document()->isUndoAvailable())
        p_.Widgets.RichEdit1->undo();
    p_.Widgets.PaintBoxInstrument->ShowLine(p_.Lines.CurrentLine());
    FocusEditor();
}

void TEditorController::Delete1Click() {
    if (Quiet())
        return;
    p_.Widgets.RichEdit1->textCursor().removeSelectedText();
    p_.Widgets.PaintBoxInstrument->ShowLine(p_.Lines.CurrentLine());
    FocusEditor();
}

void TEditorController::SelectAll1Click() {
    if (Quiet())
        return;
    p_.Widgets.RichEdit1->selectAll();
    FocusEditor();
}

void TEditorController::SelectNone1Click() {
    if (Quiet())
        return;
    QTextCursor c = p_.Widgets.RichEdit1->textCursor();
    c.clearSelection();
    p_.Widgets.RichEdit1->setTextCursor(c);
    FocusEditor();
}

// ---- lines at the caret -----------------------------------------------------------------

void TEditorController::SelectEditorLine(int line, bool useGiven) {
    const int l = useGiven ? line : p_.Lines.CurrentLine();
    p_.Lines.SelectLines(l, l);
    FocusEditor();
    p_.Widgets.RichEdit1->ensureCursorVisible();
}

void TEditorController::InsertTextLine(const QString &text) {
    if (Quiet())
        return;
    TEditorLines &lines = p_.Lines;
    int first = 0, last = 0;
    if (lines.GetSelectedLines(first, last))
        lines.SelectLines(first, first);
    const TEditorLines::TEditBlock oneEdit(lines); // one Undo takes the whole line back
    int l = lines.CurrentLine();
    if (!Trim(lines.Line(l).toStdString()).empty()) {
        lines.InsertLine(l + 1, QString());
        ++l;
    }
    // Replace line l (which may be the empty place after the last line) and add an empty
    // line after it for the next entry.
    if (l < lines.LineCount()) {
        lines.ReplaceLine(l, text);
        lines.InsertLine(l + 1, QString());
    } else {
        lines.InsertLine(l, text);
        lines.InsertLine(l + 1, QString());
    }
    lines.MoveCaretToLine(l + 1);
    FocusEditor();
}

void TEditorController::btnRestClick() {
    if (Quiet())
        return;
    const TInstrumentTab &tab = p_.Song.Current();
    InsertTextLine(QString::fromStdString(duration::RestLine(tab.Kind == TKind::Piano, tab.HighestString,
                                                             p_.Widgets.PanelNoteButtons->CurrentDuration())));
}

// ---- durations ----------------------------------------------------------------------------

bool TEditorController::LineTakesDuration(const std::string &line) const {
    return ParseNoteLine(line, TDurationUnit::Milliseconds, p_.Song.LineContext(p_.Song.CurrentTab)).Sounds();
}

void TEditorController::DurationClick(int /*index*/) { ApplyDuration(); }

void TEditorController::DurationShortcut(int index) {
    if (Quiet())
        return;
    p_.Widgets.PanelNoteButtons->ClickDuration(index); // its click applies the duration
}

void TEditorController::chkDottedClick() { ApplyDuration(); }
void TEditorController::chkTripletClick() { ApplyDuration(); }

void TEditorController::ApplyDuration(const std::string &text) {
    if (Quiet())
        return;
    // The tab's duration choice is part of the song (it is saved with the tab), so the tab counts
    // as changed even when no line takes the duration.
    p_.Calls.MarkModified();
    TDurationButtons &buttons = *p_.Widgets.PanelNoteButtons;
    const std::string d = text.empty() ? buttons.CurrentDuration() : text;
    if (text.empty())
        buttons.SetRestGlyph(d);

    TEditorLines &lines = p_.Lines;
    int first = 0, last = 0;
    const bool selected = lines.GetSelectedLines(first, last);
    if (!selected)
        first = last = lines.CurrentLine();
    if (first >= lines.LineCount())
        return;
    last = std::min(last, lines.LineCount() - 1);

    std::vector<std::string> work;
    work.reserve(static_cast<size_t>(last - first + 1));
    for (int i = first; i <= last; ++i)
        work.push_back(lines.Line(i).toStdString());

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool several = last > first;
    if (several) {
        // A long apply lets the window breathe and can be stopped with Esc; the tab cannot
        // change meanwhile and the text is written back once at the end.
        p_.PlayState.AbortRequested = false;
        p_.Calls.EnterNestedLoop();
        p_.Widgets.RichEdit1->setReadOnly(true);
    }
    auto goOn = [this] {
        QApplication::processEvents();
        if (!p_.PlayState.AbortRequested)
            return true;
        QApplication::restoreOverrideCursor();
        const int answer = p_.Services.messages.Question(
            QString::fromUtf8(msg::kStopAnyways.data(), int(msg::kStopAnyways.size())), platform::mbYesNo);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        p_.PlayState.AbortRequested = false;
        return answer != platform::mrYes;
    };
    const int changed = duration::ApplyToLines(
        work, 0, last - first, d, [this](const std::string &l) { return LineTakesDuration(l); },
        several ? std::function<bool()>(goOn) : std::function<bool()>());
    if (several) {
        p_.Widgets.RichEdit1->setReadOnly(false);
    }
    if (changed > 0) {
        QStringList out;
        for (const auto &l : work)
            out << QString::fromStdString(l);
        lines.ReplaceRange(first, out);
    }
    lines.SelectLines(first, last);
    QApplication::restoreOverrideCursor();
    FocusEditor();
    if (several)
        p_.Calls.LeaveNestedLoop();
}
