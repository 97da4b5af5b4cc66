#pragma once
// `TfrmOptions`: the program options: MIDI device, editor font, hints, welcome screen, scale restrictor.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmOptions : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmOptions(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
