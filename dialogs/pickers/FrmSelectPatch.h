#pragma once
// `TfrmSelectPatch`: the General MIDI sound picker; shows no title.
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
//
//   TPatchInput in{tab.Name, tab.Bank, tab.Volume, preview, insertLine};
//   if (const auto choice = dialogs.frmSelectPatch->Ask(in)) {
//       tab.Patch = choice->program;          // a double click on a sound
//       tab.PatchName = choice->patchName;    // its caption, "Electic Guitar (jazz) (26)"
//   }
//
// A click lets the user hear a sound (through `preview`); a right click inserts an
// "*Instrument" line (through `insertLine`) and closes without choosing; Esc and Close
// choose nothing.
#include "dialogs/rules/PickerRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class TClickLabel;

struct TPatchInput {
    std::string tabName;
    int bank = 0;
    int volume = 100;
    std::function<void(const TPreviewNote &)> preview;
    std::function<void(const std::string &line)> insertLine;
};

struct TPatchChoice {
    int program = 0;
    std::string patchName;
    bool operator==(const TPatchChoice &) const = default;
};

class TfrmSelectPatch : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectPatch(const platform::Services &services, QWidget *parent = nullptr);

    std::optional<TPatchChoice> Ask(const TPatchInput &in);

protected:
    void FormShow() override;
    void reject() override;

private:
    void LabelClick(const TClickLabel &sender);
    void LabelDblClick(const TClickLabel &sender);
    void LabelRightDown(const TClickLabel &sender);

    platform::Services services_;
    QLabel *Labelclickmsg;
    QPushButton *BitBtn1;
    TPatchInput in_;
    std::optional<TPatchChoice> chosen_;
};
