#pragma once
// One QApplication for every GUI test of this executable (offscreen platform).
#include <QApplication>

inline QApplication &TwTestApp() {
    static int argc = 1;
    static char name[] = "mainwindow_tests";
    static char *argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *app = new QApplication(argc, argv);
    return *app;
}
