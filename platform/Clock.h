#pragma once
// The millisecond clock and the periodic timer the player runs on.
#include <cstdint>
#include <functional>

namespace platform {

// A monotonic millisecond clock (64-bit, never goes back on the real backend).
class IClock {
public:
    virtual ~IClock() = default;
    virtual int64_t NowMs() const = 0;
};

// A periodic timer that calls its callback every PeriodMs on a thread of its own.
class IPeriodicTimer {
public:
    virtual ~IPeriodicTimer() = default;
    // Starts calling `tick` every periodMs milliseconds. False when the timer cannot start
    // (already running, or the thread could not be created).
    virtual bool Start(int periodMs, std::function<void()> tick) = 0;
    // Stops the timer. From any other thread it waits until a running callback has returned
    // and the thread has ended. From inside the callback it only asks the timer to stop after
    // the callback returns (it never joins its own thread).
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

} // namespace platform
