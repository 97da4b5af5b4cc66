#pragma once
// Benchmarks reach the main window's controls by object name, as the tests do.
#include "mainwindow/window/MainWindow.h"

#include <QString>

template <class T> T *Ctl(const TfrmMain &w, const char *name) { return w.findChild<T *>(QString::fromLatin1(name)); }
