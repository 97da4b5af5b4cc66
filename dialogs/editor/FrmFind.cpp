#include "dialogs/editor/FrmFind.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

Tfrmfind::Tfrmfind(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmfind"));
    setWindowTitle(QStringLiteral("Find Text"));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(220);
    options_ = MakeSearchOptionsBox(this);
    BitBtn3 = MakeDialogButton(this, "BitBtn3", QStringLiteral("OK"));
    BitBtn3->setDefault(true);
    BitBtn2 = MakeDialogButton(this, "BitBtn2", QStringLiteral("Cancel"));
    connect(BitBtn3, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrOk); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });

    auto *entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("Find:"), this));
    entry->addWidget(Edit1, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addLayout(entry);
    left->addWidget(options_.group);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<TFindRequest> Tfrmfind::Ask(const TFindInput &in) {
    if (const auto seed = SearchTextFromSelection(in.selection))
        SetFindText(*seed);
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    return Current();
}

TFindRequest Tfrmfind::Current() const { return TFindRequest{GetFindText(), options_.Options()}; }

std::string Tfrmfind::GetFindText() const { return Edit1->text().toStdString(); }

void Tfrmfind::SetFindText(const std::string &text) {
    const QSignalBlocker block(Edit1);
    Edit1->setText(QString::fromStdString(text));
}

void Tfrmfind::FormActivate() {
    Edit1->setFocus();
    Edit1->selectAll();
}
