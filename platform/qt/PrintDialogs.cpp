#include "platform/qt/PrintDialogs.h"

#include <QPrintDialog>
#include <QPrinter>

namespace platform {

bool QtPrintDialogs::ExecPrintDialog(QPrinter &printer, const QString &title) {
    QPrintDialog dialog(&printer, parent_);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace platform
