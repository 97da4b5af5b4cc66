#pragma once
// The embedded General MIDI synthesizer (FluidSynth) as a MIDI output device. It plays
// through the system's audio (PulseAudio, PipeWire or ALSA, the first that opens) or,
// when asked, renders in real time into a WAV file: with no sound card that is how its
// sound can still be heard and checked.
//
// Timing. Every message waits in a queue stamped with the frame of the audio stream it
// is to sound from; the renderer renders up to that frame, applies it and goes on, so
// FluidSynth's 64-frame block (1.45 ms) is the only rounding left.
// - WAV mode: frame 0 is the moment the synthesizer opened; a render thread stays 20 ms
//   behind real time. SendShort stamps the arrival, SendShortAt the frame of its due time.
// - Real-time audio: our own callback (new_fluid_audio_driver2) renders each period in
//   pieces split at the queued frames. Every message, timed or not, sounds at the start
//   of the next period: the player already sends each event at its due time, and placing
//   messages ahead on a clock mapped onto the sound card's stream (a fixed look-ahead)
//   proved less steady than that on a loaded machine, and sometimes late enough to drop
//   a message, so the stream is not second-guessed.
// In both modes a message that arrives after its frame was rendered sounds at the first
// frame not yet rendered, and a message never moves before one sent earlier whose effect
// it depends on (see `MustFollow`).
#include "platform/MidiOut.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace synth_timing {

inline constexpr int64_t kNsPerSecond = 1'000'000'000;

// Frames at `sampleRate` in `ns` nanoseconds, to the nearest frame (negative for a negative span).
int64_t FramesInNs(int64_t ns, int sampleRate);

// One message for the renderer, stamped with the frame it sounds from.
struct SynthMessage {
    int64_t frame = 0;
    uint8_t status = 0, data1 = 0, data2 = 0;
    bool reset = false; // controllers and notes of every channel (FluidSynthOut::Reset)
    bool operator==(const SynthMessage &) const = default;
};

// Whether `later`, sent after `earlier`, has to sound no sooner than it: a reset orders
// everything; on one channel a note (on, off or key pressure) orders the messages of its
// own key and every message of the whole channel (program, controller, pitch bend,
// channel pressure) orders all of that channel. Notes of other keys, and other channels,
// are free to pass each other.
bool MustFollow(const SynthMessage &earlier, const SynthMessage &later);

// The renderer's queue, in frame order.
class SynthQueue {
public:
    // Queues `message` at its frame, but no sooner than `floor` (the first frame not yet
    // rendered) nor than any queued message it must follow; among equal frames the sending
    // order stays. Returns the frame it was given.
    int64_t Place(SynthMessage message, int64_t floor);
    // Moves the messages whose frame is below `end` into `out` (cleared first), in order.
    void TakeBefore(int64_t end, std::vector<SynthMessage> &out);
    const std::vector<SynthMessage> &Messages() const { return queue_; }

private:
    std::vector<SynthMessage> queue_;
};

} // namespace synth_timing

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

    // Thread-safe. As soon as possible: in WAV mode a message sent at real time t (since
    // opening) sounds from frame t x 44100 of the file (to FluidSynth's 64-frame block).
    void SendShort(uint8_t status, uint8_t data1, uint8_t data2) override;
    // Thread-safe. In WAV mode sounds from the frame of `dueNs` (steady clock): (dueNs -
    // opening) x 44100. In real-time audio as SendShort (see the timing notes above).
    void SendShortAt(uint8_t status, uint8_t data1, uint8_t data2, int64_t dueNs) override;
    // Controllers reset and every note released, on all 16 channels.
    void Reset() override;

    bool IsOpen() const;
    bool RendersToWav() const;
    // The audio driver in use ("pulseaudio", "alsa", ...), or "wav".
    std::string Output() const;
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
