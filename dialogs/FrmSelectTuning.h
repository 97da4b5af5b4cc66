#pragma once
// `TfrmSelectTuning`: the tuning dialog of fretted tabs; its opener's tab kind names it ("Guitar Tuning").
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmSelectTuning : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectTuning(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
