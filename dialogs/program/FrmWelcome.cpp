#include "dialogs/program/FrmWelcome.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/WelcomeTips.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kWelcomeText = QStringLiteral("Welcome to Tarrowind Version 2");

struct THoverRow {
    const char *control;
    TArt art;
    const char *text;
};
// What the screen says about the control under the mouse.
constexpr THoverRow kHover[] = {
    {"btnNew", TArt::Piano, "Create a new song"},
    {"btnRecent", TArt::Mandolin, "Open recently used file"},
    {"lbWelcomeMRU", TArt::Mandolin, "Open recently used file"},
    {"btnClose", TArt::Banjo, "Close this welcome screen"},
    {"BitBtn1", TArt::Bass, "Help File with Tutorials"},
    {"chkDontDisplayWelcomeScreen", TArt::Tenor, "Stop showing this screen"},
    {"btnChoose", TArt::Guitar, "Choose a file"},
    {"GroupBoxTips", TArt::Logo, "Tips for using Tarrowind Version 2"},
};

QString Text(const std::vector<std::string> &lines) {
    QStringList out;
    for (const std::string &line : lines)
        out << QString::fromStdString(line);
    return out.join(QLatin1Char('\n'));
}

} // namespace

TfrmWelcome::TfrmWelcome(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services), MemoHiddenTips(BuiltInTipLines()) {
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(QStringLiteral("Welcome To Tarrowind Version 2"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(229, 255, 255));
    setPalette(background);

    Label3 = new QLabel(kWelcomeText, this);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont big = Label3->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    Label3->setFont(big);
    Label3->setMinimumWidth(360);
    ImageLogo = new TArtView(TArt::Logo, this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setFixedSize(260, 130);

    GroupBoxTips = new QGroupBox(QStringLiteral("Tip of the Day"), this);
    GroupBoxTips->setObjectName(QStringLiteral("GroupBoxTips"));
    Image1 = new TArtView(TArt::Tip, GroupBoxTips);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(90, 45);
    Image1->setCursor(Qt::PointingHandCursor);
    connect(Image1, &TArtView::Clicked, this, [this] { ShowTip(+1); });
    MemoTips = new QPlainTextEdit(GroupBoxTips);
    MemoTips->setObjectName(QStringLiteral("MemoTips"));
    MemoTips->setReadOnly(true);
    MemoTips->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette tips = MemoTips->palette();
    tips.setColor(QPalette::Base, QColor(245, 255, 245));
    MemoTips->setPalette(tips);
    MemoTips->setMinimumWidth(430);
    MemoTips->setFixedHeight(MemoTips->fontMetrics().lineSpacing() * 4 + 14); // the longest tip's lines
    lblTip = new QLabel(GroupBoxTips);
    lblTip->setObjectName(QStringLiteral("lblTip"));
    btnPrevTip = MakeDialogButton(GroupBoxTips, "btnPrevTip", QStringLiteral("Previous Tip"));
    btnNextTip = MakeDialogButton(GroupBoxTips, "btnNextTip", QStringLiteral("Next Tip"));
    connect(btnPrevTip, &QPushButton::clicked, this, [this] { ShowTip(-1); });
    connect(btnNextTip, &QPushButton::clicked, this, [this] { ShowTip(+1); });
    // The tip sits directly under its picture, the counter directly under the tip.
    auto *tipColumn = new QVBoxLayout(GroupBoxTips);
    tipColumn->setSpacing(2);
    tipColumn->addWidget(Image1, 0, Qt::AlignHCenter);
    tipColumn->addWidget(MemoTips);
    auto *tipRow = new QHBoxLayout;
    tipRow->addWidget(lblTip);
    tipRow->addStretch();
    tipRow->addWidget(btnPrevTip);
    tipRow->addWidget(btnNextTip);
    tipColumn->addLayout(tipRow);

    lbWelcomeMRU = new QListWidget(this);
    lbWelcomeMRU->setObjectName(QStringLiteral("lbWelcomeMRU"));
    lbWelcomeMRU->setFixedHeight(lbWelcomeMRU->fontMetrics().lineSpacing() * 7 + 8); // room for the six songs
    connect(lbWelcomeMRU, &QListWidget::itemDoubleClicked, this, [this] { Choose(TWelcomeChoice::OpenRecent); });

    btnNew = MakeDialogButton(this, "btnNew", QStringLiteral("New"));
    btnChoose = MakeDialogButton(this, "btnChoose", QStringLiteral("Open"));
    btnRecent = MakeDialogButton(this, "btnRecent", QStringLiteral("Open\nRecent\nFile\nBelow"));
    btnClose = MakeDialogButton(this, "btnClose", QStringLiteral("&Close"));
    btnClose->setDefault(true); // Esc closes too, as Close does
    BitBtn1 = MakeDialogButton(this, "BitBtn1", QStringLiteral("Help"));
    connect(btnNew, &QPushButton::clicked, this, [this] { Choose(TWelcomeChoice::NewSong); });
    connect(btnChoose, &QPushButton::clicked, this, [this] { Choose(TWelcomeChoice::OpenFile); });
    connect(btnRecent, &QPushButton::clicked, this, [this] { Choose(TWelcomeChoice::OpenRecent); });
    connect(btnClose, &QPushButton::clicked, this, [this] { Choose(TWelcomeChoice::Close); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (calls_.ShowHelp)
            calls_.ShowHelp();
    });
    chkDontDisplayWelcomeScreen = new QCheckBox(QStringLiteral("Don't display this screen again"), this);
    chkDontDisplayWelcomeScreen->setObjectName(QStringLiteral("chkDontDisplayWelcomeScreen"));

    auto *head = new QHBoxLayout;
    head->addWidget(ImageLogo);
    head->addWidget(Label3, 1);
    auto *choices = new QVBoxLayout;
    for (QPushButton *b : {btnNew, btnChoose, btnRecent, BitBtn1, btnClose})
        choices->addWidget(b);
    choices->addStretch();
    auto *recent = new QVBoxLayout;
    recent->addWidget(new QLabel(QStringLiteral("Recently Used Files"), this));
    recent->addWidget(lbWelcomeMRU);
    recent->addStretch();
    auto *body = new QHBoxLayout;
    body->addLayout(recent, 1);
    body->addLayout(choices);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(GroupBoxTips);
    layout->addLayout(body);
    layout->addWidget(chkDontDisplayWelcomeScreen);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setMouseTracking(true);
    for (const THoverRow &row : kHover)
        if (QWidget *w = findChild<QWidget *>(QString::fromLatin1(row.control)))
            w->installEventFilter(this);
}

TWelcomeResult TfrmWelcome::Ask(const TWelcomeInput &in, const TWelcomeCalls &calls) {
    calls_ = calls;
    lastTip_ = in.lastTip;
    {
        const QSignalBlocker blockList(lbWelcomeMRU);
        lbWelcomeMRU->clear();
        for (const QString &path : in.recentFiles) {
            if (path.trimmed().isEmpty())
                continue;
            auto *item = new QListWidgetItem(path, lbWelcomeMRU); // the path as it stands: "&" is part of it
            item->setToolTip(path);
        }
        if (lbWelcomeMRU->count() > 0)
            lbWelcomeMRU->setCurrentRow(0);
    }
    btnRecent->setEnabled(lbWelcomeMRU->count() > 0);
    BitBtn1->setEnabled(in.helpAvailable);
    {
        const QSignalBlocker block(chkDontDisplayWelcomeScreen);
        chkDontDisplayWelcomeScreen->setChecked(!in.showNewUserMessage);
    }
    choice_ = TWelcomeChoice::Close;
    ShowModal();
    calls_ = {};
    TWelcomeResult result;
    result.choice = choice_;
    result.lastTip = lastTip_;
    result.showNewUserMessage = !chkDontDisplayWelcomeScreen->isChecked();
    if (const QListWidgetItem *item = lbWelcomeMRU->currentItem(); item && item->isSelected())
        result.selectedRecent = item->text();
    return result;
}

void TfrmWelcome::FormActivate() {
    // Once for every showing.
    ShowTip(+1);
    ImageLogo->SetArt(TArt::Logo);
    Label3->setText(kWelcomeText);
    btnClose->setFocus();
}

void TfrmWelcome::ShowTip(int delta) {
    const int count = TipCount(MemoHiddenTips);
    lastTip_ = StepTip(lastTip_, delta, count);
    lblTip->setText(QString::fromStdString(TipCounterText(lastTip_, count)));
    lblTip->setVisible(count > 0);
    MemoTips->setPlainText(Text(TipLines(MemoHiddenTips, lastTip_)));
}

void TfrmWelcome::Choose(TWelcomeChoice choice) {
    choice_ = choice;
    SetModalResult(platform::mrOk);
}

bool TfrmWelcome::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Enter) {
        Hover(watched);
    } else if (event->type() == QEvent::Leave) {
        // Back over whatever holds the control: the tip group, or the bare form.
        auto *w = qobject_cast<QWidget *>(watched);
        Hover(w && w->parentWidget() == GroupBoxTips ? GroupBoxTips : nullptr);
    }
    return platform::ModalDialog::eventFilter(watched, event);
}

void TfrmWelcome::Hover(QObject *control) {
    if (!control) {
        Label3->clear(); // the picture stays as it was
        return;
    }
    for (const THoverRow &row : kHover) {
        if (control->objectName() != QLatin1String(row.control))
            continue;
        ImageLogo->SetArt(row.art);
        Label3->setText(QString::fromUtf8(row.text));
        if (control == lbWelcomeMRU)
            if (const QListWidgetItem *item = lbWelcomeMRU->currentItem())
                lbWelcomeMRU->setToolTip(item->text());
        return;
    }
}
