#include "dialogs/pickers/FrmSelectKey.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/PickerRules.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TFrmSelectKey::TFrmSelectKey(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("FrmSelectKey"));
    setWindowTitle(QStringLiteral("Single Click To Select Scale Key"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::yellow);
    setPalette(background);

    // The twelve keys in two rows of six, A first.
    auto *grid = new QGridLayout;
    int i = 0;
    for (const TKeyButton &b : KeyButtons()) {
        QPushButton *button = MakeDialogButton(this, b.name.data(), QString::fromStdString(KeyName(b.key)));
        button->setMinimumSize(56, 40);
        QFont big = button->font();
        big.setBold(true);
        big.setPointSize(big.pointSize() + 2);
        button->setFont(big);
        connect(button, &QPushButton::clicked, this, [this, key = b.key] { KeyButtonClick(key); });
        grid->addWidget(button, i / 6, i % 6);
        ++i;
    }
    BitBtnCancel = MakeDialogButton(this, "BitBtnCancel", QStringLiteral("Close"));
    connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BitBtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<int> TFrmSelectKey::Ask(const TKeyInput &in) {
    setWindowTitle(QString::fromStdString(in.caption));
    chosen_ = false;
    if (ShowModal() != platform::mrOk || !chosen_)
        return std::nullopt;
    return SelectedKey;
}

void TFrmSelectKey::KeyButtonClick(int key) {
    if (!Showing())
        return;
    SelectedKey = key;
    chosen_ = true;
    SetModalResult(platform::mrOk);
}
