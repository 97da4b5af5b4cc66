#pragma once
// The File menu's song commands: New, Open (a song, a first-version song, or a plain-text
// file into the current tab), Save, Save As, the six recent files, the text export and the
// editor's Save label. Dialogs and boxes go through the platform services, so tests answer
// them; the window is reached through the calls of TFileParts.
//
// Rules kept here:
//  - `FileName` is always an absolute path.
//  - A save whose write fails counts as Cancel for every command that asked the save question.
//  - A file that fails to read is never reported as opened and never lends the song its name.
//  - Recent entries are raw paths; only their menu captions escape "&".
#include "dialogs/common/FileNames.h"
#include "dialogs/common/ProgramOptions.h"
#include "mainwindow/rules/RecentFiles.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <string>

class QAction;
class TSongDocument;
struct TEditorView;
struct TPlaySettings;

namespace platform {
struct Services;
}

// The window's controls the file commands keep.
struct TFileWidgets {
    std::array<QAction *, kRecentCount> RecentItems{}; // Recent11 .. Recent61
};

// What the file commands and the MIDI export ask of the window.
struct TFileCalls {
    // Anything playing or a long operation running: the commands do nothing.
    std::function<bool()> Busy;
    // The window caption, after the song's file name changed.
    std::function<void()> SetCaptionFromFileName;
    // Reads a song file and shows it (every tab refreshed); on success the song takes the
    // path as its name. On failure the window has reported it and the song is as it was.
    std::function<bool(const QString &absolutePath)> ReadSong;
    // Stores the editor's text and writes the song; false (reported) when the write fails,
    // the modified marks then stay.
    std::function<bool(const QString &absolutePath)> WriteSong;
    // A new untitled song without asking (named "Untitled.twd" in the per-user folder).
    std::function<void()> ResetSong;
    // The shown tab's editor text into its stored lines.
    std::function<void()> StoreTabText;
    // Replaces the editor's lines (the current tab) and marks the tab modified.
    std::function<void(const QStringList &lines)> ReplaceEditorLines;
    std::function<TEditorView()> EditorView;
    std::function<void(const TEditorView &view, bool reselect)> RestoreEditorView;
    std::function<void(bool busy)> SetBusyCursor;
    // Shows tab `tab` (1..16) and selects its line `line` (0-based), where the song's build
    // failed; either left alone when outside the song or refused.
    std::function<void(int tab, int line)> ShowFailingLine;
    // The window's metronome and count-in choices at the moment of a MIDI export.
    std::function<TPlaySettings()> PlaySettings;
};

struct TFileParts {
    // The song, its file name (always an absolute path) and the file it was last read from or
    // written to (empty for a new song).
    TSongDocument &Document;
    ProgramOptions &Options; // the recent list, the last folder and file
    const platform::Services &Services;
    TFileWidgets Widgets;
    TFileCalls Calls;
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
    explicit TFileCommands(const TFileParts &parts, QObject *parent = nullptr);

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

    // The song's file name as the dialogs and questions show it.
    QString FileName() const;
    // Sets the song's file name and the window caption.
    void SetFileName(const QString &absolutePath);

    const TFileParts p_;
};
