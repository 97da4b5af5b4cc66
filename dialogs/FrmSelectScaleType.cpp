#include "dialogs/FrmSelectScaleType.h"

TfrmSelectScaleType::TfrmSelectScaleType(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectScaleType"));
    setWindowTitle(QStringLiteral("Single Click to Select Scale Type"));
}
