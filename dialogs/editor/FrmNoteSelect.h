#pragma once
// `TfrmNoteSelect`: the note-duration picker, 21 picture buttons (seven lengths, each plain,
// dotted and triplet). Created once at start-up (CreateDialogs) and shown again and again
// through Ask(); the opener decides what the choice does (make it the current duration, or
// apply it once to the caret or selected lines).
//
//   if (const std::optional<TNotePick> pick = dialogs.frmNoteSelect->Ask({"Select Current Note Duration"}))
//       ...;   // nullopt: Cancel or the window closed
#include "dialogs/rules/NotePickRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>
#include <string>

class QPushButton;

struct TNotePickInput {
    std::string caption; // the window's title names what the choice will do
};

class TfrmNoteSelect : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmNoteSelect(const platform::Services &services, QWidget *parent = nullptr);

    // The button clicked; nullopt on Cancel or closing.
    std::optional<TNotePick> Ask(const TNotePickInput &in);

private:
    void SpeedButtonClick(const TNotePick &pick);

    platform::Services services_;
    QPushButton *BitBtnCancel;
    std::optional<TNotePick> chosen_;
};
