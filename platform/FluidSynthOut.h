#pragma once
// The embedded General MIDI synthesizer (FluidSynth) as a MIDI output device. It plays
// through the system's audio (PulseAudio, PipeWire or ALSA, the first that opens) or,
// when asked, renders in real time into a WAV file: with no sound card that is how its
// sound can still be heard and checked.
#include "platform/MidiOut.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// The environment variable that sends the synthesizer's sound to a WAV file.
inline constexpr const char *kSynthWavVariable = "TARROWIND_SYNTH_WAV";

struct SynthOptions {
    // Render into this WAV file (16-bit stereo 44.1 kHz) instead of the sound card.
    // Empty: the file TARROWIND_SYNTH_WAV names when `useEnvironment` and it is set,
    // else real-time audio.
    std::string wavPath;
    bool useEnvironment = true;
    // Empty: the first General MIDI soundfont found (FluidSynthOut::FindGmSoundFont).
    std::string soundFont;
    // FluidSynth audio drivers tried in turn; empty: pulseaudio, pipewire, alsa.
    std::vector<std::string> audioDrivers;
    // Master gain; FluidSynth's own default (0.2) is quiet next to other players.
    double gain = 0.4;
};

class FluidSynthOut : public IMidiOutDevice {
public:
    static constexpr int kSampleRate = 44100;
    static constexpr int kRenderBlockFrames = 64;

    // Loads the soundfont and opens the audio (or the WAV file and its render thread).
    // Never throws for a missing device: IsOpen() is then false and Error() says why.
    explicit FluidSynthOut(const SynthOptions &options = {});
    ~FluidSynthOut() override; // Close()
    FluidSynthOut(const FluidSynthOut &) = delete;
    FluidSynthOut &operator=(const FluidSynthOut &) = delete;

    // The synthesizer, or nullptr with the reason in `error` when it cannot play.
    static std::unique_ptr<FluidSynthOut> Open(const SynthOptions &options = {}, std::string *error = nullptr);

    // Thread-safe. In WAV mode a message sent at real time t (since opening) sounds from
    // frame t x 44100 of the file (to FluidSynth's 64-frame block).
    void SendShort(uint8_t status, uint8_t data1, uint8_t data2) override;
    // Controllers reset and every note released, on all 16 channels.
    void Reset() override;

    bool IsOpen() const;
    bool RendersToWav() const;
    // The audio driver in use ("pulseaudio", "alsa", ...), or "wav".
    std::string Output() const;
    std::string WavPath() const;
    // The reason it could not open, or the first failure writing the WAV file.
    std::string Error() const;

    // Stops sounding. In WAV mode renders up to now, finalises the header and closes the
    // file. True when all of it was written. Later sends are ignored.
    bool Close();

    // TimGM6mb.sf2, else default-GM.sf2, else FluidR3_GM.sf2 in /usr/share/sounds/sf2; "" when none.
    static std::string FindGmSoundFont();
    // The WAV file the options ask for, or "" for real-time audio.
    static std::string WavPathFor(const SynthOptions &options);
    // Whether a synthesizer with these options could play now: a soundfont exists and
    // either a WAV file is asked for or an audio driver opens (probed without a
    // soundfont; quick, and quiet on a machine without sound).
    static bool CanPlay(const SynthOptions &options = {}, std::string *error = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
