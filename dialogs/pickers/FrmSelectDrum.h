#pragma once
// `TfrmSelectDrum`: the General MIDI percussion picker for a drum slot; shows no title.
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
//
//   if (const std::optional<DrumSlot> slot = dialogs.frmSelectDrum->Ask({channel, volume, preview}))
//       drums.drumSlots[row] = *slot;   // {"40 Snare Drum 2", 40}
//
// A click lets the user hear a drum (through `preview`); a double click chooses it; Close and
// Esc choose nothing.
#include "dialogs/rules/PickerRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"
#include "song/PatternStore.h"

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class TClickLabel;

struct TDrumPickInput {
    int channel = 9; // the drum tab's channel and volume
    int volume = 100;
    std::function<void(const TPreviewNote &)> preview;
};

class TfrmSelectDrum : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectDrum(const platform::Services &services, QWidget *parent = nullptr);

    std::optional<DrumSlot> Ask(const TDrumPickInput &in);

protected:
    void FormShow() override;

private:
    void LabelClick(const TClickLabel &sender);
    void LabelDblClick(const TClickLabel &sender);

    platform::Services services_;
    QLabel *LabelTitle;
    QPushButton *BitBtn1;
    TDrumPickInput in_;
    std::optional<DrumSlot> chosen_;
};
