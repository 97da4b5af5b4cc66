#pragma once
// `TfrmInputSingleLine`: one line of text, under the caption its opener gives. Created once at
// start-up (CreateDialogs) and shown again and again through Ask().
//
//   const std::optional<QString> name = dialogs.frmInputSingleLine->Ask({"Enter new name for Jazz", "Jazz", true, 40});
//   if (name) ...   // OK with more than blanks; any other close, or a blank text, gives nothing
//
// With filtering on only letters, digits, blanks and "-" can be typed, and OK removes every
// other character (text pasted in passes no key filter). Once the trimmed text is longer than
// the length limit only backspace and blanks are taken.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>

class QLineEdit;
class QPushButton;

struct TInputLineInput {
    QString caption;
    QString text; // the text the edit starts with
    bool filterCharacters = true;
    int maxLength = 0; // 0 or less: no limit
};

class TfrmInputSingleLine : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmInputSingleLine(const platform::Services &services, QWidget *parent = nullptr);

    // The text on OK (filtered when asked); nothing after Cancel, Esc or the close box, or
    // when the text is blank.
    std::optional<QString> Ask(const TInputLineInput &in);

protected:
    void FormShow() override;
    void FormActivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BitBtnOKClick();
    void BitBtnCancelClick();

    platform::Services services_;
    QLineEdit *edtSingleLine;
    QPushButton *BitBtnOK;
    QPushButton *BitBtnCancel;
    bool FilterCharacters = true;
    int MaxLength = 0;
};
