#pragma once
// `Tfrmfind`: the find dialog of the notation editor.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class Tfrmfind : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit Tfrmfind(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
