#pragma once
// `TfrmEnterTimeSig`: the time-signature dialog; shows no title.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmEnterTimeSig : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmEnterTimeSig(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
