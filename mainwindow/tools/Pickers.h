#pragma once
// The main window's pickers: the sound picker behind `LabelSelectPatch`, the percussion
// picker's preview for the drum slots, the piano chord dialog behind "Chord Calculator" on
// Piano tabs, and the scale display (TScaleDisplay). Previews sound through the live
// sounding of the window's output port; every result ends in SongChanged.
#include "dialogs/chordtools/FrmSelectPianoChord.h"
#include "dialogs/rules/PickerRules.h"
#include "mainwindow/tools/ScaleDisplay.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QHBoxLayout;
class QLabel;
class QRect;
class QWidget;
class TClickLabel;
class TEditorLines;
class TLiveInstrument;
class TPlayState;
struct TMainDialogs;
struct TSongModel;
namespace platform {
struct Services;
}

struct TPickerWidgets {
    QLabel *LabelSelectPatch = nullptr;
    QWidget *Page = nullptr; // the instrument page: the scale line stands on it
};
struct TPickerCalls {
    std::function<const TMainDialogs &()> Dialogs;
    std::function<TLiveInstrument *()> Live;
    std::function<void(int tab, unsigned what)> SongChanged;
    std::function<void(const QString &text)> InsertTextLine; // at the caret, as the editor inserts
    std::function<std::string()> CurrentDuration;            // " Q"
    std::function<void()> EnterNestedLoop, LeaveNestedLoop;  // a preview's wait counts as busy
    std::function<void()> FocusEditor;
    std::function<int()> MainWindowTop;
    std::function<void()> PickDuration; // the note-duration picker, setting the current duration
};

struct TPickerParts {
    TSongModel &Song;
    TEditorLines &Lines;
    TPlayState &PlayState;
    const platform::Services &Services;
    TPickerWidgets Widgets;
    TPickerCalls Calls;
};

class TPickers : public QObject {
    Q_OBJECT
public:
    explicit TPickers(const TPickerParts &parts);
    ~TPickers() override;

    // The sound picker for the current tab.
    void LabelSelectPatchClick();
    // "Chord Calculator" on a Piano tab: the piano chord dialog.
    void OpenPianoChord();
    // The chord formula row the keyboard shows for a piano chord (the last chord type picked).
    int PianoChordRow = 0;

    TScaleDisplay &Scale() const { return *scale_; }
    // The line of the chord calculator label and the scale labels, between the picture and the
    // mixer: its height on the current tab (0 on the Drums tab), and its place (hidden when 0 high).
    int ScaleLineHeight() const;
    void PlaceScaleLine(const QRect &rect);
    // A song read or started anew resets the scale display and the chord row.
    void SongChanged(unsigned what);
    void SetHintsVisible(bool visible);

    // Sounds a picker's preview note on the output port (the wait counts as busy).
    void PreviewNote(const TPreviewNote &note);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TPianoChordInput PianoChordInput();
    void ShowPianoChord(const TPianoChordShow &show);
    void PlayPianoLine(const std::string &line);
    void InsertPianoLine(const std::string &line);

    TSongModel &song_;
    TEditorLines &lines_;
    TPlayState &play_;
    const platform::Services &services_;
    QLabel *LabelSelectPatch;
    const TPickerCalls calls_;
    QWidget *line_ = nullptr; // owned by the page
    std::unique_ptr<TScaleDisplay> scale_;
};
