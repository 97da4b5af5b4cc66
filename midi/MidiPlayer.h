#pragma once
// Plays the song of a set of track outputs in real time. Song time follows the steady clock
// in nanoseconds from an anchor (the clock and song time when play started, was moved or
// changed speed), scaled by the tempo percentage. A timer calls the player on its own
// thread; each call moves the iterator to the song time of now, which sends every event whose
// time has come (each with its ideal clock time, for the device), and then asks for the next
// call at the time of the next event (EventTimed), or the timer simply calls every
// TimerResolution ms.
//
// Threads: one mutex covers the timer callback and every other call. The state handlers
// (OnStop, OnPlay, ...) run after that mutex is released, on whichever thread changed the
// state (the timer thread for a stop at the song's end); the track outputs' OnEvent runs
// inside the callback (or a seek while playing) with the mutex held and may only call Stop.
#include "midi/MidiPosition.h"
#include "midi/TrackOutputs.h"
#include "platform/Clock.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

class TMidiPlayer {
public:
    // Seeking lasts while a seek or a start moves the iterator; fast forward would be a start
    // at another speed, which nothing asks for.
    enum class TState : int { Stopped = 0, Seeking = 2, Playing = 3, FastForward = 4 };

    TMidiPlayer(platform::IClock &clock, platform::IPeriodicTimer &timer);
    // Stops (and joins the timer) first.
    ~TMidiPlayer();
    TMidiPlayer(const TMidiPlayer &) = delete;
    TMidiPlayer &operator=(const TMidiPlayer &) = delete;

    TTrackOutputs *TrackOutputs() const { return outputs_; }
    // Rewinds, plays through `outputs` from then on, follows their song while they are active.
    void SetTrackOutputs(TTrackOutputs *outputs);

    bool Play() const { return state_.load() == TState::Playing; }
    // true while stopped: start from the current position (without active track outputs
    // the player stays stopped and fires OnStop); false while playing: Stop.
    void SetPlay(bool play);
    // Stops the timer, switches every note of the track outputs off, keeps the position
    // (a later Play resumes from it). Joins the timer thread; from inside the callback (an
    // event handler) it only asks, and the stop happens once that tick's events are sent.
    void Stop();
    // Stop, then back to bar 0.
    void Rewind();

    int64_t Position() const; // ticks
    int64_t Time() const;     // milliseconds
    void GetBarBeatTick(int64_t &bar, int &beat, int64_t &beatTick) const;
    void GetTempoAndDenominator(int &tempo, int &denominatorPower) const;
    // Seeks: notes off, programs and controllers chased to the new place; playing goes
    // on from there at once (what lies at the new place sounds now). SetPosition backward
    // also resets every controller first.
    void SetPosition(int64_t tick);
    void SetBarBeatTick(int32_t bar, int32_t beat, int32_t beatTick);
    void MoveToEnd();

    void AllNotesOff();
    void ResetControllers();

    TState State() const { return state_.load(); }
    int TempoPercent() const { return tempoPercent_; }
    // Playback speed in percent (1..10000).
    void SetTempoPercent(int percent);
    int TimerPeriod() const { return timerPeriod_; }
    // Never below the timer's minimum period (1 ms).
    void SetTimerPeriod(int ms);
    int TimerResolution() const { return timerResolution_; }
    // Milliseconds between timer calls (4 by default): the period of the periodic timer, and
    // the longest the event-timed timer sleeps, so the position polled stays fresh. Applies
    // at the next start.
    void SetTimerResolution(int ms) { timerResolution_ = ms < 1 ? 1 : ms; }
    int64_t ResumeTick() const;
    // Playing stops on reaching this tick (notes off), before sending its events: the end of
    // a range played. -1 (the default): play to the song's end.
    void SetStopTick(int64_t tick);

    // true (the default): the timer wakes for each event's time (the next event of any track
    // or of the conductor), so every event goes out when its time comes. false: the timer
    // calls every TimerResolution ms and events go out at the first call at or after their
    // time. Applies at the next start.
    bool EventTimed = true;
    // Stop when every track has sent all its events (true from creation).
    bool StopAtEnd = true;
    // Kept for the settings; the real timer thread already runs at the priority it can get.
    bool BoostPriority = false;
    std::function<void()> OnStop, OnPause, OnPlay, OnFastForward;

    // The player's iterator. Only for reading while the player is stopped.
    const TMidiIterator &Iterator() const { return iterator_; }

private:
    static constexpr int kMinPeriod = 1;
    void Start(int mode);
    int64_t OnTimer();
    // Plays up to now; returns the clock time wanted for the next call.
    int64_t AdvanceLocked();
    // Song time restarts from the iterator's time at clock time `nowNs`.
    void AnchorLocked(int64_t nowNs);
    // Moves the iterator as playback to song time `us` (events with a handler that may stop).
    void PlayToLocked(int64_t us, int64_t nowNs);
    int64_t NextDueNsLocked() const;
    void FireStateEvent();
    void FinishStopLocked(bool fromTimerThread);
    void SetState(TState state);
    template <class Move> void SeekLocked(Move move);

    platform::IClock &clock_;
    platform::IPeriodicTimer &timer_;
    mutable std::mutex mutex_;
    TTrackOutputs *outputs_ = nullptr;
    TMidiIterator iterator_;
    std::atomic<TState> state_{TState::Stopped};
    // A state change whose handler is still to run (its state's number), or kNoEvent.
    static constexpr int kNoEvent = -1;
    std::atomic<int> pendingEvent_{kNoEvent};
    std::atomic<std::thread::id> timerThread_{};
    std::atomic<bool> destroying_{false};
    bool stopping_ = false;  // a window-thread Stop is waiting for the timer to end
    bool stopAsked_ = false; // an event handler inside the callback asked for a stop
    int speed_ = 1;
    int tempoPercent_ = 100;
    TWallClock wall_;       // song time against the clock while playing
    int64_t lastNowNs_ = 0; // the clock at the last move
    int64_t resumeTick_ = 0;
    int64_t stopTick_ = -1;
    int timerPeriod_ = kMinPeriod;
    int timerResolution_ = 4;
};
