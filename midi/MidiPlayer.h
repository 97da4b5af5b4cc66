#pragma once
// Plays the song of a set of track outputs in real time: a periodic timer calls the player
// every few milliseconds on its own thread; each call advances the player's iterator by
// the time elapsed (scaled by the tempo percentage), which sends the events that fell due.
//
// Threads: one mutex covers the timer callback and every other call. The state handlers
// (OnStop, OnPlay, ...) run after that mutex is released, on whichever thread changed the
// state (the timer thread for a stop at the song's end); the track outputs' OnEvent runs
// inside the callback with the mutex held and may only call Stop.
#include "midi/MidiPosition.h"
#include "midi/TrackOutputs.h"
#include "platform/Clock.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

class TMidiPlayer {
public:
    enum : int { kStopped = 0, kSeeking = 2, kPlaying = 3 };

    TMidiPlayer(platform::IClock &clock, platform::IPeriodicTimer &timer);
    // Stops (and joins the timer) first.
    ~TMidiPlayer();
    TMidiPlayer(const TMidiPlayer &) = delete;
    TMidiPlayer &operator=(const TMidiPlayer &) = delete;

    TTrackOutputs *TrackOutputs() const { return outputs_; }
    // Rewinds, plays through `outputs` from then on, follows their song while they are active.
    void SetTrackOutputs(TTrackOutputs *outputs);

    bool Play() const { return state_.load() == kPlaying; }
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
    // on from there. SetPosition backward also resets every controller first.
    void SetPosition(int64_t tick);
    void SetBarBeatTick(int32_t bar, int32_t beat, int32_t beatTick);
    void MoveToEnd();

    void AllNotesOff();
    void ResetControllers();

    int State() const { return state_.load(); }
    int TempoPercent() const { return tempoPercent_; }
    // Playback speed in percent (1..10000).
    void SetTempoPercent(int percent);
    int TimerPeriod() const { return timerPeriod_; }
    // Never below the timer's minimum period (1 ms).
    void SetTimerPeriod(int ms);
    int TimerResolution() const { return timerResolution_; }
    // Milliseconds between timer calls (4 by default); applies at the next start.
    void SetTimerResolution(int ms) { timerResolution_ = ms < 1 ? 1 : ms; }
    int64_t ResumeTick() const;

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
    void OnTimer();
    void AdvanceLocked();
    void FireStateEvent();
    void FinishStopLocked(bool fromTimerThread);
    void SetState(int state);
    template <class Move> void SeekLocked(Move move);

    platform::IClock &clock_;
    platform::IPeriodicTimer &timer_;
    mutable std::mutex mutex_;
    TTrackOutputs *outputs_ = nullptr;
    TMidiIterator iterator_;
    std::atomic<int> state_{kStopped};
    std::atomic<int> pendingEvent_{-1}; // a state change whose handler is still to run
    std::atomic<std::thread::id> timerThread_{};
    std::atomic<bool> destroying_{false};
    bool stopping_ = false; // a window-thread Stop is waiting for the timer to end
    bool stopAsked_ = false; // an event handler inside the callback asked for a stop
    int speed_ = 1;
    int tempoPercent_ = 100;
    int64_t remainder_ = 0; // hundredths of a millisecond not yet advanced
    int64_t lastTime_ = 0;
    int64_t resumeTick_ = 0;
    int timerPeriod_ = kMinPeriod;
    int timerResolution_ = 4;
};
