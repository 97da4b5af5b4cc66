#include "SynthTestSupport.h"

#include "platform/FluidSynthOut.h"
#include "platform/MidiOutSystem.h"
#include "platform/WavFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;
using platform_test::TempFile;
using Clock = std::chrono::steady_clock;

namespace {

SynthOptions WavOptions(const std::string &path) {
    SynthOptions options;
    options.wavPath = path;
    options.useEnvironment = false;
    return options;
}

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// First frame whose sample (either channel) reaches `level` of full scale, or -1.
long FirstLoudFrame(const WavData &wav, double level) {
    const int threshold = static_cast<int>(level * 32768);
    for (size_t i = 0; i < wav.samples.size(); ++i)
        if (std::abs(wav.samples[i]) >= threshold)
            return static_cast<long>(i / static_cast<size_t>(wav.channels));
    return -1;
}

#define SKIP_WITHOUT_SOUNDFONT()                                                                                       \
    if (FluidSynthOut::FindGmSoundFont().empty())                                                                      \
    GTEST_SKIP() << "no General MIDI soundfont in /usr/share/sounds/sf2 (install timgm6mb-soundfont)"

} // namespace

// The renderer really renders: a piano note sounds where it was played, in real time,
// with silence before it and after it has died away.
TEST(FluidSynthOut, RendersANoteIntoTheWavFileAtItsTime) {
    SKIP_WITHOUT_SOUNDFONT();
    TempFile file("note.wav");
    FluidSynthOut synth(WavOptions(file.Path()));
    const Clock::time_point opened = Clock::now();
    ASSERT_TRUE(synth.IsOpen()) << synth.Error();
    EXPECT_TRUE(synth.RendersToWav());
    EXPECT_EQ(synth.Output(), "wav");

    std::this_thread::sleep_for(200ms);
    synth.SendShort(0xC0, 0, 0); // acoustic grand piano
    const double noteOn = Seconds(opened, Clock::now());
    synth.SendShort(0x90, 60, 110);
    std::this_thread::sleep_for(300ms);
    const double noteOff = Seconds(opened, Clock::now());
    synth.SendShort(0x80, 60, 0);
    std::this_thread::sleep_for(1200ms);
    const double closed = Seconds(opened, Clock::now());
    ASSERT_TRUE(synth.Close()) << synth.Error();

    WavData wav;
    std::string error;
    ASSERT_TRUE(ReadWavFile(file.Path(), wav, &error)) << error;
    EXPECT_EQ(wav.sampleRate, 44100);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_NEAR(wav.Seconds(), closed, 0.05) << "the file covers the real time it was open";

    const double before = WavRms(wav, 0.0, noteOn - 0.02);
    const double during = WavRms(wav, noteOn + 0.02, noteOff);
    const double after = WavRms(wav, closed - 0.25, closed);
    EXPECT_GT(during, 0.005);
    EXPECT_GT(during, 50 * before) << "before " << before << " during " << during;
    EXPECT_GT(during, 10 * after) << "after " << after << " during " << during;

    const long onset = FirstLoudFrame(wav, 0.01);
    ASSERT_GE(onset, 0);
    EXPECT_NEAR(onset / 44100.0, noteOn, 0.025) << "the note lands at its real time";
}

// Reset lifts the sustain pedal and releases every note: an organ note held by the
// pedal keeps sounding until the reset, then dies away.
TEST(FluidSynthOut, ResetReleasesNotesHeldByTheSustainPedal) {
    SKIP_WITHOUT_SOUNDFONT();
    TempFile file("reset.wav");
    FluidSynthOut synth(WavOptions(file.Path()));
    const Clock::time_point opened = Clock::now();
    ASSERT_TRUE(synth.IsOpen()) << synth.Error();

    synth.SendShort(0xC3, 19, 0);   // church organ: it sounds for as long as it is held
    synth.SendShort(0xB3, 64, 127); // sustain pedal down
    synth.SendShort(0x93, 67, 100);
    std::this_thread::sleep_for(150ms);
    synth.SendShort(0x83, 67, 0); // key up, the pedal holds it
    const double keyUp = Seconds(opened, Clock::now());
    std::this_thread::sleep_for(300ms);
    const double reset = Seconds(opened, Clock::now());
    synth.Reset();
    std::this_thread::sleep_for(900ms);
    const double closed = Seconds(opened, Clock::now());
    ASSERT_TRUE(synth.Close()) << synth.Error();

    WavData wav;
    ASSERT_TRUE(ReadWavFile(file.Path(), wav));
    const double held = WavRms(wav, keyUp + 0.05, reset);
    const double afterReset = WavRms(wav, closed - 0.3, closed);
    EXPECT_GT(held, 0.005) << "the pedal holds the note";
    EXPECT_LT(afterReset, held / 10) << "held " << held << " after reset " << afterReset;
}

// Timed messages sound from the frame of their due time whenever they arrive: claves sent
// all at once through the program's device list sound 300 and 600 ms apart (to
// FluidSynth's 64-frame block); one whose frame was already rendered sounds on arrival.
TEST(FluidSynthOut, TimedMessagesSoundAtTheirDueTime) {
    SKIP_WITHOUT_SOUNDFONT();
    TempFile file("timed.wav");
    MidiOutSystem system(WavOptions(file.Path()));
    auto device = system.Open(-1);
    ASSERT_NE(device, nullptr) << system.LastError();
    const Clock::time_point opened = Clock::now();
    const auto at = [&](std::chrono::milliseconds ms) {
        return std::chrono::duration_cast<std::chrono::nanoseconds>((opened + ms).time_since_epoch()).count();
    };
    const auto clave = [&](std::chrono::milliseconds ms) {
        device->SendShortAt(0x99, 75, 110, at(ms));
        device->SendShortAt(0x89, 75, 0, at(ms + 50ms));
    };
    clave(400ms);
    clave(700ms);
    clave(1000ms);
    std::this_thread::sleep_for(1300ms);
    clave(100ms); // long rendered by now
    std::this_thread::sleep_for(500ms);

    WavData wav;
    std::string error;
    ASSERT_TRUE(ReadWavFile(file.Path(), wav, &error)) << error;
    const std::vector<double> onsets = WavOnsets(wav, 0.02, 0.002, 0.1);
    ASSERT_EQ(onsets.size(), 4u);
    const double block = (FluidSynthOut::kRenderBlockFrames + 2) / 44100.0;
    EXPECT_NEAR(onsets[1] - onsets[0], 0.3, block);
    EXPECT_NEAR(onsets[2] - onsets[0], 0.6, block);
    // The file starts as the synthesizer opens, a moment before `opened` (more on a loaded machine).
    EXPECT_GE(onsets[0], 0.4 - block);
    EXPECT_LT(onsets[0], 0.65);
    // A frame already rendered is never written again: the late clave sounds where the render
    // had got to, long after the 100 ms it asked for.
    EXPECT_GT(onsets[3], onsets[2]);
}

TEST(FluidSynthOut, SendsAfterCloseAreIgnored) {
    SKIP_WITHOUT_SOUNDFONT();
    TempFile file("closed.wav");
    FluidSynthOut synth(WavOptions(file.Path()));
    ASSERT_TRUE(synth.IsOpen()) << synth.Error();
    ASSERT_TRUE(synth.Close());
    EXPECT_FALSE(synth.IsOpen());
    synth.SendShort(0x90, 60, 100);
    synth.Reset();
    EXPECT_TRUE(synth.Close()) << "closing twice is harmless";
    WavData wav;
    ASSERT_TRUE(ReadWavFile(file.Path(), wav));
    EXPECT_LT(WavRms(wav, 0, 10), 1e-3) << "only the renderer's dither, no note";
}

TEST(FluidSynthOut, FailsCleanlyWhenItCannotPlay) {
    struct Case {
        const char *what;
        SynthOptions options;
        const char *errorMentions;
    };
    SynthOptions noDriver;
    noDriver.useEnvironment = false;
    noDriver.audioDrivers = {"no-such-driver"};
    SynthOptions noSoundFont = WavOptions("/tmp/unused.wav");
    noSoundFont.soundFont = "/nonexistent/GM.sf2";
    SynthOptions badFolder = WavOptions("/nonexistent-folder/out.wav");
    const Case cases[] = {
        {"no audio driver opens", noDriver, "audio"},
        {"soundfont missing", noSoundFont, "GM.sf2"},
        {"WAV file cannot be created", badFolder, "nonexistent-folder"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (std::string(c.what) != "soundfont missing" && FluidSynthOut::FindGmSoundFont().empty())
            continue;
        std::string error;
        const auto start = Clock::now();
        EXPECT_EQ(FluidSynthOut::Open(c.options, &error), nullptr);
        EXPECT_LT(Clock::now() - start, 5s) << "failing must not hang";
        EXPECT_NE(error.find(c.errorMentions), std::string::npos) << error;
    }
    std::string why;
    EXPECT_FALSE(FluidSynthOut::CanPlay(noDriver, &why));
    EXPECT_FALSE(why.empty());
}

// On this machine the real-time audio either opens or fails quickly, never hangs.
TEST(FluidSynthOut, RealTimeAudioOpensOrFailsQuickly) {
    SKIP_WITHOUT_SOUNDFONT();
    SynthOptions options;
    options.useEnvironment = false;
    const auto start = Clock::now();
    const bool canPlay = FluidSynthOut::CanPlay(options);
    std::string error;
    auto synth = FluidSynthOut::Open(options, &error);
    EXPECT_LT(Clock::now() - start, 10s);
    EXPECT_EQ(synth != nullptr, canPlay) << error;
    if (synth) {
        EXPECT_NE(synth->Output(), "wav");
        synth->SendShort(0x90, 60, 1);
        synth->Reset();
    } else {
        EXPECT_FALSE(error.empty());
    }
}

TEST(FluidSynthOut, WavModeIsChosenByOptionOrEnvironment) {
    ::setenv(kSynthWavVariable, "/tmp/from-env.wav", 1);
    SynthOptions fromEnv;
    SynthOptions envIgnored;
    envIgnored.useEnvironment = false;
    SynthOptions explicitPath;
    explicitPath.wavPath = "/tmp/explicit.wav";
    EXPECT_EQ(FluidSynthOut::WavPathFor(fromEnv), "/tmp/from-env.wav");
    EXPECT_EQ(FluidSynthOut::WavPathFor(envIgnored), "");
    EXPECT_EQ(FluidSynthOut::WavPathFor(explicitPath), "/tmp/explicit.wav");
    ::setenv(kSynthWavVariable, "", 1);
    EXPECT_EQ(FluidSynthOut::WavPathFor(fromEnv), "") << "an empty variable means real-time audio";
    ::unsetenv(kSynthWavVariable);
}
