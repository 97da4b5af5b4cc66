#pragma once
// `TfrmChordCalc`: the chord calculator of fretted tabs: finds voicings of a chord in the tab's tuning.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmChordCalc : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmChordCalc(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
