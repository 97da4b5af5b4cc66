#include "dialogs/pickers/FrmEnterTempo.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/TempoRules.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QString ToQString(const std::string &text) { return QString::fromStdString(text); }

// Only digits and backspace may change the edit's text; keys that type nothing (arrows,
// Home, End, Delete, Shift) and the dialog's own keys (Enter, Esc, Tab) still work.
bool KeyReachesTempoEdit(const QKeyEvent &key) {
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        break;
    }
    const QString text = key.text();
    if (text.isEmpty())
        return true;
    return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

} // namespace

TFrmEnterTempo::TFrmEnterTempo(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("FrmEnterTempo"));
    setWindowTitle(QString());
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(249, 243, 223));
    setPalette(background);

    auto *tempoLabel = new QLabel(QStringLiteral("Tempo"), this);
    EditTempo = new QLineEdit(this);
    EditTempo->setObjectName(QStringLiteral("EditTempo"));
    EditTempo->setToolTip(QStringLiteral("Tempo - Type in or use up/down keys"));
    EditTempo->setFixedWidth(60);
    // Pasting and dropping would bring in text that no key filter has seen.
    EditTempo->setContextMenuPolicy(Qt::NoContextMenu);
    EditTempo->setAcceptDrops(false);
    EditTempo->installEventFilter(this);
    connect(EditTempo, &QLineEdit::textChanged, this, &TFrmEnterTempo::EditTempoChange);

    UpDownTempo = new TUpDown(this);
    UpDownTempo->setObjectName(QStringLiteral("UpDownTempo"));
    UpDownTempo->setToolTip(QStringLiteral("Cilck to change tempo"));
    connect(UpDownTempo, &TUpDown::Stepped, this, &TFrmEnterTempo::StepTempo);

    BitBtnOK = MakeDialogButton(this, "BitBtnOK", QStringLiteral("OK"));
    BitBtnOK->setDefault(true);
    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("Cancel"));
    BitBtnHalfTempo = MakeDialogButton(this, "BitBtnHalfTempo", QStringLiteral("Half"));
    BitBtnDoubleTempo = MakeDialogButton(this, "BitBtnDoubleTempo", QStringLiteral("Double"));
    BitBtnRestoreSongTempo = MakeDialogButton(this, "BitBtnRestoreSongTempo", QString());
    BitBtnRestoreSongTempo->setToolTip(QStringLiteral("Restore default tempo for current song"));
    connect(BitBtnOK, &QPushButton::clicked, this, &TFrmEnterTempo::BitBtnOKClick);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    connect(BitBtnHalfTempo, &QPushButton::clicked, this, &TFrmEnterTempo::BitBtnHalfTempoClick);
    connect(BitBtnDoubleTempo, &QPushButton::clicked, this, &TFrmEnterTempo::BitBtnDoubleTempoClick);
    connect(BitBtnRestoreSongTempo, &QPushButton::clicked, this, &TFrmEnterTempo::BitBtnRestoreSongTempoClick);

    // The tempo marks: a name and a description per row, both choosing the same tempo.
    auto *marks = new QGroupBox(this);
    auto *grid = new QGridLayout(marks);
    grid->setHorizontalSpacing(16);
    int row = 0;
    for (const TempoMark &mark : TempoMarks()) {
        const QString tag = QString::number(mark.bpm);
        auto *name = new TClickLabel(QString::fromUtf8(mark.name), mark.bpm, marks);
        name->setObjectName(QStringLiteral("lblTempoName") + tag);
        QFont bold = name->font();
        bold.setBold(true);
        name->setFont(bold);
        auto *description = new TClickLabel(QString::fromUtf8(mark.description), mark.bpm, marks);
        description->setObjectName(QStringLiteral("lblTempoDescription") + tag);
        for (TClickLabel *label : {name, description}) {
            connect(label, &TClickLabel::Click, this, &TFrmEnterTempo::Label11Click);
            connect(label, &TClickLabel::DblClick, this, &TFrmEnterTempo::Label1DblClick);
        }
        grid->addWidget(name, row, 0);
        grid->addWidget(description, row, 1);
        ++row;
    }

    auto *entry = new QHBoxLayout;
    entry->addWidget(tempoLabel);
    entry->addWidget(EditTempo);
    entry->addWidget(UpDownTempo);
    entry->addSpacing(12);
    entry->addWidget(BitBtnHalfTempo);
    entry->addWidget(BitBtnDoubleTempo);
    entry->addWidget(BitBtnRestoreSongTempo);
    entry->addStretch();

    auto *closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(BitBtnOK);
    closing->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(marks);
    layout->addWidget(new QLabel(QStringLiteral("Double-click to select and exit"), this), 0, Qt::AlignHCenter);
    layout->addLayout(closing);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<int> TFrmEnterTempo::Ask(const TTempoInput &in) {
    const QString tempo = QString::number(EffectiveSongTempo(in.songTempo));
    {
        const QSignalBlocker blockEdit(EditTempo);
        EditTempo->setText(tempo);
    }
    BitBtnRestoreSongTempo->setText(tempo);
    chosen_.reset();
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    // A result of OK that did not come through the OK button still reads the edit as OK does.
    return chosen_ ? chosen_ : std::optional<int>(TempoOnOk(EditTempo->text().toStdString()));
}

void TFrmEnterTempo::FormActivate() { EditTempo->setFocus(); }

bool TFrmEnterTempo::eventFilter(QObject *watched, QEvent *event) {
    if (watched != EditTempo)
        return platform::ModalDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down) {
            StepTempo(key.key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
        return !KeyReachesTempoEdit(key);
    }
    if (event->type() == QEvent::KeyRelease)
        EditTempoKeyUp();
    return false;
}

void TFrmEnterTempo::SetTempoText(const QString &text) {
    if (EditTempo->text() != text)
        EditTempo->setText(text);
}

void TFrmEnterTempo::StepTempo(int delta) {
    if (const auto next = UpDownStep(EditTempo->text().toStdString(), delta, kMinTempo, kMaxTempo))
        SetTempoText(QString::number(*next));
}

void TFrmEnterTempo::EditTempoChange() {
    SetTempoText(ToQString(TempoTextAfterChange(EditTempo->text().toStdString())));
}

void TFrmEnterTempo::EditTempoKeyUp() {
    SetTempoText(ToQString(TempoTextAfterKeyRelease(EditTempo->text().toStdString())));
}

void TFrmEnterTempo::BitBtnOKClick() {
    chosen_ = TempoOnOk(EditTempo->text().toStdString());
    SetModalResult(platform::mrOk);
}

void TFrmEnterTempo::BitBtnHalfTempoClick() {
    if (const auto half = HalfTempo(EditTempo->text().toStdString()))
        SetTempoText(QString::number(*half));
}

void TFrmEnterTempo::BitBtnDoubleTempoClick() {
    SetTempoText(QString::number(DoubleTempo(EditTempo->text().toStdString())));
}

void TFrmEnterTempo::BitBtnRestoreSongTempoClick() { SetTempoText(BitBtnRestoreSongTempo->text()); }

void TFrmEnterTempo::Label11Click(const TClickLabel &sender) { SetTempoText(QString::number(sender.Tag)); }

void TFrmEnterTempo::Label1DblClick(const TClickLabel &sender) {
    SetTempoText(QString::number(sender.Tag));
    BitBtnOKClick();
}
