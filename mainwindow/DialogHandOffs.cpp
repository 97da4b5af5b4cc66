#include "mainwindow/MainWindow.h"

#include "dialogs/Dialogs.h"
#include "mainwindow/DialogHandOffs.h"

void WireMainDialogs(TfrmMain &main, TDialogs &dialogs) {
    TMainDialogs d;
    d.showAbout = [&dialogs] { return dialogs.frmAbout->ShowModal(); };
    d.showOptions = [&dialogs] { return dialogs.frmOptions->ShowModal(); };
    d.showWelcome = [&dialogs](QString &selectedRecent) {
        TfrmWelcome &w = *dialogs.frmWelcome;
        w.Choice = 0;
        w.ShowModal();
        const QListWidgetItem *item = w.lbWelcomeMRU->currentItem();
        selectedRecent = item ? item->text() : QString();
        return w.Choice;
    };
    main.SetDialogs(std::move(d));
}
