#pragma once
// Live sounding: single lines (or a range of lines) of the current tab sent straight to the
// output port while the user edits, without building MIDI data and without the player.
// Notes sound at the pitch the song builder gives them: the line's own pitch (tuned), plus
// the tab's transpose, the song's transpose and the "*Transpose" directive in force in the
// current run of lines (0 outside a run). Notes that fall outside 0..127 are not sent.
//
// Waits (`WaitMs`) run on the monotonic clock in a Qt event loop that wakes on every window
// event and at the deadline, and end early once the stop flag is set.
#include "song/NoteLine.h"
#include "song/SongModel.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TMidiOutputPort;
namespace platform {
class IClock;
}

// What a run of lines shows in the window while it sounds. Every hook may stay empty.
struct TLiveView {
    std::function<void(int line)> SelectLine;                           // the line that sounds now
    std::function<void(const std::array<int32_t, 6> &frets)> ShowFrets; // fretted line's dots
    // Piano keys that start (true) or stop (false) sounding: silver while they sound.
    std::function<void(const std::array<int32_t, 10> &keys, bool sounding)> KeysSounding;
    std::function<void(const std::array<int32_t, 10> &keys)> HighlightKeys; // line stays shown
    std::function<void()> RefreshKeys;                                      // after each piano line
    std::function<void(int tempo)> TempoChanged;                            // a "*Tempo" line
    std::function<bool()> LoopChecked;                                      // run again while true
};

class TLiveSounding {
public:
    // `stopRequested` is the window's stop flag: set, it ends waits and runs early.
    TLiveSounding(TMidiOutputPort &port, const platform::IClock &clock, bool &stopRequested);

    TMidiOutputPort &Port() const { return port_; }
    const platform::IClock &Clock() const { return clock_; }
    bool &StopRequested() const { return stop_; }

    // The "*Transpose" directive in force during a run of lines; 0 outside a run.
    int LiveTranspose = 0;
    TLiveView View;

    // Waits until the clock has advanced by `ms` or the stop flag is set (and never longer than
    // `ms` of real time). With `pump` window events are processed meanwhile (a stop click or
    // Esc arrives that way); without it the thread sleeps.
    void WaitMs(int ms, bool pump);
    // Tests replace the wait (to step a manual clock); an empty function restores it.
    using TWaiter = std::function<void(int ms, bool pump)>;
    void SetWaiter(TWaiter waiter) { waiter_ = std::move(waiter); }

    // The tab's program on its channel (sent only when the device has another one).
    void SendTabPatch(const TInstrumentTab &tab);
    // Pan of the tab's channel (controller 10).
    void SendBalance(const TInstrumentTab &tab, int value);

    // A picker's preview of one note: the program change first when `program` is 0..127, the
    // note for `ms` milliseconds (window events pumped), then its note-off, whatever ended the
    // wait. A stop left from before is cleared first, so the preview is heard in full.
    void PreviewNote(int bank, int program, int channel, int note, int velocity, int ms);

    // The note a line's pitch sounds at: + tab and song transpose + LiveTranspose.
    // Fretted pitches are those of standard tuning; `slot` adds the tab's tuning (-1: piano).
    int SoundingNote(const TSongModel &song, int basePitch, int slot) const;

    // Sounds the pitches of a fretted line (standard-tuning pitches by string slot, kNoPitch
    // or -1 silent) for `ms` milliseconds on the current tab. Slots the tab does not have stay
    // silent. channel -1: the tab's; velocity -1: the tab's volume. Outside a run of lines it
    // clears the stop flag first (as PlayPianoLineLive does): a preview starts afresh.
    void SoundChordLive(const TSongModel &song, const std::array<int32_t, 6> &pitches, int channel, int velocity,
                        bool pump, int ms);
    // Sounds a piano line for `ms` milliseconds (-1: its own duration at the song's tempo).
    // Blank and directive lines sound nothing and answer true; a line that does not parse
    // answers false.
    bool PlayPianoLineLive(const TSongModel &song, std::string_view text, int ms, int channel, int velocity);
    // Sounds the keys of a piano line already read (-1 ms: the record's own duration length).
    void PlayPianoKeysLive(const TSongModel &song, const TPianoRec &rec, int ms, int channel, int velocity);
    // The caret line's sound: a note line of the current tab for `ms` milliseconds (piano or
    // fretted). False when nothing sounded (blank, directive, Drums tab, a faulty line).
    bool SoundLine(const TSongModel &song, std::string_view text, int ms, bool pump);
    // The same for a line already read under the current tab (in milliseconds).
    bool SoundLine(const TSongModel &song, const TNoteLine &line, int ms, bool pump);

    // Sounds lines from..to of `lines` (the current tab's) one after another, applying their
    // directives; again while the view's LoopChecked answers true. -1 when every line sounded
    // or the run was stopped, else the index of the piano line that failed. After a normal
    // end the tab's program is sent again. Tempo starts at the song's; LiveTranspose is 0
    // before and after the run.
    int PlayLineRange(const TSongModel &song, const std::vector<std::string> &lines, int from, int to);
    // Clears the stop flag, then the whole tab (selFirst < 0 or a selection within one line) or
    // the selected lines selFirst..selLast.
    int StartLinePlayback(const TSongModel &song, const std::vector<std::string> &lines, int selFirst, int selLast);

    // The tempo of the run in progress (the song's outside a run).
    int RunTempo() const { return runTempo_; }

private:
    struct TRunState {
        int volume = -1;
        int channel = -1;
    };
    enum class TRunLine { Silent, Sounded, Failed };
    TRunLine SoundRunLine(const TSongModel &song, const std::string &line, int index, TRunState &state);
    void SoundNotes(const int *notes, int count, int channel, int velocity, bool pump, int ms);
    // Sounds a piano record once the preview has begun (channel and velocity filled in).
    void SoundPianoKeys(const TSongModel &song, const TPianoRec &rec, int ms, int channel, int velocity);
    // Starts a preview on the current tab: clears a stop left from before (outside a run) and
    // puts the tab's channel and volume in for -1, the velocity kept to 1..127.
    const TInstrumentTab &BeginPreview(const TSongModel &song, int &channel, int &velocity);

    TMidiOutputPort &port_;
    const platform::IClock &clock_;
    bool &stop_;
    TWaiter waiter_;
    int runTempo_ = 0;
    bool inRun_ = false; // PlayLineRange is sounding its lines
};
