// A MIDI output for the timing benchmarks, stamped with the steady clock: it remembers when
// the first note-on since it was armed arrived, and (when `log` is set) every message with
// its arrival time and the time it was due.
#pragma once

#include "platform/MidiOut.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class StampingOut : public platform::IMidiOutSystem {
public:
    using Clock = std::chrono::steady_clock;
    struct Arrival {
        uint8_t status, data1, data2;
        int64_t arrivedNs; // steady_clock ns since its epoch
        int64_t dueNs;     // as given to SendShortAt; -1 for SendShort
    };

    Clock::time_point firstNoteOn{};
    bool armed = false;
    // Logging: reserve `arrivals` beforehand so the sending thread never allocates.
    bool log = false;
    std::vector<Arrival> arrivals;

    int DeviceCount() override { return 1; }
    std::string DeviceName(int) override { return "Stamp"; }
    std::unique_ptr<platform::IMidiOutDevice> Open(int) override { return std::make_unique<Device>(*this); }

    // The device the benchmark's own dispatcher sends to, as a port would.
    platform::IMidiOutDevice &Direct() {
        if (!direct_)
            direct_ = std::make_unique<Device>(*this);
        return *direct_;
    }

private:
    struct Device : platform::IMidiOutDevice {
        explicit Device(StampingOut &o) : out(o) {}
        void SendShort(uint8_t status, uint8_t data1, uint8_t data2) override { Stamp(status, data1, data2, -1); }
        void SendShortAt(uint8_t status, uint8_t data1, uint8_t data2, int64_t dueNs) override {
            Stamp(status, data1, data2, dueNs);
        }
        void Stamp(uint8_t status, uint8_t data1, uint8_t data2, int64_t dueNs) {
            const Clock::time_point now = Clock::now();
            const int64_t nowNs = std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count();
            if (out.armed && (status & 0xF0) == 0x90 && data2 > 0) {
                out.firstNoteOn = now;
                out.armed = false;
            }
            if (out.log && out.arrivals.size() < out.arrivals.capacity())
                out.arrivals.push_back({status, data1, data2, nowNs, dueNs});
        }
        void Reset() override {}
        StampingOut &out;
    };
    std::unique_ptr<Device> direct_;
};
