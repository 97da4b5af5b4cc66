#include "platform/TestDoubles.h"

#include <algorithm>

namespace platform {

class RecordingDevice : public IMidiOutDevice {
public:
    RecordingDevice(RecordingMidiOutSystem &owner, int id) : owner_(owner), id_(id) {}
    ~RecordingDevice() override { owner_.Closed(); }
    void SendShort(uint8_t status, uint8_t data1, uint8_t data2) override { Send(status, data1, data2, std::nullopt); }
    void SendShortAt(uint8_t status, uint8_t data1, uint8_t data2, int64_t dueNs) override {
        Send(status, data1, data2, dueNs);
    }
    void Reset() override { owner_.Resetting(); }

private:
    void Send(uint8_t status, uint8_t data1, uint8_t data2, std::optional<int64_t> dueNs) {
        if (status < 0x80 || status >= 0xF0 || data1 >= 0x80)
            return;
        if (ChannelMessageDataBytes(status) == 1)
            data2 = 0;
        else if (data2 >= 0x80)
            return;
        owner_.Record(id_, status, data1, data2, dueNs);
    }
    RecordingMidiOutSystem &owner_;
    int id_;
};

RecordingMidiOutSystem::RecordingMidiOutSystem(std::vector<std::string> deviceNames, const IClock *clock)
    : names_(std::move(deviceNames)), clock_(clock) {}

int RecordingMidiOutSystem::DeviceCount() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(names_.size());
}

std::string RecordingMidiOutSystem::DeviceName(int id) {
    std::lock_guard lock(mutex_);
    if (id < 0 || id >= static_cast<int>(names_.size()))
        return {};
    return names_[static_cast<size_t>(id)];
}

std::unique_ptr<IMidiOutDevice> RecordingMidiOutSystem::Open(int id) {
    std::lock_guard lock(mutex_);
    if (std::find(failing_.begin(), failing_.end(), id) != failing_.end())
        return nullptr;
    if (id < -1 || id >= static_cast<int>(names_.size()))
        return nullptr;
    ++openCount_;
    ++opensTotal_;
    openedIds_.push_back(id);
    return std::make_unique<RecordingDevice>(*this, id);
}

void RecordingMidiOutSystem::SetFailingIds(std::vector<int> ids) {
    std::lock_guard lock(mutex_);
    failing_ = std::move(ids);
}

std::vector<RecordedMessage> RecordingMidiOutSystem::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

void RecordingMidiOutSystem::Clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

int RecordingMidiOutSystem::OpenCount() const {
    std::lock_guard lock(mutex_);
    return openCount_;
}

int RecordingMidiOutSystem::OpensTotal() const {
    std::lock_guard lock(mutex_);
    return opensTotal_;
}

int RecordingMidiOutSystem::ResetCount() const {
    std::lock_guard lock(mutex_);
    return resetCount_;
}

std::vector<int> RecordingMidiOutSystem::OpenedIds() const {
    std::lock_guard lock(mutex_);
    return openedIds_;
}

void RecordingMidiOutSystem::Record(int device, uint8_t s, uint8_t d1, uint8_t d2, std::optional<int64_t> dueNs) {
    std::lock_guard lock(mutex_);
    messages_.push_back({device, clock_ ? clock_->NowMs() : 0, s, d1, d2, dueNs});
}

void RecordingMidiOutSystem::Closed() {
    std::lock_guard lock(mutex_);
    --openCount_;
}

void RecordingMidiOutSystem::Resetting() {
    std::lock_guard lock(mutex_);
    ++resetCount_;
}

bool ManualTimer::Started(int periodMs) {
    if (running_ || failStart_)
        return false;
    period_ = periodMs;
    running_ = true;
    ++starts_;
    return true;
}

bool ManualTimer::Start(int periodMs, std::function<void()> tick) {
    if (!Started(periodMs))
        return false;
    tick_ = std::move(tick);
    deadline_ = false;
    return true;
}

bool ManualTimer::StartDeadline(int periodMs, std::function<int64_t()> tick) {
    if (!Started(periodMs))
        return false;
    deadlineTick_ = std::move(tick);
    deadline_ = true;
    asked_ = INT64_MIN;
    return true;
}

void ManualTimer::Stop() { running_ = false; }

bool ManualTimer::Fire() {
    if (!running_)
        return false;
    // The callback may stop and restart the timer: call a copy, keep what this call asked.
    if (deadline_) {
        auto tick = deadlineTick_;
        const int64_t asked = tick();
        if (deadline_)
            asked_ = asked;
    } else {
        auto tick = tick_;
        tick();
    }
    return true;
}

int ManualTimer::Run(ManualClock &clock, int count) {
    int fired = 0;
    for (int i = 0; i < count && running_; ++i) {
        clock.Advance(period_);
        if (Fire())
            ++fired;
    }
    return fired;
}

int ManualTimer::RunAsAsked(ManualClock &clock, int count) {
    int fired = 0;
    for (int i = 0; i < count && running_; ++i) {
        if (deadline_) {
            const int64_t now = clock.NowNs();
            clock.SetNs(std::clamp(asked_, now, now + int64_t{period_} * 1'000'000));
        } else {
            clock.Advance(period_);
        }
        if (Fire())
            ++fired;
    }
    return fired;
}

} // namespace platform
