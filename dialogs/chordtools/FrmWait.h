#pragma once
// `TfrmWait`: the progress window of the chord search, with its Stop button.
// Created once at start-up (CreateDialogs). The search shows it without waiting and goes on
// working, pumping window events; the window takes the input meanwhile (it is modal), so its
// Stop button, Esc and the close box reach it, and each of them only asks the search to stop.
//
//   wait.Begin(QStringLiteral("Calculation in process..."), [&] { cancel = true; });
//   ... wait.SetMessage(QStringLiteral("Chord count: 12")); processEvents ...
//   wait.End();
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <functional>

class QLabel;
class QPushButton;

class TfrmWait : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmWait(const platform::Services &services, QWidget *parent = nullptr);

    // Shows the window with `caption`, over `over` when given; a stop request calls `onStop`.
    void Begin(const QString &caption, std::function<void()> onStop, QWidget *over = nullptr);
    void SetMessage(const QString &text);
    // Hides the window; stop requests do nothing from now on.
    void End();

    void reject() override; // Esc: stop, not close

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BitBtnCancelClick();

    platform::Services services_;
    QLabel *Label1;
    QPushButton *BitBtnCancel;
    std::function<void()> onStop_;
};
