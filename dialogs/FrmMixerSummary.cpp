#include "dialogs/FrmMixerSummary.h"

TfrmMixerSummary::TfrmMixerSummary(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmMixerSummary"));
    setWindowTitle(QStringLiteral("Song Information"));
}
