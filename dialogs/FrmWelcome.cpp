#include "dialogs/FrmWelcome.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

TfrmWelcome::TfrmWelcome(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(QStringLiteral("Welcome To Tarrowind Version 2"));

    lbWelcomeMRU = new QListWidget(this);
    lbWelcomeMRU->setObjectName(QStringLiteral("lbWelcomeMRU"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lbWelcomeMRU);
}

std::optional<TWelcomeResult> TfrmWelcome::Ask(const TWelcomeInput &in) {
    {
        const QSignalBlocker blockList(lbWelcomeMRU);
        lbWelcomeMRU->clear();
        lbWelcomeMRU->addItems(in.recentFiles);
    }
    choice_ = 0;
    ShowModal();
    if (choice_ == 0)
        return std::nullopt;
    const QListWidgetItem *item = lbWelcomeMRU->currentItem();
    return TWelcomeResult{choice_, item ? item->text() : QString()};
}

void TfrmWelcome::Choose(int choice) {
    choice_ = choice;
    SetModalResult(platform::mrOk);
}
