#include "dialogs/chordtools/FrmSelectPianoChord.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/PickerRules.h"
#include "song/TextUtil.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

TfrmSelectPianoChord::TfrmSelectPianoChord(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmSelectPianoChord"));
    setWindowTitle(QStringLiteral("Tarrowind Chord Calculator - Piano Mode"));

    auto clickLabel = [this](const char *name, const QString &caption, void (TfrmSelectPianoChord::*handler)()) {
        auto *label = new TClickLabel(caption, 0, this);
        label->setObjectName(QString::fromLatin1(name));
        connect(label, &TClickLabel::Click, this, [this, handler] { (this->*handler)(); });
        return label;
    };
    // The chord's name: the key and the type, each a click away from its picker.
    lblPianoChordKey =
        clickLabel("lblPianoChordKey", QString::fromStdString(key_), &TfrmSelectPianoChord::lblPianoChordKeyClick);
    lblblank2 = new QLabel(QStringLiteral("  "), this);
    lblblank2->setObjectName(QStringLiteral("lblblank2"));
    lblPianoChordType =
        clickLabel("lblPianoChordType", QString::fromStdString(type_), &TfrmSelectPianoChord::lblPianoChordTypeClick);
    for (QLabel *l : {static_cast<QLabel *>(lblPianoChordKey), lblblank2, static_cast<QLabel *>(lblPianoChordType)}) {
        QFont big = l->font();
        big.setBold(true);
        big.setPointSize(big.pointSize() + 6);
        l->setFont(big);
    }
    lblPianoChordKey->setToolTip(QStringLiteral("Click to select the key"));
    lblPianoChordType->setToolTip(QStringLiteral("Click to select the chord type"));
    auto *name = new QHBoxLayout;
    name->setSpacing(0);
    name->addStretch();
    name->addWidget(lblPianoChordKey);
    name->addWidget(lblblank2);
    name->addWidget(lblPianoChordType);
    name->addStretch();

    btnLowerChord = MakeDialogButton(this, "btnLowerChord", QStringLiteral("Lower One Octave"));
    btnHigherChord = MakeDialogButton(this, "btnHigherChord", QStringLiteral("Raise One Octave"));
    BitBtnPlayChord = MakeDialogButton(this, "BitBtnPlayChord", QStringLiteral("Play Chord"));
    connect(btnLowerChord, &QPushButton::clicked, this, [this] { StepOctave(-1); });
    connect(btnHigherChord, &QPushButton::clicked, this, [this] { StepOctave(+1); });
    connect(BitBtnPlayChord, &QPushButton::clicked, this, &TfrmSelectPianoChord::BitBtnPlayChordClick);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnLowerChord);
    buttons->addWidget(btnHigherChord);
    buttons->addWidget(BitBtnPlayChord);

    auto *Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto *actions = new QVBoxLayout(Panel1);
    Label1 = clickLabel("Label1", QString(), &TfrmSelectPianoChord::Label1Click);
    const std::pair<const char *, const char *> captions[] = {
        {"Label2", "Use This Chord"},
        {"Label3", "Exit and display this chord"},
        {"Label4", "Exit and display all tones in this chord"},
        {"Label5", "Exit and use this chord"},
        {"Label6", "Exit and clear chord"},
    };
    void (TfrmSelectPianoChord::*handlers[])() = {
        &TfrmSelectPianoChord::Label2Click, &TfrmSelectPianoChord::Label3Click, &TfrmSelectPianoChord::Label4Click,
        &TfrmSelectPianoChord::Label5Click, &TfrmSelectPianoChord::Label6Click};
    actions->addWidget(Label1);
    for (size_t i = 0; i < std::size(captions); ++i) {
        TClickLabel *label = clickLabel(captions[i].first, QString::fromLatin1(captions[i].second), handlers[i]);
        SetLinkLook(label, false);
        actions->addWidget(label);
    }

    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("Close"));
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmSelectPianoChord::BitBtn1Click);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addLayout(buttons);
    layout->addWidget(Panel1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmSelectPianoChord::Ask(const TPianoChordInput &in) {
    in_ = in;
    ShowModal();
    in_ = {};
}

void TfrmSelectPianoChord::FormShow() {
    ShowDuration();
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().width() / 2 - width() / 2, in_.mainWindowTop + 30);
}

void TfrmSelectPianoChord::FormActivate() {
    shift_ = 0;
    ShowChord(false, 0, true);
}

void TfrmSelectPianoChord::reject() { BitBtn1Click(); }

void TfrmSelectPianoChord::ShowChord(bool remember, int octaveShift, bool clearFirst) {
    if (in_.showChord)
        in_.showChord({key_, row_, remember, octaveShift, clearFirst});
}

std::string TfrmSelectPianoChord::LineFromKeyboard() const {
    return in_.lineFromKeyboard ? in_.lineFromKeyboard(key_, type_) : std::string();
}

void TfrmSelectPianoChord::PlayLine(const std::string &line) {
    if (in_.playLine && !line.empty())
        in_.playLine(line);
}

void TfrmSelectPianoChord::ShowDuration() {
    const std::string duration = in_.currentDuration ? Trim(in_.currentDuration()) : std::string();
    Label1->setText(QStringLiteral("Set note duration for chords (") + QString::fromStdString(duration) +
                    QStringLiteral(")"));
}

void TfrmSelectPianoChord::lblPianoChordKeyClick() {
    if (!in_.pickKey)
        return;
    const std::optional<int> key = in_.pickKey("Single Click to Select The Key For Piano Chord");
    if (!key)
        return;
    key_ = KeyName(*key);
    lblPianoChordKey->setText(QString::fromStdString(key_));
    // A new chord starts at its own octave.
    shift_ = 0;
    ShowChord(false, 0, true);
}

void TfrmSelectPianoChord::lblPianoChordTypeClick() {
    if (!in_.pickChordType)
        return;
    const std::optional<TChordTypeChoice> choice = in_.pickChordType();
    if (!choice || ChordTypeName(choice->type).empty())
        return;
    type_ = ChordTypeName(choice->type);
    row_ = choice->row;
    lblPianoChordType->setText(QString::fromStdString(type_));
    shift_ = 0;
    ShowChord(false, 0, true);
}

void TfrmSelectPianoChord::StepOctave(int delta) {
    shift_ = std::clamp(shift_ + delta, -2, 2);
    ShowChord(true, shift_, true);
    PlayLine(LineFromKeyboard());
}

void TfrmSelectPianoChord::BitBtnPlayChordClick() { PlayLine(LineFromKeyboard()); }

void TfrmSelectPianoChord::Label1Click() {
    if (in_.pickDuration)
        in_.pickDuration();
    ShowDuration();
}

void TfrmSelectPianoChord::Label2Click() {
    const std::string line = LineFromKeyboard();
    if (in_.insertLine)
        in_.insertLine(line);
    if (in_.refreshKeyColours)
        in_.refreshKeyColours();
    ShowChord(true, shift_, true);
    PlayLine(line);
}

void TfrmSelectPianoChord::Label3Click() {
    if (in_.refreshKeyColours)
        in_.refreshKeyColours();
    ShowChord(true, 0, false);
    SetModalResult(platform::mrOk);
}

void TfrmSelectPianoChord::Label4Click() {
    if (in_.refreshKeyColours)
        in_.refreshKeyColours();
    for (int s = -2; s <= 2; ++s)
        ShowChord(true, s, false);
    SetModalResult(platform::mrOk);
}

void TfrmSelectPianoChord::Label5Click() {
    const std::string line = LineFromKeyboard();
    if (in_.insertLine)
        in_.insertLine(line);
    PlayLine(line);
    SetModalResult(platform::mrOk);
}

void TfrmSelectPianoChord::Label6Click() {
    if (in_.clearDisplay)
        in_.clearDisplay();
    if (in_.refreshKeyColours)
        in_.refreshKeyColours();
    SetModalResult(platform::mrOk);
}

void TfrmSelectPianoChord::BitBtn1Click() {
    if (in_.clearDisplay)
        in_.clearDisplay();
    SetModalResult(platform::mrCancel);
}
