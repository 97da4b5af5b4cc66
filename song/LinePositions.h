#pragma once
// Where the lines of a tab fall in the song, in bars, beats, ticks and clock time, and where a
// number of whole bars ends; and the name of a MIDI note number.
//
// Positions are worked out on a private conductor (the song's time signature and tempo at tick
// 0, plus the tempo changes of the last song build), never on the song's shared MIDI data, so
// asking for a position cannot disturb what the player holds.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMidiData;
class TMidiPosition;

// A tempo change of a built song: tick and microseconds per quarter note.
struct TTempoChange {
    int32_t Tick = 0;
    int32_t MicrosPerQuarter = 500000;
    bool operator==(const TTempoChange &) const = default;
};

struct TPositionConductor {
    std::string TimeSignature = "0404";     // UULL
    int32_t Tempo = 120;                    // the song's tempo at tick 0 (0 or less counts as 120)
    std::vector<TTempoChange> TempoChanges; // of the last build, in tick order
    int Ppqn = 192;
    bool operator==(const TPositionConductor &) const = default;
};

// The tempo events of a built song's conductor track (track 0), in order. Reads only.
std::vector<TTempoChange> TempoChangesOf(const TMidiData &built);

// A place in the song. Bar and beat are 1-based; the time is split as the displays show it.
struct TSongPoint {
    int64_t Tick = 0;
    int64_t Bar = 1;
    int Beat = 1;
    int64_t BeatTick = 0;
    int64_t Ms = 0;
    int Hundredths = 0; // (Ms mod 1000) div 10
    int Seconds = 0;    // mod 60
    int Minutes = 0;    // mod 60
    int64_t Hours = 0;
};

// Turns ticks into song points on a private conductor. Moving forward is incremental; moving
// back starts again from the beginning.
class TLinePositionCalculator {
public:
    explicit TLinePositionCalculator(const TPositionConductor &conductor);
    ~TLinePositionCalculator();
    TLinePositionCalculator(const TLinePositionCalculator &) = delete;
    TLinePositionCalculator &operator=(const TLinePositionCalculator &) = delete;

    TSongPoint AtTick(int64_t tick);
    // 0-based bar index at the current place (as the engine counts).
    int64_t BarIndex() const;
    int TicksPerQuarter() const;

private:
    std::unique_ptr<TMidiData> data_;
    std::unique_ptr<TMidiPosition> position_;
};

// The ticks a line moves the song on: its duration field's length when it is a note line with a
// valid duration, else 0 (blank lines, directives, lines with a bad duration).
int LineTicks(const std::string &line, int ppqn = 192);

// The start of line `index` of `lines` (index may equal lines.size(): the end).
TSongPoint GetLinePosition(const std::vector<std::string> &lines, int index, const TPositionConductor &conductor);
// The start of every line, in one pass: entry i is where line i starts.
std::vector<TSongPoint> GetLinePositions(const std::vector<std::string> &lines, const TPositionConductor &conductor);

// The start of every line of one tab, kept between questions so that a caret move costs no more
// than the lines it passes: an edit forgets the sums from its first changed line on, and a
// question adds up only the lines not yet known. Every answer equals GetLinePosition's for the
// same lines and conductor.
class TLinePositionIndex {
public:
    TLinePositionIndex();
    ~TLinePositionIndex();
    TLinePositionIndex(TLinePositionIndex &&) noexcept;
    TLinePositionIndex &operator=(TLinePositionIndex &&) noexcept;

    // The song's time signature, tempo and tempo changes. Another tempo or signature keeps the
    // lines' ticks (a line's length in ticks does not depend on them); only another PPQN
    // forgets them.
    void SetConductor(const TPositionConductor &conductor);
    // Lines from `line` on were changed, inserted or removed: their starts are worked out again.
    void LinesChangedFrom(int line);
    // How many lines' lengths are known: the starts of lines 0..KnownLines() are known.
    int KnownLines() const { return static_cast<int>(starts_.size()) - 1; }
    // The length of the next line after the known ones.
    void AddLine(const std::string &line);
    // The start of line `index` of a text of `lineCount` lines (index may equal lineCount: the
    // end). `lineAt` is asked, in order, for each line before it whose length is not known.
    TSongPoint PointOfLine(int index, int lineCount, const std::function<std::string(int line)> &lineAt);

private:
    TPositionConductor conductor_;
    std::vector<int64_t> starts_{0}; // starts_[i]: the tick at which line i starts
    std::unique_ptr<TLinePositionCalculator> calc_;
};

// The point n+1 whole bars after the start of the song, under the song's tempo and time
// signature (no tempo changes). The beat unit follows the lower number (1 W, 2 H, 8 E, 16 S,
// 32 T, 64 F, any other Q).
struct TBarPoint {
    int64_t Tick = 0;
    int64_t BarIndex = 0; // 0-based
    int64_t Ms = 0;
    int Hundredths = 0, Seconds = 0, Minutes = 0;
    int64_t Hours = 0;
    int Ppqn = 192;
    int Upper = 4; // the time signature's upper number
};
TBarPoint GetBarPosition(int n, const TPositionConductor &conductor);

// The name of a note number without octave ("C", "C#", ... "B"); a negative number that is
// not a multiple of 12 gives "?".
std::string NoteNumberToName(int note);
