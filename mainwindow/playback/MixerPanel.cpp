#include "mainwindow/playback/MixerPanel.h"

#include "song/SongModel.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace {
QString Name(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// Entering a control by the user's own hand (not as the window comes and goes).
bool ByUser(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}
} // namespace

void TMuteCheckBox::checkStateSet() {
    QCheckBox::checkStateSet();
    ShowState();
}

void TMuteCheckBox::nextCheckState() {
    QCheckBox::nextCheckState();
    ShowState();
}

void TMuteCheckBox::ShowState() {
    QFont f = font();
    f.setBold(isChecked());
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, isChecked() ? QColor(Qt::red) : QColor(Qt::black));
    setPalette(p);
}

TMixerPanel::TMixerPanel(TMixerParts parts, QObject *parent) : QObject(parent), p_(std::move(parts)) {
    QGroupBox *g = p_.Widgets.GroupBoxMixer;
    mute_ = g->findChild<QCheckBox *>(QStringLiteral("CheckBoxMuteInstrument"));
    solo_ = g->findChild<QCheckBox *>(QStringLiteral("CheckBoxSoloInstrument"));
    balanceNumber_ = g->findChild<QLabel *>(QStringLiteral("LabelBalancePosition"));

    auto watch = [this](QObject *o) {
        markOnEntry_.insert(o);
        o->installEventFilter(this);
    };
    for (const TMixerRow &row : MixerRows()) {
        const TMixerField field = row.field;
        QWidget *control = Control(field);
        if (auto *spin = qobject_cast<QSpinBox *>(control)) {
            // Arrows, the wheel and typing all arrive here; values set by code are blocked.
            connect(spin, &QSpinBox::valueChanged, this, [this, field] { UserChange(field); });
            // The spin box's edit is what takes the focus.
            if (auto *edit = spin->findChild<QLineEdit *>())
                watch(edit);
        } else if (auto *slider = qobject_cast<QSlider *>(control)) {
            connect(slider, &QSlider::valueChanged, this, [this, field] { UserChange(field); });
        }
        watch(control);
        if (auto *caption = g->findChild<QLabel *>(Name(row.caption))) {
            captions_.emplace(caption, field);
            caption->setCursor(Qt::PointingHandCursor);
            caption->installEventFilter(this);
        }
    }
    // The number beside the slider puts the centre back too.
    captions_.emplace(balanceNumber_, TMixerField::Balance);
    balanceNumber_->setCursor(Qt::PointingHandCursor);
    balanceNumber_->installEventFilter(this);

    connect(mute_, &QCheckBox::clicked, this, [this] {
        CheckBoxMuteInstrumentClick();
        p_.Calls.Changed();
    });
    connect(solo_, &QCheckBox::clicked, this, [this] {
        const bool muted = p_.Song.Current().Mute;
        CheckBoxSoloInstrumentClick();
        // Solo is not kept in the song file; clearing Mute is a change of the song.
        if (muted != p_.Song.Current().Mute)
            p_.Calls.Changed();
    });
    watch(mute_);

    connect(p_.Widgets.UpDownSongKey, &QSpinBox::valueChanged, this, [this] {
        EditSongKeyChange();
        p_.Calls.Changed();
    });
    watch(p_.Widgets.UpDownSongKey);
    if (auto *edit = p_.Widgets.UpDownSongKey->findChild<QLineEdit *>())
        watch(edit);
}

QWidget *TMixerPanel::Control(TMixerField field) const {
    for (const TMixerRow &row : MixerRows())
        if (row.field == field)
            return p_.Widgets.GroupBoxMixer->findChild<QWidget *>(Name(row.control));
    return nullptr;
}

int TMixerPanel::Value(TMixerField field) const {
    QWidget *c = Control(field);
    if (auto *spin = qobject_cast<QSpinBox *>(c))
        return spin->value();
    if (auto *slider = qobject_cast<QSlider *>(c))
        return slider->value();
    return 0;
}

void TMixerPanel::SetValue(TMixerField field, int value) {
    QWidget *c = Control(field);
    const QSignalBlocker block(c);
    if (auto *spin = qobject_cast<QSpinBox *>(c))
        spin->setValue(value);
    else if (auto *slider = qobject_cast<QSlider *>(c))
        slider->setValue(value);
}

void TMixerPanel::Store(TMixerField field) {
    const int value = Value(field);
    StoreMixerValue(p_.Song.Current(), field, value);
    if (field == TMixerField::Balance) {
        balanceNumber_->setText(QString::number(value));
        balanceNumber_->repaint();
    }
}

void TMixerPanel::UserChange(TMixerField field) {
    Store(field);
    p_.Calls.Changed();
}

void TMixerPanel::EditSongKeyChange() { p_.Song.SongTranspose = p_.Widgets.UpDownSongKey->value(); }

void TMixerPanel::CheckBoxMuteInstrumentClick() {
    const TMuteSolo boxes = MuteClicked({mute_->isChecked(), solo_->isChecked()});
    {
        const QSignalBlocker block(solo_);
        solo_->setChecked(boxes.solo);
    }
    TInstrumentTab &tab = p_.Song.Current();
    tab.Mute = boxes.mute;
    tab.Solo = boxes.solo;
    const QSignalBlocker block(p_.Widgets.chkLoopAll);
    p_.Widgets.chkLoopAll->setChecked(false);
}

void TMixerPanel::CheckBoxSoloInstrumentClick() {
    const TMuteSolo boxes = SoloClicked({mute_->isChecked(), solo_->isChecked()});
    {
        const QSignalBlocker block(mute_);
        mute_->setChecked(boxes.mute);
    }
    TInstrumentTab &tab = p_.Song.Current();
    tab.Mute = boxes.mute;
    tab.Solo = boxes.solo;
}

void TMixerPanel::CaptionClick(TMixerField field) {
    const int value = MixerDefault(p_.Song.Current(), field);
    const bool differs = Value(field) != value;
    SetValue(field, value);
    Store(field);
    if (differs)
        p_.Calls.Changed();
}

void TMixerPanel::ShowPageMixer() {
    p_.Calls.ShowMixer();
    {
        const QSignalBlocker block(p_.Widgets.UpDownSongKey);
        p_.Widgets.UpDownSongKey->setValue(p_.Song.SongTranspose);
    }
    // The stored values pass through their controls (held to the controls' ranges).
    for (const TMixerRow &row : MixerRows())
        Store(row.field);
    EditSongKeyChange();
    CheckBoxMuteInstrumentClick();
}

bool TMixerPanel::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        // A locked panel (something plays) takes no clicks.
        if (const auto it = captions_.find(watched); it != captions_.end() &&
                                                     static_cast<QWidget *>(watched)->isEnabled() &&
                                                     static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            CaptionClick(it->second);
        break;
    case QEvent::FocusIn:
        // Entering a mixer control marks the song changed, whether or not a value changes.
        if (markOnEntry_.contains(watched) && ByUser(static_cast<QFocusEvent *>(event)->reason()))
            p_.Calls.Changed();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
