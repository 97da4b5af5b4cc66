#include "dialogs/FrmInputSingleLine.h"

TfrmInputSingleLine::TfrmInputSingleLine(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmInputSingleLine"));
    setWindowTitle(QString());
}
