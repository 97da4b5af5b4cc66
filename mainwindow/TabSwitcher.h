#pragma once
// Switching the instrument tab: leaving a tab saves the editor's caret, view, selection,
// text and duration choice into the tab's record and stored lines; entering one loads
// them back with the mixer values, colours, captions and the menus that fit its kind.
class TfrmMain;

class TTabSwitcher {
public:
    explicit TTabSwitcher(TfrmMain &w) : w_(w) {}

    // Before the page changes; false refuses the change (anything playing or running).
    bool Changing();
    // The mixer panel and the tuning label from the current tab's record.
    void ShowMixer();
    // After the page changed: the active page becomes the current tab and is shown.
    void Change();

private:
    // The editor and picture, or the drum groups in their place.
    void ShowPage(bool drums);
    void RestoreEditorState();
    void SelectSavedPattern();

    TfrmMain &w_;
};
