#include "dialogs/FrmSelectDrum.h"

TfrmSelectDrum::TfrmSelectDrum(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectDrum"));
    setWindowTitle(QString());
}
