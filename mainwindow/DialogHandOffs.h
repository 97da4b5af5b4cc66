#pragma once
// Hands the main window the dialogs it opens, once the program has created them.
struct TDialogs;
class TfrmMain;

void WireMainDialogs(TfrmMain &main, TDialogs &dialogs);
