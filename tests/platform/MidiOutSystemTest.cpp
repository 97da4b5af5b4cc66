#include "SynthTestSupport.h"

#include "platform/MidiOutSystem.h"
#include "platform/RtMidiOut.h"
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

SynthOptions RealTimeOnly() {
    SynthOptions options;
    options.useEnvironment = false;
    return options;
}

} // namespace

// Whatever this machine has (in CI: no sound card, no sequencer), the list is the
// synthesizer when it plays, then the ports, and every listed device opens.
TEST(MidiOutSystem, ListsWhatThisMachineCanPlayWithoutHanging) {
    const auto start = Clock::now();
    MidiOutSystem system(RealTimeOnly());
    const bool synthPlays = FluidSynthOut::CanPlay(RealTimeOnly());
    const std::vector<std::string> ports = RtMidiOut::PortNames();
    EXPECT_LT(Clock::now() - start, 10s);

    EXPECT_EQ(system.SynthListed(), synthPlays);
    ASSERT_EQ(system.DeviceCount(), static_cast<int>(ports.size()) + (synthPlays ? 1 : 0));
    if (synthPlays) {
        EXPECT_EQ(system.DeviceName(0), kSynthDeviceName);
    }
    for (size_t i = 0; i < ports.size(); ++i)
        EXPECT_EQ(system.DeviceName(static_cast<int>(i) + (synthPlays ? 1 : 0)), ports[i]);
    EXPECT_EQ(system.DeviceName(-1), "");
    EXPECT_EQ(system.DeviceName(system.DeviceCount()), "");

    const bool any = system.DeviceCount() > 0;
    EXPECT_EQ(AnyMidiOutputAvailable(RealTimeOnly()), any);
    auto mapper = system.Open(-1);
    EXPECT_EQ(mapper != nullptr, any) << system.LastError();
    if (!mapper) {
        EXPECT_FALSE(system.LastError().empty());
    }
    EXPECT_EQ(system.Open(system.DeviceCount()), nullptr);
    EXPECT_EQ(system.Open(-2), nullptr);
}

TEST(MidiOutSystem, SynthRenderingToWavIsListedFirstAndShared) {
    if (FluidSynthOut::FindGmSoundFont().empty())
        GTEST_SKIP() << "no General MIDI soundfont installed";
    TempFile file("system.wav");
    SynthOptions options = RealTimeOnly();
    options.wavPath = file.Path();
    EXPECT_TRUE(AnyMidiOutputAvailable(options));
    MidiOutSystem system(options);
    ASSERT_TRUE(system.SynthListed());
    EXPECT_EQ(system.DeviceName(0), kSynthDeviceName);

    auto mapper = system.Open(-1);
    auto device0 = system.Open(0);
    ASSERT_NE(mapper, nullptr) << system.LastError();
    ASSERT_NE(device0, nullptr) << system.LastError();
    // One synthesizer behind both: a note through either lands in the same file, which
    // is finished only when the last of them closes.
    device0->SendShort(0x90, 64, 110);
    std::this_thread::sleep_for(200ms);
    device0.reset();
    mapper->SendShort(0x80, 64, 0);
    std::this_thread::sleep_for(100ms);
    mapper.reset();

    WavData wav;
    std::string error;
    ASSERT_TRUE(ReadWavFile(file.Path(), wav, &error)) << error;
    EXPECT_GT(wav.Seconds(), 0.25) << "the file was not cut off when the first device closed";
    EXPECT_GT(WavRms(wav, 0.02, 0.2), 0.005);
}

TEST(MidiOutSystem, EnvironmentVariableSelectsWavRendering) {
    if (FluidSynthOut::FindGmSoundFont().empty())
        GTEST_SKIP() << "no General MIDI soundfont installed";
    TempFile file("env.wav");
    ::setenv(kSynthWavVariable, file.Path().c_str(), 1);
    {
        MidiOutSystem system; // default options read the environment
        EXPECT_TRUE(system.SynthListed());
        EXPECT_TRUE(AnyMidiOutputAvailable());
        auto device = system.Open(-1);
        ASSERT_NE(device, nullptr) << system.LastError();
    }
    ::unsetenv(kSynthWavVariable);
    WavData wav;
    EXPECT_TRUE(ReadWavFile(file.Path(), wav));
}

TEST(RtMidiOut, UnknownPortFailsWithAReason) {
    std::string error;
    EXPECT_EQ(RtMidiOut::Open("Tarrowind test: no such port"), nullptr);
    EXPECT_EQ(RtMidiOut::Open("Tarrowind test: no such port", -1, &error), nullptr);
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_EQ(RtMidiOut::Open("", 100000, &error), nullptr);
    EXPECT_FALSE(error.empty());
}
