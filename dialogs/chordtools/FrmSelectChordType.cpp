#include "dialogs/chordtools/FrmSelectChordType.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/PickerRules.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
} // namespace

TfrmSelectChordType::TfrmSelectChordType(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectChordType"));
    setWindowTitle(QStringLiteral("Single Click to Select Chord Type"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(249, 236, 216));
    setPalette(background);
    setMouseTracking(true);

    // A column under each heading.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(1);
    const auto headings = ChordTypeHeadings();
    const auto types = ChordTypeRows();
    for (size_t h = 0; h < headings.size(); ++h) {
        auto *heading = new QLabel(Text(headings[h].caption), this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, 0, static_cast<int>(h));
        if (!headings[h].suggestion.empty()) {
            heading->installEventFilter(this);
            hints_[heading] = Text(headings[h].suggestion);
        }
        const int end = h + 1 < headings.size() ? headings[h + 1].firstType : 46;
        int row = 1;
        for (const TChordTypeRow &t : types) {
            if (t.number < headings[h].firstType || t.number >= end)
                continue;
            auto *label = new TClickLabel(Text(t.caption), t.row, this);
            label->setObjectName(QStringLiteral("Label%1").arg(t.number));
            label->installEventFilter(this);
            hints_[label] = Text(t.suggestion);
            connect(label, &TClickLabel::Click, this, &TfrmSelectChordType::Label1Click);
            grid->addWidget(label, row++, static_cast<int>(h), Qt::AlignTop);
        }
    }
    grid->setRowStretch(grid->rowCount(), 1);

    lblScaleSuggestion = new QLabel(this);
    lblScaleSuggestion->setObjectName(QStringLiteral("lblScaleSuggestion"));
    lblScaleSuggestion->setStyleSheet(QStringLiteral("color: black"));
    lblScaleSuggestion->setMinimumWidth(300);
    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("Close"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblScaleSuggestion);
    bottom->addStretch();
    bottom->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<TChordTypeChoice> TfrmSelectChordType::Ask() {
    chosen_.reset();
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    return chosen_;
}

void TfrmSelectChordType::FormActivate() {
    lblScaleSuggestion->clear();
    setWindowTitle(QStringLiteral("Single Click to Select Chord Type"));
}

bool TfrmSelectChordType::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Enter)
        if (const auto hint = hints_.find(watched); hint != hints_.end())
            lblScaleSuggestion->setText(QString::fromStdString(ScaleSuggestionText(hint->second.toStdString())));
    return platform::ModalDialog::eventFilter(watched, event);
}

void TfrmSelectChordType::mouseMoveEvent(QMouseEvent *event) {
    // The mouse over the bare form: no suggestion. (Moves over a label come here too.)
    if (!hints_.contains(childAt(event->position().toPoint())))
        lblScaleSuggestion->clear();
    platform::ModalDialog::mouseMoveEvent(event);
}

void TfrmSelectChordType::Label1Click(const TClickLabel &sender) {
    if (!Showing())
        return;
    // The type number is the label's own number; its tag the formula row it shows.
    chosen_ = TChordTypeChoice{sender.objectName().mid(5).toInt(), sender.Tag};
    SetModalResult(platform::mrOk);
}
