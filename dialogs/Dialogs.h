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
#include "dialogs/chordtools/FrmChordCalc.h"
#include "dialogs/chordtools/FrmSelectChordType.h"
#include "dialogs/chordtools/FrmSelectPianoChord.h"
#include "dialogs/chordtools/FrmWait.h"
#include "dialogs/common/FrmInputSingleLine.h"
#include "dialogs/editor/FrmEnterNumber.h"
#include "dialogs/editor/FrmFind.h"
#include "dialogs/editor/FrmMicroManage.h"
#include "dialogs/editor/FrmNoteMath.h"
#include "dialogs/editor/FrmNoteSelect.h"
#include "dialogs/editor/FrmReplace.h"
#include "dialogs/pickers/FrmEnterTempo.h"
#include "dialogs/pickers/FrmEnterTimeSig.h"
#include "dialogs/pickers/FrmMixerSummary.h"
#include "dialogs/pickers/FrmSelectDrum.h"
#include "dialogs/pickers/FrmSelectKey.h"
#include "dialogs/pickers/FrmSelectPatch.h"
#include "dialogs/pickers/FrmSelectScaleType.h"
#include "dialogs/pickers/FrmSelectTuning.h"
#include "dialogs/program/FrmAbout.h"
#include "dialogs/program/FrmOptions.h"
#include "dialogs/program/FrmWelcome.h"

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
