// The editor's line commands on a long guitar tab, through the main window: the time from the
// menu item to the lines written back and the window refreshed, for every line selected, at
// 1,000 and 10,000 lines. Transposing 12 half steps is the worst case (twelve single steps per
// line, the window's events let through between them). Undo puts the lines back between runs.
//   mainwindow_line_commands_bench [runs [lines]]
#include "mainwindow/MainWindow.h"
#include "bench/WindowLookup.h"

#include "bench/BigSong.h"
#include "mainwindow/EditorAdapter.h"
#include "mainwindow/NotationEdit.h"
#include "mainwindow/PageControl.h"
#include "platform/SteadyClock.h"
#include "platform/TestDoubles.h"
#include "platform/qt/TestServices.h"

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

void Print(const char *what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-30s min %9.2f  median %9.2f  max %9.2f ms  (%zu)\n", what, ms.front(), ms[ms.size() / 2],
                ms.back(), ms.size());
}

int Run(int lines, int runs, const QString &folder) {
    const QString song = folder + QStringLiteral("/Long Guitar %1.twd").arg(lines);
    WriteBigSong(song.toStdString(), lines, {6});
    platform::TestServices services;
    platform::RecordingMidiOutSystem out;
    platform::SteadyClock clock;
    TMainEnvironment env;
    env.services = &services.Get();
    env.midiOut = &out;
    env.clock = &clock;
    env.settingsPath = folder + QStringLiteral("/settings.ini");
    env.arguments = {song};
    env.untitledFolder = folder;
    TfrmMain w(env);
    w.show();
    w.FormActivate();
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
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            const std::vector<std::string> before = w.Lines().StoreLines();
            edit->selectAll();
            const auto t0 = Clock::now();
            action->trigger();
            QApplication::processEvents();
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
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
        Print(item, ms);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<int> sizes = {1000, 10000};
    if (argc > 2)
        sizes = {std::max(10, std::atoi(argv[2]))};
    QTemporaryDir dir;
    for (int lines : sizes)
        if (int failed = Run(lines, runs, dir.path()))
            return failed;
    return 0;
}
