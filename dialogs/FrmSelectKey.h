#pragma once
// `TFrmSelectKey`: the key picker (12 keys); openers set their own caption.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TFrmSelectKey : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TFrmSelectKey(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
