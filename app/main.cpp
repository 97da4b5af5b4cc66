// Tarrowind: creates the program's windows once, in their fixed order, runs the window
// loop until the main window closes, then takes everything down in turn.
#include "mainwindow/window/ProgramWindows.h"
#include "platform/MidiOutSystem.h"
#include "platform/SteadyClock.h"
#include "platform/qt/Services.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarrowind"));

    platform::QtServices services;
    platform::MidiOutSystem midiOut;
    platform::SteadyClock clock;

    // New songs are named in a folder of the user's own.
    QString songs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (songs.isEmpty())
        songs = QDir::homePath();
    songs = QDir(songs).filePath(QStringLiteral("Tarrowind"));
    QDir().mkpath(songs);

    TMainEnvironment env;
    env.services = &services.Get();
    env.midiOut = &midiOut;
    env.clock = &clock;
    env.arguments = QApplication::arguments().mid(1);
    env.programDir = QApplication::applicationDirPath();
    env.untitledFolder = songs;

    int rc = 0;
    {
        TProgramWindows windows = CreateProgramWindows(env);
        services.SetDialogParent(windows.frmMain.get());
        windows.frmMain->show();
        rc = QApplication::exec();
        services.SetDialogParent(nullptr);
    } // windows go before the MIDI output and the services they use
    return rc;
}
