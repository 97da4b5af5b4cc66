#include "mainwindow/MainWindow.h"

#include "dialogs/Dialogs.h"
#include "dialogs/FontStyle.h"
#include "mainwindow/DialogHandOffs.h"

void WireMainDialogs(TfrmMain &main, TDialogs &dialogs) {
    TMainDialogs d;
    d.showAbout = [&dialogs] { return dialogs.frmAbout->ShowModal(); };
    d.showOptions = [&main, &dialogs] {
        const std::optional<ProgramOptions> chosen = dialogs.frmOptions->Ask({main.Options});
        if (!chosen)
            return int(platform::mrCancel);
        main.Options = *chosen;
        return int(platform::mrOk);
    };
    // The options record holds the editor font the dialog found; after Cancel it undoes
    // whatever the dialog previewed.
    d.optionsSavedFont = [&main](QFont &font, QColor &colour) {
        const ProgramOptions &o = main.Options;
        font.setPointSize(o.Size >= 2 && o.Size <= 200 ? o.Size : 8);
        ApplyFontStyles(font, StyleCodeToFontStyles(o.Style));
        colour = QColor(o.color & 0xFF, (o.color >> 8) & 0xFF, (o.color >> 16) & 0xFF);
    };
    d.showWelcome = [&main, &dialogs](QString &selectedRecent) {
        TWelcomeInput in;
        for (const QString &path : main.Options.RecentFiles)
            if (!path.isEmpty())
                in.recentFiles << path;
        const std::optional<TWelcomeResult> result = dialogs.frmWelcome->Ask(in);
        selectedRecent = result ? result->selectedRecent : QString();
        return result ? result->choice : 0;
    };
    main.SetDialogs(std::move(d));
}
