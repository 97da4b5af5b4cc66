#include "mainwindow/PlaybackWindow.h"

#include "mainwindow/DurationButtons.h"
#include "mainwindow/EditorAdapter.h"
#include "mainwindow/EditorController.h"
#include "mainwindow/InstrumentPicture.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/NotationEdit.h"
#include "mainwindow/PageControl.h"
#include "mainwindow/PosDisplay.h"
#include "mainwindow/StatusDisplay.h"
#include "mainwindow/TimeDisplay.h"
#include "midi/MidiOutputPort.h"
#include "platform/ThreadTimer.h"
#include "platform/qt/Services.h"
#include "song/SongBuilder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>

// ---- file commands' host -----------------------------------------------------------------------

const platform::Services &TWindowFileHost::Services() { return w_.Services(); }
TSongModel &TWindowFileHost::Song() { return w_.Song; }
DrumPart &TWindowFileHost::Drums() { return w_.Drums; }
ProgramOptions &TWindowFileHost::Options() { return w_.Options; }
QString TWindowFileHost::FileName() const { return w_.FileName; }

void TWindowFileHost::SetFileName(const QString &absolutePath) {
    w_.FileName = absolutePath;
    w_.SetCaptionFromFileName();
}

bool TWindowFileHost::Busy() const { return w_.Busy(); }
bool TWindowFileHost::AnyTabModified() const { return w_.AnyTabModified(); }
bool TWindowFileHost::ReadSong(const QString &absolutePath) { return w_.ReadSong(absolutePath); }
bool TWindowFileHost::WriteSong(const QString &absolutePath) { return w_.WriteSong(absolutePath); }
void TWindowFileHost::ResetSong() { w_.ResetSong(); }
void TWindowFileHost::StoreTabText() {
    if (w_.Song.Current().Kind != TKind::Drums)
        w_.StoreTabText(w_.Song.CurrentTab - 1);
}

void TWindowFileHost::ReplaceEditorLines(const QStringList &lines) {
    w_.Lines().ReplaceAllLines(lines);
    w_.MarkModified();
}

TEditorView TWindowFileHost::EditorView() {
    TEditorLines &lines = w_.Lines();
    TEditorView v;
    v.CaretLine = lines.CurrentLine();
    v.HasSelection = lines.GetSelectedLines(v.SelFirst, v.SelLast);
    if (!v.HasSelection)
        v.SelFirst = v.SelLast = v.CaretLine;
    v.FirstVisibleLine = lines.FirstVisibleLine();
    v.LineCount = lines.LineCount();
    return v;
}

void TWindowFileHost::RestoreEditorView(const TEditorView &view, bool reselect) {
    TEditorLines &lines = w_.Lines();
    if (lines.LineCount() == 0)
        return;
    if (reselect)
        lines.SelectLines(view.SelFirst, view.SelLast);
    else if (lines.CurrentLine() != view.CaretLine || lines.HasSelection())
        lines.MoveCaretToLine(view.CaretLine);
    if (view.FirstVisibleLine < lines.LineCount())
        lines.ScrollToLine(view.FirstVisibleLine);
}

void TWindowFileHost::SetBusyCursor(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// ---- playback's host ----------------------------------------------------------------------------

TSongModel &TWindowPlaybackHost::Song() { return w_.Song; }
DrumPart &TWindowPlaybackHost::Drums() { return w_.Drums; }
platform::IMessageBoxes &TWindowPlaybackHost::Messages() { return w_.Services().messages; }

void TWindowPlaybackHost::SelectLines(int first, int last) {
    w_.Lines().SelectLines(first, last);
    w_.RichEdit1->ensureCursorVisible();
}

void TWindowPlaybackHost::ClearSelection() { w_.Lines().MoveCaretToLine(w_.Lines().CurrentLine()); }

void TWindowPlaybackHost::SetEditorReadOnly(bool readOnly) { w_.RichEdit1->setReadOnly(readOnly); }

void TWindowPlaybackHost::ShowTab(int tab) {
    if (tab == w_.Song.CurrentTab || !w_.PageControl1Changing())
        return;
    w_.PageControl1->SetActivePageIndex(tab - 1, false);
    w_.PageControl1Change();
}

void TWindowPlaybackHost::ClearInstrumentPicture() { w_.PaintBoxInstrument->Clear(); }

void TWindowPlaybackHost::LockArrangement(bool enabled) {
    if (!enabled) {
        locked_.clear();
        auto lock = [this](QObject *o, bool on) {
            if (!o || locked_.count(o))
                return;
            if (auto *w = qobject_cast<QWidget *>(o)) {
                locked_[o] = w->isEnabled();
                w->setEnabled(on);
            } else if (auto *a = qobject_cast<QAction *>(o)) {
                locked_[o] = a->isEnabled();
                a->setEnabled(on);
            }
        };
        // Mixer, editing aids and play settings; the tab's name label.
        const QList<QWidget *> groups = {w_.GroupBoxMixer, w_.PanelNoteButtons,
                                         w_.lblTempo, w_.lblTimeSig, w_.chkLoopAll, w_.chkMetronome, w_.LabelTabName};
        for (QWidget *o : groups)
            lock(o, false);
        // The editor's pop-up menu.
        for (QAction *a : w_.mnuEditorPopUp->actions())
            lock(a, false);
        // Every main menu item but the editor's Edit menu.
        for (QAction *top : w_.menuBar()->actions()) {
            if (top == w_.EditMenuEditorAction)
                continue;
            lock(top, false);
            if (QMenu *menu = top->menu())
                for (QAction *a : menu->actions())
                    lock(a, false);
        }
        // A selection of lines (or of several patterns) never plays with a count-in.
        if (!CountInAllowed())
            w_.chkCountIn->setChecked(false);
        lock(w_.chkCountIn, false);
        lock(w_.EdtCountInbars, false);
        return;
    }
    for (const auto &[o, on] : locked_) {
        if (auto *w = qobject_cast<QWidget *>(o))
            w->setEnabled(on);
        else if (auto *a = qobject_cast<QAction *>(o))
            a->setEnabled(on);
    }
    locked_.clear();
    // Lines still selected after their play keep the count-in off, as selecting them did.
    const bool allowed = CountInAllowed();
    if (!allowed)
        w_.chkCountIn->setChecked(false);
    w_.chkCountIn->setEnabled(allowed);
    w_.EdtCountInbars->setEnabled(allowed && w_.chkCountIn->isChecked());
}

bool TWindowPlaybackHost::CountInAllowed() const {
    if (w_.Song.Current().Kind == TKind::Drums)
        return w_.Drums.list.SelectedCount() == 1;
    return !w_.Lines().HasSelection();
}

void TWindowPlaybackHost::SetPlayStatusText(const QString &text) { w_.StatusBarRichEdit->SetText(4, text); }

void TWindowPlaybackHost::ClearModifiedPanel() {
    // The build leaves the marks as they were; the panel shows them as they are.
    w_.Status().ShowModified(w_.AnyTabModified());
}

void TWindowPlaybackHost::SetSongPlaying(bool playing) { w_.SongPlaying = playing; }
bool TWindowPlaybackHost::AbortRequested() const { return w_.AbortRequested; }
void TWindowPlaybackHost::SetAbortRequested(bool abort) { w_.AbortRequested = abort; }
void TWindowPlaybackHost::EnterNestedLoop() { w_.EnterNestedLoop(); }
void TWindowPlaybackHost::LeaveNestedLoop() { w_.LeaveNestedLoop(); }

void TWindowPlaybackHost::StopOtherOutputs() {
    if (TMidiOutputPort *port = w_.OutputPort()) {
        port->AllNotesOff();
        port->ResetControllers();
    }
}

void TWindowPlaybackHost::MarkModified() { w_.MarkModified(); }

void TWindowPlaybackHost::ShowSongSettings() {
    w_.lblTempo->setText(QStringLiteral("Tempo: ") + QString::number(w_.Song.Tempo));
    const auto sig = ParseTimeSignature(w_.Song.TimeSignature);
    if (sig)
        w_.lblTimeSig->setText(QStringLiteral("Time Signature: %1/%2").arg(sig->Upper).arg(sig->Lower));
    // Every line now starts at another time (or bar): the caret line's position is computed again.
    w_.Status().ForgetLastLine();
    w_.EditorEvents().RichEdit1SelectionChange();
}

// ---- the commands ---------------------------------------------------------------------------

TSongCommands::TSongCommands(TfrmMain &w, platform::IPeriodicTimer *timer)
    : QObject(&w), w_(w), fileHost_(w), playHost_(w) {
    if (!timer) {
        ownTimer_ = std::make_unique<platform::ThreadTimer>();
        timer = ownTimer_.get();
    }
    TPlaybackControls c;
    c.playButton = w.BitBtnPlayArrangement;
    c.loop = w.chkLoopAll;
    c.metronome = w.chkMetronome;
    c.countIn = w.chkCountIn;
    c.countInBars = w.EdtCountInbars;
    c.pos = w.PosDisplay1;
    c.time = w.TimeDisplay1;
    c.playPanel = w.GroupBoxMIDIPlay;
    c.picture = w.PaintBoxInstrument;
    // The player only reads the clock.
    auto &clock = const_cast<platform::IClock &>(*w.Environment().clock);
    playback_ = std::make_unique<TPlayback>(playHost_, c, *w.PhysicalPorts(), clock, *timer);
    playback_->SetOutputDevice(w.OpenedDevice >= -1 ? w.OpenedDevice : -1);
    std::array<QAction *, kRecentCount> recent{};
    for (int i = 0; i < kRecentCount; ++i)
        recent[size_t(i)] = w.Recent[i];
    files_ = std::make_unique<TFileCommands>(fileHost_, recent);
    files_->UpdateRecentMenu();
    export_ = std::make_unique<TMidiExport>(fileHost_, [this] {
        TPlaySettings s;
        s.Metronome = w_.chkMetronome->isChecked();
        s.CountIn = w_.chkCountIn->isChecked();
        s.CountInBars = w_.EdtCountInbars->value();
        return s;
    });
    Connect();
}

TSongCommands::~TSongCommands() {
    // The player and its timer thread end before the timer object goes.
    playback_.reset();
}

bool TSongCommands::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonRelease && playback_ && !w_.Busy()) {
        if (watched == w_.lblTempo)
            playback_->lblTempoClick(AskTempo);
        else if (watched == w_.lblTimeSig)
            playback_->LabelSigUpperClick(AskTimeSignature);
    }
    return QObject::eventFilter(watched, event);
}

void TSongCommands::ReleaseOutputs() {
    if (!playback_)
        return;
    playback_->StopSong();
    playback_.reset();
}

void TSongCommands::Connect() {
    auto action = [this](const char *name) { return w_.findChild<QAction *>(QString::fromLatin1(name)); };
    auto on = [this](QAction *a, auto handler) {
        if (a)
            connect(a, &QAction::triggered, this, handler);
    };
    TFileCommands *files = files_.get();
    TMidiExport *exporter = export_.get();
    on(action("NewSong1"), [files] { files->NewSong1Click(); });
    on(action("OpenSong1"), [files] { files->OpenSong1Click(); });
    on(action("SaveSong1"), [files] { files->SaveSong1Click(); });
    on(action("SaveSongAs1"), [files] { files->SaveSongAs1Click(); });
    QAction *midi = action("ExportMidiFile1");
    if (midi) {
        midi->setText(QStringLiteral("Save &Midi File..."));
        midi->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
        on(midi, [exporter] { exporter->SaveMidiOfSong1Click(); });
        QAction *after = nullptr;
        const QList<QAction *> items = w_.FileMenu->actions();
        const qsizetype at = items.indexOf(midi);
        if (at >= 0 && at + 1 < items.size())
            after = items[at + 1];
        TextFile1 = new QAction(QStringLiteral("Sa&ve Text File..."), w_.FileMenu);
        TextFile1->setObjectName(QStringLiteral("TextFile1"));
        N14 = new QAction(QStringLiteral("New Note&pad"), w_.FileMenu);
        N14->setObjectName(QStringLiteral("N14"));
        w_.FileMenu->insertAction(after, TextFile1);
        w_.FileMenu->insertAction(after, N14);
        on(TextFile1, [files] { files->TextFile1Click(); });
        on(N14, [exporter] { exporter->N14Click(); });
    }
    for (QAction *top : w_.menuBar()->actions()) {
        QMenu *menu = top->menu();
        if (!menu || !menu->actions().contains(w_.About1))
            continue;
        OnlineHelpSite1 = new QAction(QStringLiteral("&Online Help Site"), menu);
        OnlineHelpSite1->setObjectName(QStringLiteral("OnlineHelpSite1"));
        YouTubeSite1 = new QAction(QStringLiteral("&YouTube Site"), menu);
        YouTubeSite1->setObjectName(QStringLiteral("YouTubeSite1"));
        menu->insertAction(w_.About1, OnlineHelpSite1);
        menu->insertAction(w_.About1, YouTubeSite1);
        on(OnlineHelpSite1, [exporter] { exporter->OnlineHelpSite1Click(); });
        on(YouTubeSite1, [exporter] { exporter->YouTubeSite1Click(); });
    }
    connect(&w_, &TfrmMain::OpenSongRequested, this, [files] { files->OpenSong1Click(); });

    connect(w_.BitBtnPlayArrangement, &QPushButton::clicked, this, [this] {
        if (playback_)
            playback_->BitBtnPlayArrangementClick();
    });
    connect(w_.chkCountIn, &QCheckBox::clicked, this, [this] {
        if (playback_)
            playback_->chkCountInClick();
    });
    on(action("PlaySong1"), [this] {
        if (playback_)
            playback_->PlayAll1Click();
    });
    on(w_.PlayFromCursor1, [this] {
        if (playback_)
            playback_->PlayFromCursor1Click();
    });
    on(w_.PlayFromEditorBookmarkF41, [this] {
        if (playback_)
            playback_->PlayFromBookmark(w_.Song.Current().Bookmarks[0]);
    });
    // The Play menu's captions and keys.
    if (QAction *a = action("PlaySong1"))
        a->setText(QStringLiteral("&Play Song From Start"));
    if (w_.PlayFromCursor1)
        w_.PlayFromCursor1->setText(QStringLiteral("Play Song From &Cursor"));
    if (w_.PlayFromEditorBookmarkF41)
        w_.PlayFromEditorBookmarkF41->setText(QStringLiteral("Play Song From &Bookmark"));
    if (w_.PlayAnimatedInstrument1)
        w_.PlayAnimatedInstrument1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    // The editor pop-up plays from the caret line as Ctrl+F2 does.
    if (w_.mnuEditorPopUp) {
        auto *n23 = new QAction(QStringLiteral("Play From Cursor"), w_.mnuEditorPopUp);
        n23->setObjectName(QStringLiteral("N23"));
        w_.mnuEditorPopUp->addAction(n23);
        on(n23, [this] {
            if (playback_)
                playback_->PlayFromCursor1Click();
        });
    }
    // The Play menu names the instrument the animated play sounds.
    for (QAction *top : w_.menuBar()->actions()) {
        QMenu *menu = top->menu();
        if (!menu || !menu->actions().contains(w_.PlayAnimatedInstrument1))
            continue;
        connect(menu, &QMenu::aboutToShow, this, [this] {
            const TInstrumentTab &tab = w_.Song.Current();
            w_.PlayAnimatedInstrument1->setText(QString::fromStdString(
                AnimatedInstrumentCaption(tab.Kind == TKind::Drums, std::string(KindText(tab.Kind)))));
        });
    }
    w_.lblTempo->installEventFilter(this);
    w_.lblTimeSig->installEventFilter(this);
    on(action("EscapeKey"), [this] {
        if (playback_ && playback_->Playing())
            playback_->Escape();
    });
}
