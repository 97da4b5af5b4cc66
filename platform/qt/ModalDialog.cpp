#include "platform/qt/ModalDialog.h"

namespace platform {

ModalDialog::ModalDialog(IModalRunner &runner, QWidget *parent) : QDialog(parent), runner_(runner) { setModal(true); }

int ModalDialog::ShowModal() {
    if (showing_)
        return mrCancel; // already on screen: a second modal run would nest inside the first
    modalResult_ = mrNone;
    showing_ = true;
    FormShow();
    FormActivate();
    int result = runner_.RunModal(*this);
    if (result == mrNone)
        result = modalResult_ != mrNone ? modalResult_ : int(mrCancel);
    modalResult_ = result;
    FormDeactivate();
    showing_ = false;
    return result;
}

void ModalDialog::SetModalResult(int result) {
    if (result == mrNone)
        return;
    modalResult_ = result;
    done(result);
}

int QtModalRunner::RunModal(ModalDialog &dialog) {
    const int result = dialog.exec();
    return result != mrNone ? result : dialog.ModalResult();
}

} // namespace platform
