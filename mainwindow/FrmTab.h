#pragma once
// `TfrmTab`: the tablature window. It turns the current tab's lines into guitar
// tablature, drawn or as text. Created once at start-up, after the dialogs, and shown
// with ShowModal() from the Tablature command.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmTab : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmTab(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
