#include "dialogs/editor/FrmEnterNumber.h"

#include "dialogs/common/DialogControls.h"
#include "song/TextUtil.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

TfrmEnterNumber::TfrmEnterNumber(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmEnterNumber"));
    setWindowTitle(QStringLiteral("Go to line..."));

    Edit1 = new QLineEdit(QStringLiteral("1"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFixedWidth(80);
    // Digits only: no sign, so 0 is the least that can be typed and the opener refuses it.
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), Edit1));
    Edit1->installEventFilter(this);
    UpDown1 = new TUpDown(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    connect(UpDown1, &TUpDown::Stepped, this, &TfrmEnterNumber::Step);
    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    BitBtn2 = MakeDialogButton(this, "BitBtn2", QStringLiteral("Cancel"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrOk); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });

    auto *entry = new QHBoxLayout;
    entry->addWidget(Edit1);
    entry->addWidget(UpDown1);
    entry->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<int> TfrmEnterNumber::Ask(const TGoToInput &in) {
    max_ = std::max(1, in.lineCount);
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    const std::optional<int32_t> number = ReadInteger(Edit1->text().toStdString());
    return number ? std::optional<int>(*number) : std::nullopt;
}

void TfrmEnterNumber::FormActivate() {
    Edit1->setFocus();
    Edit1->selectAll();
}

bool TfrmEnterNumber::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return platform::ModalDialog::eventFilter(watched, event);
}

void TfrmEnterNumber::Step(int delta) {
    // The up-down runs from 1 to the line count: a number typed beyond it is first brought back in.
    const int typed = ReadIntegerDef(Edit1->text().toStdString(), 1);
    const int held = std::clamp(typed, 1, max_);
    Edit1->setText(QString::number(std::clamp(held == typed ? held + delta : held, 1, max_)));
}
