#include "platform/TestDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;

TEST(RecordingMidiOut, RecordsGuardedMessagesWithClockTime) {
    ManualClock clock;
    RecordingMidiOutSystem system({"A", "B"}, &clock);
    system.SetFailingIds({1});
    EXPECT_EQ(system.Open(1), nullptr);
    auto dev = system.Open(0);
    ASSERT_NE(dev, nullptr);
    EXPECT_EQ(system.OpenCount(), 1);
    clock.Set(42);
    dev->SendShort(0x90, 60, 100);
    dev->SendShort(0x90, 128, 100);            // data byte out of range: dropped
    dev->SendShort(0xC3, 5, 200);              // program change has one data byte
    dev->SendShortAt(0x80, 60, 0, 41'500'000); // with the moment it is due
    dev->SendShortAt(0x80, 60, 128, 0);        // guarded the same way
    auto msgs = system.Messages();
    ASSERT_EQ(msgs.size(), 3u);
    EXPECT_EQ(msgs[0], (RecordedMessage{0, 42, 0x90, 60, 100}));
    EXPECT_EQ(msgs[1], (RecordedMessage{0, 42, 0xC3, 5, 0}));
    EXPECT_EQ(msgs[2], (RecordedMessage{0, 42, 0x80, 60, 0, 41'500'000}));
    dev.reset();
    EXPECT_EQ(system.OpenCount(), 0);
}

TEST(ManualTimer, RunAdvancesClockAndStopsFromInsideTheCallback) {
    ManualClock clock;
    ManualTimer timer;
    int calls = 0;
    ASSERT_TRUE(timer.Start(4, [&] {
        if (++calls == 3)
            timer.Stop();
    }));
    EXPECT_EQ(timer.Run(clock, 10), 3);
    EXPECT_EQ(clock.NowMs(), 12);
    EXPECT_FALSE(timer.Running());
}

TEST(ManualTimer, DeadlineModeStepsToTheAskedMomentCappedByThePeriod) {
    ManualClock clock;
    ManualTimer timer;
    clock.SetNs(1'000);
    std::vector<int64_t> called;
    const std::vector<int64_t> asks{2'500'000, 1'000'000, 90'000'000}; // ahead, past, beyond the period
    ASSERT_TRUE(timer.StartDeadline(4, [&] {
        called.push_back(clock.NowNs());
        return asks[std::min(called.size(), asks.size()) - 1];
    }));
    EXPECT_TRUE(timer.DeadlineMode());
    EXPECT_EQ(timer.RunAsAsked(clock, 4), 4);
    // At once; at the moment asked; past means now; then a period at most.
    EXPECT_EQ(called, (std::vector<int64_t>{1'000, 2'500'000, 2'500'000, 6'500'000}));
    EXPECT_EQ(timer.AskedNs(), 90'000'000);
    EXPECT_EQ(clock.NowMs(), 6);
    clock.SetNs(-1);
    EXPECT_EQ(clock.NowMs(), -1) << "milliseconds round down";
}
