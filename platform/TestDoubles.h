#pragma once
// Test doubles for the MIDI output and the clock/timer: they let tests observe every
// message sent and step time by hand, never sleeping.
#include "platform/Clock.h"
#include "platform/MidiOut.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct RecordedMessage {
    int device = 0;     // the id the device was opened with
    int64_t timeMs = 0; // clock time when sent (0 without a clock)
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
    std::optional<int64_t> dueNs = std::nullopt; // the moment given to SendShortAt
    bool operator==(const RecordedMessage &) const = default;
};

// A MIDI output system whose devices record what is sent to them. Thread-safe.
class RecordingMidiOutSystem : public IMidiOutSystem {
public:
    // `deviceNames`: the devices listed; device -1 always opens. Ids listed in
    // `failingIds` fail to open (nullptr), to test fallbacks.
    explicit RecordingMidiOutSystem(std::vector<std::string> deviceNames = {"Recorder"}, const IClock *clock = nullptr);

    int DeviceCount() override;
    std::string DeviceName(int id) override;
    std::unique_ptr<IMidiOutDevice> Open(int id) override;

    void SetFailingIds(std::vector<int> ids);
    std::vector<RecordedMessage> Messages() const;
    void Clear();
    int OpenCount() const;              // devices open now
    int OpensTotal() const;             // Open calls that succeeded
    int ResetCount() const;             // Reset calls on any device
    std::vector<int> OpenedIds() const; // ids passed to successful Open calls, in order

private:
    friend class RecordingDevice;
    void Record(int device, uint8_t s, uint8_t d1, uint8_t d2, std::optional<int64_t> dueNs);
    void Closed();
    void Resetting();

    mutable std::mutex mutex_;
    std::vector<std::string> names_;
    std::vector<int> failing_;
    std::vector<RecordedMessage> messages_;
    std::vector<int> openedIds_;
    const IClock *clock_;
    int openCount_ = 0;
    int opensTotal_ = 0;
    int resetCount_ = 0;
};

// A clock that moves only when the test says so (kept in nanoseconds; NowMs rounds down).
class ManualClock : public IClock {
public:
    int64_t NowMs() const override {
        const int64_t ns = now_.load();
        return ns / kNsPerMs - (ns % kNsPerMs < 0 ? 1 : 0);
    }
    int64_t NowNs() const override { return now_.load(); }
    void Set(int64_t ms) { now_.store(ms * kNsPerMs); }
    void Advance(int64_t ms) { now_.fetch_add(ms * kNsPerMs); }
    void SetNs(int64_t ns) { now_.store(ns); }
    void AdvanceNs(int64_t ns) { now_.fetch_add(ns); }

private:
    static constexpr int64_t kNsPerMs = 1'000'000;
    std::atomic<int64_t> now_{0};
};

// A timer that fires only when the test calls Fire(), on the test's thread.
class ManualTimer : public IPeriodicTimer {
public:
    bool Start(int periodMs, std::function<void()> tick) override;
    bool StartDeadline(int periodMs, std::function<int64_t()> tick) override;
    void Stop() override;
    bool Running() const override { return running_; }
    int PeriodMs() const { return period_; }
    bool DeadlineMode() const { return deadline_; }
    // Deadline mode: the NowNs the last call asked for (INT64_MIN before the first call:
    // the first call is due at once).
    int64_t AskedNs() const { return asked_; }
    // Calls the callback once when running. Returns false when the timer is stopped.
    bool Fire();
    // Advances `clock` by the period and fires, `count` times (stops early if stopped), in
    // either mode: a deadline timer that wakes late, on the period.
    int Run(ManualClock &clock, int count);
    // Like the real timer: in deadline mode the clock moves to the moment asked for, but
    // never more than a period on (nor back); periodic, as Run. `count` calls at most.
    int RunAsAsked(ManualClock &clock, int count);
    void SetFailStart(bool fail) { failStart_ = fail; }
    int StartCount() const { return starts_; }

private:
    bool Started(int periodMs);
    std::function<void()> tick_;
    std::function<int64_t()> deadlineTick_;
    bool deadline_ = false;
    int64_t asked_ = 0;
    bool running_ = false;
    bool failStart_ = false;
    int period_ = 0;
    int starts_ = 0;
};

} // namespace platform
