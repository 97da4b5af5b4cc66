#include "dialogs/FrmSelectPianoChord.h"

TfrmSelectPianoChord::TfrmSelectPianoChord(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectPianoChord"));
    setWindowTitle(QStringLiteral("Tarrowind Chord Calculator - Piano Mode"));
}
