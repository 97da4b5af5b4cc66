#pragma once
// The File menu's song commands: New, Open (a song, a first-version song, or a plain-text
// file into the current tab), Save, Save As, the six recent files, the text export and the
// editor's Save label. Dialogs and boxes go through the platform services, so tests answer
// them; the window is reached through IFileCommandsHost.
//
// Rules kept here:
//  - `FileName` is always an absolute path.
//  - A save whose write fails counts as Cancel for every command that asked the save question.
//  - A file that fails to read is never reported as opened and never lends the song its name.
//  - Recent entries are raw paths; only their menu captions escape "&".
#include "dialogs/FileNames.h"
#include "dialogs/ProgramOptions.h"
#include "mainwindow/rules/RecentFiles.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <string>

class QAction;
struct TEditorView;
struct TSongModel;
struct DrumPart;

namespace platform {
struct Services;
}

// What the file commands need from the main window.
class IFileCommandsHost {
public:
    virtual ~IFileCommandsHost() = default;
    virtual const platform::Services &Services() = 0;
    virtual TSongModel &Song() = 0;
    virtual DrumPart &Drums() = 0;
    virtual ProgramOptions &Options() = 0;
    virtual QString FileName() const = 0;
    // Sets the song's file name and the window caption.
    virtual void SetFileName(const QString &absolutePath) = 0;
    // Anything playing or a long operation running: the commands do nothing.
    virtual bool Busy() const = 0;
    virtual bool AnyTabModified() const = 0;
    // Reads a song file and shows it (every tab refreshed); on success the song takes the
    // path as its name. On failure the window has reported it and the song is as it was.
    virtual bool ReadSong(const QString &absolutePath) = 0;
    // Stores the editor's text and writes the song; false (reported) when the write fails,
    // the modified marks then stay.
    virtual bool WriteSong(const QString &absolutePath) = 0;
    // The file this song was last read from or written to; empty for a new song.
    virtual QString SongFilePath() const = 0;
    // A new untitled song without asking (named "Untitled.twd" in the per-user folder).
    virtual void ResetSong() = 0;
    // The shown tab's editor text into its stored lines.
    virtual void StoreTabText() = 0;
    // Replaces the editor's lines (the current tab) and marks the tab modified.
    virtual void ReplaceEditorLines(const QStringList &lines) = 0;
    virtual TEditorView EditorView() = 0;
    virtual void RestoreEditorView(const TEditorView &view, bool reselect) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    // Shows tab `tab` (1..16) and selects its line `line` (0-based), where the song's build
    // failed; either left alone when outside the song or refused.
    virtual void ShowFailingLine(int tab, int line) = 0;
};

inline constexpr const char *kOpenFilter =
    "Tarrowind Files (*.twd)|*.twd|Tarrowind Version 1 Files (*.tw1)|*.tw1|Ferrolute (*.frt)|*.frt|"
    "Lowmarren (*.lwm)|*.lwm|Pellirow (*.plw)|*.plw|All Files (*.*)|*.*";
inline constexpr const char *kSaveAsFilter = "Tarrowind files (*.twd)|*.twd|All Files (*.*)|*.*";
inline constexpr const char *kTextFilter = "Text files (*.txt)|*.txt|All Files (*.*)|*.*";

// True for ".txt", ".frt", ".lwm" and ".plw" in any case: opened as text into the editor.
bool IsTextImportFile(const QString &path);

class TFileCommands : public QObject {
    Q_OBJECT
public:
    TFileCommands(IFileCommandsHost &host, std::array<QAction *, kRecentCount> recentItems, QObject *parent = nullptr);

    // The save question: true to go on (saved, or No). A failed save is a Cancel.
    bool AskSaveChanges();

    void NewSong1Click();
    void OpenSong1Click();
    void SaveSong1Click();
    void SaveSongAs1Click();
    // Recent11Click .. Recent61Click: index 0..5.
    void RecentClick(int index);
    void OpenRecentFile(const QString &path);
    // The text export of every tab (File, "Sa&ve Text File...").
    void TextFile1Click();
    // The editor's Save label: a short pause that keeps the window alive, then Save.
    void LabelSaveClick();

    // The recent list from Options.RecentFiles into the six menu items.
    void UpdateRecentMenu();
    TRecentList RecentList() const;

private:
    void SetRecentList(const TRecentList &list);
    bool ImportTextFile(const QString &path);
    // Before writing the song to `path` without a dialog: true when `path` is free, is the song's
    // own file, or the user agrees to replace it.
    bool ConfirmReplace(const QString &path);

    IFileCommandsHost &host_;
    std::array<QAction *, kRecentCount> recent_;
};
