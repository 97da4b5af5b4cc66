#include "mainwindow/playback/SongCommands.h"

#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorController.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/playback/TimeDisplay.h"
#include "mainwindow/window/Commands.h"
#include "mainwindow/window/MainDialogs.h"
#include "mainwindow/window/PageControl.h"
#include "midi/MidiOutputPort.h"
#include "platform/ThreadTimer.h"
#include "platform/qt/Services.h"
#include "song/SongBuilder.h"
#include "song/SongDocument.h"

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

namespace {

void SetBusyCursor(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace

// ---- the editor and the tabs as playback and the file commands see them -------------------------

void TSongCommands::StoreTabText() {
    if (p_.Document.Song.Current().Kind != TKind::Drums)
        p_.Calls.StoreTabText(p_.Document.Song.CurrentTab - 1);
}

void TSongCommands::SelectLines(int first, int last) {
    p_.Lines.SelectLines(first, last);
    p_.Widgets.RichEdit1->ensureCursorVisible();
}

void TSongCommands::ShowTab(int tab) {
    if (tab == p_.Document.Song.CurrentTab || !p_.Calls.PageChanging())
        return;
    p_.Widgets.PageControl1->SetActivePageIndex(tab - 1, false);
    p_.Calls.PageChanged();
}

TEditorView TSongCommands::EditorView() const {
    TEditorLines &lines = p_.Lines;
    TEditorView v;
    v.CaretLine = lines.CurrentLine();
    v.HasSelection = lines.GetSelectedLines(v.SelFirst, v.SelLast);
    if (!v.HasSelection)
        v.SelFirst = v.SelLast = v.CaretLine;
    v.FirstVisibleLine = lines.FirstVisibleLine();
    v.LineCount = lines.LineCount();
    return v;
}

void TSongCommands::RestoreEditorView(const TEditorView &view, bool reselect) {
    TEditorLines &lines = p_.Lines;
    if (lines.LineCount() == 0)
        return;
    if (reselect)
        lines.SelectLines(view.SelFirst, view.SelLast);
    else if (lines.CurrentLine() != view.CaretLine || lines.HasSelection())
        lines.MoveCaretToLine(view.CaretLine);
    if (view.FirstVisibleLine < lines.LineCount())
        lines.ScrollToLine(view.FirstVisibleLine);
}

TFileParts TSongCommands::FileParts() {
    std::array<QAction *, kRecentCount> recent{};
    for (int i = 0; i < kRecentCount; ++i)
        recent[size_t(i)] = p_.Commands.Action("Recent" + std::to_string(i + 1) + "1");
    return TFileParts{
        .Document = p_.Document,
        .Options = p_.Options,
        .Services = p_.Services,
        .Widgets = {.RecentItems = recent},
        .Calls = {
            .Busy = [this] { return p_.PlayState.Busy(); },
            .SetCaptionFromFileName = p_.Calls.SetCaptionFromFileName,
            .ReadSong = p_.Calls.ReadSong,
            .WriteSong = p_.Calls.WriteSong,
            .ResetSong = p_.Calls.ResetSong,
            .StoreTabText = [this] { StoreTabText(); },
            .ReplaceEditorLines =
                [this](const QStringList &lines) {
                    p_.Lines.ReplaceAllLines(lines);
                    // Marks the tab, as every change of its lines.
                    p_.Calls.SongChanged(p_.Document.Song.CurrentTab, kChangedLines, true);
                },
            .EditorView = [this] { return EditorView(); },
            .RestoreEditorView = [this](const TEditorView &view, bool reselect) { RestoreEditorView(view, reselect); },
            .SetBusyCursor = SetBusyCursor,
            .ShowFailingLine =
                [this](int tab, int line) {
                    if (tab >= 1 && tab <= kTabCount)
                        ShowTab(tab);
                    if (line >= 0 && line < p_.Lines.LineCount())
                        SelectLines(line, line);
                },
            .PlaySettings =
                [this] {
                    const TPlaybackWidgets &c = p_.Widgets.Play;
                    TPlaySettings s;
                    s.Metronome = c.chkMetronome->isChecked();
                    s.CountIn = c.chkCountIn->isChecked();
                    s.CountInBars = c.EdtCountInbars->value();
                    return s;
                }},
    };
}

// ---- the commands ---------------------------------------------------------------------------

TSongCommands::TSongCommands(TSongCommandParts parts) : QObject(parts.Widgets.Window), p_(std::move(parts)) {
    platform::IPeriodicTimer *timer = p_.Timer;
    if (!timer) {
        ownTimer_ = std::make_unique<platform::ThreadTimer>();
        timer = ownTimer_.get();
    }
    playback_ = std::make_unique<TPlayback>(PlaybackParts(*timer));
    playback_->SetOutputDevice(p_.OpenedDevice >= -1 ? p_.OpenedDevice : -1);
    const TFileParts files = FileParts();
    files_ = std::make_unique<TFileCommands>(files);
    files_->UpdateRecentMenu();
    export_ = std::make_unique<TMidiExport>(files);
    Connect();
}

TPlaybackParts TSongCommands::PlaybackParts(platform::IPeriodicTimer &timer) {
    return TPlaybackParts{
        .Song = p_.Document.Song,
        .Drums = p_.Document.Drums,
        .PlayState = p_.PlayState,
        .Messages = p_.Services.messages,
        .Ports = p_.Ports,
        .Clock = const_cast<platform::IClock &>(p_.Clock), // the player only reads the clock
        .Timer = timer,
        .Widgets = p_.Widgets.Play,
        .Calls = {
            .EditorView = [this] { return EditorView(); },
            .RestoreEditorView = [this](const TEditorView &view, bool reselect) { RestoreEditorView(view, reselect); },
            .SelectLines = [this](int first, int last) { SelectLines(first, last); },
            .ClearSelection = [this] { p_.Lines.MoveCaretToLine(p_.Lines.CurrentLine()); },
            .StoreTabText = [this] { StoreTabText(); },
            .ShowTab = [this](int tab) { ShowTab(tab); },
            .ClearInstrumentPicture = [this] { p_.Widgets.PaintBoxInstrument->Clear(); },
            .SetPlayStatusText = [this](const QString &text) { p_.Widgets.StatusBarRichEdit->SetText(4, text); },
            // The song plays with the mark cleared; the tabs keep their marks, shown again after.
            .ShowModifiedPanel =
                [this](bool playing) { p_.Status.ShowModified(!playing && p_.Document.AnyTabModified()); },
            .EnterNestedLoop = p_.Calls.EnterNestedLoop,
            .LeaveNestedLoop = p_.Calls.LeaveNestedLoop,
            .StopOtherOutputs =
                [this] {
                    if (TMidiOutputPort *port = p_.Calls.OutputPort()) {
                        port->AllNotesOff();
                        port->ResetControllers();
                    }
                },
            .SetBusyCursor = SetBusyCursor,
            .SongChanged = [this](unsigned what,
                                  bool byUser) { p_.Calls.SongChanged(p_.Document.Song.CurrentTab, what, byUser); }},
    };
}

TSongCommands::~TSongCommands() {
    // The player and its timer thread end before the timer object goes.
    playback_.reset();
}

bool TSongCommands::eventFilter(QObject *watched, QEvent *event) {
    const TSongCommandWidgets &w = p_.Widgets;
    if (event->type() == QEvent::MouseButtonRelease && playback_ && !p_.PlayState.Busy()) {
        const TMainDialogs &dialogs = p_.Dialogs;
        if (watched == w.lblTempo && dialogs.tempo)
            playback_->lblTempoClick([&dialogs](int current) { return dialogs.tempo({current}); });
        else if (dialogs.timeSignature && (watched == w.LabelTimeSigLabel || watched == w.LabelSigUpper ||
                                           watched == w.LabelSlash || watched == w.LabelSigLower))
            playback_->LabelSigUpperClick(
                [&dialogs](const std::string &current) { return dialogs.timeSignature({current}); });
    }
    return QObject::eventFilter(watched, event);
}

void TSongCommands::Escape() {
    if (playback_ && playback_->Playing())
        playback_->Escape();
}

void TSongCommands::Connect() {
    TCommands &c = p_.Commands;
    const TSongCommandWidgets &w = p_.Widgets;
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

    connect(w.Play.BitBtnPlayArrangement, &QPushButton::clicked, this, [this] {
        if (playback_)
            playback_->BitBtnPlayArrangementClick();
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
            playback_->PlayFromBookmark(p_.Document.Song.Current().Bookmarks[0]);
    });
    w.lblTempo->installEventFilter(this);
    for (QLabel *l : {w.LabelTimeSigLabel, w.LabelSigUpper, w.LabelSlash, w.LabelSigLower})
        l->installEventFilter(this);
}
