// The main window's life: start-up, first activation, dropped files, the close question
// and the orderly shut-down, Esc, and the layout on resize.
#include "mainwindow/window/MainWindow.h"

#include "mainwindow/drums/DrumTab.h"
#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorController.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/editor/TabDocuments.h"
#include "mainwindow/editor/TabSwitcher.h"
#include "mainwindow/files/SettingsStore.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/playback/SongCommands.h"
#include "mainwindow/playback/TimeDisplay.h"
#include "mainwindow/rules/MixerRules.h"
#include "mainwindow/tools/LineTools.h"
#include "mainwindow/tools/Pickers.h"
#include "mainwindow/tools/ToolDialogs.h"
#include "mainwindow/window/Commands.h"
#include "mainwindow/window/Hints.h"
#include "mainwindow/window/PageControl.h"
#include "midi/MidiOutputPort.h"
#include "platform/MidiOut.h"
#include "platform/qt/Services.h"
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>

#include <thread>

namespace {
const QString kStopBeforeExit = QStringLiteral("Please stop instrument playback before exiting Tarrowind");

} // namespace

// ---- start-up -----------------------------------------------------------------------------

void TfrmMain::FormCreate() {
    InitMainForm();
    // The tabs draw themselves in their records' colours (TColourTabBar).
}

void TfrmMain::InitMainForm() {
    GroupBoxMIDIPlay->hide();
    status_->SetBulkEditActive(false);
    resize(815, 599);
    // The sixteen default tabs exist from the song's construction.
    initialWidth_ = width();
    initialHeight_ = height();
    productCaption_ = QStringLiteral("Tarrowind Version 2");
    setWindowTitle(productCaption_);
    maxFret_ = 24;
    setAcceptDrops(true);
    activated_ = false;
    play_.AbortRequested = false;

    settings_->GetInstalledVersion();
    options_ = settings_->LoadSettings(DefaultSettingsDefaults());
    BuildHints();
    SetHintsVisible(options_.ShowHints);

    helpDocument_ = platform::FindHelpDocument(options_.InstallDir, env_.programDir);
    helpAvailable_ = !helpDocument_.isEmpty();

    RichEdit1->LoadText(QString());
    ResetToUntitled();
    PaintBoxInstrument->ShowLine(1);

    OpenOutputPort();
    live_ = std::make_unique<TLiveInstrument>(LiveInstrumentParts());
    live_->SetHintsVisible(options_.ShowHints);
    PageControl1Changing();
    PageControl1Change();
    saveMidiDevice_ = true;
    ApplyEditorFont();
    status_->ShowInsertMode(false);
    FormResize();
}

void TfrmMain::OpenOutputPort() {
    physicalPorts_ = std::make_unique<TPhysicalPortList>(*env_.midiOut);
    MidiOutputPort1 = std::make_unique<TMidiOutputPort>(*physicalPorts_, options_.Device);
    ConnectOutputDevice(false);
}

void TfrmMain::CloseOutputPort() {
    // Notes off and controllers reset as the port lets go of its device.
    live_.reset();
    MidiOutputPort1.reset();
    physicalPorts_.reset();
}

void TfrmMain::ApplyEditorFont() { ShowEditorFont(options_.Size, options_.Style, options_.color); }

void TfrmMain::SetHintsVisible(bool visible) {
    PanelNoteButtons->SetHintsVisible(visible);
    if (drumTab_)
        drumTab_->SetHintsVisible(visible);
    if (live_)
        live_->SetHintsVisible(visible);
    if (pickers_)
        pickers_->SetHintsVisible(visible);
    hints_->SetVisible(visible);
}

// The window's hinted controls by object name: fixed texts first, then the ones that tell
// the value their control shows.
void TfrmMain::BuildHints() {
    hints_ = new THints(this);
    static constexpr std::pair<const char *, const char *> kFixed[] = {
        {"BitBtnPlayArrangement", "Play the song (F2)"},
        {"chkLoopAll", "Play the song again and again"},
        {"chkMetronome", "Sound a metronome while the song plays"},
        {"chkCountIn", "Count in before the song plays"},
        {"PosDisplay1", "Bar, beat and tick of the song position"},
        {"TimeDisplay1", "Time of the song position"},
        {"lblTranspose", "Transpose the whole song by half steps"},
        {"UpDownSongKey", "Transpose the whole song by half steps"},
        {"btnPlayFRT", "Play this instrument only"},
        {"grpFRTPlay", "Play this instrument only"},
        {"CheckBoxMuteInstrument", "Leave this instrument out of the song"},
        {"CheckBoxSoloInstrument", "Play only this instrument"},
        {"LabelAdvancedChordOptions", "Find chords for this instrument"},
        {"labelNewLine", "Insert a blank line in the editor"},
        {"labelDuplicateSelection", "Duplicate the selected lines or the caret line"},
        {"labelgrouplinesbybars", "Put the lines under a header for each bar"},
        {"LabelOneTimeNoteSelector", "Pick the duration of the next note only"},
        {"LabelSetBookmark", "Mark the caret line as the bookmark"},
        {"LabelPlayfromBookmark", "Play the song from the bookmark"},
        {"LabelSave", "Save the song"},
        {"GroupBoxPlayDrumGrid", "Play the drum grid only"},
        {"BitBtnPlayPattern", "Play the drum grid only"},
        {"BitBtnClearDisplayedPattern", "Clear the pattern shown in the grid"},
        {"BitBtnNextPattern", "Start a new pattern"},
        {"chkLoopDrumGrid", "Play the pattern again and again"},
        {"StringGridDrums", "The pattern: a row for each drum, a column for each step"},
    };
    for (const auto &[name, text] : kFixed)
        hints_->Add(findChild<QWidget *>(QString::fromLatin1(name)), QString::fromUtf8(text));
    hints_->Add(PaintBoxInstrument, QStringLiteral("The instrument"));
    for (const TMixerRow &row : MixerRows()) {
        auto *caption =
            GroupBoxMixer->findChild<QLabel *>(QString::fromLatin1(row.caption.data(), qsizetype(row.caption.size())));
        auto *control =
            GroupBoxMixer->findChild<QWidget *>(QString::fromLatin1(row.control.data(), qsizetype(row.control.size())));
        if (!caption || !control)
            continue;
        hints_->Add(caption, QStringLiteral("Click to put the default back"));
        // "Volume: 100": the caption and the value it stands beside.
        auto value = [caption, control] {
            const auto *spin = qobject_cast<const QAbstractSpinBox *>(control);
            const auto *slider = qobject_cast<const QAbstractSlider *>(control);
            return caption->text() + QStringLiteral(": ") +
                   (spin     ? spin->text()
                    : slider ? QString::number(slider->value())
                             : QString());
        };
        hints_->Add(control, value);
        if (control == TrackBarMixerBalance)
            hints_->Add(LabelBalancePosition, value);
    }
    hints_->Add(lblTempo, [this] { return lblTempo->text(); });
    for (QLabel *l : {LabelTimeSigLabel, LabelSigUpper, LabelSlash, LabelSigLower})
        hints_->Add(
            l, [this] { return QStringLiteral("Time Sig: %1/%2").arg(LabelSigUpper->text(), LabelSigLower->text()); });
    hints_->Add(EdtCountInbars, [this] { return QStringLiteral("Count-in bars: ") + EdtCountInbars->text(); });
    hints_->Add(LabelSelectPatch, [this] { return LabelSelectPatch->text(); });
    hints_->Add(LabelSelectTuning, [this] { return QStringLiteral("Tuning: ") + LabelSelectTuning->text(); });
    for (const auto &[name, caption] :
         {std::pair{"ComboBoxJazzyFeel", "Feel: "}, std::pair{"ComboBoxBuiltInBeats", "Built-in beat: "}})
        if (auto *combo = findChild<QComboBox *>(QString::fromLatin1(name)))
            hints_->Add(combo, [combo, caption] { return QString::fromLatin1(caption) + combo->currentText(); });
}

// ---- first activation -------------------------------------------------------------------

void TfrmMain::showEvent(QShowEvent *e) {
    QMainWindow::showEvent(e);
    if (!activated_)
        QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TfrmMain::FormActivate() {
    if (activated_)
        return;
    activated_ = true;
    // A path with blanks arrives either whole or split into words by the shell.
    QStringList candidates;
    if (!env_.arguments.isEmpty()) {
        candidates << env_.arguments.first();
        candidates << env_.arguments.mid(0, 20).join(QLatin1Char(' ')).trimmed();
    }
    for (const QString &path : candidates) {
        if (!path.isEmpty() && QFileInfo(path).isFile()) {
            if (ReadSong(QFileInfo(path).absoluteFilePath()))
                return;
            break;
        }
    }
    ResetSong();
    if (options_.ShowNewUserMessage && dialogs_.welcome) {
        TWelcomeInput in;
        for (const QString &path : options_.RecentFiles)
            if (!path.isEmpty())
                in.recentFiles << path;
        in.lastTip = options_.LastTip;
        in.showNewUserMessage = options_.ShowNewUserMessage;
        in.helpAvailable = helpAvailable_;
        const TWelcomeResult result = dialogs_.welcome(in, {[this] { Contents1Click(); }});
        options_.LastTip = result.lastTip;
        options_.ShowNewUserMessage = result.showNewUserMessage;
        const QString selected = result.selectedRecent; // raw: "&" is part of a name
        if (result.choice == TWelcomeChoice::OpenFile) {
            emit OpenSongRequested();
        } else if (result.choice == TWelcomeChoice::OpenRecent) {
            if (selected.isEmpty()) {
                emit OpenSongRequested();
            } else if (!QFileInfo(selected).isFile()) {
                env_.services->messages.ShowMessage(QStringLiteral("File not found: ") + selected);
            } else {
                ReadSong(selected);
            }
        }
    }
}

// ---- songs --------------------------------------------------------------------------------

void TfrmMain::ResetToUntitled() {
    RichEdit1->LoadText(QString());
    doc_.FileName = UntitledPath().toStdString();
    doc_.SongFilePath.clear();
    options_.LastFileName = UntitledPath();
    SetCaptionFromFileName();
    doc_.Song.SongTitle.clear();
    doc_.Song.SongReserved.clear();
    doc_.Song.CurrentTab = 1;
    PageControl1->SetActivePageIndex(0, false);
    drumTab_->ResetPlaySettings();
    ClearModifiedMarks();
}

void TfrmMain::ResetSong() {
    StatusBarBottom->ClearAll();
    doc_.Reset(UntitledPath().toStdString());
    PageControl1->SetActivePageIndex(0, false);
    for (int t = 1; t <= kTabCount; ++t)
        UpdateTabCaption(t);
    docs_->ForgetPlaces();
    {
        // Values only: the refresh below gives the count-in bars their enabled flag.
        const QSignalBlocker b1(chkMetronome), b2(chkCountIn), b3(chkLoopAll);
        chkMetronome->setChecked(false);
        chkCountIn->setChecked(false);
        chkLoopAll->setChecked(false);
        EdtCountInbars->setValue(1);
    }
    drumTab_->ResetPlaySettings();
    PageControl1Change();
    options_.LastFileName = UntitledPath();
    SetCaptionFromFileName();
    ClearModifiedMarks();
    SongChanged(doc_.Song.CurrentTab, kChangedWholeSong, false);
    status_->ShowInsertMode(RichEdit1->overwriteMode());
    ShowSongStart();
}

void TfrmMain::ShowSongStart() {
    PosDisplay1->SetPosition(0, 0, 0);
    TimeDisplay1->SetTime(0);
}

bool TfrmMain::ReadSong(const QString &path) {
    const TDocumentResult r = doc_.Read(path.toStdString());
    if (!r.ok) {
        // The open song stays as it was, under its own name.
        const QString text = QString::fromStdString(r.message);
        if (r.notFound)
            env_.services->messages.ShowMessage(text);
        else
            env_.services->messages.Error(text);
        return false;
    }
    options_.LastFileName = path;
    const int t = std::clamp(doc_.Song.CurrentTab, 1, kTabCount);
    PageControl1->SetActivePageIndex(t - 1, false);
    for (int i = 1; i <= kTabCount; ++i)
        UpdateTabCaption(i);
    docs_->ForgetPlaces();
    PageControl1Change();
    if (doc_.Song.Current().Kind != TKind::Drums) {
        // An opened song starts at its top: the caret at the start of the first line.
        lines_->ScrollToLine(0);
        lines_->MoveCaretToLine(0);
    }
    ClearModifiedMarks();
    SetCaptionFromFileName();
    SongChanged(doc_.Song.CurrentTab, kChangedWholeSong, false);
    ShowSongStart(); // a new song is not where the last one's play stopped
    if (options_.ShowMixerAfterFileOpen)
        MixerSummary1Click();
    return true;
}

bool TfrmMain::WriteSong(const QString &path) {
    tabs_->SaveShownTab(); // the file keeps the shown tab's text, duration, caret and selection
    const std::vector<TLineRef> cut = LinesCutBySongFile(doc_.Song);
    if (!cut.empty() && env_.services->messages.Question(QString::fromStdString(LinesCutQuestion(doc_.Song, cut)),
                                                         platform::mbYesNo) != platform::mrYes)
        return false;
    // The hourglass while the song is compressed and written; gone before any message.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TDocumentResult written = doc_.Write(path.toStdString());
    QApplication::restoreOverrideCursor();
    if (!written.ok) {
        env_.services->messages.Error(QString::fromStdString(written.message));
        return false;
    }
    ClearModifiedMarks();
    return true;
}

bool TfrmMain::AskSaveChanges() {
    // The file commands own the one save question; without them (the window is closing) a
    // modified song is never let go unasked.
    if (!songCommands_)
        return !AnyTabModified();
    return songCommands_->Files().AskSaveChanges();
}

// ---- dropped files ------------------------------------------------------------------------

void TfrmMain::dragEnterEvent(QDragEnterEvent *e) {
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent *e) {
    QStringList paths;
    for (const QUrl &url : e->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    e->acceptProposedAction();
    OpenDroppedFile(paths);
}

void TfrmMain::OpenDroppedFile(const QStringList &paths) {
    if (paths.isEmpty())
        return;
    const QString path = paths.first();
    const QFileInfo info(path);
    if (!info.isFile() || info.suffix().toLower() != QStringLiteral("twd"))
        return;
    if (!AskSaveChanges())
        return;
    if (Busy())
        return;
    ReadSong(info.absoluteFilePath());
}

// ---- shut-down ----------------------------------------------------------------------------

void TfrmMain::Exit1Click() { close(); }

void TfrmMain::EnterNestedLoop() { play_.EnterLoop(); }

void TfrmMain::LeaveNestedLoop() {
    play_.LeaveLoop();
    if (play_.LoopDepth() == 0 && closePending_) {
        // The close that arrived during the loop is carried out now that it has unwound.
        closePending_ = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

bool TfrmMain::FormCloseQuery() {
    if (play_.Playing(TPlayKind::Instrument)) {
        // The run waits below this call: it sees the stop once the warning is gone and ends;
        // the run itself clears the flag when it has unwound.
        play_.StopRequested = true;
        env_.services->messages.Warning(kStopBeforeExit);
        return false;
    }
    play_.StopRequested = true;
    if (!AskSaveChanges()) {
        play_.StopRequested = false;
        return false;
    }
    return true;
}

void TfrmMain::closeEvent(QCloseEvent *e) {
    if (closeAccepted_) {
        e->accept();
        return;
    }
    if (play_.LoopDepth() > 0) {
        play_.StopRequested = true;
        play_.AbortRequested = true;
        closePending_ = true;
        e->ignore();
        return;
    }
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    FormClose();
    closeAccepted_ = true;
    e->accept();
}

void TfrmMain::FormClose() {
    // Playback stops first (the player and its timer thread end before the data and
    // ports they use), then the window state is written back.
    play_.End(TPlayKind::Song);
    play_.End(TPlayKind::DrumGrid);
    doc_.Song.CurrentTab = 1;
    PageControl1->SetActivePageIndex(0, false);
    env_.services->help.Quit();
    // The recent list is the options' own: the file commands keep it current and the menu shows it.
    settings_->SaveSettings(options_, saveMidiDevice_);
    songCommands_.reset();
    CloseOutputPort();
}

// ---- small commands -------------------------------------------------------------------------

void TfrmMain::About1Click() {
    if (dialogs_.about)
        dialogs_.about();
}

void TfrmMain::MixerSummary1Click() { tools_->MixerSummary1Click(); }

void TfrmMain::NoteMathforSelectionAltRMB1Click() { tools_->NoteMathforSelectionAltRMB1Click(); }

void TfrmMain::Contents1Click() {
    if (helpAvailable_ && !env_.services->help.ShowContents(helpDocument_))
        env_.services->messages.Error(platform::CouldNotOpenText(QStringLiteral("the help document ") + helpDocument_));
}

void TfrmMain::FormKeyDown(int key) {
    if (key != Qt::Key_Escape)
        return;
    // The one Esc: abort a long operation, and stop whatever plays.
    play_.AbortRequested = true;
    switch (play_.Kind()) {
    case TPlayKind::Instrument:
        if (live_)
            live_->PlayPageLinesLive(); // the run in progress sees the stop
        break;
    case TPlayKind::Song:
        if (songCommands_)
            songCommands_->Escape();
        break;
    case TPlayKind::DrumGrid:
        play_.StopRequested = true;
        break;
    case TPlayKind::Idle:
        break;
    }
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event) {
    // Leaving the pictures for the panels around them clears their hover text.
    if (event->type() == QEvent::MouseMove && watched != PaintBoxInstrument)
        status_->ShowNoteText({});
    return QMainWindow::eventFilter(watched, event);
}

// ---- tabs -------------------------------------------------------------------------------------

bool TfrmMain::PageControl1Changing() { return tabs_->Changing(); }

void TfrmMain::PageControl1Change() {
    tabs_->Change();
    LabelAdvancedChordOptions->setVisible(doc_.Song.Current().Kind != TKind::Drums);
    if (live_)
        live_->TabChanged();
    if (drumTab_)
        drumTab_->TabChanged();
    editor_->RichEdit1SelectionChange();
    ApplyCommandState(); // the menus that fit the tab's kind
}

// ---- layout -----------------------------------------------------------------------------------

void TfrmMain::resizeEvent(QResizeEvent *e) {
    QMainWindow::resizeEvent(e);
    // Without a window manager (or with one that ignores the size hints) the window can be made
    // smaller than its least size from outside: it takes that size back.
    const QSize least = minimumSize();
    if ((width() < least.width() || height() < least.height()) &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
    FormResize();
}

void TfrmMain::HoldLeastSize() {
    // The texts of the shown tab (its name in the group titles, its sound and tuning) set how
    // wide the mixer's row must be.
    FitPlayGroupTitles();
    // Measured afresh, not from before the new texts.
    for (QLayout *layout : GroupBoxMixer->findChildren<QLayout *>())
        layout->invalidate();
    setMinimumSize(LeastLayoutSize());
}

namespace {
constexpr int kPageFrame = 4;      // the page's frame above and below the picture and mixer
constexpr int kLeastPictureH = 80; // an instrument picture smaller than this shows nothing useful
} // namespace

QSize TfrmMain::LeastLayoutSize() const {
    // The conditions FormResize's proportions must meet, tried size by size.
    const int bars = std::max(StatusBarBottom->minimumSizeHint().width(), StatusBarRichEdit->minimumSizeHint().width());
    const int playW = grpMIDIPlay->width(), noteW = PanelNoteButtons->width();
    const int mixerW = GroupBoxMixer->minimumSizeHint().width();
    auto wideEnough = [&](int W) {
        const int editW = W - playW - W / 36 - noteW - W / 40 - 10;
        const int pageW = W - W / 66; // the tab control's width, which its page takes whole
        return editW - 10 >= bars && std::min(W - W / 30, pageW) >= mixerW;
    };
    int W = 400;
    while (!wideEnough(W))
        ++W;
    const int barH = StatusBarBottom->height();
    const int notesBottom = 18 + barH + 2 - barH / 2 + PanelNoteButtons->sizeHint().height() + 8;
    const int topNeed = std::max({grpMIDIPlay->minimumSizeHint().height(), notesBottom,
                                  66 + RichEdit1->minimumSizeHint().height() + PanelEditorLabels->height()});
    const int bottomNeed = PageControl1->TabBar()->sizeHint().height() + kLeastPictureH +
                           (pickers_ ? pickers_->ScaleLineHeight() : 0) +
                           std::max(GroupBoxMixer->height(), GroupBoxMixer->minimumSizeHint().height()) + kPageFrame;
    const int menuH = menuBar()->sizeHint().height();
    int H = 300;
    while ((H / 20) * 10 < topNeed || H - menuH - (H / 20) * 10 < bottomNeed)
        ++H;
    return {W, H};
}

void TfrmMain::FormResize() {
    if (!PanelTop || !centralWidget())
        return;
    const int W = width(), H = height();
    const int clientH = centralWidget()->height() > 0 ? centralWidget()->height() : H;
    const int topH = (H / 20) * 10;
    PanelTop->setGeometry(0, 0, W, topH);
    PanelBottom->setGeometry(0, topH, W, std::max(0, clientH - topH));
    const int bottomW = PanelBottom->width(), bottomH = PanelBottom->height();

    PageControl1->setGeometry(5, 0, bottomW - W / 66, bottomH);
    // The page takes the tab control's whole width; it is laid out only at the control's own resize
    // event, which a window not shown yet receives later.
    const int pageW = PageControl1->width();
    const int mixerH = std::max(GroupBoxMixer->height(), GroupBoxMixer->minimumSizeHint().height());
    // The page already stands below the tab strip: the picture takes all but the mixer and the frame.
    // The scale line stands between the picture and the mixer (not on the Drums tab).
    const int scaleH = pickers_ ? pickers_->ScaleLineHeight() : 0;
    const int pictureH = std::max(0, PageControl1->Page()->height() - mixerH - scaleH - kPageFrame);
    PaintBoxInstrument->setGeometry(W / 400, 0, std::min(W - W / 47, pageW - W / 400), pictureH);
    PaintBoxInstrument->update();
    LabelTabName->setGeometry(PaintBoxInstrument->x(), 0, PaintBoxInstrument->width(),
                              LabelTabName->sizeHint().height());
    LabelTabName->raise();
    if (pickers_)
        pickers_->PlaceScaleLine(QRect(PaintBoxInstrument->x(), PaintBoxInstrument->geometry().bottom() + 1,
                                       PaintBoxInstrument->width(), scaleH));
    GroupBoxMixer->setGeometry(0, PaintBoxInstrument->geometry().bottom() + 1 + scaleH, std::min(W - W / 30, pageW),
                               mixerH);

    grpMIDIPlay->setGeometry(W / 400, 0, grpMIDIPlay->width(), topH);
    const int editorGroupW = W - grpMIDIPlay->width() - W / 36;
    grpEditor->setGeometry(grpMIDIPlay->geometry().right() + 1 + W / 400, 0, editorGroupW, topH);

    const int barTop = 18;
    const int barH = StatusBarBottom->height();
    const int noteW = PanelNoteButtons->width();
    const int editLeft = 10 + noteW + 10;
    const int editW = editorGroupW - noteW - W / 40 - 10;
    const int richTop = barTop + barH * 2 + 2;
    StatusBarBottom->setGeometry(editLeft, barTop, editW - 10, barH);
    StatusBarRichEdit->setGeometry(editLeft, barTop + barH + 2, editW - 10, barH);
    PanelNoteButtons->move(10, StatusBarRichEdit->y() - barH / 2);
    PanelNoteButtons->resize(noteW, std::max(PanelNoteButtons->sizeHint().height(), topH - PanelNoteButtons->y() - 8));
    // The shortcut labels take a row below the editor.
    const int labelsH = PanelEditorLabels->height();
    RichEdit1->setGeometry(editLeft, richTop, editW, std::max(0, topH - 66 - labelsH));
    PanelEditorLabels->setGeometry(editLeft, RichEdit1->geometry().bottom() + 1, editW, labelsH);
    GroupBoxMIDIPlay->setGeometry(PageControl1->geometry());
    // The Drums tab's groups stand where the editor group and the picture stand.
    GroupBoxDrumPatterns->setGeometry(grpEditor->geometry());
    GroupBoxPatternProperties->setGeometry(PaintBoxInstrument->geometry());
}
