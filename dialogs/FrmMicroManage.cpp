#include "dialogs/FrmMicroManage.h"

TFrmMicroManage::TFrmMicroManage(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("FrmMicroManage"));
    setWindowTitle(QStringLiteral("Set Multiple Durations for Line"));
}
