#include "dialogs/pickers/FrmSelectScaleType.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/PickerRules.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSelectScaleType::TfrmSelectScaleType(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectScaleType"));
    setWindowTitle(QStringLiteral("Single Click to Select Scale Type"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);

    // The captions line up their "=" in a fixed-pitch font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto *list = new QVBoxLayout;
    list->setSpacing(0);
    const auto groups = ScaleGroupHeadings();
    int group = -1;
    for (const TScaleRow &scale : ScaleRows()) {
        if (scale.group != group) {
            group = scale.group;
            const std::string_view title = groups[static_cast<size_t>(group)];
            auto *heading = new QLabel(QString::fromUtf8(title.data(), static_cast<int>(title.size())), this);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            if (list->count() > 0)
                list->addSpacing(6);
            list->addWidget(heading);
        }
        auto *label = new TClickLabel(QString::fromStdString(ScaleDefinitionOf(scale)), scale.label, this);
        label->setObjectName(QStringLiteral("Label%1").arg(scale.label));
        label->setFont(fixed);
        connect(label, &TClickLabel::Click, this, &TfrmSelectScaleType::Label24Click);
        list->addWidget(label);
    }

    auto *legend = new QHBoxLayout;
    for (const char *text : {"W = Whole Step", "M = Third", "H = Half Step"})
        legend->addWidget(new QLabel(QString::fromLatin1(text), this));
    legend->addStretch();

    BitBtnClearScale = MakeDialogButton(this, "BitBtnClearScale", QStringLiteral("Clear Scale"));
    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("Close"));
    connect(BitBtnClearScale, &QPushButton::clicked, this, &TfrmSelectScaleType::BitBtnClearScaleClick);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BitBtnClearScale);
    bottom->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(list);
    layout->addSpacing(8);
    layout->addLayout(legend);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<std::string> TfrmSelectScaleType::Ask(const TScaleTypeInput &in) {
    in_ = in;
    chosen_.reset();
    const int result = ShowModal();
    in_ = {};
    if (result != platform::mrOk)
        return std::nullopt;
    return chosen_;
}

void TfrmSelectScaleType::Label24Click(const TClickLabel &sender) {
    if (!Showing())
        return;
    chosen_ = sender.text().toStdString();
    SetModalResult(platform::mrOk);
}

void TfrmSelectScaleType::BitBtnClearScaleClick() {
    if (in_.clearScale)
        in_.clearScale();
    SetModalResult(platform::mrCancel);
}
