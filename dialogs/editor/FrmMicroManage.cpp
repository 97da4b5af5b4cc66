#include "dialogs/editor/FrmMicroManage.h"

#include "dialogs/common/DialogControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace lineedit;

namespace {

constexpr int kColumnWidth = 73;

QString Text(const std::string &s) { return QString::fromStdString(s); }

QStringList Items(std::span<const std::string> items) {
    QStringList out;
    for (const std::string &item : items)
        out << Text(item);
    return out;
}

void Refill(QComboBox *list, const QStringList &items) {
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

// Selects the item with exactly `text`; none when there is no such item.
void Select(QComboBox *list, const QString &text) {
    const QSignalBlocker block(list);
    list->setCurrentIndex(list->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

} // namespace

TFrmMicroManage::TFrmMicroManage(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("FrmMicroManage"));
    setWindowTitle(QStringLiteral("Set Multiple Durations for Line"));
    setWindowFlag(Qt::Tool);

    labelFRTLine = new QLabel(this);
    labelFRTLine->setObjectName(QStringLiteral("labelFRTLine"));
    labelFRTLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    labelFRTLine->setAlignment(Qt::AlignCenter);
    labelFRTLine->setMinimumHeight(labelFRTLine->sizeHint().height() + 6);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(4);
    const char *rowCaptions[] = {"Note:", "Duration:", "Volume:", "Fingering:"};
    QLabel *rowLabels[4];
    for (int r = 0; r < 4; ++r) {
        rowLabels[r] = new QLabel(QString::fromLatin1(rowCaptions[r]), this);
        grid->addWidget(rowLabels[r], r + 1, 0, Qt::AlignRight);
    }
    lblFingering = rowLabels[3];
    lblFingering->hide(); // the fingering row is carried, not shown

    const QStringList durations = Items(DurationItems());
    QStringList volumes;
    for (int v = kMinVolume; v <= kMaxVolume; ++v)
        volumes << QString::number(v);
    for (int c = 1; c <= kMaxColumns; ++c) {
        const QString n = QString::number(c);
        TColumnLists &col = columns_[static_cast<size_t>(c - 1)];
        col.Label = new QLabel(this);
        col.Label->setObjectName(QStringLiteral("Label") + n);
        QFont bold = col.Label->font();
        bold.setBold(true);
        col.Label->setFont(bold);
        col.Label->setAlignment(Qt::AlignCenter);
        auto list = [this, &n](const char *name) {
            auto *box = new QComboBox(this);
            box->setObjectName(QString::fromLatin1(name) + n);
            box->setFixedWidth(kColumnWidth);
            box->setMaxVisibleItems(20);
            return box;
        };
        col.cboFretNumber = list("cboFretNumber");
        col.cboDur = list("cboDur");
        col.cboDur->setEditable(true);
        col.cboDur->setInsertPolicy(QComboBox::NoInsert);
        col.cboDur->addItems(durations);
        col.cboVol = list("cboVol");
        col.cboVol->addItems(volumes);
        col.cboFingering = list("cboFingering");
        col.cboFingering->hide();
        // Only the user's changes rebuild the line; lists set by code stay quiet.
        for (QComboBox *box : {col.cboFretNumber, col.cboDur, col.cboVol, col.cboFingering})
            connect(box, &QComboBox::activated, this, [this, c] { cboFretNumberChange(c); });
        connect(col.cboDur->lineEdit(), &QLineEdit::textEdited, this, [this, c] { cboFretNumberChange(c); });
        grid->addWidget(col.Label, 0, c);
        grid->addWidget(col.cboFretNumber, 1, c);
        grid->addWidget(col.cboDur, 2, c);
        grid->addWidget(col.cboVol, 3, c);
        grid->addWidget(col.cboFingering, 4, c);
    }

    BitBtnOK = MakeDialogButton(this, "BitBtnOK", QStringLiteral("OK"));
    BitBtnOK->setDefault(true);
    BitBtnCancel = MakeDialogButton(this, "BitBtnCancel", QStringLiteral("Cancel"));
    connect(BitBtnOK, &QPushButton::clicked, this, &TFrmMicroManage::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    auto *closing = new QHBoxLayout;
    closing->addStretch(1);
    closing->addWidget(BitBtnOK);
    closing->addSpacing(15);
    closing->addWidget(BitBtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labelFRTLine);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(closing);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<std::string> TFrmMicroManage::Ask(const TLineEditInput &in) {
    // A line that does not read would leave the lists showing another line: nothing opens.
    model_ = TLineEditModel::Open(in.line, in.ctx);
    if (!model_)
        return std::nullopt;
    labelFRTLine->setText(Text(in.line));
    const int result = ShowModal();
    std::optional<std::string> line;
    if (result == platform::mrOk)
        line = model_->Line();
    model_.reset();
    return line;
}

void TFrmMicroManage::FormShow() {
    const bool piano = model_->Piano();
    const QStringList numbers = Items(NumberItems(piano));
    const QStringList fingerings = Items(FingeringItems(piano));
    for (int c = 1; c <= kMaxColumns; ++c) {
        TColumnLists &col = columns_[static_cast<size_t>(c - 1)];
        Refill(col.cboFretNumber, numbers);
        Refill(col.cboFingering, fingerings);
        if (c <= model_->ColumnCount())
            ShowColumn(c);
    }
    SetColumnLayout(model_->ColumnCount());
    UpdateEnabledColumns();
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
    }
}

void TFrmMicroManage::ShowColumn(int column) {
    const TColumn value = model_->Column(column);
    TColumnLists &col = columns_[static_cast<size_t>(column - 1)];
    Select(col.cboFretNumber, QString::number(value.number));
    {
        const QSignalBlocker block(col.cboDur);
        const QString duration = Text(value.duration);
        col.cboDur->setCurrentIndex(col.cboDur->findText(duration, Qt::MatchFixedString | Qt::MatchCaseSensitive));
        col.cboDur->setEditText(duration);
    }
    Select(col.cboVol, value.volume ? QString::number(*value.volume) : QString());
    Select(col.cboFingering, Text(value.fingering));
}

void TFrmMicroManage::SetColumnLayout(int columns) {
    for (int c = 1; c <= kMaxColumns; ++c) {
        TColumnLists &col = columns_[static_cast<size_t>(c - 1)];
        const bool shown = c <= columns;
        col.Label->setText(shown ? Text(model_->ColumnCaption(c)) : QString());
        for (QWidget *w : {static_cast<QWidget *>(col.Label), static_cast<QWidget *>(col.cboFretNumber),
                           static_cast<QWidget *>(col.cboDur), static_cast<QWidget *>(col.cboVol)})
            w->setVisible(shown);
    }
}

void TFrmMicroManage::UpdateEnabledColumns() {
    for (TColumnLists &col : columns_) {
        const bool sounds = col.cboFretNumber->currentText().trimmed() != QStringLiteral("-1");
        col.cboDur->setEnabled(sounds);
        col.cboVol->setEnabled(sounds);
    }
}

void TFrmMicroManage::cboFretNumberChange(int column) {
    UpdateEnabledColumns();
    if (!model_ || column > model_->ColumnCount())
        return;
    const TColumnLists &col = columns_[static_cast<size_t>(column - 1)];
    TColumn value;
    value.number = col.cboFretNumber->currentIndex() >= 0 ? col.cboFretNumber->currentText().toInt()
                                                          : model_->Column(column).number;
    value.duration = col.cboDur->currentText().toStdString();
    if (col.cboVol->currentIndex() >= 0)
        value.volume = col.cboVol->currentText().toInt();
    // The fingering row is hidden: a fingering its list cannot show is carried along.
    value.fingering = col.cboFingering->currentIndex() >= 0 ? col.cboFingering->currentText().toStdString()
                                                            : model_->Column(column).fingering;
    model_->SetColumn(column, value);
    labelFRTLine->setText(Text(model_->Line()));
}

void TFrmMicroManage::BitBtnOKClick() {
    const std::string error = model_ ? model_->CheckOnOk() : std::string();
    if (!error.empty()) {
        services_.messages.Error(Text(error));
        return;
    }
    SetModalResult(platform::mrOk);
}
