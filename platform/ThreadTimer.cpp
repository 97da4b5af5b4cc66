#include "platform/ThreadTimer.h"

#include <algorithm>
#include <system_error>

namespace platform {

ThreadTimer::~ThreadTimer() { Stop(); }

bool ThreadTimer::OnTimerThread() const {
    return thread_.joinable() && std::this_thread::get_id() == threadId_;
}

bool ThreadTimer::Start(int periodMs, std::function<void()> tick) {
    if (!tick) return false;
    const Clock::duration period = std::chrono::milliseconds(std::max(1, periodMs));

    std::unique_lock lock(mutex_);
    if (running_) return false;
    if (OnTimerThread()) {
        // Restarted from its own callback after a Stop there: keep the thread, swap the
        // callback once the running one has returned.
        if (joining_) return false;
        pendingTick_ = std::move(tick);
        restartPending_ = true;
        period_ = period;
        stopRequested_ = false;
        running_ = true;
        ticks_ = 0;
        return true;
    }
    lock.unlock();

    std::lock_guard control(control_);
    lock.lock();
    if (running_) return false;
    // A thread that stopped itself from its callback is ending (or has ended): reap it.
    std::thread old = std::move(thread_);
    lock.unlock();
    if (old.joinable()) old.join();
    lock.lock();

    tick_ = std::move(tick);
    pendingTick_ = nullptr;
    restartPending_ = false;
    period_ = period;
    stopRequested_ = false;
    joining_ = false;
    ticks_ = 0;
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
    if (thread.joinable()) thread.join();
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

int64_t ThreadTimer::TickCount() const {
    std::lock_guard lock(mutex_);
    return ticks_;
}

void ThreadTimer::Loop() {
    std::unique_lock lock(mutex_);
    Clock::time_point next = Clock::now() + period_;
    for (;;) {
        if (wake_.wait_until(lock, next, [this] { return stopRequested_; })) break;
        ++ticks_;
        lock.unlock();
        try {
            tick_();
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
            pendingTick_ = nullptr;
            restartPending_ = false;
            next = Clock::now() + period_;
            continue;
        }
        if (stopRequested_) break;
        // Next deadline on the grid. After a stall (a slow callback, a suspended machine)
        // the missed deadlines are skipped rather than fired in a burst; the grid stays.
        next += period_;
        const Clock::time_point now = Clock::now();
        if (next < now) next += ((now - next) / period_) * period_;
    }
}

} // namespace platform
