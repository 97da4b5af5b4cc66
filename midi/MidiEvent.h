#pragma once
// One timed MIDI event of a track, and the engine's exception classes.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Raised by the song (file header, file container, writing the file).
class EMidiData : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by a track (inserting, reading an "MTrk" chunk).
class EMidiTrackStream : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a track would grow beyond the room it was created with.
class EVirtualMemory : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace midi {
constexpr uint8_t kMetaStatus = 0xFF;
constexpr uint8_t kSysexStatus = 0xF0;
constexpr uint8_t kSysexContinuation = 0xF7;
constexpr uint8_t kMetaText = 0x01;
constexpr uint8_t kMetaTrackName = 0x03;
constexpr uint8_t kMetaEndOfTrack = 0x2F;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint8_t kMetaTimeSignature = 0x58;
// Ticks fit a 4-byte variable-length number, so every delta time of a written track does too.
constexpr int32_t kMaxTick = 0x0FFFFFFF;
// Data of a meta event (after its type byte) or a system-exclusive block: the 16-bit
// length field holds 1 + the meta data size.
constexpr size_t kMaxBlockBytes = 65534;

// Data bytes that follow a status byte: 2 for notes, aftertouch, controllers and pitch
// bend, 1 for program change and channel pressure, 0 for system messages.
inline int DataBytesForStatus(uint8_t status) {
    switch (status >> 4) {
    case 0x8:
    case 0x9:
    case 0xA:
    case 0xB:
    case 0xE:
        return 2;
    case 0xC:
    case 0xD:
        return 1;
    default:
        return 0;
    }
}
} // namespace midi

// One event of a track. Channel messages keep their two data bytes inline; system-exclusive
// (0xF0, 0xF7) and meta (0xFF) events own their data block.
struct TMidiEvent {
    int32_t Time = 0;    // absolute tick from the start of the track
    uint16_t Length = 0; // sysex: data bytes; meta: 1 + data bytes (type byte counts); else 0
    uint8_t Status = 0;  // 0x80..0xEF channel message (low nibble = channel), 0xF0/0xF7, 0xFF
    uint8_t Data1 = 0;
    uint8_t Data2 = 0;          // 0 for program change and channel pressure
    int32_t Partner = -1;       // index of the paired note event in the track, -1 when unpaired
    std::vector<uint8_t> Block; // meta: type byte then data; sysex: the data bytes

    bool IsChannelMessage() const { return Status >= 0x80 && Status < 0xF0; }
    bool IsMeta() const { return Status == midi::kMetaStatus; }
    bool IsSysex() const { return Status == midi::kSysexStatus || Status == midi::kSysexContinuation; }
    bool HasBlock() const { return Status >= 0xF0; }
    // The meta type byte, or -1 for anything that is not a meta event with a type.
    int MetaType() const { return IsMeta() && !Block.empty() ? Block[0] : -1; }
    bool IsEndOfTrack() const { return MetaType() == midi::kMetaEndOfTrack; }
    bool IsNoteOn() const { return (Status & 0xF0) == 0x90 && Data2 > 0; }
    bool IsNoteOff() const { return (Status & 0xF0) == 0x80 || ((Status & 0xF0) == 0x90 && Data2 == 0); }
    bool IsNote() const { return (Status & 0xF0) == 0x80 || (Status & 0xF0) == 0x90; }
    int Channel() const { return Status & 0x0F; }
    // Meta data after the type byte (empty for other events).
    const uint8_t *MetaData() const { return Block.size() > 1 ? Block.data() + 1 : nullptr; }
    size_t MetaDataSize() const { return IsMeta() && !Block.empty() ? Block.size() - 1 : 0; }
};
