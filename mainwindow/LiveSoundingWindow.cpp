#include "mainwindow/LiveSoundingWindow.h"

#include "mainwindow/Commands.h"
#include "mainwindow/DurationButtons.h"
#include "mainwindow/rules/PlaybackRange.h"
#include "mainwindow/EditorAdapter.h"
#include "mainwindow/EditorController.h"
#include "mainwindow/InstrumentPicture.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/NotationEdit.h"
#include "mainwindow/StatusDisplay.h"
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

TInstrumentHost TLiveInstrument::MakeHost() {
    TInstrumentHost host;
    host.Song = &w_.Song;
    host.Lines = &w_.Lines();
    host.Sound = sound_.get();
    host.Busy = [this] { return w_.Busy(); };
    host.ScaleRestrictor = [this] { return w_.Options.ScaleRestrictor; };
    host.CurrentDuration = [this] { return w_.PanelNoteButtons->CurrentDuration(); };
    host.SelectEditorLine = [this](int line, bool useGiven) { w_.EditorEvents().SelectEditorLine(line, useGiven); };
    host.FocusEditor = [this] {
        if (w_.Song.Current().Kind != TKind::Drums)
            w_.RichEdit1->setFocus();
    };
    host.MarkModified = [this] { w_.MarkModified(); };
    host.ShowCaretPosition = [this](int line) { w_.Status().ShowCaretPosition(line); };
    host.ShowNoteText = [this](const std::string &text) { w_.Status().ShowNoteText(text); };
    host.ShowLineOnInstrument = [this](int line) { ShowLineOnInstrument(line); };
    host.RepaintEditor = [this] { w_.RichEdit1->viewport()->repaint(); };
    host.WindowWidth = w_.width() > 0 ? w_.width() : 815;
    return host;
}

TLiveInstrument::TLiveInstrument(TfrmMain &window) : w_(window) {
    sound_ = std::make_unique<TLiveSounding>(*w_.OutputPort(), *w_.Environment().clock, w_.PlayState().StopRequested);
    const TInstrumentHost host = MakeHost();
    fretboard_ = std::make_unique<TFretboard>(host, w_.PaintBoxInstrument);
    keyboard_ = std::make_unique<TKeyboard>(host, w_.PaintBoxInstrument);
    auto *stack = new QStackedLayout(w_.PaintBoxInstrument);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(fretboard_->View());
    stack->addWidget(keyboard_->View());
    noPicture_ = new QWidget(w_.PaintBoxInstrument); // the Drums tab shows neither picture
    stack->addWidget(noPicture_);
    sound_->View.SelectLine = [this](int line) { w_.EditorEvents().SelectEditorLine(line, true); };
    sound_->View.ShowFrets = [this](const std::array<int32_t, 6> &frets) {
        fretboard_->Model().ShowFretDots(w_.Song.Current(), frets);
        fretboard_->View()->update();
    };
    sound_->View.TempoChanged = [this](int tempo) { ShowTempo(tempo); };
    sound_->View.LoopChecked = [this] { return w_.chkLoopAll->isChecked(); };

    // The window's picture asks the pictures inside it; a tab change clears them.
    w_.PaintBoxInstrument->OnShowLine = [this](int line) { ShowLineOnInstrument(line); };
    w_.PaintBoxInstrument->OnShowParsedLine = [this](int, const TNoteLine &line) { ShowLineOnInstrument(line); };
    w_.PaintBoxInstrument->OnClear = [this] {
        TabChanged();
        ClearInstrumentDisplay();
        fretboard_->Model().ShowFretDots(w_.Song.Current(), {-1, -1, -1, -1, -1, -1});
    };
    QObject::connect(w_.btnPlayFRT, &QPushButton::clicked, &guard_, [this] { PlayInstrument(); });
    w_.Commands().Bind("PlayAnimatedInstrument1", TArea::Live, [this] { PlayInstrument(); });
    // The Play menu names the instrument the animated play sounds.
    w_.Commands().OnMenuShow(TMenu::Play, [this] {
        const TInstrumentTab &tab = w_.Song.Current();
        w_.Commands().Action("PlayAnimatedInstrument1")
            ->setText(QString::fromStdString(
                AnimatedInstrumentCaption(tab.Kind == TKind::Drums, std::string(KindText(tab.Kind)))));
    });
    TabChanged();
}

TLiveInstrument::~TLiveInstrument() {
    if (w_.PaintBoxInstrument) {
        w_.PaintBoxInstrument->OnShowLine = nullptr;
        w_.PaintBoxInstrument->OnShowParsedLine = nullptr;
        w_.PaintBoxInstrument->OnClear = nullptr;
    }
}

void TLiveInstrument::TabChanged() {
    const TKind kind = w_.Song.Current().Kind;
    auto *stack = static_cast<QStackedLayout *>(w_.PaintBoxInstrument->layout());
    QWidget *view = IsFretted(kind) ? static_cast<QWidget *>(fretboard_->View())
                    : kind == TKind::Piano ? static_cast<QWidget *>(keyboard_->View())
                                           : noPicture_;
    stack->setCurrentWidget(view);
    view->setGeometry(w_.PaintBoxInstrument->contentsRect());
    view->update();
}

bool TLiveInstrument::ShowLineOnInstrument(int line) {
    return ShowLineOnInstrument(ParseNoteLine(w_.Lines().Line(line).toStdString(), TDurationUnit::Ticks,
                                              w_.Song.LineContext(w_.Song.CurrentTab)));
}

bool TLiveInstrument::ShowLineOnInstrument(const TNoteLine &line) {
    const bool shown = ::ShowLineOnInstrument(w_.Song, line, fretboard_->Model(), keyboard_->Model());
    fretboard_->View()->update();
    keyboard_->View()->update();
    return shown;
}

void TLiveInstrument::ClearInstrumentDisplay() {
    const TInstrumentTab &tab = w_.Song.Current();
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
    sound_->SoundLine(w_.Song, caret, 200, caret.Piano);
}

// ---- line playback --------------------------------------------------------------------------

void TLiveInstrument::SetPlayCaption(bool playing) {
    w_.btnPlayFRT->setText(playing ? QStringLiteral("Stop") : QStringLiteral("Play"));
    // Red while the lines sound, green when the button starts them, as the song's Play button.
    QPalette p = w_.btnPlayFRT->palette();
    p.setColor(QPalette::ButtonText, playing ? QColor(255, 0, 0) : QColor(0, 128, 0));
    w_.btnPlayFRT->setPalette(p);
}

void TLiveInstrument::ShowTempo(int tempo) { w_.lblTempo->setText(QStringLiteral("Tempo: %1").arg(tempo)); }

void TLiveInstrument::PlayInstrument() {
    if (w_.Song.Current().Kind == TKind::Drums)
        return;
    TEditorLines &lines = w_.Lines();
    TPlayState &state = w_.PlayState();
    if (state.Playing(TPlayKind::Instrument)) {
        // The run in progress sees the stop and winds down.
        state.StopRequested = true;
        SetPlayCaption(false);
        w_.StatusBarRichEdit->SetText(4, QString::fromLatin1(lines.HasSelection() ? kPlaySelectedLines : kPlayAllLines));
        return;
    }
    if (state.Busy())
        return;
    const TInstrumentTab &tab = w_.Song.Current();
    if (tab.Kind != TKind::Piano) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const TLineContext ctx = w_.Song.LineContext(w_.Song.CurrentTab);
        TNoteLine parsed;
        for (int i = 0; i < lines.LineCount(); ++i) {
            ParseNoteLine(lines.Line(i).toStdString(), TDurationUnit::Ticks, ctx, parsed);
            if (!parsed.Ok()) {
                w_.EditorEvents().SelectEditorLine(i, true);
                QApplication::restoreOverrideCursor();
                w_.Services().messages.ShowMessage(QString::fromStdString(LineErrorText(i)));
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
    if (w_.Song.Current().Kind != TKind::Drums)
        w_.RichEdit1->setFocus();
}

void TLiveInstrument::PlayPageLinesLive() {
    TEditorLines &lines = w_.Lines();
    if (lines.IsEmpty())
        return;
    TPlayState &state = w_.PlayState();
    int first = 0, last = 0;
    const bool selected = lines.GetSelectedLines(first, last);
    const int topLine = lines.FirstVisibleLine();
    const TInstrumentTab &tab = w_.Song.Current();
    if (tab.Kind == TKind::Piano)
        keyboard_->Model().RefreshKeyColours(false);
    else
        fretboard_->Model().ShowFretDots(tab, {-1, -1, -1, -1, -1, -1});
    const bool loop = w_.chkLoopAll->isChecked();

    if (state.Playing(TPlayKind::Instrument) || state.StopRequested) {
        // A second start while a run waits inside a line (or Esc): it stops that run.
        SetPlayCaption(false);
        w_.StatusBarRichEdit->SetText(4, QString::fromLatin1(kPlayAllLines));
        state.StopRequested = true;
    } else if (state.Begin(TPlayKind::Instrument)) { // the instrument lock
        SetPlayCaption(true);
        sound_->SendBalance(tab, tab.Balance);
        sound_->SendTabPatch(tab);
        const std::vector<std::string> text = lines.StoreLines();
        const int failed = sound_->StartLinePlayback(w_.Song, text, selected ? first : -1, selected ? last : -1);
        state.End(TPlayKind::Instrument);
        if (failed >= 0) {
            w_.Services().messages.ShowMessage(QString::fromStdString(PlayLineErrorText(w_.Song.Current().Name, failed)));
            if (selected)
                lines.SelectLines(first, last);
            lines.ScrollToLine(topLine);
        } else {
            ShowLineOnInstrument(lines.CurrentLine());
            state.StopRequested = false;
            w_.StatusBarRichEdit->SetText(4, QString::fromLatin1(kPlaySelectedLines));
        }
        SetPlayCaption(false);
    }
    ShowTempo(w_.Song.Tempo);
    w_.chkLoopAll->setChecked(loop);
}
