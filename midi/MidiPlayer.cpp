#include "midi/MidiPlayer.h"

#include <algorithm>
#include <limits>

namespace {
// Nothing is due: the timer's period decides the next call.
constexpr int64_t kNothingDue = std::numeric_limits<int64_t>::max();
} // namespace

TMidiPlayer::TMidiPlayer(platform::IClock &clock, platform::IPeriodicTimer &timer) : clock_(clock), timer_(timer) {
    iterator_.SetWallClock(&wall_);
}

TMidiPlayer::~TMidiPlayer() {
    destroying_ = true; // no state handlers from here on
    Stop();
    timer_.Stop();
}

void TMidiPlayer::SetState(TState state) {
    if (state_.exchange(state) != state)
        pendingEvent_ = static_cast<int>(state);
}

void TMidiPlayer::FireStateEvent() {
    const int event = pendingEvent_.exchange(kNoEvent);
    if (destroying_ || event == kNoEvent)
        return;
    const std::function<void()> *handler = nullptr;
    switch (static_cast<TState>(event)) {
    case TState::Stopped:
        handler = &OnStop;
        break;
    case TState::Seeking:
        handler = &OnPause;
        break;
    case TState::Playing:
        handler = &OnPlay;
        break;
    case TState::FastForward:
        handler = &OnFastForward;
        break;
    }
    if (handler && *handler)
        (*handler)();
}

void TMidiPlayer::SetTrackOutputs(TTrackOutputs *outputs) {
    if (outputs == outputs_)
        return;
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
    const TState state = state_.load();
    if (play && state == TState::Stopped) {
        Start(1);
        FireStateEvent();
    } else if (!play && state == TState::Playing) {
        Stop();
    }
}

void TMidiPlayer::Start(int mode) {
    // A stop at the song's end, made inside the callback, left the timer thread to be joined.
    timer_.Stop();
    std::lock_guard lock(mutex_);
    if (!outputs_ || !outputs_->Active()) {
        state_ = TState::Playing;
        SetState(TState::Stopped);
        return;
    }
    iterator_.SetMidiData(outputs_->MidiData());
    // Both moves are seeks: programs are sent and controllers chased to the position.
    const int64_t tick = iterator_.Tick();
    iterator_.SetTick(resumeTick_);
    state_ = TState::Seeking;
    iterator_.SetTick(tick);
    speed_ = mode;
    stopping_ = false;
    stopAsked_ = false;
    AnchorLocked(clock_.NowNs());
    const bool started = EventTimed ? timer_.StartDeadline(timerResolution_, [this] { return OnTimer(); })
                                    : timer_.Start(timerResolution_, [this] { OnTimer(); });
    SetState(started ? (mode == 1 ? TState::Playing : TState::FastForward) : TState::Stopped);
}

int64_t TMidiPlayer::OnTimer() {
    int64_t next;
    {
        std::lock_guard lock(mutex_);
        next = AdvanceLocked();
    }
    FireStateEvent();
    return next;
}

void TMidiPlayer::AnchorLocked(int64_t nowNs) {
    wall_.AnchorNs = nowNs;
    wall_.AnchorUs = iterator_.TimeUs();
    wall_.Rate = int64_t{tempoPercent_} * speed_;
    lastNowNs_ = nowNs;
}

void TMidiPlayer::PlayToLocked(int64_t us, int64_t nowNs) {
    timerThread_ = std::this_thread::get_id(); // an event handler's Stop only asks
    iterator_.PlayLimit = stopTick_;
    iterator_.AdvanceToUs(us);
    // The song's conductor changed behind the position and put it later: play on from there.
    if (iterator_.TimeUs() != us)
        AnchorLocked(nowNs);
    timerThread_ = std::thread::id{};
}

int64_t TMidiPlayer::AdvanceLocked() {
    if (stopping_ || state_.load() != TState::Playing)
        return kNothingDue;
    const int64_t now = clock_.NowNs();
    // A clock that went back advances nothing, and play goes on from there.
    if (now < lastNowNs_)
        AnchorLocked(now);
    lastNowNs_ = now;
    PlayToLocked(wall_.SongUs(now), now);
    // A stop asked for by an event handler is carried out once this call's events are out,
    // so a note sent after the handler's event in the same call is switched off as well.
    const bool atStopTick = stopTick_ >= 0 && iterator_.Tick() >= stopTick_;
    if (stopAsked_ || atStopTick || (iterator_.End() && StopAtEnd)) {
        FinishStopLocked(true);
        return kNothingDue;
    }
    return NextDueNsLocked();
}

int64_t TMidiPlayer::NextDueNsLocked() const {
    int64_t tick = iterator_.NextDueTick();
    if (stopTick_ >= 0 && (tick < 0 || stopTick_ < tick))
        tick = stopTick_;
    return tick < 0 ? kNothingDue : wall_.WallNs(iterator_.TimeUsAt(tick));
}

void TMidiPlayer::FinishStopLocked(bool fromTimerThread) {
    if (fromTimerThread)
        timer_.Stop(); // only asks: the timer thread never joins itself
    if (outputs_)
        outputs_->AllNotesOff();
    resumeTick_ = iterator_.Tick();
    stopping_ = false;
    stopAsked_ = false;
    SetState(TState::Stopped);
}

void TMidiPlayer::Stop() {
    if (timerThread_.load() == std::this_thread::get_id()) {
        // Called by a track event handler inside the callback, which holds the mutex already:
        // only ask; the callback stops when the handler's tick is done.
        if (state_.load() >= TState::Seeking)
            stopAsked_ = true;
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (state_.load() < TState::Seeking) {
            SetState(TState::Stopped);
            return;
        }
        stopping_ = true; // a callback that gets in before the join does nothing
    }
    timer_.Stop(); // joins: never while holding the mutex the callback waits for
    {
        std::lock_guard lock(mutex_);
        if (state_.load() >= TState::Seeking)
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
    const TState saved = state_.load();
    if (saved > TState::Seeking)
        state_ = TState::Seeking;
    if (outputs_)
        outputs_->AllNotesOff();
    move();
    if (state_.load() == TState::Seeking)
        state_ = saved;
    if (state_.load() == TState::Playing && !stopping_) {
        // Playing resumes from the new place now: the seek's own duration is not played, and
        // what lies at the new place is due at once (the timer may be asleep for a while).
        const int64_t now = clock_.NowNs();
        AnchorLocked(now);
        PlayToLocked(wall_.AnchorUs, now);
    }
}

void TMidiPlayer::SetPosition(int64_t tick) {
    std::lock_guard lock(mutex_);
    SeekLocked([&] {
        if (tick < iterator_.Tick() && outputs_)
            outputs_->ResetControllers();
        iterator_.SetTick(tick);
    });
}

void TMidiPlayer::SetBarBeatTick(int32_t bar, int32_t beat, int32_t beatTick) {
    std::lock_guard lock(mutex_);
    if (outputs_)
        iterator_.SetMidiData(outputs_->MidiData());
    SeekLocked([&] { iterator_.SetBarBeatTick(bar, beat, beatTick); });
}

void TMidiPlayer::MoveToEnd() {
    std::lock_guard lock(mutex_);
    if (outputs_)
        iterator_.SetMidiData(outputs_->MidiData());
    SeekLocked([&] { iterator_.MoveToEnd(); });
}

void TMidiPlayer::AllNotesOff() {
    std::lock_guard lock(mutex_);
    if (outputs_)
        outputs_->AllNotesOff();
}

void TMidiPlayer::ResetControllers() {
    std::lock_guard lock(mutex_);
    if (outputs_)
        outputs_->ResetControllers();
}

void TMidiPlayer::SetTempoPercent(int percent) {
    std::lock_guard lock(mutex_);
    // Song time so far counts at the old speed; from now on at the new one.
    const int64_t now = clock_.NowNs();
    if (state_.load() == TState::Playing && now >= lastNowNs_) {
        wall_.AnchorUs = std::max(wall_.SongUs(now), iterator_.TimeUs());
        wall_.AnchorNs = now;
        lastNowNs_ = now;
    }
    tempoPercent_ = std::clamp(percent, 1, 10000);
    wall_.Rate = int64_t{tempoPercent_} * speed_;
}

void TMidiPlayer::SetStopTick(int64_t tick) {
    std::lock_guard lock(mutex_);
    stopTick_ = tick < 0 ? -1 : tick;
}

void TMidiPlayer::SetTimerPeriod(int ms) {
    if (ms != timerPeriod_)
        timerPeriod_ = std::max(ms, kMinPeriod);
}
