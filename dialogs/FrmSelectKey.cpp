#include "dialogs/FrmSelectKey.h"

TFrmSelectKey::TFrmSelectKey(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("FrmSelectKey"));
    setWindowTitle(QStringLiteral("Single Click To Select Scale Key"));
}
