#include "dialogs/FrmEnterTimeSig.h"

TfrmEnterTimeSig::TfrmEnterTimeSig(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmEnterTimeSig"));
    setWindowTitle(QString());
}
