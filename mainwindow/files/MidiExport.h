#pragma once
// The File menu's MIDI export ("Save &Midi File...", Ctrl+M): builds the whole song and
// writes it as a Standard MIDI File; and the small commands beside it: the online help and
// video pages and a new text editor.
#include "mainwindow/files/FileCommands.h"

#include <QObject>
#include <QString>

#include <functional>

struct TPlaySettings;

inline constexpr const char *kMidiFilter = "Midi files (*.mid)|*.mid|All Files (*.*)|*.*";
inline constexpr const char *kCantCreateMidi = "Can't create file.";
inline constexpr const char *kOnlineHelpAddress = "https://tarrowind.org/help/";
inline constexpr const char *kVideoAddress = "https://www.youtube.com/results?search_query=tarrowind";

class TMidiExport : public QObject {
    Q_OBJECT
public:
    // The play settings come from `Calls.PlaySettings` (none: the builder's defaults).
    explicit TMidiExport(const TFileParts &parts, QObject *parent = nullptr);

    void SaveMidiOfSong1Click();
    void OnlineHelpSite1Click();
    void YouTubeSite1Click();
    void N14Click();

private:
    const TFileParts p_;
};
