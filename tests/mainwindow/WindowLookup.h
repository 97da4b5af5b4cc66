#pragma once
// Tests reach the main window's commands by object name, as a user reaches them by caption.
#include "mainwindow/window/MainWindow.h"

#include <QAction>
#include <QMenu>
#include <QString>

#include <gtest/gtest.h>

inline QAction *Act(const TfrmMain &w, const QString &name) {
    auto *a = w.findChild<QAction *>(name);
    EXPECT_NE(a, nullptr) << name.toStdString();
    return a;
}

// F5..F11 (durations) by index.
inline QAction *DurationKey(const TfrmMain &w, int i) {
    static const char *const names[7] = {"WholeButton1",      "HalfButton1",      "QuarterButton1",
                                         "EighthButton1",     "SixteenthButton1", "ThirtySecondButton1",
                                         "SixtyFourthButton1"};
    return Act(w, QString::fromLatin1(names[i]));
}

// Marks `kind` playing (or idle again), as the play commands do.
inline void SetPlaying(TfrmMain &w, TPlayKind kind, bool playing) {
    if (playing)
        w.PlayState().Begin(kind);
    else
        w.PlayState().End(kind);
}

// The menu bar item of the menu `name`.
inline QAction *MenuAct(const TfrmMain &w, const QString &name) {
    auto *m = w.findChild<QMenu *>(name);
    EXPECT_NE(m, nullptr) << name.toStdString();
    return m ? m->menuAction() : nullptr;
}

// A control of the window by its object name.
template <class T> T *Ctl(const TfrmMain &w, const char *name) {
    auto *c = w.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// The open song's name (an absolute path) as the window shows it, and a new one for it.
inline QString SongName(const TfrmMain &w) { return QString::fromStdString(w.Document().FileName); }
inline void SetSongName(TfrmMain &w, const QString &path) { w.Document().FileName = path.toStdString(); }
