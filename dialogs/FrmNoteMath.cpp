#include "dialogs/FrmNoteMath.h"

TfrmNoteMath::TfrmNoteMath(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmNoteMath"));
    setWindowTitle(QStringLiteral("Note Math"));
}
