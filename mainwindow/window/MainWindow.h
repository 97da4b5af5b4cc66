#pragma once
// The main window `TfrmMain`. It owns the song in memory and the controls, and keeps the
// handler names of the program's design; each handler forwards to the collaborator that
// owns its area: the editor line helpers (TEditorLines), the status display
// (TStatusDisplay), the duration controls (TDurationButtons), tab switching
// (TTabSwitcher) and the editor's events and commands (TEditorController).
//
// Services come in through the constructor, so tests build the window offscreen with the
// scripted dialogs, the recording MIDI output and a settings file of their own.
#include "dialogs/common/ProgramOptions.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/SongChange.h"
#include "mainwindow/window/MainDialogs.h"
#include "song/PatternStore.h"
#include "song/SongDocument.h"
#include "song/SongModel.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace platform {
struct Services;
class IMidiOutSystem;
class IMidiOutDevice;
class IClock;
class IPeriodicTimer;
} // namespace platform

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QSpinBox;
class QWidget;
class SettingsStore;
class TBookmarkCommands;
class TCommands;
class TDrumTab;
class TDurationButtons;
class TChordTools;
class TEditorController;
class TEditorLines;
class TFindCommands;
class THints;
class TLineCommands;
class TMixerPanel;
class TLineTools;
class TToolDialogs;
class TSongCommands;
class TNotationEdit;
class TPageControl;
class TPickers;
class TPosDisplay;
class TTimeDisplay;
class TStatusDisplay;
class TStatusPanels;
class TTabSwitcher;
struct TTabParts;
struct TLiveParts;
struct TDrumParts;
struct TLineToolParts;
struct TSongCommandParts;
struct TLineCommandParts;
struct TFindParts;
struct TToolDialogParts;
struct TMixerParts;
struct TBookmarkParts;
struct TTablatureParts;
struct TEditorParts;
struct TPickerParts;
struct TChordToolParts;
class TInstrumentPicture;
class TLiveInstrument;
class TTabDocuments;
class TMidiOutputPort;
class TPhysicalPortList;

// What the window needs from the machine and the program's start.
struct TMainEnvironment {
    const platform::Services *services = nullptr;
    platform::IMidiOutSystem *midiOut = nullptr;
    const platform::IClock *clock = nullptr;
    platform::IPeriodicTimer *timer = nullptr; // the song player's timer; null: a thread of its own
    QString settingsPath;                      // empty: the user's settings file
    QStringList arguments;                     // command-line words after the program name
    QString programDir;                        // where the help document may sit beside the program
    QString untitledFolder;                    // per-user writable folder of "Untitled.twd"
};

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(const TMainEnvironment &env, QWidget *parent = nullptr);
    ~TfrmMain() override;

    void SetDialogs(TMainDialogs dialogs) { dialogs_ = std::move(dialogs); }
    const TMainDialogs &Dialogs() const { return dialogs_; }

    // ---- window state -------------------------------------------------------------------
    ProgramOptions &Options() { return options_; }
    const ProgramOptions &Options() const { return options_; }
    int InitialWidth() const { return initialWidth_; }
    int InitialHeight() const { return initialHeight_; }
    int MaxFret() const { return maxFret_; }
    // The window has been shown once (start-up's work after the first show is done).
    bool Activated() const { return activated_; }
    // Whether the settings file keeps the output device (the options dialog says).
    bool SaveMidiDevice() const { return saveMidiDevice_; }
    // The device the output port opened (-2: none).
    int OpenedDevice() const { return openedDevice_; }

    // The open song: its tabs, drum part, names and modified marks.
    TSongDocument &Document() { return doc_; }
    const TSongDocument &Document() const { return doc_; }

    // ---- collaborators ------------------------------------------------------------------
    TEditorLines &Lines() const { return *lines_; }
    TStatusDisplay &Status() const { return *status_; }
    TTabSwitcher &Tabs() const { return *tabs_; }
    TEditorController &EditorEvents() const { return *editor_; }
    // The Drums tab's page: pattern list, grid, slots, grid play.
    TDrumTab &DrumPage() const { return *drumTab_; }
    // The openers of the tuning dialog, the per-line editor and the duration picker.
    TLineTools &LineTools() const { return *lineTools_; }
    // Every menu item and key of the window, by object name.
    TCommands &Commands() const { return *commands_; }
    // The sound, percussion and piano chord pickers and the scale display.
    TPickers &Pickers() const { return *pickers_; }
    // Who plays, the stop and abort flags, the nested loops.
    TPlayState &PlayState() { return play_; }
    const TPlayState &PlayState() const { return play_; }
    // Song playback, the file commands and the MIDI export (null once the output port closed).
    TSongCommands *SongCommands() const { return songCommands_.get(); }
    const platform::Services &Services() const { return *env_.services; }
    const TMainEnvironment &Environment() const { return env_; }

    // ---- life cycle ---------------------------------------------------------------------
    void FormCreate();
    void InitMainForm();
    void FormActivate();
    // The close question; true when the window may close.
    bool FormCloseQuery();
    void FormClose();
    void OpenDroppedFile(const QStringList &paths);
    void Exit1Click();
    void About1Click();
    void Options1Click();
    void Contents1Click();
    // The "Chord Calculator" label and the Tools menu's item: the chord calculator.
    void LabelAdvancedChordOptionsClick();
    // "Song Information..." (also shown after a song file is read, when the options ask).
    void MixerSummary1Click();
    // "Note Duration Math for Selection".
    void NoteMathforSelectionAltRMB1Click();
    // The count-in box: its bars edit is usable exactly while it is checked (the command state).
    void chkCountInClick() { ApplyCommandState(); }
    // Keys the window sees before its controls; only Esc counts.
    void FormKeyDown(int key);
    void SetHintsVisible(bool visible);
    void FormResize();
    // The smallest window at which the proportional layout leaves every control its room.
    QSize LeastLayoutSize() const;

    // ---- editor line helpers ------------------------------------------------------------
    // The editor's whole text from / into the stored lines of tab index+1 (index 0..15): loading
    // shows that tab's own document (read again from its lines only when they differ from it);
    // storing copies the text only when it or the lines changed since they last matched.
    // False, and nothing changes, for any other index.
    bool LoadTabText(int index);
    bool StoreTabText(int index);
    // The shown tab's caret and selection as the user left them (see TTabDocuments::RestorePlace).
    bool RestoreTabPlace(int caretLine, bool selection);

    // ---- tabs ---------------------------------------------------------------------------
    bool PageControl1Changing();
    void PageControl1Change();

    // ---- song state ---------------------------------------------------------------------
    // Anything playing or a long operation running: edits, tab changes, drops do nothing.
    bool Busy() const;
    bool AnyTabModified() const;
    // The one helper that marks the current tab modified (record, "*", upper-case caption).
    void MarkModified();
    // The one refresh after the song changed: tempo and time-signature labels, tab captions,
    // mixer panel and tuning label, picture, the caret line's status; a user's change also
    // marks `tab` modified (a song read or reset clears the marks instead).
    void SongChanged(int tab, unsigned what, bool byUser = true);
    void ClearModifiedMarks();
    void UpdateTabCaption(int tab);
    void SetCaptionFromFileName();
    // Reads a song file; on success adopts its name. On failure reports and keeps the song.
    bool ReadSong(const QString &path);
    // Writes the song to `path`; false (reported) when it fails, and false when lines the file
    // cannot hold are named and the user answers No (the song stays unsaved and marked).
    bool WriteSong(const QString &path);
    // "Save changes to ...?" when any tab is modified: true to go on (saved or No).
    bool AskSaveChanges();
    // Starts an untitled song without asking.
    void ResetSong();
    void ResetToUntitled();
    QString UntitledPath() const;

    // Nested loops (long edits, waits) count themselves so that a close can wait for them.
    void EnterNestedLoop();
    void LeaveNestedLoop();
    int NestedLoopDepth() const { return play_.LoopDepth(); }

    // Every command's and lock group's enabled flag from the window's state, applied at once.
    void ApplyCommandState();
    // The clipboard's content changed (or a menu that pastes opens): asked again, then applied.
    void ClipboardChanged();
    bool ClosePending() const { return closePending_; }

    // The window's output port (`MidiOutputPort1`); null only before start-up opened it.
    TMidiOutputPort *OutputPort() const { return MidiOutputPort1.get(); }
    // The fretboard, keyboard and live sounding; null only while the output port is closed.
    TLiveInstrument *LiveInstrument() const { return live_.get(); }

signals:
    // The Open command was chosen on the welcome screen (the file commands answer it).
    void OpenSongRequested();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildHints();
    // The least size at which no control overlaps another or is cut, for the texts shown now.
    void HoldLeastSize();
    void FitPlayGroupTitles();

    // Each collaborator's parts: the document, its own widgets and the calls back into the window.
    TTabParts TabParts();
    TLiveParts LiveInstrumentParts();
    TDrumParts DrumTabParts();
    TLineToolParts LineToolParts();
    TSongCommandParts SongCommandParts();
    TLineCommandParts LineCommandParts();
    TFindParts FindParts();
    TToolDialogParts ToolDialogParts();
    TMixerParts MixerParts();
    TBookmarkParts BookmarkParts();
    TTablatureParts TablatureParts();
    TEditorParts EditorParts();
    TPickerParts PickerParts();
    TChordToolParts ChordToolParts();

    // The position and time displays at bar 0, beat 0, tick 0 and no time (a new or read song).
    void ShowSongStart();

    // ---- controls -----------------------------------------------------------------------
    QWidget *PanelTop = nullptr;
    QWidget *PanelBottom = nullptr;
    QGroupBox *grpMIDIPlay = nullptr;
    QGroupBox *grpEditor = nullptr;
    QGroupBox *GroupBoxMIDIPlay = nullptr; // the play animation panel (hidden until playing)
    TPageControl *PageControl1 = nullptr;
    TInstrumentPicture *PaintBoxInstrument = nullptr;
    QGroupBox *GroupBoxMixer = nullptr;
    QGroupBox *grpFRTPlay = nullptr;
    TNotationEdit *RichEdit1 = nullptr;
    TStatusPanels *StatusBarBottom = nullptr;
    TStatusPanels *StatusBarRichEdit = nullptr;
    // The editor's shortcut labels below it ("Duplicate (Ctrl+D)", "New Line", ...).
    QWidget *PanelEditorLabels = nullptr;
    QLabel *labelDuplicateSelection = nullptr, *labelNewLine = nullptr, *labelgrouplinesbybars = nullptr;
    TDurationButtons *PanelNoteButtons = nullptr;
    QPushButton *BitBtnPlayArrangement = nullptr;
    QPushButton *btnPlayFRT = nullptr;
    QCheckBox *chkLoopAll = nullptr;
    QCheckBox *chkMetronome = nullptr;
    QCheckBox *chkCountIn = nullptr;
    QSpinBox *EdtCountInbars = nullptr;
    QLabel *lblTempo = nullptr;
    // "Time Sig: " then the upper number, "/" and the lower number, one after the other.
    QLabel *LabelTimeSigLabel = nullptr, *LabelSigUpper = nullptr, *LabelSlash = nullptr, *LabelSigLower = nullptr;
    QLabel *lblTranspose = nullptr;
    QSpinBox *UpDownSongKey = nullptr; // the song-wide transpose
    TPosDisplay *PosDisplay1 = nullptr;
    TTimeDisplay *TimeDisplay1 = nullptr;
    QLabel *LabelTabName = nullptr;
    QLabel *LabelSelectPatch = nullptr;
    QLabel *LabelSelectTuning = nullptr;
    QLabel *LabelAdvancedChordOptions = nullptr; // "Chord Calculator"
    QSpinBox *UpDownMixerChannel = nullptr;
    QSpinBox *UpDownMixerVolume = nullptr;
    QSpinBox *UpDownMixerDelay = nullptr;
    QSpinBox *UpDownMixerKey = nullptr;
    QSlider *TrackBarMixerBalance = nullptr;
    QLabel *LabelBalancePosition = nullptr;
    QCheckBox *CheckBoxMuteInstrument = nullptr;
    QCheckBox *CheckBoxSoloInstrument = nullptr;
    // The Drums tab's page: the pattern group in the editor group's place, the grid group
    // (holding `StringGridDrums`) in the instrument picture's place; shown on that tab only.
    QGroupBox *GroupBoxDrumPatterns = nullptr;
    QGroupBox *GroupBoxPatternProperties = nullptr;

    void BuildControls();
    void BuildPlayGroup();
    void BuildEditorGroup();
    void BuildBottom();
    void BuildDrumsPage();
    void BindCommands();
    void BindLineCommands();
    void ConnectHandlers();
    void OpenOutputPort();
    // The port onto the options' device, the one path at start-up and after the options: a
    // device beyond those present is the default device; one that will not open falls back to
    // the default device (said to the user when `userChoice`), and with no device at all the
    // warning of no sound hardware. Song playback follows the port.
    void ConnectOutputDevice(bool userChoice);
    QStringList OutputDeviceNames() const;
    // Silences the song, the live instrument and the port (the options' panic button).
    void StopAllSounds();
    void ApplyEditorFont();
    void ShowEditorFont(int size, int style, int color);
    void CloseOutputPort();

    TMainEnvironment env_;
    TSongDocument doc_;
    ProgramOptions options_;
    QString productCaption_;
    int initialWidth_ = 0;
    int initialHeight_ = 0;
    int maxFret_ = 24;
    bool activated_ = false;
    bool saveMidiDevice_ = false;
    bool helpAvailable_ = false;
    QString helpDocument_;
    int openedDevice_ = -2; // the device the output port opened (-2: none)
    TMainDialogs dialogs_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<TEditorLines> lines_;
    std::unique_ptr<TTabDocuments> docs_; // each tab's text, shown in RichEdit1 by turns
    std::unique_ptr<TStatusDisplay> status_;
    std::unique_ptr<TTabSwitcher> tabs_;
    std::unique_ptr<TEditorController> editor_;
    std::unique_ptr<TFindCommands> find_;
    std::unique_ptr<TLineCommands> lineCommands_;
    std::unique_ptr<TMixerPanel> mixer_;
    std::unique_ptr<TBookmarkCommands> bookmarks_;
    std::unique_ptr<TToolDialogs> tools_; // song information and note arithmetic
    std::unique_ptr<TDrumTab> drumTab_;
    std::unique_ptr<TLineTools> lineTools_;
    std::unique_ptr<TPickers> pickers_;
    std::unique_ptr<TPhysicalPortList> physicalPorts_;
    std::unique_ptr<TMidiOutputPort> MidiOutputPort1;
    std::unique_ptr<TLiveInstrument> live_; // sounds through MidiOutputPort1
    TPlayState play_;
    bool clipboardHasText_ = false;
    std::map<std::string, QWidget *, std::less<>> lockedControls_; // the command state's controls by name
    TCommands *commands_ = nullptr;                                // owned by the window
    bool closePending_ = false;
    bool closeAccepted_ = false;
    std::unique_ptr<TSongCommands> songCommands_; // plays through physicalPorts_
    std::unique_ptr<TChordTools> chordTools_;
    THints *hints_ = nullptr; // the controls' pop-up hints; a child of the window
};
