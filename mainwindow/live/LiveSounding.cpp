#include "mainwindow/live/LiveSounding.h"

#include "midi/MidiOutputPort.h"
#include "platform/Clock.h"
#include "song/Directives.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// How far real time may run past a wait's end before the wait gives up on the clock.
constexpr int kRealSlackMs = 5;

int Clamp7(int v) { return std::clamp(v, 0, 127); }

// The slots a tab with `highestString` strings plays: 5-h..5.
int FirstSlot(int highestString) { return 5 - std::clamp(highestString, 0, 5); }

} // namespace

TLiveSounding::TLiveSounding(TMidiOutputPort &port, const platform::IClock &clock, bool &stopRequested)
    : port_(port), clock_(clock), stop_(stopRequested) {}

void TLiveSounding::WaitMs(int ms, bool pump) {
    if (waiter_) {
        waiter_(ms, pump);
        return;
    }
    ms = std::max(ms, 0);
    const int64_t end = clock_.NowMs() + ms;
    // The wait never outlasts its length in real time either, so a clock that stands still
    // (a test's manual clock) cannot hold the window.
    const auto realEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms + kRealSlackMs);
    auto left = [&]() -> int64_t {
        const auto real =
            std::chrono::duration_cast<std::chrono::milliseconds>(realEnd - std::chrono::steady_clock::now());
        return std::min<int64_t>(end - clock_.NowMs(), real.count());
    };
    if (!pump || !QCoreApplication::instance()) {
        // Nothing else runs on this thread meanwhile, so only the clock can end the wait.
        for (int64_t l = left(); l > 0 && !stop_; l = left())
            std::this_thread::sleep_for(std::chrono::milliseconds(l));
        return;
    }
    // The deadline timer wakes the loop; so does every window event, after which the stop
    // flag is looked at again. A timer that fires a little early is started again.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    while (!stop_) {
        const int64_t l = left();
        if (l <= 0)
            break;
        if (!deadline.isActive())
            deadline.start(static_cast<int>(std::min<int64_t>(l, 1 << 30)));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void TLiveSounding::SendTabPatch(const TInstrumentTab &tab) {
    port_.SetPatch(tab.Bank & 0xFF, tab.Patch & 0xFF, tab.Channel & 0x0F);
}

void TLiveSounding::SendBalance(const TInstrumentTab &tab, int value) {
    port_.OutEvent(static_cast<uint8_t>(0xB0 | (tab.Channel & 0x0F)), 10, static_cast<uint8_t>(Clamp7(value)));
}

void TLiveSounding::PreviewNote(int bank, int program, int channel, int note, int velocity, int ms) {
    if (!inRun_)
        stop_ = false;
    channel &= 0x0F;
    if (program >= 0 && program <= 127)
        port_.SetPatch(bank & 0xFF, program, channel);
    if (note < 0 || note > 127)
        return;
    port_.NoteOn(channel, note, std::clamp(velocity, 1, 127));
    WaitMs(ms, true);
    port_.NoteOff(channel, note, 0);
}

int TLiveSounding::SoundingNote(const TSongModel &song, int basePitch, int slot) const {
    const TInstrumentTab &tab = song.Current();
    int note = basePitch + tab.Transpose + song.SongTranspose + LiveTranspose;
    if (slot >= 0)
        note += TuningOffset(tab.TuningSpelling, slot);
    return note;
}

const TInstrumentTab &TLiveSounding::BeginPreview(const TSongModel &song, int &channel, int &velocity) {
    if (!inRun_)
        stop_ = false; // a preview starts afresh, whatever stopped before it
    const TInstrumentTab &tab = song.Current();
    if (channel == -1)
        channel = tab.Channel;
    if (velocity == -1)
        velocity = tab.Volume;
    velocity = std::clamp(velocity, 1, 127);
    return tab;
}

void TLiveSounding::SoundNotes(const int *notes, int count, int channel, int velocity, bool pump, int ms) {
    for (int i = 0; i < count; ++i)
        port_.NoteOn(channel, notes[i], velocity);
    WaitMs(ms, pump);
    for (int i = 0; i < count; ++i)
        port_.NoteOn(channel, notes[i], 0);
}

void TLiveSounding::SoundChordLive(const TSongModel &song, const std::array<int32_t, 6> &pitches, int channel,
                                   int velocity, bool pump, int ms) {
    const TInstrumentTab &tab = BeginPreview(song, channel, velocity);
    int notes[6];
    int count = 0;
    for (int slot = FirstSlot(tab.HighestString); slot <= 5; ++slot) {
        const int p = pitches[static_cast<size_t>(slot)];
        if (p == -1 || p == kNoPitch)
            continue;
        const int note = SoundingNote(song, p, slot);
        if (note >= 0 && note <= 127)
            notes[count++] = note;
    }
    SoundNotes(notes, count, channel & 0x0F, velocity, pump, ms);
}

bool TLiveSounding::PlayPianoLineLive(const TSongModel &song, std::string_view text, int ms, int channel,
                                      int velocity) {
    if (ClassifyLine(text) != TLineClass::Note)
        return true;
    BeginPreview(song, channel, velocity);
    // Read as a piano line whatever the tab, at the tempo of the run in progress.
    TLineContext ctx = song.LineContext(song.CurrentTab);
    ctx.Kind = TKind::Piano;
    if (runTempo_ > 0)
        ctx.Tempo = runTempo_;
    const TNoteLine line = ParseNoteLine(text, TDurationUnit::Milliseconds, ctx);
    if (!line.Ok())
        return false;
    SoundPianoKeys(song, line.Keys, ms, channel, velocity);
    return true;
}

void TLiveSounding::PlayPianoKeysLive(const TSongModel &song, const TPianoRec &rec, int ms, int channel, int velocity) {
    BeginPreview(song, channel, velocity);
    SoundPianoKeys(song, rec, ms, channel, velocity);
}

void TLiveSounding::SoundPianoKeys(const TSongModel &song, const TPianoRec &rec, int ms, int channel, int velocity) {
    int notes[10];
    int count = 0;
    for (int32_t key : rec.Keys) {
        if (key == -1)
            continue;
        const int note = SoundingNote(song, key, -1);
        if (note >= 0 && note <= 127)
            notes[count++] = note;
    }
    if (View.KeysSounding)
        View.KeysSounding(rec.Keys, true);
    SoundNotes(notes, count, channel & 0x0F, velocity, true, ms == -1 ? rec.DurationLength : ms);
    if (View.KeysSounding)
        View.KeysSounding(rec.Keys, false);
    if (View.HighlightKeys)
        View.HighlightKeys(rec.Keys);
}

bool TLiveSounding::SoundLine(const TSongModel &song, std::string_view text, int ms, bool pump) {
    return SoundLine(song, ParseNoteLine(text, TDurationUnit::Milliseconds, song.LineContext(song.CurrentTab)), ms,
                     pump);
}

bool TLiveSounding::SoundLine(const TSongModel &song, const TNoteLine &line, int ms, bool pump) {
    if (!line.Sounds() || song.Current().Kind == TKind::Drums)
        return false;
    if (line.Piano)
        PlayPianoKeysLive(song, line.Keys, ms, -1, -1);
    else
        SoundChordLive(song, line.Chord.Pitches, -1, -1, pump, ms);
    return true;
}

TLiveSounding::TRunLine TLiveSounding::SoundRunLine(const TSongModel &song, const std::string &line, int index,
                                                    TRunState &state) {
    const TInstrumentTab &tab = song.Current();
    TLineContext ctx = song.LineContext(song.CurrentTab);
    ctx.Tempo = runTempo_;
    if (const auto directive = ReadDirective(line, ctx)) {
        switch (directive->Kind) {
        case TDirective::Volume:
            state.volume = directive->Value;
            break;
        case TDirective::Channel:
            state.channel = directive->Value;
            break;
        case TDirective::Tempo:
            runTempo_ = directive->Value;
            if (View.TempoChanged)
                View.TempoChanged(runTempo_);
            break;
        case TDirective::Instrument:
            port_.SetPatch(tab.Bank & 0xFF, directive->Value, tab.Channel & 0x0F);
            break;
        case TDirective::Balance:
            SendBalance(tab, directive->Value);
            break;
        case TDirective::Delay:
            break;
        case TDirective::Transpose:
            LiveTranspose = directive->Value;
            break;
        }
        return TRunLine::Silent;
    }
    const TNoteLine parsed = ParseNoteLine(line, TDurationUnit::Milliseconds, ctx);
    if (tab.Kind == TKind::Piano) {
        if (View.SelectLine)
            View.SelectLine(index);
        if (!parsed.Ok())
            return TRunLine::Failed; // the run ends at the faulty line
        const bool sounded = parsed.Class == TLineClass::Note;
        if (sounded)
            PlayPianoKeysLive(song, parsed.Keys, -1, state.channel, state.volume);
        if (View.RefreshKeys)
            View.RefreshKeys();
        return sounded ? TRunLine::Sounded : TRunLine::Silent;
    }
    if (!parsed.Sounds())
        return TRunLine::Silent; // faulty fretted lines are passed over
    if (View.ShowFrets)
        View.ShowFrets(parsed.Chord.Frets);
    if (View.SelectLine)
        View.SelectLine(index);
    SoundChordLive(song, parsed.Chord.Pitches, state.channel, state.volume, true, parsed.Chord.DurationLength);
    return TRunLine::Sounded;
}

int TLiveSounding::PlayLineRange(const TSongModel &song, const std::vector<std::string> &lines, int from, int to) {
    const int last = std::min(to, static_cast<int>(lines.size()) - 1);
    from = std::max(from, 0);
    TRunState state;
    inRun_ = true;
    LiveTranspose = 0;
    runTempo_ = NormaliseTempo(song.Tempo);
    int result = -1;
    for (bool again = true; again && !stop_ && result < 0;) {
        bool sounded = false;
        for (int i = from; i <= last && !stop_; ++i) {
            const TRunLine r = SoundRunLine(song, lines[static_cast<size_t>(i)], i, state);
            if (r == TRunLine::Failed) {
                result = i;
                break;
            }
            sounded = sounded || r == TRunLine::Sounded;
        }
        // A pass that sounded nothing would loop without ever waiting.
        again = sounded && View.LoopChecked && View.LoopChecked();
    }
    if (!stop_ && result < 0)
        SendTabPatch(song.Current());
    LiveTranspose = 0;
    runTempo_ = 0;
    inRun_ = false;
    return result;
}

int TLiveSounding::StartLinePlayback(const TSongModel &song, const std::vector<std::string> &lines, int selFirst,
                                     int selLast) {
    stop_ = false;
    if (selFirst >= 0 && selLast > selFirst)
        return PlayLineRange(song, lines, selFirst, selLast);
    return PlayLineRange(song, lines, 0, static_cast<int>(lines.size()) - 1);
}
