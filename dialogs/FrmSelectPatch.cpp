#include "dialogs/FrmSelectPatch.h"

TfrmSelectPatch::TfrmSelectPatch(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectPatch"));
    setWindowTitle(QString());
}
