#include "dialogs/editor/FrmReplace.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TfrmReplace::TfrmReplace(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("Replace Text"));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(220);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    options_ = MakeSearchOptionsBox(this);
    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    BitBtn2 = MakeDialogButton(this, "BitBtn2", QStringLiteral("Cancel"));
    BitBtnReplaceAll = MakeDialogButton(this, "BitBtnReplaceAll", QStringLiteral("Replace &All"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrOk); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    connect(BitBtnReplaceAll, &QPushButton::clicked, this, [this] {
        all_ = true;
        SetModalResult(platform::mrOk);
    });

    auto *entries = new QGridLayout;
    entries->addWidget(new QLabel(QStringLiteral("Find:"), this), 0, 0);
    entries->addWidget(Edit1, 0, 1);
    entries->addWidget(new QLabel(QStringLiteral("Replace"), this), 1, 0);
    entries->addWidget(Edit2, 1, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtnReplaceAll);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addLayout(entries);
    left->addWidget(options_.group);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<TReplaceRequest> TfrmReplace::Ask(const TReplaceInput &in) {
    if (const auto seed = SearchTextFromSelection(in.selection))
        SetFindText(*seed);
    all_ = false;
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    TReplaceRequest request = Current();
    request.all = all_;
    return request;
}

TReplaceRequest TfrmReplace::Current() const {
    return TReplaceRequest{GetFindText(), Edit2->text().toStdString(), options_.Options()};
}

std::string TfrmReplace::GetFindText() const { return Edit1->text().toStdString(); }

void TfrmReplace::SetFindText(const std::string &text) {
    const QSignalBlocker block(Edit1);
    Edit1->setText(QString::fromStdString(text));
}

void TfrmReplace::FormActivate() {
    Edit1->setFocus();
    Edit1->selectAll();
}
