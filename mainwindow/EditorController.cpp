#include "mainwindow/EditorController.h"

#include "mainwindow/DurationButtons.h"
#include "midi/MidiOutputPort.h"
#include "mainwindow/rules/DurationRules.h"
#include "mainwindow/EditorAdapter.h"
#include "mainwindow/InstrumentPicture.h"
#include "mainwindow/LiveSoundingWindow.h"
#include "mainwindow/NotationEdit.h"
#include "mainwindow/StatusDisplay.h"
#include "mainwindow/rules/StatusText.h"
#include "mainwindow/rules/PlayState.h"
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

bool TEditorController::Quiet() const {
    return ws_.play.Busy() || ws_.song.Current().Kind == TKind::Drums;
}

void TEditorController::FocusEditor() {
    if (ws_.song.Current().Kind != TKind::Drums)
        ws_.edit->setFocus();
}

// ---- selection, text and caret ----------------------------------------------------------

void TEditorController::RichEdit1SelectionChange() {
    if (Quiet())
        return;
    // A selection of lines takes Count In away (the command state).
    host_.ApplyCommandState();
    ws_.status.SelectionChanged(ws_.song.Current().Modified);
}

void TEditorController::RichEdit1Change() {
    if (ws_.play.Busy())
        return;
    ws_.edit->SetBackground(ws_.lines.IsEmpty());
    RichEdit1SelectionChange();
}

void TEditorController::UserEdited() {
    // Every change of the text by the user (keys, paste, cut, undo, drops, inserted lines).
    if (ws_.song.Current().Kind == TKind::Drums)
        return;
    host_.MarkModified();
}

void TEditorController::OverwriteModeChanged(bool overwrite) { ws_.status.ShowInsertMode(overwrite); }

void TEditorController::RichEdit1KeyUp(int key) { UpdateCaretLine(key); }

// A click sounds the caret line as Up does.
void TEditorController::RichEdit1MouseUp() { UpdateCaretLine(Qt::Key_Up); }

void TEditorController::RichEdit1MouseDown(bool right, bool ctrl, bool shift, bool alt) {
    if (!right || ws_.play.Busy())
        return;
    // Ctrl and Shift open the duration picker (TLineTools); Alt groups the lines by bars.
    if (ctrl || shift)
        return;
    if (alt && host_.GroupLinesByBars)
        host_.GroupLinesByBars();
}

void TEditorController::UpdateCaretLine(int key) {
    if (ws_.play.Busy())
        return;
    const int t = ws_.song.CurrentTab;
    const TInstrumentTab &tab = ws_.song.Current();
    if (tab.Kind == TKind::Drums)
        return;
    const int line = ws_.lines.CurrentLine();
    host_.UpdateTabCaption(t);
    // Read and parsed once: the sound, the picture and the note panel all take this value.
    const TLineContext ctx = ws_.song.LineContext(t);
    const TNoteLine caret = ParseNoteLine(ws_.lines.Line(line).toStdString(), TDurationUnit::Milliseconds, ctx);
    if (TMidiOutputPort *port = host_.OutputPort ? host_.OutputPort() : nullptr)
        port->SetPatch(tab.Bank & 0xFF, tab.Patch & 0xFF, tab.Channel & 0xFF);
    TLiveInstrument *live = host_.LiveInstrument ? host_.LiveInstrument() : nullptr;

    if (caret.Piano) {
        if (caret.Class != TLineClass::Note) {
            ws_.picture->ShowLine(line, caret); // plain keys; a shown scale stays
            ws_.status.ShowNoteText({});
            return;
        }
        if (live)
            live->SoundCaretLine(key, caret); // Up and Down; the keys show while it sounds
        ws_.status.ShowNoteText(status::CaretNoteName(caret, ctx));
        return;
    }
    // A faulty fretted line leaves the sound, the picture and the note panel as they were.
    if (!caret.Ok())
        return;
    if (live)
        live->SoundCaretLine(key, caret); // Up and Down
    ws_.picture->ShowLine(line, caret);
    ws_.status.ShowNoteText(status::CaretNoteName(caret, ctx));
}

// ---- Edit menu ----------------------------------------------------------------------------

void TEditorController::EditMenuEditorClick() { host_.MenuOpening(); }

void TEditorController::Cut1Click() {
    if (Quiet() || !ws_.lines.HasSelection())
        return;
    ws_.services.clipboard.SetText(SelectedPlainText(ws_.edit));
    ws_.edit->textCursor().removeSelectedText();
    ws_.picture->ShowLine(ws_.lines.CurrentLine());
    FocusEditor();
}

void TEditorController::Copy1Click() {
    if (Quiet() || !ws_.lines.HasSelection())
        return;
    ws_.services.clipboard.SetText(SelectedPlainText(ws_.edit));
    FocusEditor();
}

void TEditorController::Paste1Click() {
    if (Quiet() || !ws_.services.clipboard.HasText())
        return;
    ws_.edit->textCursor().insertText(TNotationEdit::NormaliseLineBreaks(ws_.services.clipboard.Text()));
    FocusEditor();
}

void TEditorController::Undo1Click() {
    if (Quiet())
        return;
    if (ws_.edit->document()->isUndoAvailable())
        ws_.edit->undo();
    ws_.picture->ShowLine(ws_.lines.CurrentLine());
    FocusEditor();
}

void TEditorController::Delete1Click() {
    if (Quiet())
        return;
    ws_.edit->textCursor().removeSelectedText();
    ws_.picture->ShowLine(ws_.lines.CurrentLine());
    FocusEditor();
}

void TEditorController::SelectAll1Click() {
    if (Quiet())
        return;
    ws_.edit->selectAll();
    FocusEditor();
}

void TEditorController::SelectNone1Click() {
    if (Quiet())
        return;
    QTextCursor c = ws_.edit->textCursor();
    c.clearSelection();
    ws_.edit->setTextCursor(c);
    FocusEditor();
}

// ---- lines at the caret -----------------------------------------------------------------

void TEditorController::SelectEditorLine(int line, bool useGiven) {
    const int l = useGiven ? line : ws_.lines.CurrentLine();
    ws_.lines.SelectLines(l, l);
    FocusEditor();
    ws_.edit->ensureCursorVisible();
}

void TEditorController::InsertTextLine(const QString &text) {
    if (Quiet())
        return;
    TEditorLines &lines = ws_.lines;
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
    const TInstrumentTab &tab = ws_.song.Current();
    InsertTextLine(QString::fromStdString(duration::RestLine(tab.Kind == TKind::Piano, tab.HighestString,
                                                             ws_.durations->CurrentDuration())));
}

// ---- durations ----------------------------------------------------------------------------

bool TEditorController::LineTakesDuration(const std::string &line) const {
    return ParseNoteLine(line, TDurationUnit::Milliseconds, ws_.song.LineContext(ws_.song.CurrentTab)).Sounds();
}

void TEditorController::DurationClick(int /*index*/) { ApplyDuration(); }

void TEditorController::DurationShortcut(int index) {
    if (Quiet())
        return;
    ws_.durations->ClickDuration(index); // its click applies the duration
}

void TEditorController::chkDottedClick() { ApplyDuration(); }
void TEditorController::chkTripletClick() { ApplyDuration(); }

void TEditorController::ApplyDuration(const std::string &text) {
    if (Quiet())
        return;
    // The tab's duration choice is part of the song (it is saved with the tab), so the tab counts
    // as changed even when no line takes the duration.
    host_.MarkModified();
    TDurationButtons &buttons = *ws_.durations;
    const std::string d = text.empty() ? buttons.CurrentDuration() : text;
    if (text.empty())
        buttons.SetRestGlyph(d);

    TEditorLines &lines = ws_.lines;
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
        ws_.play.AbortRequested = false;
        host_.EnterNestedLoop();
        ws_.edit->setReadOnly(true);
    }
    auto goOn = [this] {
        QApplication::processEvents();
        if (!ws_.play.AbortRequested)
            return true;
        QApplication::restoreOverrideCursor();
        const int answer = ws_.services.messages.Question(QString::fromUtf8(msg::kStopAnyways.data(), int(msg::kStopAnyways.size())),
                                                          platform::mbYesNo);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ws_.play.AbortRequested = false;
        return answer != platform::mrYes;
    };
    const int changed = duration::ApplyToLines(work, 0, last - first, d,
                                               [this](const std::string &l) { return LineTakesDuration(l); },
                                               several ? std::function<bool()>(goOn) : std::function<bool()>());
    if (several) {
        ws_.edit->setReadOnly(false);
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
        host_.LeaveNestedLoop();
}
