// The program options on the main window: the options dialog with its font preview and panic
// button, the output port onto the chosen device, and the editor's font.
#include "mainwindow/window/MainWindow.h"

#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/playback/SongCommands.h"
#include "midi/MidiOutputPort.h"
#include "platform/MidiOut.h"
#include "platform/qt/Services.h"

namespace {
const QString kNoSoundHardware = QStringLiteral("Warning: No sound hardware found on this computer.");
constexpr int kNoDevice = -2; // openedDevice_ when nothing opened
} // namespace

void TfrmMain::Options1Click() {
    if (!dialogs_.options || Busy())
        return;
    const TOptionsCalls calls{[this](int size, int style, int color) { ShowEditorFont(size, style, color); },
                              [this] { StopAllSounds(); }};
    if (const std::optional<TOptionsResult> chosen = dialogs_.options({options_, OutputDeviceNames()}, calls)) {
        // A port that opened nothing is tried again, whatever was chosen.
        const bool reconnect = chosen->options.Device != options_.Device || openedDevice_ == kNoDevice;
        options_ = chosen->options;
        saveMidiDevice_ = chosen->saveMidiDevice;
        SetHintsVisible(options_.ShowHints);
        if (reconnect)
            ConnectOutputDevice(true);
        PaintBoxInstrument->ShowLine(lines_->CurrentLine());
    }
    // The editor font as the options hold it (after Cancel: undoing the dialog's preview).
    ApplyEditorFont();
}

QStringList TfrmMain::OutputDeviceNames() const {
    QStringList names;
    const int count = env_.midiOut->DeviceCount();
    for (int i = 0; i < count; ++i)
        names << QString::fromStdString(env_.midiOut->DeviceName(i));
    return names;
}

void TfrmMain::ConnectOutputDevice(bool userChoice) {
    // The stored device is checked before anything is opened: below -1 or beyond the
    // devices present means the default device.
    const int count = env_.midiOut->DeviceCount();
    if (options_.Device < -1 || options_.Device >= count)
        options_.Device = -1;
    TMidiOutputPort &port = *MidiOutputPort1;
    if (port.Active() && openedDevice_ != kNoDevice) {
        // The new device opens before the old one closes, so a device both share (the
        // synthesizer behind the default entry and its own entry) plays on without a gap.
        TMidiOutputPort bridge(*physicalPorts_, options_.Device);
        bridge.SetSysexLatency(0);
        bridge.SetActive(true);
        port.SetPortId(options_.Device);
    } else {
        // Nothing open to keep: let go of the silent port so the device is opened afresh.
        port.SetActive(false);
        port.SetPortId(options_.Device);
        port.SetActive(true); // a device that will not open falls back to the default
    }
    if (!port.GetHandle()) {
        // Neither the synthesizer nor any MIDI port opens: the program runs on silently.
        openedDevice_ = kNoDevice;
        options_.Device = -1;
        env_.services->messages.ShowMessage(kNoSoundHardware);
    } else {
        openedDevice_ = options_.Device;
        if (userChoice && port.Physical()->FellBack())
            env_.services->messages.ShowMessage(
                QStringLiteral("The MIDI device \"") +
                QString::fromStdString(env_.midiOut->DeviceName(options_.Device)) +
                QStringLiteral("\" could not be opened. The default device plays instead."));
    }
    if (songCommands_)
        songCommands_->Playback().SetOutputDevice(openedDevice_ >= -1 ? openedDevice_ : -1);
}

void TfrmMain::StopAllSounds() {
    if (songCommands_) {
        // The song's stop routine: the player, its track outputs and the window's port.
        songCommands_->Playback().StopSong();
        return;
    }
    if (MidiOutputPort1) {
        MidiOutputPort1->AllNotesOff();
        MidiOutputPort1->ResetControllers();
    }
}

void TfrmMain::ShowEditorFont(int size, int style, int color) {
    QFont f(options_.Name);
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(size >= 2 && size <= 200 ? size : 8);
    style &= 15;
    f.setBold(style & 8);
    f.setItalic(style & 4);
    f.setUnderline(style & 2);
    f.setStrikeOut(style & 1);
    RichEdit1->setFont(f);
    QPalette p = RichEdit1->palette();
    p.setColor(QPalette::Text, QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    RichEdit1->setPalette(p);
}
