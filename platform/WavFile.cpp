#include "platform/WavFile.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace platform {
namespace {

constexpr uint32_t kHeaderBytes = 44;
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - kHeaderBytes + 8; // RIFF size is 32-bit

void PutLE(std::vector<uint8_t> &out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetLE(const uint8_t *p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

std::vector<uint8_t> Header(int sampleRate, int channels, uint64_t dataBytes) {
    const uint32_t data = static_cast<uint32_t>(std::min<uint64_t>(dataBytes, kMaxDataBytes));
    const uint32_t blockAlign = static_cast<uint32_t>(channels) * 2;
    std::vector<uint8_t> h;
    h.reserve(kHeaderBytes);
    for (char c : std::string("RIFF"))
        h.push_back(static_cast<uint8_t>(c));
    PutLE(h, data + kHeaderBytes - 8, 4);
    for (char c : std::string("WAVEfmt "))
        h.push_back(static_cast<uint8_t>(c));
    PutLE(h, 16, 4); // fmt chunk size
    PutLE(h, 1, 2);  // PCM
    PutLE(h, static_cast<uint32_t>(channels), 2);
    PutLE(h, static_cast<uint32_t>(sampleRate), 4);
    PutLE(h, static_cast<uint32_t>(sampleRate) * blockAlign, 4);
    PutLE(h, blockAlign, 2);
    PutLE(h, 16, 2); // bits per sample
    for (char c : std::string("data"))
        h.push_back(static_cast<uint8_t>(c));
    PutLE(h, data, 4);
    return h;
}

bool Reject(std::string *error, const std::string &why) {
    if (error)
        *error = why;
    return false;
}

} // namespace

WavWriter::~WavWriter() { Close(); }

bool WavWriter::Fail(const std::string &what) {
    if (!failed_)
        error_ = what + " \"" + path_ + "\": " + std::strerror(errno);
    failed_ = true;
    return false;
}

bool WavWriter::Open(const std::string &path, int sampleRate, int channels) {
    Close();
    path_ = path;
    frames_ = 0;
    failed_ = false;
    error_.clear();
    channels_ = channels;
    sampleRate_ = sampleRate;
    if (sampleRate <= 0 || channels <= 0 || channels > 8) {
        error_ = "unsupported WAV format";
        failed_ = true;
        return false;
    }
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
        return Fail("cannot create");
    const std::vector<uint8_t> h = Header(sampleRate, channels, 0);
    if (std::fwrite(h.data(), 1, h.size(), file_) != h.size())
        return Fail("cannot write");
    return true;
}

bool WavWriter::Write(const int16_t *interleaved, size_t frames) {
    if (!file_ || failed_)
        return false;
    if (frames == 0)
        return true;
    const size_t count = frames * static_cast<size_t>(channels_);
    if ((frames_ + frames) * static_cast<uint64_t>(channels_) * 2 > kMaxDataBytes) {
        failed_ = true;
        error_ = "WAV file \"" + path_ + "\" reached the 4 GB limit";
        return false;
    }
    size_t written;
    if constexpr (std::endian::native == std::endian::little) {
        written = std::fwrite(interleaved, sizeof(int16_t), count, file_);
    } else {
        std::vector<uint8_t> bytes;
        bytes.reserve(count * 2);
        for (size_t i = 0; i < count; ++i)
            PutLE(bytes, static_cast<uint16_t>(interleaved[i]), 2);
        written = std::fwrite(bytes.data(), 2, count, file_);
    }
    if (written != count)
        return Fail("cannot write");
    frames_ += frames;
    return true;
}

bool WavWriter::Close() {
    if (!file_)
        return !failed_;
    const std::vector<uint8_t> h = Header(sampleRate_, channels_, frames_ * static_cast<uint64_t>(channels_) * 2);
    if (std::fflush(file_) != 0)
        Fail("cannot write");
    if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(h.data(), 1, h.size(), file_) != h.size())
        Fail("cannot finish");
    if (std::fclose(file_) != 0)
        Fail("cannot close");
    file_ = nullptr;
    return !failed_;
}

bool ReadWavFile(const std::string &path, WavData &out, std::string *error) {
    out = WavData{};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Reject(error, "cannot open \"" + path + "\"");
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return Reject(error, "not a WAV file");

    bool haveFormat = false;
    size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const uint8_t *chunk = bytes.data() + pos;
        const uint64_t size = GetLE(chunk + 4, 4);
        const size_t body = pos + 8;
        const size_t available = bytes.size() - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || size > available)
                return Reject(error, "bad format chunk");
            const uint8_t *f = bytes.data() + body;
            if (GetLE(f, 2) != 1 || GetLE(f + 14, 2) != 16)
                return Reject(error, "not 16-bit PCM");
            out.channels = static_cast<int>(GetLE(f + 2, 2));
            out.sampleRate = static_cast<int>(GetLE(f + 4, 4));
            if (out.channels <= 0 || out.sampleRate <= 0)
                return Reject(error, "bad format chunk");
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return Reject(error, "data before format");
            // A writer that died before finishing leaves a size of 0 (or a streaming writer
            // 0xFFFFFFFF): take what the file holds.
            const uint64_t declared = (size == 0 || size == 0xFFFFFFFFu) ? available : size;
            const size_t frameBytes = static_cast<size_t>(out.channels) * 2;
            const size_t usable =
                static_cast<size_t>(std::min<uint64_t>(declared, available)) / frameBytes * frameBytes;
            out.samples.resize(usable / 2);
            for (size_t i = 0; i < out.samples.size(); ++i)
                out.samples[i] = static_cast<int16_t>(GetLE(bytes.data() + body + 2 * i, 2));
            return true;
        }
        pos = body + static_cast<size_t>(std::min<uint64_t>(size + (size & 1), available));
    }
    return Reject(error, haveFormat ? "no data chunk" : "no format chunk");
}

double WavRms(const WavData &wav, double fromSeconds, double toSeconds) {
    if (wav.channels <= 0 || wav.sampleRate <= 0)
        return 0.0;
    const double frames = static_cast<double>(wav.Frames());
    const double a = std::clamp(fromSeconds * wav.sampleRate, 0.0, frames);
    const double b = std::clamp(toSeconds * wav.sampleRate, 0.0, frames);
    const size_t first = static_cast<size_t>(a) * static_cast<size_t>(wav.channels);
    const size_t last = static_cast<size_t>(b) * static_cast<size_t>(wav.channels);
    if (last <= first)
        return 0.0;
    double sum = 0.0;
    for (size_t i = first; i < last; ++i) {
        const double s = wav.samples[i] / 32768.0;
        sum += s * s;
    }
    return std::sqrt(sum / static_cast<double>(last - first));
}

std::vector<double> WavOnsets(const WavData &wav, double level, double quiet, double silenceSeconds) {
    std::vector<double> onsets;
    if (wav.channels <= 0 || wav.sampleRate <= 0)
        return onsets;
    const int loud = static_cast<int>(std::ceil(level * 32768));
    const int noise = static_cast<int>(std::ceil(quiet * 32768));
    const size_t silenceFrames = static_cast<size_t>(std::ceil(silenceSeconds * wav.sampleRate));
    const size_t channels = static_cast<size_t>(wav.channels);
    bool silent = true;  // a silence long enough lies behind
    size_t quietRun = 0; // frames below `quiet` since the last sound
    for (size_t frame = 0; frame < wav.Frames(); ++frame) {
        int peak = 0;
        for (size_t c = 0; c < channels; ++c)
            peak = std::max(peak, std::abs(static_cast<int>(wav.samples[frame * channels + c])));
        if (silent) {
            if (peak >= loud) {
                onsets.push_back(static_cast<double>(frame) / wav.sampleRate);
                silent = false;
                quietRun = 0;
            }
        } else if (peak < noise) {
            silent = ++quietRun >= silenceFrames;
        } else {
            quietRun = 0;
        }
    }
    return onsets;
}

} // namespace platform
