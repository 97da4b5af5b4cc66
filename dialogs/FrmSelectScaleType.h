#pragma once
// `TfrmSelectScaleType`: the scale picker (28 scales).
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmSelectScaleType : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectScaleType(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
