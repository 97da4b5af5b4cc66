#pragma once
// `TFrmMicroManage`: the per-line editor: fret or key, duration and volume of each string or key of one line.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TFrmMicroManage : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TFrmMicroManage(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
