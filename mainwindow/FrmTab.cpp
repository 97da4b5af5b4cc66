#include "mainwindow/FrmTab.h"

TfrmTab::TfrmTab(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmTab"));
    setWindowTitle(QStringLiteral("Tablature"));
}
