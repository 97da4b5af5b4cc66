#pragma once
// `TfrmEnterTimeSig`: the time-signature dialog; shows no title.
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
//
//   if (const auto chosen = dialogs.frmEnterTimeSig->Ask({song.TimeSignature}))
//       ...   // *chosen is the "UULL" text, e.g. "0608"; nullopt is Cancel
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;
class TClickLabel;
class TUpDown;

struct TTimeSigInput {
    std::string current; // the song's "UULL" text, e.g. "0304"
};

class TfrmEnterTimeSig : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmEnterTimeSig(const platform::Services &services, QWidget *parent = nullptr);

    // Shows the song's time signature; returns the chosen "UULL" text on OK, nullopt on Cancel.
    std::optional<std::string> Ask(const TTimeSigInput &in);

protected:
    void FormActivate() override;

private:
    void ShowTimeSig(int numerator, int denominatorIndex);
    std::optional<std::string> ReadChosen() const;
    void UpDown1Click(int delta);
    void BitBtn1Click();
    void BitBtnRestoreTimeSigClick();
    void PresetClick(const TClickLabel &sender);
    void PresetDblClick(const TClickLabel &sender);

    platform::Services services_;
    QLineEdit *edtNumerator;
    TUpDown *UpDown1;
    QComboBox *ComboBoxTimeSigLower;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *BitBtnRestoreTimeSig;
    // What Restore puts back: the numerator and the denominator's list index at opening.
    int savedNumerator_ = 4;
    int savedDenominatorIndex_ = 2;
    std::optional<std::string> chosen_; // set by OK
};
