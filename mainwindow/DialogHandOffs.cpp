#include "mainwindow/MainWindow.h"

#include "dialogs/Dialogs.h"
#include "dialogs/FontStyle.h"
#include "mainwindow/DialogHandOffs.h"

void WireMainDialogs(TfrmMain &main, TDialogs &dialogs) {
    TMainDialogs d;
    d.showAbout = [&dialogs] { return dialogs.frmAbout->ShowModal(); };
    d.showOptions = [&dialogs] { return dialogs.frmOptions->ShowModal(); };
    d.optionsSavedFont = [&dialogs](QFont &font, QColor &colour) {
        const TfrmOptions &o = *dialogs.frmOptions;
        font.setPointSize(o.SavedFontSize);
        ApplyFontStyles(font, o.SavedFontStyle);
        colour = o.SavedFontColor;
    };
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
