#include "mainwindow/window/ProgramWindows.h"

#include "mainwindow/window/DialogHandOffs.h"

TProgramWindows CreateProgramWindows(const TMainEnvironment &env) {
    TProgramWindows w;
    w.frmMain = std::make_unique<TfrmMain>(env);
    w.dialogs = CreateDialogs(*env.services, w.frmMain.get());
    w.frmTab = std::make_unique<TfrmTab>(*env.services, w.frmMain.get());
    WireMainDialogs(*w.frmMain, w.dialogs, w.frmTab.get());
    return w;
}

TProgramWindows::~TProgramWindows() {
    // The dialogs are children of the main window but owned here: they go first.
    if (frmMain)
        frmMain->SetDialogs({});
    frmTab.reset();
    dialogs = TDialogs{};
    frmMain.reset();
}

std::vector<QWidget *> TProgramWindows::InOrder() const {
    std::vector<QWidget *> all{frmMain.get()};
    for (platform::ModalDialog *d : dialogs.InOrder())
        all.push_back(d);
    all.push_back(frmTab.get());
    return all;
}
