#pragma once
// The program's option values, held by the main window (`Options`), read from and written
// to the settings file (mainwindow/files/SettingsStore.h), edited by the options dialog and read by
// other windows. The initial values are the ones a first run starts with.
#include <QString>

#include <array>

struct ProgramOptions {
    QString InstallDir; // folder searched first for the help document
    bool ShowChordChartMessage = true;
    bool ShowHints = true; // pop-up hints on the main window's controls
    QString Lastdir;       // folder the file dialogs start in
    QString LastFileName;  // song last opened, or the untitled song
    bool LoadLastFile = true;
    bool ShowNewUserMessage = true; // welcome screen at the first activation
    bool Prompts = true;
    bool TabPrompt = true;
    std::array<QString, 6> RecentFiles; // newest first
    bool TabDurations = true;           // tablature shows a durations line
    bool TabMode = true;                // tablature view last chosen: false graphic, true ASCII
    QString MenuPatchName = QStringLiteral("  1 Acoustic Grand");
    int MenuPatchTag = 1;
    QString MenuTuningName = QStringLiteral("&Custom Tuning - E A D G B E");
    QString TuningSpelling = QStringLiteral("242424242424");
    int Device = -1; // MIDI output device; -1 the default device
    int TunerNoteDuration = 300;
    // The notation editor's font.
    int Charset = 1;
    int color = 0; // colour value 0x00BBGGRR
    int Height = -11;
    QString Name = QStringLiteral("Courier New");
    int Size = 8;
    int Style = 0;                      // 8 bold, 4 italic, 2 underline, 1 strike-out
    QString WorkDir;                    // folder of the user chord formula file
    int DotID = 0;                      // chord diagram dots: 0 dot, 1 note, 2 degree
    bool ScaleRestrictor = true;        // only scale tones clickable while a scale is shown
    bool ShowMixerAfterFileOpen = true; // song information after a song file is read
    int LastTip = 0;                    // last tip shown by the welcome screen

    bool operator==(const ProgramOptions &) const = default;
};
