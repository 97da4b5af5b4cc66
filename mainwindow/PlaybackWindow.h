#pragma once
// Song playback, the file commands and the MIDI export, joined to the main window: the
// window's side of their host interfaces, the menu items, the Play button, F2 / Ctrl+F2 /
// F4 and Esc. The window creates one TSongCommands once its output port is open, and lets
// it release the song's outputs before the port goes.
#include "mainwindow/FileCommands.h"
#include "mainwindow/MidiExport.h"
#include "mainwindow/Playback.h"

#include <QObject>

#include <functional>

#include <map>
#include <memory>

class TfrmMain;
class QAction;

namespace platform {
class IPeriodicTimer;
}

class TWindowFileHost : public IFileCommandsHost {
public:
    explicit TWindowFileHost(TfrmMain &w) : w_(w) {}
    const platform::Services &Services() override;
    TSongModel &Song() override;
    DrumPart &Drums() override;
    ProgramOptions &Options() override;
    QString FileName() const override;
    void SetFileName(const QString &absolutePath) override;
    bool Busy() const override;
    bool AnyTabModified() const override;
    bool ReadSong(const QString &absolutePath) override;
    bool WriteSong(const QString &absolutePath) override;
    QString SongFilePath() const override;
    void ResetSong() override;
    void StoreTabText() override;
    void ReplaceEditorLines(const QStringList &lines) override;
    TEditorView EditorView() override;
    void RestoreEditorView(const TEditorView &view, bool reselect) override;
    void SetBusyCursor(bool busy) override;
    void ShowFailingLine(int tab, int line) override;
    void ShowTab(int tab);
    void SelectLines(int first, int last);

private:
    TfrmMain &w_;
};

class TWindowPlaybackHost : public IPlaybackHost {
public:
    explicit TWindowPlaybackHost(TfrmMain &w) : w_(w), files_(w) {}
    TSongModel &Song() override;
    DrumPart &Drums() override;
    platform::IMessageBoxes &Messages() override;
    TEditorView EditorView() override { return files_.EditorView(); }
    void RestoreEditorView(const TEditorView &view, bool reselect) override { files_.RestoreEditorView(view, reselect); }
    void SelectLines(int first, int last) override;
    void ClearSelection() override;
    void StoreTabText() override { files_.StoreTabText(); }
    void ShowTab(int tab) override;
    void ClearInstrumentPicture() override;
    void SetPlayStatusText(const QString &text) override;
    void ShowModifiedPanel(bool playing) override;
    TPlayState &PlayState() override;
    void EnterNestedLoop() override;
    void LeaveNestedLoop() override;
    void StopOtherOutputs() override;
    void SetBusyCursor(bool busy) override { files_.SetBusyCursor(busy); }
    void SongChanged(unsigned what, bool byUser) override;

private:
    TfrmMain &w_;
    TWindowFileHost files_;
};

class TSongCommands : public QObject {
    Q_OBJECT
public:
    // `timer`: the player's timer (a ThreadTimer of its own when null); `clock`: the window's.
    TSongCommands(TfrmMain &w, platform::IPeriodicTimer *timer = nullptr);
    ~TSongCommands() override;

    TPlayback &Playback() { return *playback_; }
    TFileCommands &Files() { return *files_; }
    TMidiExport &MidiExport() { return *export_; }
    // Stops the song and lets go of its outputs (the window's ports are about to close).
    void ReleaseOutputs();

    // Esc while the song plays: abort and stop.
    void Escape();


protected:
    // Clicks on the tempo and time-signature labels open their dialogs (the window's route).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Binds the file, export and playback rows of the command table.
    void Connect();

    TfrmMain &w_;
    std::unique_ptr<platform::IPeriodicTimer> ownTimer_;
    TWindowFileHost fileHost_;
    TWindowPlaybackHost playHost_;
    std::unique_ptr<TPlayback> playback_;
    std::unique_ptr<TFileCommands> files_;
    std::unique_ptr<TMidiExport> export_;
};
