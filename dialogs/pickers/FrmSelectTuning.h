#pragma once
// `TfrmSelectTuning`: the tuning dialog of fretted tabs. The user picks a pitch for each string
// in its list or clicks a preset label, and can hear the open strings. Created once at start-up
// (CreateDialogs) and shown again and again through Ask(), which takes a copy of the tab's
// tuning and returns the new spelling on OK, so Cancel and Esc change nothing.
//
//   TTuningInput in{tab.Kind, tab.HighestString, tab.ShortFifthString, tab.TuningSpelling, calls};
//   if (const std::optional<std::string> spelling = dialogs.frmSelectTuning->Ask(in))
//       tab.TuningSpelling = *spelling;
#include "dialogs/rules/TuningRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QFrame;
class QPushButton;
class TClickLabel;

// How the dialog sounds the open strings while it is open.
struct TTuningCalls {
    std::function<void()> SetPatch;          // the tab's sound, on the channel the notes use
    std::function<void(int note)> SoundNote; // one string: note on, 240 ms with the window alive, off
};

struct TTuningInput {
    TKind kind = TKind::Guitar;
    int highestString = 5;         // strings - 1
    bool shortFifthString = false; // the lowest list is a short string stored 5 lower
    std::string spelling{kStandardTuningSpelling};
    TTuningCalls calls;
};

class TfrmSelectTuning : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectTuning(const platform::Services &services, QWidget *parent = nullptr);

    // Opens on the kind's default preset (or the tab's own values for a kind without one);
    // returns the spelling the lists hold on OK, nullopt on Cancel, Esc or closing.
    std::optional<std::string> Ask(const TTuningInput &in);

    // The lists' values as last taken (string 1 first): after a preset or a change by the user.
    const tuning::TStringValues &StringIndexes() const { return StringIndexes_; }

protected:
    void FormShow() override;

private:
    void BuildTuningList();
    void ShowStringCombos();
    void ApplyTuningPreset(int preset);
    // The six lists from StringIndexes_, set by code (no change is reported).
    void ShowValues();
    void Label1Click(const TClickLabel &sender);
    void cboStr6Change(int string, int index);
    void BitBtnPlayTuningClick();
    void BitBtnOKClick();

    platform::Services services_;
    std::array<QComboBox *, 6> cboStr_{}; // string 1 (`cboStr1`) first
    std::array<TClickLabel *, tuning::kLabelCount> Label_{};
    QPushButton *BitBtnPlayTuning;
    QPushButton *BitBtnOK;
    QPushButton *BitBtnCancel;
    QFrame *Panel1;

    int StringCount = 0; // 0 until the first showing
    tuning::TStringValues StringIndexes_{24, 24, 24, 24, 24, 24};
    TTuningInput in_;
    bool playing_ = false;
};
