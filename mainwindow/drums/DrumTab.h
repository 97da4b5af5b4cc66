#pragma once
// The Drums tab's page: the pattern list with its status bar (in the editor group's place), the
// "Drum Grid" group with the eight drum slot labels, the grid and its buttons (in the picture's
// place), and "Drum Grid Only" with the grid's Play button (in the note tabs' play group's place).
//
// The drum part (list, store, grid, slots) is the song's; this class shows it, turns clicks,
// keys and menu commands into the drum rules (song/DrumGrid.h, song/PatternCommands.h), sounds a
// clicked cell and plays the grid through the window's output port, and ends every change of the
// song in the window's one refresh, which calls SongChanged() back.
#include "song/DrumGrid.h"
#include "song/PatternCommands.h"

#include <QObject>
#include <QPoint>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class TCommands;
class TDrumGridView;
class TLiveSounding;
class TPlayState;
class TStatusPanels;
struct TInstrumentTab;
struct TPreviewNote;
struct TMainDialogs;
struct TSongModel;
namespace platform {
struct Services;
}

// The window's controls the drum page works in.
struct TDrumWidgets {
    QGroupBox *GroupBoxDrumPatterns = nullptr;      // gets the status bar and the pattern list
    QGroupBox *GroupBoxPatternProperties = nullptr; // "Drum Grid": slot labels, grid, its buttons
    QGroupBox *grpFRTPlay = nullptr;                // "Drum Grid Only" stands in its place
    QLabel *LabelSigUpper = nullptr;                // the time signature the drum page shows
    QLabel *LabelSigLower = nullptr;
};

// What the drum page asks of the window.
struct TDrumCalls {
    // The window's one refresh after a change of the song; marks `tab` modified.
    std::function<void(int tab, unsigned what)> SongChanged;
    std::function<void()> ApplyCommandState; // the pattern selection changed
    std::function<void()> EnterNestedLoop, LeaveNestedLoop;
    std::function<TLiveSounding *()> Sound; // null while the output port is closed
    std::function<const TMainDialogs &()> Dialogs;
    // Sounds the percussion picker's preview of a drum on the output port.
    std::function<void(const TPreviewNote &note)> PreviewNote;
};

struct TDrumParts {
    TSongModel &Song;
    DrumPart &Drums;
    TPlayState &PlayState;
    const platform::Services &Services;
    TCommands &Commands; // binds the drum rows; shows the list's and the grid's pop-ups
    TDrumWidgets Widgets;
    TDrumCalls Calls;
};

class TDrumTab : public QObject {
    Q_OBJECT
public:
    explicit TDrumTab(const TDrumParts &parts);
    ~TDrumTab() override;

    // A tab was shown: on the Drums tab the current pattern with its feel, and the grid's play
    // group in place of the note tabs' one.
    void TabChanged();
    // After any change of the song (the window's refresh): the page from the drum part.
    void SongChanged(unsigned what);
    void SetHintsVisible(bool visible);
    // A new song (and start-up): "Loop Pattern" ticked.
    void ResetPlaySettings();

    // ---- the grid ---------------------------------------------------------------------------
    void StringGridDrumsMouseDown(int column, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void StringGridDrumsKeyPress(int key, Qt::KeyboardModifiers modifiers);
    void Copy4Click();
    void Cut4Click();
    void Paste4Click();
    void Undo4Click();
    void BitBtnClearDisplayedPatternClick();
    // Play, or stop when the grid plays; returns when the play has ended.
    void BitBtnPlayPatternMouseDown();

    // ---- the drum page's boxes --------------------------------------------------------------
    void ComboBoxJazzyFeelChange(int feel);
    void ComboBoxBuiltInBeatsChange(int choice);
    // A slot label (0..7): the percussion picker chooses the slot's drum.
    void DrumNameLabelClick(int slot);

    // ---- the pattern list -------------------------------------------------------------------
    void ListBoxDrumPatternsMouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void ListBoxDrumPatternsMouseUp();
    void ListBoxDrumPatternsKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void NewDrumPatternClick();
    void CutPatternsClick();
    void CopyPatternsClick();
    void PastePatternsClick();
    void DeletePatternsClick();
    void RenamePatternsClick();
    void SelectAllPatternsClick();
    void SelectPatternsClick(TPatternSelect how);
    void DuplicatePatternsClick();
    void SelectAllAndDuplicateClick();
    void ClearAllDrumsClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildPatternGroup();
    void BuildGridGroup();
    void BuildPlayGroup();
    void BindCommands();
    void LayoutDrumPage();
    // The page from the drum part: list items and selection, boxes, slot labels, grid, status.
    void ShowDrums();
    void ShowPosition();
    void ShowTimeSignature();
    // Reports a command's message; a change of the song ends in the window's refresh, anything
    // else refreshes the page and the commands' state.
    void Finish(const DrumCommandResult &result);
    void Report(const DrumCommandResult &result);
    // The list's selection into the drum part; the current item then shows in the grid.
    void TakeListSelection(bool firstSelectedCurrent);
    // One pass over the grid's columns, column k due at `startNs` (the clock's nanoseconds; -1:
    // when the first column sounds) plus k steps; returns when the pass was due to end, where a
    // looped pass starts (-1 when no column sounded).
    int64_t PlayDrumGridLive(TLiveSounding &sound, int64_t startNs);
    void SoundCell(int row, int level);
    int DrumsTabNumber() const;
    TInstrumentTab &DrumsRecord() const;
    bool OnDrumsTab() const;
    // Song or live lines playing: the grid takes no edits.
    bool GridLocked() const;

    TSongModel &song_;
    DrumPart &drums_;
    TPlayState &play_;
    const platform::Services &services_;
    TCommands &commands_;
    const TDrumWidgets w_;
    const TDrumCalls calls_;

    DrumGridEditor editor_;
    PatternClipboard clipboard_;
    bool sounding_ = false;          // a clicked cell sounds
    bool forwardingRelease_ = false; // the list takes a release before the page reacts to it

    TStatusPanels *StatusBarDrums = nullptr;
    QListWidget *ListBoxDrumPatterns = nullptr;
    TDrumGridView *StringGridDrums = nullptr;
    std::array<QLabel *, kDrumRows> DrumNameLabels{};
    QWidget *PanelGridButtons = nullptr;
    QPushButton *BitBtnClearDisplayedPattern = nullptr;
    QPushButton *BitBtnNextPattern = nullptr;
    QComboBox *ComboBoxJazzyFeel = nullptr;
    QComboBox *ComboBoxBuiltInBeats = nullptr;
    QCheckBox *chkLoopDrumGrid = nullptr;
    QGroupBox *GroupBoxPlayDrumGrid = nullptr;
    QPushButton *BitBtnPlayPattern = nullptr;
};
