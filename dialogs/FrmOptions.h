#pragma once
// `TfrmOptions`: the program options: MIDI device, editor font, hints, welcome screen, scale restrictor.
// Created once at start-up (CreateDialogs) and shown with ShowModal() again and again.
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"
#include "dialogs/FontStyle.h"

#include <QColor>

class TfrmOptions : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmOptions(const platform::Services &services, QWidget *parent = nullptr);

    // The editor font as it was when the dialog opened; the opener puts it back after
    // any result but OK, undoing the dialog's preview.
    int SavedFontSize = 8;
    QColor SavedFontColor = Qt::black;
    TFontStyles SavedFontStyle;

private:
    platform::Services services_;
};
