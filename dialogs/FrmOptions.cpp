#include "dialogs/FrmOptions.h"

TfrmOptions::TfrmOptions(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Program Options"));
}

std::optional<ProgramOptions> TfrmOptions::Ask(const TOptionsInput &in) {
    options_ = in.options;
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    return options_;
}
