#include "mainwindow/editor/DurationButtons.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/common/DurationGlyphs.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QSignalBlocker>

namespace {
struct ButtonInfo {
    const char *name;
    const char *hint;
};
constexpr ButtonInfo kButtons[duration::kButtonCount] = {
    {"btnWholeNote", "Whole note duration (F5)"},
    {"btnHalfNote", "Half note duration (F6)"},
    {"btnQuarterNote", "Quarter note duration (F7)"},
    {"btnEighthNote", "Eighth note duration (F8)"},
    {"btnSixteenthNote", "Sixteenth note duration (F9)"},
    {"btnThirtySecondNote", "Thirty-second note duration (F10)"},
    {"btnSixtyFourthNote", "Sixty-fourth note duration (F11)"},
};
} // namespace

TDurationButtons::TDurationButtons(QWidget *parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PanelNoteButtons"));
    setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (int i = 0; i < duration::kButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(kButtons[i].name));
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setIcon(QIcon(glyphs::NotePixmap(i, 28)));
        b->setIconSize(QSize(22, 22));
        b->setFixedSize(30, 30);
        group_->addButton(b, i);
        grid->addWidget(b, i / 2, i % 2);
        buttons[static_cast<size_t>(i)] = b;
        // Only a user's click applies a duration; checks set by code stay quiet.
        connect(b, &QToolButton::clicked, this, [this, i] { ClickDuration(i); });
    }
    btnWholeNote = buttons[0];
    btnHalfNote = buttons[1];
    btnQuarterNote = buttons[2];
    btnEighthNote = buttons[3];
    btnSixteenthNote = buttons[4];
    btnThirtySecondNote = buttons[5];
    btnSixtyFourthNote = buttons[6];

    btnRest = new QToolButton(this);
    btnRest->setObjectName(QStringLiteral("btnRest"));
    btnRest->setIconSize(QSize(22, 22));
    btnRest->setFixedSize(30, 30);
    grid->addWidget(btnRest, 3, 1);
    connect(btnRest, &QToolButton::clicked, this, &TDurationButtons::RestClicked);

    chkDotted = new QCheckBox(QStringLiteral("Dotted"), this);
    chkDotted->setObjectName(QStringLiteral("chkDotted"));
    chkTriplet = new QCheckBox(QStringLiteral("Triplet"), this);
    chkTriplet->setObjectName(QStringLiteral("chkTriplet"));
    grid->addWidget(chkDotted, 4, 0, 1, 2);
    grid->addWidget(chkTriplet, 5, 0, 1, 2);
    // A click on the label asks for a duration to give the caret or selected lines once.
    LabelOneTimeNoteSelector = new TClickLabel(QStringLiteral("Temporary Duration  (Shift+RMB)"), 0, this);
    LabelOneTimeNoteSelector->setObjectName(QStringLiteral("LabelOneTimeNoteSelector"));
    LabelOneTimeNoteSelector->setWordWrap(true);
    QPalette link = LabelOneTimeNoteSelector->palette();
    link.setColor(QPalette::WindowText, QColor(0, 0, 128));
    LabelOneTimeNoteSelector->setPalette(link);
    grid->addWidget(LabelOneTimeNoteSelector, 6, 0, 1, 2);
    connect(static_cast<TClickLabel *>(LabelOneTimeNoteSelector), &TClickLabel::Click, this,
            &TDurationButtons::OneTimeLabelClicked);
    grid->setRowStretch(7, 1);
    connect(chkDotted, &QCheckBox::clicked, this, [this](bool checked) {
        fromCode_ = false;
        if (checked && chkTriplet->isChecked()) {
            const QSignalBlocker block(chkTriplet);
            chkTriplet->setChecked(false);
        }
        emit DottedClicked();
    });
    connect(chkTriplet, &QCheckBox::clicked, this, [this](bool checked) {
        fromCode_ = false;
        if (checked && chkDotted->isChecked()) {
            const QSignalBlocker block(chkDotted);
            chkDotted->setChecked(false);
        }
        emit TripletClicked();
    });

    SetDurationControls(3);
    SetHintsVisible(true);
}

void TDurationButtons::SetHintsVisible(bool visible) {
    for (int i = 0; i < duration::kButtonCount; ++i)
        buttons[static_cast<size_t>(i)]->setToolTip(visible ? QString::fromLatin1(kButtons[i].hint) : QString());
    chkDotted->setToolTip(visible ? QStringLiteral("Multiply note length by one and a half") : QString());
    chkTriplet->setToolTip(visible ? QStringLiteral("Divide note length by 3") : QString());
    btnRest->setToolTip(visible ? QStringLiteral("Insert a rest in the editor (F12)") : QString());
}

int TDurationButtons::CurrentDurationIndex() const {
    const int id = group_->checkedId();
    return id >= 0 ? id : duration::kDefaultIndex;
}

void TDurationButtons::PressDurationButton(int index) {
    if (index < 0 || index >= duration::kButtonCount)
        return;
    const QSignalBlocker block(buttons[static_cast<size_t>(index)]);
    buttons[static_cast<size_t>(index)]->setChecked(true);
    UpdateRest();
}

void TDurationButtons::ClickDuration(int index) {
    if (index < 0 || index >= duration::kButtonCount)
        return;
    fromCode_ = false;
    buttons[static_cast<size_t>(index)]->setChecked(true);
    UpdateRest();
    emit DurationClicked(index);
}

void TDurationButtons::ChooseDuration(int index, bool dotted, bool triplet) {
    if (index < 0 || index >= duration::kButtonCount)
        return;
    {
        const QSignalBlocker b1(chkTriplet), b2(chkDotted);
        chkTriplet->setChecked(triplet);
        chkDotted->setChecked(dotted && !triplet);
    }
    ClickDuration(index);
}

duration::TControls TDurationButtons::Controls() const {
    return {group_->checkedId(), chkDotted->isChecked(), chkTriplet->isChecked()};
}

void TDurationButtons::SetDurationControls(int code) {
    const duration::TControls c = duration::ControlsFromCode(code, Controls());
    const QSignalBlocker b1(chkDotted), b2(chkTriplet);
    chkDotted->setChecked(c.Dotted);
    chkTriplet->setChecked(c.Triplet);
    if (c.Index >= 0)
        PressDurationButton(c.Index);
    fromCode_ = true;
    UpdateRest();
}

void TDurationButtons::SetRestGlyph(const std::string &durationText) {
    const int index = duration::RestGlyphIndex(durationText);
    if (index < 0)
        return;
    restGlyph_ = index;
    btnRest->setIcon(QIcon(glyphs::RestPixmap(index, 28)));
}

void TDurationButtons::UpdateRest() { SetRestGlyph(CurrentDuration()); }
