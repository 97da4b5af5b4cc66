#pragma once
// `TfrmMixerSummary`: the song information summary: one row per tab with content.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

class TfrmMixerSummary : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmMixerSummary(const platform::Services &services, QWidget *parent = nullptr);

private:
    platform::Services services_;
};
