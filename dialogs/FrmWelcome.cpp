#include "dialogs/FrmWelcome.h"
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
