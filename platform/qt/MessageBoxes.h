#pragma once
// Message boxes: the program's only way of reporting to the user. Windows take an
// IMessageBoxes& and never create QMessageBox themselves, so tests can swap in
// ScriptedMessageBoxes (TestServices.h), which records every text and never blocks.
//
//   services.messages.Warning("Please stop instrument playback before exiting Tarrowind");
//   if (services.messages.Question("Save changes to " + name + "?") == platform::mrYes) ...
//
// Texts may hold carriage returns (the notation messages end with two); the Qt box shows
// CR, LF and CRLF each as one line break.
#include "platform/qt/ModalResult.h"

#include <QString>

class QWidget;

namespace platform {

enum class TMessageKind { Plain, Information, Warning, Error, Question };

// Buttons of a box, combined with |.
enum MessageButton : unsigned {
    mbOk = 1u << 0,
    mbCancel = 1u << 1,
    mbYes = 1u << 2,
    mbNo = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
};
using MessageButtons = unsigned;
inline constexpr MessageButtons mbYesNo = mbYes | mbNo;
inline constexpr MessageButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr MessageButtons mbOkCancel = mbOk | mbCancel;

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows the box modally and returns the result of the button pressed (mrOk, mrYes,
    // ...). An empty caption takes the kind's usual title ("Warning", "Confirm", ...).
    virtual int Show(TMessageKind kind, const QString &text, MessageButtons buttons,
                     const QString &caption = QString()) = 0;

    // Plain box with OK and the program's title.
    void ShowMessage(const QString &text) { Show(TMessageKind::Plain, text, mbOk); }
    void Information(const QString &text) { Show(TMessageKind::Information, text, mbOk); }
    void Warning(const QString &text) { Show(TMessageKind::Warning, text, mbOk); }
    void Error(const QString &text) { Show(TMessageKind::Error, text, mbOk); }
    // A confirmation; returns mrYes, mrNo or mrCancel (or whichever buttons were given).
    int Question(const QString &text, MessageButtons buttons = mbYesNoCancel) {
        return Show(TMessageKind::Question, text, buttons);
    }
};

// The box title used when none is given.
QString DefaultMessageCaption(TMessageKind kind);
// CR LF and lone CR become LF.
QString NormaliseLineBreaks(const QString &text);

// The real boxes (QMessageBox), centred on `parent` when given.
class QtMessageBoxes : public IMessageBoxes {
public:
    explicit QtMessageBoxes(QWidget *parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget *parent) { parent_ = parent; }
    int Show(TMessageKind kind, const QString &text, MessageButtons buttons,
             const QString &caption = QString()) override;

private:
    QWidget *parent_;
};

} // namespace platform
