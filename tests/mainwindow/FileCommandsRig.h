#pragma once
// The window's side of the file commands: the song document in memory, the real song file
// reader and writer, the scripted dialogs, and the editor as the current tab's lines.
#include "QtTestApp.h"

#include "mainwindow/files/FileCommands.h"
#include "mainwindow/playback/Playback.h"
#include "platform/qt/TestServices.h"
#include "song/NewSong.h"
#include "song/SongDocument.h"
#include "song/SongFile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

struct FileRig {
    platform::TestServices services;
    TSongDocument doc;
    TSongModel &song = doc.Song;
    DrumPart &drums = doc.Drums;
    ProgramOptions options;
    QString untitledFolder;
    TEditorView view;
    int reads = 0, writes = 0;
    int failingTab = 0, failingLine = -1;

    explicit FileRig(const QString &untitled) : untitledFolder(untitled) { ResetSong(); }

    QString FileName() const { return QString::fromStdString(doc.FileName); }
    void SetFileName(const QString &path) { doc.FileName = path.toStdString(); }
    bool AnyTabModified() const { return doc.AnyTabModified(); }
    bool ReadSong(const QString &path) {
        ++reads;
        const auto r = ReadSongFile(QFile::encodeName(path).toStdString(), song, drums);
        if (r == TSongReadResult::Corrupt)
            services.messages.Error(QString::fromLatin1(kCorruptSongMessage.data()));
        if (r != TSongReadResult::Ok)
            return false;
        doc.FileName = path.toStdString();
        doc.SongFilePath = path.toStdString();
        return true;
    }
    bool WriteSong(const QString &path) {
        ++writes;
        std::string error;
        if (!WriteSongFile(QFile::encodeName(path).toStdString(), song, drums, &error)) {
            services.messages.Error(QString::fromStdString(error));
            return false;
        }
        doc.SongFilePath = path.toStdString();
        return true;
    }
    void ResetSong() {
        ResetSongModel(song, drums);
        doc.SongFilePath.clear();
        doc.FileName = UntitledSongPath(untitledFolder.toStdString());
    }

    // The file commands' (or the export's) parts on this stand-in.
    TFileParts Parts(TFileWidgets widgets = {}, std::function<TPlaySettings()> playSettings = {}) {
        return TFileParts{
            .Document = doc,
            .Options = options,
            .Services = services.Get(),
            .Widgets = widgets,
            .Calls = {.Busy = [] { return false; },
                      .SetCaptionFromFileName = [] {},
                      .ReadSong = [this](const QString &path) { return ReadSong(path); },
                      .WriteSong = [this](const QString &path) { return WriteSong(path); },
                      .ResetSong = [this] { ResetSong(); },
                      .StoreTabText = [] {},
                      .ReplaceEditorLines =
                          [this](const QStringList &lines) {
                              auto &l = song.Lines(song.CurrentTab);
                              l.clear();
                              for (const QString &s : lines)
                                  l.push_back(s.toStdString());
                              song.Current().Modified = true;
                          },
                      .EditorView = [this] { return view; },
                      .RestoreEditorView = [this](const TEditorView &v, bool) { view = v; },
                      .SetBusyCursor = [](bool) {},
                      .ShowFailingLine =
                          [this](int tab, int line) {
                              failingTab = tab;
                              failingLine = line;
                          },
                      .PlaySettings = std::move(playSettings)},
        };
    }
};

// A file rig on a folder of its own, with the application made before any widget.
class FileRigTest : public ::testing::Test {
protected:
    QString Path(const QString &name) const { return dir.filePath(name); }
    QStringList Texts() { return rig.services.messages.Texts(); }

    struct AppFirst {
        AppFirst() { TwTestApp(); }
    } appFirst;
    QTemporaryDir dir;
    FileRig rig{dir.path()};
};
