// A built song leaves the program as a Standard MIDI File that other tools read and play: Debian's
// midicsv lists its events, the fluidsynth command renders it to a WAV whose sound lies where the
// notes are.
#include "midi/MidiData.h"
#include "platform/WavFile.h"
#include "song/NewSong.h"
#include "song/SongBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

bool HaveCommand(const std::string &name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string SoundFont() {
    for (const char *path : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                             "/usr/share/sounds/sf2/FluidR3_GM.sf2"})
        if (fs::exists(path))
            return path;
    return {};
}

class SongRender : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tw_render_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        ResetSongModel(song_, drums_);
        // A chord at 0 s, two whole bars of rest, a chord at 4.5 s (120 beats per minute).
        const std::string rest = "R, x, x, x, x, x, x, x, x, x, x, W";
        song_.Lines(1) = {"C, 60, 64, 67, x, x, x, x, x, x, x, Q", rest, rest, "G, 55, 59, 62, x, x, x, x, x, x, x, Q"};
        song_.Lines(12) = {"E, 0, x, x, x, Q"}; // the bass's low E (28) with the first chord
        drums_.list.Add(FormatPatternListLine("Kick", drums_.ids.Next(), kFeelRegular));
        drums_.store.AppendLines({"DPATN|0002|" + drums_.list.Item(0), "0000007"});
        ASSERT_TRUE(BuildSongMidi(song_, drums_, TPlaySettings{}, midi_).Ok());
        midiPath_ = (dir_ / "song.mid").string();
        const std::vector<uint8_t> bytes = midi_.SaveToBytes();
        std::ofstream(midiPath_, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    std::string midiPath_;
    TSongModel song_;
    DrumPart drums_;
    TMidiData midi_;
};

TEST_F(SongRender, MidicsvReadsTheRightEvents) {
    if (!HaveCommand("midicsv"))
        GTEST_SKIP() << "midicsv is not installed (Debian package midicsv)";
    const std::string csvPath = (dir_ / "song.csv").string();
    ASSERT_EQ(std::system(("midicsv '" + midiPath_ + "' '" + csvPath + "' 2>/dev/null").c_str()), 0);
    std::ifstream in(csvPath);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    auto has = [&](const std::string &line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("0, 0, Header, 1, 4, 192")) << lines.front();
    EXPECT_TRUE(has("1, 0, Tempo, 500000"));
    EXPECT_TRUE(has("1, 0, Time_signature, 4, 2, 24, 8"));
    EXPECT_TRUE(has("2, 0, Title_t, \"Piano\""));
    EXPECT_TRUE(has("2, 0, Program_c, 0, 0"));
    EXPECT_TRUE(has("2, 0, Control_c, 0, 7, 100"));
    EXPECT_TRUE(has("2, 0, Note_on_c, 0, 60, 100"));
    EXPECT_TRUE(has("2, 192, Note_off_c, 0, 67, 0"));
    EXPECT_TRUE(has("2, 1728, Note_on_c, 0, 55, 100"));
    EXPECT_TRUE(has("3, 0, Title_t, \"Drums\""));
    EXPECT_TRUE(has("3, 0, Note_on_c, 9, 36, 90"));
    EXPECT_TRUE(has("3, 48, Note_off_c, 9, 36, 0"));
    EXPECT_TRUE(has("4, 0, Title_t, \"Bass\""));
    EXPECT_TRUE(has("4, 0, Program_c, 11, 33"));
    EXPECT_TRUE(has("4, 0, Note_on_c, 11, 28, 100"));
    EXPECT_TRUE(has("4, 192, End_track"));
    EXPECT_TRUE(has("0, 0, End_of_file"));
    // Tracks are written in order; tempo and metre only in the conductor track.
    const auto tempos = std::count_if(lines.begin(), lines.end(), [](const std::string &l) {
        return l.find("Tempo") != std::string::npos || l.find("Time_signature") != std::string::npos;
    });
    EXPECT_EQ(tempos, 2);
}

TEST_F(SongRender, FluidsynthSoundsWhereTheNotesAre) {
    const std::string soundFont = SoundFont();
    if (!HaveCommand("fluidsynth") || soundFont.empty())
        GTEST_SKIP() << "fluidsynth or a General MIDI soundfont is not installed";
    const std::string wavPath = (dir_ / "song.wav").string();
    const std::string command = "fluidsynth -q -ni -g 1.0 -r 22050 -T wav -F '" + wavPath + "' '" + soundFont + "' '" +
                                midiPath_ + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    platform::WavData wav;
    std::string error;
    ASSERT_TRUE(platform::ReadWavFile(wavPath, wav, &error)) << error;
    ASSERT_GE(wav.Seconds(), 4.9);
    const double first = platform::WavRms(wav, 0.05, 0.45);
    const double gap = platform::WavRms(wav, 3.3, 4.4);
    const double second = platform::WavRms(wav, 4.55, 4.95);
    EXPECT_GT(first, 0.01);
    EXPECT_GT(second, 0.01);
    EXPECT_LT(gap, first / 20);
    EXPECT_LT(gap, second / 20);
}

} // namespace
