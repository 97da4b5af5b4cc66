#pragma once
// `TfrmChordCalc`: the chord calculator of fretted tabs. The user picks a root and a chord type
// (or builds a formula from degree boxes), a position, a reach and options, and gets the list of
// voicings the chord search finds (dialogs/chords/ChordSearch.h) with the chord box of the one
// selected; chosen voicings go into the song as fretted lines. Created once at start-up
// (CreateDialogs) and shown again and again through Ask():
//
//   TChordCalcCalls calls;
//   calls.insertLines = [&](const std::vector<std::string> &lines) { ...insert at the caret... };
//   calls.playChord = [&](const TChordDat &chord) { ...sound its pitches on the tab... };
//   if (const auto r = dialogs.frmChordCalc->Ask(input, calls))
//       ...store r->chordRoot, r->voicings, ... in the tab (Close, or after a closing insert)...
//
// While a search runs the progress window (TfrmWait) takes the input: its Stop button, Esc and
// the close box stop the search; Esc on the calculator then stops it too, and the list, its
// double click and the duration label do nothing until the search has ended.
#include "dialogs/chords/ChordDiagram.h"
#include "dialogs/chords/ChordFormulas.h"
#include "dialogs/chords/ChordSearch.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"
#include "song/FrettedLine.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class TChordBoxView;
class TClickLabel;
class TfrmWait;

// What a showing starts from: the current tab and its stored calculator settings.
struct TChordCalcInput {
    std::string kindText = "Guitar"; // the tab's kind; the caption names it
    bool fretted = true;             // false on Piano and Drums: no chords there
    TLineContext line;               // strings, tuning, short string, volume: how its lines read
    std::string tuningText;          // the tab's open strings, as the main window writes them
    std::string chordRoot = "C";     // a key name ("C#/Db")
    std::string chordType = "Major";
    int chordPosition = 0;             // 0 "ALL", 1.. "0"..
    int chordReach = 3;                // reach - 1
    int dotType = 0;                   // 0 dot, 1 note, 2 degree
    std::vector<std::string> voicings; // the tab's stored detail lines
    std::string duration = "Q";        // the current duration text
    std::string userFormulaFolder;     // where "User_Chord_Formulas.txt" is read, on the first showing
};

// What Close stores back.
struct TChordCalcResult {
    std::string chordRoot;
    std::string chordType;
    int chordPosition = 0;
    int chordReach = 0;
    int dotType = 0;
    std::vector<std::string> voicings;
};

// What the calculator does in the song and around it while it is open. Any may stay empty.
struct TChordCalcCalls {
    // Inserts the lines before the caret's line, in order, as one edit, and marks the tab
    // modified (a double click with nothing selected passes no line and still marks it).
    std::function<void(const std::vector<std::string> &lines)> insertLines;
    // Sounds a parsed chord line on the tab for half a second.
    std::function<void(const TChordDat &chord)> playChord;
    // The key picker with `caption`: a key name ("C#/Db"), or nullopt on Cancel.
    std::function<std::optional<std::string>(const std::string &caption)> pickKey;
    // The chord-type picker: a type name, or nullopt.
    std::function<std::optional<std::string>()> pickChordType;
    // The note-duration picker setting the current duration; the current duration afterwards.
    std::function<std::string()> pickDuration;
};

class TfrmChordCalc : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmChordCalc(const platform::Services &services, QWidget *parent = nullptr);
    ~TfrmChordCalc() override;

    // The progress window the searches show (created after this window).
    void SetProgressWindow(TfrmWait *wait) { frmWait_ = wait; }

    std::optional<TChordCalcResult> Ask(const TChordCalcInput &in, const TChordCalcCalls &calls);

    bool Searching() const { return searching_; }
    void reject() override; // Esc: stops a search, else closes without storing

protected:
    void FormActivate() override;

private:
    void BuildControls();
    QGroupBox *BuildChordOptions();
    QGroupBox *BuildFormulaGroup();
    QGroupBox *BuildChordDisplay();
    void LoadFromCurrentTab();
    void RefreshMelodyChoicesOnShow();

    // Searches.
    void BtnFindChordsClick();
    void CalculateStandardChords();
    void CalculateUserDefinedChords();
    TChordSearchRequest RequestFromControls() const;
    void RunSearch(const TChordSearchRequest &request);
    void SetCalculationControlsEnabled(bool on);

    // Captions and choices.
    void LblChordRootClick();
    void lblChordTypeClick();
    // The root and type labels and the built-in melody option show the chord worked on.
    void ShowChord();
    void Label11Click();
    void RadioGroupUserDefinedChordModeClick();
    void CheckBoxMelodyNoteBuiltInClick();
    void CheckBoxMelodyNoteCustomClick();
    void cboRootCustomChange();
    void DegreeBoxClick(int index);
    void UpdateUserFormulaCaption();
    bool BuildUserFormula(TCFormula &formula, bool warn);
    void FillMelodyNoteCombo();
    void FillMelodyStringCombos(QComboBox *combo);
    void LockPosition(bool lock);
    void ReportUnknownDegrees(const TUnknownDegrees &unknown);

    // The list and the box.
    void lbVoicingClick();
    void lbVoicingDblClick();
    void BitBtnCopySelectedClick(bool close);
    void BitBtnOKClick();
    void RadioGroupDotIDClick();
    void ShowVoicing(int index, bool play);
    void ClearDiagram();
    void PlayChord();
    void BitBtnCopyChordToClipboardClick();
    std::vector<std::string> SelectedListLines() const;

    platform::Services services_;
    TfrmWait *frmWait_ = nullptr;
    TFormulaTable table_;
    bool userFormulasRead_ = false;
    TChordCalcInput in_;
    TChordCalcCalls calls_;
    std::optional<TChordCalcResult> result_;
    int S_ = 0;                        // strings of the tab shown; 0 until a fretted showing
    std::vector<std::string> details_; // `lbVoicingInvisible`: the detail line of each list line
    bool searching_ = false;
    bool cancel_ = false;
    bool sounding_ = false;
    int rememberedPosition_ = 0;      // while a melody option holds the position at "ALL"
    std::string chordRoot_ = "C";     // a key name ("C#/Db"), as the root label shows it
    std::string chordType_ = "Major"; // a formula's type name

    TClickLabel *LblChordRoot = nullptr;
    TClickLabel *lblChordType = nullptr;
    QGroupBox *GroupBoxChordOptions = nullptr;
    QComboBox *cboPosition = nullptr;
    QComboBox *cboFingerReach = nullptr;
    QButtonGroup *RadioGroupRootOptions = nullptr;
    QCheckBox *CheckBoxAllowInsideUnplayed = nullptr;
    QCheckBox *CheckBoxIncludeOpenStrings = nullptr;
    QPushButton *BtnFindChords = nullptr;
    QGroupBox *GroupBoxMelodyNoteBuiltIn = nullptr;
    QCheckBox *CheckBoxMelodyNoteBuiltIn = nullptr;
    QComboBox *cboMelodyNoteNameBuiltIn = nullptr;
    QComboBox *cboMelodyNoteStringBuiltIn = nullptr;
    QGroupBox *GroupBoxDefineChordFormula = nullptr;
    std::array<QCheckBox *, kDegreeBoxCount> degreeBoxes_{};
    QComboBox *cboRootCustom = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QGroupBox *GroupBoxMelodyNoteCustom = nullptr;
    QCheckBox *CheckBoxMelodyNoteCustom = nullptr;
    QComboBox *cboMelodyNoteNameCustom = nullptr;
    QComboBox *cboMelodyNoteStringCustom = nullptr;
    QGroupBox *RadioGroupUserDefinedChordModeBox = nullptr;
    QButtonGroup *RadioGroupUserDefinedChordMode = nullptr;
    QListWidget *lbVoicing = nullptr;
    QLabel *lblCount = nullptr;
    QLabel *lblTuning = nullptr;
    TClickLabel *Label12 = nullptr;
    QLabel *Label11 = nullptr;
    QGroupBox *GroupBoxCurrentChord = nullptr;
    TChordBoxView *PaintBoxChordCalc = nullptr;
    TClickLabel *Label9 = nullptr;
    QButtonGroup *RadioGroupDotID = nullptr;
    QPushButton *BitBtnCopyChordToClipboard = nullptr;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *BitBtnCopySelected = nullptr;
    QPushButton *BitBtnCopySelectedAndExit = nullptr;
};
