// The drum grid's own Play against the song player, on the real window: one pattern (the bass
// drum on the first step, the closed hi-hat on every step) in 4/4, 3/4 and 7/8, played by the
// grid with and without Loop Pattern and by the song player as that many bars of the drum part.
// The output stamps each message with the steady clock; a bar's length is measured from the
// bass drum's note-ons (looped and the song) or from a pass's first note-on to its last note-off
// (one pass a press), and printed as a ratio of the bar's length at the tempo; after `runs` runs,
// each time signature's min / median / max of each way of playing.
//   mainwindow_drumgrid_bench [bars] [tempo] [runs]
#include "bench/StampingOut.h"
#include "bench/WindowBench.h"
#include "bench/WindowLookup.h"

#include "mainwindow/drums/DrumTab.h"
#include "mainwindow/playback/Playback.h"
#include "mainwindow/playback/SongCommands.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/SongChange.h"
#include "mainwindow/window/PageControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kBass = 36;
constexpr int kHiHat = 42;

struct Metre {
    const char *text;
    int upper, lower;
};

// The arrival times (ns) of the note-ons (or note-offs) of `note`.
std::vector<int64_t> Arrivals(const StampingOut &out, int note, bool on) {
    std::vector<int64_t> times;
    for (const StampingOut::Arrival &a : out.arrivals)
        if ((a.status & 0xF0) == 0x90 && a.data1 == note && (a.data2 > 0) == on)
            times.push_back(a.arrivedNs);
    return times;
}

// A new song whose drum part is `bars` copies of the pattern (at least one), the first shown.
void SetUpSong(TfrmMain &w, const Metre &m, int tempo, int bars) {
    w.ResetSong();
    Ctl<TPageControl>(w, "PageControl1")->UserSelect(9);
    w.Document().Song.Tempo = tempo;
    char sig[8];
    std::snprintf(sig, sizeof sig, "%02d%02d", m.upper, m.lower);
    w.Document().Song.TimeSignature = sig;
    w.Document().Drums.sigUpper = m.upper;
    w.Document().Drums.sigLower = m.lower;
    DrumPart &d = w.Document().Drums;
    for (int b = 0; b < bars; ++b) {
        NewDrumPattern(d);
        d.grid.SetCell(0, 0, 7);
        for (int c = 0; c < d.grid.Columns(); ++c)
            d.grid.SetCell(c, 2, 5);
        d.ReplaceDrumGridInStore(d.list.ItemIndex());
    }
    d.list.DeselectAll();
    d.list.SetItemIndex(0);
    d.list.SetSelected(0, true);
    d.ShowPatternInGrid(0);
    w.SongChanged(10, kChangedDrums, false);
}

double BarMs(const Metre &m, int tempo) { return 240000.0 / (double(tempo) * m.lower) * m.upper; }

void Print(const std::string &what, std::vector<double> ratios) {
    std::sort(ratios.begin(), ratios.end());
    std::printf("  %-30s min %.4f  median %.4f  max %.4f  (%zu runs)\n", what.c_str(), ratios.front(),
                ratios[ratios.size() / 2], ratios.back(), ratios.size());
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int bars = argc > 1 ? std::max(2, std::atoi(argv[1])) : 16;
    const int tempo = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 500) : 120;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    QTemporaryDir dir;
    StampingOut out;
    out.log = true;
    out.arrivals.reserve(1 << 20);
    BenchWindow window(out, dir.path(), QString());
    TfrmMain &w = window.w;
    QApplication::processEvents();

    const Metre metres[] = {{"4/4", 4, 4}, {"3/4", 3, 4}, {"7/8", 7, 8}};
    std::vector<double> looped[3], single[3], song[3];
    std::printf("bar length / nominal, %d bars at %d bpm\n", bars, tempo);
    for (size_t i = 0; i < size_t(runs) * std::size(metres); ++i) {
        const size_t mi = i % std::size(metres);
        const Metre &m = metres[mi];
        const double barMs = BarMs(m, tempo);
        auto *loop = Ctl<QCheckBox>(w, "chkLoopDrumGrid");

        // The grid looped: stopped once the downbeat after the last bar has sounded.
        SetUpSong(w, m, tempo, 1);
        loop->setChecked(true);
        out.arrivals.clear();
        QTimer watch;
        watch.setInterval(2);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (static_cast<int>(Arrivals(out, kBass, true).size()) > bars)
                w.PlayState().StopRequested = true;
        });
        watch.start();
        w.DrumPage().BitBtnPlayPatternMouseDown();
        watch.stop();
        std::vector<int64_t> downbeats = Arrivals(out, kBass, true);
        const double loopRatio = (downbeats[size_t(bars)] - downbeats[0]) / 1e6 / (bars * barMs);
        looped[mi].push_back(loopRatio);

        // One pass a press: from its first note-on to its last note-off.
        loop->setChecked(false);
        double passMs = 0;
        for (int b = 0; b < bars; ++b) {
            out.arrivals.clear();
            w.DrumPage().BitBtnPlayPatternMouseDown();
            passMs += (Arrivals(out, kHiHat, false).back() - Arrivals(out, kBass, true).front()) / 1e6;
        }
        const double singleRatio = passMs / (bars * barMs);
        single[mi].push_back(singleRatio);

        // The song player: bars + 1 patterns, the downbeats of the first bars + 1.
        SetUpSong(w, m, tempo, bars + 1);
        out.arrivals.clear();
        w.SongCommands()->Playback().PlayAll1Click();
        downbeats = Arrivals(out, kBass, true);
        if (static_cast<int>(downbeats.size()) <= bars) {
            std::fprintf(stderr, "the song played %zu bars, not %d\n", downbeats.size(), bars + 1);
            return 1;
        }
        const double songRatio = (downbeats[size_t(bars)] - downbeats[0]) / 1e6 / (bars * barMs);
        song[mi].push_back(songRatio);
        std::printf("  %s: grid looped %.4f, grid one pass a press %.4f, song player %.4f\n", m.text, loopRatio,
                    singleRatio, songRatio);
    }
    for (size_t mi = 0; mi < std::size(metres); ++mi) {
        const std::string metre = metres[mi].text;
        Print(metre + " grid, Loop Pattern", looped[mi]);
        Print(metre + " grid, one pass a press", single[mi]);
        Print(metre + " song player", song[mi]);
    }
    return 0;
}
