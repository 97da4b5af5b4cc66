#pragma once
// The chord tools of the main window: the chord calculator opened from the "Chord Calculator"
// label and the Tools menu. It prepares the calculator from the current tab, lets it insert
// voicings at the caret (one edit each time, so Ctrl+Z takes them back) and sound them on the
// tab while it is open, and stores the calculator's settings and voicings in the tab on Close.
#include "dialogs/chordtools/FrmChordCalc.h"
#include "mainwindow/window/MainDialogs.h"

#include <functional>
#include <string>
#include <vector>

struct ProgramOptions;
struct TSongModel;
class TEditorLines;
class TLiveSounding;

// What the chord tools ask of the window.
struct TChordToolCalls {
    std::function<bool()> Busy;
    std::function<std::string()> CurrentDuration; // " Q"
    std::function<void(int tab, unsigned what, bool byUser)> SongChanged;
    std::function<void()> FocusEditor;
    std::function<TLiveSounding *()> Sound;                 // null while no port is open
    std::function<void()> EnterNestedLoop, LeaveNestedLoop; // a chord's sounding counts as busy
    std::function<void()> ShowDurationPicker;               // set-current mode
};

// Inserts `lines` before the caret's line, in list order, as one edit (one Undo takes them
// back); the caret stays with its line. An empty editor gets the lines and the empty place
// below them, where the caret goes, so the next lines follow these.
void InsertChordLines(TEditorLines &editor, const std::vector<std::string> &lines);

struct TChordToolParts {
    TSongModel &Song;
    ProgramOptions &Options;
    TEditorLines &Lines;
    TChordToolCalls Calls;
};

class TChordTools {
public:
    explicit TChordTools(TChordToolParts parts);

    // `LabelAdvancedChordOptionsClick`: the chord calculator on fretted tabs.
    void OpenChordCalculator(const TMainDialogs &dialogs);

    // The calculator's input for the current tab.
    TChordCalcInput InputForCurrentTab() const;

private:
    void InsertLines(int tab, const std::vector<std::string> &lines);
    void PlayChord(const TChordDat &chord);

    TSongModel &song_;
    ProgramOptions &options_;
    TEditorLines &lines_;
    TChordToolCalls calls_;
};
