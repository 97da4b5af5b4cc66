#pragma once
// `Tfrmfind`: the find dialog of the notation editor ("Find Text"). Created once at start-up
// (CreateDialogs) and shown again and again through Ask(); the window searches.
//
//   if (const auto request = dialogs.frmfind->Ask({selectedText}))
//       FindText(lines, afterSelection, request->text, request->options);
//
// The search text and the options stay in the dialog from one opening to the next; the find
// and replace dialogs hand their search text to each other as they close (GetFindText,
// SetFindText), so each opens with the phrase last typed into either.
#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/FindRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

struct TFindInput {
    std::string selection; // the editor's selected text, lines joined by "\n"
};

struct TFindRequest {
    std::string text;
    TFindOptions options;
};

class Tfrmfind : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit Tfrmfind(const platform::Services &services, QWidget *parent = nullptr);

    // A selection of one line and 1..29 characters becomes the search text; the rest of the
    // box is as it was left. The search text and options on OK, nullopt on Cancel.
    std::optional<TFindRequest> Ask(const TFindInput &in);

    std::string GetFindText() const;
    void SetFindText(const std::string &text);
    // The search text and options as the dialog holds them now, OK or not (Find Next).
    TFindRequest Current() const;

protected:
    void FormActivate() override;

private:
    platform::Services services_;
    QLineEdit *Edit1;
    TSearchOptionsBox options_;
    QPushButton *BitBtn3; // OK
    QPushButton *BitBtn2; // Cancel
};
