#include "midi/MidiTrackStream.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <utility>

namespace midi {

uint64_t NextRevision() {
    static std::atomic<uint64_t> counter{0};
    return ++counter;
}

void WriteVarLen(std::vector<uint8_t> &out, uint32_t value) {
    value &= static_cast<uint32_t>(kMaxTick);
    uint8_t groups[4];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0 && n < 4);
    while (n > 1)
        out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

} // namespace midi

namespace {
bool TimeLess(const TMidiEvent &a, const TMidiEvent &b) { return a.Time < b.Time; }

void PutU32BE(std::vector<uint8_t> &out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

// Whether the writer can put the event into a file as it is: channel messages need data
// bytes below 128, meta events a type; anything else (stray system bytes) is left out.
bool Writable(const TMidiEvent &e) {
    if (e.IsChannelMessage()) {
        if (e.Data1 >= 0x80)
            return false;
        return midi::DataBytesForStatus(e.Status) < 2 || e.Data2 < 0x80;
    }
    if (e.IsMeta())
        return !e.Block.empty();
    return e.IsSysex();
}
} // namespace

TMidiTrackStream::TMidiTrackStream(int maxEvents) : maxEvents_(std::max(0, maxEvents)) {
    revision_ = midi::NextRevision();
}

void TMidiTrackStream::Init() {
    InsertMetaEvent(0, midi::kMetaEndOfTrack);
    SetTrackName("");
}

int TMidiTrackStream::EventCount() const { return static_cast<int>(events_.size() + pending_.size()); }

const TMidiEvent *TMidiTrackStream::GetEvent(int index) const {
    Flush();
    if (index < 0 || index >= static_cast<int>(events_.size()))
        return nullptr;
    return &events_[static_cast<size_t>(index)];
}

TMidiEvent *TMidiTrackStream::GetEvent(int index) {
    return const_cast<TMidiEvent *>(std::as_const(*this).GetEvent(index));
}

int TMidiTrackStream::IndexOfTime(int32_t tick, int mode) const {
    Flush();
    TMidiEvent probe;
    probe.Time = tick;
    const auto first = std::lower_bound(events_.begin(), events_.end(), probe, TimeLess);
    if (first == events_.end())
        return -1;
    if (first->Time != tick || mode == 0)
        return static_cast<int>(first - events_.begin());
    const auto last = std::upper_bound(first, events_.end(), probe, TimeLess);
    return static_cast<int>(last - events_.begin()) - 1;
}

int32_t TMidiTrackStream::ClampTick(int32_t time) { return std::clamp(time, int32_t{0}, midi::kMaxTick); }

void TMidiTrackStream::CheckRoom() const {
    // The records live in a store of MaxEvents x 15 bytes; one more must still fit.
    if (static_cast<int64_t>(EventCount()) + 1 > maxEvents_)
        throw EVirtualMemory("Size exceeds capacity");
}

void TMidiTrackStream::Touch() { revision_ = midi::NextRevision(); }

bool TMidiTrackStream::FastPathReady() const { return !events_.empty() && events_.back().IsEndOfTrack(); }

void TMidiTrackStream::InsertEvent(int32_t time, uint8_t status, uint8_t data1, uint8_t data2) {
    TMidiEvent e;
    e.Status = status;
    e.Data1 = data1;
    e.Data2 = midi::DataBytesForStatus(status) == 2 ? data2 : 0;
    InsertEvent(time, std::move(e));
}

void TMidiTrackStream::InsertEvent(int32_t time, TMidiEvent event) {
    event.Time = ClampTick(time);
    event.Partner = -1;
    if (event.HasBlock()) {
        const size_t limit = midi::kMaxBlockBytes + (event.IsMeta() ? 1 : 0);
        if (event.Block.size() > limit)
            throw EMidiTrackStream("Block too long");
        if (event.IsMeta() && event.Block.empty())
            throw EMidiTrackStream("Meta event without type");
        event.Length = static_cast<uint16_t>(event.Block.size());
    } else {
        event.Block.clear();
    }
    CheckRoom();
    if (FastPathReady()) {
        TMidiEvent &end = events_.back();
        if (end.Time < event.Time)
            end.Time = event.Time;
        lastTick_ = std::max(lastTick_, event.Time);
        pending_.push_back(std::move(event));
    } else {
        InsertDirect(std::move(event));
    }
    // A new note has no partner yet, and an event before others moves their indexes: the
    // links are redone when PartnerOf next asks.
    pairingStale_ = true;
    modified_ = true;
    Touch();
}

// Insertion into a track that does not end with its End of Track: placed behind the
// events of the same tick, but never behind the final record.
void TMidiTrackStream::InsertDirect(TMidiEvent event) {
    Flush();
    const int oldCount = static_cast<int>(events_.size());
    int d = 0;
    if (oldCount > 0) {
        d = IndexOfTime(event.Time, 1);
        if (d < 0)
            throw EMidiTrackStream("System error inserting event");
        if (events_[static_cast<size_t>(d)].Time == event.Time && d != oldCount - 1)
            ++d;
    }
    if (nameIndex_ >= d)
        ++nameIndex_;
    events_.insert(events_.begin() + d, std::move(event));
    const size_t n = events_.size();
    if (events_.back().IsEndOfTrack())
        lastTick_ = n >= 2 ? events_[n - 2].Time : INT32_MIN;
    else
        lastTick_ = events_.back().Time;
}

void TMidiTrackStream::Flush() const {
    if (pending_.empty())
        return;
    // pending_ exists only while the track ends with its End of Track.
    TMidiEvent end = std::move(events_.back());
    events_.pop_back();
    if (!std::is_sorted(pending_.begin(), pending_.end(), TimeLess))
        std::stable_sort(pending_.begin(), pending_.end(), TimeLess);
    if (nameIndex_ >= 0) {
        // Events already in the track come before new ones of the same tick.
        const auto before =
            std::lower_bound(pending_.begin(), pending_.end(), events_[static_cast<size_t>(nameIndex_)], TimeLess);
        nameIndex_ += static_cast<int>(before - pending_.begin());
    }
    if (events_.empty() || pending_.front().Time >= events_.back().Time) {
        events_.reserve(events_.size() + pending_.size() + 1);
        std::move(pending_.begin(), pending_.end(), std::back_inserter(events_));
    } else {
        std::vector<TMidiEvent> merged;
        merged.reserve(events_.size() + pending_.size() + 1);
        std::merge(std::make_move_iterator(events_.begin()), std::make_move_iterator(events_.end()),
                   std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()),
                   std::back_inserter(merged), TimeLess);
        events_.swap(merged);
    }
    events_.push_back(std::move(end));
    pending_.clear();
}

TMidiEvent TMidiTrackStream::MakeMeta(int32_t time, uint8_t metaType, const uint8_t *data, size_t length) {
    TMidiEvent e;
    e.Time = time;
    e.Status = midi::kMetaStatus;
    e.Block.reserve(length + 1);
    e.Block.push_back(metaType);
    if (length > 0)
        e.Block.insert(e.Block.end(), data, data + length);
    return e;
}

void TMidiTrackStream::InsertMetaEvent(int32_t time, uint8_t metaType, const uint8_t *data, size_t length) {
    InsertEvent(time, MakeMeta(time, metaType, data, length));
}

void TMidiTrackStream::InsertMetaEvent(int32_t time, uint8_t metaType, std::string_view data) {
    InsertMetaEvent(time, metaType, reinterpret_cast<const uint8_t *>(data.data()), data.size());
}

void TMidiTrackStream::InsertMetaEvent(int32_t time, uint8_t metaType, const std::vector<uint8_t> &data) {
    InsertMetaEvent(time, metaType, data.data(), data.size());
}

int TMidiTrackStream::NameEventIndex() const {
    Flush();
    return nameIndex_;
}

void TMidiTrackStream::SetTrackName(std::string_view name) {
    Flush();
    if (nameIndex_ >= 0) {
        TMidiEvent &e = events_[static_cast<size_t>(nameIndex_)];
        if (name.size() > midi::kMaxBlockBytes)
            throw EMidiTrackStream("Block too long");
        e.Block.assign(1, midi::kMetaTrackName);
        e.Block.insert(e.Block.end(), name.begin(), name.end());
        e.Length = static_cast<uint16_t>(e.Block.size());
        modified_ = true;
        Touch();
        return;
    }
    InsertMetaEvent(0, midi::kMetaTrackName, name);
    Flush();
    // The new name went behind every other tick-0 event, but before a final record at tick 0.
    const int after = IndexOfTime(1, 0);
    const int size = static_cast<int>(events_.size());
    nameIndex_ = after >= 0 ? after - 1 : (size >= 2 ? size - 2 : 0);
}

std::string TMidiTrackStream::GetTrackName() const {
    Flush();
    if (nameIndex_ < 0)
        return {};
    const TMidiEvent &e = events_[static_cast<size_t>(nameIndex_)];
    if (e.Block.size() <= 1)
        return {};
    return std::string(e.Block.begin() + 1, e.Block.end());
}

void TMidiTrackStream::SetChannel(int channel) {
    const uint8_t ch = static_cast<uint8_t>(channel & 0x0F);
    if (ch == channel_)
        return;
    Flush();
    channel_ = ch;
    for (TMidiEvent &e : events_)
        if (e.IsChannelMessage())
            e.Status = static_cast<uint8_t>((e.Status & 0xF0) | ch);
    modified_ = true;
    Touch();
}

void TMidiTrackStream::SetPatch(int program) {
    if (program < 0 || program > 127 || program == program_)
        return;
    Flush();
    program_ = static_cast<uint8_t>(program);
    bool found = false;
    for (TMidiEvent &e : events_) {
        if (e.IsNote())
            break;
        if ((e.Status & 0xF0) == 0xC0) {
            e.Data1 = program_;
            found = true;
        }
    }
    if (found)
        Touch();
    else
        InsertEvent(0, static_cast<uint8_t>(0xC0 | channel_), program_, 0);
}

void TMidiTrackStream::PairNoteEvents() {
    Flush();
    // Links are indexes, which insertions move: every link is made afresh.
    for (TMidiEvent &e : events_)
        e.Partner = -1;
    int open[128][5];
    int depth[128] = {};
    for (int i = 0; i < static_cast<int>(events_.size()); ++i) {
        TMidiEvent &e = events_[static_cast<size_t>(i)];
        if (!e.IsNote() || e.Data1 >= 128)
            continue;
        const int note = e.Data1;
        if (e.IsNoteOn()) {
            if (depth[note] < 5)
                open[note][depth[note]++] = i;
        } else if (depth[note] > 0) {
            const int on = open[note][--depth[note]];
            e.Partner = on;
            events_[static_cast<size_t>(on)].Partner = i;
        }
    }
    pairingStale_ = false;
}

int TMidiTrackStream::PartnerOf(int index) {
    Flush();
    if (index < 0 || index >= static_cast<int>(events_.size()))
        return -1;
    if (pairingStale_)
        PairNoteEvents();
    return events_[static_cast<size_t>(index)].Partner;
}

void TMidiTrackStream::Encode(std::vector<uint8_t> &out) const {
    uint8_t running = 0;
    int32_t previous = 0;
    for (const TMidiEvent &e : events_) {
        if (!Writable(e))
            continue;
        const int32_t time = std::max(e.Time, previous);
        midi::WriteVarLen(out, static_cast<uint32_t>(time - previous));
        previous = time;
        if (e.IsChannelMessage()) {
            if (e.Status != running)
                out.push_back(e.Status);
            out.push_back(e.Data1);
            if (midi::DataBytesForStatus(e.Status) == 2)
                out.push_back(e.Data2);
            running = e.Status;
        } else if (e.IsMeta()) {
            out.push_back(e.Status);
            out.push_back(e.Block[0]);
            midi::WriteVarLen(out, static_cast<uint32_t>(e.Block.size() - 1));
            out.insert(out.end(), e.Block.begin() + 1, e.Block.end());
            running = 0;
        } else {
            out.push_back(e.Status);
            midi::WriteVarLen(out, static_cast<uint32_t>(e.Block.size()));
            out.insert(out.end(), e.Block.begin(), e.Block.end());
            running = 0;
        }
    }
}

void TMidiTrackStream::SaveToStream(std::vector<uint8_t> &out) const {
    Flush();
    std::vector<uint8_t> body;
    body.reserve(events_.size() * 4 + 16);
    Encode(body);
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    PutU32BE(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

void TMidiTrackStream::LoadFromStream(TByteReader<EMidiData> &in) {
    const uint8_t *id = in.Bytes(4);
    if (std::memcmp(id, "MTrk", 4) != 0)
        throw EMidiTrackStream("Invalid track start ID");
    const uint32_t length = in.U32BE();
    const uint8_t *body = in.Bytes(length);
    LoadFromBytes(body, length);
}

void TMidiTrackStream::LoadFromBytes(const uint8_t *data, size_t size) {
    events_.clear();
    pending_.clear();
    nameIndex_ = -1;
    TByteReader<EMidiTrackStream> r(data, size, "Unexpected end of track data");
    int64_t tick = 0;
    uint8_t running = 0;
    bool sawProgram = false;
    bool sawChannel = false;
    bool inSysex = false; // a system-exclusive message waits for its 0xF7 continuation
    auto add = [&](TMidiEvent e) {
        if (static_cast<int64_t>(events_.size()) + 1 > maxEvents_)
            throw EVirtualMemory("Size exceeds capacity");
        e.Time = static_cast<int32_t>(tick);
        e.Length = static_cast<uint16_t>(e.Block.size());
        events_.push_back(std::move(e));
    };
    while (!r.AtEnd()) {
        tick += r.VarLen();
        if (tick > midi::kMaxTick)
            throw EMidiTrackStream("Event time out of range");
        uint8_t status;
        if (r.PeekU8() & 0x80) {
            status = r.U8();
        } else {
            if (running == 0)
                throw EMidiTrackStream("Error in Running Status");
            status = running;
        }
        if (inSysex && status != midi::kSysexContinuation)
            throw EMidiTrackStream("Error in Sysex");
        TMidiEvent e;
        e.Status = status;
        if (status < 0xF0) {
            e.Data1 = r.U8();
            if (midi::DataBytesForStatus(status) == 2)
                e.Data2 = r.U8();
            if (e.Data1 >= 0x80 || e.Data2 >= 0x80)
                throw EMidiTrackStream("Invalid data byte");
            running = status;
            if (!sawChannel) {
                channel_ = static_cast<uint8_t>(status & 0x0F);
                sawChannel = true;
            }
            if ((status & 0xF0) == 0xC0 && !sawProgram) {
                program_ = e.Data1;
                sawProgram = true;
            }
            add(std::move(e));
        } else if (status == midi::kMetaStatus) {
            const uint8_t type = r.U8();
            const uint32_t length = r.VarLen();
            if (length > midi::kMaxBlockBytes)
                throw EMidiTrackStream("Block too long");
            const uint8_t *bytes = r.Bytes(length);
            e.Block.reserve(length + 1);
            e.Block.push_back(type);
            e.Block.insert(e.Block.end(), bytes, bytes + length);
            if (type == midi::kMetaTrackName || (type == midi::kMetaText && nameIndex_ < 0))
                nameIndex_ = static_cast<int>(events_.size());
            add(std::move(e));
            if (type == midi::kMetaEndOfTrack)
                break; // whatever follows it is not part of the track
        } else if (status == midi::kSysexStatus || status == midi::kSysexContinuation) {
            const uint32_t length = r.VarLen();
            if (length > midi::kMaxBlockBytes)
                throw EMidiTrackStream("Block too long");
            const uint8_t *bytes = r.Bytes(length);
            const bool complete = length > 0 && bytes[length - 1] == 0xF7;
            if (status == midi::kSysexStatus || inSysex)
                inSysex = !complete;
            e.Block.assign(bytes, bytes + length);
            add(std::move(e));
        } else {
            throw EMidiTrackStream("Invalid status byte");
        }
    }
    if (inSysex)
        throw EMidiTrackStream("Error in Sysex");
    if (events_.empty() || !events_.back().IsEndOfTrack()) {
        tick = events_.empty() ? 0 : events_.back().Time;
        add(MakeMeta(0, midi::kMetaEndOfTrack, nullptr, 0));
    }
    const size_t n = events_.size();
    lastTick_ = n >= 2 ? events_[n - 2].Time : INT32_MIN;
    PairNoteEvents();
    Touch();
}
