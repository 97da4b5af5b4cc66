#pragma once
// `TfrmNoteMath`: the note-duration arithmetic window: ticks of every duration and of the selected lines.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmNoteMath : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmNoteMath(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
