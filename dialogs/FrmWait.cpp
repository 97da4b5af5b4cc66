#include "dialogs/FrmWait.h"

TfrmWait::TfrmWait(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral("Calculation in process..."));
}
