// The drum page's parts of the main window: its groups, the time-signature labels, the song,
// the play state, the output port's live sounding and the dialog route.
#include "mainwindow/DrumTab.h"

#include "mainwindow/LiveSoundingWindow.h"
#include "mainwindow/MainWindow.h"

TDrumParts DrumTabParts(TfrmMain &w) {
    return TDrumParts{
        .Song = w.Document().Song,
        .Drums = w.Document().Drums,
        .PlayState = w.PlayState(),
        .Services = w.Services(),
        .Commands = w.Commands(),
        .Widgets = {.GroupBoxDrumPatterns = w.GroupBoxDrumPatterns,
                    .GroupBoxPatternProperties = w.GroupBoxPatternProperties,
                    .grpFRTPlay = w.grpFRTPlay,
                    .LabelSigUpper = w.LabelSigUpper,
                    .LabelSigLower = w.LabelSigLower},
        .Calls = {.SongChanged = [&w](int tab, unsigned what) { w.SongChanged(tab, what); },
                  .ApplyCommandState = [&w] { w.ApplyCommandState(); },
                  .EnterNestedLoop = [&w] { w.EnterNestedLoop(); },
                  .LeaveNestedLoop = [&w] { w.LeaveNestedLoop(); },
                  .Sound = [&w]() -> TLiveSounding * { return w.LiveInstrument() ? &w.LiveInstrument()->Sound() : nullptr; },
                  .Dialogs = [&w]() -> const TMainDialogs & { return w.Dialogs(); }},
    };
}
