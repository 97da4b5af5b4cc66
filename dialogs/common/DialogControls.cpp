#include "dialogs/common/DialogControls.h"

#include "dialogs/rules/FindRules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

void SetLinkLook(QLabel *label, bool bold) {
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160)"));
}

TClickLabel::TClickLabel(const QString &text, int tag, QWidget *parent) : QLabel(text, parent), Tag(tag) {
    setCursor(Qt::PointingHandCursor);
}

void TClickLabel::mousePressEvent(QMouseEvent *event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::RightButton)
        emit RightDown(*this);
}

void TClickLabel::mouseReleaseEvent(QMouseEvent *event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click(*this);
}

void TClickLabel::mouseDoubleClickEvent(QMouseEvent *event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DblClick(*this);
}

TUpDown::TUpDown(QWidget *parent) : QWidget(parent) {
    auto makeArrow = [this](Qt::ArrowType arrow, const char *name, int delta) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(18, 12);
        connect(button, &QToolButton::clicked, this, [this, delta] { emit Stepped(delta); });
        return button;
    };
    up_ = makeArrow(Qt::UpArrow, "UpButton", +1);
    down_ = makeArrow(Qt::DownArrow, "DownButton", -1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
}

QPushButton *MakeDialogButton(QWidget *parent, const char *name, const QString &caption) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

TSearchOptionsBox MakeSearchOptionsBox(QWidget *parent) {
    TSearchOptionsBox box;
    box.group = new QGroupBox(QStringLiteral("Search Options"), parent);
    box.chkWholeWord = new QCheckBox(QStringLiteral("Whole Word"), box.group);
    box.chkWholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    box.chkMatchCase = new QCheckBox(QStringLiteral("Match Case"), box.group);
    box.chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    auto *layout = new QVBoxLayout(box.group);
    layout->addWidget(box.chkWholeWord);
    layout->addWidget(box.chkMatchCase);
    return box;
}

TFindOptions TSearchOptionsBox::Options() const { return {chkWholeWord->isChecked(), chkMatchCase->isChecked()}; }
