#pragma once
// `TfrmOptions`: the program options: MIDI device, editor font, hints, welcome screen, scale restrictor.
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"
#include "dialogs/ProgramOptions.h"

#include <optional>

struct TOptionsInput {
    ProgramOptions options; // the options as the program holds them
};

class TfrmOptions : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmOptions(const platform::Services &services, QWidget *parent = nullptr);

    // Edits a copy of the options; returns it on OK, nullopt on Cancel (the opener's own
    // options are never touched, so Cancel changes nothing).
    std::optional<ProgramOptions> Ask(const TOptionsInput &in);

private:
    platform::Services services_;
    ProgramOptions options_;
};
