#include "dialogs/editor/FrmNoteSelect.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/common/DurationGlyphs.h"

#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int kGlyphSize = 28;
constexpr int kButtonSize = 36;

// The note of a length with a dot beside its head (dotted) or a small 3 above it (triplet).
QPixmap PickPixmap(const TNotePick &pick) {
    QPixmap pm = glyphs::NotePixmap(pick.index, kGlyphSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (pick.family == TNoteFamily::Dotted) {
        p.setBrush(Qt::black);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(kGlyphSize * 0.8, kGlyphSize * 0.78), kGlyphSize * 0.07, kGlyphSize * 0.07);
    } else if (pick.family == TNoteFamily::Triplet) {
        QFont f = p.font();
        f.setPixelSize(kGlyphSize / 3);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 0, kGlyphSize * 0.45, kGlyphSize * 0.4), Qt::AlignCenter, QStringLiteral("3"));
    }
    return pm;
}

} // namespace

TfrmNoteSelect::TfrmNoteSelect(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmNoteSelect"));
    setWindowTitle(QStringLiteral("Select Current Note Duration"));
    setWindowFlag(Qt::Tool);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(0);
    const TNoteFamily families[] = {TNoteFamily::Plain, TNoteFamily::Dotted, TNoteFamily::Triplet};
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < kNotePickLengths; ++i) {
            const TNotePick pick{i, families[row]};
            auto *button = new QToolButton(this);
            const std::string_view name = NotePickButtonName(pick);
            button->setObjectName(QString::fromLatin1(name.data(), qsizetype(name.size())));
            button->setIcon(QIcon(PickPixmap(pick)));
            button->setIconSize(QSize(kGlyphSize, kGlyphSize));
            button->setFixedSize(kButtonSize, kButtonSize);
            button->setToolTip(QString::fromStdString(NotePickText(pick)).trimmed());
            connect(button, &QToolButton::clicked, this, [this, pick] { SpeedButtonClick(pick); });
            grid->addWidget(button, row, i);
        }
    }
    BitBtnCancel = MakeDialogButton(this, "BitBtnCancel", QStringLiteral("Cancel"));
    BitBtnCancel->setFixedWidth(kNotePickLengths * kButtonSize);
    connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    grid->addWidget(BitBtnCancel, 3, 0, 1, kNotePickLengths);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<TNotePick> TfrmNoteSelect::Ask(const TNotePickInput &in) {
    setWindowTitle(QString::fromStdString(in.caption));
    chosen_.reset();
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    return chosen_;
}

void TfrmNoteSelect::SpeedButtonClick(const TNotePick &pick) {
    chosen_ = pick;
    SetModalResult(platform::mrOk);
}
