#pragma once
// The one hand-off route from the main window to its dialogs: each entry shows one dialog
// through its typed Ask call (value in, value out). The program wires it once the dialogs
// exist (WireMainDialogs); tests set the entries they need. An empty entry shows nothing.
#include "dialogs/FrmChordCalc.h"
#include "dialogs/FrmEnterTempo.h"
#include "dialogs/FrmEnterTimeSig.h"
#include "dialogs/FrmOptions.h"
#include "dialogs/FrmWelcome.h"

#include <functional>
#include <optional>
#include <string>

struct TMainDialogs {
    std::function<void()> about;
    std::function<std::optional<ProgramOptions>(const TOptionsInput &)> options;
    std::function<std::optional<TWelcomeResult>(const TWelcomeInput &)> welcome;
    std::function<std::optional<int>(const TTempoInput &)> tempo;
    std::function<std::optional<std::string>(const TTimeSigInput &)> timeSignature;
    std::function<std::optional<TChordCalcResult>(const TChordCalcInput &, const TChordCalcCalls &)> chordCalc;
    // Shown as they stand until their own commands arrive.
    std::function<void()> find, replace, goToLine, durationPicker;
};
