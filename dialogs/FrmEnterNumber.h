#pragma once
// `TfrmEnterNumber`: the go-to-line dialog.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmEnterNumber : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmEnterNumber(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
