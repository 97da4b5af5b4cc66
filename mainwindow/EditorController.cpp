#include "mainwindow/EditorController.h"

#include "mainwindow/DurationButtons.h"
#include "midi/MidiOutputPort.h"
#include "mainwindow/rules/DurationRules.h"
#include "mainwindow/EditorAdapter.h"
#include "mainwindow/InstrumentPicture.h"
#include "mainwindow/LiveSoundingWindow.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/NotationEdit.h"
#include "mainwindow/StatusDisplay.h"
#include "mainwindow/rules/StatusText.h"
#include "platform/qt/Services.h"
#include "song/Messages.h"
#include "song/NoteLine.h"
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

bool TEditorController::Quiet() const {
    return w_.Busy() || w_.Song.Current().Kind == TKind::Drums;
}

void TEditorController::FocusEditor() {
    if (w_.Song.Current().Kind != TKind::Drums)
        w_.RichEdit1->setFocus();
}

// ---- selection, text and caret ----------------------------------------------------------

void TEditorController::RichEdit1SelectionChange() {
    if (Quiet())
        return;
    // A selection of lines takes Count In away (the command state).
    w_.ApplyCommandState();
    w_.Status().SelectionChanged(w_.Song.Current().Modified);
}

void TEditorController::RichEdit1Change() {
    if (w_.Busy())
        return;
    w_.RichEdit1->SetBackground(w_.Lines().IsEmpty());
    RichEdit1SelectionChange();
}

void TEditorController::UserEdited() {
    // Every change of the text by the user (keys, paste, cut, undo, drops, inserted lines).
    if (w_.Song.Current().Kind == TKind::Drums)
        return;
    w_.MarkModified();
}

void TEditorController::OverwriteModeChanged(bool overwrite) { w_.Status().ShowInsertMode(overwrite); }

void TEditorController::RichEdit1KeyUp(int key) { UpdateCaretLine(key); }

// A click sounds the caret line as Up does.
void TEditorController::RichEdit1MouseUp() { UpdateCaretLine(Qt::Key_Up); }

void TEditorController::RichEdit1MouseDown(bool right, bool ctrl, bool shift, bool alt) {
    if (!right || w_.Busy())
        return;
    // The duration picker (Ctrl, Shift) and grouping by bars (Alt) arrive with their
    // dialogs and line transformations; until then the gestures do nothing.
    (void)ctrl;
    (void)shift;
    (void)alt;
}

void TEditorController::UpdateCaretLine(int key) {
    if (w_.Busy())
        return;
    const int t = w_.Song.CurrentTab;
    const TInstrumentTab &tab = w_.Song.Current();
    if (tab.Kind == TKind::Drums)
        return;
    const int line = w_.Lines().CurrentLine();
    w_.UpdateTabCaption(t);
    // Read and parsed once: the sound, the picture and the note panel all take this value.
    const TLineContext ctx = w_.Song.LineContext(t);
    const TNoteLine caret = ParseNoteLine(w_.Lines().Line(line).toStdString(), TDurationUnit::Milliseconds, ctx);
    if (TMidiOutputPort *port = w_.OutputPort())
        port->SetPatch(tab.Bank & 0xFF, tab.Patch & 0xFF, tab.Channel & 0xFF);
    TLiveInstrument *live = w_.LiveInstrument();

    if (caret.Piano) {
        if (caret.Class != TLineClass::Note) {
            w_.PaintBoxInstrument->ShowLine(line, caret); // plain keys; a shown scale stays
            w_.Status().ShowNoteText({});
            return;
        }
        if (live)
            live->SoundCaretLine(key, caret); // Up and Down; the keys show while it sounds
        w_.Status().ShowNoteText(status::CaretNoteName(caret, ctx));
        return;
    }
    // A faulty fretted line leaves the sound, the picture and the note panel as they were.
    if (!caret.Ok())
        return;
    if (live)
        live->SoundCaretLine(key, caret); // Up and Down
    w_.PaintBoxInstrument->ShowLine(line, caret);
    w_.Status().ShowNoteText(status::CaretNoteName(caret, ctx));
}

// ---- Edit menu ----------------------------------------------------------------------------

void TEditorController::EditMenuEditorClick() { w_.ApplyCommandState(); }

void TEditorController::Cut1Click() {
    if (Quiet() || !w_.Lines().HasSelection())
        return;
    w_.Services().clipboard.SetText(SelectedPlainText(w_.RichEdit1));
    w_.RichEdit1->textCursor().removeSelectedText();
    w_.PaintBoxInstrument->ShowLine(w_.Lines().CurrentLine());
    FocusEditor();
}

void TEditorController::Copy1Click() {
    if (Quiet() || !w_.Lines().HasSelection())
        return;
    w_.Services().clipboard.SetText(SelectedPlainText(w_.RichEdit1));
    FocusEditor();
}

void TEditorController::Paste1Click() {
    if (Quiet() || !w_.Services().clipboard.HasText())
        return;
    w_.RichEdit1->textCursor().insertText(TNotationEdit::NormaliseLineBreaks(w_.Services().clipboard.Text()));
    FocusEditor();
}

void TEditorController::Undo1Click() {
    if (Quiet())
        return;
    if (w_.RichEdit1->document()->isUndoAvailable())
        w_.RichEdit1->undo();
    w_.PaintBoxInstrument->ShowLine(w_.Lines().CurrentLine());
    FocusEditor();
}

void TEditorController::Delete1Click() {
    if (Quiet())
        return;
    w_.RichEdit1->textCursor().removeSelectedText();
    w_.PaintBoxInstrument->ShowLine(w_.Lines().CurrentLine());
    FocusEditor();
}

void TEditorController::SelectAll1Click() {
    if (Quiet())
        return;
    w_.RichEdit1->selectAll();
    FocusEditor();
}

void TEditorController::SelectNone1Click() {
    if (Quiet())
        return;
    QTextCursor c = w_.RichEdit1->textCursor();
    c.clearSelection();
    w_.RichEdit1->setTextCursor(c);
    FocusEditor();
}

// ---- lines at the caret -----------------------------------------------------------------

void TEditorController::SelectEditorLine(int line, bool useGiven) {
    const int l = useGiven ? line : w_.Lines().CurrentLine();
    w_.Lines().SelectLines(l, l);
    FocusEditor();
    w_.RichEdit1->ensureCursorVisible();
}

void TEditorController::InsertTextLine(const QString &text) {
    if (Quiet())
        return;
    TEditorLines &lines = w_.Lines();
    int first = 0, last = 0;
    if (lines.GetSelectedLines(first, last))
        lines.SelectLines(first, first);
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
    const TInstrumentTab &tab = w_.Song.Current();
    InsertTextLine(QString::fromStdString(duration::RestLine(tab.Kind == TKind::Piano, tab.HighestString,
                                                             w_.PanelNoteButtons->CurrentDuration())));
}

// ---- durations ----------------------------------------------------------------------------

bool TEditorController::LineTakesDuration(const std::string &line) const {
    return ParseNoteLine(line, TDurationUnit::Milliseconds, w_.Song.LineContext(w_.Song.CurrentTab)).Sounds();
}

void TEditorController::DurationClick(int /*index*/) { ApplyDuration(); }

void TEditorController::DurationShortcut(int index) {
    if (Quiet())
        return;
    w_.PanelNoteButtons->ClickDuration(index); // its click applies the duration
}

void TEditorController::chkDottedClick() { ApplyDuration(); }
void TEditorController::chkTripletClick() { ApplyDuration(); }

void TEditorController::ApplyDuration(const std::string &text) {
    if (Quiet())
        return;
    TDurationButtons &buttons = *w_.PanelNoteButtons;
    const std::string d = text.empty() ? buttons.CurrentDuration() : text;
    if (text.empty())
        buttons.SetRestGlyph(d);

    TEditorLines &lines = w_.Lines();
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
        w_.PlayState().AbortRequested = false;
        w_.EnterNestedLoop();
        w_.RichEdit1->setReadOnly(true);
    }
    auto goOn = [this] {
        QApplication::processEvents();
        if (!w_.PlayState().AbortRequested)
            return true;
        QApplication::restoreOverrideCursor();
        const int answer = w_.Services().messages.Question(QString::fromUtf8(msg::kStopAnyways.data(), int(msg::kStopAnyways.size())),
                                                           platform::mbYesNo);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        w_.PlayState().AbortRequested = false;
        return answer != platform::mrYes;
    };
    const int changed = duration::ApplyToLines(work, 0, last - first, d,
                                               [this](const std::string &l) { return LineTakesDuration(l); },
                                               several ? std::function<bool()>(goOn) : std::function<bool()>());
    if (several) {
        w_.RichEdit1->setReadOnly(false);
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
        w_.LeaveNestedLoop();
}
