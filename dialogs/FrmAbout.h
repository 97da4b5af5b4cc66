#pragma once
// `TfrmAbout`: the about box: version, memory line, animation, System Info.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmAbout : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
