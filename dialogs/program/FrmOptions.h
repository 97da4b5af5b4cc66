#pragma once
// `TfrmOptions` ("Program Options"): the MIDI output device, the notation editor's font size
// and boldness, hints, the welcome screen and the scale restrictor. Created once at start-up
// (CreateDialogs) and shown again and again through Ask().
//
//   TOptionsCalls calls{.PreviewFont = ..., .Panic = ...};
//   if (const auto chosen = dialogs.frmOptions->Ask({Options, deviceNames}, calls)) {
//       Options = chosen->options;            // "Use Midi Device for This Session Only" changes
//       SaveMidiDevice = chosen->saveMidiDevice; // only the device, and keeps it out of the settings
//   }
//   ApplyEditorFont();                       // after Cancel this undoes the preview
#include "dialogs/common/ProgramOptions.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <QStringList>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TUpDown;

struct TOptionsInput {
    ProgramOptions options;  // the options as the program holds them
    QStringList deviceNames; // the machine's MIDI output devices, in device order
};

// What the dialog does to the program while it is open.
struct TOptionsCalls {
    // Shows the editor in this font (size, style code, colour 0x00BBGGRR) at once.
    std::function<void(int size, int style, int color)> PreviewFont;
    // The panic button: silences everything the program sounds.
    std::function<void()> Panic;
};

struct TOptionsResult {
    ProgramOptions options;
    bool saveMidiDevice = true; // false: the device is for this session only
};

class TfrmOptions : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmOptions(const platform::Services &services, QWidget *parent = nullptr);

    // Edits a copy of the options; the chosen options on OK or "Use Midi Device for This
    // Session Only", nullopt on Cancel (the opener's own options are never touched).
    std::optional<TOptionsResult> Ask(const TOptionsInput &in, const TOptionsCalls &calls = {});

protected:
    void FormActivate() override;

private:
    void SetFontSize(int size);
    void StepFontSize(int delta);
    void EditFontSizeEdited();
    void chkBoldClick();
    void BitBtnDefaultFontClick();
    void BitBtn1Click();
    void Preview();
    int ChosenDevice() const;

    platform::Services services_;
    QListWidget *ListBoxMidiDevices;
    QLineEdit *EditFontSize;
    TUpDown *UpDownfontsize;
    QCheckBox *chkBold;
    QPushButton *BitBtnDefaultFont;
    QCheckBox *chkScaleRestrictor;
    QCheckBox *chkHints;
    QCheckBox *chkDisplayWelcomeScreen;
    QPushButton *BitBtn1; // the panic button
    QPushButton *BitBtnOK;
    QPushButton *BitBtnCancel;
    QPushButton *BitBtnUseMidiDeviceForThisSessionOnly;

    ProgramOptions options_;
    TOptionsCalls calls_;
    int fontSize_ = 8;     // the up-down's position
    int previewColor_ = 0; // the colour the preview shows (Default shows black)
    int styleBase_ = 0;    // the style bits the dialog has no box for (Default clears them)
    bool sessionOnly_ = false;
};
