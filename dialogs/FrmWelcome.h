#pragma once
// `TfrmWelcome`: the welcome screen at start-up: tip of the day, recent files, new/open choices.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"
#include <QListWidget>

class TfrmWelcome : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmWelcome(const platform::Services &services, QWidget *parent = nullptr);

    // What the user chose: 0 close, 1 new song, 2 open a file, 3 open the selected recent file.
    int Choice = 0;
    // The recently used files, one entry per line.
    QListWidget *lbWelcomeMRU;

private:
    platform::Services services_;
};
