#include "dialogs/FrmReplace.h"

TfrmReplace::TfrmReplace(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("Replace Text"));
}
