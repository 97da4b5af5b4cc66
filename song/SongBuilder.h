#pragma once
// Turns the whole song into MIDI data at 192 ticks per quarter: the conductor track 0 (the song's
// tempo and time signature, once, at tick 0, and the tempo changes of "*Tempo" lines), one track per
// audible note tab in tab order, the drum track at the Drums tab's place, and a "Metronome" track
// last when the metronome or the count-in is on. Built from the tabs' stored lines; the window
// stores the shown tab's text first and shows the failing tab afterwards.
#include "song/PatternStore.h"
#include "song/SongModel.h"

#include <string>
#include <string_view>

class TMidiData;

inline constexpr int kBuildPpqn = 192;

// The play settings of the window, as plain values.
struct TPlaySettings {
    bool Metronome = false; // chkMetronome
    bool CountIn = false;   // chkCountIn
    int CountInBars = 1;    // EdtCountInbars
};

enum class TBuildStatus {
    Built,         // tracks were built
    NothingToPlay, // no tab is audible: the MIDI data has no track
    LineError,     // a note line failed: Tab, Line, Message
    InsertFailed,  // an event could not be inserted: Tab, Message (a full track: Line too)
};

struct TBuildResult {
    TBuildStatus Status = TBuildStatus::NothingToPlay;
    int Tab = 0;   // 1..16: the failing tab, which the window then shows
    int Line = -1; // 0-based failing line
    // LineError: "Error in GUITAR on line 3" + "\r" + the line reader's reason ("Guitar: Error in line: Not
    // enough commas in the line") + "\r\r" + "Fix the error or delete the line.";
    // InsertFailed on a full track: "Too many notes in GUITAR on line 3" + "\r\r" + what to do
    // (tempo changes, drum patterns and the metronome in their own words); otherwise
    // "Can't insert event: " + the builder's name.
    std::string Message;
    // Built, but a drum pattern's block was missing: the drum track stopped there.
    std::string Warning;
    bool Ok() const { return Status == TBuildStatus::Built; }
};

// Builds the song into `midi` (cleared first, PPQN 192). With the current tab in Solo every other
// tab counts as muted; no tab's Mute, Solo or the current tab change. A muted note tab builds no
// track but its "*Tempo" lines still change the song's tempo. Each built tab's TrackNumber
// is set. On a failure the tracks built so far stay in `midi`.
TBuildResult BuildSongMidi(TSongModel &song, const DrumPart &drums, const TPlaySettings &settings, TMidiData &midi);

// Ticks of the note a time-signature denominator names (1 W, 2 H, 4 Q, 8 E, 16 S, 32 T, 64 F;
// any other value a quarter).
int DenominatorNoteTicks(int denominator);
// The count-in's length: denominator note (of the drum page's label) x the song's numerator x bars;
// 0 without count-in.
int CountInTicks(const TSongModel &song, const DrumPart &drums, const TPlaySettings &settings);

// Conductor events in track 0 (which must exist). A tempo event FF 51 03 of 60000000 div bpm
// (bpm below 1 counts as 1; the value is capped at 24 bits). A time signature FF 58 04 of
// numerator, power, 24, 8: a denominator that is no power of two up to 64 is written as power 2 (a
// quarter), a numerator of 0 as 4/4.
void InsertTempoEvent(TMidiData &midi, int bpm, int tick);
void InsertTimeSignatureEvent(TMidiData &midi, int numerator, int denominator, int tick);
