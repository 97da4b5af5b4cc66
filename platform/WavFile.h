#pragma once
// 16-bit PCM WAV files: what the synthesizer renders into when there is no sound card,
// and a reader to check such a file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

class WavWriter {
public:
    WavWriter() = default;
    ~WavWriter(); // closes (the header is finalised)
    WavWriter(const WavWriter &) = delete;
    WavWriter &operator=(const WavWriter &) = delete;

    // Creates (or truncates) the file and writes a header for 0 frames.
    bool Open(const std::string &path, int sampleRate, int channels);
    // Appends interleaved frames. False (and nothing more is written) after any failure
    // or when the file would pass the format's 4 GB limit.
    bool Write(const int16_t *interleaved, size_t frames);
    // Writes the final sizes into the header and closes. True when every write, the
    // header update and the close succeeded.
    bool Close();

    bool IsOpen() const { return file_ != nullptr; }
    uint64_t FramesWritten() const { return frames_; }
    const std::string &Error() const { return error_; }

private:
    bool Fail(const std::string &what);

    std::FILE *file_ = nullptr;
    std::string path_;
    int sampleRate_ = 0;
    int channels_ = 0;
    uint64_t frames_ = 0;
    bool failed_ = false;
    std::string error_;
};

struct WavData {
    int sampleRate = 0;
    int channels = 0;
    std::vector<int16_t> samples; // interleaved
    size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    double Seconds() const { return sampleRate > 0 ? static_cast<double>(Frames()) / sampleRate : 0.0; }
};

// Reads a 16-bit PCM WAV file. On a missing, truncated or other kind of file returns false
// with a reason in `error`; never reads past the data the file holds.
bool ReadWavFile(const std::string &path, WavData &out, std::string *error = nullptr);

// Root mean square of every sample (all channels) between two times, in full-scale units
// (0..1); 0 for an empty or out-of-range span.
double WavRms(const WavData &wav, double fromSeconds, double toSeconds);

// Where sounds start, in seconds: each frame where a sample (either channel) reaches
// `level` of full scale after at least `silenceSeconds` in which every sample stayed below
// `quiet` (the file's start counts as silence). Between `quiet` and `level` a sound is
// still rising: that neither starts one nor breaks the silence before it.
std::vector<double> WavOnsets(const WavData &wav, double level, double quiet, double silenceSeconds);

} // namespace platform
