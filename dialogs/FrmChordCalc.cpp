#include "dialogs/FrmChordCalc.h"

TfrmChordCalc::TfrmChordCalc(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmChordCalc"));
    setWindowTitle(QStringLiteral("Tarrowind Chord Calculator"));
}
