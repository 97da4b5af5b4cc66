#pragma once
// The program's settings file: the options and recent files of the current user, kept
// between runs. It is an INI file ("Tarrowind Version 2.ini" in the user's config
// folder) with the sections Options, Midi, Recent, Font, CCOptions and Version, each
// value a decimal number, "1"/"0" or a text.
//
// The main window reads it once at start-up and writes it once at close:
//
//   SettingsStore store(services.messages);                 // the user's file
//   const QString installed = store.GetInstalledVersion();  // before loading
//   Options = store.LoadSettings(DefaultSettingsDefaults());
//   ...
//   store.SaveSettings(Options, SaveMidiDevice);            // reports a failure itself
//
// Every value is checked when read: an absent or malformed value reads as its default,
// numbers outside their range are brought back into it (see LoadSettings).
#include "dialogs/common/ProgramOptions.h"

#include <QString>

namespace platform {
class IMessageBoxes;
}

// Defaults that depend on the machine rather than on the program.
struct SettingsDefaults {
    QString installDir; // InstallDir when absent: the current folder at start-up
    QString workDir;    // WorkDir when absent: the per-user data folder
};
SettingsDefaults DefaultSettingsDefaults();

// Full path of the user's settings file.
QString DefaultSettingsPath();

// A decimal integer (blanks around it allowed, optional sign, within 32 bits), else `def`.
int ParseSettingsInt(const QString &text, int def);
// A boolean is true when its number is not 0; a text that is not a number gives `def`.
bool ParseSettingsBool(const QString &text, bool def);

class SettingsStore {
public:
    // The user's settings file.
    explicit SettingsStore(platform::IMessageBoxes &messages);
    // A settings file of its own (tests).
    SettingsStore(QString iniPath, platform::IMessageBoxes &messages);

    // "0.0" when there are no settings yet, "1.0" when they have no Version section,
    // else the stored "CurrentVersion" trimmed of blanks.
    QString GetInstalledVersion() const;

    // Every value of the file, its default where absent or malformed. Clamped on the way
    // in: Device below -1 becomes -1; a font Size outside 2..200 becomes 8; only the four
    // style bits of Style count; a color outside 0..0xFFFFFF, a DotID outside 0..2 and a
    // negative LastTip read as their defaults; a LastTip past the last tip is the last tip; an
    // empty font Name is "Courier New".
    ProgramOptions LoadSettings(const SettingsDefaults &defaults) const;

    // Writes every value ("Device" only when `saveMidiDevice`) and the Version section's
    // "CurrentVersion" = "2.0". A file that cannot be written is reported in an error
    // box; the result is false then.
    bool SaveSettings(const ProgramOptions &options, bool saveMidiDevice);

private:
    QString path_;
    platform::IMessageBoxes &messages_;
};
