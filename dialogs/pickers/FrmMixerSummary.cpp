#include "dialogs/pickers/FrmMixerSummary.h"

#include "dialogs/common/DialogControls.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TfrmMixerSummary::TfrmMixerSummary(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmMixerSummary"));
    setWindowTitle(QStringLiteral("Song Information"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(254, 235, 235));
    setPalette(background);

    // One fixed-pitch font for the header and the rows, so their padded columns line up.
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    fixed.setPointSizeF(font().pointSizeF()); // the size of the window's own text, not the family's default
    const QFontMetrics widths(fixed);
    if (widths.horizontalAdvance(QLatin1Char('i')) != widths.horizontalAdvance(QLatin1Char('W'))) {
        fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSizeF(font().pointSizeF());
    }
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(fixed);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFont(fixed);
    const QFontMetrics metrics(fixed);
    ListBox1->setMinimumWidth(metrics.horizontalAdvance(QString::fromStdString(SummaryHeader())) + 40);
    ListBox1->setMinimumHeight(metrics.lineSpacing() * 17);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { SetModalResult(platform::mrOk); });

    CheckBoxShowMixerAfterFileOpen = new QCheckBox(QStringLiteral("Show this after loading a file"), this);
    CheckBoxShowMixerAfterFileOpen->setObjectName(QStringLiteral("CheckBoxShowMixerAfterFileOpen"));
    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrOk); });

    auto *header = new QHBoxLayout;
    header->setContentsMargins(3 + ListBox1->frameWidth(), 0, 0, 0); // over the rows' first character
    header->addWidget(Label1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CheckBoxShowMixerAfterFileOpen);
    bottom->addStretch();
    bottom->addWidget(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->addLayout(header);
    layout->addWidget(ListBox1);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TSummaryResult TfrmMixerSummary::Ask(const TSummaryInput &in) {
    Label1->setText(QString::fromStdString(in.summary.header));
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        for (const std::string &row : in.summary.rows)
            ListBox1->addItem(QString::fromStdString(row));
        ListBox1->setCurrentRow(in.summary.selected);
        if (in.summary.selected < 0)
            ListBox1->clearSelection();
    }
    {
        const QSignalBlocker block(CheckBoxShowMixerAfterFileOpen);
        CheckBoxShowMixerAfterFileOpen->setChecked(in.showAfterFileOpen);
    }
    const bool ok = ShowModal() == platform::mrOk;
    TSummaryResult result;
    result.showAfterFileOpen = CheckBoxShowMixerAfterFileOpen->isChecked();
    if (const QListWidgetItem *item = ListBox1->currentItem(); ok && item && item->isSelected())
        result.tab = SummaryRowTab(item->text().toStdString());
    return result;
}

void TfrmMixerSummary::FormActivate() {
    setWindowTitle(QStringLiteral("Song Information"));
    BitBtn1->setFocus();
}
