// Tarrowind: creates the main window and the program's dialogs once, in their fixed order,
// runs the window loop until the main window closes, then takes everything down in turn.
#include "mainwindow/MainWindow.h"

#include "dialogs/Dialogs.h"
#include "mainwindow/DialogHandOffs.h"
#include "mainwindow/FrmTab.h"
#include "platform/MidiOutSystem.h"
#include "platform/SteadyClock.h"
#include "platform/qt/Services.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <memory>

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

    auto frmMain = std::make_unique<TfrmMain>(env);
    services.SetDialogParent(frmMain.get());
    TDialogs dialogs = CreateDialogs(services.Get(), frmMain.get());
    auto frmTab = std::make_unique<TfrmTab>(services.Get(), frmMain.get());
    WireMainDialogs(*frmMain, dialogs);

    frmMain->show();
    const int rc = QApplication::exec();

    // The dialogs are children of the main window but owned here: they go first.
    frmTab.reset();
    dialogs = TDialogs{};
    frmMain.reset();
    return rc;
}
