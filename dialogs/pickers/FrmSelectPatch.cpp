#include "dialogs/pickers/FrmSelectPatch.h"

#include "dialogs/common/DialogControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSelectPatch::TfrmSelectPatch(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectPatch"));
    setWindowTitle(QString());
    setWindowFlag(Qt::Tool);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);

    // Sixteen groups of eight sounds, four groups to a row.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(0);
    const auto headings = SoundGroupHeadings();
    for (int g = 0; g < static_cast<int>(headings.size()); ++g) {
        const int row = (g / 4) * 9, column = g % 4;
        auto *heading = new QLabel(QString::fromUtf8(headings[static_cast<size_t>(g)]), this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        heading->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160)"));
        grid->addWidget(heading, row, column);
        for (int i = 0; i < 8; ++i) {
            const int program = g * 8 + i;
            auto *label = new TClickLabel(QString::fromStdString(SoundCaption(program)), program, this);
            label->setObjectName(QStringLiteral("Label%1").arg(program));
            connect(label, &TClickLabel::Click, this, &TfrmSelectPatch::LabelClick);
            connect(label, &TClickLabel::DblClick, this, &TfrmSelectPatch::LabelDblClick);
            connect(label, &TClickLabel::RightDown, this, &TfrmSelectPatch::LabelRightDown);
            grid->addWidget(label, row + 1 + i, column);
        }
    }

    Labelclickmsg = new QLabel(this);
    Labelclickmsg->setObjectName(QStringLiteral("Labelclickmsg"));
    auto *rightClick = new QLabel(QStringLiteral("Right-click to insert '*Instrument' command"), this);
    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("Close"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });

    auto *bottom = new QHBoxLayout;
    auto *texts = new QVBoxLayout;
    texts->addWidget(Labelclickmsg);
    texts->addWidget(rightClick);
    bottom->addLayout(texts);
    bottom->addStretch();
    bottom->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<TPatchChoice> TfrmSelectPatch::Ask(const TPatchInput &in) {
    in_ = in;
    chosen_.reset();
    ShowModal();
    in_ = {};
    return chosen_;
}

void TfrmSelectPatch::FormShow() { Labelclickmsg->setText(QString::fromStdString(SoundPickerMessage(in_.tabName))); }

void TfrmSelectPatch::reject() {
    // Esc closes without a choice.
    SetModalResult(platform::mrOk);
}

void TfrmSelectPatch::LabelClick(const TClickLabel &sender) {
    // The release that ends a double click comes after the choice closed the window.
    if (!Showing() || ModalResult() != platform::mrNone)
        return;
    if (in_.preview)
        in_.preview(SoundPreview(sender.Tag, in_.bank, in_.volume));
}

void TfrmSelectPatch::LabelDblClick(const TClickLabel &sender) {
    if (!Showing())
        return;
    chosen_ = TPatchChoice{sender.Tag, sender.text().toStdString()};
    SetModalResult(platform::mrOk);
}

void TfrmSelectPatch::LabelRightDown(const TClickLabel &sender) {
    if (!Showing())
        return;
    if (in_.insertLine)
        in_.insertLine(InstrumentDirectiveLine(sender.Tag));
    SetModalResult(platform::mrOk);
}
