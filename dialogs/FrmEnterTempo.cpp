#include "dialogs/FrmEnterTempo.h"

TFrmEnterTempo::TFrmEnterTempo(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("FrmEnterTempo"));
    setWindowTitle(QString());
}
