#include "dialogs/FrmSelectTuning.h"

TfrmSelectTuning::TfrmSelectTuning(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectTuning"));
    setWindowTitle(QStringLiteral("Tuning"));
}
