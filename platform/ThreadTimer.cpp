#include "platform/ThreadTimer.h"

#include <algorithm>
#include <system_error>

namespace platform {

ThreadTimer::~ThreadTimer() { Stop(); }

bool ThreadTimer::OnTimerThread() const { return thread_.joinable() && std::this_thread::get_id() == threadId_; }

bool ThreadTimer::Start(int periodMs, std::function<void()> tick) {
    if (!tick)
        return false;
    return StartWith(
        periodMs,
        [tick = std::move(tick)] {
            tick();
            return int64_t{0};
        },
        false);
}

bool ThreadTimer::StartDeadline(int periodMs, std::function<int64_t()> tick) {
    if (!tick)
        return false;
    return StartWith(periodMs, std::move(tick), true);
}

bool ThreadTimer::StartWith(int periodMs, std::function<int64_t()> tick, bool deadline) {
    const Clock::duration period = std::chrono::milliseconds(std::max(1, periodMs));

    std::unique_lock lock(mutex_);
    if (running_)
        return false;
    if (OnTimerThread()) {
        // Restarted from its own callback after a Stop there: keep the thread, swap the
        // callback once the running one has returned.
        if (joining_)
            return false;
        pendingTick_ = std::move(tick);
        pendingDeadline_ = deadline;
        restartPending_ = true;
        period_ = period;
        stopRequested_ = false;
        running_ = true;
        return true;
    }
    lock.unlock();

    std::lock_guard control(control_);
    lock.lock();
    if (running_)
        return false;
    // A thread that stopped itself from its callback is ending (or has ended): reap it.
    std::thread old = std::move(thread_);
    lock.unlock();
    if (old.joinable())
        old.join();
    lock.lock();

    tick_ = std::move(tick);
    deadline_ = deadline;
    pendingTick_ = nullptr;
    restartPending_ = false;
    period_ = period;
    stopRequested_ = false;
    joining_ = false;
    try {
        thread_ = std::thread(&ThreadTimer::Loop, this);
    } catch (const std::system_error &) {
        tick_ = nullptr;
        return false;
    }
    threadId_ = thread_.get_id();
    running_ = true;
    return true;
}

void ThreadTimer::Stop() {
    std::unique_lock lock(mutex_);
    if (OnTimerThread()) {
        // Inside the callback: the loop ends once the callback returns; whoever calls
        // Start, Stop or the destructor next reaps the thread.
        stopRequested_ = true;
        running_ = false;
        restartPending_ = false;
        pendingTick_ = nullptr;
        return;
    }
    lock.unlock();

    std::lock_guard control(control_);
    lock.lock();
    stopRequested_ = true;
    running_ = false;
    restartPending_ = false;
    joining_ = true;
    std::thread thread = std::move(thread_);
    lock.unlock();
    wake_.notify_all();
    if (thread.joinable())
        thread.join();
    lock.lock();
    joining_ = false;
    threadId_ = {};
    tick_ = nullptr;
    pendingTick_ = nullptr;
}

bool ThreadTimer::Running() const {
    std::lock_guard lock(mutex_);
    return running_;
}

ThreadTimer::Clock::time_point ThreadTimer::NextCall(Clock::time_point next, int64_t askedNs) const {
    const Clock::time_point now = Clock::now();
    if (deadline_) {
        const Clock::time_point asked{std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(askedNs))};
        return std::min(asked, now + period_);
    }
    // Next deadline on the grid. After a stall (a slow callback, a suspended machine)
    // the missed deadlines are skipped rather than fired in a burst; the grid stays.
    next += period_;
    if (next < now)
        next += ((now - next) / period_) * period_;
    return next;
}

void ThreadTimer::Loop() {
    std::unique_lock lock(mutex_);
    // Deadline mode calls at once: the callback says when it wants the next call.
    Clock::time_point next = deadline_ ? Clock::now() : Clock::now() + period_;
    for (;;) {
        if (wake_.wait_until(lock, next, [this] { return stopRequested_; }))
            break;
        lock.unlock();
        int64_t asked = 0;
        try {
            asked = tick_();
        } catch (...) {
            // An exception must not end the process from a thread nobody can catch on;
            // the timer stops instead.
            lock.lock();
            stopRequested_ = true;
            running_ = false;
            restartPending_ = false;
            break;
        }
        lock.lock();
        if (restartPending_) {
            tick_ = std::move(pendingTick_);
            deadline_ = pendingDeadline_;
            pendingTick_ = nullptr;
            restartPending_ = false;
            next = deadline_ ? Clock::now() : Clock::now() + period_;
            continue;
        }
        if (stopRequested_)
            break;
        next = NextCall(next, asked);
    }
}

} // namespace platform
