#pragma once
// The mixer panel's rules: the record field each control edits, the object names of the
// control and of its caption (a click on the caption puts the default back), how a control's
// value is stored, the defaults, and what the Mute and Solo boxes do to each other.
#include "song/InstrumentTab.h"

#include <span>
#include <string_view>

enum class TMixerField { Channel, Volume, Delay, Transpose, Balance };

struct TMixerRow {
    TMixerField field;
    std::string_view control; // the spin box or slider
    std::string_view caption; // the label beside it; a click restores the default
};

// Channel, volume, delay, transpose and balance, in the panel's order.
std::span<const TMixerRow> MixerRows();

// A control's value into the tab's record (the channel back to 0-based).
void StoreMixerValue(TInstrumentTab &tab, TMixerField field, int shown);
// What a click on the field's caption puts into the control: volume 100, balance 64 (centre),
// delay and transpose 0, the tab's own default channel (10 on the Drums tab).
int MixerDefault(const TInstrumentTab &tab, TMixerField field);

// The song-wide transpose in half steps, as its up-down allows it.
inline constexpr int kSongKeyLow = -24, kSongKeyHigh = 24;

struct TMuteSolo {
    bool mute = false;
    bool solo = false;
    bool operator==(const TMuteSolo &) const = default;
};
// The two boxes after a click on Mute (`boxes` as the click left them): a checked Mute clears Solo.
TMuteSolo MuteClicked(TMuteSolo boxes);
// After a click on Solo: a checked Solo clears Mute.
TMuteSolo SoloClicked(TMuteSolo boxes);
