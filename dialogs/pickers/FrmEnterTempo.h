#pragma once
// `TFrmEnterTempo`: the tempo dialog (beats per minute 1..500); shows no title.
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
//
//   if (const std::optional<int> tempo = dialogs.FrmEnterTempo->Ask({song.Tempo}))
//       song.Tempo = *tempo;   // any value 1..500 is a confirmed choice; nullopt is Cancel
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>

class QLineEdit;
class QPushButton;
class TClickLabel;
class TUpDown;

struct TTempoInput {
    int songTempo = 120; // the song's tempo; 0 or less opens as the effective 120
};

class TFrmEnterTempo : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TFrmEnterTempo(const platform::Services &services, QWidget *parent = nullptr);

    // Shows the song's tempo; returns the chosen tempo (1..500) on OK, nullopt on Cancel.
    std::optional<int> Ask(const TTempoInput &in);

protected:
    void FormActivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetTempoText(const QString &text);
    void StepTempo(int delta);
    void EditTempoChange();
    void EditTempoKeyUp();
    void BitBtnOKClick();
    void BitBtnHalfTempoClick();
    void BitBtnDoubleTempoClick();
    void BitBtnRestoreSongTempoClick();
    void Label11Click(const TClickLabel &sender);
    void Label1DblClick(const TClickLabel &sender);

    platform::Services services_;
    QLineEdit *EditTempo;
    TUpDown *UpDownTempo;
    QPushButton *BitBtnOK;
    QPushButton *BitBtn1;
    QPushButton *BitBtnHalfTempo;
    QPushButton *BitBtnDoubleTempo;
    QPushButton *BitBtnRestoreSongTempo;
    std::optional<int> chosen_; // set by OK
};
