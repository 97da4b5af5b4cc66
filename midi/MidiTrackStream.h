#pragma once
// One track of a MIDI song: a time-ordered array of events with the track's name event,
// program and channel, note pairing, and its "MTrk" chunk writer and reader.
#include "midi/ByteReader.h"
#include "midi/MidiEvent.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Not thread-safe for writing: build a track on one thread, then read it from any number
// (the first read after insertions merges them, so make one before handing the track over;
// the player's start does).
class TMidiTrackStream {
public:
    // Every track in the program has room for this many events.
    static constexpr int kDefaultMaxEvents = 100000;

    explicit TMidiTrackStream(int maxEvents = kDefaultMaxEvents);

    // Gives an empty track its name event (empty) and its End of Track, both at tick 0.
    void Init();

    int EventCount() const;
    int MaxEvents() const { return maxEvents_; }
    // The event at `index`, or nullptr outside 0..EventCount()-1. The pointer stays valid
    // until the next insertion. Changing an event's Time can break the track's order.
    const TMidiEvent *GetEvent(int index) const;
    TMidiEvent *GetEvent(int index);
    // Index of the first event at or after `tick` (-1 when there is none); for an equal
    // tick, mode 0 gives the first of them and mode 1 the last.
    int IndexOfTime(int32_t tick, int mode) const;

    // Inserts an event behind every event of the same tick (but before the End of Track).
    // A negative tick is taken as 0 and ticks beyond kMaxTick as kMaxTick. The End of Track
    // moves to the new tick when it was earlier. Raises EVirtualMemory "Size exceeds
    // capacity" when the track is full; the track is then unchanged.
    void InsertEvent(int32_t time, uint8_t status, uint8_t data1, uint8_t data2 = 0);
    // General form: system-exclusive and meta events carry their Block (Length is set from it).
    void InsertEvent(int32_t time, TMidiEvent event);
    void InsertMetaEvent(int32_t time, uint8_t metaType, const uint8_t *data, size_t length);
    void InsertMetaEvent(int32_t time, uint8_t metaType, std::string_view data = {});
    void InsertMetaEvent(int32_t time, uint8_t metaType, const std::vector<uint8_t> &data);

    void SetTrackName(std::string_view name);
    std::string GetTrackName() const;
    // Index of the track-name event, or -1.
    int NameEventIndex() const;
    // Moves every channel message to `channel` (masked to 0..15).
    void SetChannel(int channel);
    // Sets the track's program (programs above 127 are ignored): rewrites the program
    // changes ahead of the first note, or inserts one at tick 0 when there is none.
    void SetPatch(int program);

    uint8_t Program() const { return program_; }
    uint8_t Bank() const { return bank_; }
    uint8_t Channel() const { return channel_; }
    bool Modified() const { return modified_; }
    void ClearModified() { modified_ = false; }
    int OutputPort = 0;

    // Links every note-on to its note-off (per note number, at most five open note-ons,
    // last in first out). Every insertion, in time order or not, leaves the links out of date;
    // they are redone when PartnerOf asks, so building a track never re-pairs on every insertion.
    void PairNoteEvents();
    // Index of the event paired with event `index` (-1 when unpaired), for the track as it is
    // now, whatever the order its events were inserted in.
    int PartnerOf(int index);

    // Appends one "MTrk" chunk.
    void SaveToStream(std::vector<uint8_t> &out) const;
    // Reads one "MTrk" chunk into this (empty) track.
    void LoadFromStream(TByteReader<EMidiData> &in);
    // Reads the body of an "MTrk" chunk (the bytes after its length) into this empty track.
    void LoadFromBytes(const uint8_t *data, size_t size);

    // Changes with every change of the track's content (unique across all tracks and songs).
    uint64_t Revision() const { return revision_; }

private:
    void Flush() const;
    void Touch();
    void CheckRoom() const;
    bool FastPathReady() const;
    void InsertDirect(TMidiEvent event);
    static int32_t ClampTick(int32_t time);
    static TMidiEvent MakeMeta(int32_t time, uint8_t metaType, const uint8_t *data, size_t length);
    void Encode(std::vector<uint8_t> &out) const;

    int maxEvents_;
    // Events in time order. Insertions that keep the End of Track last wait in pending_
    // (in insertion order) and are merged in one pass by the next read, so that building
    // a track costs O(n log n) whatever the order of insertion.
    mutable std::vector<TMidiEvent> events_;
    mutable std::vector<TMidiEvent> pending_;
    mutable int nameIndex_ = -1;
    mutable int32_t lastTick_ = INT32_MIN; // the latest tick of any event but the End of Track
    mutable bool pairingStale_ = false;
    uint8_t program_ = 0;
    uint8_t bank_ = 0;
    uint8_t channel_ = 0;
    bool modified_ = false;
    uint64_t revision_ = 0;
};

namespace midi {
// A fresh revision number, greater than every one handed out before (thread-safe).
uint64_t NextRevision();
// Appends `value` as a variable-length number (at most 4 bytes; value <= kMaxTick).
void WriteVarLen(std::vector<uint8_t> &out, uint32_t value);
} // namespace midi
