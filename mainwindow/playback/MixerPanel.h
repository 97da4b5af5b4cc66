#pragma once
// The mixer panel under the instrument picture: the current tab's channel, volume, delay,
// transpose, balance, Mute and Solo, and the song-wide key beside the play settings. Every
// control writes straight into the record the song builder and live sounding read.
//
// A user's change (an arrow, the wheel, typing, a drag, a click on a caption that restores its
// default) stores the value and marks the song changed through the window's one refresh.
// Values the program loads are set with the control's signals blocked; where the program means
// a handler to run after loading, it calls the storing handler itself (ShowPageMixer).
#include "mainwindow/rules/MixerRules.h"

#include <QCheckBox>
#include <QObject>

#include <functional>
#include <map>
#include <set>

class QGroupBox;
class QLabel;
class QSpinBox;
class QWidget;
struct TSongModel;

// The Mute box: its caption reads red and bold while it is checked, however it came to be.
class TMuteCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void checkStateSet() override;
    void nextCheckState() override;

private:
    void ShowState();
};

struct TMixerWidgets {
    QGroupBox *GroupBoxMixer = nullptr; // its controls and their captions are found by name
    QSpinBox *UpDownSongKey = nullptr;  // the song-wide transpose, in the play settings
    QCheckBox *chkLoopAll = nullptr;    // a click on Mute unchecks it
};
struct TMixerCalls {
    std::function<void()> Changed;   // the user changed the current tab or the song
    std::function<void()> ShowMixer; // the current tab's values into the panel, signals blocked
};
struct TMixerParts {
    TSongModel &Song;
    TMixerWidgets Widgets;
    TMixerCalls Calls;
};

class TMixerPanel : public QObject {
    Q_OBJECT
public:
    explicit TMixerPanel(TMixerParts parts, QObject *parent = nullptr);

    // The storing handlers: each control's value into the current tab's record (the song key
    // into the song).
    void EditMixerChannelChange() { Store(TMixerField::Channel); }
    void EditMixerVolumeChange() { Store(TMixerField::Volume); }
    void EditMixerDelayChange() { Store(TMixerField::Delay); }
    void EditMixerKeyChange() { Store(TMixerField::Transpose); }
    // Also shows the balance as a number beside the slider.
    void TrackBarMixerBalanceChange() { Store(TMixerField::Balance); }
    void EditSongKeyChange();
    // Mute: a checked box clears Solo; the record follows both boxes; Loop is unchecked.
    void CheckBoxMuteInstrumentClick();
    // Solo: a checked box clears Mute; the record follows both boxes.
    void CheckBoxSoloInstrumentClick();
    // A click on a field's caption: the default into the control, then its storing handler.
    void CaptionClick(TMixerField field);

    // After a song is read or started anew: the tab's values and the song key shown, then the
    // storing handlers and the Mute handling run over them (which unchecks Loop).
    void ShowPageMixer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Store(TMixerField field);
    // A user's change of `field`: stored, and the song marked changed.
    void UserChange(TMixerField field);
    QWidget *Control(TMixerField field) const;
    int Value(TMixerField field) const;
    void SetValue(TMixerField field, int value); // signals blocked

    TMixerParts p_;
    QCheckBox *mute_ = nullptr;
    QCheckBox *solo_ = nullptr;
    QLabel *balanceNumber_ = nullptr;
    std::map<QObject *, TMixerField> captions_; // caption label -> its field
    std::set<QObject *> markOnEntry_;           // controls whose entering marks the song changed
};
