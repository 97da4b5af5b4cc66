#pragma once
// The main window's live instrument: the fretboard and keyboard pictures in the place of
// `PaintBoxInstrument`, the caret line's sound and picture, and "Play for learning" (the
// tab's lines sounded one after another by `btnPlayFRT`, the Play menu's animated-instrument
// item, or stopped with Esc).
#include "mainwindow/live/Fretboard.h"
#include "mainwindow/live/Keyboard.h"
#include "mainwindow/live/LiveSounding.h"
#include "song/NoteLine.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class TCommands;
class TDurationButtons;
class TEditorLines;
class TInstrumentPicture;
class TNotationEdit;
class TPlayState;
class TStatusPanels;
namespace platform {
struct Services;
}

// Texts of line playback.
inline constexpr const char *kPlayAllLines = "Play All Lines";
inline constexpr const char *kPlaySelectedLines = "Play Selected Lines";
// "Error in line 7": a fretted line that does not parse, before anything plays (1-based).
std::string LineErrorText(int line);
// "Error in Piano: Line 3": a piano line that failed while the lines played (1-based, as the
// status bar counts lines).
std::string PlayLineErrorText(const std::string &tabName, int line);

// The window's widgets the live instrument drives (the window owns them).
struct TLiveWidgets {
    TInstrumentPicture *PaintBoxInstrument = nullptr; // holds the pictures
    TNotationEdit *RichEdit1 = nullptr;               // focused and repainted
    TDurationButtons *PanelNoteButtons = nullptr;     // the duration a click writes
    TStatusPanels *StatusBarRichEdit = nullptr;       // panel 4 names the lines played
    QPushButton *btnPlayFRT = nullptr;                // Play / Stop
    QCheckBox *chkLoopAll = nullptr;                  // the run loops
    QLabel *lblTempo = nullptr;                       // "Tempo: 120"
};

// What the live instrument asks of the window.
struct TLiveCalls {
    std::function<void()> MarkModified; // Modified, "*", upper-case caption
    std::function<void(int line, bool useGiven)> SelectEditorLine;
    std::function<void(int line)> ShowCaretPosition;
    std::function<void(const std::string &text)> ShowNoteText; // status panel 4
    std::function<bool()> ScaleRestrictor;                     // the option of that name
    std::function<int()> WindowWidth;                          // the main window's width
    std::function<void()> ShowDurationPicker;                  // Ctrl + click on a picture
    std::function<void()> EnterNestedLoop, LeaveNestedLoop;    // a click's wait counts as busy
    std::function<void()> RefreshStatus;                       // the status bars from the editor
};

// Everything the live instrument works with.
struct TLiveParts {
    TSongModel &Song;
    TEditorLines &Lines;
    TPlayState &PlayState;
    const platform::Services &Services;
    TMidiOutputPort &OutputPort;
    const platform::IClock &Clock;
    TCommands &Commands; // its own row and the Play menu's caption of it
    TLiveWidgets Widgets;
    TLiveCalls Calls;
};

class TLiveInstrument {
public:
    // Made once the window's output port is open; the pictures go into PaintBoxInstrument.
    explicit TLiveInstrument(const TLiveParts &parts);
    ~TLiveInstrument();

    TLiveSounding &Sound() { return *sound_; }
    TFretboard &Fretboard() { return *fretboard_; }
    TKeyboard &Keyboard() { return *keyboard_; }

    // The line on the current tab's picture (dots or silver keys); false when not shown.
    bool ShowLineOnInstrument(int line);
    // The same for a line already read under the current tab.
    bool ShowLineOnInstrument(const TNoteLine &line);
    // The pictures' hover hints follow the window's hints option.
    void SetHintsVisible(bool visible);
    // Hides the scale markers (fretted tabs) or gives every key its plain colour (Piano).
    void ClearInstrumentDisplay();
    // The picture of the current tab's kind: fretboard, keyboard, or none on the Drums tab.
    void TabChanged();
    // Up and Down (Qt key codes) sound the caret line, read under the current tab, for 200 ms
    // (piano lines pump window events).
    void SoundCaretLine(int key, const TNoteLine &caret);

    // `btnPlayFRTMouseDown` and `PlayAnimatedInstrument1Click`: start, or stop when playing.
    void PlayInstrument();
    // The run over the tab's lines (also Esc while it runs, which stops it).
    void PlayPageLinesLive();

private:
    void SetPlayCaption(bool playing);
    void ShowTempo(int tempo);
    TInstrumentParts InstrumentParts();

    TSongModel &song_;
    TEditorLines &lines_;
    TPlayState &play_;
    const platform::Services &services_;
    TCommands &commands_;
    const TLiveWidgets ui_;
    const TLiveCalls calls_;
    QObject guard_; // context of the window's connections: they end with this object
    std::unique_ptr<TLiveSounding> sound_;
    std::unique_ptr<TFretboard> fretboard_;
    std::unique_ptr<TKeyboard> keyboard_;
    QWidget *noPicture_ = nullptr; // owned by PaintBoxInstrument
};
