#include "mainwindow/rules/MixerRules.h"

#include <array>

namespace {
constexpr std::array kRows{
    TMixerRow{TMixerField::Channel, "UpDownMixerChannel", "LabelChannel"},
    TMixerRow{TMixerField::Volume, "UpDownMixerVolume", "lblVolume"},
    TMixerRow{TMixerField::Delay, "UpDownMixerDelay", "labelinstrumentdelay"},
    TMixerRow{TMixerField::Transpose, "UpDownMixerKey", "Labeltranspose"},
    TMixerRow{TMixerField::Balance, "TrackBarMixerBalance", "LabelBalance"},
};
} // namespace

std::span<const TMixerRow> MixerRows() { return kRows; }

void StoreMixerValue(TInstrumentTab &tab, TMixerField field, int shown) {
    switch (field) {
    case TMixerField::Channel:
        tab.Channel = shown - 1;
        break;
    case TMixerField::Volume:
        tab.Volume = shown;
        break;
    case TMixerField::Delay:
        tab.Delay = shown;
        break;
    case TMixerField::Transpose:
        tab.Transpose = shown;
        break;
    case TMixerField::Balance:
        tab.Balance = shown;
        break;
    }
}

int MixerDefault(const TInstrumentTab &tab, TMixerField field) {
    switch (field) {
    case TMixerField::Channel:
        return tab.DefaultChannel + 1;
    case TMixerField::Volume:
        return 100;
    case TMixerField::Balance:
        return 64;
    case TMixerField::Delay:
    case TMixerField::Transpose:
        return 0;
    }
    return 0;
}

TMuteSolo MuteClicked(TMuteSolo boxes) {
    if (boxes.mute)
        boxes.solo = false;
    return boxes;
}

TMuteSolo SoloClicked(TMuteSolo boxes) {
    if (boxes.solo)
        boxes.mute = false;
    return boxes;
}
