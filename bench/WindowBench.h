#pragma once
// What the main window's benchmarks share: the real window opened on a song file as a user's start
// opens it (the test services, the steady clock, the benchmark's own MIDI output, the settings and
// the untitled song in a scratch folder), the sizes asked for on the command line, and the
// min / median / max lines they print.
#include "mainwindow/window/MainWindow.h"
#include "platform/SteadyClock.h"
#include "platform/qt/TestServices.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

// The window on `song`, shown and activated; `w` is the window.
struct BenchWindow {
    BenchWindow(platform::IMidiOutSystem &out, const QString &folder, const QString &song)
        : w(Environment(services, clock, out, folder, song)) {
        w.show();
        w.FormActivate();
    }

    platform::TestServices services;
    platform::SteadyClock clock;
    TfrmMain w;

private:
    static TMainEnvironment Environment(platform::TestServices &services, platform::SteadyClock &clock,
                                        platform::IMidiOutSystem &out, const QString &folder, const QString &song) {
        TMainEnvironment env;
        env.services = &services.Get();
        env.midiOut = &out;
        env.clock = &clock;
        env.settingsPath = folder + QStringLiteral("/settings.ini");
        env.arguments = {song};
        env.untitledFolder = folder;
        return env;
    }
};

// The sizes to measure: `sizes`, or the one given as the second argument (at least `least`).
inline std::vector<int> BenchSizes(int argc, char **argv, std::vector<int> sizes, int least) {
    if (argc > 2)
        sizes = {std::max(least, std::atoi(argv[2]))};
    return sizes;
}

// Times in milliseconds, printed as "  what  min  median  max ms  (count)".
struct Figures {
    std::vector<double> ms;
    void Add(std::chrono::steady_clock::duration d) {
        ms.push_back(std::chrono::duration<double, std::milli>(d).count());
    }
    // The label padded to `labelWidth`; each figure `numberWidth` wide with `decimals` decimals.
    void Print(const char *what, int labelWidth, int numberWidth = 8, int decimals = 3) {
        std::sort(ms.begin(), ms.end());
        std::printf("  %-*s min %*.*f  median %*.*f  max %*.*f ms  (%zu)\n", labelWidth, what, numberWidth, decimals,
                    ms.front(), numberWidth, decimals, ms[ms.size() / 2], numberWidth, decimals, ms.back(), ms.size());
    }
};
