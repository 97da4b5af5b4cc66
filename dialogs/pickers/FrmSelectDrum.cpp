#include "dialogs/pickers/FrmSelectDrum.h"

#include "dialogs/common/DialogControls.h"
#include "song/TextUtil.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSelectDrum::TfrmSelectDrum(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectDrum"));
    setWindowTitle(QString());
    setWindowFlag(Qt::Tool);

    LabelTitle = new QLabel(this);
    LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
    QFont bold = LabelTitle->font();
    bold.setBold(true);
    LabelTitle->setFont(bold);

    // One column under each heading.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(0);
    const auto captions = PercussionCaptions();
    const auto headings = PercussionHeadings();
    for (size_t h = 0; h < headings.size(); ++h) {
        auto *heading = new QLabel(QString::fromUtf8(headings[h].caption), this);
        heading->setFont(bold);
        grid->addWidget(heading, 0, static_cast<int>(h));
        const int first = headings[h].firstLabel;
        const int end = h + 1 < headings.size() ? headings[h + 1].firstLabel : static_cast<int>(captions.size()) + 1;
        for (int n = first; n < end; ++n) {
            const std::string_view caption = captions[static_cast<size_t>(n - 1)];
            auto *label = new TClickLabel(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())),
                                          PercussionKey(caption), this);
            label->setObjectName(QStringLiteral("Label%1").arg(n));
            connect(label, &TClickLabel::Click, this, &TfrmSelectDrum::LabelClick);
            connect(label, &TClickLabel::DblClick, this, &TfrmSelectDrum::LabelDblClick);
            grid->addWidget(label, 1 + n - first, static_cast<int>(h), Qt::AlignTop);
        }
    }
    grid->setRowStretch(grid->rowCount(), 1);

    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("Close"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelTitle);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<DrumSlot> TfrmSelectDrum::Ask(const TDrumPickInput &in) {
    in_ = in;
    chosen_.reset();
    ShowModal();
    in_ = {};
    return chosen_;
}

void TfrmSelectDrum::FormShow() { LabelTitle->setText(QStringLiteral("Double-click a drum to use it")); }

void TfrmSelectDrum::LabelClick(const TClickLabel &sender) {
    // The release that ends a double click comes after the choice closed the window.
    if (!Showing() || ModalResult() != platform::mrNone)
        return;
    if (in_.preview)
        in_.preview(PercussionPreview(sender.Tag, in_.channel, in_.volume));
}

void TfrmSelectDrum::LabelDblClick(const TClickLabel &sender) {
    if (!Showing())
        return;
    chosen_ = DrumSlot{Trim(sender.text().toStdString()), sender.Tag};
    SetModalResult(platform::mrOk);
}
