#pragma once
// `TfrmNoteSelect`: the note-duration picker; its opener sets the mode and the caption.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmNoteSelect : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmNoteSelect(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
