#pragma once
// The real timer: a thread of its own that calls the callback on a fixed grid of deadlines
// (start + k x period), so late wake-ups never add up to drift, or in deadline mode at the
// steady-clock moments the callback asks for (never more than a period apart).
#include "platform/Clock.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

class ThreadTimer : public IPeriodicTimer {
public:
    ThreadTimer() = default;
    // Stops and joins. Must not run inside the timer's own callback.
    ~ThreadTimer() override;
    ThreadTimer(const ThreadTimer &) = delete;
    ThreadTimer &operator=(const ThreadTimer &) = delete;

    // periodMs below 1 counts as 1. From inside the callback, after Stop, Start
    // restarts the same thread with the new period and callback.
    bool Start(int periodMs, std::function<void()> tick) override;
    bool StartDeadline(int periodMs, std::function<int64_t()> tick) override;
    void Stop() override;
    // True from a successful Start until Stop is asked for.
    bool Running() const override;

private:
    using Clock = std::chrono::steady_clock;
    bool StartWith(int periodMs, std::function<int64_t()> tick, bool deadline);
    void Loop();
    bool OnTimerThread() const;
    // When to call next: the moment the callback asked for (deadline mode, capped at a period
    // from now) or the next point of the grid after `next`.
    Clock::time_point NextCall(Clock::time_point next, int64_t askedNs) const;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
    std::thread::id threadId_;
    // Called only by the timer thread; in deadline mode it returns the NowNs of the next call.
    std::function<int64_t()> tick_;
    std::function<int64_t()> pendingTick_; // a restart from inside the callback, taken at the next deadline
    bool deadline_ = false, pendingDeadline_ = false;
    bool restartPending_ = false;
    Clock::duration period_{std::chrono::milliseconds(1)};
    bool running_ = false;       // Start succeeded and Stop was not asked for
    bool stopRequested_ = false; // the thread leaves its loop at the next check
    bool joining_ = false;       // another thread waits for the timer thread to end
    std::mutex control_;         // one Start or Stop from outside the timer thread at a time
};

} // namespace platform
