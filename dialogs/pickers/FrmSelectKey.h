#pragma once
// `TFrmSelectKey`: the key picker (12 keys); openers set their own caption.
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
//
//   if (const std::optional<int> key = dialogs.FrmSelectKey->Ask({"Single Click to Select The Key For Scale"}))
//       caption = KeyName(*key);   // 1 "A" .. 12 "G#/Ab"
//
// A key button chooses; Close, Esc and the close box choose nothing.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>
#include <string>

class QPushButton;

struct TKeyInput {
    std::string caption;
};

class TFrmSelectKey : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TFrmSelectKey(const platform::Services &services, QWidget *parent = nullptr);

    // The key index 1..12 of the button clicked.
    std::optional<int> Ask(const TKeyInput &in);

private:
    void KeyButtonClick(int key);

    platform::Services services_;
    QPushButton *BitBtnCancel;
    int SelectedKey = 4; // the last choice, "C" at first
    bool chosen_ = false;
};
