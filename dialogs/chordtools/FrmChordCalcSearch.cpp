// The chord calculator's searches, its voicing list and the chord box.
#include "dialogs/chordtools/FrmChordCalc.h"

#include "dialogs/chords/ChordCalcRules.h"
#include "dialogs/chordtools/ChordBoxView.h"
#include "dialogs/chordtools/FrmWait.h"
#include "dialogs/common/DialogControls.h"
#include "song/TextUtil.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// How often a running search lets the window handle its events (the Stop button among them).
constexpr int kPumpIntervalMs = 15;

QString CountText(int count) { return QString::number(count) + QStringLiteral(" chords calculated"); }

} // namespace

void TfrmChordCalc::BtnFindChordsClick() {
    if (searching_)
        return;
    if (S_ == 0) {
        services_.messages.ShowMessage(QStringLiteral("Chords are not accessible from this tab"));
        return;
    }
    if (RadioGroupUserDefinedChordMode->checkedId() == 1)
        CalculateUserDefinedChords();
    else
        CalculateStandardChords();
    PaintBoxChordCalc->show();
}

TChordSearchRequest TfrmChordCalc::RequestFromControls() const {
    TChordSearchRequest r;
    const int rootOption = RadioGroupRootOptions->checkedId();
    r.rootOnLowest = rootOption == 0;
    r.noRoot = rootOption == 2;
    if (cboMelodyNoteNameBuiltIn->isEnabled()) {
        r.melodyNote = cboMelodyNoteNameBuiltIn->currentText().toStdString();
        r.melodyString = ReadIntegerDef(cboMelodyNoteStringBuiltIn->currentText().toStdString(), -1);
    }
    r.melodyChecked = CheckBoxMelodyNoteBuiltIn->isChecked();
    r.position = cboPosition->currentText().toStdString();
    r.reach = cboFingerReach->currentIndex() + 1;
    r.allowInsideUnplayed = CheckBoxAllowInsideUnplayed->isChecked();
    r.includeOpenStrings = CheckBoxIncludeOpenStrings->isChecked();
    r.stringCount = S_;
    r.tuningSpelling = in_.line.TuningSpelling;
    r.shortFifthString = in_.line.ShortFifthString;
    r.duration = in_.duration;
    return r;
}

void TfrmChordCalc::CalculateStandardChords() {
    TChordSearchRequest r = RequestFromControls();
    r.root = SearchRoot(chordRoot_);
    r.typeName = chordType_;
    RunSearch(r);
}

void TfrmChordCalc::CalculateUserDefinedChords() {
    TCFormula f;
    if (!BuildUserFormula(f, true))
        return;
    TChordSearchRequest r = RequestFromControls();
    r.root = cboRootCustom->currentText().toStdString();
    r.typeName = f.TypeName;
    r.userDefined = true;
    r.userFormula = f.FormulaText;
    r.melodyNote.clear();
    r.melodyString = -1;
    if (CheckBoxMelodyNoteCustom->isChecked()) {
        r.melodyNote = cboMelodyNoteNameCustom->currentText().toStdString();
        r.melodyString = ReadIntegerDef(cboMelodyNoteStringCustom->currentText().toStdString(), -1);
    }
    RunSearch(r);
}

void TfrmChordCalc::SetCalculationControlsEnabled(bool on) {
    for (QWidget *w : {static_cast<QWidget *>(GroupBoxDefineChordFormula), static_cast<QWidget *>(GroupBoxCurrentChord),
                       static_cast<QWidget *>(GroupBoxChordOptions), static_cast<QWidget *>(BitBtnOK)})
        w->setEnabled(on);
    if (QWidget *options = findChild<QWidget *>(QStringLiteral("PanelSearchOptions")))
        options->setEnabled(on);
}

void TfrmChordCalc::RunSearch(const TChordSearchRequest &request) {
    if (searching_)
        return;
    searching_ = true;
    cancel_ = false;
    lbVoicing->clear();
    details_.clear();
    // The end step runs whatever way the search ends: the progress window goes, the controls
    // come back, the stop flag is cleared.
    struct TEndStep {
        TfrmChordCalc &w;
        ~TEndStep() {
            if (w.frmWait_)
                w.frmWait_->End();
            w.SetCalculationControlsEnabled(true);
            w.cancel_ = false;
            w.searching_ = false;
        }
    };
    TChordSearchOutcome out;
    {
        TEndStep end{*this};
        if (frmWait_)
            frmWait_->Begin(
                QStringLiteral("Calculation in process..."), [this] { cancel_ = true; }, this);
        SetCalculationControlsEnabled(false);
        QElapsedTimer sincePump;
        bool pumped = false;
        out = CalculateChords(table_, request, [&](int found) {
            if (!pumped || sincePump.elapsed() >= kPumpIntervalMs) {
                pumped = true;
                if (frmWait_)
                    frmWait_->SetMessage(QStringLiteral("Chord count: ") + QString::number(found));
                lblCount->setText(CountText(found));
                QCoreApplication::processEvents(QEventLoop::AllEvents);
                sincePump.start();
            }
            return cancel_;
        });
    }
    details_ = out.detailLines;
    for (const std::string &line : out.listLines)
        lbVoicing->addItem(Q(line));
    lblCount->setText(CountText(static_cast<int>(details_.size())));
    ReportUnknownDegrees(out.unknown);
    if (out.stopped)
        return; // what was found stays listed; no message, no selection
    if (!out.warning.empty())
        services_.messages.Warning(Q(out.warning));
    if (lbVoicing->count() > 0) {
        lbVoicing->setCurrentRow(0);
        lbVoicing->setFocus();
        ShowVoicing(0, false);
    } else {
        ClearDiagram();
    }
}

// ---- the list ---------------------------------------------------------------------------------

std::vector<std::string> TfrmChordCalc::SelectedListLines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < lbVoicing->count(); ++i)
        if (lbVoicing->item(i)->isSelected())
            lines.push_back(lbVoicing->item(i)->text().toStdString());
    return lines;
}

void TfrmChordCalc::lbVoicingClick() {
    if (searching_ || details_.empty())
        return;
    PaintBoxChordCalc->show();
    int row = lbVoicing->currentRow();
    if (row < 0)
        for (int i = 0; i < lbVoicing->count() && row < 0; ++i)
            if (lbVoicing->item(i)->isSelected())
                row = i;
    if (row >= 0 && lbVoicing->item(row)->isSelected())
        ShowVoicing(row, true);
}

void TfrmChordCalc::lbVoicingDblClick() {
    if (searching_ || lbVoicing->count() == 0)
        return;
    std::vector<std::string> lines = SelectedListLines();
    if (lines.size() > 1)
        lines.resize(1);
    if (calls_.insertLines)
        calls_.insertLines(lines);
    BitBtnOKClick();
}

void TfrmChordCalc::BitBtnCopySelectedClick(bool close) {
    if (searching_)
        return;
    if (lbVoicing->count() == 0) {
        services_.messages.Warning(QStringLiteral("No chords in list"));
        return;
    }
    const std::vector<std::string> lines = SelectedListLines();
    if (lines.empty()) {
        services_.messages.Warning(QStringLiteral("No chords selected"));
        return;
    }
    if (calls_.insertLines)
        calls_.insertLines(lines);
    if (close)
        BitBtnOKClick();
}

void TfrmChordCalc::BitBtnOKClick() {
    if (searching_)
        return;
    TChordCalcResult r;
    r.dotType = std::max(RadioGroupDotID->checkedId(), 0);
    r.chordType = chordType_;
    r.chordRoot = chordRoot_;
    r.chordReach = cboFingerReach->currentIndex();
    r.chordPosition = cboPosition->currentIndex();
    r.voicings = details_;
    result_ = std::move(r);
    SetModalResult(platform::mrOk);
}

// ---- the chord box ------------------------------------------------------------------------

void TfrmChordCalc::RadioGroupDotIDClick() {
    if (lbVoicing->count() > 0)
        ShowVoicing(std::max(lbVoicing->currentRow(), 0), false);
}

void TfrmChordCalc::ShowVoicing(int index, bool play) {
    if (index < 0 || index >= static_cast<int>(details_.size()))
        return;
    PaintBoxChordCalc->SetBox(
        ParseVoicingLine(details_[static_cast<size_t>(index)], S_, std::max(RadioGroupDotID->checkedId(), 0),
                         cboFingerReach->currentIndex() + 1, in_.line.TuningSpelling, in_.line.ShortFifthString));
    PaintBoxChordCalc->show();
    if (play)
        PlayChord();
}

void TfrmChordCalc::ClearDiagram() { PaintBoxChordCalc->SetBox(TCurrChordBox{}); }

void TfrmChordCalc::PlayChord() {
    const TCurrChordBox &box = PaintBoxChordCalc->Box();
    if (sounding_ || searching_ || box.ChordName.empty())
        return;
    TChordDat chord;
    const std::string error = ParseChordLine(PlayChordLine(box), TDurationUnit::Milliseconds, in_.line, chord);
    if (!error.empty()) {
        services_.messages.ShowMessage(Q(error));
        return;
    }
    if (!calls_.playChord)
        return;
    // The chord sounds while window events are handled; a click meanwhile is passed over.
    sounding_ = true;
    calls_.playChord(chord);
    sounding_ = false;
}

void TfrmChordCalc::BitBtnCopyChordToClipboardClick() {
    services_.clipboard.SetImage(PaintBoxChordCalc->Snapshot());
    services_.messages.Information(QStringLiteral("The chord graphic has been copied to the Clipboard."));
}
