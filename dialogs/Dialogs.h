#pragma once
// The program's dialogs, each one long-lived object created once at start-up in this
// order (after the main window; the tablature window follows them) and shown modally
// whenever it is needed.
//
//   TDialogs dialogs = CreateDialogs(services, mainWindow);   // a member of the main window
//   dialogs.frmAbout->ShowModal();
//
// The dialogs are children of `parent` for placement but owned here: destroy the TDialogs
// before the parent widget (a member of the parent window is destroyed in time).
#include "dialogs/FrmAbout.h"
#include "dialogs/FrmChordCalc.h"
#include "dialogs/FrmEnterNumber.h"
#include "dialogs/FrmEnterTempo.h"
#include "dialogs/FrmEnterTimeSig.h"
#include "dialogs/FrmFind.h"
#include "dialogs/FrmInputSingleLine.h"
#include "dialogs/FrmMicroManage.h"
#include "dialogs/FrmMixerSummary.h"
#include "dialogs/FrmNoteMath.h"
#include "dialogs/FrmNoteSelect.h"
#include "dialogs/FrmOptions.h"
#include "dialogs/FrmReplace.h"
#include "dialogs/FrmSelectChordType.h"
#include "dialogs/FrmSelectDrum.h"
#include "dialogs/FrmSelectKey.h"
#include "dialogs/FrmSelectPatch.h"
#include "dialogs/FrmSelectPianoChord.h"
#include "dialogs/FrmSelectScaleType.h"
#include "dialogs/FrmSelectTuning.h"
#include "dialogs/FrmWait.h"
#include "dialogs/FrmWelcome.h"

#include <memory>
#include <vector>

struct TDialogs {
    std::unique_ptr<TfrmAbout> frmAbout;
    std::unique_ptr<TfrmOptions> frmOptions;
    std::unique_ptr<TfrmChordCalc> frmChordCalc;
    std::unique_ptr<TfrmWait> frmWait;
    std::unique_ptr<TFrmMicroManage> FrmMicroManage;
    std::unique_ptr<TFrmEnterTempo> FrmEnterTempo;
    std::unique_ptr<TfrmEnterTimeSig> frmEnterTimeSig;
    std::unique_ptr<TfrmSelectTuning> frmSelectTuning;
    std::unique_ptr<TfrmSelectPatch> frmSelectPatch;
    std::unique_ptr<TfrmNoteMath> frmNoteMath;
    std::unique_ptr<TfrmNoteSelect> frmNoteSelect;
    std::unique_ptr<TFrmSelectKey> FrmSelectKey;
    std::unique_ptr<TfrmSelectChordType> frmSelectChordType;
    std::unique_ptr<TfrmSelectPianoChord> frmSelectPianoChord;
    std::unique_ptr<TfrmSelectScaleType> frmSelectScaleType;
    std::unique_ptr<TfrmSelectDrum> frmSelectDrum;
    std::unique_ptr<TfrmMixerSummary> frmMixerSummary;
    std::unique_ptr<TfrmWelcome> frmWelcome;
    std::unique_ptr<Tfrmfind> frmfind;
    std::unique_ptr<TfrmReplace> frmReplace;
    std::unique_ptr<TfrmEnterNumber> frmEnterNumber;
    std::unique_ptr<TfrmInputSingleLine> frmInputSingleLine;

    // Every dialog, in creation order.
    std::vector<platform::ModalDialog *> InOrder() const;
};

TDialogs CreateDialogs(const platform::Services &services, QWidget *parent = nullptr);
