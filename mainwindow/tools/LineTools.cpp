#include "mainwindow/tools/LineTools.h"

#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/live/LiveSounding.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/SongChange.h"
#include "mainwindow/window/Commands.h"
#include "mainwindow/window/MainDialogs.h"
#include "midi/MidiOutputPort.h"
#include "platform/qt/Services.h"
#include "song/NoteLine.h"
#include "song/SongModel.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {
const QString kFixTheLine = QStringLiteral("Please fix the error or delete the line.");
const QString kNoNotesSelected = QStringLiteral("No notes are selected for duration change.");
constexpr int kTuningNoteMs = 240;
constexpr int kTuningChannel = 0; // the dialog sounds every tab's strings on the first channel
} // namespace

TLineTools::TLineTools(const TLineToolParts &parts)
    : song_(parts.Song), lines_(parts.Lines), play_(parts.PlayState), services_(parts.Services),
      dialogs_(parts.Dialogs), tuningLabel_(parts.Widgets.LabelSelectTuning), edit_(parts.Widgets.RichEdit1),
      durations_(parts.Widgets.PanelNoteButtons), calls_(parts.Calls) {
    TCommands &c = parts.Commands;
    c.Bind("MicroManageLine2", TArea::Dialogs, [this] { MicroManageLine2Click(); });
    c.Bind("NoteDurationSelectorCtrlRMB1", TArea::Dialogs, [this] { NoteDurationSelectorCtrlRMB1Click(); });
    c.Bind("OnetimeNoteDurationforSelection1", TArea::Dialogs, [this] { OnetimeNoteDurationforSelection1Click(); });
    tuningLabel_->setCursor(Qt::PointingHandCursor);
    tuningLabel_->installEventFilter(this);
    // Ctrl, Shift and Alt make the editor's right button a gesture, not its pop-up menu.
    edit_->viewport()->installEventFilter(this);
    connect(durations_, &TDurationButtons::OneTimeLabelClicked, this, [this] { LabelOneTimeNoteSelectorClick(); });
    connect(edit_, &TNotationEdit::MouseDown, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m) {
        RichEdit1MouseDown(b == Qt::RightButton, m & Qt::ControlModifier, m & Qt::ShiftModifier);
    });
}

bool TLineTools::eventFilter(QObject *watched, QEvent *event) {
    if (watched == tuningLabel_ && event->type() == QEvent::MouseButtonRelease) {
        const auto &mouse = static_cast<const QMouseEvent &>(*event);
        if (mouse.button() == Qt::LeftButton && tuningLabel_->rect().contains(mouse.position().toPoint()))
            LabelSelectTuningClick();
    } else if (watched == edit_->viewport() && event->type() == QEvent::ContextMenu) {
        const auto &menu = static_cast<const QContextMenuEvent &>(*event);
        if (menu.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

bool TLineTools::Quiet() const { return play_.Busy() || song_.Current().Kind == TKind::Drums; }

// ---- tuning --------------------------------------------------------------------------------

void TLineTools::LabelSelectTuningClick() {
    TInstrumentTab &tab = song_.Current();
    if (play_.Busy() || !IsFretted(tab.Kind) || !dialogs_.tuning)
        return;
    const int t = song_.CurrentTab;
    TTuningInput in{tab.Kind, tab.HighestString, tab.ShortFifthString, tab.TuningSpelling, {}};
    in.calls.SetPatch = [this, bank = tab.Bank, patch = tab.Patch] {
        if (TLiveSounding *sound = calls_.Sound ? calls_.Sound() : nullptr)
            sound->Port().SetPatch(bank & 0xFF, patch & 0xFF, kTuningChannel);
    };
    in.calls.SoundNote = [this](int note) {
        // A stop left from before does not cut the string short; its note-off always follows.
        if (TLiveSounding *sound = calls_.Sound ? calls_.Sound() : nullptr)
            sound->PreviewNote(0, -1, kTuningChannel, note, 127, kTuningNoteMs);
    };
    const std::optional<std::string> spelling = dialogs_.tuning(in);
    if (!spelling)
        return; // Cancel: the tab keeps the spelling it had
    const bool changed = *spelling != tab.TuningSpelling;
    tab.TuningSpelling = *spelling;
    if (calls_.ClearInstrumentDisplay)
        calls_.ClearInstrumentDisplay();
    calls_.SongChanged(t, kChangedTabSettings, changed);
}

// ---- per-line editor -----------------------------------------------------------------------

void TLineTools::MicroManageLine2Click() {
    if (Quiet() || !dialogs_.lineEditor)
        return;
    int first = 0, last = 0;
    const int line = lines_.GetSelectedLines(first, last) ? first : lines_.CurrentLine();
    const std::string text = lines_.Line(line).toStdString();
    if (IsBlankLine(text))
        return;
    const int t = song_.CurrentTab;
    const TLineContext ctx = song_.LineContext(t);
    if (!ParseNoteLine(text, TDurationUnit::Milliseconds, ctx).Ok()) {
        services_.messages.ShowMessage(kFixTheLine);
        return;
    }
    if (const std::optional<std::string> edited = dialogs_.lineEditor({text, ctx}); edited && *edited != text) {
        lines_.ReplaceLine(line, QString::fromStdString(*edited));
        calls_.SongChanged(t, kChangedLines, true);
    }
    calls_.ShowLineOnInstrument(line);
    calls_.SelectEditorLine(line, true);
}

// ---- duration picker -----------------------------------------------------------------------

void TLineTools::PickDuration(const std::string &caption, TPickMode mode) {
    pickCaption_ = caption;
    pickMode_ = mode;
    ShowDurationPicker();
}

void TLineTools::ShowDurationPicker() {
    if (play_.Busy() || !dialogs_.durationPicker)
        return;
    const std::optional<TNotePick> pick = dialogs_.durationPicker({pickCaption_});
    if (!pick)
        return;
    if (pickMode_ == TPickMode::SetCurrent)
        durations_->ChooseDuration(pick->index, pick->family == TNoteFamily::Dotted,
                                   pick->family == TNoteFamily::Triplet);
    else
        calls_.ApplyDuration(NotePickText(*pick));
}

void TLineTools::NoteDurationSelectorCtrlRMB1Click() {
    if (!Quiet())
        PickDuration("Select Current Note Duration", TPickMode::SetCurrent);
}

void TLineTools::OnetimeNoteDurationforSelection1Click() {
    if (Quiet())
        return;
    if (!lines_.HasSelection()) {
        services_.messages.Information(kNoNotesSelected);
        return;
    }
    PickDuration("Select Temporary Note Duration", TPickMode::OneTime);
}

void TLineTools::LabelOneTimeNoteSelectorClick() {
    if (!Quiet() && lines_.LineCount() > 0)
        PickDuration("Single Click for Temporary Note Duration", TPickMode::OneTime);
}

void TLineTools::RichEdit1MouseDown(bool right, bool ctrl, bool shift) {
    if (!right || play_.Busy())
        return;
    if (ctrl)
        PickDuration("Select Current Note Duration", TPickMode::SetCurrent);
    else if (shift)
        PickDuration("Select Temporary Note Duration", TPickMode::OneTime);
}
