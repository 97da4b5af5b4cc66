#pragma once
// `TfrmSelectPatch`: the General MIDI sound picker; shows no title.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmSelectPatch : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectPatch(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
