#pragma once
// `TfrmEnterNumber`: the go-to-line dialog ("Go to line..."): a number with an up-down that
// runs from 1 to the editor's line count. Created once at start-up (CreateDialogs) and shown
// again and again through Ask(); the number stays from one opening to the next.
//
//   if (const auto number = dialogs.frmEnterNumber->Ask({lines.LineCount()}))
//       if (const auto line = GoToLineIndex(*number, lines.LineCount())) ...
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>

class QLineEdit;
class QPushButton;
class TUpDown;

struct TGoToInput {
    int lineCount = 0; // the up-down's top
};

class TfrmEnterNumber : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmEnterNumber(const platform::Services &services, QWidget *parent = nullptr);

    // The number on OK (whatever was typed; the opener checks it against the lines), nullopt
    // on Cancel or when the box holds no number.
    std::optional<int> Ask(const TGoToInput &in);

protected:
    void FormActivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Step(int delta);

    platform::Services services_;
    QLineEdit *Edit1;
    TUpDown *UpDown1;
    QPushButton *BitBtn1; // OK
    QPushButton *BitBtn2; // Cancel
    int max_ = 1;
};
