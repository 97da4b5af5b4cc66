#include "midi/MidiPosition.h"

#include "midi/TrackOutputs.h"

#include <algorithm>
#include <tuple>

namespace {
// Positions are held within these, so sums of them stay far inside 64 bits.
constexpr int64_t kFarLimit = int64_t{1} << 40; // ticks
constexpr int64_t kFarUs = int64_t{1} << 60;    // microseconds

// a x b / c rounded toward zero (c > 0), without overflow, limited to +-limit.
int64_t MulDiv(int64_t a, int64_t b, int64_t c, int64_t limit) {
    const __int128 r = static_cast<__int128>(a) * b / c;
    return static_cast<int64_t>(std::clamp<__int128>(r, -limit, limit));
}
} // namespace

int64_t TWallClock::SongUs(int64_t ns) const {
    const __int128 us = static_cast<__int128>(ns - AnchorNs) * Rate / 100'000;
    return AnchorUs + static_cast<int64_t>(std::clamp<__int128>(us, -kFarUs, kFarUs));
}

int64_t TWallClock::WallNs(int64_t us) const {
    const __int128 scaled = static_cast<__int128>(us - AnchorUs) * 100'000;
    __int128 ns = scaled / Rate;
    if (scaled % Rate > 0)
        ++ns;
    constexpr int64_t kFarNs = int64_t{1} << 62;
    return AnchorNs + static_cast<int64_t>(std::clamp<__int128>(ns, -kFarNs, kFarNs));
}

TMidiPosition::TMidiPosition() { ResetState(); }

const TMidiTrackStream *TMidiPosition::Conductor() const { return data_ ? data_->GetTrack(0) : nullptr; }

void TMidiPosition::ResetState() {
    s_ = State{};
    s_.ppqn = data_ ? std::max(1, data_->GetPPQN()) : TMidiData::kDefaultPPQN;
    UpdateBarLength();
    seenRevision_ = data_ ? data_->Revision() : 0;
}

void TMidiPosition::Reset() { ResetState(); }

void TMidiPosition::UpdateBarLength() {
    const int d = s_.denominatorPower;
    if (d >= 3)
        s_.ticksPerBeat = s_.ppqn >> (d - 2);
    else if (d == 2)
        s_.ticksPerBeat = s_.ppqn;
    else
        s_.ticksPerBeat = int64_t{s_.ppqn} << (2 - d);
    s_.ticksPerBar = s_.ticksPerBeat * s_.numerator;
}

bool TMidiPosition::PassConductorEvent(const TMidiEvent &e) {
    if (e.MetaType() == midi::kMetaTimeSignature && e.MetaDataSize() >= 2) {
        const int numerator = e.MetaData()[0];
        const int power = e.MetaData()[1];
        // A signature without beats, or with beats shorter than a tick, cannot be counted in.
        if (numerator == 0 || power > 30 || (power >= 3 && (s_.ppqn >> (power - 2)) == 0))
            return false;
        const int64_t since = e.Time - s_.sigTick;
        s_.sigBars += since / s_.ticksPerBar + (since % s_.ticksPerBar > 0 ? 1 : 0);
        s_.sigTick = e.Time;
        s_.numerator = numerator;
        s_.denominatorPower = power;
        UpdateBarLength();
        return true;
    }
    if (e.MetaType() == midi::kMetaTempo && e.MetaDataSize() == 3) {
        const uint8_t *b = e.MetaData();
        const int64_t microseconds = int64_t{b[0]} << 16 | int64_t{b[1]} << 8 | b[2];
        s_.tempoTimeUs = TimeUsAt(e.Time);
        s_.tempoTick = e.Time;
        s_.tempoUs = std::max<int64_t>(1, microseconds);
    }
    return false;
}

void TMidiPosition::BarBeatFrom(int64_t a) {
    s_.tick = a + s_.sigTick;
    const int64_t beats = a / s_.ticksPerBeat;
    s_.beatTick = a % s_.ticksPerBeat;
    s_.bar = beats / s_.numerator + s_.sigBars;
    s_.beat = static_cast<int>(beats % s_.numerator);
}

int64_t TMidiPosition::TicksToUs(int64_t ticks, int64_t tempoUs, int ppqn) {
    return MulDiv(ticks, tempoUs, ppqn, kFarUs);
}

int64_t TMidiPosition::TimeUsAt(int64_t tick) const {
    return s_.tempoTimeUs + TicksToUs(tick - s_.tempoTick, s_.tempoUs, s_.ppqn);
}

int64_t TMidiPosition::TicksSinceTempoAt(int64_t us) const {
    // The largest d with d x tempo div PPQN <= x: d = ((x + 1) x PPQN - 1) div tempo.
    const int64_t x = us - s_.tempoTimeUs;
    if (x < 0)
        return 0;
    const __int128 d = ((static_cast<__int128>(x) + 1) * s_.ppqn - 1) / s_.tempoUs;
    return static_cast<int64_t>(std::min<__int128>(d, kFarLimit));
}

void TMidiPosition::Resync() {
    if (!data_ || data_->Revision() == seenRevision_)
        return;
    const int64_t tick = s_.tick;
    ResetState();
    MoveToTick(tick, false);
}

void TMidiPosition::MoveToTick(int64_t target, bool notify) {
    target = std::clamp(target, -kFarLimit, kFarLimit);
    if (target < s_.tick) {
        if (notify)
            Reset();
        else
            ResetState();
    }
    int64_t a = target - s_.sigTick;
    if (a < 0)
        return;
    if (const TMidiTrackStream *conductor = Conductor()) {
        const int count = conductor->EventCount();
        while (s_.conductorIndex < count) {
            const TMidiEvent *e = conductor->GetEvent(s_.conductorIndex);
            if (e->Time > target)
                break;
            ++s_.conductorIndex;
            if (PassConductorEvent(*e))
                a = target - s_.sigTick;
        }
    }
    BarBeatFrom(a);
    s_.timeUs = TimeUsAt(s_.tick);
    if (notify)
        PositionChanged();
}

void TMidiPosition::SetMidiData(TMidiData *data) {
    if (data == data_)
        return;
    data_ = data;
    const int64_t tick = s_.tick;
    Reset();
    SetTick(tick);
}

void TMidiPosition::SetTick(int64_t tick) {
    Resync();
    MoveToTick(tick, true);
}

void TMidiPosition::SetTime(int64_t ms) { SetTimeUs(std::clamp<int64_t>(ms, 0, kFarUs / 1000) * 1000); }

void TMidiPosition::SetTimeUs(int64_t us) {
    Resync();
    us = std::clamp<int64_t>(us, 0, kFarUs);
    if (us < s_.timeUs)
        Reset();
    s_.timeUs = us;
    auto ticksSinceTempo = [this] { return TicksSinceTempoAt(s_.timeUs); };
    int64_t e = ticksSinceTempo();
    if (!data_) {
        PositionChanged();
        return;
    }
    if (const TMidiTrackStream *conductor = Conductor()) {
        const int count = conductor->EventCount();
        while (s_.conductorIndex < count) {
            const TMidiEvent *ev = conductor->GetEvent(s_.conductorIndex);
            if (ev->Time > e + s_.tempoTick)
                break;
            ++s_.conductorIndex;
            const bool wasTempo = ev->MetaType() == midi::kMetaTempo;
            PassConductorEvent(*ev);
            if (wasTempo)
                e = ticksSinceTempo();
        }
    }
    BarBeatFrom(e + s_.tempoTick - s_.sigTick);
    PositionChanged();
}

void TMidiPosition::SetBarBeatTick(int32_t bar, int32_t beat, int32_t beatTick) {
    Resync();
    const State saved = s_;
    const bool before = std::tie(bar, beat, beatTick) < std::make_tuple(s_.bar, int64_t{s_.beat}, s_.beatTick);
    if (before)
        ResetState();
    auto target = [&] {
        return (int64_t{bar} - s_.sigBars) * s_.ticksPerBar + int64_t{beat} * s_.ticksPerBeat + beatTick;
    };
    int64_t g = target();
    if (g < 0) {
        s_ = saved;
        return;
    }
    if (before) {
        s_ = saved;
        Reset(); // an iterator rewinds its outputs too
    }
    if (const TMidiTrackStream *conductor = Conductor()) {
        const int count = conductor->EventCount();
        while (s_.conductorIndex < count) {
            const TMidiEvent *e = conductor->GetEvent(s_.conductorIndex);
            if (e->Time > g + s_.sigTick)
                break;
            ++s_.conductorIndex;
            if (PassConductorEvent(*e))
                g = target();
        }
    }
    if (g < 0)
        g = 0; // a signature change ahead of the target's bar
    BarBeatFrom(g);
    s_.timeUs = TimeUsAt(s_.tick);
    PositionChanged();
}

void TMidiPosition::MoveToEnd() { SetTick(GetEndTick()); }

int64_t TMidiPosition::GetEndTick() const {
    if (!data_)
        return 0;
    int64_t end = 0;
    for (int t = 0; t < data_->GetTrackCount(); ++t) {
        const TMidiTrackStream *track = data_->GetTrack(t);
        const int count = track->EventCount();
        if (count == 0)
            continue;
        int i = count - 1;
        while (i >= 0 && track->GetEvent(i)->Status >= 0xF0)
            --i;
        const int64_t tick = i >= 0 ? track->GetEvent(i)->Time : track->GetEvent(0)->Time;
        end = std::max(end, tick);
    }
    return end;
}

void TMidiPosition::Assign(const TMidiPosition &other) {
    data_ = other.data_;
    seenRevision_ = other.seenRevision_;
    s_ = other.s_;
}

// ---- TMidiIterator ----

TMidiIterator::TMidiIterator() = default;

void TMidiIterator::SetTrackOutputs(TTrackOutputs *outputs) {
    outputs_ = outputs;
    if (outputs_) {
        outputs_->Rewind();
        outputs_->SendPatches();
    }
}

void TMidiIterator::AdvanceBy(int64_t ms) {
    // Played time counts from where the song's current conductor puts this tick.
    Resync();
    AdvanceToUs(TimeUs() + ms * 1000);
}

void TMidiIterator::AdvanceToUs(int64_t us) {
    Resync();
    fromTempoTick_ = TempoTick();
    fromTempoTimeUs_ = TempoTimeUs();
    fromTempoUs_ = TempoUs();
    playing_ = true;
    SetTimeUs(std::max(us, TimeUs()));
    playing_ = false;
}

void TMidiIterator::Reset() {
    TMidiPosition::Reset();
    end_ = true;
    if (!outputs_)
        return;
    outputs_->Rewind();
    outputs_->SendPatches();
    for (int i = 0; i < outputs_->GetCount(); ++i) {
        const TMidiTrackStream *track = outputs_->GetOutput(i)->Track();
        if (track && track->EventCount() > 0)
            end_ = false;
    }
}

int64_t TMidiIterator::EventTimeUs(int64_t tick) const {
    if (tick >= TempoTick())
        return TimeUsAt(tick);
    // Before the last tempo change this move passed: under the tempo it started with (exact
    // unless one move passed two tempo changes).
    return fromTempoTimeUs_ + TicksToUs(tick - fromTempoTick_, fromTempoUs_, PPQN());
}

int64_t TMidiIterator::NextDueTick() const {
    int64_t due = -1;
    auto take = [&](int64_t tick) {
        if (due < 0 || tick < due)
            due = tick;
    };
    if (outputs_)
        for (int i = 0; i < outputs_->GetCount(); ++i) {
            const TTrackOutput *out = outputs_->GetOutput(i);
            const TMidiTrackStream *track = out->Track();
            if (track && out->NextEvent < track->EventCount())
                take(track->GetEvent(std::max(0, out->NextEvent))->Time);
        }
    const TMidiTrackStream *conductor = MidiData() ? MidiData()->GetTrack(0) : nullptr;
    if (conductor && ConductorIndex() < conductor->EventCount())
        take(conductor->GetEvent(ConductorIndex())->Time);
    return due;
}

void TMidiIterator::PositionChanged() {
    end_ = true;
    if (!outputs_)
        return;
    const int64_t now = Tick();
    for (int i = 0; i < outputs_->GetCount(); ++i) {
        TTrackOutput *out = outputs_->GetOutput(i);
        const TMidiTrackStream *track = out->Track();
        if (!track)
            continue;
        const int count = track->EventCount();
        int next = std::max(0, out->NextEvent);
        for (; next < count; ++next) {
            const TMidiEvent *e = track->GetEvent(next);
            if (playing_ ? e->Time > now || (PlayLimit >= 0 && e->Time >= PlayLimit) : e->Time >= now)
                break;
            if (!e->IsChannelMessage())
                continue;
            if ((playing_ && !out->Muted) || !e->IsNote()) {
                if (playing_ && wall_)
                    out->Port().OutEventAt(*e, wall_->WallNs(EventTimeUs(e->Time)));
                else
                    out->Port().OutEvent(*e);
                if (outputs_->OnEvent)
                    outputs_->OnEvent(*outputs_, i, e->Status);
            }
        }
        out->NextEvent = next;
        if (next < count)
            end_ = false;
    }
}
