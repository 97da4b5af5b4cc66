#include "dialogs/FrmFind.h"

Tfrmfind::Tfrmfind(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmfind"));
    setWindowTitle(QStringLiteral("Find Text"));
}
