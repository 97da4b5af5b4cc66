// Chord search speed: every built-in chord type at every root on a standard-tuned guitar with
// the widest reach (8) over all positions, under each root option with unplayed inside strings
// and open strings allowed (the settings that list the most voicings). Prints min / median /
// max of one chord's search, the slowest chord, the total, and the poll interval the window
// sees (the longest time between two polls, which bounds how late a Stop click is handled).
#include "dialogs/chords/ChordSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

} // namespace

int main() {
    TFormulaTable table;
    std::vector<std::string> types;
    for (std::string_view row : BuiltInFormulaRows()) {
        TFormulaRow split;
        if (SplitFormulaRow(row, split) && std::find(types.begin(), types.end(), split.TypeName) == types.end())
            types.push_back(split.TypeName);
    }
    const char *roots[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    const char *options[3] = {"root on lowest string", "root anywhere", "no root"};
    constexpr int kRuns = 3;

    for (int option = 0; option < 3; ++option) {
        std::vector<double> times;
        double slowest = 0, longestGap = 0, total = 0;
        std::string slowestName;
        long voicings = 0;
        for (const std::string &type : types) {
            for (const char *root : roots) {
                TChordSearchRequest r;
                r.root = root;
                r.typeName = type;
                r.reach = 8;
                r.position = "ALL";
                r.allowInsideUnplayed = true;
                r.includeOpenStrings = true;
                r.rootOnLowest = option == 0;
                r.noRoot = option == 2;
                std::vector<double> runs;
                for (int run = 0; run < kRuns; ++run) {
                    Clock::time_point last = Clock::now();
                    const Clock::time_point start = last;
                    const TChordSearchOutcome out = CalculateChords(table, r, [&](int) {
                        const Clock::time_point now = Clock::now();
                        longestGap = std::max(longestGap, Ms(now - last));
                        last = now;
                        return false;
                    });
                    runs.push_back(Ms(Clock::now() - start));
                    if (run == 0)
                        voicings += out.result;
                }
                std::sort(runs.begin(), runs.end());
                const double t = runs[kRuns / 2];
                times.push_back(t);
                total += t;
                if (t > slowest) {
                    slowest = t;
                    slowestName = std::string(root) + " " + type;
                }
            }
        }
        std::sort(times.begin(), times.end());
        std::printf("%s: %zu chords (%zu types x 12 roots), %ld voicings\n", options[option], times.size(),
                    types.size(), voicings);
        std::printf("  one chord: min %.3f ms / median %.3f ms / max %.3f ms (slowest: %s)\n", times.front(),
                    times[times.size() / 2], times.back(), slowestName.c_str());
        std::printf("  total %.1f ms; longest time between two polls %.3f ms\n", total, longestGap);
    }
    return 0;
}
