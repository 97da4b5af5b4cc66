#pragma once
// Song playback, the file commands and the MIDI export, joined to the main window's parts: their
// parts built from the window's, the menu items, the Play button, F2 / Ctrl+F2 / F4 and Esc. The
// window creates one TSongCommands once its output port is open, and destroys it (which stops the song
// and lets go of its outputs) before the port goes.
#include "mainwindow/files/FileCommands.h"
#include "mainwindow/files/MidiExport.h"
#include "mainwindow/playback/Playback.h"

#include <QObject>

#include <functional>

#include <map>
#include <memory>

class QAction;
class QLabel;
class TCommands;
class TEditorLines;
class TInstrumentPicture;
class TNotationEdit;
class TPageControl;
class TSongDocument;
class TStatusDisplay;
class TStatusPanels;
struct TMainDialogs;

namespace platform {
class IClock;
class IPeriodicTimer;
} // namespace platform

// The window's controls the song commands drive.
struct TSongCommandWidgets {
    QWidget *Window = nullptr; // the commands' parent
    TPlaybackWidgets Play;     // the play settings, the displays and the play panel
    TNotationEdit *RichEdit1 = nullptr;
    TPageControl *PageControl1 = nullptr;
    TInstrumentPicture *PaintBoxInstrument = nullptr;
    TStatusPanels *StatusBarRichEdit = nullptr;
    QLabel *lblTempo = nullptr; // a click opens the tempo dialog
    // A click on any of them opens the time-signature dialog.
    QLabel *LabelTimeSigLabel = nullptr, *LabelSigUpper = nullptr, *LabelSlash = nullptr, *LabelSigLower = nullptr;
};

// What the song commands ask of the window.
struct TSongCommandCalls {
    std::function<bool(const QString &path)> ReadSong;  // reads and shows a song file (reported)
    std::function<bool(const QString &path)> WriteSong; // writes the song (reported)
    std::function<void()> ResetSong;                    // a new untitled song
    std::function<void()> SetCaptionFromFileName;
    std::function<bool(int index)> StoreTabText; // the editor's text into tab index+1
    std::function<bool()> PageChanging;          // before a tab change (false: refused)
    std::function<void()> PageChanged;           // after it
    std::function<void(int tab, unsigned what, bool byUser)> SongChanged;
    std::function<void()> EnterNestedLoop, LeaveNestedLoop;
    std::function<TMidiOutputPort *()> OutputPort; // the window's own port (may be null)
};

struct TSongCommandParts {
    TSongDocument &Document;
    ProgramOptions &Options;
    const platform::Services &Services;
    TEditorLines &Lines;
    TStatusDisplay &Status;
    TPlayState &PlayState;
    TCommands &Commands;      // the file, export and playback rows
    TPhysicalPortList &Ports; // the song plays through the window's physical ports
    const platform::IClock &Clock;
    platform::IPeriodicTimer *Timer = nullptr; // the player's timer (null: a ThreadTimer of its own)
    const TMainDialogs &Dialogs;               // the tempo and time-signature dialogs
    int OpenedDevice = -2;                     // the device the window's port opened (-2: none)
    TSongCommandWidgets Widgets;
    TSongCommandCalls Calls;
};

class TSongCommands : public QObject {
    Q_OBJECT
public:
    explicit TSongCommands(TSongCommandParts parts);
    ~TSongCommands() override;

    TPlayback &Playback() { return *playback_; }
    TFileCommands &Files() { return *files_; }
    TMidiExport &MidiExport() { return *export_; }

    // Esc while the song plays: abort and stop.
    void Escape();

protected:
    // Clicks on the tempo and time-signature labels open their dialogs (the window's route).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Binds the file, export and playback rows of the command table.
    void Connect();
    // Playback's and the file commands' (and the export's) parts from the window's.
    TPlaybackParts PlaybackParts(platform::IPeriodicTimer &timer);
    TFileParts FileParts();

    // The editor and the tabs as playback and the file commands see them.
    TEditorView EditorView() const;
    void RestoreEditorView(const TEditorView &view, bool reselect);
    void SelectLines(int first, int last);
    void ShowTab(int tab);
    void StoreTabText();

    TSongCommandParts p_;
    std::unique_ptr<platform::IPeriodicTimer> ownTimer_;
    std::unique_ptr<TPlayback> playback_;
    std::unique_ptr<TFileCommands> files_;
    std::unique_ptr<TMidiExport> export_;
};
