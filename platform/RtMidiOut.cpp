#include "platform/RtMidiOut.h"

#include "platform/AudioLibraries.h"

#include <RtMidi.h>

namespace platform {
namespace {

constexpr const char *kClientName = "Tarrowind";

void QuietRtMidiError(RtMidiError::Type type, const std::string &text, void *) {
    NoteAudioLibraryMessage(text, type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING);
}

// A quiet RtMidi output client, or nullptr when there is no MIDI system. RtMidi prints
// a constructor failure before any error callback can be set, so the sequencer is
// asked first.
std::unique_ptr<::RtMidiOut> MakeClient(std::string *error) {
    if (!AlsaSequencerAvailable()) {
        if (error)
            *error = "no MIDI sequencer on this machine";
        return nullptr;
    }
    try {
        auto client = std::make_unique<::RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
        client->setErrorCallback(QuietRtMidiError, nullptr);
        return client;
    } catch (const RtMidiError &e) {
        if (error)
            *error = e.getMessage();
    } catch (const std::exception &e) {
        if (error)
            *error = e.what();
    } catch (...) {
        if (error)
            *error = "the MIDI system failed";
    }
    return nullptr;
}

} // namespace

struct RtMidiOut::Port {
    std::unique_ptr<::RtMidiOut> client;
};

RtMidiOut::RtMidiOut(std::unique_ptr<Port> port, std::string name) : port_(std::move(port)), name_(std::move(name)) {}

RtMidiOut::~RtMidiOut() {
    try {
        Reset();
        port_->client->closePort();
    } catch (...) {
    }
}

std::vector<std::string> RtMidiOut::PortNames() {
    std::vector<std::string> names;
    try {
        std::unique_ptr<::RtMidiOut> client = MakeClient(nullptr);
        if (!client)
            return names;
        const unsigned count = client->getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            std::string name = client->getPortName(i);
            if (!name.empty())
                names.push_back(std::move(name));
        }
    } catch (...) {
        names.clear();
    }
    return names;
}

std::unique_ptr<RtMidiOut> RtMidiOut::Open(const std::string &name, int index, std::string *error) {
    try {
        std::unique_ptr<::RtMidiOut> client = MakeClient(error);
        if (!client)
            return nullptr;
        const int count = static_cast<int>(client->getPortCount());
        int found = -1;
        if (!name.empty()) {
            for (int i = 0; i < count && found < 0; ++i)
                if (client->getPortName(static_cast<unsigned>(i)) == name)
                    found = i;
        } else if (index >= 0 && index < count) {
            found = index;
        }
        if (found < 0) {
            if (error)
                *error = name.empty() ? "no MIDI output port " + std::to_string(index)
                                      : "MIDI port \"" + name + "\" not found";
            return nullptr;
        }
        const std::string portName = client->getPortName(static_cast<unsigned>(found));
        TakeAudioLibraryError();
        client->openPort(static_cast<unsigned>(found), "Tarrowind Output");
        if (!client->isPortOpen()) {
            if (error)
                *error = "MIDI port \"" + portName + "\" could not be opened: " + TakeAudioLibraryError();
            return nullptr;
        }
        auto port = std::make_unique<Port>();
        port->client = std::move(client);
        return std::unique_ptr<RtMidiOut>(new RtMidiOut(std::move(port), portName));
    } catch (const std::exception &e) {
        if (error)
            *error = e.what();
    } catch (...) {
        if (error)
            *error = "the MIDI system failed";
    }
    return nullptr;
}

void RtMidiOut::Send(const unsigned char *message, size_t size) {
    std::lock_guard lock(mutex_);
    try {
        port_->client->sendMessage(message, size);
    } catch (...) {
        // A port that vanished (device unplugged) swallows what is sent to it.
    }
}

void RtMidiOut::SendShort(uint8_t status, uint8_t data1, uint8_t data2) {
    if (status < 0x80 || status >= 0xF0 || data1 >= 0x80)
        return;
    const size_t size = 1 + static_cast<size_t>(ChannelMessageDataBytes(status));
    if (size == 3 && data2 >= 0x80)
        return;
    const unsigned char message[3] = {status, data1, data2};
    Send(message, size);
}

void RtMidiOut::Reset() {
    for (unsigned char channel = 0; channel < 16; ++channel) {
        const unsigned char resetControllers[3] = {static_cast<unsigned char>(0xB0 | channel), 121, 0};
        const unsigned char allNotesOff[3] = {static_cast<unsigned char>(0xB0 | channel), 123, 0};
        Send(resetControllers, 3);
        Send(allNotesOff, 3);
    }
}

} // namespace platform
