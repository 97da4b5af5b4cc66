#include "platform/FluidSynthOut.h"

#include "platform/AudioLibraries.h"
#include "platform/WavFile.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

namespace platform {

namespace synth_timing {

int64_t FramesInNs(int64_t ns, int sampleRate) {
    // In two parts so that days of nanoseconds times the rate cannot overflow.
    const int64_t whole = ns / kNsPerSecond * sampleRate;
    const int64_t part = ns % kNsPerSecond * sampleRate; // same sign as ns
    return whole + (part >= 0 ? part + kNsPerSecond / 2 : part - kNsPerSecond / 2) / kNsPerSecond;
}

namespace {

bool IsKeyMessage(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return kind == 0x80 || kind == 0x90 || kind == 0xA0;
}

} // namespace

bool MustFollow(const SynthMessage &earlier, const SynthMessage &later) {
    if (earlier.reset || later.reset)
        return true;
    if ((earlier.status & 0x0F) != (later.status & 0x0F))
        return false;
    if (IsKeyMessage(earlier.status) && IsKeyMessage(later.status))
        return earlier.data1 == later.data1;
    return true;
}

int64_t SynthQueue::Place(SynthMessage message, int64_t floor) {
    int64_t frame = std::max(message.frame, floor);
    for (const SynthMessage &queued : queue_)
        if (queued.frame > frame && MustFollow(queued, message))
            frame = queued.frame;
    message.frame = frame;
    const auto at = std::upper_bound(queue_.begin(), queue_.end(), frame,
                                     [](int64_t f, const SynthMessage &m) { return f < m.frame; });
    queue_.insert(at, message);
    return frame;
}

void SynthQueue::TakeBefore(int64_t end, std::vector<SynthMessage> &out) {
    const auto last = std::lower_bound(queue_.begin(), queue_.end(), end,
                                       [](const SynthMessage &m, int64_t f) { return m.frame < f; });
    out.assign(queue_.begin(), last);
    queue_.erase(queue_.begin(), last);
}

} // namespace synth_timing

namespace {

using Clock = std::chrono::steady_clock;
using synth_timing::SynthMessage;

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
    if (!settings)
        return settings;
    fluid_settings_setnum(settings.get(), "synth.sample-rate", FluidSynthOut::kSampleRate);
    fluid_settings_setnum(settings.get(), "synth.gain", gain);
    fluid_settings_setint(settings.get(), "synth.threadsafe-api", 1);
    fluid_settings_setint(settings.get(), "synth.ladspa.active", 0);
    return settings;
}

// Opens the first driver of `wanted` that this FluidSynth has and that opens here; the
// driver calls `render` for every period.
DriverPtr OpenAudio(fluid_settings_t *settings, fluid_audio_func_t render, void *data,
                    const std::vector<std::string> &wanted, std::string &usedDriver, std::string &error) {
    const std::vector<std::string> compiled = CompiledDrivers(settings);
    std::string reasons;
    for (const std::string &name : wanted.empty() ? DefaultDrivers() : wanted) {
        if (std::find(compiled.begin(), compiled.end(), name) == compiled.end())
            continue;
        if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK)
            continue;
        TakeAudioLibraryError();
        DriverPtr driver(new_fluid_audio_driver2(settings, render, data));
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

// A probe's callback: the driver hands it zeroed buffers, silence is left as it is.
int RenderSilence(void *, int, int, float *[], int, float *[]) { return FLUID_OK; }

// Whether a channel message may be sent: status 0x80..0xEF and data bytes below 128
// (one data byte for program change and channel pressure).
bool Valid(uint8_t status, uint8_t data1, uint8_t data2) {
    if (status < 0x80 || status >= 0xF0 || data1 >= 0x80)
        return false;
    return ChannelMessageDataBytes(status) == 1 || data2 < 0x80;
}

void ResetSynth(fluid_synth_t *synth) {
    // Controllers first: resetting them lifts the sustain pedal, so the notes-off that
    // follows releases held notes too.
    for (int channel = 0; channel < 16; ++channel)
        fluid_synth_cc(synth, channel, 121, 0);
    fluid_synth_all_notes_off(synth, -1);
}

void Apply(fluid_synth_t *synth, const SynthMessage &m) {
    if (m.reset) {
        ResetSynth(synth);
        return;
    }
    const int channel = m.status & 0x0F;
    switch (m.status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth, channel, m.data1);
        break;
    case 0x90:
        fluid_synth_noteon(synth, channel, m.data1, m.data2);
        break; // velocity 0 releases
    case 0xA0:
        fluid_synth_key_pressure(synth, channel, m.data1, m.data2);
        break;
    case 0xB0:
        fluid_synth_cc(synth, channel, m.data1, m.data2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth, channel, m.data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth, channel, m.data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth, channel, m.data1 | (m.data2 << 7));
        break;
    default:
        break;
    }
}

int64_t SteadyNs(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

// Buffers of one audio callback, most drivers give two (a stereo pair, no effects buffers).
constexpr int kMaxCallbackBuffers = 16;

} // namespace

struct FluidSynthOut::Impl {
    mutable std::mutex mutex; // open state, the synth's lifetime, the queue and its floor
    bool open = false;
    std::string error;
    std::string output;
    std::string wavPath;

    SettingsPtr settings;
    SynthPtr synth;
    DriverPtr driver;

    // Messages wait here stamped with their frame; the renderer (the WAV thread or the
    // audio callback) renders up to each one, applies it and goes on. `floor` is the first
    // frame the renderer has not yet taken messages for.
    synth_timing::SynthQueue queue;
    int64_t floor = 0;

    // WAV mode.
    WavWriter wav;
    std::thread renderer;
    std::condition_variable wake;
    bool stopping = false;
    Clock::time_point start;
    Clock::time_point stopAt;
    int64_t rendered = 0; // frames written (render thread only while it runs)

    // Real-time audio: the callback's own state (audio thread only).
    int64_t streamFrames = 0;
    std::vector<SynthMessage> audioDue;

    // WAV mode: the frame that the moment `t` of real time renders.
    int64_t FrameAt(Clock::time_point t) const {
        const int64_t ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t - start).count();
        return ns <= 0 ? 0 : synth_timing::FramesInNs(ns, kSampleRate);
    }
    Clock::time_point TimeOfFrame(int64_t frame) const {
        return start + std::chrono::microseconds(frame * 1'000'000 / kSampleRate);
    }
    // The frame a message due at `dueNs` sounds from (before the floor is applied); mutex held.
    int64_t FrameOfDue(int64_t dueNs) const {
        if (!wavPath.empty())
            return synth_timing::FramesInNs(dueNs - SteadyNs(start), kSampleRate);
        return floor; // real-time audio: as soon as possible (see the header)
    }
    // The frame of a message sent now to sound as soon as possible; mutex held.
    int64_t FrameOfNow() const { return !wavPath.empty() ? FrameAt(Clock::now()) : floor; }
    void Queue(SynthMessage m, int64_t frame) {
        m.frame = frame;
        queue.Place(m, floor);
    }

    void RenderTo(int64_t frame, std::vector<int16_t> &buffer);
    void RenderLoop();
    int RenderAudio(int len, int nfx, float *fx[], int nout, float *out[]);
    void ProcessAudio(int from, int to, int nfx, float *fx[], int nout, float *out[]);
    static int AudioCallback(void *data, int len, int nfx, float *fx[], int nout, float *out[]) {
        return static_cast<Impl *>(data)->RenderAudio(len, nfx, fx, nout, out);
    }
};

void FluidSynthOut::Impl::RenderTo(int64_t frame, std::vector<int16_t> &buffer) {
    while (rendered < frame) {
        const int n = static_cast<int>(std::min<int64_t>(kRenderBlockFrames, frame - rendered));
        fluid_synth_write_s16(synth.get(), n, buffer.data(), 0, 2, buffer.data(), 1, 2);
        if (!wav.Write(buffer.data(), static_cast<size_t>(n))) {
            std::lock_guard lock(mutex);
            if (error.empty())
                error = wav.Error();
        }
        rendered += n;
    }
}

void FluidSynthOut::Impl::RenderLoop() {
    std::vector<int16_t> buffer(2 * kRenderBlockFrames);
    std::vector<SynthMessage> due;
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait_until(lock, TimeOfFrame(rendered + kRenderBlockFrames) + kRenderLag, [this] { return stopping; });
        const bool last = stopping;
        // On closing, the file ends where Close was called; messages stamped later never sound.
        const int64_t target = std::max(floor, last ? FrameAt(stopAt) : FrameAt(Clock::now() - kRenderLag));
        queue.TakeBefore(target, due);
        floor = target;
        lock.unlock();
        for (const SynthMessage &m : due) {
            RenderTo(m.frame, buffer);
            Apply(synth.get(), m);
        }
        RenderTo(target, buffer);
        lock.lock();
        if (last)
            break;
    }
}

void FluidSynthOut::Impl::ProcessAudio(int from, int to, int nfx, float *fx[], int nout, float *out[]) {
    if (to <= from)
        return;
    std::array<float *, kMaxCallbackBuffers> dry{}, wet{};
    nout = std::min(nout, kMaxCallbackBuffers);
    for (int i = 0; i < nout; ++i)
        dry[i] = out[i] + from;
    if (nfx > 0) {
        nfx = std::min(nfx, kMaxCallbackBuffers);
        for (int i = 0; i < nfx; ++i)
            wet[i] = fx[i] + from;
    } else {
        // No effects buffers (every driver but JACK's): reverb and chorus go into the dry pair.
        nfx = 4;
        for (int i = 0; i < nfx; ++i)
            wet[i] = dry[i % 2];
    }
    // Mixes into the buffers, which the driver has zeroed.
    fluid_synth_process(synth.get(), to - from, nfx, wet.data(), nout, dry.data());
}

int FluidSynthOut::Impl::RenderAudio(int len, int nfx, float *fx[], int nout, float *out[]) {
    if (len <= 0 || nout < 2)
        return FLUID_OK;
    {
        std::lock_guard lock(mutex);
        queue.TakeBefore(streamFrames + len, audioDue);
        floor = streamFrames + len;
    }
    int done = 0;
    for (const SynthMessage &m : audioDue) {
        const int at = static_cast<int>(std::clamp<int64_t>(m.frame - streamFrames, done, len));
        ProcessAudio(done, at, nfx, fx, nout, out);
        done = at;
        Apply(synth.get(), m);
    }
    ProcessAudio(done, len, nfx, fx, nout, out);
    streamFrames += len;
    return FLUID_OK;
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
    if (d.settings)
        d.synth.reset(new_fluid_synth(d.settings.get()));
    if (!d.synth) {
        d.error = "the synthesizer could not be created";
        return;
    }
    d.wavPath = WavPathFor(options);
    if (d.wavPath.empty()) {
        d.audioDue.reserve(256);
        // The audio first: on a machine without sound it fails before the soundfont is read.
        d.driver = OpenAudio(d.settings.get(), &Impl::AudioCallback, &d, options.audioDrivers, d.output, d.error);
        if (!d.driver)
            return;
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
    std::lock_guard lock(d.mutex);
    d.open = true;
}

FluidSynthOut::~FluidSynthOut() { Close(); }

std::unique_ptr<FluidSynthOut> FluidSynthOut::Open(const SynthOptions &options, std::string *error) {
    auto synth = std::make_unique<FluidSynthOut>(options);
    if (synth->IsOpen())
        return synth;
    if (error)
        *error = synth->Error();
    return nullptr;
}

void FluidSynthOut::SendShort(uint8_t status, uint8_t data1, uint8_t data2) {
    if (!Valid(status, data1, data2))
        return;
    Impl &d = *impl_;
    std::lock_guard lock(d.mutex);
    if (d.open)
        d.Queue({0, status, data1, data2, false}, d.FrameOfNow());
}

void FluidSynthOut::SendShortAt(uint8_t status, uint8_t data1, uint8_t data2, int64_t dueNs) {
    if (!Valid(status, data1, data2))
        return;
    Impl &d = *impl_;
    std::lock_guard lock(d.mutex);
    if (d.open)
        d.Queue({0, status, data1, data2, false}, d.FrameOfDue(dueNs));
}

void FluidSynthOut::Reset() {
    Impl &d = *impl_;
    std::lock_guard lock(d.mutex);
    if (d.open)
        d.Queue({0, 0, 0, 0, true}, d.FrameOfNow());
}

bool FluidSynthOut::Close() {
    Impl &d = *impl_;
    std::unique_lock lock(d.mutex);
    if (!d.open)
        return d.error.empty();
    d.open = false;
    if (d.renderer.joinable()) {
        d.stopping = true;
        d.stopAt = Clock::now();
        lock.unlock();
        d.wake.notify_all();
        d.renderer.join();
        lock.lock();
        if (!d.wav.Close() && d.error.empty())
            d.error = d.wav.Error();
    }
    if (d.driver) {
        // The audio callback takes the mutex: the driver is stopped without it.
        DriverPtr driver = std::move(d.driver);
        lock.unlock();
        driver.reset();
        lock.lock();
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

std::string FluidSynthOut::Error() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->error;
}

std::string FluidSynthOut::FindGmSoundFont() {
    static const char *const candidates[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                             "/usr/share/sounds/sf2/default-GM.sf2",
                                             "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
    std::error_code ec;
    for (const char *path : candidates)
        if (std::filesystem::is_regular_file(path, ec))
            return path;
    return {};
}

std::string FluidSynthOut::WavPathFor(const SynthOptions &options) {
    if (!options.wavPath.empty())
        return options.wavPath;
    if (options.useEnvironment)
        if (const char *env = std::getenv(kSynthWavVariable); env && *env)
            return env;
    return {};
}

bool FluidSynthOut::CanPlay(const SynthOptions &options, std::string *error) {
    QuietAudioLibraries();
    const std::string soundFont = options.soundFont.empty() ? FindGmSoundFont() : options.soundFont;
    std::error_code ec;
    if (soundFont.empty() || !std::filesystem::is_regular_file(soundFont, ec)) {
        if (error)
            *error = "no General MIDI soundfont found";
        return false;
    }
    if (!WavPathFor(options).empty() || openAudioSynths.load() > 0)
        return true;
    SettingsPtr settings = MakeSettings(options.gain);
    if (!settings) {
        if (error)
            *error = "the synthesizer could not be created";
        return false;
    }
    std::string driverName, why;
    DriverPtr driver = OpenAudio(settings.get(), &RenderSilence, nullptr, options.audioDrivers, driverName, why);
    if (!driver && error)
        *error = why;
    return driver != nullptr;
}

} // namespace platform
