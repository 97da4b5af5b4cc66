// The main window's controls and menus, and the wiring of their events to the handlers.
#include "mainwindow/window/MainWindow.h"

#include "dialogs/common/DialogControls.h"
#include "mainwindow/drums/DrumTab.h"
#include "mainwindow/editor/BookmarkCommands.h"
#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorController.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/FindCommands.h"
#include "mainwindow/editor/LineCommands.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/editor/TabDocuments.h"
#include "mainwindow/editor/TabSwitcher.h"
#include "mainwindow/files/SettingsStore.h"
#include "mainwindow/files/TablatureCommand.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/playback/MixerPanel.h"
#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/playback/SongCommands.h"
#include "mainwindow/playback/TimeDisplay.h"
#include "mainwindow/rules/CommandState.h"
#include "mainwindow/tools/ChordTools.h"
#include "mainwindow/tools/LineTools.h"
#include "mainwindow/tools/Pickers.h"
#include "mainwindow/tools/ToolDialogs.h"
#include "mainwindow/window/Colours.h"
#include "mainwindow/window/Commands.h"
#include "mainwindow/window/PageControl.h"
#include "midi/MidiOutputPort.h"
#include "platform/MidiOut.h"
#include "platform/qt/Services.h"
#include "song/LinePositions.h"
#include "song/TextUtil.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTextDocument>
#include <QVBoxLayout>

#include <string_view>
#include <utility>

TfrmMain::TfrmMain(const TMainEnvironment &env, QWidget *parent) : QMainWindow(parent), env_(env) {
    setObjectName(QStringLiteral("frmMain"));
    settings_ = env_.settingsPath.isEmpty()
                    ? std::make_unique<SettingsStore>(env_.services->messages)
                    : std::make_unique<SettingsStore>(env_.settingsPath, env_.services->messages);
    commands_ = new TCommands(*this);
    play_.Changed = [this] { ApplyCommandState(); };
    BuildControls();
    lines_ = std::make_unique<TEditorLines>(RichEdit1);
    docs_ = std::make_unique<TTabDocuments>(doc_.Song, *lines_);
    status_ = std::make_unique<TStatusDisplay>(StatusBarBottom, StatusBarRichEdit, lines_.get());
    tabs_ = std::make_unique<TTabSwitcher>(TabParts());
    editor_ = std::make_unique<TEditorController>(EditorParts());
    lineCommands_ = std::make_unique<TLineCommands>(LineCommandParts());
    find_ = std::make_unique<TFindCommands>(FindParts());
    tools_ = std::make_unique<TToolDialogs>(ToolDialogParts());
    drumTab_ = std::make_unique<TDrumTab>(DrumTabParts());
    mixer_ = std::make_unique<TMixerPanel>(MixerParts());
    bookmarks_ = std::make_unique<TBookmarkCommands>(BookmarkParts());
    lineTools_ = std::make_unique<TLineTools>(LineToolParts());
    pickers_ = std::make_unique<TPickers>(PickerParts());
    status_->SetPositionSource([this](int line) {
        // The caret line's place in the song, from the shown tab's kept line starts.
        TPositionConductor conductor;
        conductor.TimeSignature = doc_.Song.TimeSignature;
        conductor.Tempo = doc_.Song.Tempo;
        if (songCommands_) // the tempo changes of the last play's build, as the player counted them
            conductor.TempoChanges = songCommands_->Playback().BuiltTempoChanges();
        const TSongPoint p = docs_->PointOfLine(line, conductor);
        return TLinePosition{static_cast<int>(p.Bar), p.Beat, static_cast<int>(p.BeatTick), p.Ms};
    });
    chordTools_ = std::make_unique<TChordTools>(ChordToolParts());
    ConnectHandlers();
    FormCreate();
    songCommands_ = std::make_unique<TSongCommands>(SongCommandParts());
    connect(this, &TfrmMain::OpenSongRequested, songCommands_.get(),
            [this] { songCommands_->Files().OpenSong1Click(); });
    BindCommands();
    commands_->Build();
    ClipboardChanged();
    HoldLeastSize(); // with the menu bar, whose height counts
}

TfrmMain::~TfrmMain() {
    play_.Changed = nullptr;
    // Whatever the close path, the output port goes after everything that could use it.
    songCommands_.reset();
    CloseOutputPort();
}

// ---- controls -----------------------------------------------------------------------------

void TfrmMain::BuildControls() {
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);
    PanelTop = new QWidget(central);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelBottom = new QWidget(central);
    PanelBottom->setObjectName(QStringLiteral("PanelBottom"));
    BuildPlayGroup();
    BuildEditorGroup();
    BuildBottom();
    BuildDrumsPage();
}

void TfrmMain::BuildPlayGroup() {
    grpMIDIPlay = new QGroupBox(QStringLiteral("Song"), PanelTop);
    grpMIDIPlay->setObjectName(QStringLiteral("grpMIDIPlay"));
    grpMIDIPlay->resize(196, 280);
    auto *v = new QVBoxLayout(grpMIDIPlay);
    v->setContentsMargins(8, 6, 8, 6);
    v->setSpacing(4);
    BitBtnPlayArrangement = new QPushButton(QStringLiteral("Play"), grpMIDIPlay);
    BitBtnPlayArrangement->setObjectName(QStringLiteral("BitBtnPlayArrangement"));
    BitBtnPlayArrangement->setMinimumHeight(34);
    QFont big = BitBtnPlayArrangement->font();
    big.setBold(true);
    BitBtnPlayArrangement->setFont(big);
    v->addWidget(BitBtnPlayArrangement);
    chkLoopAll = new QCheckBox(QStringLiteral("Loop"), grpMIDIPlay);
    chkLoopAll->setObjectName(QStringLiteral("chkLoopAll"));
    chkMetronome = new QCheckBox(QStringLiteral("Metronome"), grpMIDIPlay);
    chkMetronome->setObjectName(QStringLiteral("chkMetronome"));
    v->addWidget(chkLoopAll);
    v->addWidget(chkMetronome);
    auto *countIn = new QHBoxLayout;
    chkCountIn = new QCheckBox(QStringLiteral("Count In"), grpMIDIPlay);
    chkCountIn->setObjectName(QStringLiteral("chkCountIn"));
    EdtCountInbars = new QSpinBox(grpMIDIPlay);
    EdtCountInbars->setObjectName(QStringLiteral("EdtCountInbars"));
    EdtCountInbars->setRange(1, 8);
    EdtCountInbars->setValue(1);
    countIn->addWidget(chkCountIn);
    countIn->addWidget(EdtCountInbars);
    countIn->addWidget(new QLabel(QStringLiteral("bars"), grpMIDIPlay));
    v->addLayout(countIn);
    auto *key = new QHBoxLayout;
    lblTranspose = new QLabel(QStringLiteral("Transpose"), grpMIDIPlay);
    lblTranspose->setObjectName(QStringLiteral("lblTranspose"));
    UpDownSongKey = new QSpinBox(grpMIDIPlay);
    UpDownSongKey->setObjectName(QStringLiteral("UpDownSongKey"));
    UpDownSongKey->setRange(kSongKeyLow, kSongKeyHigh);
    key->addWidget(lblTranspose);
    key->addWidget(UpDownSongKey);
    key->addStretch(1);
    v->addLayout(key);
    lblTempo = new QLabel(QStringLiteral("Tempo: 120"), grpMIDIPlay);
    lblTempo->setObjectName(QStringLiteral("lblTempo"));
    v->addWidget(lblTempo);
    // The time signature's labels sit one after the other; a click on any of them opens its dialog.
    auto *sig = new QHBoxLayout;
    sig->setSpacing(0);
    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, grpMIDIPlay);
        l->setObjectName(QString::fromLatin1(name));
        l->setCursor(Qt::PointingHandCursor);
        return l;
    };
    LabelTimeSigLabel = label("LabelTimeSigLabel", QStringLiteral("Time Sig: "));
    LabelSigUpper = label("LabelSigUpper", QStringLiteral("4"));
    LabelSlash = label("LabelSlash", QStringLiteral("/"));
    LabelSigLower = label("LabelSigLower", QStringLiteral("4"));
    for (QLabel *l : {LabelTimeSigLabel, LabelSigUpper, LabelSlash, LabelSigLower})
        sig->addWidget(l);
    sig->addStretch(1);
    v->addLayout(sig);
    lblTempo->setCursor(Qt::PointingHandCursor);
    v->addStretch(1);
    // The bar/beat/tick and time displays of song playback.
    auto *pos = new TPosDisplay(grpMIDIPlay);
    pos->setObjectName(QStringLiteral("PosDisplay1"));
    pos->SetTextColor(QColor(128, 0, 0));
    pos->SetAlignment(display::TTextAlign::Center);
    pos->SetPosition(0, 0, 0);
    auto *time = new TTimeDisplay(grpMIDIPlay);
    time->setObjectName(QStringLiteral("TimeDisplay1"));
    time->SetTextColor(QColor(128, 0, 0));
    time->SetAlignment(display::TTextAlign::Center);
    time->SetTime(0);
    PosDisplay1 = pos;
    TimeDisplay1 = time;
    for (QWidget *d : {static_cast<QWidget *>(PosDisplay1), static_cast<QWidget *>(TimeDisplay1)}) {
        d->setFixedHeight(22);
        v->addWidget(d);
    }
    GroupBoxMIDIPlay = new QGroupBox(QStringLiteral("Playing"), PanelBottom);
    GroupBoxMIDIPlay->setObjectName(QStringLiteral("GroupBoxMIDIPlay"));
    GroupBoxMIDIPlay->hide();
}

void TfrmMain::BuildEditorGroup() {
    grpEditor = new QGroupBox(PanelTop);
    grpEditor->setObjectName(QStringLiteral("grpEditor"));
    // The widest text each panel shows, so a wider desktop font never clips one.
    StatusBarBottom = new TStatusPanels(QStringLiteral("StatusBarBottom"), {100, 25, 100, 100, 130}, grpEditor,
                                        {QStringLiteral("Line:  999999 of 999999"), QStringLiteral("*"),
                                         QStringLiteral("Bytes: 9999999"), QStringLiteral("Overwrite")});
    StatusBarRichEdit =
        new TStatusPanels(QStringLiteral("StatusBarRichEdit"), {60, 50, 60, 100, 50}, grpEditor,
                          {QStringLiteral("Bar: 99999"), QStringLiteral("Beat: 64"), QStringLiteral("Tick: 999"),
                           QStringLiteral("Time: 00:00:00.00"), QStringLiteral("Play Selected Lines")});
    PanelNoteButtons = new TDurationButtons(grpEditor);
    PanelNoteButtons->setFixedWidth(PanelNoteButtons->sizeHint().width());
    PanelNoteButtons->resize(PanelNoteButtons->sizeHint());
    RichEdit1 = new TNotationEdit(grpEditor);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    PanelEditorLabels = new QWidget(grpEditor);
    PanelEditorLabels->setObjectName(QStringLiteral("PanelEditorLabels"));
    // Two rows of shortcut labels: the line commands, then the bookmark and save labels.
    auto *rows = new QVBoxLayout(PanelEditorLabels);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    QHBoxLayout *row = nullptr;
    auto newRow = [&] {
        row = new QHBoxLayout;
        row->setSpacing(16);
        rows->addLayout(row);
    };
    newRow();
    auto label = [this, &row](const char *name, const QString &text) {
        auto *l = new TClickLabel(text, 0, PanelEditorLabels);
        l->setObjectName(QString::fromLatin1(name));
        // Navy like the other shortcut labels; greyed while the play locks them.
        QPalette link = l->palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
            link.setColor(g, QPalette::WindowText, QColor(0, 0, 128));
        l->setPalette(link);
        row->addWidget(l);
        return l;
    };
    labelDuplicateSelection = label("labelDuplicateSelection", QStringLiteral("Duplicate (Ctrl+D)"));
    labelNewLine = label("labelNewLine", QStringLiteral("New Line"));
    labelgrouplinesbybars = label("labelgrouplinesbybars", QStringLiteral("Group Lines By Bars (Alt+RMB)"));
    row->addStretch(1);
    newRow();
    // The bookmark and save labels run their menu commands (nothing while those are disabled); the
    // save label pauses with the hourglass before it saves.
    const std::pair<const char *, const char *> commandLabels[] = {
        {"LabelSetBookmark", "SetEditorMarker2"},
        {"LabelPlayfromBookmark", "PlayFromEditorBookmarkF41"},
        {"LabelSave", "SaveSong1"}};
    const QString captions[] = {QStringLiteral("Set Bookmark (Shift+Ctrl F4)"),
                                QStringLiteral("Play from Bookmark (F4)"), QStringLiteral("Save (Ctrl+S)")};
    for (size_t i = 0; i < std::size(commandLabels); ++i) {
        TClickLabel *l = label(commandLabels[i].first, captions[i]);
        const bool save = std::string_view(commandLabels[i].first) == "LabelSave";
        connect(l, &TClickLabel::Click, this, [this, save, command = commandLabels[i].second] {
            QAction *a = commands_->Action(command);
            if (!a || !a->isEnabled())
                return;
            if (save && songCommands_)
                songCommands_->Files().LabelSaveClick();
            else
                a->trigger();
        });
    }
    row->addStretch(1);
    PanelEditorLabels->setFixedHeight(PanelEditorLabels->sizeHint().height());
}

void TfrmMain::FitPlayGroupTitles() {
    // Wide enough for the longest "<tab name> Only" title of the song, as the style draws a
    // group's title, so no tab's title is cut and the mixer keeps its width from tab to tab.
    const QString shown = grpFRTPlay->title();
    grpFRTPlay->setMinimumWidth(0);
    int least = 0;
    for (int t = 1; t <= kTabCount; ++t) {
        grpFRTPlay->setTitle(QString::fromStdString(doc_.Song.Tab(t).Name) + QStringLiteral(" Only"));
        least = std::max(least, grpFRTPlay->minimumSizeHint().width());
    }
    grpFRTPlay->setTitle(shown);
    grpFRTPlay->setMinimumWidth(least);
    grpFRTPlay->updateGeometry(); // the mixer's layout drops the width it kept
}

void TfrmMain::BuildBottom() {
    PageControl1 = new TPageControl(PanelBottom);
    QFrame *page = PageControl1->Page();
    PaintBoxInstrument = new TInstrumentPicture(page);
    // The tab's name along the top of the picture, once, in the middle: clear of the head drawn
    // left of the nut and above the keys. Clicks go through to the picture.
    LabelTabName = new QLabel(page);
    LabelTabName->setObjectName(QStringLiteral("LabelTabName"));
    LabelTabName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabelTabName->setAttribute(Qt::WA_TransparentForMouseEvents);
    GroupBoxMixer = new QGroupBox(page);
    GroupBoxMixer->setObjectName(QStringLiteral("GroupBoxMixer"));
    GroupBoxMixer->resize(600, 74);
    auto *g = new QGridLayout(GroupBoxMixer);
    g->setContentsMargins(8, 4, 8, 4);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(2);
    auto spin = [this](const char *name, int lo, int hi) {
        auto *s = new QSpinBox(GroupBoxMixer);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(lo, hi);
        return s;
    };
    LabelSelectPatch = new QLabel(GroupBoxMixer);
    LabelSelectPatch->setObjectName(QStringLiteral("LabelSelectPatch"));
    LabelSelectTuning = new QLabel(GroupBoxMixer);
    LabelSelectTuning->setObjectName(QStringLiteral("LabelSelectTuning"));
    auto *chordCalculator = new TClickLabel(QStringLiteral("Chord Calculator"), 0, GroupBoxMixer);
    chordCalculator->setObjectName(QStringLiteral("LabelAdvancedChordOptions"));
    SetLinkLook(chordCalculator);
    connect(chordCalculator, &TClickLabel::Click, this, [this] { LabelAdvancedChordOptionsClick(); });
    LabelAdvancedChordOptions = chordCalculator;
    UpDownMixerChannel = spin("UpDownMixerChannel", 1, 16);
    UpDownMixerVolume = spin("UpDownMixerVolume", 0, 127);
    UpDownMixerDelay = spin("UpDownMixerDelay", -120, 120);
    UpDownMixerKey = spin("UpDownMixerKey", -24, 24);
    TrackBarMixerBalance = new QSlider(Qt::Horizontal, GroupBoxMixer);
    TrackBarMixerBalance->setObjectName(QStringLiteral("TrackBarMixerBalance"));
    TrackBarMixerBalance->setRange(0, 127);
    TrackBarMixerBalance->setMinimumWidth(90);
    LabelBalancePosition = new QLabel(GroupBoxMixer);
    LabelBalancePosition->setObjectName(QStringLiteral("LabelBalancePosition"));
    // Room for the widest value, so the number never runs into the slider.
    LabelBalancePosition->setMinimumWidth(LabelBalancePosition->fontMetrics().horizontalAdvance(QStringLiteral("127")) +
                                          4);
    CheckBoxMuteInstrument = new TMuteCheckBox(QStringLiteral("Mute"), GroupBoxMixer);
    CheckBoxMuteInstrument->setObjectName(QStringLiteral("CheckBoxMuteInstrument"));
    CheckBoxSoloInstrument = new QCheckBox(QStringLiteral("Solo"), GroupBoxMixer);
    CheckBoxSoloInstrument->setObjectName(QStringLiteral("CheckBoxSoloInstrument"));
    // Instrument, tuning, Mute and Solo above; the numbers below; the play group at the end.
    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(LabelSelectPatch);
    top->addWidget(LabelSelectTuning);
    top->addWidget(LabelAdvancedChordOptions);
    top->addStretch(1);
    top->addWidget(CheckBoxMuteInstrument);
    top->addWidget(CheckBoxSoloInstrument);
    int c = 0;
    auto add = [&](const char *name, const QString &caption, QWidget *w) {
        auto *label = new QLabel(caption, GroupBoxMixer);
        label->setObjectName(QString::fromLatin1(name)); // a click puts the default back (TMixerPanel)
        g->addWidget(label, 1, c++, Qt::AlignRight);
        g->addWidget(w, 1, c++);
    };
    add("LabelChannel", QStringLiteral("Channel"), UpDownMixerChannel);
    add("lblVolume", QStringLiteral("Volume"), UpDownMixerVolume);
    add("labelinstrumentdelay", QStringLiteral("Delay"), UpDownMixerDelay);
    add("Labeltranspose", QStringLiteral("Key"), UpDownMixerKey);
    add("LabelBalance", QStringLiteral("Balance"), TrackBarMixerBalance);
    g->addWidget(LabelBalancePosition, 1, c++);
    g->addLayout(top, 0, 0, 1, c);
    grpFRTPlay = new QGroupBox(GroupBoxMixer);
    grpFRTPlay->setObjectName(QStringLiteral("grpFRTPlay"));
    auto *fv = new QHBoxLayout(grpFRTPlay);
    fv->setContentsMargins(4, 2, 4, 2);
    btnPlayFRT = new QPushButton(QStringLiteral("Play"), grpFRTPlay);
    btnPlayFRT->setObjectName(QStringLiteral("btnPlayFRT"));
    fv->addWidget(btnPlayFRT);
    FitPlayGroupTitles();
    g->addWidget(grpFRTPlay, 0, c, 2, 1);
    g->setColumnStretch(c + 1, 1);

    for (int t = 1; t <= kTabCount; ++t) {
        const TInstrumentTab &tab = doc_.Song.Tab(t);
        PageControl1->AddPage(QString::fromStdString(LowerCaseAscii(tab.Name)), RecordColour(tab.Colour, palette()));
    }
}

void TfrmMain::BuildDrumsPage() {
    // Empty places for the drum work: the pattern group where the editor group sits and
    // the grid group where the instrument picture sits. Hidden until the Drums tab shows.
    GroupBoxDrumPatterns = new QGroupBox(QStringLiteral("Drum Patterns"), PanelTop);
    GroupBoxDrumPatterns->setObjectName(QStringLiteral("GroupBoxDrumPatterns"));
    GroupBoxDrumPatterns->hide();
    GroupBoxPatternProperties = new QGroupBox(QStringLiteral("Drum Grid"), PageControl1->Page());
    GroupBoxPatternProperties->setObjectName(QStringLiteral("GroupBoxPatternProperties"));
    GroupBoxPatternProperties->hide(); // the drum page (TDrumTab) fills both groups
}

void TfrmMain::BindCommands() {
    TCommands &c = *commands_;
    TEditorController *ed = editor_.get();
    // clang-format off
    const std::pair<const char *, void (TEditorController::*)()> edits[] = {
        {"Undo1", &TEditorController::Undo1Click},     {"Cut1", &TEditorController::Cut1Click},
        {"Copy1", &TEditorController::Copy1Click},     {"Paste1", &TEditorController::Paste1Click},
        {"Delete1", &TEditorController::Delete1Click}, {"SelectAll1", &TEditorController::SelectAll1Click},
        {"SelectNone1", &TEditorController::SelectNone1Click}, {"Undo2", &TEditorController::Undo1Click},
        {"Cut2", &TEditorController::Cut1Click},       {"Copy2", &TEditorController::Copy1Click},
        {"Paste2", &TEditorController::Paste1Click},   {"Delete2", &TEditorController::Delete1Click},
        {"SelectAll2", &TEditorController::SelectAll1Click}, {"SelectNone2", &TEditorController::SelectNone1Click},
    };
    // clang-format on
    for (const auto &[name, handler] : edits)
        c.Bind(name, TArea::Editor, [ed, h = handler] { (ed->*h)(); });
    static const char *const durations[7] = {"WholeButton1",      "HalfButton1",      "QuarterButton1",
                                             "EighthButton1",     "SixteenthButton1", "ThirtySecondButton1",
                                             "SixtyFourthButton1"};
    for (int i = 0; i < 7; ++i)
        c.Bind(durations[i], TArea::Editor, [ed, i] { ed->DurationShortcut(i); });
    c.Bind("RestButton1", TArea::Editor, [ed] { ed->btnRestClick(); });
    TBookmarkCommands *marks = bookmarks_.get();
    c.Bind("SetEditorMarker2", TArea::Editor, [marks] { marks->SetEditorMarker2Click(); });
    c.Bind("JumptoEditorMarkerCtrl092", TArea::Editor, [marks] { marks->JumptoEditorMarkerCtrl092Click(); });
    BindLineCommands();

    c.Bind("Exit1", TArea::Window, [this] { Exit1Click(); });
    c.Bind("About1", TArea::Window, [this] { About1Click(); });
    c.Bind("Options1", TArea::Window, [this] { Options1Click(); });
    c.Bind("Contents1", TArea::Window, [this] { Contents1Click(); });
    c.Bind("ChordCalculator1", TArea::Dialogs, [this] { LabelAdvancedChordOptionsClick(); });
    c.Bind("EscapeKey", TArea::Window, [this] { FormKeyDown(Qt::Key_Escape); });
    // Find, replace and go to line, reached with the focus anywhere in the window.
    TFindCommands *find = find_.get();
    const std::pair<const char *, void (TFindCommands::*)()> finds[] = {
        {"Find1", &TFindCommands::Find1Click},         {"Find2", &TFindCommands::Find1Click},
        {"Replace1", &TFindCommands::Replace1Click},   {"Replace2", &TFindCommands::Replace1Click},
        {"FindNext1", &TFindCommands::FindNext1Click}, {"FindNext2", &TFindCommands::FindNext1Click},
        {"GoToLine1", &TFindCommands::GoToLine1Click}, {"GotoLine2", &TFindCommands::GoToLine1Click},
    };
    for (const auto &[name, handler] : finds)
        c.Bind(name, TArea::Dialogs, [find, h = handler] { (find->*h)(); });
    c.Bind("MixerSummary1", TArea::Dialogs, [this] { MixerSummary1Click(); });
    c.Bind("NoteMathforSelectionAltRMB1", TArea::Dialogs, [this] { NoteMathforSelectionAltRMB1Click(); });
    c.Bind("ablature1", TArea::Dialogs, [this] { ShowTablature(TablatureParts()); });
}

void TfrmMain::BindLineCommands() {
    TCommands &c = *commands_;
    TLineCommands *lc = lineCommands_.get();
    using linecmd::TDirective;
    const std::pair<const char *, TDirective> directives[] = {
        {"VOLUME2", TDirective::Volume},   {"BALANCE2", TDirective::Balance}, {"INSTRUMENT2", TDirective::Instrument},
        {"CHANNEL2", TDirective::Channel}, {"DELAY2", TDirective::Delay},     {"TRANSPOSE111", TDirective::Transpose},
        {"TEMPO1", TDirective::Tempo},
    };
    for (const auto &[name, which] : directives)
        c.Bind(name, TArea::Editor, [lc, w = which] { lc->InsertDirective(w); });
    // Transpose Higher and Lower: each item moves the lines by its row's half steps.
    for (const TCommandRow &row : CommandRows()) {
        if (row.menu == TMenu::TransposeHigher)
            c.Bind(row.name, TArea::Editor, [lc, steps = row.halfSteps] { lc->N123Click(steps); });
        else if (row.menu == TMenu::TransposeLower)
            c.Bind(row.name, TArea::Editor, [lc, steps = row.halfSteps] { lc->N124Click(steps); });
    }
    const std::pair<const char *, void (TLineCommands::*)()> rows[] = {
        {"ReverseTheOrderOfLines1", &TLineCommands::ReverseTheOrderOfLines1Click},
        {"RandomizeTheOrderOfLines1", &TLineCommands::RandomizeTheOrderOfLines1Click},
        {"KeepOnlyTheHighestNoteInChords1", &TLineCommands::KeepOnlyTheHighestNoteInChords1Click},
        {"KeepOnlyTheLowestNoteInChords1", &TLineCommands::KeepOnlyTheLowestNoteInChords1Click},
        {"ClearNotesFromLine1", &TLineCommands::ClearNotesFromLine1Click},
        {"ClearEditor2", &TLineCommands::ClearEditor2Click},
        {"ReformatLinesShiftCtrlF11", &TLineCommands::ReformatLinesShiftCtrlF11Click},
        {"Duplicate3", &TLineCommands::Duplicate3Click},
        {"Duplicate4", &TLineCommands::Duplicate3Click},
        {"SelectAllandDuplicate3", &TLineCommands::SelectAllandDuplicate3Click},
        {"SelectAllandDuplicate4", &TLineCommands::SelectAllandDuplicate3Click},
        {"DeleteLine1", &TLineCommands::DeleteLine1Click},
        {"DeleteLine2", &TLineCommands::DeleteLine1Click},
        {"CopyLine1", &TLineCommands::CopyLine1Click},
        {"CopyLine2", &TLineCommands::CopyLine1Click},
        {"SelectToTop1", &TLineCommands::SelectToTop1Click},
        {"SelectToTop2", &TLineCommands::SelectToTop1Click},
        {"SelectToBottom1", &TLineCommands::SelectToBottom1Click},
        {"SelectToBottom2", &TLineCommands::SelectToBottom1Click},
    };
    for (const auto &[name, handler] : rows)
        c.Bind(name, TArea::Editor, [lc, h = handler] { (lc->*h)(); });
    // The shortcut labels below the editor.
    auto click = [this, lc](QLabel *label, void (TLineCommands::*handler)()) {
        connect(static_cast<TClickLabel *>(label), &TClickLabel::Click, this, [lc, handler] { (lc->*handler)(); });
    };
    click(labelDuplicateSelection, &TLineCommands::Duplicate3Click);
    click(labelNewLine, &TLineCommands::labelNewLineClick);
    click(labelgrouplinesbybars, &TLineCommands::ReformatLinesShiftCtrlF11Click);
}

void TfrmMain::ConnectHandlers() {
    TEditorController *ed = editor_.get();
    connect(RichEdit1, &QPlainTextEdit::selectionChanged, this, [ed] { ed->RichEdit1SelectionChange(); });
    connect(RichEdit1, &QPlainTextEdit::cursorPositionChanged, this, [ed] { ed->RichEdit1SelectionChange(); });
    connect(RichEdit1, &QPlainTextEdit::textChanged, this, [ed] { ed->RichEdit1Change(); });
    connect(RichEdit1, &TNotationEdit::UserEdited, this, [ed] { ed->UserEdited(); });
    connect(RichEdit1, &TNotationEdit::OverwriteModeChanged, this, [ed](bool o) { ed->OverwriteModeChanged(o); });
    connect(RichEdit1, &TNotationEdit::KeyUp, this, [ed](int key, Qt::KeyboardModifiers) { ed->RichEdit1KeyUp(key); });
    connect(RichEdit1, &TNotationEdit::MouseUp, this,
            [ed](Qt::MouseButton, Qt::KeyboardModifiers) { ed->RichEdit1MouseUp(); });
    connect(RichEdit1, &TNotationEdit::MouseDown, this, [ed](Qt::MouseButton b, Qt::KeyboardModifiers m) {
        ed->RichEdit1MouseDown(b == Qt::RightButton, m & Qt::ControlModifier, m & Qt::ShiftModifier,
                               m & Qt::AltModifier);
    });
    connect(RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        // A right click with Ctrl, Shift or Alt is a gesture of its own, not the pop-up.
        if (QGuiApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier))
            return;
        commands_->PopUp()->popup(RichEdit1->mapToGlobal(p));
    });
    connect(PanelNoteButtons, &TDurationButtons::DurationClicked, this, [ed](int i) { ed->DurationClick(i); });
    connect(PanelNoteButtons, &TDurationButtons::DottedClicked, this, [ed] { ed->chkDottedClick(); });
    connect(PanelNoteButtons, &TDurationButtons::TripletClicked, this, [ed] { ed->chkTripletClick(); });
    connect(PanelNoteButtons, &TDurationButtons::RestClicked, this, [ed] { ed->btnRestClick(); });

    PageControl1->TabBar()->changing = [this] { return PageControl1Changing(); };
    connect(PageControl1, &TPageControl::Changed, this, [this] { PageControl1Change(); });

    for (QWidget *panel :
         {PanelTop, PanelBottom, static_cast<QWidget *>(grpEditor), static_cast<QWidget *>(GroupBoxMixer),
          static_cast<QWidget *>(grpMIDIPlay), static_cast<QWidget *>(grpFRTPlay)}) {
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
    }

    // The Edit menu and the pop-up show what the clipboard holds now.
    commands_->OnMenuShow(TMenu::Edit, [ed] { ed->EditMenuEditorClick(); });
    connect(commands_->PopUp(), &QMenu::aboutToShow, this, [ed] { ed->EditMenuEditorClick(); });
    // The editor's own signal: it follows whichever tab's document is shown.
    connect(RichEdit1, &QPlainTextEdit::undoAvailable, this, [this] { ApplyCommandState(); });
    // The count-in bars are usable while Count In is checked (the command state).
    connect(chkCountIn, &QCheckBox::toggled, this, [this] { chkCountInClick(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ClipboardChanged(); });
}

// ---- small state helpers -------------------------------------------------------------

bool TfrmMain::Busy() const { return play_.Busy(); }

void TfrmMain::LabelAdvancedChordOptionsClick() {
    // The piano chord dialog on a Piano tab, the chord calculator on fretted tabs.
    if (doc_.Song.Current().Kind == TKind::Piano)
        pickers_->OpenPianoChord();
    else
        chordTools_->OpenChordCalculator(dialogs_);
}

bool TfrmMain::AnyTabModified() const { return doc_.AnyTabModified(); }

void TfrmMain::MarkModified() {
    doc_.Song.Current().Modified = true;
    status_->ShowModified(true);
    UpdateTabCaption(doc_.Song.CurrentTab);
}

void TfrmMain::SongChanged(int tab, unsigned what, bool byUser) {
    tab = std::clamp(tab, 1, kTabCount);
    if (what & kChangedTempo)
        lblTempo->setText(QStringLiteral("Tempo: ") + QString::number(doc_.Song.Tempo));
    if (what & kChangedTimeSignature) {
        const auto sig = ParseTimeSignature(doc_.Song.TimeSignature);
        LabelSigUpper->setText(QString::number(sig ? sig->Upper : 4));
        LabelSigLower->setText(QString::number(sig ? sig->Lower : 4));
    }
    if ((what & kChangedTabSettings) && tab == doc_.Song.CurrentTab) {
        if (what == kChangedWholeSong && mixer_)
            mixer_->ShowPageMixer(); // the song key too, and the Mute handling
        else
            tabs_->ShowMixer();
    }
    if (byUser) {
        TInstrumentTab &rec = doc_.Song.Tab(tab);
        rec.Modified = true;
        status_->ShowModified(true);
    }
    if (what == kChangedWholeSong)
        for (int t = 1; t <= kTabCount; ++t)
            UpdateTabCaption(t);
    else
        UpdateTabCaption(tab);
    if (tab == doc_.Song.CurrentTab && doc_.Song.Current().Kind != TKind::Drums)
        PaintBoxInstrument->ShowLine(lines_->CurrentLine());
    if (drumTab_)
        drumTab_->SongChanged(what);
    if (pickers_)
        pickers_->SongChanged(what);
    if ((what & kChangedTabSettings) && tab == doc_.Song.CurrentTab)
        HoldLeastSize();
    // Every line may now start at another bar or time: the caret line's status afresh.
    status_->ForgetLastLine();
    editor_->RichEdit1SelectionChange();
    ApplyCommandState();
}

void TfrmMain::ClearModifiedMarks() {
    doc_.ClearModifiedMarks();
    status_->ShowModified(false);
}

void TfrmMain::UpdateTabCaption(int tab) {
    if (tab < 1 || tab > kTabCount)
        return;
    const TInstrumentTab &rec = doc_.Song.Tab(tab);
    // The Drums tab holds patterns, not lines.
    const bool holdsText = rec.Kind == TKind::Drums      ? doc_.Drums.list.Count() > 0
                           : tab == doc_.Song.CurrentTab ? !lines_->IsEmpty()
                                                         : !std::as_const(doc_.Song).Lines(tab).empty();
    PageControl1->SetCaption(tab - 1, QString::fromStdString(TabCaption(rec, holdsText)));
}

void TfrmMain::SetCaptionFromFileName() {
    setWindowTitle(productCaption_ + QStringLiteral("  -  ") +
                   QFileInfo(QString::fromStdString(doc_.FileName)).fileName());
}

bool TfrmMain::LoadTabText(int index) {
    if (index < 0 || index >= kTabCount)
        return false;
    docs_->Show(index + 1);
    return true;
}

bool TfrmMain::RestoreTabPlace(int caretLine, bool selection) { return docs_->RestorePlace(caretLine, selection); }

bool TfrmMain::StoreTabText(int index) {
    if (index < 0 || index >= kTabCount)
        return false;
    docs_->Store(index + 1);
    return true;
}

QString TfrmMain::UntitledPath() const { return QDir(env_.untitledFolder).filePath(QStringLiteral("Untitled.twd")); }

// ---- command state ----------------------------------------------------------------------------

void TfrmMain::ApplyCommandState() {
    if (!commands_ || !lines_)
        return;
    TWindowState s;
    s.play = play_.Kind();
    s.longOperation = play_.LongOperation() && play_.Kind() == TPlayKind::Idle;
    const TKind kind = doc_.Song.Current().Kind;
    s.tab = kind == TKind::Drums   ? TTabKindGroup::Drums
            : kind == TKind::Piano ? TTabKindGroup::Piano
                                   : TTabKindGroup::Notes;
    s.lineCount = lines_->LineCount();
    s.hasSelection = lines_->HasSelection();
    s.clipboardHasText = clipboardHasText_;
    s.canUndo = RichEdit1->document()->isUndoAvailable();
    s.findTextKnown = find_ && find_->FindTextKnown();
    s.selectedPatterns = doc_.Drums.list.SelectedCount();
    s.patternCount = doc_.Drums.list.Count();
    s.countInChecked = chkCountIn->isChecked();
    s.helpAvailable = helpAvailable_;
    const TCommandState state = ComputeCommandState(s);

    commands_->Apply(state);
    for (const auto &[name, flags] : state.controls) {
        if (commands_->Action(name))
            continue;
        // The caret moves call this on every key: each control is looked up by name only once.
        auto found = lockedControls_.find(name);
        if (found == lockedControls_.end())
            found = lockedControls_.emplace(name, findChild<QWidget *>(QString::fromStdString(name))).first;
        QWidget *w = found->second;
        if (!w)
            continue;
        w->setEnabled(flags.enabled);
        if (flags.checked)
            if (auto *box = qobject_cast<QCheckBox *>(w); box && box->isChecked() != *flags.checked) {
                const QSignalBlocker block(box);
                box->setChecked(*flags.checked);
            }
    }
    if (RichEdit1->isReadOnly() != state.editorReadOnly)
        RichEdit1->setReadOnly(state.editorReadOnly);
}

void TfrmMain::ClipboardChanged() {
    // Asked when the clipboard says it changed and when a menu opens, not on every caret move.
    clipboardHasText_ = env_.services->clipboard.HasText();
    ApplyCommandState();
}
