#include "dialogs/chordtools/FrmWait.h"

#include "dialogs/common/DialogControls.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmWait::TfrmWait(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral("Calculation in process..."));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumWidth(Label1->fontMetrics().horizontalAdvance(QStringLiteral("Chord count: 99999")) + 40);
    BitBtnCancel = MakeDialogButton(this, "BitBtnCancel", QStringLiteral("Stop Calculating Chords"));
    connect(BitBtnCancel, &QPushButton::clicked, this, &TfrmWait::BitBtnCancelClick);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(BitBtnCancel, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmWait::Begin(const QString &caption, std::function<void()> onStop, QWidget *over) {
    onStop_ = std::move(onStop);
    setWindowTitle(caption);
    Label1->clear();
    adjustSize();
    if (over)
        move(over->mapToGlobal(over->rect().center()) - rect().center());
    show();
    raise();
    activateWindow();
    BitBtnCancel->setFocus();
}

void TfrmWait::SetMessage(const QString &text) { Label1->setText(text); }

void TfrmWait::End() {
    onStop_ = nullptr;
    hide();
}

void TfrmWait::BitBtnCancelClick() {
    if (onStop_)
        onStop_();
}

void TfrmWait::reject() { BitBtnCancelClick(); }

void TfrmWait::closeEvent(QCloseEvent *event) {
    // The search hides the window when it ends; a close request is a stop request.
    if (isVisible() && onStop_) {
        event->ignore();
        BitBtnCancelClick();
        return;
    }
    platform::ModalDialog::closeEvent(event);
}
