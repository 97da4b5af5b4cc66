// Live sounding through the main window: on a song of sixteen tabs with 2,000 lines on every
// tab but the drums, the time from an Up or Down key pressed in the editor to the note-on of
// the line the caret moved to (the key moves the caret, the status bars follow it, the key's
// release sounds the line). The output device stamps the first note-on with the steady clock.
//   mainwindow_live_window_bench [moves]
#include "bench/WindowBench.h"
#include "bench/WindowLookup.h"

#include "bench/BigSong.h"
#include "bench/StampingOut.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/window/PageControl.h"
#include "platform/MidiOut.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TW_SYSEX_LATENCY", "0");
    QApplication app(argc, argv);
    const int moves = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("Big Song.twd"));
    WriteBigSong(song.toStdString(), 2000);

    StampingOut out;
    BenchWindow window(out, dir.path(), song);
    TfrmMain &w = window.w;
    // The line sounds for no time: the measure ends at its note-on.
    w.LiveInstrument()->Sound().SetWaiter([](int, bool) {});

    for (int tab : {6, 1}) {
        Ctl<TPageControl>(w, "PageControl1")->UserSelect(tab - 1);
        Ctl<TNotationEdit>(w, "RichEdit1")->setFocus();
        if (w.Lines().LineCount() != 2000) {
            std::fprintf(stderr, "tab %d holds %d lines, not the song's 2,000\n", tab, w.Lines().LineCount());
            return 1;
        }
        w.Lines().MoveCaretToLine(1000);
        std::vector<double> us;
        for (int m = 0; m < moves; ++m) {
            const Qt::Key key = (m / 20) % 2 ? Qt::Key_Up : Qt::Key_Down;
            out.armed = true;
            const auto t0 = Clock::now();
            QTest::keyClick(Ctl<TNotationEdit>(w, "RichEdit1"), key);
            if (out.armed) { // a directive line: nothing sounds
                out.armed = false;
                continue;
            }
            us.push_back(std::chrono::duration<double, std::micro>(out.firstNoteOn - t0).count());
        }
        std::sort(us.begin(), us.end());
        std::printf("%s tab of a 16-tab song, 2,000 lines per tab, %zu caret moves: key to note-on median %.2f ms, "
                    "p99 %.2f ms, max %.2f ms\n",
                    tab == 1 ? "piano" : "guitar", us.size(), us[us.size() / 2] / 1000, us[us.size() * 99 / 100] / 1000,
                    us.back() / 1000);
    }
    return 0;
}
