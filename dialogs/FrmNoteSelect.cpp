#include "dialogs/FrmNoteSelect.h"

TfrmNoteSelect::TfrmNoteSelect(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmNoteSelect"));
    setWindowTitle(QStringLiteral("Select Current Note Duration"));
}
