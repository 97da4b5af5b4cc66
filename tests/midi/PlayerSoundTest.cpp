// The player on the real timer thread, into the embedded synthesizer rendering a WAV file:
// the notes are heard where the song has them, and silence follows the end.
#include "midi/MidiPlayer.h"
#include "platform/FluidSynthOut.h"
#include "platform/MidiOutSystem.h"
#include "platform/SteadyClock.h"
#include "platform/ThreadTimer.h"
#include "platform/WavFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

TEST(PlayerSound, RealTimerIntoTheSynthesizerSoundsWhereTheNotesAre) {
    if (platform::FluidSynthOut::FindGmSoundFont().empty())
        GTEST_SKIP() << "no General MIDI soundfont in /usr/share/sounds/sf2 (install timgm6mb-soundfont)";
    const std::string wavPath =
        (std::filesystem::temp_directory_path() / ("tarrowind-player-" + std::to_string(::getpid()) + ".wav")).string();
    struct Remove {
        std::string path;
        ~Remove() { std::filesystem::remove(path); }
    } remove{wavPath};

    platform::SynthOptions options;
    options.wavPath = wavPath;
    options.useEnvironment = false;
    platform::MidiOutSystem system(options);
    TPhysicalPortList ports(system);

    // 500 ms per quarter at PPQN 192: silence for 0.5 s, two piano notes to 1.5 s.
    TMidiData data;
    data.SetPPQN(192);
    data.AddTrack(1);
    data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, std::vector<uint8_t>{0x07, 0xA1, 0x20});
    TMidiTrackStream *t = data.GetTrack(1);
    t->InsertEvent(192, 0x90, 60, 110);
    t->InsertEvent(384, 0x80, 60, 0);
    t->InsertEvent(384, 0x90, 64, 110);
    t->InsertEvent(576, 0x80, 64, 0);

    TTrackOutputs outputs(ports);
    outputs.SetSysexLatency(0);
    outputs.SetMidiData(&data);
    outputs.SetActive(true); // opens the synthesizer: the WAV file's time 0 (once its soundfont is loaded)
    const auto opened = std::chrono::steady_clock::now();
    ASSERT_NE(outputs.GetOutput(1)->Port().GetHandle(), nullptr) << system.LastError();

    platform::SteadyClock clock;
    platform::ThreadTimer timer;
    TMidiPlayer player(clock, timer);
    player.SetTrackOutputs(&outputs);
    std::this_thread::sleep_for(200ms);
    const double start = std::chrono::duration<double>(std::chrono::steady_clock::now() - opened).count();
    player.SetPlay(true);
    ASSERT_TRUE(player.Play());
    for (int i = 0; i < 300 && player.Play(); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(player.Play()) << "the player stops at the song's end";
    EXPECT_GE(player.Position(), 576);
    std::this_thread::sleep_for(1500ms); // the last note dies away
    outputs.SetActive(false);            // closes the synthesizer and its file

    platform::WavData wav;
    std::string error;
    ASSERT_TRUE(platform::ReadWavFile(wavPath, wav, &error)) << error;
    const double before = platform::WavRms(wav, start + 0.05, start + 0.45);
    const double during = platform::WavRms(wav, start + 0.6, start + 1.45);
    const double after = platform::WavRms(wav, start + 2.6, start + 3.0);
    RecordProperty("rms", std::to_string(before) + " " + std::to_string(during) + " " + std::to_string(after));
    EXPECT_GT(during, 0.005);
    EXPECT_GT(during, 20 * before) << "before " << before << " during " << during;
    EXPECT_GT(during, 10 * after) << "after " << after << " during " << during;
}

} // namespace
