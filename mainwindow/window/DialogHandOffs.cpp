#include "mainwindow/window/DialogHandOffs.h"

#include "dialogs/Dialogs.h"
#include "mainwindow/window/MainWindow.h"

void WireMainDialogs(TfrmMain &main, TDialogs &dialogs, TfrmTab *tablature) {
    // The dialogs live as long as the program's windows; the route keeps their own pointers.
    TMainDialogs d;
    d.about = [dlg = dialogs.frmAbout.get()] { dlg->ShowModal(); };
    d.options = [dlg = dialogs.frmOptions.get()](const TOptionsInput &in, const TOptionsCalls &calls) {
        return dlg->Ask(in, calls);
    };
    d.welcome = [dlg = dialogs.frmWelcome.get()](const TWelcomeInput &in, const TWelcomeCalls &calls) {
        return dlg->Ask(in, calls);
    };
    d.tempo = [dlg = dialogs.FrmEnterTempo.get()](const TTempoInput &in) { return dlg->Ask(in); };
    d.timeSignature = [dlg = dialogs.frmEnterTimeSig.get()](const TTimeSigInput &in) { return dlg->Ask(in); };
    // The find and replace dialogs share the last search text: each hands it to the other as
    // it closes, whether by OK or Cancel.
    d.find = [dlg = dialogs.frmfind.get(), other = dialogs.frmReplace.get()](const TFindInput &in) {
        auto request = dlg->Ask(in);
        other->SetFindText(dlg->GetFindText());
        return request;
    };
    d.replace = [dlg = dialogs.frmReplace.get(), other = dialogs.frmfind.get()](const TReplaceInput &in) {
        auto request = dlg->Ask(in);
        other->SetFindText(dlg->GetFindText());
        return request;
    };
    d.findNow = [dlg = dialogs.frmfind.get()] { return dlg->Current(); };
    d.replaceNow = [dlg = dialogs.frmReplace.get()] { return dlg->Current(); };
    d.goToLine = [dlg = dialogs.frmEnterNumber.get()](const TGoToInput &in) { return dlg->Ask(in); };
    if (tablature)
        d.tablature = [tablature](const TTabInput &in) { return tablature->Ask(in); };
    d.durationPicker = [dlg = dialogs.frmNoteSelect.get()](const TNotePickInput &in) { return dlg->Ask(in); };
    d.tuning = [dlg = dialogs.frmSelectTuning.get()](const TTuningInput &in) { return dlg->Ask(in); };
    d.lineEditor = [dlg = dialogs.FrmMicroManage.get()](const TLineEditInput &in) { return dlg->Ask(in); };
    d.selectPatch = [dlg = dialogs.frmSelectPatch.get()](const TPatchInput &in) { return dlg->Ask(in); };
    d.selectDrum = [dlg = dialogs.frmSelectDrum.get()](const TDrumPickInput &in) { return dlg->Ask(in); };
    d.selectKey = [dlg = dialogs.FrmSelectKey.get()](const TKeyInput &in) { return dlg->Ask(in); };
    d.selectChordType = [dlg = dialogs.frmSelectChordType.get()] { return dlg->Ask(); };
    d.selectScaleType = [dlg = dialogs.frmSelectScaleType.get()](const TScaleTypeInput &in) { return dlg->Ask(in); };
    d.pianoChord = [dlg = dialogs.frmSelectPianoChord.get()](const TPianoChordInput &in) { dlg->Ask(in); };
    d.mixerSummary = [dlg = dialogs.frmMixerSummary.get()](const TSummaryInput &in) { return dlg->Ask(in); };
    d.noteMath = [dlg = dialogs.frmNoteMath.get()](const TNoteMathInput &in) { dlg->Ask(in); };
    d.inputLine = [dlg = dialogs.frmInputSingleLine.get()](const TInputLineInput &in) { return dlg->Ask(in); };
    d.chordCalc = [dlg = dialogs.frmChordCalc.get()](const TChordCalcInput &in, const TChordCalcCalls &calls) {
        return dlg->Ask(in, calls);
    };
    main.SetDialogs(std::move(d));
}
