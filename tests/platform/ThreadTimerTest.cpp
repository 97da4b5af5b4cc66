#include "platform/ThreadTimer.h"
#include "platform/SteadyClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace platform;
using namespace std::chrono_literals;

namespace {

// Polls until `done` holds or two seconds pass (a generous bound: the timers run at a few ms).
template <typename Pred> bool WaitFor(Pred done) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace

TEST(SteadyClock, IsMonotonicAndInMilliseconds) {
    SteadyClock clock;
    const int64_t a = clock.NowMs();
    std::this_thread::sleep_for(5ms);
    const int64_t b = clock.NowMs();
    EXPECT_GE(b - a, 5);
    EXPECT_LT(b - a, 60'000); // milliseconds, not micro- or nanoseconds
    // Nanoseconds of the same clock.
    const int64_t ns = clock.NowNs();
    EXPECT_GE(ns / 1'000'000, b);
    EXPECT_LE(ns / 1'000'000, clock.NowMs());
}

// Deadline mode: the first call comes at once, no call comes before the moment the previous
// one asked for, and a moment far off still gets a call every period.
TEST(ThreadTimer, DeadlineModeCallsWhenAskedButAtLeastEveryPeriod) {
    SteadyClock clock;
    ThreadTimer timer;
    std::mutex mutex;
    std::vector<std::pair<int64_t, int64_t>> calls; // (asked, called)
    int64_t asked = clock.NowNs();
    ASSERT_TRUE(timer.StartDeadline(10'000, [&] {
        std::lock_guard lock(mutex);
        calls.push_back({asked, clock.NowNs()});
        asked = clock.NowNs() + (calls.size() < 4 ? 3'000'000 : int64_t{3600} * 1'000'000'000);
        return asked;
    }));
    // Within WaitFor's two seconds: neither the first call nor the 3 ms ones wait for the period.
    ASSERT_TRUE(WaitFor([&] {
        std::lock_guard lock(mutex);
        return calls.size() >= 4;
    }));
    timer.Stop();
    std::lock_guard lock(mutex);
    ASSERT_EQ(calls.size(), 4u) << "an hour away with a 10 s period: no fifth call yet";
    for (const auto &[wanted, called] : calls)
        EXPECT_GE(called, wanted);

    // The same with a short period: the far moment is capped.
    std::atomic<int> capped{0};
    ASSERT_TRUE(timer.StartDeadline(2, [&] {
        ++capped;
        return clock.NowNs() + int64_t{3600} * 1'000'000'000;
    }));
    EXPECT_TRUE(WaitFor([&] { return capped >= 3; }));
    timer.Stop();
}

TEST(ThreadTimer, TicksUntilStoppedAndNotAfter) {
    ThreadTimer timer;
    std::atomic<int> ticks{0};
    ASSERT_TRUE(timer.Start(2, [&] { ++ticks; }));
    EXPECT_TRUE(timer.Running());
    EXPECT_FALSE(timer.Start(2, [] {})) << "a running timer refuses a second Start";
    ASSERT_TRUE(WaitFor([&] { return ticks >= 5; }));
    timer.Stop();
    EXPECT_FALSE(timer.Running());
    const int atStop = ticks;
    std::this_thread::sleep_for(15ms);
    EXPECT_EQ(ticks, atStop) << "Stop from another thread joins: no callback runs afterwards";
}

TEST(ThreadTimer, StopFromInsideTheCallbackOnlyFlagsAndStartWorksAgain) {
    ThreadTimer timer;
    std::atomic<int> ticks{0};
    ASSERT_TRUE(timer.Start(1, [&] {
        if (++ticks == 3)
            timer.Stop(); // would deadlock if it joined its own thread
    }));
    ASSERT_TRUE(WaitFor([&] { return !timer.Running(); }));
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(ticks, 3);

    std::atomic<int> again{0};
    ASSERT_TRUE(timer.Start(1, [&] { ++again; }));
    EXPECT_TRUE(WaitFor([&] { return again >= 3; }));
    timer.Stop();
    EXPECT_EQ(ticks, 3);
}

TEST(ThreadTimer, RestartFromInsideTheCallbackSwapsTheCallback) {
    ThreadTimer timer;
    std::atomic<int> first{0}, second{0};
    ASSERT_TRUE(timer.Start(1, [&] {
        ++first;
        timer.Stop();
        EXPECT_TRUE(timer.Start(1, [&] { ++second; }));
    }));
    ASSERT_TRUE(WaitFor([&] { return second >= 3; }));
    timer.Stop();
    EXPECT_EQ(first, 1);
}

TEST(ThreadTimer, RefusesAnEmptyCallback) {
    ThreadTimer timer;
    EXPECT_FALSE(timer.Start(4, nullptr));
    EXPECT_FALSE(timer.Running());
}

TEST(ThreadTimer, DestructorStopsAndJoins) {
    std::atomic<int> ticks{0};
    {
        ThreadTimer timer;
        ASSERT_TRUE(timer.Start(1, [&] { ++ticks; }));
        ASSERT_TRUE(WaitFor([&] { return ticks >= 2; }));
    }
    const int atEnd = ticks;
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(ticks, atEnd);
}

TEST(ThreadTimer, ExceptionInTheCallbackStopsTheTimer) {
    ThreadTimer timer;
    std::atomic<int> ticks{0};
    ASSERT_TRUE(timer.Start(1, [&] {
        ++ticks;
        throw std::runtime_error("callback failed");
    }));
    ASSERT_TRUE(WaitFor([&] { return !timer.Running(); }));
    EXPECT_EQ(ticks, 1);
}

// After a callback overruns several periods, the missed deadlines are skipped, not
// fired back to back: right after the stall at most the one overdue tick and the next
// grid point can fall within half a period.
TEST(ThreadTimer, StallDoesNotCauseABurst) {
    using Clock = std::chrono::steady_clock;
    constexpr auto period = 4ms;
    ThreadTimer timer;
    std::mutex mutex;
    std::vector<Clock::time_point> times;
    times.reserve(64);
    Clock::time_point stallEnd{};
    ASSERT_TRUE(timer.Start(4, [&] {
        std::lock_guard lock(mutex);
        times.push_back(Clock::now());
        if (times.size() == 2) {
            std::this_thread::sleep_for(10 * period);
            stallEnd = Clock::now();
        }
        if (times.size() >= 8)
            timer.Stop();
    }));
    ASSERT_TRUE(WaitFor([&] { return !timer.Running(); }));
    std::lock_guard lock(mutex);
    ASSERT_EQ(times.size(), 8u);
    int soonAfterStall = 0;
    for (const auto &t : times)
        if (t > stallEnd && t <= stallEnd + period / 2)
            ++soonAfterStall;
    EXPECT_LE(soonAfterStall, 2);
}
