#include "dialogs/pickers/FrmEnterTimeSig.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/TempoRules.h"
#include "dialogs/rules/TimeSigRules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TfrmEnterTimeSig::TfrmEnterTimeSig(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmEnterTimeSig"));
    setWindowTitle(QString());
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(223, 247, 240));
    setPalette(background);

    edtNumerator = new QLineEdit(this);
    edtNumerator->setObjectName(QStringLiteral("edtNumerator"));
    edtNumerator->setFixedWidth(40);
    UpDown1 = new TUpDown(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    connect(UpDown1, &TUpDown::Stepped, this, &TfrmEnterTimeSig::UpDown1Click);

    ComboBoxTimeSigLower = new QComboBox(this);
    ComboBoxTimeSigLower->setObjectName(QStringLiteral("ComboBoxTimeSigLower"));
    ComboBoxTimeSigLower->setToolTip(QStringLiteral("Time Sig: Type of note that a beat consists of"));
    ComboBoxTimeSigLower->setMaxVisibleItems(100);
    for (const int denominator : TimeSigDenominators())
        ComboBoxTimeSigLower->addItem(QString::number(denominator));

    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    BitBtn2 = MakeDialogButton(this, "BitBtn2", QStringLiteral("Cancel"));
    BitBtnRestoreTimeSig = MakeDialogButton(this, "BitBtnRestoreTimeSig", QString());
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmEnterTimeSig::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    connect(BitBtnRestoreTimeSig, &QPushButton::clicked, this, &TfrmEnterTimeSig::BitBtnRestoreTimeSigClick);

    // The presets, simple times in one group and compound times in the other: per row the
    // sign, the notes per bar and the styles that use it. Labels that choose a preset carry
    // its row as Tag; the others only show text.
    auto *simple = new QGroupBox(QStringLiteral("Simple Time"), this);
    auto *compound = new QGroupBox(QStringLiteral("Compound Time"), this);
    auto *simpleGrid = new QGridLayout(simple);
    auto *compoundGrid = new QGridLayout(compound);
    int simpleRows = 0;
    int compoundRows = 0;
    const auto presets = TimeSigPresets();
    for (int index = 0; index < int(presets.size()); ++index) {
        const TimeSigPreset &preset = presets[size_t(index)];
        QGroupBox *group = preset.compound ? compound : simple;
        QGridLayout *grid = preset.compound ? compoundGrid : simpleGrid;
        const int row = preset.compound ? compoundRows++ : simpleRows++;
        const QString key = QString::fromStdString(FormatTimeSignature(preset.numerator, preset.denominator));
        const struct {
            const char *text;
            const char *role;
        } cells[] = {{preset.sign, "Sign"}, {preset.notesPerBar, "NotesPerBar"}, {preset.styles, "Styles"}};
        for (int column = 0; column < 3; ++column) {
            const QString text = QString::fromUtf8(cells[column].text);
            const QString name = QStringLiteral("lblTimeSig") + key + QString::fromLatin1(cells[column].role);
            QLabel *label;
            if (PresetForLabel(cells[column].text)) {
                auto *choosing = new TClickLabel(text, index, group);
                connect(choosing, &TClickLabel::Click, this, &TfrmEnterTimeSig::PresetClick);
                connect(choosing, &TClickLabel::DblClick, this, &TfrmEnterTimeSig::PresetDblClick);
                label = choosing;
            } else {
                label = new QLabel(text, group);
            }
            label->setObjectName(name);
            if (column == 0) {
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
            }
            grid->addWidget(label, row, column);
        }
    }

    auto *title = new QLabel(QStringLiteral("Time Signature"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto *entry = new QHBoxLayout;
    entry->addWidget(title);
    entry->addSpacing(12);
    entry->addWidget(edtNumerator);
    entry->addWidget(UpDown1);
    entry->addWidget(new QLabel(QStringLiteral("/"), this));
    entry->addWidget(ComboBoxTimeSigLower);
    entry->addSpacing(12);
    entry->addWidget(BitBtnRestoreTimeSig);
    entry->addStretch();

    auto *closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(BitBtn1);
    closing->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(simple);
    layout->addWidget(compound);
    layout->addWidget(new QLabel(QStringLiteral("Double-click to select and exit"), this), 0, Qt::AlignHCenter);
    layout->addLayout(closing);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<std::string> TfrmEnterTimeSig::Ask(const TTimeSigInput &in) {
    // A stored denominator the list does not offer opens as 4, so OK always has one to write.
    const int numerator = GetTimeSigUpper(in.current);
    const int denominatorIndex = OpeningDenominatorIndex(GetTimeSigLower(in.current));
    ShowTimeSig(numerator, denominatorIndex);
    BitBtnRestoreTimeSig->setText(QString::fromStdString(RestoreCaption(numerator, DenominatorAt(denominatorIndex))));
    savedNumerator_ = numerator;
    savedDenominatorIndex_ = denominatorIndex;
    chosen_.reset();
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    return chosen_ ? chosen_ : ReadChosen();
}

void TfrmEnterTimeSig::FormActivate() { edtNumerator->setFocus(); }

void TfrmEnterTimeSig::ShowTimeSig(int numerator, int denominatorIndex) {
    const QSignalBlocker blockEdit(edtNumerator);
    const QSignalBlocker blockList(ComboBoxTimeSigLower);
    edtNumerator->setText(QString::number(numerator));
    ComboBoxTimeSigLower->setCurrentIndex(denominatorIndex);
}

std::optional<std::string> TfrmEnterTimeSig::ReadChosen() const {
    return TimeSigOnOk(edtNumerator->text().toStdString(), ComboBoxTimeSigLower->currentIndex());
}

void TfrmEnterTimeSig::UpDown1Click(int delta) {
    if (const auto next = UpDownStep(edtNumerator->text().toStdString(), delta, kMinNumerator, kMaxNumerator))
        edtNumerator->setText(QString::number(*next));
}

void TfrmEnterTimeSig::BitBtn1Click() {
    chosen_ = ReadChosen();
    if (!chosen_) {
        // An empty or unreadable numerator: rather than guess a number, the dialog stays
        // open with the numerator selected, so the user sees what to fix and types over it.
        edtNumerator->setFocus();
        edtNumerator->selectAll();
        return;
    }
    SetModalResult(platform::mrOk);
}

void TfrmEnterTimeSig::BitBtnRestoreTimeSigClick() { ShowTimeSig(savedNumerator_, savedDenominatorIndex_); }

void TfrmEnterTimeSig::PresetClick(const TClickLabel &sender) {
    const TimeSigPreset &preset = TimeSigPresets()[size_t(sender.Tag)];
    ShowTimeSig(preset.numerator, DenominatorIndex(preset.denominator));
}

void TfrmEnterTimeSig::PresetDblClick(const TClickLabel &sender) {
    PresetClick(sender);
    BitBtn1Click();
}
