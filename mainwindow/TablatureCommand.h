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

struct TTablatureParts {
    TSongModel &song;
    TEditorLines &lines;
    ProgramOptions &options;
    const TMainDialogs &dialogs;
    std::function<QString()> fileName; // the song's file name
    std::function<bool()> busy;
    std::function<void()> focusEditor;
};

void ShowTablature(const TTablatureParts &parts);
