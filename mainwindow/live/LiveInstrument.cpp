#include "mainwindow/live/LiveInstrument.h"

#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/PlaybackRange.h"
#include "mainwindow/window/Colours.h"
#include "mainwindow/window/Commands.h"
#include "platform/qt/Services.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedLayout>

std::string LineErrorText(int line) { return "Error in line " + std::to_string(line + 1); }

std::string PlayLineErrorText(const std::string &tabName, int line) {
    return "Error in " + tabName + ": Line " + std::to_string(line + 1);
}

// The fretboard's and the keyboard's parts: the song, the editor lines, the sounding, the picture
// they go into and the window's calls.
TInstrumentParts TLiveInstrument::InstrumentParts() {
    const int width = calls_.WindowWidth();
    return TInstrumentParts{
        .Song = song_,
        .Lines = lines_,
        .Sound = *sound_,
        .WindowWidth = width > 0 ? width : 815,
        .Widgets = {.PaintBoxInstrument = ui_.PaintBoxInstrument},
        .Calls = {.Busy = [this] { return play_.Busy(); },
                  .ClickWaiting =
                      [this](bool waiting) {
                          const auto &step = waiting ? calls_.EnterNestedLoop : calls_.LeaveNestedLoop;
                          if (step)
                              step();
                      },
                  .ScaleRestrictor = calls_.ScaleRestrictor,
                  .CurrentDuration = [this] { return ui_.PanelNoteButtons->CurrentDuration(); },
                  .ShowDurationPicker = calls_.ShowDurationPicker,
                  .SelectEditorLine = calls_.SelectEditorLine,
                  .FocusEditor =
                      [this] {
                          if (song_.Current().Kind != TKind::Drums)
                              ui_.RichEdit1->setFocus();
                      },
                  .MarkModified = calls_.MarkModified,
                  .ShowCaretPosition = calls_.ShowCaretPosition,
                  .ShowNoteText = calls_.ShowNoteText,
                  .ShowLineOnInstrument = [this](int line) { ShowLineOnInstrument(line); },
                  .RepaintEditor = [this] { ui_.RichEdit1->viewport()->repaint(); }},
    };
}

TLiveInstrument::TLiveInstrument(const TLiveParts &parts)
    : song_(parts.Song), lines_(parts.Lines), play_(parts.PlayState), services_(parts.Services),
      commands_(parts.Commands), ui_(parts.Widgets), calls_(parts.Calls) {
    sound_ = std::make_unique<TLiveSounding>(parts.OutputPort, parts.Clock, play_.StopRequested);
    SetPlayCaption(false); // green from the start, as after a run
    const TInstrumentParts instrument = InstrumentParts();
    fretboard_ = std::make_unique<TFretboard>(instrument);
    keyboard_ = std::make_unique<TKeyboard>(instrument);
    auto *stack = new QStackedLayout(ui_.PaintBoxInstrument);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(fretboard_->View());
    stack->addWidget(keyboard_->View());
    noPicture_ = new QWidget(ui_.PaintBoxInstrument); // the Drums tab shows neither picture
    stack->addWidget(noPicture_);
    sound_->View.SelectLine = [this](int line) { calls_.SelectEditorLine(line, true); };
    sound_->View.ShowFrets = [this](const std::array<int32_t, 6> &frets) {
        fretboard_->Model().ShowFretDots(song_.Current(), frets);
        fretboard_->View()->update();
    };
    sound_->View.TempoChanged = [this](int tempo) { ShowTempo(tempo); };
    sound_->View.LoopChecked = [this] { return ui_.chkLoopAll->isChecked(); };

    // The window's picture asks the pictures inside it; a tab change clears them.
    ui_.PaintBoxInstrument->OnShowLine = [this](int line) { ShowLineOnInstrument(line); };
    ui_.PaintBoxInstrument->OnShowParsedLine = [this](int, const TNoteLine &line) { ShowLineOnInstrument(line); };
    ui_.PaintBoxInstrument->OnClear = [this] {
        TabChanged();
        ClearInstrumentDisplay();
        fretboard_->Model().ShowFretDots(song_.Current(), {-1, -1, -1, -1, -1, -1});
    };
    QObject::connect(ui_.btnPlayFRT, &QPushButton::clicked, &guard_, [this] { PlayInstrument(); });
    commands_.Bind("PlayAnimatedInstrument1", TArea::Live, [this] { PlayInstrument(); });
    // The Play menu names the instrument the animated play sounds.
    commands_.OnMenuShow(TMenu::Play, [this] {
        const TInstrumentTab &tab = song_.Current();
        commands_.Action("PlayAnimatedInstrument1")
            ->setText(QString::fromStdString(
                AnimatedInstrumentCaption(tab.Kind == TKind::Drums, std::string(KindText(tab.Kind)))));
    });
    TabChanged();
}

TLiveInstrument::~TLiveInstrument() {
    if (ui_.PaintBoxInstrument) {
        ui_.PaintBoxInstrument->OnShowLine = nullptr;
        ui_.PaintBoxInstrument->OnShowParsedLine = nullptr;
        ui_.PaintBoxInstrument->OnClear = nullptr;
    }
}

void TLiveInstrument::TabChanged() {
    const TKind kind = song_.Current().Kind;
    auto *stack = static_cast<QStackedLayout *>(ui_.PaintBoxInstrument->layout());
    QWidget *view = IsFretted(kind)        ? static_cast<QWidget *>(fretboard_->View())
                    : kind == TKind::Piano ? static_cast<QWidget *>(keyboard_->View())
                                           : noPicture_;
    stack->setCurrentWidget(view);
    view->setGeometry(ui_.PaintBoxInstrument->contentsRect());
    view->update();
}

bool TLiveInstrument::ShowLineOnInstrument(int line) {
    return ShowLineOnInstrument(
        ParseNoteLine(lines_.Line(line).toStdString(), TDurationUnit::Ticks, song_.LineContext(song_.CurrentTab)));
}

bool TLiveInstrument::ShowLineOnInstrument(const TNoteLine &line) {
    const bool shown = ::ShowLineOnInstrument(song_, line, fretboard_->Model(), keyboard_->Model());
    fretboard_->View()->update();
    keyboard_->View()->update();
    return shown;
}

void TLiveInstrument::SetHintsVisible(bool visible) {
    fretboard_->View()->HintsShown = visible;
    keyboard_->View()->HintsShown = visible;
}

void TLiveInstrument::ClearInstrumentDisplay() {
    const TInstrumentTab &tab = song_.Current();
    if (tab.Kind == TKind::Piano)
        keyboard_->Model().RefreshKeyColours(true);
    else
        fretboard_->Model().HideMarkers(tab);
    fretboard_->ScaleShownOnFretboard = false;
    keyboard_->Model().ScaleShown = false;
    fretboard_->View()->update();
    keyboard_->View()->update();
}

void TLiveInstrument::SoundCaretLine(int key, const TNoteLine &caret) {
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return;
    sound_->SoundLine(song_, caret, 200, caret.Piano);
}

// ---- line playback --------------------------------------------------------------------------

void TLiveInstrument::SetPlayCaption(bool playing) { SetPlayButtonLook(ui_.btnPlayFRT, playing); }

void TLiveInstrument::ShowTempo(int tempo) { ui_.lblTempo->setText(QStringLiteral("Tempo: %1").arg(tempo)); }

void TLiveInstrument::PlayInstrument() {
    if (song_.Current().Kind == TKind::Drums)
        return;
    TEditorLines &lines = lines_;
    TPlayState &state = play_;
    if (state.Playing(TPlayKind::Instrument)) {
        // The run in progress sees the stop and winds down.
        state.StopRequested = true;
        SetPlayCaption(false);
        ui_.StatusBarRichEdit->SetText(4,
                                       QString::fromLatin1(lines.HasSelection() ? kPlaySelectedLines : kPlayAllLines));
        return;
    }
    if (state.Busy())
        return;
    const TInstrumentTab &tab = song_.Current();
    if (tab.Kind != TKind::Piano) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const TLineContext ctx = song_.LineContext(song_.CurrentTab);
        TNoteLine parsed;
        for (int i = 0; i < lines.LineCount(); ++i) {
            ParseNoteLine(lines.Line(i).toStdString(), TDurationUnit::Ticks, ctx, parsed);
            if (!parsed.Ok()) {
                calls_.SelectEditorLine(i, true);
                QApplication::restoreOverrideCursor();
                services_.messages.ShowMessage(QString::fromStdString(LineErrorText(i)));
                return;
            }
        }
        QApplication::restoreOverrideCursor();
    }
    int first = 0, last = 0;
    const bool selected = lines.GetSelectedLines(first, last);
    state.StopRequested = false;
    sound_->SendTabPatch(tab);
    PlayPageLinesLive();
    if (selected)
        lines.SelectLines(first, last);
    if (song_.Current().Kind != TKind::Drums)
        ui_.RichEdit1->setFocus();
}

void TLiveInstrument::PlayPageLinesLive() {
    TEditorLines &lines = lines_;
    if (lines.IsEmpty())
        return;
    TPlayState &state = play_;
    int first = 0, last = 0;
    const bool selected = lines.GetSelectedLines(first, last);
    const int topLine = lines.FirstVisibleLine();
    const TInstrumentTab &tab = song_.Current();
    if (tab.Kind == TKind::Piano)
        keyboard_->Model().RefreshKeyColours(false);
    else
        fretboard_->Model().ShowFretDots(tab, {-1, -1, -1, -1, -1, -1});
    const bool loop = ui_.chkLoopAll->isChecked();

    if (state.Playing(TPlayKind::Instrument) || state.StopRequested) {
        // A second start while a run waits inside a line (or Esc): it stops that run.
        SetPlayCaption(false);
        ui_.StatusBarRichEdit->SetText(4, QString::fromLatin1(kPlayAllLines));
        state.StopRequested = true;
    } else if (state.Begin(TPlayKind::Instrument)) { // the instrument lock
        SetPlayCaption(true);
        sound_->SendBalance(tab, tab.Balance);
        sound_->SendTabPatch(tab);
        const std::vector<std::string> text = lines.StoreLines();
        const int failed = sound_->StartLinePlayback(song_, text, selected ? first : -1, selected ? last : -1);
        state.End(TPlayKind::Instrument);
        if (failed >= 0) {
            services_.messages.ShowMessage(QString::fromStdString(PlayLineErrorText(song_.Current().Name, failed)));
            if (selected)
                lines.SelectLines(first, last);
            lines.ScrollToLine(topLine);
        } else {
            ShowLineOnInstrument(lines.CurrentLine());
            state.StopRequested = false;
            ui_.StatusBarRichEdit->SetText(4, QString::fromLatin1(kPlaySelectedLines));
        }
        SetPlayCaption(false);
    }
    ShowTempo(song_.Tempo);
    ui_.chkLoopAll->setChecked(loop);
    // The editor's status stayed quiet while the lines sounded.
    if (calls_.RefreshStatus)
        calls_.RefreshStatus();
}
