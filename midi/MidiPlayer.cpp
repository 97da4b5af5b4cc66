#include "midi/MidiPlayer.h"

#include <algorithm>

TMidiPlayer::TMidiPlayer(platform::IClock &clock, platform::IPeriodicTimer &timer) : clock_(clock), timer_(timer) {}

TMidiPlayer::~TMidiPlayer() {
    destroying_ = true; // no state handlers from here on
    Stop();
    timer_.Stop();
}

void TMidiPlayer::SetState(int state) {
    if (state_.exchange(state) != state) pendingEvent_ = state;
}

void TMidiPlayer::FireStateEvent() {
    const int state = pendingEvent_.exchange(-1);
    if (destroying_) return;
    const std::function<void()> *handler = nullptr;
    switch (state) {
    case kStopped: handler = &OnStop; break;
    case kSeeking: handler = &OnPause; break;
    case kPlaying: handler = &OnPlay; break;
    case 4: handler = &OnFastForward; break;
    default: break;
    }
    if (handler && *handler) (*handler)();
}

void TMidiPlayer::SetTrackOutputs(TTrackOutputs *outputs) {
    if (outputs == outputs_) return;
    Rewind();
    {
        std::lock_guard lock(mutex_);
        outputs_ = outputs;
        iterator_.SetTrackOutputs(outputs);
    }
    Stop();
    std::lock_guard lock(mutex_);
    iterator_.SetMidiData(outputs && outputs->Active() ? outputs->MidiData() : nullptr);
}

void TMidiPlayer::SetPlay(bool play) {
    const int state = state_.load();
    if (play && state == kStopped) {
        Start(1);
        FireStateEvent();
    } else if (!play && state == kPlaying) {
        Stop();
    }
}

void TMidiPlayer::Start(int mode) {
    // A stop at the song's end, made inside the callback, left the timer thread to be joined.
    timer_.Stop();
    std::lock_guard lock(mutex_);
    if (!outputs_ || !outputs_->Active()) {
        state_ = kPlaying;
        SetState(kStopped);
        return;
    }
    iterator_.SetMidiData(outputs_->MidiData());
    // Both moves are seeks: programs are sent and controllers chased to the position.
    const int64_t tick = iterator_.Tick();
    iterator_.SetTick(resumeTick_);
    state_ = kSeeking;
    iterator_.SetTick(tick);
    speed_ = mode;
    lastTime_ = clock_.NowMs();
    remainder_ = 0;
    stopping_ = false;
    stopAsked_ = false;
    if (timer_.Start(timerResolution_, [this] { OnTimer(); }))
        SetState(mode == 1 ? kPlaying : 4);
    else
        SetState(kStopped);
}

void TMidiPlayer::OnTimer() {
    {
        std::lock_guard lock(mutex_);
        AdvanceLocked();
    }
    FireStateEvent();
}

void TMidiPlayer::AdvanceLocked() {
    if (stopping_ || state_.load() != kPlaying) return;
    timerThread_ = std::this_thread::get_id();
    const int64_t now = clock_.NowMs();
    const int64_t elapsed = now - lastTime_;
    lastTime_ = now;
    // A clock that stood still or went back advances nothing; the percentage keeps its
    // remainder, so 50 % of 4 ms ticks is exactly half of real time.
    if (elapsed > 0) {
        const int64_t scaled = elapsed * tempoPercent_ + remainder_;
        remainder_ = scaled % 100;
        const int64_t advance = scaled / 100 * speed_;
        if (advance > 0) iterator_.AdvanceBy(advance);
    }
    // A stop asked for by an event handler is carried out once this tick's events are out,
    // so a note sent after the handler's event in the same tick is switched off as well.
    if (stopAsked_ || (iterator_.End() && StopAtEnd)) FinishStopLocked(true);
    timerThread_ = std::thread::id{};
}

void TMidiPlayer::FinishStopLocked(bool fromTimerThread) {
    if (fromTimerThread) timer_.Stop(); // only asks: the timer thread never joins itself
    if (outputs_) outputs_->AllNotesOff();
    resumeTick_ = iterator_.Tick();
    stopping_ = false;
    stopAsked_ = false;
    SetState(kStopped);
}

void TMidiPlayer::Stop() {
    if (timerThread_.load() == std::this_thread::get_id()) {
        // Called by a track event handler inside the callback, which holds the mutex already:
        // only ask; the callback stops when the handler's tick is done.
        if (state_.load() >= kSeeking) stopAsked_ = true;
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (state_.load() < kSeeking) {
            SetState(kStopped);
            return;
        }
        stopping_ = true; // a callback that gets in before the join does nothing
    }
    timer_.Stop(); // joins: never while holding the mutex the callback waits for
    {
        std::lock_guard lock(mutex_);
        if (state_.load() >= kSeeking)
            FinishStopLocked(false);
        else
            stopping_ = false;
    }
    FireStateEvent();
}

void TMidiPlayer::Rewind() {
    Stop();
    std::lock_guard lock(mutex_);
    iterator_.SetBarBeatTick(0, 0, 0);
}

int64_t TMidiPlayer::Position() const {
    std::lock_guard lock(mutex_);
    return iterator_.Tick();
}

int64_t TMidiPlayer::Time() const {
    std::lock_guard lock(mutex_);
    return iterator_.Time();
}

int64_t TMidiPlayer::ResumeTick() const {
    std::lock_guard lock(mutex_);
    return resumeTick_;
}

void TMidiPlayer::GetBarBeatTick(int64_t &bar, int &beat, int64_t &beatTick) const {
    std::lock_guard lock(mutex_);
    bar = iterator_.Bar();
    beat = iterator_.Beat();
    beatTick = iterator_.BeatTick();
}

void TMidiPlayer::GetTempoAndDenominator(int &tempo, int &denominatorPower) const {
    std::lock_guard lock(mutex_);
    tempo = iterator_.Tempo();
    denominatorPower = iterator_.DenominatorPower();
}

template <class Move> void TMidiPlayer::SeekLocked(Move move) {
    const int saved = state_.load();
    if (saved > kSeeking) state_ = kSeeking;
    if (outputs_) outputs_->AllNotesOff();
    move();
    if (state_.load() == kSeeking) state_ = saved;
    if (state_.load() == kPlaying) {
        // Playing resumes from the new place now: the seek's own duration is not played.
        lastTime_ = clock_.NowMs();
        remainder_ = 0;
    }
}

void TMidiPlayer::SetPosition(int64_t tick) {
    std::lock_guard lock(mutex_);
    SeekLocked([&] {
        if (tick < iterator_.Tick() && outputs_) outputs_->ResetControllers();
        iterator_.SetTick(tick);
    });
}

void TMidiPlayer::SetBarBeatTick(int32_t bar, int32_t beat, int32_t beatTick) {
    std::lock_guard lock(mutex_);
    if (outputs_) iterator_.SetMidiData(outputs_->MidiData());
    SeekLocked([&] { iterator_.SetBarBeatTick(bar, beat, beatTick); });
}

void TMidiPlayer::MoveToEnd() {
    std::lock_guard lock(mutex_);
    if (outputs_) iterator_.SetMidiData(outputs_->MidiData());
    SeekLocked([&] { iterator_.MoveToEnd(); });
}

void TMidiPlayer::AllNotesOff() {
    std::lock_guard lock(mutex_);
    if (outputs_) outputs_->AllNotesOff();
}

void TMidiPlayer::ResetControllers() {
    std::lock_guard lock(mutex_);
    if (outputs_) outputs_->ResetControllers();
}

void TMidiPlayer::SetTempoPercent(int percent) {
    std::lock_guard lock(mutex_);
    tempoPercent_ = std::clamp(percent, 1, 10000);
}

void TMidiPlayer::SetTimerPeriod(int ms) {
    if (ms != timerPeriod_) timerPeriod_ = std::max(ms, kMinPeriod);
}
