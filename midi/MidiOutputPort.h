#pragma once
// MIDI output: logical ports (TMidiOutputPort) share one open device per device id
// (TPhysicalOutputPort), which remembers the programs and controller values sent on each
// channel. The physical ports of the process live in one TPhysicalPortList.
#include "midi/MidiEvent.h"
#include "platform/MidiOut.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class TMidiOutputPort;
class TPhysicalPortList;

namespace midi {
// Controller values of a freshly opened device: volume 90, pan 64, expression 127,
// reverb 40, everything else (sustain included) 0.
int DefaultControllerValue(int controller);
// Milliseconds a logical port pauses when it is destroyed: 50, or TW_SYSEX_LATENCY from
// the environment when that is set (the test suites set 0).
int DefaultSysexLatency();
} // namespace midi

class TPhysicalOutputPort {
public:
    TPhysicalOutputPort(const TPhysicalOutputPort &) = delete;
    TPhysicalOutputPort &operator=(const TPhysicalOutputPort &) = delete;
    ~TPhysicalOutputPort();

    int DeviceId() const { return deviceId_; }
    int GlobalIndex() const { return globalIndex_; }
    // The open device, or nullptr when neither the device nor the default device opened.
    platform::IMidiOutDevice *Device() const { return device_.get(); }
    // True when the device would not open and the default device plays in its place.
    bool FellBack() const { return fellBack_; }
    int ClientCount() const;

    // Sends a program change only when the channel's program differs (banks are never sent).
    void SetPatch(int bank, int program, int channel);
    // Sends every controller whose value differs from the default table, back to its default.
    void ResetControllers();

    int ControllerValue(int channel, int controller) const;
    int ProgramCache(int channel) const;
    int BankCache(int channel) const;

private:
    friend class TPhysicalPortList;
    friend class TMidiOutputPort;
    TPhysicalOutputPort(int deviceId, int globalIndex);
    // Sends one checked channel message (with the moment it is due, when given) and keeps
    // the caches; the caller holds mutex_.
    void SendLocked(uint8_t status, uint8_t data1, uint8_t data2, std::optional<int64_t> dueNs = std::nullopt);

    mutable std::mutex mutex_; // sending and the bookkeeping of the port and its clients
    std::unique_ptr<platform::IMidiOutDevice> device_;
    int deviceId_;
    int globalIndex_;
    bool fellBack_ = false;
    std::vector<TMidiOutputPort *> clients_; // empty slots are nullptr
    uint8_t bankCache_[16];
    uint8_t programCache_[16];
    int controllerValues_[16][128];
};

// The process's physical ports, indexed by slot; a closed port leaves an empty slot so the
// others keep their index. The list must outlive every logical port made on it.
class TPhysicalPortList {
public:
    explicit TPhysicalPortList(platform::IMidiOutSystem &system);
    ~TPhysicalPortList();
    TPhysicalPortList(const TPhysicalPortList &) = delete;
    TPhysicalPortList &operator=(const TPhysicalPortList &) = delete;

    platform::IMidiOutSystem &System() { return system_; }
    int SlotCount() const;
    // Physical ports open now.
    int OpenCount() const;

private:
    friend class TMidiOutputPort;
    TPhysicalOutputPort *Attach(TMidiOutputPort *client, int deviceId, int &clientSlot);
    void Detach(TPhysicalOutputPort *port, int clientSlot);

    platform::IMidiOutSystem &system_;
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<TPhysicalOutputPort>> slots_;
};

class TMidiOutputPort {
public:
    explicit TMidiOutputPort(TPhysicalPortList &ports, int portId = -1);
    // Switches off its notes, resets the controllers, detaches, then pauses SysexLatency ms.
    virtual ~TMidiOutputPort();
    TMidiOutputPort(const TMidiOutputPort &) = delete;
    TMidiOutputPort &operator=(const TMidiOutputPort &) = delete;

    int PortId() const { return portId_; }
    // A different id re-attaches the port (when it was active) to that device.
    void SetPortId(int id);
    bool Active() const { return physical_ != nullptr; }
    // true: attach to the physical port of PortId (opening the device, or the default
    // device when it will not open); false: notes off, controllers reset, detach.
    void SetActive(bool active);
    platform::IMidiOutDevice *GetHandle() const;
    TPhysicalOutputPort *Physical() const { return physical_; }

    // Sends a channel message (status 0x80..0xEF; only the data bytes the message has are
    // read) and keeps count of sounding notes. Inactive ports, system statuses and data
    // bytes of 128 or more send nothing.
    void OutEvent(uint8_t status, uint8_t data1, uint8_t data2 = 0);
    void OutEvent(const TMidiEvent &event);
    // An event played: the same, with the steady-clock nanosecond at which it is meant to
    // sound (passed to the device's SendShortAt).
    void OutEventAt(const TMidiEvent &event, int64_t dueNs);
    void NoteOn(int channel, int note, int velocity);
    void NoteOff(int channel, int note, int velocity);
    void SetPatch(int bank, int program, int channel);
    // Switches off every note this port switched on, and lifts a held sustain pedal.
    void AllNotesOff();
    void ResetControllers();
    // Notifications of the device; nothing uses them.
    virtual void DeviceMessage(unsigned message, uintptr_t param1, uintptr_t param2);

    int NoteCount(int channel, int note) const;
    int SysexLatency() const { return sysexLatency_; }
    void SetSysexLatency(int ms) { sysexLatency_ = ms < 0 ? 0 : ms; }

private:
    friend class TPhysicalOutputPort;
    void Out(uint8_t status, uint8_t data1, uint8_t data2, std::optional<int64_t> dueNs);
    TPhysicalPortList &ports_;
    int portId_;
    TPhysicalOutputPort *physical_ = nullptr;
    int clientSlot_ = -1;
    int noteCounts_[16][128] = {};
    int sysexLatency_;
};
