#include "dialogs/editor/FrmNoteMath.h"

#include "dialogs/common/DialogControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kRows[kNoteValues] = {"Whole",     "Half",         "Quarter",    "Eighth",
                                        "Sixteenth", "Thirtysecond", "Sixtyfourth"};
const char *const kRegular[kNoteValues] = {"Labelwhole",     "LabelHalf",         "LabelQuarter",    "LabelEighth",
                                           "LabelSixteenth", "LabelThirtysecond", "LabelSixtyfourth"};
const char *const kDotted[kNoteValues] = {"LabelWholeD",     "LabelHalfd",         "LabelQuarterD",    "LabelEighthD",
                                          "LabelSixteenthD", "LabelThirtySecondD", "LabelSixtyfourthD"};
const char *const kTriplet[kNoteValues] = {"LabelWholeT",     "LabelHalfT",         "LabelQuarterT",    "LabelEightT",
                                           "LabelSixteenthT", "LabelThirtySecondT", "LabelSixtyFourthT"};
const char *const kTotals[kNoteValues] = {"labelTotalWhole",      "labelTotalHalf",      "labelTotalQuarter",
                                          "LabelTotalEighth",     "LabelTotalSixteenth", "LabelTotalThirtySecond",
                                          "LabelTotalSixtyFourth"};

QLabel *Value(QWidget *parent, const char *name) {
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(48);
    return label;
}

} // namespace

TfrmNoteMath::TfrmNoteMath(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmNoteMath"));
    setWindowTitle(QStringLiteral("Note Math"));

    auto *ticks = new QGroupBox(QStringLiteral("Note Durations in Ticks"), this);
    auto *grid = new QGridLayout(ticks);
    grid->setHorizontalSpacing(14);
    const char *const columns[] = {"Regular", "Dotted", "Triplet"};
    for (int c = 0; c < 3; ++c) {
        auto *head = new QLabel(QString::fromLatin1(columns[c]), ticks);
        QFont bold = head->font();
        bold.setBold(true);
        head->setFont(bold);
        grid->addWidget(head, 0, c + 1, Qt::AlignRight);
    }
    auto *totals = new QGroupBox(QStringLiteral("Equivilants"), this);
    auto *totalGrid = new QGridLayout(totals);
    lblTotalTicks = new QLabel(totals);
    lblTotalTicks->setObjectName(QStringLiteral("lblTotalTicks"));
    totalGrid->addWidget(lblTotalTicks, 0, 0, 1, 2);
    for (int i = 0; i < kNoteValues; ++i) {
        const QString row = QString::fromLatin1(kRows[i]);
        grid->addWidget(new QLabel(row, ticks), i + 1, 0);
        regular_[size_t(i)] = Value(ticks, kRegular[i]);
        dotted_[size_t(i)] = Value(ticks, kDotted[i]);
        triplet_[size_t(i)] = Value(ticks, kTriplet[i]);
        grid->addWidget(regular_[size_t(i)], i + 1, 1);
        grid->addWidget(dotted_[size_t(i)], i + 1, 2);
        grid->addWidget(triplet_[size_t(i)], i + 1, 3);
        totalGrid->addWidget(new QLabel(row + QStringLiteral(":"), totals), i + 1, 0);
        totals_[size_t(i)] = Value(totals, kTotals[i]);
        totals_[size_t(i)]->setMinimumWidth(70);
        totalGrid->addWidget(totals_[size_t(i)], i + 1, 1);
    }

    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    BitBtnWindowsCalculator = MakeDialogButton(this, "BitBtnWindowsCalculator", QStringLiteral("Calculator"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrOk); });
    connect(BitBtnWindowsCalculator, &QPushButton::clicked, this, [this] {
        if (!services_.shell.StartCalculator())
            services_.messages.Error(
                platform::CouldNotOpenText(QStringLiteral("a calculator"), platform::CalculatorCandidates()));
    });

    auto *tables = new QHBoxLayout;
    tables->addWidget(ticks);
    tables->addWidget(totals);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnWindowsCalculator);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tables);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmNoteMath::Ask(const TNoteMathInput &in) {
    const TNoteMath &m = in.math;
    for (size_t i = 0; i < size_t(kNoteValues); ++i) {
        regular_[i]->setText(QString::number(m.regular[i]));
        dotted_[i]->setText(QString::number(m.dotted[i]));
        triplet_[i]->setText(QString::number(m.triplet[i]));
        totals_[i]->setText(QString::fromStdString(m.totals[i].text));
        QFont f = totals_[i]->font();
        f.setBold(m.totals[i].bold); // the values that fill the selection exactly stand out
        totals_[i]->setFont(f);
    }
    lblTotalTicks->setText(QString::fromStdString(m.tickCountText));
    setWindowTitle(QString::fromStdString(m.caption));
    ShowModal();
}
