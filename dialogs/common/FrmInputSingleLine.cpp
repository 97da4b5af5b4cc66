#include "dialogs/common/FrmInputSingleLine.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/LineInputRules.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kGap = 20; // between the edit and the buttons, and after the last button
} // namespace

TfrmInputSingleLine::TfrmInputSingleLine(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmInputSingleLine"));
    setWindowTitle(QString());
    // A tool window with a title and no close, minimise or maximise boxes.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    edtSingleLine = new QLineEdit(this);
    edtSingleLine->setObjectName(QStringLiteral("edtSingleLine"));
    edtSingleLine->installEventFilter(this);
    BitBtnOK = MakeDialogButton(this, "BitBtnOK", QStringLiteral("OK"));
    BitBtnOK->setDefault(true);
    BitBtnCancel = MakeDialogButton(this, "BitBtnCancel", QStringLiteral("Cancel"));
    connect(BitBtnOK, &QPushButton::clicked, this, &TfrmInputSingleLine::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TfrmInputSingleLine::BitBtnCancelClick);

    auto *row = new QHBoxLayout(this);
    row->setSpacing(kGap);
    row->setContentsMargins(kGap / 2, kGap / 2, kGap, kGap / 2);
    row->addWidget(edtSingleLine, 1);
    row->addWidget(BitBtnOK);
    row->addWidget(BitBtnCancel);
}

std::optional<QString> TfrmInputSingleLine::Ask(const TInputLineInput &in) {
    setWindowTitle(in.caption);
    FilterCharacters = in.filterCharacters;
    MaxLength = in.maxLength;
    edtSingleLine->setText(in.text);
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    // However OK came about, the text it gives is filtered.
    const QString text = FilterCharacters ? QString::fromStdString(FilterInputText(edtSingleLine->text().toStdString()))
                                          : edtSingleLine->text();
    if (text.trimmed().isEmpty())
        return std::nullopt; // a blank text is no input
    return text;
}

void TfrmInputSingleLine::FormShow() {
    // Wide enough for one letter more than the limit (a name's width without one).
    const int letters = InputWidthLetters(MaxLength);
    edtSingleLine->setMinimumWidth(fontMetrics().horizontalAdvance(QString(letters, QLatin1Char('X'))) + 8);
    adjustSize();
}

void TfrmInputSingleLine::FormActivate() {
    edtSingleLine->setFocus();
    edtSingleLine->selectAll();
}

bool TfrmInputSingleLine::eventFilter(QObject *watched, QEvent *event) {
    if (watched == edtSingleLine && event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        // Only typed characters count; keys that move, delete, paste or close pass.
        const QString text = key.text();
        const bool typed = key.key() == Qt::Key_Backspace ||
                           (text.size() == 1 && text[0].unicode() >= 0x20 &&
                            !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)));
        if (typed) {
            const char32_t c = key.key() == Qt::Key_Backspace ? kBackspace : char32_t(text[0].unicode());
            const int trimmed = int(edtSingleLine->text().trimmed().size());
            if (!AcceptsTypedChar(c, trimmed, FilterCharacters, MaxLength))
                return true;
        }
    }
    return platform::ModalDialog::eventFilter(watched, event);
}

void TfrmInputSingleLine::BitBtnOKClick() {
    if (FilterCharacters)
        edtSingleLine->setText(QString::fromStdString(FilterInputText(edtSingleLine->text().toStdString())));
    SetModalResult(platform::mrOk);
}

void TfrmInputSingleLine::BitBtnCancelClick() {
    edtSingleLine->clear();
    edtSingleLine->setFocus();
    SetModalResult(platform::mrCancel);
}
