#pragma once
// `TfrmSelectScaleType`: the scale picker (28 scales).
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
//
//   if (const std::optional<std::string> def = dialogs.frmSelectScaleType->Ask({clearScale}))
//       ScaleDefinition = *def;   // "Blues Scale                 =MWHHMW"
//
// A scale label chooses; "Clear Scale" clears the shown scale (through `clearScale`) and
// chooses nothing, as do Close, Esc and the close box.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <functional>
#include <optional>
#include <string>

class QPushButton;
class TClickLabel;

struct TScaleTypeInput {
    std::function<void()> clearScale;
};

class TfrmSelectScaleType : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectScaleType(const platform::Services &services, QWidget *parent = nullptr);

    std::optional<std::string> Ask(const TScaleTypeInput &in);

private:
    void Label24Click(const TClickLabel &sender);
    void BitBtnClearScaleClick();

    platform::Services services_;
    QPushButton *BitBtn1;
    QPushButton *BitBtnClearScale;
    TScaleTypeInput in_;
    std::optional<std::string> chosen_;
};
