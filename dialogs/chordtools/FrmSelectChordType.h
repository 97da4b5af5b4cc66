#pragma once
// `TfrmSelectChordType`: the chord-type picker (44 chord types with scale suggestions).
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
//
//   if (const std::optional<TChordTypeChoice> c = dialogs.frmSelectChordType->Ask()) {
//       type = ChordTypeName(c->type);   // 34 "7b5"
//       row = c->row;                    // 59, the formula the piano keyboard shows
//   }
//
// A label click chooses; Close, Esc and the close box choose nothing. The mouse over a label
// or a heading shows its scale suggestion.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <map>
#include <optional>

class QLabel;
class QPushButton;
class TClickLabel;

struct TChordTypeChoice {
    int type = 1; // 1..45
    int row = 0;  // 0-based row of the chord formula table
    bool operator==(const TChordTypeChoice &) const = default;
};

class TfrmSelectChordType : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectChordType(const platform::Services &services, QWidget *parent = nullptr);

    std::optional<TChordTypeChoice> Ask();

protected:
    void FormActivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void Label1Click(const TClickLabel &sender);

    platform::Services services_;
    QLabel *lblScaleSuggestion;
    QPushButton *BitBtn1;
    std::map<QObject *, QString> hints_; // labels and headings with their suggestion
    std::optional<TChordTypeChoice> chosen_;
};
