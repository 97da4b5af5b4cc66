#include "song/LinePositions.h"

#include "midi/MidiData.h"
#include "midi/MidiPosition.h"
#include "song/Durations.h"
#include "song/FrettedLine.h"
#include "song/SongModel.h"

#include <algorithm>
#include <array>

namespace {

// The denominator's power of two as the conductor stores it; other values are kept as given.
uint8_t DenominatorPower(int lower) {
    switch (lower) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    case 8:
        return 3;
    case 16:
        return 4;
    case 32:
        return 5;
    case 64:
        return 6;
    default:
        return static_cast<uint8_t>(lower);
    }
}

TTimeSignature SignatureOf(const std::string &text) { return ParseTimeSignature(text).value_or(TTimeSignature{}); }

// A tempo event holds 24 bits: slower tempos are held at the longest quarter it can say,
// as the song builder writes them.
void InsertTempo(TMidiTrackStream &track, int32_t tick, int32_t micros) {
    micros = std::min(micros, int32_t{0xFFFFFF});
    const uint8_t data[3] = {static_cast<uint8_t>(micros >> 16), static_cast<uint8_t>(micros >> 8),
                             static_cast<uint8_t>(micros)};
    track.InsertMetaEvent(tick, midi::kMetaTempo, data, 3);
}

void FillTime(int64_t ms, int &hundredths, int &seconds, int &minutes, int64_t &hours) {
    hundredths = static_cast<int>(ms % 1000 / 10);
    seconds = static_cast<int>(ms / 1000 % 60);
    minutes = static_cast<int>(ms / 60000 % 60);
    hours = ms / 3600000;
}

} // namespace

std::vector<TTempoChange> TempoChangesOf(const TMidiData &built) {
    std::vector<TTempoChange> out;
    const TMidiTrackStream *conductor = built.GetTrack(0);
    if (!conductor)
        return out;
    for (int i = 0; i < conductor->EventCount(); ++i) {
        const TMidiEvent *e = conductor->GetEvent(i);
        if (e->MetaType() != midi::kMetaTempo || e->MetaDataSize() != 3)
            continue;
        const uint8_t *b = e->MetaData();
        out.push_back({e->Time, int32_t(b[0]) << 16 | int32_t(b[1]) << 8 | int32_t(b[2])});
    }
    return out;
}

TLinePositionCalculator::TLinePositionCalculator(const TPositionConductor &c)
    : data_(std::make_unique<TMidiData>()), position_(std::make_unique<TMidiPosition>()) {
    data_->SetPPQN(c.Ppqn);
    data_->AddTrack(0);
    TMidiTrackStream &track = *data_->GetTrack(0);
    const TTimeSignature sig = SignatureOf(c.TimeSignature);
    const uint8_t sigData[4] = {static_cast<uint8_t>(sig.Upper), DenominatorPower(sig.Lower), 24, 8};
    InsertTempo(track, 0, 60000000 / NormaliseTempo(c.Tempo));
    track.InsertMetaEvent(0, midi::kMetaTimeSignature, sigData, 4);
    for (const TTempoChange &t : c.TempoChanges)
        if (t.MicrosPerQuarter > 0)
            InsertTempo(track, t.Tick, t.MicrosPerQuarter);
    position_->SetMidiData(data_.get());
}

TLinePositionCalculator::~TLinePositionCalculator() = default;

TSongPoint TLinePositionCalculator::AtTick(int64_t tick) {
    position_->SetTick(tick);
    TSongPoint p;
    p.Tick = position_->Tick();
    p.Bar = position_->Bar() + 1;
    p.Beat = position_->Beat() + 1;
    p.BeatTick = position_->BeatTick();
    p.Ms = position_->Time();
    FillTime(p.Ms, p.Hundredths, p.Seconds, p.Minutes, p.Hours);
    return p;
}

int64_t TLinePositionCalculator::BarIndex() const { return position_->Bar(); }
int TLinePositionCalculator::TicksPerQuarter() const { return position_->PPQN(); }

int LineTicks(const std::string &line, int ppqn) {
    if (ClassifyLine(line) != TLineClass::Note)
        return 0;
    return DurationLength(GetDurationField(line), TDurationUnit::Ticks, kDefaultTempo, ppqn);
}

TSongPoint GetLinePosition(const std::vector<std::string> &lines, int index, const TPositionConductor &conductor) {
    int64_t tick = 0;
    const int last = std::min<int>(index, static_cast<int>(lines.size()));
    for (int i = 0; i < last; ++i)
        tick += LineTicks(lines[static_cast<size_t>(i)], conductor.Ppqn);
    TLinePositionCalculator calc(conductor);
    return calc.AtTick(tick);
}

std::vector<TSongPoint> GetLinePositions(const std::vector<std::string> &lines, const TPositionConductor &conductor) {
    std::vector<TSongPoint> out;
    out.reserve(lines.size());
    TLinePositionCalculator calc(conductor);
    int64_t tick = 0;
    for (const std::string &line : lines) {
        out.push_back(calc.AtTick(tick));
        tick += LineTicks(line, conductor.Ppqn);
    }
    return out;
}

TLinePositionIndex::TLinePositionIndex() = default;
TLinePositionIndex::~TLinePositionIndex() = default;
TLinePositionIndex::TLinePositionIndex(TLinePositionIndex &&) noexcept = default;
TLinePositionIndex &TLinePositionIndex::operator=(TLinePositionIndex &&) noexcept = default;

void TLinePositionIndex::SetConductor(const TPositionConductor &conductor) {
    if (conductor == conductor_)
        return;
    if (conductor.Ppqn != conductor_.Ppqn)
        LinesChangedFrom(0);
    conductor_ = conductor;
    calc_.reset();
}

void TLinePositionIndex::LinesChangedFrom(int line) {
    const size_t keep = static_cast<size_t>(std::max(line, 0)) + 1;
    if (keep < starts_.size())
        starts_.resize(keep);
}

void TLinePositionIndex::AddLine(const std::string &line) {
    starts_.push_back(starts_.back() + LineTicks(line, conductor_.Ppqn));
}

TSongPoint TLinePositionIndex::PointOfLine(int index, int lineCount,
                                           const std::function<std::string(int line)> &lineAt) {
    const int last = std::clamp(index, 0, std::max(lineCount, 0));
    while (KnownLines() < last)
        AddLine(lineAt(KnownLines()));
    if (!calc_)
        calc_ = std::make_unique<TLinePositionCalculator>(conductor_);
    return calc_->AtTick(starts_[static_cast<size_t>(last)]);
}

TBarPoint GetBarPosition(int n, const TPositionConductor &conductor) {
    TPositionConductor songOnly = conductor;
    songOnly.TempoChanges.clear();
    TLinePositionCalculator calc(songOnly);
    const TTimeSignature sig = SignatureOf(conductor.TimeSignature);
    const char *unit;
    switch (sig.Lower) {
    case 1:
        unit = "W";
        break;
    case 2:
        unit = "H";
        break;
    case 8:
        unit = "E";
        break;
    case 16:
        unit = "S";
        break;
    case 32:
        unit = "T";
        break;
    case 64:
        unit = "F";
        break;
    default:
        unit = "Q";
        break;
    }
    const int64_t barTicks = int64_t{DurationToTicks(unit, conductor.Ppqn)} * sig.Upper;
    TBarPoint b;
    b.Tick = barTicks * (int64_t{std::max(n, 0)} + 1);
    const TSongPoint p = calc.AtTick(b.Tick);
    b.BarIndex = calc.BarIndex();
    b.Ms = p.Ms;
    FillTime(b.Ms, b.Hundredths, b.Seconds, b.Minutes, b.Hours);
    b.Ppqn = calc.TicksPerQuarter();
    b.Upper = sig.Upper;
    return b;
}

std::string NoteNumberToName(int note) {
    static constexpr std::array<const char *, 12> kNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                            "F#", "G",  "G#", "A",  "A#", "B"};
    const int r = note % 12;
    if (r < 0)
        return "?";
    return kNames[static_cast<size_t>(r)];
}
