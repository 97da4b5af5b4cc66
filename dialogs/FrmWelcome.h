#pragma once
// `TfrmWelcome`: the welcome screen at start-up: tip of the day, recent files, new/open choices.
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <QStringList>

#include <optional>

class QListWidget;

struct TWelcomeInput {
    QStringList recentFiles; // the recently used files, newest first
};

struct TWelcomeResult {
    int choice = 0;         // 1 new song, 2 open a file, 3 open the selected recent file
    QString selectedRecent; // the selected recent-file entry as listed; empty when none
};

class TfrmWelcome : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmWelcome(const platform::Services &services, QWidget *parent = nullptr);

    // Lists the recent files; returns the user's choice, or nullopt when the screen was
    // closed without one.
    std::optional<TWelcomeResult> Ask(const TWelcomeInput &in);

protected:
    // Ends the screen with a choice (1, 2 or 3); the screen's buttons call it.
    void Choose(int choice);

private:
    platform::Services services_;
    int choice_ = 0;
    QListWidget *lbWelcomeMRU;
};
