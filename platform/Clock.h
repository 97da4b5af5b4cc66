#pragma once
// The monotonic clock and the timer the player runs on.
#include <cstdint>
#include <functional>

namespace platform {

// A monotonic clock (64-bit, never goes back on the real backend): milliseconds for the
// displays and waits, nanoseconds for the player's timing.
class IClock {
public:
    virtual ~IClock() = default;
    virtual int64_t NowMs() const = 0;
    // The same clock in nanoseconds; on the real backend std::chrono::steady_clock's time
    // since its epoch, the time base of IMidiOutDevice::SendShortAt.
    virtual int64_t NowNs() const = 0;
};

// A timer that calls its callback on a thread of its own: every PeriodMs, or (deadline
// mode) at the moments the callback asks for.
class IPeriodicTimer {
public:
    virtual ~IPeriodicTimer() = default;
    // Starts calling `tick` every periodMs milliseconds. False when the timer cannot start
    // (already running, or the thread could not be created).
    virtual bool Start(int periodMs, std::function<void()> tick) = 0;
    // Deadline mode: the first call comes at once; each call returns the clock's NowNs at
    // which it wants the next one. The timer sleeps until then, never longer than periodMs
    // (so whatever the callback keeps up to date stays fresh); a moment already past means
    // the next call comes at once. Otherwise as Start.
    virtual bool StartDeadline(int periodMs, std::function<int64_t()> tick) = 0;
    // Stops the timer. From any other thread it waits until a running callback has returned
    // and the thread has ended. From inside the callback it only asks the timer to stop after
    // the callback returns (it never joins its own thread).
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

} // namespace platform
