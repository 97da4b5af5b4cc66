#include "platform/FluidSynthOut.h"

#include "platform/AudioLibraries.h"
#include "platform/WavFile.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// Audio drivers opened by synthesizers alive now: while one plays, the machine can play
// (a second probe could fail only because the first holds an exclusive device).
std::atomic<int> openAudioSynths{0};

// The renderer stays this far behind real time, so a message always reaches the queue
// before the renderer passes its frame and lands exactly where it was sent.
constexpr auto kRenderLag = std::chrono::milliseconds(20);

const std::vector<std::string> &DefaultDrivers() {
    static const std::vector<std::string> drivers{"pulseaudio", "pipewire", "alsa"};
    return drivers;
}

std::vector<std::string> CompiledDrivers(fluid_settings_t *settings) {
    std::vector<std::string> names;
    fluid_settings_foreach_option(settings, "audio.driver", &names, [](void *data, const char *, const char *option) {
        static_cast<std::vector<std::string> *>(data)->emplace_back(option);
    });
    return names;
}

struct SettingsDeleter {
    void operator()(fluid_settings_t *s) const { delete_fluid_settings(s); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t *s) const { delete_fluid_synth(s); }
};
struct DriverDeleter {
    void operator()(fluid_audio_driver_t *d) const { delete_fluid_audio_driver(d); }
};
using SettingsPtr = std::unique_ptr<fluid_settings_t, SettingsDeleter>;
using SynthPtr = std::unique_ptr<fluid_synth_t, SynthDeleter>;
using DriverPtr = std::unique_ptr<fluid_audio_driver_t, DriverDeleter>;

SettingsPtr MakeSettings(double gain) {
    SettingsPtr settings(new_fluid_settings());
    if (!settings) return settings;
    fluid_settings_setnum(settings.get(), "synth.sample-rate", FluidSynthOut::kSampleRate);
    fluid_settings_setnum(settings.get(), "synth.gain", gain);
    fluid_settings_setint(settings.get(), "synth.threadsafe-api", 1);
    fluid_settings_setint(settings.get(), "synth.ladspa.active", 0);
    return settings;
}

// Opens the first driver of `wanted` that this FluidSynth has and that opens here.
DriverPtr OpenAudio(fluid_settings_t *settings, fluid_synth_t *synth, const std::vector<std::string> &wanted,
                    std::string &usedDriver, std::string &error) {
    const std::vector<std::string> compiled = CompiledDrivers(settings);
    std::string reasons;
    for (const std::string &name : wanted.empty() ? DefaultDrivers() : wanted) {
        if (std::find(compiled.begin(), compiled.end(), name) == compiled.end()) continue;
        if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) continue;
        TakeAudioLibraryError();
        DriverPtr driver(new_fluid_audio_driver(settings, synth));
        if (driver) {
            usedDriver = name;
            return driver;
        }
        const std::string why = TakeAudioLibraryError();
        reasons += (reasons.empty() ? "" : "; ") + name + (why.empty() ? "" : ": " + why);
    }
    error = "no audio output could be opened" + (reasons.empty() ? std::string() : " (" + reasons + ")");
    return nullptr;
}

struct Pending {
    int64_t frame = 0;
    uint8_t status = 0, data1 = 0, data2 = 0;
    bool reset = false;
};

// Whether a channel message may be sent: status 0x80..0xEF and data bytes below 128
// (one data byte for program change and channel pressure).
bool Valid(uint8_t status, uint8_t data1, uint8_t data2) {
    if (status < 0x80 || status >= 0xF0 || data1 >= 0x80) return false;
    return ChannelMessageDataBytes(status) == 1 || data2 < 0x80;
}

void Apply(fluid_synth_t *synth, uint8_t status, uint8_t data1, uint8_t data2) {
    const int channel = status & 0x0F;
    switch (status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, data1); break;
    case 0x90: fluid_synth_noteon(synth, channel, data1, data2); break; // velocity 0 releases
    case 0xA0: fluid_synth_key_pressure(synth, channel, data1, data2); break;
    case 0xB0: fluid_synth_cc(synth, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, data1 | (data2 << 7)); break;
    default: break;
    }
}

void ResetSynth(fluid_synth_t *synth) {
    // Controllers first: resetting them lifts the sustain pedal, so the notes-off that
    // follows releases held notes too.
    for (int channel = 0; channel < 16; ++channel) fluid_synth_cc(synth, channel, 121, 0);
    fluid_synth_all_notes_off(synth, -1);
}

} // namespace

struct FluidSynthOut::Impl {
    mutable std::mutex mutex; // open state, the synth's lifetime, the WAV queue
    bool open = false;
    std::string error;
    std::string output;
    std::string wavPath;

    SettingsPtr settings;
    SynthPtr synth;
    DriverPtr driver;

    // WAV mode: messages wait in `queue` stamped with their frame; the render thread
    // renders up to each one, applies it and goes on.
    WavWriter wav;
    std::thread renderer;
    std::condition_variable wake;
    std::vector<Pending> queue;
    bool stopping = false;
    Clock::time_point start;
    Clock::time_point stopAt;
    int64_t rendered = 0; // frames written (render thread only while it runs)

    int64_t FrameAt(Clock::time_point t) const {
        const int64_t us = std::chrono::duration_cast<std::chrono::microseconds>(t - start).count();
        return us <= 0 ? 0 : us * kSampleRate / 1'000'000;
    }
    Clock::time_point TimeOfFrame(int64_t frame) const {
        return start + std::chrono::microseconds(frame * 1'000'000 / kSampleRate);
    }
    void RenderTo(int64_t frame, std::vector<int16_t> &buffer);
    void RenderLoop();
};

void FluidSynthOut::Impl::RenderTo(int64_t frame, std::vector<int16_t> &buffer) {
    while (rendered < frame) {
        const int n = static_cast<int>(std::min<int64_t>(kRenderBlockFrames, frame - rendered));
        fluid_synth_write_s16(synth.get(), n, buffer.data(), 0, 2, buffer.data(), 1, 2);
        if (!wav.Write(buffer.data(), static_cast<size_t>(n))) {
            std::lock_guard lock(mutex);
            if (error.empty()) error = wav.Error();
        }
        rendered += n;
    }
}

void FluidSynthOut::Impl::RenderLoop() {
    std::vector<int16_t> buffer(2 * kRenderBlockFrames);
    std::vector<Pending> due;
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait_until(lock, TimeOfFrame(rendered + kRenderBlockFrames) + kRenderLag, [this] { return stopping; });
        const bool last = stopping;
        const int64_t target = last ? FrameAt(stopAt) : FrameAt(Clock::now() - kRenderLag);
        // The queue is in sending order, so frames never decrease along it.
        size_t take = 0;
        while (take < queue.size() && (last || queue[take].frame <= target)) ++take;
        due.assign(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(take));
        queue.erase(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(take));
        lock.unlock();
        for (const Pending &p : due) {
            RenderTo(p.frame, buffer);
            if (p.reset)
                ResetSynth(synth.get());
            else
                Apply(synth.get(), p.status, p.data1, p.data2);
        }
        RenderTo(target, buffer);
        lock.lock();
        if (last) break;
    }
}

FluidSynthOut::FluidSynthOut(const SynthOptions &options) : impl_(std::make_unique<Impl>()) {
    QuietAudioLibraries();
    Impl &d = *impl_;
    const std::string soundFont = options.soundFont.empty() ? FindGmSoundFont() : options.soundFont;
    if (soundFont.empty() || !std::filesystem::is_regular_file(soundFont)) {
        d.error = soundFont.empty() ? "no General MIDI soundfont found in /usr/share/sounds/sf2"
                                    : "soundfont \"" + soundFont + "\" not found";
        return;
    }
    d.settings = MakeSettings(options.gain);
    if (d.settings) d.synth.reset(new_fluid_synth(d.settings.get()));
    if (!d.synth) {
        d.error = "the synthesizer could not be created";
        return;
    }
    d.wavPath = WavPathFor(options);
    if (d.wavPath.empty()) {
        // The audio first: on a machine without sound it fails before the soundfont is read.
        d.driver = OpenAudio(d.settings.get(), d.synth.get(), options.audioDrivers, d.output, d.error);
        if (!d.driver) return;
    }
    TakeAudioLibraryError();
    if (fluid_synth_sfload(d.synth.get(), soundFont.c_str(), 1) == FLUID_FAILED) {
        const std::string why = TakeAudioLibraryError();
        d.error = "soundfont \"" + soundFont + "\" could not be loaded" + (why.empty() ? "" : ": " + why);
        d.driver.reset();
        return;
    }
    if (!d.wavPath.empty()) {
        if (!d.wav.Open(d.wavPath, kSampleRate, 2)) {
            d.error = d.wav.Error();
            return;
        }
        d.output = "wav";
        d.start = Clock::now();
        try {
            d.renderer = std::thread(&Impl::RenderLoop, &d);
        } catch (const std::system_error &) {
            d.error = "the render thread could not be started";
            d.wav.Close();
            return;
        }
    } else {
        ++openAudioSynths;
    }
    d.open = true;
}

FluidSynthOut::~FluidSynthOut() { Close(); }

std::unique_ptr<FluidSynthOut> FluidSynthOut::Open(const SynthOptions &options, std::string *error) {
    auto synth = std::make_unique<FluidSynthOut>(options);
    if (synth->IsOpen()) return synth;
    if (error) *error = synth->Error();
    return nullptr;
}

void FluidSynthOut::SendShort(uint8_t status, uint8_t data1, uint8_t data2) {
    if (!Valid(status, data1, data2)) return;
    Impl &d = *impl_;
    std::lock_guard lock(d.mutex);
    if (!d.open) return;
    if (d.renderer.joinable())
        d.queue.push_back({d.FrameAt(Clock::now()), status, data1, data2, false});
    else
        Apply(d.synth.get(), status, data1, data2);
}

void FluidSynthOut::Reset() {
    Impl &d = *impl_;
    std::lock_guard lock(d.mutex);
    if (!d.open) return;
    if (d.renderer.joinable())
        d.queue.push_back({d.FrameAt(Clock::now()), 0, 0, 0, true});
    else
        ResetSynth(d.synth.get());
}

bool FluidSynthOut::Close() {
    Impl &d = *impl_;
    std::unique_lock lock(d.mutex);
    if (!d.open) return d.error.empty();
    d.open = false;
    if (d.renderer.joinable()) {
        d.stopping = true;
        d.stopAt = Clock::now();
        lock.unlock();
        d.wake.notify_all();
        d.renderer.join();
        lock.lock();
        if (!d.wav.Close() && d.error.empty()) d.error = d.wav.Error();
    }
    if (d.driver) {
        d.driver.reset();
        --openAudioSynths;
    }
    d.synth.reset();
    d.settings.reset();
    return d.error.empty();
}

bool FluidSynthOut::IsOpen() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->open;
}

bool FluidSynthOut::RendersToWav() const {
    std::lock_guard lock(impl_->mutex);
    return !impl_->wavPath.empty();
}

std::string FluidSynthOut::Output() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->output;
}

std::string FluidSynthOut::WavPath() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->wavPath;
}

std::string FluidSynthOut::Error() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->error;
}

std::string FluidSynthOut::FindGmSoundFont() {
    static const char *const candidates[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                                             "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
    std::error_code ec;
    for (const char *path : candidates)
        if (std::filesystem::is_regular_file(path, ec)) return path;
    return {};
}

std::string FluidSynthOut::WavPathFor(const SynthOptions &options) {
    if (!options.wavPath.empty()) return options.wavPath;
    if (options.useEnvironment)
        if (const char *env = std::getenv(kSynthWavVariable); env && *env) return env;
    return {};
}

bool FluidSynthOut::CanPlay(const SynthOptions &options, std::string *error) {
    QuietAudioLibraries();
    const std::string soundFont = options.soundFont.empty() ? FindGmSoundFont() : options.soundFont;
    std::error_code ec;
    if (soundFont.empty() || !std::filesystem::is_regular_file(soundFont, ec)) {
        if (error) *error = "no General MIDI soundfont found";
        return false;
    }
    if (!WavPathFor(options).empty() || openAudioSynths.load() > 0) return true;
    SettingsPtr settings = MakeSettings(options.gain);
    SynthPtr synth(settings ? new_fluid_synth(settings.get()) : nullptr);
    if (!synth) {
        if (error) *error = "the synthesizer could not be created";
        return false;
    }
    std::string driverName, why;
    DriverPtr driver = OpenAudio(settings.get(), synth.get(), options.audioDrivers, driverName, why);
    if (!driver && error) *error = why;
    return driver != nullptr;
}

} // namespace platform
