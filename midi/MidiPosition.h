#pragma once
// A place in a song measured three ways: ticks, time and bar/beat/tick, following the tempo
// and time-signature events of the conductor track (track 0) as it moves. Time is kept in
// microseconds with the tempo in microseconds per quarter, as in a MIDI file, so playing and
// the exported file agree; the millisecond values are for the displays.
// TMidiIterator is a position that sends the events it passes through track outputs.
// Bar, beat and tick are 0-based.
#include "midi/MidiData.h"

#include <algorithm>
#include <cstdint>

class TTrackOutputs;

// Song time against the steady clock while playing: song microsecond AnchorUs fell on the
// clock's nanosecond AnchorNs, and song time runs at Rate percent of real time from there.
struct TWallClock {
    int64_t AnchorNs = 0, AnchorUs = 0;
    int64_t Rate = 100;
    // The song time at clock time `ns`, rounded down.
    int64_t SongUs(int64_t ns) const;
    // The clock time of song time `us`, rounded up: SongUs(WallNs(us)) >= us.
    int64_t WallNs(int64_t us) const;
};

class TMidiPosition {
public:
    TMidiPosition();
    virtual ~TMidiPosition() = default;
    TMidiPosition(const TMidiPosition &) = delete;
    TMidiPosition &operator=(const TMidiPosition &) = delete;

    TMidiData *MidiData() const { return data_; }
    // Follows another song (or none), keeping the tick.
    void SetMidiData(TMidiData *data);
    // Back to tick 0 with the song's PPQN (180 without a song), 600 ms per quarter, 4/4.
    virtual void Reset();
    void SetTick(int64_t tick);
    void SetTime(int64_t ms);
    void SetTimeUs(int64_t us);
    // Beats and ticks beyond the bar are not normalised: beat 4 of bar n in 3/4 is the
    // second beat of bar n + 1. A target before the song's start changes nothing.
    void SetBarBeatTick(int32_t bar, int32_t beat, int32_t beatTick);
    void MoveToEnd();
    // The tick of the last channel message of any track (0 without a song).
    int64_t GetEndTick() const;
    // Copies the song and every measure of another position.
    void Assign(const TMidiPosition &other);

    int64_t Tick() const { return s_.tick; }
    int64_t Time() const { return s_.timeUs / 1000; } // milliseconds, rounded down
    int64_t TimeUs() const { return s_.timeUs; }
    int PPQN() const { return s_.ppqn; }
    // Milliseconds per quarter note (rounded down, at least 1), for the displays.
    int Tempo() const { return static_cast<int>(std::max<int64_t>(1, s_.tempoUs / 1000)); }
    int64_t TempoUs() const { return s_.tempoUs; } // microseconds per quarter note
    int64_t TempoTick() const { return s_.tempoTick; }
    int64_t TempoTime() const { return s_.tempoTimeUs / 1000; }
    int64_t TempoTimeUs() const { return s_.tempoTimeUs; }
    int DenominatorPower() const { return s_.denominatorPower; } // 2 = quarter note
    int Numerator() const { return s_.numerator; }
    int64_t SigTick() const { return s_.sigTick; }
    int64_t SigBars() const { return s_.sigBars; }
    int64_t TicksPerBar() const { return s_.ticksPerBar; }
    int64_t TicksPerBeat() const { return s_.ticksPerBeat; }
    int64_t Bar() const { return s_.bar; }
    int Beat() const { return s_.beat; }
    int64_t BeatTick() const { return s_.beatTick; }
    int ConductorIndex() const { return s_.conductorIndex; }
    // Microseconds at `tick` under the tempo in force now: exact up to the conductor's next
    // event (a tick that far is reached once the time is at least this).
    int64_t TimeUsAt(int64_t tick) const;

protected:
    // Microseconds of `ticks` at `tempoUs` per quarter, rounded down.
    static int64_t TicksToUs(int64_t ticks, int64_t tempoUs, int ppqn);
    // Called after every move; an iterator sends the events passed.
    virtual void PositionChanged() {}
    // A song changed behind the position: derive the conductor state again up to the
    // current tick, without sending anything.
    void Resync();

private:
    struct State {
        int64_t tick = 0, timeUs = 0;
        int ppqn = TMidiData::kDefaultPPQN;
        int64_t tempoUs = 600'000;
        int64_t tempoTick = 0, tempoTimeUs = 0;
        int denominatorPower = 2, numerator = 4;
        int64_t sigTick = 0, sigBars = 0;
        int64_t ticksPerBar = 0, ticksPerBeat = 0;
        int64_t bar = 0;
        int beat = 0;
        int64_t beatTick = 0;
        int conductorIndex = 0;
    };

    void ResetState();
    void UpdateBarLength();
    bool PassConductorEvent(const TMidiEvent &e); // true for a time signature taken
    const TMidiTrackStream *Conductor() const;
    void BarBeatFrom(int64_t sinceSignature);
    // The ticks since the last tempo change reached at time `us`: the last tick whose time
    // is not after it.
    int64_t TicksSinceTempoAt(int64_t us) const;
    void MoveToTick(int64_t target, bool notify);

    TMidiData *data_ = nullptr;
    uint64_t seenRevision_ = 0;
    State s_;
};

class TMidiIterator : public TMidiPosition {
public:
    TMidiIterator();
    TTrackOutputs *TrackOutputs() const { return outputs_; }
    // Plays through `outputs` (or none): rewinds them and sends their programs.
    void SetTrackOutputs(TTrackOutputs *outputs);
    // Moves forward by `ms` as playback: notes are sent too.
    void AdvanceBy(int64_t ms);
    // Moves forward as playback to time `us` (a time behind the position moves nothing).
    void AdvanceToUs(int64_t us);
    bool Playing() const { return playing_; }
    // Every track output has sent all its events.
    bool End() const { return end_; }
    // While playing, each event goes out with the clock time of its song time on `wall`
    // (none: without one). The clock must outlive the iterator or be taken away.
    void SetWallClock(const TWallClock *wall) { wall_ = wall; }
    // The tick of the first record still to be sent by any track output, or of the
    // conductor's next event when that comes first; -1 when neither is left. Its time is
    // TimeUsAt(that tick).
    int64_t NextDueTick() const;
    // While playing, events at or after this tick are held back (-1: none).
    int64_t PlayLimit = -1;
    // Also rewinds the outputs and sends their programs.
    void Reset() override;

protected:
    // Sends the events passed: while playing every channel message up to and at the new
    // tick; while seeking the non-note ones before it (so programs and controllers are
    // chased, and what lies at the new tick is left to the next move).
    void PositionChanged() override;

private:
    // The time of an event at `tick` passed by the move under way.
    int64_t EventTimeUs(int64_t tick) const;

    TTrackOutputs *outputs_ = nullptr;
    const TWallClock *wall_ = nullptr;
    bool playing_ = false;
    bool end_ = true;
    // The tempo in force when the move under way began (for events before a tempo change it
    // passed).
    int64_t fromTempoTick_ = 0, fromTempoTimeUs_ = 0, fromTempoUs_ = 1;
};
