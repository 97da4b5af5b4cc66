#pragma once
// A window stand-in for the file commands: the song in memory, the real song file reader and
// writer, the scripted dialogs, and the editor as the current tab's lines.
#include "QtTestApp.h"

#include "mainwindow/files/FileCommands.h"
#include "mainwindow/playback/Playback.h"
#include "platform/qt/TestServices.h"
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class FileHost : public IFileCommandsHost {
public:
    platform::TestServices services;
    TSongModel song;
    DrumPart drums;
    ProgramOptions options;
    QString fileName;
    QString songFilePath;
    QString untitledFolder;
    TEditorView view;
    int reads = 0, writes = 0;

    explicit FileHost(const QString &untitled) : untitledFolder(untitled) { ResetSong(); }

    const platform::Services &Services() override { return services.Get(); }
    TSongModel &Song() override { return song; }
    DrumPart &Drums() override { return drums; }
    ProgramOptions &Options() override { return options; }
    QString FileName() const override { return fileName; }
    void SetFileName(const QString &p) override { fileName = p; }
    bool Busy() const override { return false; }
    bool AnyTabModified() const override {
        for (const auto &t : song.Tabs)
            if (t.Modified)
                return true;
        return false;
    }
    bool ReadSong(const QString &path) override {
        ++reads;
        const auto r = ReadSongFile(QFile::encodeName(path).toStdString(), song, drums);
        if (r == ESongReadResult::Corrupt)
            services.messages.Error(QString::fromLatin1(kCorruptSongMessage.data()));
        if (r != ESongReadResult::Ok)
            return false;
        fileName = path;
        songFilePath = path;
        return true;
    }
    bool WriteSong(const QString &path) override {
        ++writes;
        std::string error;
        if (!WriteSongFile(QFile::encodeName(path).toStdString(), song, drums, &error)) {
            services.messages.Error(QString::fromStdString(error));
            return false;
        }
        songFilePath = path;
        return true;
    }
    QString SongFilePath() const override { return songFilePath; }
    void ResetSong() override {
        ResetSongModel(song, drums);
        songFilePath.clear();
        fileName = QString::fromStdString(UntitledSongPath(untitledFolder.toStdString()));
    }
    void StoreTabText() override {}
    void ReplaceEditorLines(const QStringList &lines) override {
        auto &l = song.Lines(song.CurrentTab);
        l.clear();
        for (const QString &s : lines)
            l.push_back(s.toStdString());
        song.Current().Modified = true;
    }
    TEditorView EditorView() override { return view; }
    void RestoreEditorView(const TEditorView &v, bool) override { view = v; }
    void SetBusyCursor(bool) override {}
    void ShowFailingLine(int tab, int line) override {
        failingTab = tab;
        failingLine = line;
    }
    int failingTab = 0, failingLine = -1;
};

// A file host on a folder of its own, with the application made before any widget.
class FileHostTest : public ::testing::Test {
protected:
    QString Path(const QString &name) const { return dir.filePath(name); }
    QStringList Texts() { return host.services.messages.Texts(); }

    struct AppFirst {
        AppFirst() { TwTestApp(); }
    } appFirst;
    QTemporaryDir dir;
    FileHost host{dir.path()};
};
