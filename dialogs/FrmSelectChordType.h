#pragma once
// `TfrmSelectChordType`: the chord-type picker (44 chord types with scale suggestions).
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmSelectChordType : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectChordType(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
