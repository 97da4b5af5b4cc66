#include "mainwindow/DialogHandOffs.h"

#include "dialogs/Dialogs.h"
#include "mainwindow/MainWindow.h"

#include <QInputDialog>
#include <QLineEdit>

void WireMainDialogs(TfrmMain &main, TDialogs &dialogs) {
    // The dialogs live as long as the program's windows; the route keeps their own pointers.
    TMainDialogs d;
    d.about = [dlg = dialogs.frmAbout.get()] { dlg->ShowModal(); };
    d.options = [dlg = dialogs.frmOptions.get()](const TOptionsInput &in) { return dlg->Ask(in); };
    d.welcome = [dlg = dialogs.frmWelcome.get()](const TWelcomeInput &in) { return dlg->Ask(in); };
    d.tempo = [dlg = dialogs.FrmEnterTempo.get()](const TTempoInput &in) { return dlg->Ask(in); };
    d.timeSignature = [dlg = dialogs.frmEnterTimeSig.get()](const TTimeSigInput &in) { return dlg->Ask(in); };
    d.find = [dlg = dialogs.frmfind.get()] { dlg->ShowModal(); };
    d.replace = [dlg = dialogs.frmReplace.get()] { dlg->ShowModal(); };
    d.goToLine = [dlg = dialogs.frmEnterNumber.get()] { dlg->ShowModal(); };
    d.durationPicker = [dlg = dialogs.frmNoteSelect.get()] { dlg->ShowModal(); };
    // The one-line input is a plain Qt input box until its own form takes text.
    d.inputLine = [parent = &main](const TLineInput &in) -> std::optional<std::string> {
        QInputDialog box(parent);
        box.setWindowTitle(QString::fromStdString(in.title));
        box.setLabelText(QString::fromStdString(in.title));
        box.setTextValue(QString::fromStdString(in.text));
        if (auto *edit = box.findChild<QLineEdit *>(); edit && in.maxLength > 0)
            edit->setMaxLength(in.maxLength);
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        return box.textValue().toStdString();
    };
    main.SetDialogs(std::move(d));
}
