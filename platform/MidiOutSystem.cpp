#include "platform/MidiOutSystem.h"

#include "platform/RtMidiOut.h"

namespace platform {
namespace {

// A handle on the shared synthesizer; the synthesizer closes with its last handle.
class SharedSynthDevice : public IMidiOutDevice {
public:
    explicit SharedSynthDevice(std::shared_ptr<FluidSynthOut> synth) : synth_(std::move(synth)) {}
    void SendShort(uint8_t status, uint8_t data1, uint8_t data2) override { synth_->SendShort(status, data1, data2); }
    void SendShortAt(uint8_t status, uint8_t data1, uint8_t data2, int64_t dueNs) override {
        synth_->SendShortAt(status, data1, data2, dueNs);
    }
    void Reset() override { synth_->Reset(); }

private:
    std::shared_ptr<FluidSynthOut> synth_;
};

} // namespace

MidiOutSystem::MidiOutSystem(SynthOptions synth) : options_(std::move(synth)) { Refresh(); }

void MidiOutSystem::Refresh() {
    // Probing may take a few milliseconds each; do it outside the lock.
    bool synthOpen;
    {
        std::lock_guard lock(mutex_);
        synthOpen = !synth_.expired();
    }
    const bool synthPlays = synthOpen || FluidSynthOut::CanPlay(options_);
    std::vector<std::string> ports = RtMidiOut::PortNames();
    std::lock_guard lock(mutex_);
    synthListed_ = synthPlays;
    ports_ = std::move(ports);
}

int MidiOutSystem::DeviceCount() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(ports_.size()) + (synthListed_ ? 1 : 0);
}

std::string MidiOutSystem::DeviceName(int id) {
    std::lock_guard lock(mutex_);
    if (id < 0)
        return {};
    if (synthListed_) {
        if (id == 0)
            return kSynthDeviceName;
        --id;
    }
    return static_cast<size_t>(id) < ports_.size() ? ports_[static_cast<size_t>(id)] : std::string();
}

bool MidiOutSystem::SynthListed() const {
    std::lock_guard lock(mutex_);
    return synthListed_;
}

std::string MidiOutSystem::LastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

std::shared_ptr<FluidSynthOut> MidiOutSystem::SharedSynth(std::string &error) {
    std::lock_guard lock(mutex_);
    if (auto synth = synth_.lock())
        return synth;
    std::unique_ptr<FluidSynthOut> synth = FluidSynthOut::Open(options_, &error);
    if (!synth)
        return nullptr;
    std::shared_ptr<FluidSynthOut> shared = std::move(synth);
    synth_ = shared;
    return shared;
}

std::unique_ptr<IMidiOutDevice> MidiOutSystem::OpenPort(size_t index, std::string &error) {
    std::string name;
    {
        std::lock_guard lock(mutex_);
        if (index >= ports_.size()) {
            error = "no MIDI output port " + std::to_string(index);
            return nullptr;
        }
        name = ports_[index];
    }
    return RtMidiOut::Open(name, static_cast<int>(index), &error);
}

std::unique_ptr<IMidiOutDevice> MidiOutSystem::Open(int id) {
    std::string error;
    std::unique_ptr<IMidiOutDevice> device;
    const bool synthListed = SynthListed();
    if (id == -1) {
        if (synthListed)
            if (auto synth = SharedSynth(error))
                device = std::make_unique<SharedSynthDevice>(std::move(synth));
        if (!device) {
            std::string portError;
            device = OpenPort(0, portError);
            if (!device && error.empty())
                error = portError;
        }
    } else if (id >= 0) {
        if (synthListed && id == 0) {
            if (auto synth = SharedSynth(error))
                device = std::make_unique<SharedSynthDevice>(std::move(synth));
        } else {
            device = OpenPort(static_cast<size_t>(synthListed ? id - 1 : id), error);
        }
    } else {
        error = "no MIDI output device " + std::to_string(id);
    }
    std::lock_guard lock(mutex_);
    lastError_ = device ? std::string() : (error.empty() ? "no MIDI output device" : error);
    return device;
}

bool AnyMidiOutputAvailable(const SynthOptions &synth) {
    return FluidSynthOut::CanPlay(synth) || !RtMidiOut::PortNames().empty();
}

} // namespace platform
