#include "dialogs/program/FrmOptions.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/OptionsRules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
const QString kDefaultDevice = QStringLiteral("System Default (Midi Mapper)");
constexpr int kBlack = 0;
} // namespace

TfrmOptions::TfrmOptions(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Program Options"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(253, 255, 216));
    setPalette(background);

    ListBoxMidiDevices = new QListWidget(this);
    ListBoxMidiDevices->setObjectName(QStringLiteral("ListBoxMidiDevices"));
    ListBoxMidiDevices->setMinimumWidth(300);
    ListBoxMidiDevices->setFixedHeight(110);

    auto *font = new QGroupBox(QStringLiteral("Editor Font"), this);
    font->setObjectName(QStringLiteral("GroupBoxFont"));
    EditFontSize = new QLineEdit(font);
    EditFontSize->setObjectName(QStringLiteral("EditFontSize"));
    EditFontSize->setFixedWidth(50);
    EditFontSize->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), EditFontSize));
    connect(EditFontSize, &QLineEdit::textEdited, this, &TfrmOptions::EditFontSizeEdited);
    UpDownfontsize = new TUpDown(font);
    UpDownfontsize->setObjectName(QStringLiteral("UpDownfontsize"));
    connect(UpDownfontsize, &TUpDown::Stepped, this, &TfrmOptions::StepFontSize);
    chkBold = new QCheckBox(QStringLiteral("Bold"), font);
    chkBold->setObjectName(QStringLiteral("chkBold"));
    connect(chkBold, &QCheckBox::clicked, this, &TfrmOptions::chkBoldClick);
    BitBtnDefaultFont = MakeDialogButton(font, "BitBtnDefaultFont", QStringLiteral("Default"));
    connect(BitBtnDefaultFont, &QPushButton::clicked, this, &TfrmOptions::BitBtnDefaultFontClick);
    auto *fontRow = new QHBoxLayout(font);
    fontRow->addWidget(new QLabel(QStringLiteral("Size:"), font));
    fontRow->addWidget(EditFontSize);
    fontRow->addWidget(UpDownfontsize);
    fontRow->addSpacing(16);
    fontRow->addWidget(chkBold);
    fontRow->addStretch();
    fontRow->addWidget(BitBtnDefaultFont);

    auto check = [this](const char *name, const QString &caption) {
        auto *box = new QCheckBox(caption, this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    chkScaleRestrictor =
        check("chkScaleRestrictor", QStringLiteral("When a scale is displayed, only scale tones may be clicked on."));
    chkHints = check("chkHints", QStringLiteral("Display mouseover hints. "));
    chkDisplayWelcomeScreen =
        check("chkDisplayWelcomeScreen", QStringLiteral("Display welcome screen when program first starts."));

    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("PANIC BUTTON"));
    QFont loud = BitBtn1->font();
    loud.setBold(true);
    BitBtn1->setFont(loud);
    BitBtn1->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmOptions::BitBtn1Click);
    BitBtnOK = MakeDialogButton(this, "BitBtnOK", QStringLiteral("OK"));
    BitBtnOK->setDefault(true);
    BitBtnCancel = MakeDialogButton(this, "BitBtnCancel", QStringLiteral("Cancel"));
    BitBtnUseMidiDeviceForThisSessionOnly = MakeDialogButton(this, "BitBtnUseMidiDeviceForThisSessionOnly",
                                                             QStringLiteral("Use Midi Device for This Session Only"));
    connect(BitBtnOK, &QPushButton::clicked, this, [this] {
        sessionOnly_ = false;
        SetModalResult(platform::mrOk);
    });
    connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    connect(BitBtnUseMidiDeviceForThisSessionOnly, &QPushButton::clicked, this, [this] {
        sessionOnly_ = true;
        SetModalResult(platform::mrOk);
    });

    auto *panic = new QHBoxLayout;
    panic->addWidget(BitBtn1);
    panic->addWidget(new QLabel(QStringLiteral("Stop All Sounds Now"), this));
    panic->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnUseMidiDeviceForThisSessionOnly);
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("MIDI Output Device"), this));
    layout->addWidget(ListBoxMidiDevices);
    layout->addWidget(font);
    layout->addWidget(chkScaleRestrictor);
    layout->addWidget(chkHints);
    layout->addWidget(chkDisplayWelcomeScreen);
    layout->addSpacing(6);
    layout->addLayout(panic);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<TOptionsResult> TfrmOptions::Ask(const TOptionsInput &in, const TOptionsCalls &calls) {
    options_ = in.options;
    calls_ = calls;
    sessionOnly_ = false;
    previewColor_ = options_.color;
    styleBase_ = options_.Style;
    {
        // The default device heads the list whether or not the machine has devices of its own.
        const QSignalBlocker block(ListBoxMidiDevices);
        ListBoxMidiDevices->clear();
        ListBoxMidiDevices->addItem(kDefaultDevice);
        ListBoxMidiDevices->addItems(in.deviceNames);
        const int row = DeviceListRow(options_.Device, int(in.deviceNames.size()));
        ListBoxMidiDevices->setCurrentRow(row);
        if (row < 0)
            ListBoxMidiDevices->clearSelection();
    }
    SetFontSize(ClampFontSize(options_.Size));
    {
        const QSignalBlocker b1(chkBold), b2(chkScaleRestrictor), b3(chkHints), b4(chkDisplayWelcomeScreen);
        chkBold->setChecked(StyleIsBold(options_.Style));
        chkScaleRestrictor->setChecked(options_.ScaleRestrictor);
        chkHints->setChecked(options_.ShowHints);
        chkDisplayWelcomeScreen->setChecked(options_.ShowNewUserMessage);
    }
    if (ShowModal() != platform::mrOk) {
        calls_ = {};
        return std::nullopt;
    }
    calls_ = {};
    TOptionsResult result{in.options, !sessionOnly_};
    ProgramOptions &o = result.options;
    o.Device = ChosenDevice();
    if (sessionOnly_)
        return result; // nothing else is taken over
    o.Size = fontSize_;
    o.ScaleRestrictor = chkScaleRestrictor->isChecked();
    o.ShowHints = chkHints->isChecked();
    o.ShowNewUserMessage = chkDisplayWelcomeScreen->isChecked();
    o.Style = StyleWithBold(styleBase_, chkBold->isChecked());
    return result;
}

void TfrmOptions::FormActivate() { ListBoxMidiDevices->setFocus(); }

int TfrmOptions::ChosenDevice() const {
    const QListWidgetItem *item = ListBoxMidiDevices->currentItem();
    const int row = item && item->isSelected() ? ListBoxMidiDevices->row(item) : -1;
    return DeviceFromListRow(row, options_.Device);
}

void TfrmOptions::SetFontSize(int size) {
    fontSize_ = size;
    const QString text = QString::number(size);
    if (EditFontSize->text() != text) {
        const QSignalBlocker block(EditFontSize);
        EditFontSize->setText(text);
    }
}

void TfrmOptions::StepFontSize(int delta) {
    const int next = ClampFontSize(fontSize_ + delta); // no wrap-around at either end
    if (next == fontSize_)
        return;
    SetFontSize(next);
    Preview();
}

void TfrmOptions::EditFontSizeEdited() {
    // A typed size counts once it is one the up-down can hold.
    bool ok = false;
    const int typed = EditFontSize->text().toInt(&ok);
    if (!ok || typed != ClampFontSize(typed) || typed == fontSize_)
        return;
    fontSize_ = typed;
    Preview();
}

void TfrmOptions::chkBoldClick() { Preview(); }

void TfrmOptions::BitBtnDefaultFontClick() {
    {
        const QSignalBlocker block(chkBold);
        chkBold->setChecked(false);
    }
    SetFontSize(kDefaultFontSize);
    previewColor_ = kBlack; // OK puts the stored colour back
    styleBase_ = 0;
    if (calls_.PreviewFont)
        calls_.PreviewFont(kDefaultFontSize, 0, previewColor_);
}

void TfrmOptions::BitBtn1Click() {
    if (calls_.Panic)
        calls_.Panic();
}

void TfrmOptions::Preview() {
    if (calls_.PreviewFont)
        calls_.PreviewFont(fontSize_, StyleWithBold(styleBase_, chkBold->isChecked()), previewColor_);
}
