#pragma once
// Playing the song: the Play button, F2 from the start, Ctrl+F2 from the caret, F4 from the
// bookmark, Esc and the stop routine, the 100 ms position display and the play panel.
//
// The player runs on its own timer thread; the window thread never hears from it. The play
// command builds the song, seeks the player and then waits in a Qt event loop, polling the
// player's position between events (woken by a 2 ms timer, so it sleeps, it does not spin),
// until the range ends, Stop or Esc. `TimerMidiPosition` refreshes the displays every 100 ms.
//
// The window is reached through IPlaybackHost, so tests drive this class with a host of their
// own, the recording MIDI output and a manual clock and timer.
#include "midi/MidiData.h"
#include "midi/MidiOutputPort.h"
#include "midi/MidiPlayer.h"
#include "midi/TrackOutputs.h"
#include "mainwindow/rules/PlaybackRange.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/SongChange.h"

#include <optional>
#include <string>

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

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
    int CaretLine = 0;          // 0-based
    bool HasSelection = false;  // any selected text
    int SelFirst = 0, SelLast = 0;
    int FirstVisibleLine = 0;
    int LineCount = 0;
};

// What playback needs from the main window.
class IPlaybackHost {
public:
    virtual ~IPlaybackHost() = default;
    virtual TSongModel &Song() = 0;
    virtual DrumPart &Drums() = 0;
    virtual platform::IMessageBoxes &Messages() = 0;

    virtual TEditorView EditorView() = 0;
    // Scrolls back to the first visible line and, when `reselect`, selects the lines again.
    virtual void RestoreEditorView(const TEditorView &view, bool reselect) = 0;
    // Selects whole lines first..last (0-based) and shows them.
    virtual void SelectLines(int first, int last) = 0;
    // Leaves the caret where it is and selects nothing.
    virtual void ClearSelection() = 0;
    // The shown tab's editor text into its stored lines.
    virtual void StoreTabText() = 0;
    // Shows tab `tab` (1..16), as a build error on another tab does.
    virtual void ShowTab(int tab) = 0;
    virtual void ClearInstrumentPicture() = 0;
    // Status panel 4 of the editor's status bar.
    virtual void SetPlayStatusText(const QString &text) = 0;
    // Panel 1 of the bottom status bar (the modified mark): empty while the song plays, the
    // tabs' marks as they are otherwise.
    virtual void ShowModifiedPanel(bool playing) = 0;
    // The window's one play state: the song plays as TPlayKind::Song, which locks the window
    // (the command state); Esc sets its abort flag.
    virtual TPlayState &PlayState() = 0;
    // The play loop counts itself as a nested loop, so a close waits for it to unwind.
    virtual void EnterNestedLoop() = 0;
    virtual void LeaveNestedLoop() = 0;
    // The stop routine's part outside the player: the window's own output port (notes off,
    // controllers reset) and the drum grid's play button.
    virtual void StopOtherOutputs() = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    // The window's one refresh after the song changed (TSongChange bits); a user's change
    // marks the current tab modified.
    virtual void SongChanged(unsigned what, bool byUser) = 0;
};

// The window's controls that playback drives. The play panel's labels and animation are
// created inside `playPanel`.
struct TPlaybackControls {
    QPushButton *playButton = nullptr;  // BitBtnPlayArrangement
    QCheckBox *loop = nullptr;          // chkLoopAll
    QCheckBox *metronome = nullptr;     // chkMetronome
    QCheckBox *countIn = nullptr;       // chkCountIn
    QSpinBox *countInBars = nullptr;    // EdtCountInbars / UpDownCountInbars
    TPosDisplay *pos = nullptr;         // PosDisplay1
    TTimeDisplay *time = nullptr;       // TimeDisplay1
    QWidget *playPanel = nullptr;       // GroupBoxMIDIPlay, shown while the song plays
    QWidget *picture = nullptr;         // PaintBoxInstrument, hidden meanwhile
};

// Shown when no tab has anything to play.
inline constexpr const char *kNothingToPlay = "There is nothing to play: every tab is empty or muted.";
inline constexpr const char *kTimeSignatureRefused =
    "A time signature needs an upper number from 1 to 64 and a lower number of 1, 2, 4, 8, 16, 32 or 64.";

class TPlayback : public QObject {
    Q_OBJECT
public:
    // `ports`: the window's physical ports, so the song and the window's own port share one
    // open device. It must outlive this object.
    TPlayback(IPlaybackHost &host, const TPlaybackControls &controls, TPhysicalPortList &ports,
              platform::IClock &clock, platform::IPeriodicTimer &timer, QObject *parent = nullptr);
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
    // The count-in edit is usable exactly while Count In is checked.
    void chkCountInClick();
    // The tempo label: `askTempo` shows the tempo dialog with the current tempo and returns
    // 1..500, or nothing when it was cancelled.
    void lblTempoClick(const std::function<std::optional<int>(int current)> &askTempo);
    // The time-signature labels: `askTimeSignature` shows the dialog with the current "UULL"
    // text and returns the text chosen (nothing when cancelled). A signature the player cannot
    // count (see IsPlayableTimeSignature) is refused with kTimeSignatureRefused.
    void LabelSigUpperClick(
        const std::function<std::optional<std::string>(const std::string &current)> &askTimeSignature);

    bool Playing() const { return host_.PlayState().Playing(TPlayKind::Song); }
    bool PlayFromCursor = false;

    TMidiData MidiData1;
    TMidiPlayer &Player() { return *player_; }
    TTrackOutputs &Outputs() { return *outputs_; }
    QTimer &PositionTimer() { return TimerMidiPosition; }
    // The range of the last play (for tests).
    const TPlayRange &LastRange() const { return range_; }

    // Play panel labels.
    QLabel *LabelMIDIPlayBar = nullptr;
    QLabel *LabelMIDIPlayBeat = nullptr;
    QLabel *labelMIDIPlayMaxBar = nullptr;
    QWidget *PanelPlayMidi = nullptr;

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
    void SetBodyMuted(bool muted);
    int CountInBarsShown() const;

    IPlaybackHost &host_;
    TPlaybackControls c_;
    std::unique_ptr<TTrackOutputs> outputs_;
    std::unique_ptr<TMidiPlayer> player_;
    QTimer TimerMidiPosition;
    QTimer poll_;
    TPlayRange range_;
    bool countInShown_ = false;
    int playFromLine_ = -1; // F4's first line while it plays
};
