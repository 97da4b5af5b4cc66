#pragma once
// The program's windows, created once in their fixed order: the main window, the dialogs
// in their order, then the tablature window. The main window is the application's main
// window; closing it ends the program. They are destroyed in reverse order.
#include "dialogs/Dialogs.h"
#include "dialogs/tablature/FrmTab.h"
#include "mainwindow/window/MainWindow.h"

#include <memory>
#include <vector>

struct TProgramWindows {
    std::unique_ptr<TfrmMain> frmMain;
    TDialogs dialogs;
    std::unique_ptr<TfrmTab> frmTab;

    TProgramWindows() = default;
    TProgramWindows(TProgramWindows &&) = default;
    TProgramWindows &operator=(TProgramWindows &&) = default;
    ~TProgramWindows();

    // Every window, in creation order (24).
    std::vector<QWidget *> InOrder() const;
};

// Creates the 24 windows; the main window gets its dialogs handed over.
TProgramWindows CreateProgramWindows(const TMainEnvironment &env);
