#pragma once
// The View menu's Tablature command (`ablature1Click`): closes the editor's last bar with an
// empty line when it is open, shows the tablature window with the current tab's lines, keeps
// the view the user chose for the next time, and gives the editor the focus back.
#include <QString>

#include <functional>

struct ProgramOptions;
struct TMainDialogs;
struct TSongModel;
class TEditorLines;

struct TTablatureCalls {
    std::function<QString()> FileName; // the song's file name
    std::function<bool()> Busy;
    std::function<void()> FocusEditor;
};
struct TTablatureParts {
    TSongModel &Song;
    TEditorLines &Lines;
    ProgramOptions &Options;
    const TMainDialogs &Dialogs;
    TTablatureCalls Calls;
};

void ShowTablature(const TTablatureParts &parts);
