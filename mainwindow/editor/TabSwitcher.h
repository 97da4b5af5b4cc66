#pragma once
// Switching the instrument tab: leaving a tab saves the editor's caret, view, selection,
// text and duration choice into the tab's record and stored lines; entering one loads
// them back with the mixer values, colours, captions and the menus that fit its kind.
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QSlider;
class QSpinBox;
class QWidget;
class TDurationButtons;
class TEditorLines;
class TInstrumentPicture;
class TNotationEdit;
class TPageControl;
class TStatusDisplay;
class TSongDocument;
struct DrumPart;
struct TSongModel;

// The controls the tab switcher drives.
struct TTabWidgets {
    QWidget *Window = nullptr; // the main window: its palette and focus widget
    TPageControl *PageControl1 = nullptr;
    QGroupBox *grpEditor = nullptr;
    TNotationEdit *RichEdit1 = nullptr;
    TInstrumentPicture *PaintBoxInstrument = nullptr;
    TDurationButtons *PanelNoteButtons = nullptr;
    QGroupBox *GroupBoxMixer = nullptr;
    QGroupBox *grpFRTPlay = nullptr;
    QLabel *LabelTabName = nullptr;
    QLabel *LabelSelectPatch = nullptr;
    QLabel *LabelSelectTuning = nullptr;
    QSpinBox *UpDownMixerChannel = nullptr;
    QSpinBox *UpDownMixerVolume = nullptr;
    QSpinBox *UpDownMixerDelay = nullptr;
    QSpinBox *UpDownMixerKey = nullptr;
    QSlider *TrackBarMixerBalance = nullptr;
    QLabel *LabelBalancePosition = nullptr;
    QCheckBox *CheckBoxMuteInstrument = nullptr;
    QCheckBox *CheckBoxSoloInstrument = nullptr;
    QGroupBox *GroupBoxDrumPatterns = nullptr;
    QGroupBox *GroupBoxPatternProperties = nullptr;
};

// What the tab switcher asks of the window.
struct TTabCalls {
    std::function<bool()> Busy;                  // anything playing or running
    std::function<bool(int index)> LoadTabText;  // stored lines of tab index+1 into the editor
    std::function<bool(int index)> StoreTabText; // the editor's text into tab index+1's lines
    // The caret and selection the user left on the shown tab, when its text is the one left and
    // they match the saved caret line and selection (may be empty: never).
    std::function<bool(int caretLine, bool selection)> RestorePlace;
    std::function<void()> SetCaptionFromFileName;
    std::function<void(int tab)> UpdateTabCaption;
    std::function<void()> FormResize;
};

struct TTabParts {
    TSongDocument &Document;
    TEditorLines &Lines;
    TStatusDisplay &Status;
    TTabWidgets Widgets;
    TTabCalls Calls;
};

class TTabSwitcher {
public:
    explicit TTabSwitcher(TTabParts parts);

    // Before the page changes; false refuses the change (anything playing or running).
    bool Changing();
    // The shown tab's caret, view, selection, text and duration choice into its record and
    // stored lines (leaving a tab, and before the song is written).
    void SaveShownTab();
    // The mixer panel and the tuning label from the current tab's record.
    void ShowMixer();
    // After the page changed: the active page becomes the current tab and is shown.
    void Change();

private:
    // The editor and picture, or the drum groups in their place.
    void ShowPage(bool drums);
    void RestoreEditorState();
    void SelectSavedPattern();

    TSongModel &song_;
    DrumPart &drums_;
    TEditorLines &lines_;
    TStatusDisplay &status_;
    TTabWidgets w_;
    TTabCalls calls_;
};
