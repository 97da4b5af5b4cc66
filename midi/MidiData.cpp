#include "midi/MidiData.h"

#include "platform/FileIO.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
constexpr uint8_t kDefaultHeader[6] = {0x00, 0x01, 0x00, 0x00, 0x00, 0xB4}; // format 1, 0 tracks, 180

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string Extension(const std::string &path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot);
}

// The Standard MIDI File inside a RIFF "RMID" form: the body of its "data" chunk.
std::vector<uint8_t> RiffMidiData(const std::vector<uint8_t> &bytes) {
    TByteReader<EMidiData> r(bytes.data(), bytes.size(), "Invalid RIFF MIDI file");
    if (std::memcmp(r.Bytes(4), "RIFF", 4) != 0)
        throw EMidiData("Invalid RIFF MIDI file");
    const uint32_t formSize = r.U32LE();
    if (std::memcmp(r.Bytes(4), "RMID", 4) != 0)
        throw EMidiData("Invalid RIFF MIDI file");
    const size_t end = std::min<size_t>(bytes.size(), size_t{8} + formSize);
    while (r.Position() + 8 <= end) {
        const uint8_t *id = r.Bytes(4);
        const uint32_t size = r.U32LE();
        const uint8_t *body = r.Bytes(size);
        if (std::memcmp(id, "data", 4) == 0)
            return std::vector<uint8_t>(body, body + size);
        if ((size & 1) && !r.AtEnd())
            r.Skip(1); // chunks are padded to even sizes
    }
    throw EMidiData("Invalid RIFF MIDI file");
}
} // namespace

TMidiData::TMidiData() {
    std::memcpy(header_, kDefaultHeader, sizeof header_);
    Touch();
}

TMidiData::~TMidiData() = default;

void TMidiData::New() {
    Clear();
    fileName_.clear();
    active_ = true;
}

void TMidiData::Clear() {
    extraHeader_.clear();
    tracks_.clear();
    std::memcpy(header_, kDefaultHeader, sizeof header_);
    ClearModified();
    active_ = false;
    Touch();
}

TMidiTrackStream *TMidiData::GetTrack(int index) {
    if (index < 0 || index >= GetTrackCount())
        return nullptr;
    return tracks_[static_cast<size_t>(index)].get();
}

const TMidiTrackStream *TMidiData::GetTrack(int index) const {
    if (index < 0 || index >= GetTrackCount())
        return nullptr;
    return tracks_[static_cast<size_t>(index)].get();
}

bool TMidiData::AddTrack(int kind) {
    bool result = false;
    if (kind > 0 && tracks_.empty()) {
        AddTrack(0);
        result = true;
    }
    if (tracks_.size() >= 0xFFFF)
        return result; // the header counts tracks in 16 bits
    auto track = std::make_unique<TMidiTrackStream>(TMidiTrackStream::kDefaultMaxEvents);
    track->Init();
    tracks_.push_back(std::move(track));
    SetTrackCountField();
    modified_ = true;
    Touch();
    return result;
}

void TMidiData::SetTrackCountField() {
    const auto count = static_cast<uint16_t>(tracks_.size());
    header_[2] = static_cast<uint8_t>(count >> 8);
    header_[3] = static_cast<uint8_t>(count);
}

int TMidiData::GetPPQN() const { return (header_[4] << 8) | header_[5]; }

void TMidiData::SetPPQN(int ppqn) {
    if (ppqn < 1 || ppqn > 0x7FFF || ppqn == GetPPQN())
        return;
    header_[4] = static_cast<uint8_t>(ppqn >> 8);
    header_[5] = static_cast<uint8_t>(ppqn);
    modified_ = true;
    Touch();
}

void TMidiData::ClearModified() {
    modified_ = false;
    for (auto &t : tracks_)
        t->ClearModified();
}

uint64_t TMidiData::Revision() const {
    const uint64_t conductor = tracks_.empty() ? 0 : tracks_.front()->Revision();
    return std::max(revision_, conductor);
}

std::vector<uint8_t> TMidiData::SaveToBytes() const {
    std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
    const uint32_t headerSize = 6 + static_cast<uint32_t>(extraHeader_.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(headerSize >> shift));
    out.insert(out.end(), header_, header_ + 6);
    out.insert(out.end(), extraHeader_.begin(), extraHeader_.end());
    for (const auto &t : tracks_)
        t->SaveToStream(out);
    return out;
}

void TMidiData::SaveToFile() {
    const std::string &path = fileName_;
    if (path.empty())
        throw EMidiData("Cannot write a MIDI file without a file name");
    const platform::WriteResult written = platform::WriteFileAtomically(path, SaveToBytes());
    if (!written)
        throw EMidiData("Cannot write \"" + path + "\": " + written.reason);
    ClearModified();
}

void TMidiData::LoadFromBytes(const std::vector<uint8_t> &bytes, bool riff) {
    Clear();
    try {
        std::vector<uint8_t> inner;
        const std::vector<uint8_t> *smf = &bytes;
        if (riff) {
            inner = RiffMidiData(bytes);
            smf = &inner;
        }
        TByteReader<EMidiData> r(smf->data(), smf->size(), "Unexpected end of MIDI file");
        if (smf->size() < 4 || std::memcmp(smf->data(), "MThd", 4) != 0)
            throw EMidiData("Invalid MIDI file ID");
        r.Skip(4);
        const uint32_t headerSize = r.U32BE();
        if (headerSize < 6)
            throw EMidiData("Invalid MIDI header size");
        const uint8_t *header = r.Bytes(6);
        const uint8_t *extra = r.Bytes(headerSize - 6);
        const int division = (header[4] << 8) | header[5];
        // SMPTE divisions (bit 15) and 0 ticks per quarter cannot be played or positioned.
        if (division == 0 || (division & 0x8000))
            throw EMidiData("Unsupported MIDI time division");
        const int count = (header[2] << 8) | header[3];
        std::memcpy(header_, header, 6);
        extraHeader_.assign(extra, extra + (headerSize - 6));
        for (int i = 0; i < count; ++i) {
            if (r.AtEnd())
                throw EMidiData("Missing track chunk");
            auto track = std::make_unique<TMidiTrackStream>(TMidiTrackStream::kDefaultMaxEvents);
            track->LoadFromStream(r);
            tracks_.push_back(std::move(track));
        }
        isRiff_ = riff;
        active_ = true;
        Touch();
    } catch (...) {
        Clear();
        throw;
    }
    ClearModified();
}

void TMidiData::LoadFromFile() {
    const std::string ext = Upper(Extension(fileName_));
    const bool riff = ext == ".RMI" || ext == ".RIFF";
    std::vector<uint8_t> bytes;
    std::string reason;
    switch (platform::ReadWholeFile(fileName_, bytes, UINT64_MAX, &reason)) {
    case platform::TReadFile::Ok:
        break;
    case platform::TReadFile::NotFound:
        Clear();
        throw EMidiData("Cannot open \"" + fileName_ + "\": No such file or directory");
    case platform::TReadFile::TooBig:
    case platform::TReadFile::Failed:
        Clear();
        throw EMidiData("Cannot read \"" + fileName_ + "\": " + reason);
    }
    LoadFromBytes(bytes, riff);
    if (riff) {
        const std::string ext0 = Extension(fileName_);
        fileName_ = fileName_.substr(0, fileName_.size() - ext0.size()) + ".MID";
    }
}

void TMidiData::SetActive(bool active) {
    if (active == active_)
        return;
    if (!active) {
        Clear();
    } else if (!fileName_.empty()) {
        LoadFromFile();
    } else {
        New();
    }
}
