#pragma once
// The print dialog. Windows pass their QPrinter; the dialog sets it up and says whether
// to print. ScriptedPrintDialogs (TestServices.h) answers from a queue and can point the
// printer at a PDF file so a test can print for real without a printer.
#include <QString>

class QPrinter;
class QWidget;

namespace platform {

class IPrintDialogs {
public:
    virtual ~IPrintDialogs() = default;
    // True when the user confirmed; `printer` then holds the chosen settings.
    virtual bool ExecPrintDialog(QPrinter &printer, const QString &title = QString()) = 0;
};

class QtPrintDialogs : public IPrintDialogs {
public:
    explicit QtPrintDialogs(QWidget *parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget *parent) { parent_ = parent; }
    bool ExecPrintDialog(QPrinter &printer, const QString &title = QString()) override;

private:
    QWidget *parent_;
};

} // namespace platform
