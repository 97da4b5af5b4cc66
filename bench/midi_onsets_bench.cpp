// How exactly notes sound where the song puts them: a song at 140 bpm, 192 PPQN, of short
// claves (drum channel) at every phase of the beat with silence between them, rendered
//   (a) by the program: TMidiPlayer on the real timer thread and clock, through the track
//       outputs into the embedded synthesizer rendering a WAV file in real time;
//   (b) by the fluidsynth program from the same song written as a Standard MIDI File.
// Onsets are found in each WAV file, each render is aligned by the median offset between
// its onsets and the ideal note times (the offset printed: the time from the start of the
// file to the song's start, plus the clave's attack), and the rest is its error. Drift:
// the median error of the last tenth of the notes minus that of the first tenth; the
// error is also given around the straight line that fits it best, without the drift.
//
// What (a) measures: the tempo arithmetic and the drift of the rendered file, not the live
// timing. The synthesizer's WAV render places every message at the moment it was due (on the
// steady clock, 20 ms behind real time), so how late the player's timer thread sent it does not
// show: a player that woke every 4 ms scores as the event-timed one does. How late the player
// sends is midi_player_timing_bench's figure.
//
//   midi_onsets_bench [--seconds N] [--soundfont FILE] [--out FOLDER]
// --seconds: song length (240 = 4 minutes; the player's render takes that long).
// --out: keep song.mid, player.wav and fluidsynth.wav there (else a temporary folder).
#include "midi/MidiPlayer.h"
#include "midi/TrackOutputs.h"
#include "platform/FluidSynthOut.h"
#include "platform/MidiOutSystem.h"
#include "platform/SteadyClock.h"
#include "platform/ThreadTimer.h"
#include "platform/WavFile.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPPQN = 192;
constexpr int kTempoUs = 428'571;      // a quarter note at 140 bpm, as the file says it
constexpr int kNotesApart = 2 * kPPQN; // two beats between notes, give or take the phase
constexpr int kPhaseStep = 37;         // prime to 192: every phase of the beat comes up
constexpr int kNoteTicks = kPPQN / 8;
constexpr uint8_t kClaves = 75;
constexpr double kGain = 0.4;
// Onset detection: a clave peaks near 0.2 of full scale at this gain; its reverb tail
// falls below 0.01 within 150 ms, and notes are at least a beat (428 ms) apart.
constexpr double kOnsetLevel = 0.05;
constexpr double kQuietLevel = 0.01;
constexpr double kSilenceSeconds = 0.15;
constexpr double kMatchWindow = 0.1; // an onset this near the expected one is that note's

struct Options {
    double seconds = 240;
    std::string soundFont;
    std::string out;
};

bool ParseOptions(int argc, char **argv, Options &o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc)
            return false;
        if (a == "--seconds")
            o.seconds = std::atof(argv[++i]);
        else if (a == "--soundfont")
            o.soundFont = argv[++i];
        else if (a == "--out")
            o.out = argv[++i];
        else
            return false;
    }
    return o.seconds >= 5;
}

// Note k at two beats each plus a phase that walks through the beat.
std::vector<int32_t> NoteTicks(double seconds) {
    const double beats = seconds * 1e6 / kTempoUs;
    std::vector<int32_t> ticks;
    for (int k = 0; (k + 1) * 2 <= beats; ++k)
        ticks.push_back(k * kNotesApart + (k * kPhaseStep) % kPPQN);
    return ticks;
}

double IdealSeconds(int32_t tick) { return static_cast<double>(tick) * kTempoUs / kPPQN / 1e6; }

void BuildSong(TMidiData &data, const std::vector<int32_t> &ticks) {
    data.SetPPQN(kPPQN);
    data.AddTrack(1);
    data.GetTrack(0)->InsertMetaEvent(
        0, midi::kMetaTempo,
        std::vector<uint8_t>{uint8_t(kTempoUs >> 16), uint8_t(kTempoUs >> 8 & 0xFF), uint8_t(kTempoUs & 0xFF)});
    TMidiTrackStream *track = data.GetTrack(1);
    for (int32_t tick : ticks) {
        track->InsertEvent(tick, 0x99, kClaves, 110);
        track->InsertEvent(tick + kNoteTicks, 0x89, kClaves, 0);
    }
}

// (a) The program's player into the embedded synthesizer's WAV file, in real time.
bool RenderWithPlayer(TMidiData &data, const Options &o, const std::string &wav, double &wallSeconds) {
    platform::SynthOptions synth;
    synth.wavPath = wav;
    synth.useEnvironment = false;
    synth.soundFont = o.soundFont;
    synth.gain = kGain;
    platform::MidiOutSystem system(synth);
    TPhysicalPortList ports(system);
    TTrackOutputs outputs(ports);
    outputs.SetSysexLatency(0);
    outputs.SetMidiData(&data);
    outputs.SetActive(true);
    if (!ports.OpenCount()) {
        std::printf("player: the synthesizer did not open: %s\n", system.LastError().c_str());
        return false;
    }
    const auto start = Clock::now();
    {
        platform::SteadyClock clock;
        platform::ThreadTimer timer;
        TMidiPlayer player(clock, timer);
        player.SetTrackOutputs(&outputs);
        player.SetPlay(true);
        while (player.Play())
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::this_thread::sleep_for(std::chrono::milliseconds(500)); // the last note rings out
    }
    outputs.SetActive(false); // the last port closes the synthesizer, which finishes the file
    return true;
}

// (b) The fluidsynth program from the Standard MIDI File.
bool RenderWithFluidsynth(const std::string &program, const Options &o, const std::string &mid,
                          const std::string &wav) {
    const std::string command = program + " -ni -q -F '" + wav + "' -r 44100 -g " + std::to_string(kGain) + " '" +
                                o.soundFont + "' '" + mid + "' > /dev/null 2>&1";
    return std::system(command.c_str()) == 0 && fs::exists(wav);
}

double Quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5))];
}

// Matches onsets to notes in order, following a slowly moving offset, then reports the
// errors against the median offset.
void Report(const char *name, const std::string &wavPath, const std::vector<int32_t> &ticks) {
    platform::WavData wav;
    std::string error;
    if (!platform::ReadWavFile(wavPath, wav, &error)) {
        std::printf("%-11s cannot read %s: %s\n", name, wavPath.c_str(), error.c_str());
        return;
    }
    const std::vector<double> onsets = platform::WavOnsets(wav, kOnsetLevel, kQuietLevel, kSilenceSeconds);
    if (onsets.empty()) {
        std::printf("%-11s no onsets found in %.1f s of sound\n", name, wav.Seconds());
        return;
    }
    std::vector<double> offsets; // onset - ideal time, per matched note
    std::vector<size_t> matchedNote;
    double offset = onsets.front() - IdealSeconds(ticks.front());
    size_t j = 0;
    for (size_t k = 0; k < ticks.size(); ++k) {
        const double expected = IdealSeconds(ticks[k]) + offset;
        while (j < onsets.size() && onsets[j] < expected - kMatchWindow)
            ++j;
        if (j < onsets.size() && std::abs(onsets[j] - expected) <= kMatchWindow) {
            offset = onsets[j] - IdealSeconds(ticks[k]);
            offsets.push_back(offset);
            matchedNote.push_back(k);
            ++j;
        }
    }
    if (offsets.size() < 10) {
        std::printf("%-11s only %zu of %zu notes found\n", name, offsets.size(), ticks.size());
        return;
    }
    const double median = Quantile(offsets, 0.5);
    std::vector<double> errors, absolute;
    for (double v : offsets) {
        errors.push_back((v - median) * 1000);
        absolute.push_back(std::abs(v - median) * 1000);
    }
    const size_t tenth = std::max<size_t>(5, errors.size() / 10);
    const double drift = Quantile({errors.end() - static_cast<std::ptrdiff_t>(tenth), errors.end()}, 0.5) -
                         Quantile({errors.begin(), errors.begin() + static_cast<std::ptrdiff_t>(tenth)}, 0.5);
    // Jitter: the error left around the straight line that fits the errors best, i.e.
    // without a steady drift.
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < errors.size(); ++i) {
        const double x = IdealSeconds(ticks[matchedNote[i]]);
        sx += x, sy += errors[i], sxx += x * x, sxy += x * errors[i];
    }
    const double n = static_cast<double>(errors.size());
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx), intercept = (sy - slope * sx) / n;
    std::vector<double> jitter;
    for (size_t i = 0; i < errors.size(); ++i)
        jitter.push_back(std::abs(errors[i] - intercept - slope * IdealSeconds(ticks[matchedNote[i]])));
    std::printf("%-11s %3zu/%zu notes (%zu stray onsets), offset %7.2f ms\n", name, offsets.size(), ticks.size(),
                onsets.size() - offsets.size(), median * 1000);
    std::printf("%-11s |error| min %.2f median %.2f p99 %.2f max %.2f ms | drift %+.2f ms | without the drift: "
                "median %.2f p99 %.2f max %.2f ms\n",
                "", Quantile(absolute, 0), Quantile(absolute, 0.5), Quantile(absolute, 0.99), Quantile(absolute, 1),
                drift, Quantile(jitter, 0.5), Quantile(jitter, 0.99), Quantile(jitter, 1));
}

std::string FindProgram(const char *name) {
    if (const char *path = std::getenv("PATH")) {
        std::string all = path;
        for (size_t start = 0; start <= all.size();) {
            const size_t end = std::min(all.find(':', start), all.size());
            const fs::path candidate = fs::path(all.substr(start, end - start)) / name;
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate.string();
            start = end + 1;
        }
    }
    return {};
}

} // namespace

int main(int argc, char **argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s [--seconds N (>= 5)] [--soundfont FILE] [--out FOLDER]\n", argv[0]);
        return 2;
    }
    if (o.soundFont.empty())
        o.soundFont = platform::FluidSynthOut::FindGmSoundFont();
    if (o.soundFont.empty() || !fs::is_regular_file(o.soundFont)) {
        std::puts("no General MIDI soundfont (install timgm6mb-soundfont): nothing to measure");
        return 0;
    }
    const bool keep = !o.out.empty();
    const fs::path dir =
        keep ? fs::path(o.out) : fs::temp_directory_path() / ("tw-onsets-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string mid = (dir / "song.mid").string(), playerWav = (dir / "player.wav").string(),
                      fluidWav = (dir / "fluidsynth.wav").string();

    const std::vector<int32_t> ticks = NoteTicks(o.seconds);
    TMidiData data;
    BuildSong(data, ticks);
    {
        const std::vector<uint8_t> bytes = data.SaveToBytes();
        std::ofstream(mid, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::printf("song: %zu claves at 140 bpm, %d PPQN, %.1f s, at %d phases of the beat; soundfont %s\n", ticks.size(),
                kPPQN, IdealSeconds(ticks.back()), std::min<int>(static_cast<int>(ticks.size()), kPPQN),
                o.soundFont.c_str());

    std::puts("measures: the tempo arithmetic and drift of the rendered file. The WAV render puts each message at\n"
              "  the time it was due (20 ms behind real time), so the player's send lateness does not show here;\n"
              "  midi_player_timing_bench measures that.");
    double wall = 0;
    if (RenderWithPlayer(data, o, playerWav, wall)) {
        std::printf("player: played in %.2f s of real time\n", wall);
        Report("player", playerWav, ticks);
    }
    const std::string fluidsynth = FindProgram("fluidsynth");
    if (fluidsynth.empty())
        std::puts("fluidsynth: the program is not installed (Debian package fluidsynth): skipped");
    else if (!RenderWithFluidsynth(fluidsynth, o, mid, fluidWav))
        std::printf("fluidsynth: %s could not render the song\n", fluidsynth.c_str());
    else
        Report("fluidsynth", fluidWav, ticks);

    if (keep) {
        std::printf("files kept in %s\n", dir.c_str());
    } else {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    return 0;
}
