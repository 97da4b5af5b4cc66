#pragma once
// The Qt platform services a window needs, bundled so that windows take one argument:
//
//   TfrmSomething(const platform::Services &services, QWidget *parent = nullptr);
//
// The program builds a QtServices (real boxes, dialogs, desktop); tests build a
// platform::TestServices (TestServices.h) and pass its Get(). The services must outlive
// every window given them.
#include "platform/qt/Clipboard.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/Help.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/PrintDialogs.h"
#include "platform/qt/Shell.h"

class QWidget;

namespace platform {

struct Services {
    IMessageBoxes &messages;
    IFileDialogs &files;
    IPrintDialogs &print;
    IShell &shell;
    IClipboard &clipboard;
    IHelp &help;
    IModalRunner &modal;
};

// The real services. Message boxes and file dialogs centre on the parent given to
// SetDialogParent (the main window, once it exists).
class QtServices {
public:
    QtServices();
    QtServices(const QtServices &) = delete;
    QtServices &operator=(const QtServices &) = delete;

    void SetDialogParent(QWidget *parent);
    const Services &Get() const { return services_; }

private:
    QtMessageBoxes messages_;
    QtFileDialogs files_;
    QtPrintDialogs print_;
    QtShell shell_;
    QtClipboard clipboard_;
    QtHelp help_;
    QtModalRunner modal_;
    Services services_;
};

} // namespace platform
