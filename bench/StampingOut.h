// A MIDI output for the live-sounding benchmarks: it remembers when the first note-on since
// it was armed arrived, stamped with the steady clock.
#pragma once

#include "platform/MidiOut.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

class StampingOut : public platform::IMidiOutSystem {
public:
    using Clock = std::chrono::steady_clock;

    Clock::time_point firstNoteOn{};
    bool armed = false;
    int DeviceCount() override { return 1; }
    std::string DeviceName(int) override { return "Stamp"; }
    std::unique_ptr<platform::IMidiOutDevice> Open(int) override { return std::make_unique<Device>(*this); }

private:
    struct Device : platform::IMidiOutDevice {
        explicit Device(StampingOut &o) : out(o) {}
        void SendShort(uint8_t status, uint8_t, uint8_t data2) override {
            if (out.armed && (status & 0xF0) == 0x90 && data2 > 0) {
                out.firstNoteOn = Clock::now();
                out.armed = false;
            }
        }
        void Reset() override {}
        StampingOut &out;
    };
};
