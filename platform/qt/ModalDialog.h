#pragma once
// Base of the program's long-lived dialogs. A dialog is created once and shown again and
// again with ShowModal(), which returns its modal result (mrOk, mrCancel, or a number of
// the dialog's own). The showing itself goes through an IModalRunner: the Qt runner runs
// the dialog's event loop; ScriptedModalRunner (TestServices.h) answers at once from a
// queue, so a test never blocks on a dialog.
//
// ShowModal() calls FormShow() and FormActivate() before the dialog runs and
// FormDeactivate() after it closes, with both runners alike; dialogs put their
// preparation there rather than in Qt's show events, so tests see the same behaviour.
//
// A button ends the dialog with SetModalResult(r). Esc and the close box give mrCancel
// (override reject() for another result).
#include "platform/qt/ModalResult.h"

#include <QDialog>

namespace platform {

class ModalDialog;

class IModalRunner {
public:
    virtual ~IModalRunner() = default;
    // Shows `dialog` modally until it ends; returns its modal result.
    virtual int RunModal(ModalDialog &dialog) = 0;
};

class ModalDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModalDialog(IModalRunner &runner, QWidget *parent = nullptr);

    // Prepares and shows the dialog; returns the modal result (never mrNone: a dialog
    // that ends without one reports mrCancel). A dialog already showing is not shown
    // again: the call returns mrCancel.
    int ShowModal();
    // Ends the dialog with `result` (mrNone does nothing).
    void SetModalResult(int result);
    int ModalResult() const { return modalResult_; }
    // True while ShowModal runs.
    bool Showing() const { return showing_; }

    void accept() override { SetModalResult(mrOk); }
    void reject() override { SetModalResult(mrCancel); }

protected:
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormDeactivate() {}

private:
    IModalRunner &runner_;
    int modalResult_ = mrNone;
    bool showing_ = false;
};

// Runs the dialog's own event loop (QDialog::exec).
class QtModalRunner : public IModalRunner {
public:
    int RunModal(ModalDialog &dialog) override;
};

} // namespace platform
