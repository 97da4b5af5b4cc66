#include "mainwindow/PlaybackWindow.h"

#include "mainwindow/Commands.h"
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
TSongModel &TWindowFileHost::Song() { return w_.Document().Song; }
DrumPart &TWindowFileHost::Drums() { return w_.Document().Drums; }
ProgramOptions &TWindowFileHost::Options() { return w_.Options; }
QString TWindowFileHost::FileName() const { return QString::fromStdString(w_.Document().FileName); }

void TWindowFileHost::SetFileName(const QString &absolutePath) {
    w_.Document().FileName = absolutePath.toStdString();
    w_.SetCaptionFromFileName();
}

bool TWindowFileHost::Busy() const { return w_.Busy(); }
bool TWindowFileHost::AnyTabModified() const { return w_.AnyTabModified(); }
bool TWindowFileHost::ReadSong(const QString &absolutePath) { return w_.ReadSong(absolutePath); }
bool TWindowFileHost::WriteSong(const QString &absolutePath) { return w_.WriteSong(absolutePath); }
QString TWindowFileHost::SongFilePath() const { return QString::fromStdString(w_.Document().SongFilePath); }
void TWindowFileHost::ResetSong() { w_.ResetSong(); }
void TWindowFileHost::StoreTabText() {
    if (w_.Document().Song.Current().Kind != TKind::Drums)
        w_.StoreTabText(w_.Document().Song.CurrentTab - 1);
}

void TWindowFileHost::SelectLines(int first, int last) {
    w_.Lines().SelectLines(first, last);
    w_.RichEdit1->ensureCursorVisible();
}

void TWindowFileHost::ShowTab(int tab) {
    if (tab == w_.Document().Song.CurrentTab || !w_.PageControl1Changing())
        return;
    w_.PageControl1->SetActivePageIndex(tab - 1, false);
    w_.PageControl1Change();
}

void TWindowFileHost::ShowFailingLine(int tab, int line) {
    if (tab >= 1 && tab <= kTabCount)
        ShowTab(tab);
    if (line >= 0 && line < w_.Lines().LineCount())
        SelectLines(line, line);
}

void TWindowFileHost::ReplaceEditorLines(const QStringList &lines) {
    w_.Lines().ReplaceAllLines(lines);
    w_.SongChanged(w_.Document().Song.CurrentTab, kChangedLines); // marks the tab, as every change of its lines
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

TSongModel &TWindowPlaybackHost::Song() { return w_.Document().Song; }
DrumPart &TWindowPlaybackHost::Drums() { return w_.Document().Drums; }
platform::IMessageBoxes &TWindowPlaybackHost::Messages() { return w_.Services().messages; }

void TWindowPlaybackHost::SelectLines(int first, int last) { files_.SelectLines(first, last); }

void TWindowPlaybackHost::ClearSelection() { w_.Lines().MoveCaretToLine(w_.Lines().CurrentLine()); }


void TWindowPlaybackHost::ShowTab(int tab) { files_.ShowTab(tab); }

void TWindowPlaybackHost::ClearInstrumentPicture() { w_.PaintBoxInstrument->Clear(); }

void TWindowPlaybackHost::SetPlayStatusText(const QString &text) { w_.StatusBarRichEdit->SetText(4, text); }

void TWindowPlaybackHost::ShowModifiedPanel(bool playing) {
    // The song plays with the mark cleared; the tabs keep their marks, shown again after.
    w_.Status().ShowModified(!playing && w_.AnyTabModified());
}

TPlayState &TWindowPlaybackHost::PlayState() { return w_.PlayState(); }
void TWindowPlaybackHost::EnterNestedLoop() { w_.EnterNestedLoop(); }
void TWindowPlaybackHost::LeaveNestedLoop() { w_.LeaveNestedLoop(); }

void TWindowPlaybackHost::StopOtherOutputs() {
    if (TMidiOutputPort *port = w_.OutputPort()) {
        port->AllNotesOff();
        port->ResetControllers();
    }
}

void TWindowPlaybackHost::SongChanged(unsigned what, bool byUser) { w_.SongChanged(w_.Document().Song.CurrentTab, what, byUser); }

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
        recent[size_t(i)] = w.Commands().Action("Recent" + std::to_string(i + 1) + "1");
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
        const TMainDialogs &dialogs = w_.Dialogs();
        if (watched == w_.lblTempo && dialogs.tempo)
            playback_->lblTempoClick([&dialogs](int current) { return dialogs.tempo({current}); });
        else if (dialogs.timeSignature && (watched == w_.LabelTimeSigLabel || watched == w_.LabelSigUpper ||
                                           watched == w_.LabelSlash || watched == w_.LabelSigLower))
            playback_->LabelSigUpperClick(
                [&dialogs](const std::string &current) { return dialogs.timeSignature({current}); });
    }
    return QObject::eventFilter(watched, event);
}

void TSongCommands::ReleaseOutputs() {
    if (!playback_)
        return;
    playback_->StopSong();
    playback_.reset();
}

void TSongCommands::Escape() {
    if (playback_ && playback_->Playing())
        playback_->Escape();
}

void TSongCommands::Connect() {
    TCommands &c = w_.Commands();
    TFileCommands *files = files_.get();
    TMidiExport *exporter = export_.get();
    c.Bind("NewSong1", TArea::Files, [files] { files->NewSong1Click(); });
    c.Bind("OpenSong1", TArea::Files, [files] { files->OpenSong1Click(); });
    c.Bind("SaveSong1", TArea::Files, [files] { files->SaveSong1Click(); });
    c.Bind("SaveSongAs1", TArea::Files, [files] { files->SaveSongAs1Click(); });
    c.Bind("TextFile1", TArea::Files, [files] { files->TextFile1Click(); });
    for (int i = 0; i < kRecentCount; ++i)
        c.Bind("Recent" + std::to_string(i + 1) + "1", TArea::Files, [files, i] { files->RecentClick(i); });
    c.Bind("SaveMidiOfSong1", TArea::Export, [exporter] { exporter->SaveMidiOfSong1Click(); });
    c.Bind("N14", TArea::Export, [exporter] { exporter->N14Click(); });
    c.Bind("OnlineHelpSite1", TArea::Export, [exporter] { exporter->OnlineHelpSite1Click(); });
    c.Bind("YouTubeSite1", TArea::Export, [exporter] { exporter->YouTubeSite1Click(); });
    connect(&w_, &TfrmMain::OpenSongRequested, this, [files] { files->OpenSong1Click(); });

    connect(w_.BitBtnPlayArrangement, &QPushButton::clicked, this, [this] {
        if (playback_)
            playback_->BitBtnPlayArrangementClick();
    });
    connect(w_.chkCountIn, &QCheckBox::clicked, this, [this] {
        if (playback_)
            playback_->chkCountInClick();
    });
    c.Bind("PlayAll1", TArea::Playback, [this] {
        if (playback_)
            playback_->PlayAll1Click();
    });
    auto fromCursor = [this] {
        if (playback_)
            playback_->PlayFromCursor1Click();
    };
    c.Bind("PlayFromCursor1", TArea::Playback, fromCursor);
    c.Bind("N23", TArea::Playback, fromCursor); // the editor pop-up's Play From Cursor
    c.Bind("PlayFromEditorBookmarkF41", TArea::Playback, [this] {
        if (playback_)
            playback_->PlayFromBookmark(w_.Document().Song.Current().Bookmarks[0]);
    });
    w_.lblTempo->installEventFilter(this);
    for (QLabel *l : {w_.LabelTimeSigLabel, w_.LabelSigUpper, w_.LabelSlash, w_.LabelSigLower})
        l->installEventFilter(this);
}
