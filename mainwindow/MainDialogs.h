#pragma once
// The one hand-off route from the main window to its dialogs: each entry shows one dialog
// through its typed Ask call (value in, value out). The program wires it once the dialogs
// exist (WireMainDialogs); tests set the entries they need. An empty entry shows nothing.
#include "dialogs/FrmEnterNumber.h"
#include "dialogs/FrmEnterTempo.h"
#include "dialogs/FrmEnterTimeSig.h"
#include "dialogs/FrmFind.h"
#include "dialogs/FrmOptions.h"
#include "dialogs/FrmReplace.h"
#include "dialogs/FrmWelcome.h"
#include "mainwindow/FrmTab.h"

#include <functional>
#include <optional>
#include <string>

struct TMainDialogs {
    std::function<void()> about;
    std::function<std::optional<ProgramOptions>(const TOptionsInput &)> options;
    std::function<std::optional<TWelcomeResult>(const TWelcomeInput &)> welcome;
    std::function<std::optional<int>(const TTempoInput &)> tempo;
    std::function<std::optional<std::string>(const TTimeSigInput &)> timeSignature;
    std::function<std::optional<TFindRequest>(const TFindInput &)> find;
    std::function<std::optional<TReplaceRequest>(const TReplaceInput &)> replace;
    std::function<std::optional<int>(const TGoToInput &)> goToLine;
    std::function<TTabResult(const TTabInput &)> tablature;
    // Shown as it stands until its own commands arrive.
    std::function<void()> durationPicker;
};
