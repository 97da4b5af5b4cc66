#include "midi/MidiOutputPort.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace midi {

int DefaultControllerValue(int controller) {
    switch (controller) {
    case 7:
        return 90; // volume
    case 10:
        return 64; // pan
    case 11:
        return 127; // expression
    case 91:
        return 40; // reverb
    default:
        return 0;
    }
}

int DefaultSysexLatency() {
    static const int latency = [] {
        const char *text = std::getenv("TW_SYSEX_LATENCY");
        if (!text || !*text)
            return 50;
        char *end = nullptr;
        const long v = std::strtol(text, &end, 10);
        return (*end == '\0' && v >= 0 && v <= 10000) ? static_cast<int>(v) : 50;
    }();
    return latency;
}

} // namespace midi

namespace {
// A channel message the device can take: status 0x80..0xEF and data bytes below 128.
bool Sendable(uint8_t status, uint8_t data1, uint8_t data2) {
    if (status < 0x80 || status >= 0xF0 || data1 >= 0x80)
        return false;
    return midi::DataBytesForStatus(status) < 2 || data2 < 0x80;
}
} // namespace

// ---- TPhysicalOutputPort ----

TPhysicalOutputPort::TPhysicalOutputPort(int deviceId, int globalIndex)
    : deviceId_(deviceId), globalIndex_(globalIndex) {
    for (int ch = 0; ch < 16; ++ch) {
        bankCache_[ch] = 127;
        programCache_[ch] = 0;
        for (int c = 0; c < 128; ++c)
            controllerValues_[ch][c] = midi::DefaultControllerValue(c);
    }
}

TPhysicalOutputPort::~TPhysicalOutputPort() {
    std::lock_guard lock(mutex_);
    if (device_)
        device_->Reset();
    device_.reset();
}

int TPhysicalOutputPort::ClientCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(clients_.begin(), clients_.end(), [](auto *c) { return c != nullptr; }));
}

void TPhysicalOutputPort::SendLocked(uint8_t status, uint8_t data1, uint8_t data2, std::optional<int64_t> dueNs) {
    if (midi::DataBytesForStatus(status) < 2)
        data2 = 0;
    if (device_) {
        if (dueNs)
            device_->SendShortAt(status, data1, data2, *dueNs);
        else
            device_->SendShort(status, data1, data2);
    }
    const int channel = status & 0x0F;
    switch (status & 0xF0) {
    case 0xB0:
        controllerValues_[channel][data1] = data2;
        break;
    case 0xC0:
        programCache_[channel] = data1;
        break;
    default:
        break;
    }
}

void TPhysicalOutputPort::SetPatch(int /*bank*/, int program, int channel) {
    if (program < 0 || program > 127)
        return;
    channel &= 0x0F;
    std::lock_guard lock(mutex_);
    if (programCache_[channel] == program)
        return;
    SendLocked(static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program), 0);
}

void TPhysicalOutputPort::ResetControllers() {
    std::lock_guard lock(mutex_);
    for (int ch = 0; ch < 16; ++ch)
        for (int c = 0; c < 128; ++c) {
            const int def = midi::DefaultControllerValue(c);
            if (controllerValues_[ch][c] != def)
                SendLocked(static_cast<uint8_t>(0xB0 | ch), static_cast<uint8_t>(c), static_cast<uint8_t>(def));
        }
}

int TPhysicalOutputPort::ControllerValue(int channel, int controller) const {
    std::lock_guard lock(mutex_);
    return controllerValues_[channel & 0x0F][controller & 0x7F];
}

int TPhysicalOutputPort::ProgramCache(int channel) const {
    std::lock_guard lock(mutex_);
    return programCache_[channel & 0x0F];
}

int TPhysicalOutputPort::BankCache(int channel) const {
    std::lock_guard lock(mutex_);
    return bankCache_[channel & 0x0F];
}

// ---- TPhysicalPortList ----

TPhysicalPortList::TPhysicalPortList(platform::IMidiOutSystem &system) : system_(system) {}

TPhysicalPortList::~TPhysicalPortList() {
    std::lock_guard lock(mutex_);
    slots_.clear(); // every port still open is reset and closed
}

int TPhysicalPortList::SlotCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(slots_.size());
}

int TPhysicalPortList::OpenCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(slots_.begin(), slots_.end(), [](auto &p) { return p != nullptr; }));
}

TPhysicalOutputPort *TPhysicalPortList::Attach(TMidiOutputPort *client, int deviceId, int &clientSlot) {
    std::lock_guard lock(mutex_);
    for (auto &port : slots_) {
        if (!port || port->deviceId_ != deviceId)
            continue;
        std::lock_guard portLock(port->mutex_);
        auto empty = std::find(port->clients_.begin(), port->clients_.end(), nullptr);
        if (empty != port->clients_.end()) {
            *empty = client;
            clientSlot = static_cast<int>(empty - port->clients_.begin());
        } else {
            clientSlot = static_cast<int>(port->clients_.size());
            port->clients_.push_back(client);
        }
        return port.get();
    }
    auto free = std::find(slots_.begin(), slots_.end(), nullptr);
    const int index = static_cast<int>(free - slots_.begin());
    auto port = std::unique_ptr<TPhysicalOutputPort>(new TPhysicalOutputPort(deviceId, index));
    port->clients_.push_back(client);
    clientSlot = 0;
    // A device that will not open falls back to the default device; the port keeps its
    // device id, so later ports of the same id share it. Without any device it sends nothing.
    port->device_ = system_.Open(deviceId);
    if (!port->device_ && deviceId != -1) {
        port->device_ = system_.Open(-1);
        port->fellBack_ = port->device_ != nullptr;
    }
    TPhysicalOutputPort *result = port.get();
    if (free == slots_.end())
        slots_.push_back(std::move(port));
    else
        *free = std::move(port);
    return result;
}

void TPhysicalPortList::Detach(TPhysicalOutputPort *port, int clientSlot) {
    std::lock_guard lock(mutex_);
    {
        std::lock_guard portLock(port->mutex_);
        if (clientSlot >= 0 && clientSlot < static_cast<int>(port->clients_.size()))
            port->clients_[static_cast<size_t>(clientSlot)] = nullptr;
        if (std::any_of(port->clients_.begin(), port->clients_.end(), [](auto *c) { return c != nullptr; }))
            return;
    }
    // The last client left: reset and close the device, free the slot.
    slots_[static_cast<size_t>(port->globalIndex_)].reset();
    if (std::all_of(slots_.begin(), slots_.end(), [](auto &p) { return p == nullptr; }))
        slots_.clear();
}

// ---- TMidiOutputPort ----

TMidiOutputPort::TMidiOutputPort(TPhysicalPortList &ports, int portId)
    : ports_(ports), portId_(portId), sysexLatency_(midi::DefaultSysexLatency()) {}

TMidiOutputPort::~TMidiOutputPort() {
    SetActive(false);
    if (sysexLatency_ > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(sysexLatency_));
}

void TMidiOutputPort::SetPortId(int id) {
    if (id == portId_)
        return;
    const bool wasActive = Active();
    SetActive(false);
    portId_ = id;
    SetActive(wasActive);
}

void TMidiOutputPort::SetActive(bool active) {
    if (active == Active())
        return;
    if (active) {
        physical_ = ports_.Attach(this, portId_, clientSlot_);
        return;
    }
    AllNotesOff();
    ResetControllers();
    ports_.Detach(physical_, clientSlot_);
    physical_ = nullptr;
    clientSlot_ = -1;
}

platform::IMidiOutDevice *TMidiOutputPort::GetHandle() const { return physical_ ? physical_->Device() : nullptr; }

void TMidiOutputPort::OutEvent(uint8_t status, uint8_t data1, uint8_t data2) {
    Out(status, data1, data2, std::nullopt);
}

void TMidiOutputPort::OutEventAt(const TMidiEvent &event, int64_t dueNs) {
    if (event.IsChannelMessage())
        Out(event.Status, event.Data1, event.Data2, dueNs);
}

void TMidiOutputPort::Out(uint8_t status, uint8_t data1, uint8_t data2, std::optional<int64_t> dueNs) {
    if (!physical_)
        return;
    if (midi::DataBytesForStatus(status) < 2)
        data2 = 0;
    if (!Sendable(status, data1, data2))
        return;
    std::lock_guard lock(physical_->mutex_);
    physical_->SendLocked(status, data1, data2, dueNs);
    int &count = noteCounts_[status & 0x0F][data1];
    if ((status & 0xF0) == 0x90 && data2 > 0)
        ++count;
    else if (((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90) && count > 0)
        --count;
}

void TMidiOutputPort::OutEvent(const TMidiEvent &event) {
    if (event.IsChannelMessage())
        OutEvent(event.Status, event.Data1, event.Data2);
}

namespace {
// Values outside a byte become 255, which is then refused as a data byte.
uint8_t DataByte(int v) { return (v < 0 || v > 255) ? 0xFF : static_cast<uint8_t>(v); }
} // namespace

void TMidiOutputPort::NoteOn(int channel, int note, int velocity) {
    OutEvent(static_cast<uint8_t>(0x90 | (channel & 0x0F)), DataByte(note), DataByte(velocity));
}

void TMidiOutputPort::NoteOff(int channel, int note, int velocity) {
    OutEvent(static_cast<uint8_t>(0x80 | (channel & 0x0F)), DataByte(note), DataByte(velocity));
}

void TMidiOutputPort::SetPatch(int bank, int program, int channel) {
    if (physical_)
        physical_->SetPatch(bank, program, channel);
}

void TMidiOutputPort::AllNotesOff() {
    if (!physical_) {
        for (auto &row : noteCounts_)
            std::fill(std::begin(row), std::end(row), 0);
        return;
    }
    std::lock_guard lock(physical_->mutex_);
    for (int ch = 0; ch < 16; ++ch)
        for (int note = 0; note < 128; ++note)
            for (; noteCounts_[ch][note] > 0; --noteCounts_[ch][note])
                physical_->SendLocked(static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(note), 0);
    for (int ch = 0; ch < 16; ++ch)
        if (physical_->controllerValues_[ch][64] != 0)
            physical_->SendLocked(static_cast<uint8_t>(0xB0 | ch), 64, 0);
}

void TMidiOutputPort::ResetControllers() {
    if (physical_)
        physical_->ResetControllers();
}

void TMidiOutputPort::DeviceMessage(unsigned, uintptr_t, uintptr_t) {}

int TMidiOutputPort::NoteCount(int channel, int note) const {
    if (physical_) {
        std::lock_guard lock(physical_->mutex_);
        return noteCounts_[channel & 0x0F][note & 0x7F];
    }
    return noteCounts_[channel & 0x0F][note & 0x7F];
}
