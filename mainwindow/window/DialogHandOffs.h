#pragma once
// Hands the main window the dialogs it opens, once the program has created them.
struct TDialogs;
class TfrmMain;
class TfrmTab;

void WireMainDialogs(TfrmMain &main, TDialogs &dialogs, TfrmTab *tablature = nullptr);
