// Time from a caret move in the editor to the note-on of that line, on a tab of 2,000 lines
// of a 16-tab song: the caret goes to a line, the line is read, parsed and sounded (a 0 ms
// note) through the output port. The device stamps the first note-on with the steady clock.
//   mainwindow_live_caret_bench [moves]
#include "bench/StampingOut.h"
#include "mainwindow/EditorAdapter.h"
#include "mainwindow/LiveSounding.h"
#include "mainwindow/NotationEdit.h"
#include "midi/MidiOutputPort.h"
#include "platform/SteadyClock.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

const char *const kGuitar[] = {"C, x, 3, 2, 0, 1, 0, Q", "Am, x, 0, 2, 2, 1, 0, Q", "G7, 3, 2, 0, 0, 0, 1, H",
                               "*Volume 90", "Em, 0, 2, 2, 0, 0, 0, .H"};
const char *const kPiano[] = {"C, 48, 52, 55, x, x, x, x, x, x, x, Q", "Am, 45, 48, 52, x, x, x, x, x, x, x, E"};

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TW_SYSEX_LATENCY", "0");
    QApplication app(argc, argv);
    const int moves = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;

    TSongModel song;
    for (int t = 1; t <= kTabCount; ++t) {
        song.Tab(t).Volume = 100;
        if (song.Tab(t).Kind == TKind::Drums)
            continue;
        const bool piano = song.Tab(t).Kind == TKind::Piano;
        for (int i = 0; i < 2000; ++i)
            song.Lines(t).emplace_back(piano ? kPiano[i % 2] : kGuitar[i % 5]);
    }
    StampingOut out;
    TPhysicalPortList ports(out);
    TMidiOutputPort port(ports, -1);
    port.SetActive(true);
    platform::SteadyClock clock;
    bool stop = false;
    TLiveSounding live(port, clock, stop);

    for (int tab : {6, 1}) {
        song.CurrentTab = tab;
        TNotationEdit edit;
        edit.resize(400, 600);
        TEditorLines lines(&edit);
        lines.LoadLines(song.Lines(tab));
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> pick(0, 1999);
        std::vector<double> us;
        for (int m = 0; m < moves; ++m) {
            out.armed = true;
            const auto t0 = Clock::now();
            lines.MoveCaretToLine(pick(rng));
            const std::string text = lines.Line(lines.CurrentLine()).toStdString();
            if (!live.SoundLine(song, text, 0, false) || out.armed) {
                out.armed = false;
                continue; // a directive line sounds nothing
            }
            us.push_back(std::chrono::duration<double, std::micro>(out.firstNoteOn - t0).count());
        }
        std::sort(us.begin(), us.end());
        std::printf("%s tab, 2,000 lines, %zu caret moves: caret move to note-on median %.1f us, p99 %.1f us, max %.1f us\n",
                    tab == 1 ? "piano" : "guitar", us.size(), us[us.size() / 2], us[us.size() * 99 / 100], us.back());
    }
    return 0;
}
