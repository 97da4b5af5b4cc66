// A change of instrument tab between two long tabs, through the main window: the time from a
// click on the other tab until the window has handled everything it caused (the new tab shown and
// painted), with 1,000, 10,000 and 100,000 lines on each tab. Measured twice: leaving a tab as it
// was, and leaving a tab just after a key typed into it. Then the first visit of each note tab of a
// freshly opened song, beside a bare plain-text editor of the same size given the same lines.
//   mainwindow_tab_switch_bench [switches-per-size [lines]]
#include "bench/WindowBench.h"
#include "bench/WindowLookup.h"

#include "bench/BigSong.h"
#include "bench/StampingOut.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/window/PageControl.h"

#include <QApplication>
#include <QPlainTextEdit>
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

int Run(int lines, int switches, const QString &folder) {
    const QString song = folder + QStringLiteral("/Long Tabs %1.twd").arg(lines);
    WriteBigSong(song.toStdString(), lines, {6, 7});

    StampingOut out;
    BenchWindow window(out, folder, song);
    TfrmMain &w = window.w;
    QApplication::processEvents();
    QTabBar *bar = Ctl<TPageControl>(w, "PageControl1")->TabBar();
    auto *edit = Ctl<TNotationEdit>(w, "RichEdit1");

    auto click = [&](int tab) {
        const auto t0 = Clock::now();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab - 1).center());
        QApplication::processEvents();
        return Clock::now() - t0;
    };
    click(6);
    click(7); // each tab shown once
    Figures plain, edited;
    for (int i = 0; i < switches; ++i) {
        const int target = w.Document().Song.CurrentTab == 6 ? 7 : 6;
        plain.Add(click(target));
        if (w.Document().Song.CurrentTab != target || w.Lines().LineCount() != lines) {
            std::fprintf(stderr, "tab %d shows %d lines, not %d\n", target, w.Lines().LineCount(), lines);
            return 1;
        }
    }
    for (int i = 0; i < switches; ++i) {
        // A key typed in the middle of the tab being left: its lines are stored on leaving.
        w.Lines().MoveCaretToLine(lines / 2);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Space);
        QApplication::processEvents();
        const int left = w.Document().Song.CurrentTab;
        const int target = left == 6 ? 7 : 6;
        edited.Add(click(target));
        if (std::as_const(w.Document().Song).Lines(left).at(static_cast<size_t>(lines / 2)).front() != ' ') {
            std::fprintf(stderr, "the edit of tab %d was not stored on leaving it\n", left);
            return 1;
        }
    }
    std::printf("two tabs of %d lines each:\n", lines);
    plain.Print("click to the other tab shown", 34);
    edited.Print("the same after a key typed", 34);
    return 0;
}

// The first visit of every note tab after the song is opened (at start-up, then again from the
// window, over the song shown), and in the same run the anchor: a bare QPlainTextEdit of the
// editor's size given the same lines and painted.
int FirstVisits(int lines, int rounds, const QString &folder) {
    const QString song = folder + QStringLiteral("/All Tabs %1.twd").arg(lines);
    WriteBigSong(song.toStdString(), lines);
    const QString other = folder + QStringLiteral("/All Tabs other %1.twd").arg(lines);
    WriteBigSong(other.toStdString(), lines - 1);
    Figures visit, anchor;
    StampingOut out;
    BenchWindow window(out, folder, song);
    TfrmMain &w = window.w;
    for (int round = 0; round < rounds; ++round) {
        if (round > 0 && !w.ReadSong(round % 2 ? other : song)) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(song));
            return 1;
        }
        QApplication::processEvents();
        QTabBar *bar = Ctl<TPageControl>(w, "PageControl1")->TabBar();
        auto *edit = Ctl<TNotationEdit>(w, "RichEdit1");
        for (int tab = 2; tab <= kTabCount; ++tab) {
            if (w.Document().Song.Tab(tab).Kind == TKind::Drums)
                continue;
            auto t0 = Clock::now();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab - 1).center());
            QApplication::processEvents();
            visit.Add(Clock::now() - t0);
            if (w.Document().Song.CurrentTab != tab || w.Lines().LineCount() != lines - round % 2) {
                std::fprintf(stderr, "tab %d shows %d lines, not %d\n", tab, w.Lines().LineCount(), lines);
                return 1;
            }
            QString text;
            for (const std::string &l : std::as_const(w.Document().Song).Lines(tab))
                text += QString::fromStdString(l) + QLatin1Char('\n');
            QPlainTextEdit bare;
            bare.setLineWrapMode(QPlainTextEdit::NoWrap);
            bare.setFont(edit->font());
            bare.resize(edit->size());
            bare.show();
            QApplication::processEvents();
            t0 = Clock::now();
            bare.setPlainText(text);
            QApplication::processEvents();
            anchor.Add(Clock::now() - t0);
        }
    }
    std::printf("first visit of each note tab of an opened song of %d lines a tab:\n", lines);
    visit.Print("click to a tab not yet shown", 34);
    anchor.Print("bare QPlainTextEdit::setPlainText", 34);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int switches = argc > 1 ? std::max(4, std::atoi(argv[1])) : 100;
    QTemporaryDir dir;
    // A size of its own may be given after the count; else 1,000, 10,000 and 100,000 lines.
    for (int lines : BenchSizes(argc, argv, {1000, 10000, 100000}, 100))
        if (int failed = Run(lines, switches, dir.path()))
            return failed;
    const std::vector<int> first = BenchSizes(argc, argv, {100000}, 100);
    return FirstVisits(first.back(), std::max(1, switches / 50), dir.path());
}
