#pragma once
// The system's MIDI output ports (through RtMidi on the ALSA sequencer) as devices.
// A machine without a sequencer simply has no ports; nothing is printed.
#include "platform/MidiOut.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

class RtMidiOut : public IMidiOutDevice {
public:
    ~RtMidiOut() override; // notes off, then the port closes
    RtMidiOut(const RtMidiOut &) = delete;
    RtMidiOut &operator=(const RtMidiOut &) = delete;

    // The output ports now present, in RtMidi's order; empty when there is no MIDI system.
    static std::vector<std::string> PortNames();
    // Opens the port called `name` (found by name, so a list read earlier stays valid when
    // ports come and go), else the port at `index` when `name` is empty. nullptr with the
    // reason in `error` when it cannot be opened.
    static std::unique_ptr<RtMidiOut> Open(const std::string &name, int index = -1, std::string *error = nullptr);

    // Thread-safe.
    void SendShort(uint8_t status, uint8_t data1, uint8_t data2) override;
    // All notes off and reset controllers on every channel.
    void Reset() override;

    const std::string &Name() const { return name_; }

private:
    struct Port; // RtMidi's client, kept out of this header
    RtMidiOut(std::unique_ptr<Port> port, std::string name);
    void Send(const unsigned char *message, size_t size);

    std::mutex mutex_;
    std::unique_ptr<Port> port_;
    std::string name_;
};

} // namespace platform
