#pragma once
// The vocabulary of the small pickers, as plain tables and functions: the sound picker's 128
// program captions and its preview note, the percussion picker's 47 keys, the twelve keys,
// the 44 chord types (with the formula row the piano keyboard shows for each and a scale
// suggestion) and the 28 scales with their step patterns.
#include "song/KeyNames.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// ---- previews ---------------------------------------------------------------------------------

// A note a picker lets the user hear before choosing: a program change first when `program`
// is 0..127 (-1: none), then the note on, a short wait, and the note off.
struct TPreviewNote {
    int bank = 0;
    int program = -1;
    int channel = 0;
    int note = 60;
    int velocity = 100;
    bool operator==(const TPreviewNote &) const = default;
};
inline constexpr int kPreviewMs = 250;

// ---- sounds -----------------------------------------------------------------------------------

// The sound picker's caption of program 0..127: its name, a blank and the 0-based number in
// parentheses ("Electic Guitar (jazz) (26)"). These captions become a tab's patch name and are
// stored in song files; "" outside 0..127.
std::string SoundCaption(int program);
// The sixteen group headings of the sound picker; group g holds programs 8g..8g+7.
std::span<const std::string_view> SoundGroupHeadings();
// The note a program is previewed at: 52 for the low instruments (basses, contrabass, tuba and
// the like), else 60.
int SoundPreviewNote(int program);
// The preview of a program: on channel 0 in the tab's bank, at the tab's volume.
TPreviewNote SoundPreview(int program, int bank, int volume);
// The directive line a right click inserts: "*Instrument " + the program's bare table name
// (the General MIDI table's spelling, "Skakuhachi" for 77).
std::string InstrumentDirectiveLine(int program);
// The picker's line about the current tab: Double-click an instrument to use for the "Guitar" sound
std::string SoundPickerMessage(std::string_view tabName);

// ---- percussion -------------------------------------------------------------------------------

// The 47 captions of the percussion picker in label order ("36 Bass Drum 1" ...), as stored:
// the fourth ends with a blank.
std::span<const std::string_view> PercussionCaptions();
// The percussion headings and the first label (1-based) under each: "Drums", "Cymbals", "Other".
struct TPickerHeading {
    std::string_view caption;
    int firstLabel;
};
std::span<const TPickerHeading> PercussionHeadings();
// The key of a caption: its text up to the first blank, as a number (0 when it reads none).
int PercussionKey(std::string_view caption);
// The preview of a percussion key: on the tab's channel at its volume, no program change.
TPreviewNote PercussionPreview(int key, int channel, int volume);

// ---- keys -------------------------------------------------------------------------------------

// KeyName(1..12) (song/KeyNames.h) names the keys.
// The key picker's buttons: object name and key index ("BitBtnA" 1 ... "BitBtnAb" 12).
struct TKeyButton {
    std::string_view name;
    int key;
};
std::span<const TKeyButton> KeyButtons();
inline constexpr int kKeyC = 4;

// ---- chord types ------------------------------------------------------------------------------

struct TChordTypeRow {
    int number;                  // the type number, 1..45 (24 is unused); the label's name is "Label" + number
    std::string_view caption;    // the picker label's caption ("Major 7")
    std::string_view name;       // the type name ("Maj7"), as the chord formula table names it
    int row;                     // 0-based row of the chord formula table shown on the keyboard
    std::string_view formula;    // that row's degrees ("1-3-5-7")
    std::string_view suggestion; // the scale suggestion ("" for none)
};
// The 44 chord types in type-number order.
std::span<const TChordTypeRow> ChordTypeRows();
// The name of type 1..45 ("Major", "Maj7", "minor 7b5"); "" for 24 and outside 1..45.
std::string ChordTypeName(int number);
// The picker's headings: "Major", "Minor" and "Seventh" show a scale suggestion under the
// mouse, "Misc" none; each stands over the types from `firstType` on.
struct TChordTypeHeading {
    std::string_view caption;
    std::string_view suggestion;
    int firstType;
};
std::span<const TChordTypeHeading> ChordTypeHeadings();
// "Scale Suggestion: " + the suggestion (the prefix alone when there is none).
std::string ScaleSuggestionText(std::string_view suggestion);
// The semitones above the root of the formula a chord-type row stands for, root first
// ({0, 4, 7} for row 0); empty for a row no chord type names.
std::vector<int> ChordRowSemitones(int row);

// ---- scales -----------------------------------------------------------------------------------

struct TScaleRow {
    int label;              // the picker label's number ("Label" + label)
    std::string_view name;  // "Major (Ionian)"
    std::string_view steps; // "WWHWWWH": W whole step, H half step, M a minor third
    int group;              // index into ScaleGroupHeadings
};
// The 28 scales in the picker's order, grouped under their headings.
std::span<const TScaleRow> ScaleRows();
std::span<const std::string_view> ScaleGroupHeadings();
// The scale definition a label carries: the name left-justified in 28 characters, "=", the
// steps ("Blues Scale                 =MWHHMW").
std::string ScaleDefinitionOf(const TScaleRow &scale);
// The definition the main window starts with (Major (Ionian)).
std::string DefaultScaleDefinition();
// The scale name of a definition: its text before "=", trimmed.
std::string ScaleNameOf(std::string_view definition);
// The step formula of a definition: its text after the first "=" (the whole text without one).
std::string ScaleFormulaOf(std::string_view definition);
