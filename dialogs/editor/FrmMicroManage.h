#pragma once
// `TFrmMicroManage`: the per-line editor ("Set Multiple Durations for Line"): fret or key,
// duration and volume of each string or key of one line, with the rebuilt line shown above
// the columns as it changes. Created once at start-up (CreateDialogs) and shown again and
// again through Ask(), which takes the line and its tab's context and returns the new line.
//
//   if (const std::optional<std::string> line = dialogs.FrmMicroManage->Ask({text, ctx}))
//       lines.ReplaceLine(i, *line);   // one edit: Ctrl+Z brings the old line back
#include "dialogs/rules/LineEditRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <array>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

struct TLineEditInput {
    std::string line;
    TLineContext ctx; // the tab's kind, string count and volume
};

class TFrmMicroManage : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TFrmMicroManage(const platform::Services &services, QWidget *parent = nullptr);

    // The edited line on OK; nullopt on Cancel, and at once (nothing shown) for a line that
    // does not read as a note line of the tab.
    std::optional<std::string> Ask(const TLineEditInput &in);

protected:
    void FormShow() override;

private:
    struct TColumnLists {
        QLabel *Label;
        QComboBox *cboFretNumber;
        QComboBox *cboDur;
        QComboBox *cboVol;
        QComboBox *cboFingering;
    };
    void SetColumnLayout(int columns);
    void UpdateEnabledColumns();
    void ShowColumn(int column);
    // A change in any list of a column (an editable duration list: every keystroke).
    void cboFretNumberChange(int column);
    void BitBtnOKClick();

    platform::Services services_;
    QLabel *labelFRTLine;
    std::array<TColumnLists, lineedit::kMaxColumns> columns_{};
    QLabel *lblFingering;
    QPushButton *BitBtnOK;
    QPushButton *BitBtnCancel;
    std::optional<lineedit::TLineEditModel> model_;
};
