#pragma once
// `TfrmSelectDrum`: the General MIDI percussion picker for a drum slot; shows no title.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmSelectDrum : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectDrum(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
