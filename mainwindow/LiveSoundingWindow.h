#pragma once
// The main window's live instrument: the fretboard and keyboard pictures in the place of
// `PaintBoxInstrument`, the caret line's sound and picture, and "Play for learning" (the
// tab's lines sounded one after another by `btnPlayFRT`, the Play menu's animated-instrument
// item, or stopped with Esc).
#include "mainwindow/Fretboard.h"
#include "mainwindow/Keyboard.h"
#include "mainwindow/LiveSounding.h"
#include "song/NoteLine.h"

#include <QObject>

#include <memory>

class TfrmMain;

// Texts of line playback.
inline constexpr const char *kPlayAllLines = "Play All Lines";
inline constexpr const char *kPlaySelectedLines = "Play Selected Lines";
// "Error in line 7": a fretted line that does not parse, before anything plays (1-based).
std::string LineErrorText(int line);
// "Error in Piano: Line 3": a piano line that failed while the lines played (1-based, as the
// status bar counts lines).
std::string PlayLineErrorText(const std::string &tabName, int line);

class TLiveInstrument {
public:
    // Made once the window's output port is open; the pictures go into PaintBoxInstrument.
    explicit TLiveInstrument(TfrmMain &window);
    ~TLiveInstrument();

    TLiveSounding &Sound() { return *sound_; }
    TFretboard &Fretboard() { return *fretboard_; }
    TKeyboard &Keyboard() { return *keyboard_; }

    // The line on the current tab's picture (dots or silver keys); false when not shown.
    bool ShowLineOnInstrument(int line);
    // The same for a line already read under the current tab.
    bool ShowLineOnInstrument(const TNoteLine &line);
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
    TInstrumentHost MakeHost();

    TfrmMain &w_;
    QObject guard_; // context of the window's connections: they end with this object
    std::unique_ptr<TLiveSounding> sound_;
    std::unique_ptr<TFretboard> fretboard_;
    std::unique_ptr<TKeyboard> keyboard_;
    QWidget *noPicture_ = nullptr; // owned by PaintBoxInstrument
};
