#pragma once
// `TfrmAbout` ("About"): the title picture, the version, the machine's memory, a guitar
// animation that plays while the box is open, and System Info, shown only where a
// system-information program is installed. Created once at start-up (CreateDialogs) and shown
// with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <QLocale>

class QLabel;
class QPushButton;
class QVBoxLayout;
class TArtView;
class TGuitarAnimation;

// "System Memory:" and the memory in KB, right-aligned in ten columns with the locale's
// thousands separators ("System Memory:16,318,480 KB").
QString AboutMemoryText(qint64 bytes, const QLocale &locale = QLocale());

class TfrmAbout : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(const platform::Services &services, QWidget *parent = nullptr);

    // The animation while the box is shown (null otherwise).
    TGuitarAnimation *Animation() const { return Animate1; }

protected:
    void FormActivate() override;
    void FormDeactivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void btnMSInfoClick();
    void ShowHiddenPicture();

    platform::Services services_;
    QVBoxLayout *layout_;
    TArtView *ImageTWDText;
    TGuitarAnimation *Animate1 = nullptr;
    QLabel *lblVersion;
    QLabel *lblSWWarning;
    TArtView *Image1;
    QPushButton *btnOK;
    QPushButton *btnMSInfo;
    QString msInfoPath_;
};
