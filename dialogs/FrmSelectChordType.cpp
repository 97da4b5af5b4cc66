#include "dialogs/FrmSelectChordType.h"

TfrmSelectChordType::TfrmSelectChordType(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectChordType"));
    setWindowTitle(QStringLiteral("Single Click to Select Chord Type"));
}
