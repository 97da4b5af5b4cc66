#pragma once
// `TfrmNoteMath` ("Note Math"): the ticks of every note value, plain, dotted and triplet, and
// how many of each value the selected lines fill. Created once at start-up (CreateDialogs) and
// shown again and again through Ask().
//
//   dialogs.frmNoteMath->Ask({ComputeNoteMath(selectedLines, 192)});
#include "dialogs/rules/NoteMathRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <array>

class QLabel;
class QPushButton;

struct TNoteMathInput {
    TNoteMath math;
};

class TfrmNoteMath : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmNoteMath(const platform::Services &services, QWidget *parent = nullptr);

    void Ask(const TNoteMathInput &in);

private:
    platform::Services services_;
    std::array<QLabel *, kNoteValues> regular_{}; // Labelwhole .. LabelSixtyfourth
    std::array<QLabel *, kNoteValues> dotted_{};  // LabelWholeD .. LabelSixtyfourthD
    std::array<QLabel *, kNoteValues> triplet_{}; // LabelWholeT .. LabelSixtyFourthT
    std::array<QLabel *, kNoteValues> totals_{};  // labelTotalWhole .. LabelTotalSixtyFourth
    QLabel *lblTotalTicks;
    QPushButton *BitBtn1;
    QPushButton *BitBtnWindowsCalculator;
};
