#pragma once
// `TfrmInputSingleLine`: the one-line text input; its opener sets the caption.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmInputSingleLine : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmInputSingleLine(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
