#pragma once
// `TfrmWait`: the progress window of the chord search, with its Stop button.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmWait : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmWait(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
