// The editor's line commands on a long guitar tab, through the main window: the time from the
// menu item to the lines written back and the window refreshed, for every line selected, at
// 1,000 and 10,000 lines. Transposing 12 half steps is the worst case (twelve single steps per
// line, the window's events let through between them). Undo puts the lines back between runs.
//   mainwindow_line_commands_bench [runs [lines]]
#include "bench/WindowBench.h"
#include "bench/WindowLookup.h"

#include "bench/BigSong.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/window/PageControl.h"
#include "platform/TestDoubles.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int Run(int lines, int runs, const QString &folder) {
    const QString song = folder + QStringLiteral("/Long Guitar %1.twd").arg(lines);
    WriteBigSong(song.toStdString(), lines, {6});
    platform::RecordingMidiOutSystem out;
    BenchWindow window(out, folder, song);
    TfrmMain &w = window.w;
    QApplication::processEvents();
    Ctl<TPageControl>(w, "PageControl1")->UserSelect(5);
    auto *edit = Ctl<TNotationEdit>(w, "RichEdit1");
    if (w.Lines().LineCount() != lines) {
        std::fprintf(stderr, "the guitar tab shows %d lines, not %d\n", w.Lines().LineCount(), lines);
        return 1;
    }
    std::printf("a guitar tab of %d lines, all selected:\n", lines);
    for (const char *item : {"TransposeHigher12", "TransposeHigher1", "ReverseTheOrderOfLines1",
                             "KeepOnlyTheLowestNoteInChords1", "ReformatLinesShiftCtrlF11", "Duplicate3"}) {
        QAction *action = w.findChild<QAction *>(QString::fromLatin1(item));
        Figures figures;
        for (int i = 0; i < runs; ++i) {
            const std::vector<std::string> before = w.Lines().StoreLines();
            edit->selectAll();
            const auto t0 = Clock::now();
            action->trigger();
            QApplication::processEvents();
            figures.Add(Clock::now() - t0);
            if (w.Lines().Holds(before)) {
                std::fprintf(stderr, "%s changed nothing\n", item);
                return 1;
            }
            edit->undo();
            if (!w.Lines().Holds(before)) {
                std::fprintf(stderr, "one Undo did not take %s back\n", item);
                return 1;
            }
        }
        figures.Print(item, 30, 9, 2);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    for (int lines : BenchSizes(argc, argv, {1000, 10000}, 10))
        if (int failed = Run(lines, runs, dir.path()))
            return failed;
    return 0;
}
