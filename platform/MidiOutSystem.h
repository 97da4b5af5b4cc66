#pragma once
// The machine's MIDI output devices: the embedded synthesizer first (when it can play),
// then the system's MIDI ports. Device -1 opens the synthesizer, or the first port
// without it.
#include "platform/FluidSynthOut.h"
#include "platform/MidiOut.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

inline constexpr const char *kSynthDeviceName = "Tarrowind Synthesizer (General MIDI)";

class MidiOutSystem : public IMidiOutSystem {
public:
    // Reads the device list (probing the synthesizer's audio and the MIDI ports).
    explicit MidiOutSystem(SynthOptions synth = {});

    int DeviceCount() override;
    std::string DeviceName(int id) override;
    // -1: the synthesizer, else the first port; nullptr when nothing opens. Opening the
    // synthesizer again while it is open shares the one instance (one soundfont, one
    // audio stream or WAV file); it closes with the last device.
    std::unique_ptr<IMidiOutDevice> Open(int id) override;

    // Reads the list again (ports come and go; audio may have appeared).
    void Refresh();
    bool SynthListed() const;
    // Why the last Open failed ("" after a success).
    std::string LastError() const;

private:
    std::shared_ptr<FluidSynthOut> SharedSynth(std::string &error);
    std::unique_ptr<IMidiOutDevice> OpenPort(size_t index, std::string &error);

    mutable std::mutex mutex_;
    SynthOptions options_;
    bool synthListed_ = false;
    std::vector<std::string> ports_;
    std::weak_ptr<FluidSynthOut> synth_;
    std::string lastError_;
};

// Whether any MIDI output can be opened at all: the synthesizer can play (or renders to
// a WAV file) or a MIDI port exists. False means the program has no sound output.
bool AnyMidiOutputAvailable(const SynthOptions &synth = {});

} // namespace platform
