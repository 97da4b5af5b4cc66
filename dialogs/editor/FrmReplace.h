#pragma once
// `TfrmReplace`: the replace dialog of the notation editor ("Replace Text"). Created once at
// start-up (CreateDialogs) and shown again and again through Ask(); the window searches and
// replaces. OK asks for one replacement, "Replace All" for every one from the caret line on.
// Its search text is shared with the find dialog (see FrmFind.h).
#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/FindRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

struct TReplaceInput {
    std::string selection; // the editor's selected text, lines joined by "\n"
};

struct TReplaceRequest {
    std::string text;
    std::string replacement;
    TFindOptions options;
    bool all = false; // "Replace All"
};

class TfrmReplace : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmReplace(const platform::Services &services, QWidget *parent = nullptr);

    // A selection of one line and 1..29 characters becomes the search text. The request on
    // OK or Replace All, nullopt on Cancel.
    std::optional<TReplaceRequest> Ask(const TReplaceInput &in);

    std::string GetFindText() const;
    void SetFindText(const std::string &text);
    // The search text, replacement and options as the dialog holds them now (Find Next).
    TReplaceRequest Current() const;

protected:
    void FormActivate() override;

private:
    platform::Services services_;
    QLineEdit *Edit1; // search text
    QLineEdit *Edit2; // replacement
    TSearchOptionsBox options_;
    QPushButton *BitBtn1; // OK
    QPushButton *BitBtn2; // Cancel
    QPushButton *BitBtnReplaceAll;
    bool all_ = false;
};
