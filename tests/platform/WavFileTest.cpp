#include "SynthTestSupport.h"

#include "platform/WavFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

using namespace platform;
using platform_test::TempFile;

namespace {

std::vector<char> FileBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string &path, const std::vector<char> &bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

TEST(WavFile, WritesAHeaderAndSamplesThatReadBack) {
    TempFile file("roundtrip.wav");
    const std::vector<int16_t> samples{0, 1, -1, 32767, -32768, 1234};
    {
        WavWriter writer;
        ASSERT_TRUE(writer.Open(file.Path(), 44100, 2));
        ASSERT_TRUE(writer.Write(samples.data(), 2));
        ASSERT_TRUE(writer.Write(samples.data() + 4, 1));
        EXPECT_EQ(writer.FramesWritten(), 3u);
        ASSERT_TRUE(writer.Close()) << writer.Error();
    }
    const std::vector<char> bytes = FileBytes(file.Path());
    ASSERT_EQ(bytes.size(), 44u + 12u);
    // RIFF size = file size - 8; data size = 3 frames x 4 bytes; byte rate = 44100 x 4.
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(static_cast<uint8_t>(bytes[4]), 48u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[40]), 12u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]) | static_cast<uint8_t>(bytes[29]) << 8 |
                  static_cast<uint8_t>(bytes[30]) << 16,
              176400);

    WavData wav;
    std::string error;
    ASSERT_TRUE(ReadWavFile(file.Path(), wav, &error)) << error;
    EXPECT_EQ(wav.sampleRate, 44100);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.samples, (std::vector<int16_t>{0, 1, -1, 32767, -32768, 1234}));
    // Frame 1 alone: silent left, full scale right; a span past the end is empty.
    EXPECT_NEAR(WavRms(wav, 1.0 / 44100, 2.0 / 44100), std::sqrt(0.5), 1e-4);
    EXPECT_EQ(WavRms(wav, 1.0, 2.0), 0.0);
}

TEST(WavFile, ReaderRejectsBadFilesWithoutReadingPastThem) {
    TempFile good("good.wav"), bad("bad.wav");
    {
        WavWriter writer;
        const int16_t frame[2] = {100, -100};
        ASSERT_TRUE(writer.Open(good.Path(), 22050, 2));
        for (int i = 0; i < 10; ++i)
            writer.Write(frame, 1);
        ASSERT_TRUE(writer.Close());
    }
    const std::vector<char> bytes = FileBytes(good.Path());

    struct Case {
        const char *what;
        std::vector<char> bytes;
        bool ok;
        size_t samples;
    };
    std::vector<char> unfinished = bytes; // data size never written back
    unfinished[40] = unfinished[41] = unfinished[42] = unfinished[43] = 0;
    std::vector<char> oversized = bytes; // data size beyond the file
    oversized[41] = 0x10;
    std::vector<char> hugeFmt = bytes; // format chunk size beyond the file
    hugeFmt[16] = hugeFmt[17] = hugeFmt[18] = static_cast<char>(0xFF);
    std::vector<char> eightBit = bytes;
    eightBit[34] = 8;
    const Case cases[] = {
        {"complete", bytes, true, 20},
        {"cut in the middle of the samples", std::vector<char>(bytes.begin(), bytes.begin() + 44 + 9), true, 4},
        {"data size never finalised", unfinished, true, 20},
        {"data size beyond the file", oversized, true, 20},
        {"header only, cut", std::vector<char>(bytes.begin(), bytes.begin() + 30), false, 0},
        {"format chunk beyond the file", hugeFmt, false, 0},
        {"8-bit samples", eightBit, false, 0},
        {"not RIFF", std::vector<char>(64, 'x'), false, 0},
        {"empty", {}, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(bad.Path(), c.bytes);
        WavData wav;
        std::string error;
        EXPECT_EQ(ReadWavFile(bad.Path(), wav, &error), c.ok) << error;
        EXPECT_EQ(wav.samples.size(), c.samples);
        if (!c.ok) {
            EXPECT_FALSE(error.empty());
        }
    }
    WavData wav;
    EXPECT_FALSE(ReadWavFile("/nonexistent/file.wav", wav));
}

TEST(WavFile, WriterReportsAFileItCannotCreate) {
    WavWriter writer;
    EXPECT_FALSE(writer.Open("/nonexistent-folder/x.wav", 44100, 2));
    EXPECT_NE(writer.Error().find("nonexistent-folder"), std::string::npos);
    const int16_t frame[2] = {0, 0};
    EXPECT_FALSE(writer.Write(frame, 1));
    EXPECT_FALSE(writer.Close());
}

// Onsets on a 1 kHz stereo signal: level 0.1, quiet 0.01, 50 ms of silence before a sound.
TEST(WavFile, OnsetsAreLoudSamplesAfterASilence) {
    struct Span {
        int from, to; // frames [from, to)
        double left, right;
    };
    struct Case {
        const char *what;
        std::vector<Span> spans;
        std::vector<double> onsets;
    };
    const Case cases[] = {
        {"two separate sounds", {{100, 150, 0.5, 0.5}, {400, 450, -0.5, -0.5}}, {0.1, 0.4}},
        {"the file's start counts as silence", {{0, 10, 0.5, 0.5}}, {0.0}},
        {"a rise through the quiet band starts at the loud sample",
         {{100, 105, 0.05, 0.05}, {105, 120, 0.5, 0.5}},
         {0.105}},
        {"a silence too short joins two sounds", {{100, 150, 0.5, 0.5}, {199, 220, 0.5, 0.5}}, {0.1}},
        {"a silence just long enough parts them", {{100, 150, 0.5, 0.5}, {200, 220, 0.5, 0.5}}, {0.1, 0.2}},
        {"a tail above quiet is no silence",
         {{100, 150, 0.5, 0.5}, {150, 300, 0.05, 0.05}, {340, 350, 0.5, 0.5}},
         {0.1}},
        {"one channel is enough", {{100, 110, 0.0, -0.3}}, {0.1}},
        {"nothing reaches the level", {{100, 200, 0.09, 0.09}}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WavData wav;
        wav.sampleRate = 1000;
        wav.channels = 2;
        wav.samples.assign(2 * 600, 0);
        for (const Span &s : c.spans)
            for (int f = s.from; f < s.to; ++f) {
                wav.samples[2 * f] = static_cast<int16_t>(s.left * 32767);
                wav.samples[2 * f + 1] = static_cast<int16_t>(s.right * 32767);
            }
        const std::vector<double> onsets = WavOnsets(wav, 0.1, 0.01, 0.05);
        ASSERT_EQ(onsets.size(), c.onsets.size());
        for (size_t i = 0; i < onsets.size(); ++i)
            EXPECT_DOUBLE_EQ(onsets[i], c.onsets[i]);
    }
}
