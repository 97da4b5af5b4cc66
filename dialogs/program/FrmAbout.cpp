#include "dialogs/program/FrmAbout.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/common/InstrumentArt.h"
#include "platform/SystemInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

QString AboutMemoryText(qint64 bytes, const QLocale &locale) {
    return QStringLiteral("System Memory:") + locale.toString(bytes / 1024).rightJustified(10) + QStringLiteral(" KB");
}

namespace {
QLabel *WhiteLabel(QWidget *parent, const char *name, const QString &text) {
    auto *label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignHCenter);
    label->setStyleSheet(QStringLiteral("color: rgb(235, 235, 235)"));
    return label;
}
} // namespace

TfrmAbout::TfrmAbout(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    ImageTWDText = new TArtView(TArt::Logo, this);
    ImageTWDText->setObjectName(QStringLiteral("ImageTWDText"));
    ImageTWDText->setFixedSize(300, 110);
    lblVersion = WhiteLabel(this, "lblVersion", QStringLiteral("Version 2.0"));
    auto *credits = WhiteLabel(this, nullptr,
                               QStringLiteral("Songs written as lines of notes, heard through General MIDI,\n"
                                              "seen on the fretboard and the keyboard."));
    lblSWWarning = WhiteLabel(this, "lblSWWarning", AboutMemoryText(platform::TotalPhysicalMemoryBytes()));
    lblSWWarning->installEventFilter(this);
    Image1 = new TArtView(TArt::Banjo, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(180, 90);
    Image1->hide(); // stands apart from the layout, where the Ctrl click puts it

    btnOK = MakeDialogButton(this, "btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnMSInfo = MakeDialogButton(this, "btnMSInfo", QStringLiteral("System Info"));
    connect(btnOK, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrOk); });
    connect(btnMSInfo, &QPushButton::clicked, this, &TfrmAbout::btnMSInfoClick);
    // The system-information program is looked for once; without one there is no button.
    msInfoPath_ = platform::FindFirstProgram(platform::SystemInfoCandidates());
    btnMSInfo->setVisible(!msInfoPath_.isEmpty());

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnMSInfo);
    buttons->addWidget(btnOK);
    layout_ = new QVBoxLayout(this);
    layout_->addWidget(ImageTWDText, 0, Qt::AlignHCenter);
    // The animation goes here while the box is shown.
    layout_->addWidget(lblVersion);
    layout_->addWidget(credits);
    layout_->addSpacing(8);
    layout_->addLayout(buttons);
    layout_->addWidget(lblSWWarning);
    layout_->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmAbout::FormActivate() {
    lblVersion->setText(QStringLiteral("Version 2.0"));
    setWindowTitle(QStringLiteral("About"));
    delete Animate1;
    Animate1 = new TGuitarAnimation(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->setFixedSize(220, 110);
    layout_->insertWidget(1, Animate1, 0, Qt::AlignHCenter); // under the title, centred
    Animate1->Start();
    Image1->hide();
    Image1->raise();
    lblVersion->show();
    btnOK->setFocus();
}

void TfrmAbout::FormDeactivate() {
    delete Animate1;
    Animate1 = nullptr;
}

void TfrmAbout::btnMSInfoClick() {
    services_.shell.StartProgram(msInfoPath_);
    btnOK->setFocus();
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lblSWWarning && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->modifiers() == Qt::ControlModifier)
        ShowHiddenPicture();
    return platform::ModalDialog::eventFilter(watched, event);
}

void TfrmAbout::ShowHiddenPicture() {
    if (Animate1) {
        Animate1->Stop();
        Animate1->hide();
    }
    Image1->move(64, 128);
    Image1->show();
    Image1->raise();
    lblVersion->hide();
}
