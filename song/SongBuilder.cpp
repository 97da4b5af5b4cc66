#include "song/SongBuilder.h"

#include "midi/MidiData.h"
#include "song/Directives.h"
#include "song/FrettedLine.h"
#include "song/Messages.h"
#include "song/NoteLine.h"
#include "song/PianoLine.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace {

constexpr int kMetronomeAccent = 77; // Low Wood Block on the first beat of a bar
constexpr int kMetronomeBeat = 76;   // High Wood Block on the other beats
// The count-in edit offers 1..8 bars; anything beyond this is a slip of the keyboard.
constexpr int kMaxCountInBars = 64;

// The song's time signature as it is written into track 0: a numerator of 0 (or a text that is no
// time signature) gives 4/4.
struct Metre {
    int numerator = 4;
    int denominator = 4;
};

Metre SongMetre(std::string_view timeSignature) {
    const int numerator = GetTimeSigUpper(timeSignature);
    if (numerator <= 0)
        return {};
    return {numerator, GetTimeSigLower(timeSignature)};
}

// Power of two of a denominator, or 2 (a quarter) for a value that is none up to 64.
int DenominatorPower(int denominator) {
    for (int power = 0; power <= 6; ++power)
        if (denominator == (1 << power))
            return power;
    return 2;
}

int32_t ClampTick(int64_t tick) { return static_cast<int32_t>(std::clamp<int64_t>(tick, 0, midi::kMaxTick)); }

uint8_t DataByte(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 127)); }

// Raised by the track writers when the engine refuses an event; carries the builder's name.
struct InsertFailure {
    const char *builder;
};
// Raised when a track has no room for another event (`tempo`: the conductor track, which holds
// the tempo changes).
struct TrackFull {
    bool tempo = false;
};

// One track under construction: every insertion goes through here, so each is guarded the same
// way and the song's end tick (the last channel message of any track) is known without a scan.
class TrackWriter {
public:
    TrackWriter(TMidiTrackStream &track, const char *builder, int64_t &songEnd)
        : track_(track), builder_(builder), songEnd_(songEnd) {}

    void Channel(int64_t tick, uint8_t status, int data1, int data2 = 0) {
        const int32_t t = ClampTick(tick);
        Guard([&] { track_.InsertEvent(t, status, DataByte(data1), DataByte(data2)); });
        songEnd_ = std::max<int64_t>(songEnd_, t);
    }
    // A note from `on` to `off` (never before `on`); a note outside 0..127 is not played.
    void Note(int channel, int note, int velocity, int64_t on, int64_t off) {
        if (note < 0 || note > 127)
            return;
        const int64_t start = std::max<int64_t>(on, 0);
        Channel(start, static_cast<uint8_t>(0x90 | (channel & 0x0F)), note, std::clamp(velocity, 1, 127));
        Channel(std::max(start, off), static_cast<uint8_t>(0x80 | (channel & 0x0F)), note, 0);
    }
    void Name(std::string_view name) {
        Guard([&] { track_.SetTrackName(name); });
    }
    TMidiTrackStream &Track() { return track_; }

private:
    template <class F> void Guard(F &&insert) {
        try {
            insert();
        } catch (const EVirtualMemory &) {
            throw TrackFull{};
        } catch (const std::exception &) {
            throw InsertFailure{builder_};
        }
    }

    TMidiTrackStream &track_;
    const char *builder_;
    int64_t &songEnd_;
};

class SongMidiBuilder {
public:
    SongMidiBuilder(TSongModel &song, const DrumPart &drums, const TPlaySettings &settings, TMidiData &midi)
        : song_(song), drums_(drums), settings_(settings), midi_(midi), metre_(SongMetre(song.TimeSignature)),
          countIn_(CountInTicks(song, drums, settings)) {}

    TBuildResult Build();

private:
    TrackWriter AddTrack(const char *builder);
    // Returns -1, or the failing line's index. Without a track (`out` null) the tab is silenced:
    // only its tempo changes are written, into the conductor track.
    int GenerateInstrumentTrack(int tabNumber, TrackWriter *out);
    // A silenced note tab still sets the song's tempo where its "*Tempo" lines stand; its lines are
    // read only for their lengths, and an unreadable line ends its tempo changes without an error.
    void HandOnTempoChanges(int tabNumber);
    void BuildDrumPatternTrack(TrackWriter &out, TBuildResult &result);
    void BuildMetronomeTrack(TrackWriter &out);
    const TInstrumentTab *DrumsTab() const;

    TSongModel &song_;
    const DrumPart &drums_;
    const TPlaySettings &settings_;
    TMidiData &midi_;
    Metre metre_;
    int countIn_;
    int tracks_ = 0;
    int64_t songEnd_ = 0;
    std::vector<int> silencedBeforeConductor_; // their tempo changes wait for track 0
    int tab_ = 0;                              // the tab being built, 0 for the metronome
    int line_ = -1;                            // the note tab's line being built, -1 outside one
};

// Why a note line of the tab does not read, in the reader's own words without its closing advice.
std::string LineFailureReason(const TSongModel &song, int tabNumber, int line) {
    const std::vector<std::string> &lines = song.Lines(tabNumber);
    if (line < 0 || static_cast<size_t>(line) >= lines.size())
        return {};
    std::string reason =
        ParseNoteLine(lines[static_cast<size_t>(line)], TDurationUnit::Ticks, song.LineContext(tabNumber, kBuildPpqn))
            .Error;
    if (reason.ends_with(msg::kFixSuffix))
        reason.resize(reason.size() - msg::kFixSuffix.size());
    return reason;
}

// The message for a track that has no room for the next event: the tab (none: the metronome) and
// the line whose event did not fit, in the words of the build's other messages.
std::string TrackFullMessage(const TrackFull &full, const TSongModel &song, int tabNumber, int line) {
    const std::string onLine = line >= 0 ? " on line " + std::to_string(line + 1) : "";
    if (tabNumber < 1 || tabNumber > kTabCount)
        return "Too many clicks in the metronome\r\rThe song is too long for the metronome's track. "
               "Turn the metronome off to play it.";
    const TInstrumentTab &tab = song.Tab(tabNumber);
    const std::string name = UpperCaseAscii(tab.Name);
    if (full.tempo)
        return "Too many tempo changes in " + name + onLine +
               "\r\rThe song's tempo track is full. Remove some *TEMPO lines.";
    if (tab.Kind == TKind::Drums)
        return "Too many notes in " + name + "\r\rThe tab's track is full. Remove some drum patterns.";
    return "Too many notes in " + name + onLine +
           "\r\rThe tab's track is full. Shorten the tab or move some of its lines to another tab.";
}

TrackWriter SongMidiBuilder::AddTrack(const char *builder) {
    const bool first = midi_.GetTrackCount() == 0;
    midi_.AddTrack(1);
    if (first) {
        // The song's tempo and metre, once, first in the conductor track.
        try {
            InsertTempoEvent(midi_, NormaliseTempo(song_.Tempo), 0);
            InsertTimeSignatureEvent(midi_, metre_.numerator, metre_.denominator, 0);
        } catch (const std::exception &) {
            throw InsertFailure{builder};
        }
        // In tab order, ahead of this track's own tempo changes.
        const int building = tab_;
        for (const int n : silencedBeforeConductor_)
            HandOnTempoChanges(n);
        silencedBeforeConductor_.clear();
        tab_ = building;
        line_ = -1;
    }
    ++tracks_;
    return TrackWriter(*midi_.GetTrack(tracks_), builder, songEnd_);
}

const TInstrumentTab *SongMidiBuilder::DrumsTab() const {
    for (const TInstrumentTab &tab : song_.Tabs)
        if (tab.Kind == TKind::Drums)
            return &tab;
    return nullptr;
}

void SongMidiBuilder::HandOnTempoChanges(int tabNumber) {
    if (midi_.GetTrackCount() == 0) {
        silencedBeforeConductor_.push_back(tabNumber);
        return;
    }
    tab_ = tabNumber;
    GenerateInstrumentTrack(tabNumber, nullptr);
    line_ = -1;
}

int SongMidiBuilder::GenerateInstrumentTrack(int tabNumber, TrackWriter *out) {
    const TInstrumentTab &tab = song_.Tab(tabNumber);
    const std::vector<std::string> &lines = std::as_const(song_).Lines(tabNumber); // a read: no revision
    const TLineContext ctx = song_.LineContext(tabNumber, kBuildPpqn);
    const bool piano = tab.Kind == TKind::Piano;
    const int tabChannel = tab.Channel & 0x0F;

    std::array<int, 6> offset{};
    if (!piano)
        for (int k = 0; k < 6; ++k)
            offset[static_cast<size_t>(k)] = TuningOffset(tab.TuningSpelling, k);

    int64_t cursor = countIn_;
    if (out) {
        out->Name(tab.Name);
        try {
            out->Track().SetChannel(tabChannel);
        } catch (const std::exception &) {
            throw InsertFailure{"GenerateInstrumentTrack"};
        }
        out->Channel(0, static_cast<uint8_t>(0xC0 | tabChannel), tab.Patch);
        out->Channel(0, static_cast<uint8_t>(0xB0 | tabChannel), 10, tab.Balance);
        out->Channel(0, static_cast<uint8_t>(0xB0 | tabChannel), 7, tab.Volume);
    }

    int channel = -1; // none: the tab's channel
    int volume = -1;  // none: each note's own velocity
    int transpose = tab.Transpose;
    int64_t pendingDelay = 0;
    TChordDat chord;
    TPianoRec piece;

    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string &line = lines[n];
        line_ = static_cast<int>(n);
        const TLineClass kind = ClassifyLine(line);
        if (kind == TLineClass::Empty)
            continue;
        if (kind == TLineClass::Directive) {
            const auto directive = ReadDirective(line, ctx);
            if (!directive)
                continue;
            const int value = directive->Value;
            if (!out && directive->Kind != TDirective::Tempo && directive->Kind != TDirective::Delay)
                continue;
            switch (directive->Kind) {
            case TDirective::Channel:
                channel = value & 0x0F;
                break;
            case TDirective::Volume:
                volume = value;
                break;
            case TDirective::Tempo:
                try {
                    InsertTempoEvent(midi_, value, ClampTick(cursor));
                } catch (const EVirtualMemory &) {
                    throw TrackFull{true};
                } catch (const std::exception &) {
                    throw InsertFailure{"GenerateInstrumentTrack"};
                }
                break;
            case TDirective::Delay:
                pendingDelay = value;
                break;
            case TDirective::Transpose:
                transpose = value + tab.Transpose;
                break;
            case TDirective::Balance:
                out->Channel(cursor, static_cast<uint8_t>(0xB0 | tabChannel), 10, value);
                break;
            case TDirective::Instrument:
                out->Channel(cursor, static_cast<uint8_t>(0xC0 | tabChannel), value);
                break;
            }
            continue;
        }

        const int noteChannel = channel >= 0 ? channel : tabChannel;
        if (!piano) {
            if (!ParseChordLine(line, TDurationUnit::Ticks, ctx, chord).empty())
                return static_cast<int>(n);
            for (int k = 5 - ctx.HighestString; k <= 5; ++k) {
                const auto s = static_cast<size_t>(k);
                cursor = std::max<int64_t>(cursor + pendingDelay, 0);
                if (!out || chord.Pitches[s] == kNoPitch)
                    continue;
                const int note = transpose + chord.Pitches[s] + offset[s] + song_.SongTranspose;
                out->Note(noteChannel, note, volume >= 0 ? volume : chord.Volumes[s], cursor + tab.Delay,
                          cursor + chord.DurationLengths[s] + tab.Delay);
            }
            cursor += chord.DurationLength;
        } else {
            cursor = std::max<int64_t>(cursor + pendingDelay, 0);
            if (!ParsePianoLine(line, TDurationUnit::Ticks, ctx, piece))
                return static_cast<int>(n);
            for (size_t k = 0; out && k < piece.Keys.size(); ++k) {
                if (piece.Keys[k] == -1)
                    continue;
                const int note = transpose + piece.Keys[k] + song_.SongTranspose;
                out->Note(noteChannel, note, volume >= 0 ? volume : piece.Volumes[k], cursor + tab.Delay,
                          cursor + piece.DurationLengths[k] + tab.Delay);
            }
            cursor += piece.DurationLength;
        }
        pendingDelay = 0;
    }
    line_ = -1;
    return -1;
}

void SongMidiBuilder::BuildDrumPatternTrack(TrackWriter &out, TBuildResult &result) {
    const TInstrumentTab &tab = *DrumsTab();
    const int channel = tab.Channel & 0x0F;
    out.Name("Drums");
    try {
        out.Track().SetChannel(9);
        out.Track().SetPatch(0);
    } catch (const std::exception &) {
        throw InsertFailure{"BuildDrumPatternTrack"};
    }
    out.Channel(0, static_cast<uint8_t>(0xB0 | channel), 10, tab.Balance);

    // One time signature for all patterns: the one the drum page shows.
    const int numerator = drums_.sigUpper > 0 ? drums_.sigUpper : 4;
    const int64_t unit = DenominatorNoteTicks(drums_.sigLower);
    int64_t start = countIn_;
    for (const std::string &item : drums_.list.Items()) {
        const int feel = ParsePatternListLine(item).feel;
        const int stepsPerBar = numerator * StepsPerBeat(feel);
        const int64_t step = unit / StepsPerBeat(feel);
        const PatternBlock block = drums_.store.FindPattern(item);
        if (!block.Found()) {
            result.Warning = "Internal Error: Pattern pointed to by listbox does not exist (BuildDrumPatternTrack)";
            return;
        }
        // In step order, so a step's note-off stands before the next step's note-on of the same
        // drum at that tick, whatever order a pasted block lists its cells in.
        std::vector<DrumCell> cells = drums_.store.BlockCells(block);
        std::stable_sort(cells.begin(), cells.end(),
                         [](const DrumCell &a, const DrumCell &b) { return a.column < b.column; });
        for (const DrumCell &cell : cells) {
            // Cells left beyond the bar by a change of metre or feel are not played.
            if (cell.column >= stepsPerBar)
                continue;
            const int note = drums_.drumSlots[static_cast<size_t>(cell.row)].note + tab.Transpose;
            const int64_t on = start + cell.column * step + tab.Delay;
            out.Note(channel, note, LevelToVelocity(cell.level, tab.Volume), on, on + step);
        }
        start += unit * numerator;
    }
}

void SongMidiBuilder::BuildMetronomeTrack(TrackWriter &out) {
    const TInstrumentTab *drumsTab = DrumsTab();
    const int channel = drumsTab ? drumsTab->Channel & 0x0F : 9;
    const int velocity = drumsTab ? drumsTab->Volume : 100;
    out.Name("Metronome");
    try {
        out.Track().SetChannel(channel);
        out.Track().SetPatch(0);
    } catch (const std::exception &) {
        throw InsertFailure{"BuildMetronomeTrack"};
    }

    // Bar and beat follow the conductor track, whose one time signature stands at tick 0.
    const int power = DenominatorPower(metre_.denominator);
    const int64_t ticksPerBeat = power >= 2 ? kBuildPpqn >> (power - 2) : kBuildPpqn << (2 - power);
    const int64_t ticksPerBar = ticksPerBeat * metre_.numerator;
    const int64_t end = songEnd_;
    const int64_t endBar = end / ticksPerBar;
    const int64_t beat = DenominatorNoteTicks(drums_.sigLower);

    int64_t position = 0;
    auto click = [&] {
        const bool accent = (position / ticksPerBeat) % metre_.numerator == 0;
        out.Channel(position, static_cast<uint8_t>(0x90 | channel), accent ? kMetronomeAccent : kMetronomeBeat,
                    std::clamp(velocity, 1, 127));
        position += beat;
        out.Channel(position, static_cast<uint8_t>(0x80 | channel), accent ? kMetronomeAccent : kMetronomeBeat, 0);
    };

    const int64_t countIn = countIn_;
    if (settings_.CountIn) {
        const int64_t clicks =
            static_cast<int64_t>(metre_.numerator) * std::clamp(settings_.CountInBars, 0, kMaxCountInBars);
        for (int64_t i = 0; i < clicks; ++i)
            click();
    }
    position = countIn;
    const int64_t maxClicks = metre_.numerator * (endBar + 1) + 1;
    for (int64_t i = 0; i < maxClicks; ++i) {
        if ((position == countIn && !settings_.Metronome) || position >= end)
            break;
        click();
    }
}

TBuildResult SongMidiBuilder::Build() {
    TBuildResult result;
    midi_.New();
    midi_.SetPPQN(kBuildPpqn);

    // Only the current tab's Solo counts.
    const bool solo = song_.CurrentTab >= 1 && song_.CurrentTab <= kTabCount && song_.Current().Solo;
    auto muted = [&](int n) { return song_.Tab(n).Mute || (solo && n != song_.CurrentTab); };

    const char *builder = "GenerateInstrumentTrack";
    try {
        for (int tabNumber = 1; tabNumber <= kTabCount; ++tabNumber) {
            tab_ = tabNumber;
            TInstrumentTab &tab = song_.Tab(tabNumber);
            if (muted(tabNumber)) {
                if (tab.Kind != TKind::Drums && !std::as_const(song_).Lines(tabNumber).empty())
                    HandOnTempoChanges(tabNumber);
                continue;
            }
            if (tab.Kind != TKind::Drums) {
                if (std::as_const(song_).Lines(tabNumber).empty())
                    continue;
                builder = "GenerateInstrumentTrack";
                TrackWriter out = AddTrack(builder);
                tab.TrackNumber = tracks_;
                const int failed = GenerateInstrumentTrack(tabNumber, &out);
                if (failed >= 0) {
                    result.Status = TBuildStatus::LineError;
                    result.Tab = tab_;
                    result.Line = failed;
                    const std::string reason = LineFailureReason(song_, tabNumber, failed);
                    result.Message = "Error in " + UpperCaseAscii(tab.Name) + " on line " + std::to_string(failed + 1) +
                                     (reason.empty() ? "" : "\r" + reason) + "\r\r" + std::string(msg::kFixOrDelete);
                    return result;
                }
            } else if (!drums_.list.Empty()) {
                builder = "BuildDrumPatternTrack";
                TrackWriter out = AddTrack(builder);
                tab.TrackNumber = tracks_;
                BuildDrumPatternTrack(out, result);
            }
        }
        if (tracks_ == 0)
            return result; // nothing audible: no track, no metronome either
        tab_ = 0;
        if (settings_.Metronome || settings_.CountIn) {
            builder = "BuildMetronomeTrack";
            TrackWriter out = AddTrack(builder);
            BuildMetronomeTrack(out);
        }
    } catch (const TrackFull &full) {
        result.Status = TBuildStatus::InsertFailed;
        result.Tab = tab_;
        result.Line = line_;
        result.Message = TrackFullMessage(full, song_, tab_, line_);
        return result;
    } catch (const InsertFailure &failure) {
        result.Status = TBuildStatus::InsertFailed;
        result.Tab = tab_;
        result.Message = std::string("Can't insert event: ") + failure.builder;
        return result;
    } catch (const std::exception &) {
        result.Status = TBuildStatus::InsertFailed;
        result.Tab = tab_;
        result.Message = std::string("Can't insert event: ") + builder;
        return result;
    }
    result.Status = TBuildStatus::Built;
    return result;
}

} // namespace

int DenominatorNoteTicks(int denominator) {
    switch (denominator) {
    case 1:
        return kBuildPpqn * 4;
    case 2:
        return kBuildPpqn * 2;
    case 8:
        return kBuildPpqn / 2;
    case 16:
        return kBuildPpqn / 4;
    case 32:
        return kBuildPpqn / 8;
    case 64:
        return kBuildPpqn / 16;
    default:
        return kBuildPpqn;
    }
}

int CountInTicks(const TSongModel &song, const DrumPart &drums, const TPlaySettings &settings) {
    if (!settings.CountIn)
        return 0;
    const int bars = std::clamp(settings.CountInBars, 0, kMaxCountInBars);
    return DenominatorNoteTicks(drums.sigLower) * SongMetre(song.TimeSignature).numerator * bars;
}

void InsertTempoEvent(TMidiData &midi, int bpm, int tick) {
    const uint32_t value = std::min<uint32_t>(60000000u / static_cast<uint32_t>(std::max(bpm, 1)), 0xFFFFFFu);
    const uint8_t data[3] = {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
    midi.GetTrack(0)->InsertMetaEvent(ClampTick(tick), midi::kMetaTempo, data, sizeof data);
}

void InsertTimeSignatureEvent(TMidiData &midi, int numerator, int denominator, int tick) {
    if (numerator <= 0) {
        numerator = 4;
        denominator = 4;
    }
    const uint8_t data[4] = {static_cast<uint8_t>(std::min(numerator, 255)),
                             static_cast<uint8_t>(DenominatorPower(denominator)), 24, 8};
    midi.GetTrack(0)->InsertMetaEvent(ClampTick(tick), midi::kMetaTimeSignature, data, sizeof data);
}

TBuildResult BuildSongMidi(TSongModel &song, const DrumPart &drums, const TPlaySettings &settings, TMidiData &midi) {
    return SongMidiBuilder(song, drums, settings, midi).Build();
}
