// A caret key at the end of a long tab, through the main window: the time from an Up or Down key
// pressed in the editor to the note-on of the line the caret moved to, on tabs of 1,000, 10,000
// and 100,000 lines. The key goes through the application as a user's key does: it moves the
// caret, the status bars follow it (line, bytes, and the caret line's bar, beat, tick and time),
// and its release sounds the line. A second figure is the time from the key until the window has
// handled everything the key caused (the status bars shown). The output device stamps the first
// note-on with the steady clock.
//   mainwindow_live_caret_bench [keys-per-size [lines]]
#include "bench/WindowBench.h"
#include "bench/WindowLookup.h"

#include "bench/BigSong.h"
#include "bench/StampingOut.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/rules/StatusText.h"
#include "mainwindow/window/PageControl.h"
#include "song/LinePositions.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int Run(int lines, int keys, const QString &folder) {
    const QString song = folder + QStringLiteral("/Long Tabs %1.twd").arg(lines);
    WriteBigSong(song.toStdString(), lines, {1, 6});

    StampingOut out;
    BenchWindow window(out, folder, song);
    TfrmMain &w = window.w;
    // The line sounds for no time: the measure ends at its note-on.
    w.LiveInstrument()->Sound().SetWaiter([](int, bool) {});
    auto *edit = Ctl<TNotationEdit>(w, "RichEdit1");
    auto *status = Ctl<TStatusPanels>(w, "StatusBarRichEdit");

    for (int tab : {6, 1}) {
        if (tab != w.Document().Song.CurrentTab)
            Ctl<TPageControl>(w, "PageControl1")->UserSelect(tab - 1);
        edit->setFocus();
        if (w.Lines().LineCount() != lines) {
            std::fprintf(stderr, "tab %d holds %d lines, not %d\n", tab, w.Lines().LineCount(), lines);
            return 1;
        }
        // To the end of the tab once (the first visit adds up every line above), then keys there.
        const auto first = Clock::now();
        w.Lines().MoveCaretToLine(lines - 21);
        QApplication::processEvents();
        const double firstMs = std::chrono::duration<double, std::milli>(Clock::now() - first).count();
        Figures noteOn, settled;
        for (int m = 0; m < keys; ++m) {
            QApplication::processEvents();
            const Qt::Key key = (m / 20) % 2 ? Qt::Key_Up : Qt::Key_Down;
            out.armed = true;
            const auto t0 = Clock::now();
            QTest::keyClick(edit, key);
            if (!out.armed) // a directive line sounds nothing
                noteOn.Add(out.firstNoteOn - t0);
            out.armed = false;
            QApplication::processEvents();
            settled.Add(Clock::now() - t0);
        }
        // The caret stayed at the end, and the status shows its line's place in the song.
        const int caret = w.Lines().CurrentLine();
        TPositionConductor conductor;
        conductor.TimeSignature = w.Document().Song.TimeSignature;
        conductor.Tempo = w.Document().Song.Tempo;
        const TSongPoint p = GetLinePosition(std::as_const(w.Document().Song).Lines(tab), caret, conductor);
        if (caret < lines - 21 || status->Text(0).toStdString() != status::BarPanel(static_cast<int>(p.Bar)) ||
            status->Text(3).toStdString() != status::TimePanel(p.Ms)) {
            std::fprintf(stderr, "the keys did not move the caret at the end of the tab, or the status is wrong\n");
            return 1;
        }
        std::printf("%s tab, %d lines (caret at the end; the first visit there took %.1f ms):\n",
                    tab == 1 ? "piano" : "guitar", lines, firstMs);
        noteOn.Print("key to note-on", 26);
        settled.Print("key to status shown", 26);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TW_SYSEX_LATENCY", "0");
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::max(40, std::atoi(argv[1])) : 400;
    QTemporaryDir dir;
    // A size of its own may be given after the count; else 1,000, 10,000 and 100,000 lines.
    for (int lines : BenchSizes(argc, argv, {1000, 10000, 100000}, 100))
        if (int failed = Run(lines, keys, dir.path()))
            return failed;
    return 0;
}
