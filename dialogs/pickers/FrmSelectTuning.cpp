#include "dialogs/pickers/FrmSelectTuning.h"

#include "dialogs/common/DialogControls.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardItemModel>

using namespace tuning;

namespace {

constexpr int kListLefts[6] = {423, 365, 308, 250, 193, 135}; // string 1 .. string 6
constexpr int kListWidth = 56;
constexpr int kLabelTop = 47;

// Top of the n-th label (0-based) of a column: 17 or 18 pixels apart.
int LabelTop(int n) { return kLabelTop + (n * 35) / 2; }

// Where label 1..51 stands: the left column holds Label1..Label16 then Label21..Label28, the
// right column Label29..Label51; Label17..Label20 stand nowhere (they are hidden).
QPoint LabelPlace(int label) {
    if (label <= 16)
        return {13, LabelTop(label - 1)};
    if (label >= 21 && label <= 28)
        return {13, LabelTop(label - 5)};
    if (label >= 29)
        return {353, LabelTop(label - 29)};
    return {13, kLabelTop};
}

struct TFormSize {
    int width, height, buttonsTop, okLeft; // client area; Cancel stands 10 left of OK
};
std::optional<TFormSize> SizeForStrings(int strings) {
    switch (strings) {
    case 4:
        return TFormSize{462, 166, 130, 370};
    case 5:
        return TFormSize{462, 396, 360, 370};
    case 6:
        return TFormSize{662, 486, 450, 570};
    default:
        return std::nullopt;
    }
}

} // namespace

TfrmSelectTuning::TfrmSelectTuning(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectTuning"));
    setWindowTitle(QStringLiteral("Instrument Tuning Choices"));
    setWindowFlag(Qt::Tool);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(241, 251, 248));
    setPalette(background);
    setFixedSize(662, 486);

    BitBtnPlayTuning = MakeDialogButton(this, "BitBtnPlayTuning", QStringLiteral("Play Tuning"));
    BitBtnPlayTuning->setGeometry(35, 7, 92, 27);
    connect(BitBtnPlayTuning, &QPushButton::clicked, this, &TfrmSelectTuning::BitBtnPlayTuningClick);

    for (int s = 1; s <= 6; ++s) {
        auto *list = new QComboBox(this);
        list->setObjectName(QStringLiteral("cboStr") + QString::number(s));
        list->setGeometry(kListLefts[s - 1], 11, kListWidth, list->sizeHint().height());
        for (int v = 0; v < kItemCount; ++v)
            list->addItem(QString::fromStdString(ListItemText(s, v)));
        list->setMaxVisibleItems(20);
        // Only the user's choice counts as a change; lists set by code stay quiet.
        connect(list, &QComboBox::activated, this, [this, s](int index) { cboStr6Change(s, index); });
        cboStr_[static_cast<size_t>(s - 1)] = list;
    }
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::HLine);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setGeometry(8, 40, 646, 3);

    QFont presetFont(QStringLiteral("Courier New"));
    presetFont.setStyleHint(QFont::Monospace);
    presetFont.setFixedPitch(true);
    presetFont.setPointSize(9);
    presetFont.setUnderline(true);
    for (int n = 1; n <= kLabelCount; ++n) {
        auto *label = new TClickLabel(QString(), -1, this);
        label->setObjectName(QStringLiteral("Label") + QString::number(n));
        label->setFont(presetFont);
        QPalette navy = label->palette();
        navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
        label->setPalette(navy);
        label->move(LabelPlace(n));
        label->setVisible(!LabelHidden(n));
        connect(label, &TClickLabel::Click, this, &TfrmSelectTuning::Label1Click);
        Label_[static_cast<size_t>(n - 1)] = label;
    }

    BitBtnOK = MakeDialogButton(this, "BitBtnOK", QStringLiteral("OK"));
    BitBtnOK->setDefault(true);
    BitBtnCancel = MakeDialogButton(this, "BitBtnCancel", QStringLiteral("Cancel"));
    connect(BitBtnOK, &QPushButton::clicked, this, &TfrmSelectTuning::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
}

std::optional<std::string> TfrmSelectTuning::Ask(const TTuningInput &in) {
    in_ = in;
    StringIndexes_ = ValuesFromSpelling(in.spelling, in.shortFifthString);
    if (ShowModal() != platform::mrOk)
        return std::nullopt;
    return SpellingFromValues(StringIndexes_, in_.shortFifthString);
}

void TfrmSelectTuning::FormShow() {
    setWindowTitle(QString::fromUtf8(KindText(in_.kind).data(), qsizetype(KindText(in_.kind).size())) +
                   QStringLiteral(" Tuning"));
    StringCount = std::clamp(in_.highestString, 0, 5) + 1;
    ShowStringCombos();
    if (const std::optional<TFormSize> size = SizeForStrings(StringCount)) {
        setFixedSize(size->width, size->height);
        BitBtnOK->move(size->okLeft, size->buttonsTop);
        BitBtnCancel->move(size->okLeft - 10 - BitBtnCancel->width(), size->buttonsTop);
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
    }
    // The short string's list offers no pitch below the one its stored pair 00 stands for.
    for (int s = 1; s <= 6; ++s)
        if (auto *items = qobject_cast<QStandardItemModel *>(cboStr_[static_cast<size_t>(s - 1)]->model()))
            for (int v = 0; v < kItemCount; ++v)
                items->item(v)->setEnabled(ValueSelectable(s, v, in_.shortFifthString));
    ShowValues();
    if (const std::optional<int> preset = KindDefaultPreset(in_.kind))
        ApplyTuningPreset(*preset);
    BitBtnOK->setFocus();
}

void TfrmSelectTuning::BuildTuningList() {
    if (StringCount == 0)
        return;
    for (TClickLabel *label : Label_) {
        label->setText(QString());
        label->Tag = -1;
        label->adjustSize();
    }
    for (const TPresetLabel &p : PresetLabels(StringCount)) {
        TClickLabel *label = Label_[static_cast<size_t>(p.label - 1)];
        label->setText(QString::fromStdString(PresetCaption(p.preset)));
        label->Tag = p.preset;
        label->adjustSize();
    }
}

void TfrmSelectTuning::ShowStringCombos() {
    BuildTuningList();
    // A tab of n strings uses the n lowest lists.
    for (int s = 1; s <= 6; ++s)
        cboStr_[static_cast<size_t>(s - 1)]->setVisible(s > 6 - StringCount);
}

void TfrmSelectTuning::ShowValues() {
    for (int s = 1; s <= 6; ++s) {
        QComboBox *list = cboStr_[static_cast<size_t>(s - 1)];
        const int v = StringIndexes_[static_cast<size_t>(s - 1)];
        const QSignalBlocker block(list);
        // A stored value without an item shows an empty list and keeps its value.
        list->setCurrentIndex(v >= 0 && v < kItemCount ? v : -1);
    }
}

void TfrmSelectTuning::ApplyTuningPreset(int preset) {
    if (preset < 0 || preset >= static_cast<int>(TuningPresets().size()))
        return;
    StringIndexes_ = TuningPresets()[static_cast<size_t>(preset)].Values();
    ShowValues();
}

void TfrmSelectTuning::Label1Click(const TClickLabel &sender) {
    // An empty label stands for no preset.
    if (sender.Tag >= 0)
        ApplyTuningPreset(sender.Tag);
}

void TfrmSelectTuning::cboStr6Change(int string, int index) {
    if (ValueSelectable(string, index, in_.shortFifthString))
        StringIndexes_[static_cast<size_t>(string - 1)] = index;
    ShowValues();
}

void TfrmSelectTuning::BitBtnPlayTuningClick() {
    // The strings sound one after another; a second click while they sound does nothing.
    if (playing_ || !Showing())
        return;
    playing_ = true;
    if (in_.calls.SetPatch)
        in_.calls.SetPatch();
    for (int s = 6; s > 6 - StringCount && in_.calls.SoundNote; --s) {
        if (ModalResult() != platform::mrNone)
            break; // the dialog closed while a string sounded
        in_.calls.SoundNote(OpenNote(s, StringIndexes_[static_cast<size_t>(s - 1)]));
    }
    playing_ = false;
}

void TfrmSelectTuning::BitBtnOKClick() { SetModalResult(platform::mrOk); }
