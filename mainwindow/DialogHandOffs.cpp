#include "mainwindow/DialogHandOffs.h"

#include "dialogs/Dialogs.h"
#include "mainwindow/MainWindow.h"

void WireMainDialogs(TfrmMain &main, TDialogs &dialogs) {
    // The dialogs live as long as the program's windows; the route keeps their own pointers.
    TMainDialogs d;
    d.about = [dlg = dialogs.frmAbout.get()] { dlg->ShowModal(); };
    d.options = [dlg = dialogs.frmOptions.get()](const TOptionsInput &in) { return dlg->Ask(in); };
    d.welcome = [dlg = dialogs.frmWelcome.get()](const TWelcomeInput &in) { return dlg->Ask(in); };
    d.tempo = [dlg = dialogs.FrmEnterTempo.get()](const TTempoInput &in) { return dlg->Ask(in); };
    d.timeSignature = [dlg = dialogs.frmEnterTimeSig.get()](const TTimeSigInput &in) { return dlg->Ask(in); };
    d.chordCalc = [dlg = dialogs.frmChordCalc.get()](const TChordCalcInput &in, const TChordCalcCalls &calls) {
        return dlg->Ask(in, calls);
    };
    d.find = [dlg = dialogs.frmfind.get()] { dlg->ShowModal(); };
    d.replace = [dlg = dialogs.frmReplace.get()] { dlg->ShowModal(); };
    d.goToLine = [dlg = dialogs.frmEnterNumber.get()] { dlg->ShowModal(); };
    d.durationPicker = [dlg = dialogs.frmNoteSelect.get()] { dlg->ShowModal(); };
    main.SetDialogs(std::move(d));
}
