#pragma once
// Modal results of dialogs and message boxes. The numbers are the ones the program's
// dialogs hand back to their openers (OK 1, Cancel 2, ...), so they can be compared
// with plain integers where a dialog returns something else (a chord type number).
namespace platform {

enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

} // namespace platform
