#pragma once
// Builds the main window offscreen with the scripted dialogs, the recording MIDI output,
// a settings file and an untitled-song folder of its own.
#include "WindowLookup.h"
#include "mainwindow/window/MainWindow.h"

#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorController.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/window/PageControl.h"
#include "platform/TestDoubles.h"
#include "platform/qt/TestServices.h"
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::EnsureTestApplication();
        ASSERT_TRUE(dir.isValid());
        settingsPath = dir.filePath(QStringLiteral("settings.ini"));
        // A first run would show the welcome screen; most tests do not want it.
        WriteSetting(QStringLiteral("Options/ShowNewUserMessage"), QStringLiteral("0"));
    }

    void WriteSetting(const QString &key, const QString &value) {
        QSettings s(settingsPath, QSettings::IniFormat);
        s.setValue(key, value);
    }
    QString ReadSetting(const QString &key) const {
        QSettings s(settingsPath, QSettings::IniFormat);
        return s.value(key).toString();
    }

    // The scripted services, `out`, the manual clock, and the test's settings and untitled folder.
    TMainEnvironment Environment(platform::IMidiOutSystem &out) {
        TMainEnvironment env;
        env.services = &ts.Get();
        env.midiOut = &out;
        env.clock = &clock;
        env.settingsPath = settingsPath;
        env.untitledFolder = dir.path();
        return env;
    }

    TfrmMain &Make(QStringList args = {}) {
        TMainEnvironment env = Environment(midi);
        env.arguments = std::move(args);
        env.programDir = dir.path();
        w = std::make_unique<TfrmMain>(env);
        return *w;
    }

    // A song file with `lines` on tab `tab` (and a line on tab 1).
    QString WriteSong(const QString &name, int tab, const std::vector<std::string> &lines) {
        TSongModel song;
        DrumPart drums;
        ResetSongModel(song, drums);
        song.Lines(tab) = lines;
        song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteSongFile(path.toStdString(), song, drums));
        return path;
    }

    // Shows tab `t` as a user's click would.
    bool SelectTab(int t) { return Ctl<TPageControl>(*w, "PageControl1")->UserSelect(t - 1); }

    platform::TestServices ts;
    platform::RecordingMidiOutSystem midi{{"Synth", "Port A"}};
    platform::ManualClock clock;
    QTemporaryDir dir;
    QString settingsPath;
    std::unique_ptr<TfrmMain> w;
};

// The main window made, shown and activated before each test, as the user first sees it.
class ShownMainWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Make();
        w->show();
        w->FormActivate();
    }
};
