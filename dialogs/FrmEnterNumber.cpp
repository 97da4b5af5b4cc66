#include "dialogs/FrmEnterNumber.h"

TfrmEnterNumber::TfrmEnterNumber(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmEnterNumber"));
    setWindowTitle(QStringLiteral("Go to line..."));
}
