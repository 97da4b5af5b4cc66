// Start-up and tab-switch timing of the main window with a large song.
//
// Start-up: the time from starting a process to its main window shown with a song of
// sixteen tabs (2,000 lines on every tab but the drums) read from the command line,
// offscreen, with the real MIDI output system (its synthesizer rendering to a WAV file).
// The bench starts itself again as that process and waits for it to say the window is up. The
// bench's settings keep the song information (which a read song would open over the window, to
// wait for a user) and the welcome screen closed.
//
// Tab switch: one user change of tab on that song, in this process.
#include "bench/WindowLookup.h"
#include "mainwindow/window/MainWindow.h"

#include "bench/BigSong.h"
#include "mainwindow/window/PageControl.h"
#include "mainwindow/window/ProgramWindows.h"
#include "platform/MidiOutSystem.h"
#include "platform/SteadyClock.h"
#include "platform/qt/Services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct Program {
    platform::QtServices services;
    platform::MidiOutSystem midiOut;
    platform::SteadyClock clock;
    TProgramWindows windows;
    TfrmMain *main = nullptr;

    Program(const QString &folder, const QStringList &args) {
        TMainEnvironment env;
        env.services = &services.Get();
        env.midiOut = &midiOut;
        env.clock = &clock;
        env.settingsPath = folder + QStringLiteral("/settings.ini");
        env.arguments = args;
        env.untitledFolder = folder;
        windows = CreateProgramWindows(env);
        main = windows.frmMain.get();
        services.SetDialogParent(main);
    }
    ~Program() { services.SetDialogParent(nullptr); }
    void ShowAndWait() {
        main->show();
        while (!main->Activated())
            QApplication::processEvents();
        QApplication::processEvents(); // the first paint
    }
};

// The child: start the program on the song and say when its window is up.
int RunChild(int argc, char **argv) {
    QApplication app(argc, argv);
    Program p(QString::fromLocal8Bit(argv[2]), {QString::fromLocal8Bit(argv[3])});
    p.ShowAndWait();
    std::printf("shown %d\n", p.main->Document().Song.Lines(1).empty() ? 0 : 1);
    std::fflush(stdout);
    return 0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 4 && std::string(argv[1]) == "--child")
        return RunChild(argc, argv);

    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("TARROWIND_SYNTH_WAV", dir.filePath(QStringLiteral("out.wav")).toLocal8Bit());
    {
        QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Options/ShowMixerAfterFileOpen"), 0);
        settings.setValue(QStringLiteral("Options/ShowNewUserMessage"), 0);
    }
    const QString song = dir.filePath(QStringLiteral("Big Song.twd"));
    WriteBigSong(song.toStdString(), 2000);

    std::vector<double> starts;
    for (int run = 0; run < 5; ++run) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child"), dir.path(), song});
        if (!child.waitForReadyRead(60000)) {
            std::fprintf(stderr, "child did not start\n");
            return 1;
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        const QByteArray said = child.readAllStandardOutput();
        child.waitForFinished(60000);
        if (!said.startsWith("shown 1")) {
            std::fprintf(stderr, "child said: %s\n", said.constData());
            return 1;
        }
        starts.push_back(ms);
    }
    std::printf("start-up to window shown, 16 tabs x 2,000 lines: min %.1f  median %.1f  max %.1f ms  (%zu runs)\n",
                *std::min_element(starts.begin(), starts.end()), Median(starts),
                *std::max_element(starts.begin(), starts.end()), starts.size());

    Program p(dir.path(), {song});
    p.ShowAndWait();
    std::vector<double> switches;
    for (int i = 0; i < 30; ++i) {
        const int target = (Ctl<TPageControl>(*p.main, "PageControl1")->ActivePageIndex() + 1 + (i % 3)) % kTabCount;
        if (target == 9) // the drum tab shows patterns, not lines
            continue;
        QElapsedTimer timer;
        timer.start();
        if (!Ctl<TPageControl>(*p.main, "PageControl1")->UserSelect(target))
            continue;
        QApplication::processEvents(); // repaint the new page
        switches.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("tab switch between 2,000-line tabs: median %.2f ms (max %.2f, %zu switches)\n", Median(switches),
                *std::max_element(switches.begin(), switches.end()), switches.size());
    return 0;
}
