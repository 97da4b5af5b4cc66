// Line notation speed: parse and re-format a million fretted and a million piano lines, and the
// song positions of every line of a 10,000-line tab in one pass.
#include "song/DetailedLineWriter.h"
#include "song/FrettedLine.h"
#include "song/LinePositions.h"
#include "song/PianoLine.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

} // namespace

int main() {
    constexpr int kLines = 1000000;
    const std::vector<std::string> fretted = {
        "C, x, 3, 2, 0, 1, 0, Q",        "G7, 3, 2, 0, 0, 0, 1, E", "Am, x, 0, 2, 2, 1, 0, .Q-E",
        "D, x, x, 0, 2, 3, 2|E|90|3, H", "E, 0, 2, 2, 1, 0, 0, /S", "F, 1|Q|100|1, 3|Q|100|3, 3, 2, 1, 1, q - e",
        "Rest, x, x, x, x, x, x, W",     "Bb, x, 1, 3, 3, 3, 1, S",
    };
    const std::vector<std::string> piano = {
        "C, 48, 52, 55, x, x, x, x, x, x, x, Q",
        "Am, 57, 60, 64, 69, x, x, x, x, x, x, .H",
        "G7, 43, 59|E|90|R1, 62, 65, 67, x, x, x, x, x, E-S",
        "Rest, x, x, x, x, x, x, x, x, x, x, W",
    };
    TLineContext guitar = MakeLineContext(DefaultInstrumentTab(6), 120);
    guitar.Volume = 100;
    TLineContext pianoCtx = MakeLineContext(DefaultInstrumentTab(1), 120);
    pianoCtx.Volume = 100;

    size_t checksum = 0;
    {
        TChordDat chord;
        const auto start = Clock::now();
        for (int i = 0; i < kLines; ++i) {
            const std::string &line = fretted[static_cast<size_t>(i) % fretted.size()];
            if (!ParseChordLine(line, TDurationUnit::Ticks, guitar, chord).empty())
                return 1;
            checksum += chord.DurationLength;
        }
        const double parse = Seconds(start);
        const auto start2 = Clock::now();
        for (int i = 0; i < kLines; ++i) {
            const std::string &line = fretted[static_cast<size_t>(i) % fretted.size()];
            ParseChordLine(line, TDurationUnit::Ticks, guitar, chord);
            const std::string text =
                chord.HasDetails ? *FormatDetailedChordLine(chord, 5, 100) : FormatChordLine(chord, 5);
            checksum += text.size();
        }
        const double both = Seconds(start2);
        std::printf("fretted: parse %d lines %.3f s (%.0f lines/s); parse + format %.3f s (%.0f lines/s)\n", kLines,
                    parse, kLines / parse, both, kLines / both);
    }
    {
        TPianoRec rec;
        const auto start = Clock::now();
        for (int i = 0; i < kLines; ++i) {
            const std::string &line = piano[static_cast<size_t>(i) % piano.size()];
            if (!ParsePianoLine(line, TDurationUnit::Ticks, pianoCtx, rec))
                return 1;
            checksum += rec.DurationLength;
        }
        const double parse = Seconds(start);
        const auto start2 = Clock::now();
        for (int i = 0; i < kLines; ++i) {
            const std::string &line = piano[static_cast<size_t>(i) % piano.size()];
            ParsePianoLine(line, TDurationUnit::Ticks, pianoCtx, rec);
            const std::string text = rec.HasDetails ? *FormatDetailedPianoLine(rec, 100) : FormatPianoLine(rec);
            checksum += text.size();
        }
        const double both = Seconds(start2);
        std::printf("piano:   parse %d lines %.3f s (%.0f lines/s); parse + format %.3f s (%.0f lines/s)\n", kLines,
                    parse, kLines / parse, both, kLines / both);
    }
    {
        std::vector<std::string> tab;
        for (int i = 0; i < 10000; ++i) {
            if (i % 50 == 0)
                tab.push_back("*Tempo 100");
            else if (i % 17 == 0)
                tab.push_back("");
            else
                tab.push_back(fretted[static_cast<size_t>(i) % fretted.size()]);
        }
        TPositionConductor conductor;
        conductor.TimeSignature = "0304";
        for (int i = 0; i < 200; ++i)
            conductor.TempoChanges.push_back({i * 3000, 400000 + i * 1000});
        const auto start = Clock::now();
        const auto positions = GetLinePositions(tab, conductor);
        const double t = Seconds(start);
        checksum += static_cast<size_t>(positions.back().Ms);
        // The status display asks for the caret line alone: one walk over the lines above it.
        const auto start2 = Clock::now();
        constexpr int kAsks = 100;
        for (int i = 0; i < kAsks; ++i)
            checksum += static_cast<size_t>(GetLinePosition(tab, 9999 - i, conductor).Tick);
        std::printf("positions: GetLinePosition of one line near the end %.3f ms per call\n",
                    Seconds(start2) * 1000 / kAsks);
        std::printf("positions: %zu lines in one pass %.2f ms (last line bar %lld, %lld ms)\n", tab.size(), t * 1000,
                    static_cast<long long>(positions.back().Bar), static_cast<long long>(positions.back().Ms));
    }
    std::printf("(checksum %zu)\n", checksum);
    return 0;
}
