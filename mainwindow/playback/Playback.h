#pragma once
// Playing the song: the Play button, F2 from the start, Ctrl+F2 from the caret, F4 from the
// bookmark, Esc and the stop routine, the 100 ms position display and the play panel.
//
// The player runs on its own timer thread; the window thread never hears from it. The play
// command builds the song, seeks the player and then waits in a Qt event loop, polling the
// player's position between events (woken by a 2 ms timer, so it sleeps, it does not spin),
// until the range ends, Stop or Esc. `TimerMidiPosition` refreshes the displays every 100 ms.
//
// The window is reached through the calls of TPlaybackParts, so tests build this class from
// parts of their own, the recording MIDI output and a manual clock and timer.
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/PlaybackRange.h"
#include "mainwindow/rules/SongChange.h"
#include "midi/MidiData.h"
#include "midi/MidiOutputPort.h"
#include "midi/MidiPlayer.h"
#include "midi/TrackOutputs.h"

#include <optional>
#include <string>

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

#include "song/LinePositions.h"
#include "song/PatternStore.h"
#include "song/SongModel.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;
class TPosDisplay;
class TTimeDisplay;

namespace platform {
class IClock;
class IMessageBoxes;
class IPeriodicTimer;
} // namespace platform

// The editor's view, kept across a play.
struct TEditorView {
    int CaretLine = 0;         // 0-based
    bool HasSelection = false; // any selected text
    int SelFirst = 0, SelLast = 0;
    int FirstVisibleLine = 0;
    int LineCount = 0;
};

// The window's controls that playback drives. The play panel's labels and animation are
// created inside `GroupBoxMIDIPlay`.
struct TPlaybackWidgets {
    QPushButton *BitBtnPlayArrangement = nullptr;
    QCheckBox *chkLoopAll = nullptr;
    QCheckBox *chkMetronome = nullptr;
    QCheckBox *chkCountIn = nullptr;
    QSpinBox *EdtCountInbars = nullptr; // with its up-down
    TPosDisplay *PosDisplay1 = nullptr;
    TTimeDisplay *TimeDisplay1 = nullptr;
    QWidget *GroupBoxMIDIPlay = nullptr;   // the play panel, shown while the song plays
    QWidget *PaintBoxInstrument = nullptr; // the instrument picture, hidden meanwhile
};

// What playback asks of the window.
struct TPlaybackCalls {
    std::function<TEditorView()> EditorView;
    // Scrolls back to the first visible line and, when `reselect`, selects the lines again.
    std::function<void(const TEditorView &view, bool reselect)> RestoreEditorView;
    // Selects whole lines first..last (0-based) and shows them.
    std::function<void(int first, int last)> SelectLines;
    // Leaves the caret where it is and selects nothing.
    std::function<void()> ClearSelection;
    // The shown tab's editor text into its stored lines.
    std::function<void()> StoreTabText;
    // Shows tab `tab` (1..16), as a build error on another tab does.
    std::function<void(int tab)> ShowTab;
    std::function<void()> ClearInstrumentPicture;
    // Status panel 4 of the editor's status bar.
    std::function<void(const QString &text)> SetPlayStatusText;
    // Panel 1 of the bottom status bar (the modified mark): empty while the song plays, the
    // tabs' marks as they are otherwise.
    std::function<void(bool playing)> ShowModifiedPanel;
    // The play loop counts itself as a nested loop, so a close waits for it to unwind.
    std::function<void()> EnterNestedLoop, LeaveNestedLoop;
    // The stop routine's part outside the player: the window's own output port (notes off,
    // controllers reset) and the drum grid's play button.
    std::function<void()> StopOtherOutputs;
    std::function<void(bool busy)> SetBusyCursor;
    // The window's one refresh after the song changed (TSongChange bits); a user's change
    // marks the current tab modified.
    std::function<void(unsigned what, bool byUser)> SongChanged;
};

struct TPlaybackParts {
    TSongModel &Song;
    DrumPart &Drums;
    // The window's one play state: the song plays as TPlayKind::Song, which locks the window
    // (the command state); Esc sets its abort flag.
    TPlayState &PlayState;
    platform::IMessageBoxes &Messages;
    // The window's physical ports, so the song and the window's own port share one open
    // device. They must outlive the playback.
    TPhysicalPortList &Ports;
    platform::IClock &Clock;         // the player's
    platform::IPeriodicTimer &Timer; // the player's
    TPlaybackWidgets Widgets;
    TPlaybackCalls Calls;
};

// Shown when no tab has anything to play.
inline constexpr const char *kNothingToPlay = "There is nothing to play: every tab is empty or muted.";
inline constexpr const char *kTimeSignatureRefused =
    "A time signature needs an upper number from 1 to 64 and a lower number of 1, 2, 4, 8, 16, 32 or 64.";

class TPlayback : public QObject {
    Q_OBJECT
public:
    explicit TPlayback(const TPlaybackParts &parts, QObject *parent = nullptr);
    // Stops and joins the player before the data and ports go.
    ~TPlayback() override;

    // The device the track outputs play on (-1: the default device).
    void SetOutputDevice(int deviceId);

    // The Play button: starts the song, or stops it when it reads "Stop".
    void BitBtnPlayArrangementClick();
    // F2: from the start, keeping the editor's view.
    void PlayAll1Click();
    // Ctrl+F2: from the caret line (not on the Drums tab).
    void PlayFromCursor1Click();
    // F4: from the bookmark's line (0-based; -1 asks for one to be set) to the end of the tab's
    // lines; a bookmark beyond the text plays from the caret line.
    void PlayFromBookmark(int bookmark);
    // The stop routine (the play command, Esc, closing the window, the options' panic button).
    void StopSong();
    // Esc: abort, and stop the song while it plays.
    void Escape();
    // The 100 ms position display.
    void TimerMidiPositionTimer();
    // The tempo label: `askTempo` shows the tempo dialog with the current tempo and returns
    // 1..500, or nothing when it was cancelled.
    void lblTempoClick(const std::function<std::optional<int>(int current)> &askTempo);
    // The time-signature labels: `askTimeSignature` shows the dialog with the current "UULL"
    // text and returns the text chosen (nothing when cancelled). A signature the player cannot
    // count (see IsPlayableTimeSignature) is refused with kTimeSignatureRefused.
    void
    LabelSigUpperClick(const std::function<std::optional<std::string>(const std::string &current)> &askTimeSignature);

    bool Playing() const { return p_.PlayState.Playing(TPlayKind::Song); }
    // Ctrl+F2's play runs (from the caret line).
    bool PlayingFromCursor() const { return PlayFromCursor; }

    // The song as the last play built it.
    const TMidiData &MidiData() const { return MidiData1; }
    // The tempo changes of the last build, counted from the song's start (the count-in bars taken
    // off): the caret line's time is shown under them.
    const std::vector<TTempoChange> &BuiltTempoChanges() const { return builtTempo_; }
    TTrackOutputs &Outputs() { return *outputs_; }
    QTimer &PositionTimer() { return TimerMidiPosition; }
    // The range of the last play (for tests).
    const TPlayRange &LastRange() const { return range_; }

private:
    // False when a faulty line stopped the build (that line is then selected).
    bool PlayCommand();
    // Plays, then puts the editor's view (as before the command) back unless the play ended on
    // a faulty line or on another tab.
    void PlayKeepingView(const TEditorView &view);
    void ShowIdleButton();
    void BuildPlayPanel();
    // Waits for the range to end (or a stop); false when the play was stopped or aborted.
    void RunRange();
    // The play panel over the instrument picture while the song plays: the bar count (the
    // count-in's bars left out) and the animation.
    void ShowPlayPanel(int countInBars);
    void HidePlayPanel();
    void SetBodyMuted(bool muted);
    int CountInBarsShown() const;

    const TPlaybackParts p_;
    const TPlaybackWidgets &w_ = p_.Widgets;
    const TPlaybackCalls &calls_ = p_.Calls;
    bool PlayFromCursor = false;
    TMidiData MidiData1;
    std::vector<TTempoChange> builtTempo_;
    // The play panel's labels and animation (inside GroupBoxMIDIPlay).
    QLabel *LabelMIDIPlayBar = nullptr;
    QLabel *LabelMIDIPlayBeat = nullptr;
    QLabel *labelMIDIPlayMaxBar = nullptr;
    QWidget *PanelPlayMidi = nullptr;
    std::unique_ptr<TTrackOutputs> outputs_;
    std::unique_ptr<TMidiPlayer> player_;
    QTimer TimerMidiPosition;
    QTimer poll_;
    TPlayRange range_;
    bool countInShown_ = false;
    int playFromLine_ = -1; // F4's first line while it plays
};
