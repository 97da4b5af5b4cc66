#include "dialogs/Dialogs.h"

TDialogs CreateDialogs(const platform::Services &services, QWidget *parent) {
    TDialogs d;
    d.frmAbout = std::make_unique<TfrmAbout>(services, parent);
    d.frmOptions = std::make_unique<TfrmOptions>(services, parent);
    d.frmChordCalc = std::make_unique<TfrmChordCalc>(services, parent);
    d.frmWait = std::make_unique<TfrmWait>(services, parent);
    d.frmChordCalc->SetProgressWindow(d.frmWait.get());
    d.FrmMicroManage = std::make_unique<TFrmMicroManage>(services, parent);
    d.FrmEnterTempo = std::make_unique<TFrmEnterTempo>(services, parent);
    d.frmEnterTimeSig = std::make_unique<TfrmEnterTimeSig>(services, parent);
    d.frmSelectTuning = std::make_unique<TfrmSelectTuning>(services, parent);
    d.frmSelectPatch = std::make_unique<TfrmSelectPatch>(services, parent);
    d.frmNoteMath = std::make_unique<TfrmNoteMath>(services, parent);
    d.frmNoteSelect = std::make_unique<TfrmNoteSelect>(services, parent);
    d.FrmSelectKey = std::make_unique<TFrmSelectKey>(services, parent);
    d.frmSelectChordType = std::make_unique<TfrmSelectChordType>(services, parent);
    d.frmSelectPianoChord = std::make_unique<TfrmSelectPianoChord>(services, parent);
    d.frmSelectScaleType = std::make_unique<TfrmSelectScaleType>(services, parent);
    d.frmSelectDrum = std::make_unique<TfrmSelectDrum>(services, parent);
    d.frmMixerSummary = std::make_unique<TfrmMixerSummary>(services, parent);
    d.frmWelcome = std::make_unique<TfrmWelcome>(services, parent);
    d.frmfind = std::make_unique<Tfrmfind>(services, parent);
    d.frmReplace = std::make_unique<TfrmReplace>(services, parent);
    d.frmEnterNumber = std::make_unique<TfrmEnterNumber>(services, parent);
    d.frmInputSingleLine = std::make_unique<TfrmInputSingleLine>(services, parent);
    return d;
}

std::vector<platform::ModalDialog *> TDialogs::InOrder() const {
    return {frmAbout.get(),
            frmOptions.get(),
            frmChordCalc.get(),
            frmWait.get(),
            FrmMicroManage.get(),
            FrmEnterTempo.get(),
            frmEnterTimeSig.get(),
            frmSelectTuning.get(),
            frmSelectPatch.get(),
            frmNoteMath.get(),
            frmNoteSelect.get(),
            FrmSelectKey.get(),
            frmSelectChordType.get(),
            frmSelectPianoChord.get(),
            frmSelectScaleType.get(),
            frmSelectDrum.get(),
            frmMixerSummary.get(),
            frmWelcome.get(),
            frmfind.get(),
            frmReplace.get(),
            frmEnterNumber.get(),
            frmInputSingleLine.get()};
}
