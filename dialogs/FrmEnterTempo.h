#pragma once
// `TFrmEnterTempo`: the tempo dialog (beats per minute 1..500); shows no title.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TFrmEnterTempo : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TFrmEnterTempo(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
