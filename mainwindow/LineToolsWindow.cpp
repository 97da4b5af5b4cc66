// The line tools' parts of the main window: the song, the editor lines, the play state, the
// dialog route, the tuning label, the editor and the duration buttons, and the live instrument.
#include "mainwindow/LineTools.h"
#include "mainwindow/EditorController.h"
#include "mainwindow/LiveSoundingWindow.h"
#include "mainwindow/MainWindow.h"

TLineToolParts LineToolParts(TfrmMain &w) {
    return TLineToolParts{
        .Song = w.Song,
        .Lines = w.Lines(),
        .PlayState = w.PlayState(),
        .Services = w.Services(),
        .Dialogs = w.Dialogs(),
        .Commands = w.Commands(),
        .LabelSelectTuning = w.LabelSelectTuning,
        .RichEdit1 = w.RichEdit1,
        .PanelNoteButtons = w.PanelNoteButtons,
        .Calls = {.SongChanged = [&w](int tab, unsigned what, bool byUser) { w.SongChanged(tab, what, byUser); },
                  .ClearInstrumentDisplay =
                      [&w] {
                          if (TLiveInstrument *live = w.LiveInstrument())
                              live->ClearInstrumentDisplay();
                      },
                  .ApplyDuration = [&w](const std::string &text) { w.EditorEvents().ApplyDuration(text); },
                  .ShowLineOnInstrument =
                      [&w](int line) {
                          if (TLiveInstrument *live = w.LiveInstrument())
                              live->ShowLineOnInstrument(line);
                      },
                  .SelectEditorLine = [&w](int line, bool useGiven) { w.EditorEvents().SelectEditorLine(line, useGiven); },
                  .Sound = [&w]() -> TLiveSounding * {
                      TLiveInstrument *live = w.LiveInstrument();
                      return live ? &live->Sound() : nullptr;
                  }},
    };
}
