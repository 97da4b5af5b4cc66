#pragma once
// MIDI output devices as the engine sees them: a list of devices, each opened as a
// stream of short messages. Device -1 is the default device ("MIDI mapper"): the
// embedded synthesizer when it can play, else the first MIDI port.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One open output device. Safe to call from the window thread and the player's
// timer thread; the engine serialises its own calls per device.
class IMidiOutDevice {
public:
    virtual ~IMidiOutDevice() = default;
    // A channel message: status 0x80..0xEF. Program change and channel pressure carry
    // one data byte (data2 is ignored). The channel nibble is kept as given (0..15 by
    // construction); a message whose data byte is 128 or more is dropped.
    virtual void SendShort(uint8_t status, uint8_t data1, uint8_t data2) = 0;
    // The same message with the moment it is meant to sound: `dueNs` on the steady clock
    // (std::chrono::steady_clock, nanoseconds since its epoch). The player sends each event
    // at about that moment; a device that can place messages in its own time (the embedded
    // synthesizer) uses the stamp instead of the arrival, others just send it now.
    virtual void SendShortAt(uint8_t status, uint8_t data1, uint8_t data2, int64_t dueNs) {
        (void)dueNs;
        SendShort(status, data1, data2);
    }
    // Silence the device: notes off and controllers to their defaults on every channel.
    virtual void Reset() = 0;
};

// The machine's MIDI output devices.
class IMidiOutSystem {
public:
    virtual ~IMidiOutSystem() = default;
    // Devices 0..DeviceCount()-1, in the order the options list shows them.
    virtual int DeviceCount() = 0;
    virtual std::string DeviceName(int id) = 0;
    // Opens a device; -1 opens the default device. Returns nullptr when it cannot be opened.
    virtual std::unique_ptr<IMidiOutDevice> Open(int id) = 0;
};

// Number of data bytes that follow a channel status byte (1 for 0xC0/0xD0, else 2).
inline int ChannelMessageDataBytes(uint8_t status) {
    const uint8_t hi = status & 0xF0;
    return (hi == 0xC0 || hi == 0xD0) ? 1 : 2;
}

} // namespace platform
