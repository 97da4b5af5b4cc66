#pragma once
// `TfrmSelectPianoChord`: the chord tool of piano tabs, shown on the main window's keyboard.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmSelectPianoChord : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectPianoChord(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
