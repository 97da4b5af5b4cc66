#include "dialogs/rules/PickerRules.h"

#include "song/ChordDegrees.h"
#include "song/GMProgramNames.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

// The sound picker's own names; they differ from the General MIDI table's in places
// ("Electic Guitar (jazz)", "Shakuhachi") and are kept as they are, since song files hold them.
// clang-format off
constexpr std::array<std::string_view, 128> kSoundNames = {
    "Acoustic Grand Piano", "Bright Acoustic Piano", "Electric Grand Piano", "Honky-tonk Piano",
    "Rhodes Piano", "Chorused Piano", "Harpsichord", "Clavinet",
    "Celesta", "Glockenspiel", "Music Box", "Vibraphone", "Marimba", "Xylophone", "Tubular Bells", "Dulcimer",
    "Hammond Organ", "Percussive Organ", "Rock Organ", "Church Organ", "Reed Organ", "Accordion", "Harmonica",
    "Tango Accordion",
    "Acoustic Guitar (nylon)", "Acoustic Guitar (steel)", "Electic Guitar (jazz)", "Electric Guitar (clean)",
    "Electric Guitar (muted)", "Overdriven Guitar", "Distortion Guitar", "Guitar Harmonics",
    "Acoustic Bass", "Electric Bass (finger)", "Electric Bass (pick)", "Fretless Bass", "Slap Bass 1",
    "Slap Bass 2", "Synth Bass 1", "Synth Bass 2",
    "Violin", "Viola", "Cello", "Contrabass", "Tremolo Strings", "Pizzicato Strings", "Orchestral Harp", "Timpani",
    "String Ensemble 1", "String Ensemble 2", "Synth Strings 1", "Synth Strings 2", "Choir Aahs", "Voice Oohs",
    "Synth Voice", "Orchestra Hit",
    "Trumpet", "Trombone", "Tuba", "Muted Trumpet", "French Horn", "Brass Section", "Synth Brass 1", "Synth Brass 2",
    "Soprano Sax", "Alto Sax", "Tenor Sax", "Baritone Sax", "Oboe", "English Horn", "Bassoon", "Clarinet",
    "Piccolo", "Flute", "Recorder", "Pan Flute", "Bottle Blow", "Shakuhachi", "Whistle", "Ocarina",
    "Lead 1 (square)", "Lead 2 (sawtooth)", "Lead 3 (calliope lead)", "Lead 4 (chiff lead)", "Lead 5 (charang)",
    "Lead 6 (voice)", "Lead 7 (fifths)", "Lead 8 (bass + lead)",
    "Pad 1 (new age)", "Pad 2 (warm)", "Pad 3 (polysynth)", "Pad 4 (choir)", "Pad 5 (bowed)", "Pad 6 (metallic)",
    "Pad 7 (halo)", "Pad 8 (sweep)",
    "FX 1 (rain)", "FX 2 (soundtrack)", "FX 3 (crystal)", "FX 4 (atmosphere)", "FX 5 (brightness)",
    "FX 6 (goblins)", "FX 7 (echoes)", "FX 8 (sci-fi)",
    "Sitar", "Banjo", "Shamisen", "Koto", "Kalimba", "Bagpipe", "Fiddle", "Shanai",
    "Tinkle Bell", "Agogo", "Steel Drums", "Woodblock", "Taiko Drum", "Melodic Tom", "Synth Drum", "Reverse Cymbal",
    "Guitar Fret Noise", "Breath Noise", "Seashore", "Bird Tweet", "Telephone Ring", "Helicopter", "Applause",
    "Gunshot",
};
// clang-format on

// clang-format off
constexpr std::array<std::string_view, 16> kSoundGroups = {
    "Keyboards", "Tuned Percussion", "Organs", "Guitars", "Basses", "Strings", "Ensemble", "Brass",
    "Reeds", "Winds", "Synth Leads", "Synth Pads", "Synth Effects", "Folk Instruments", "Percussion",
    "Sound Effects",
};
// clang-format on

constexpr std::array<std::string_view, 47> kPercussion = {
    "36 Bass Drum 1",     "35 Bass Drum 2",     "38 Snare Drum 1",   "40 Snare Drum 2 ", "43 Low Tom 1",
    "41 Low Tom 2",       "47 Mid Tom 1",       "45 Mid Tom 2",      "50 High Tom 1",    "48 High Tom 2",
    "62 Mute High Conga", "63 Open High Conga", "64 Low Conga",      "60 High Bongo",    "61 Low Bongo",
    "65 High Timbale",    "66 Low Timbale",     "46 Open Hi-hat",    "42 Closed Hi-hat", "44 Pedal Hi-hat",
    "49 Crash Cymbal 1",  "57 Crash Cymbal 2",  "59 Ride Cymbal 2",  "51 Ride Cymbal 1", "55 Splash Cymbal",
    "52 Chinese Cymbal",  "39 Hand Clap",       "54 Tambourine",     "37 Side Stick",    "56 Cowbell",
    "58 Vibra Slap",      "53 Ride Bell",       "67 High Agogo",     "68 Low Agogo",     "69 Cabasa",
    "70 Maracas",         "71 Short Whistle",   "72 Long Whistle",   "73 Short Guiro",   "74 Long Guiro",
    "75 Claves",          "76 High Wood Block", "77 Low Wood Block", "78 Mute Cuica",    "79 Open Cuica",
    "80 Mute Triangle",   "81 Open Triangle",
};

constexpr std::array kPercussionHeadings = {
    TPickerHeading{"Drums", 1},
    TPickerHeading{"Cymbals", 18},
    TPickerHeading{"Other", 27},
};

constexpr std::array kKeyButtons = {
    TKeyButton{"BitBtnA", 1},  TKeyButton{"BitBtnBB", 2},  TKeyButton{"BitBtnB", 3},  TKeyButton{"BitBtnC", 4},
    TKeyButton{"BitBtnDb", 5}, TKeyButton{"BitBtnD", 6},   TKeyButton{"BitBtnEb", 7}, TKeyButton{"BitBtnE", 8},
    TKeyButton{"BitBtnF", 9},  TKeyButton{"BitBtnGb", 10}, TKeyButton{"BitBtnG", 11}, TKeyButton{"BitBtnAb", 12},
};

constexpr std::string_view kIonian = "Major (Ionian)";
constexpr std::string_view kDorian = "Dorian";
constexpr std::string_view kMixolydian = "Mixolydian";
constexpr std::string_view kSuperLocrian = "Super Locrian";

constexpr std::array kChordTypes = {
    TChordTypeRow{1, "Major", "Major", 0, "1-3-5", kIonian},
    TChordTypeRow{2, "Major 6", "Major 6", 1, "1-3-5-6", kIonian},
    TChordTypeRow{3, "Major 6/9", "Major 6/9", 3, "1-3-5-6-9", kIonian},
    TChordTypeRow{4, "Major add 9", "Major add 9", 5, "1-3-5-9", kIonian},
    TChordTypeRow{5, "Major 7", "Maj7", 7, "1-3-5-7", kIonian},
    TChordTypeRow{6, "Major 9", "Maj9", 9, "1-3-5-7-9", kIonian},
    TChordTypeRow{7, "Major 13", "Maj13", 11, "1-3-7-9-11-13", ""},
    TChordTypeRow{8, "Major add 11", "Major add 11", 13, "1-3-5-11", ""},
    TChordTypeRow{9, "Major add +11", "Major add +11", 14, "1-3-5-#11", ""},
    TChordTypeRow{10, "Major7 add +11", "Maj7 add +11", 16, "1-3-5-7-#11", ""},
    TChordTypeRow{11, "Major 7 b5", "Maj7b5", 18, "1-3-b5-7", "Lydian"},
    TChordTypeRow{12, "Major 7 #5", "Maj7#5", 19, "1-3-#5-7", "Lydian Augmented"},
    TChordTypeRow{13, "Major 7 #11", "Maj7#11", 20, "1-3-5-7-#11", ""},
    TChordTypeRow{14, "Sus", "Sus", 21, "1-4-5", kMixolydian},
    TChordTypeRow{15, "Sus2", "Sus2", 22, "1-2-5-9", kMixolydian},
    TChordTypeRow{16, "Augmented", "Aug", 23, "1-3-#5", "Augmented"},
    TChordTypeRow{17, "Minor", "minor", 24, "1-b3-5", "Minor (Aeolean)"},
    TChordTypeRow{18, "Minor 6", "minor 6", 25, "1-b3-5-6", kDorian},
    TChordTypeRow{19, "Minor 6/9", "minor 6/9", 27, "1-b3-5-6-9", kDorian},
    TChordTypeRow{20, "Minor 7", "minor 7", 29, "1-b3-5-b7", kDorian},
    TChordTypeRow{21, "Minor 7b5", "minor 7b5", 31, "1-b3-b5-b7", "Locrian"},
    TChordTypeRow{22, "Minor 9", "minor 9", 32, "1-b3-5-b7-9", kDorian},
    TChordTypeRow{23, "Minor 11", "minor 11", 34, "1-b3-5-b7-9-11", kDorian},
    TChordTypeRow{25, "Minor Major 7", "minor M7", 38, "1-b3-5-7", "Melodic Minor"},
    TChordTypeRow{26, "Diminished 7", "Dim 7", 40, "1-b3-b5-bb7", "Diminished"},
    TChordTypeRow{27, "Diminished", "Dim", 41, "1-b3-b5", "Diminished"},
    TChordTypeRow{28, "Seventh", "7", 42, "1-3-5-b7", kMixolydian},
    TChordTypeRow{29, "Ninth", "9", 44, "1-3-5-b7-9", kMixolydian},
    TChordTypeRow{30, "Eleventh", "11", 46, "1-3-5-b7-9-11", ""},
    TChordTypeRow{31, "Thirteenth", "13", 48, "1-3-5-b7-11-13", kMixolydian},
    TChordTypeRow{32, "13b9", "13b9", 55, "1-3-5-b7-b9-13", "Diminished - Half First"},
    TChordTypeRow{33, "13 (6)", "13(6)", 57, "1-3-5-6-b7-13", ""},
    TChordTypeRow{34, "7b5", "7b5", 59, "1-3-b5-b7", kSuperLocrian},
    TChordTypeRow{35, "7#5", "7#5", 60, "1-3-#5-b7", "Whole Tone"},
    TChordTypeRow{36, "7 (b9)", "7b9", 62, "1-3-5-b7-b9", "Diminished - Half First"},
    TChordTypeRow{37, "7 (#9)", "7#9", 64, "1-3-5-b7-#9", "Blues"},
    TChordTypeRow{38, "7b9/#5", "7b9/#5", 65, "1-3-#5-b7-b9", kSuperLocrian},
    TChordTypeRow{39, "7#9/b5", "7#9/b5", 66, "1-3-b5-b7-#9", kSuperLocrian},
    TChordTypeRow{40, "7#9/#5", "7#9/#5", 67, "1-3-#5-b7-#9", kSuperLocrian},
    TChordTypeRow{41, "7b9/b5", "7b9/b5", 68, "1-3-b5-b7-b9", kSuperLocrian},
    TChordTypeRow{42, "7 sus", "7sus", 69, "1-4-5-b7", kMixolydian},
    TChordTypeRow{43, "9b5", "9b5", 71, "1-3-b5-b7-9", "Lydian Dominant"},
    TChordTypeRow{44, "9#5", "9#5", 72, "1-3-#5-b7-9", "Mixolydian Flat 6"},
    TChordTypeRow{45, "9#11", "9#11", 73, "1-3-5-b7-9-#11", ""},
};

constexpr std::array kChordTypeHeadings = {
    TChordTypeHeading{"Major", kIonian, 1},
    TChordTypeHeading{"Minor", "Minor (Aeolean)", 17},
    TChordTypeHeading{"Seventh", kMixolydian, 28},
    TChordTypeHeading{"Misc", "", 42},
};

// clang-format off
constexpr std::array<std::string_view, 5> kScaleGroups = {
    "Rock and Blues", "Modes of the Major Scale", "Other Scales", "Modes of the Melodic Minor Scale",
    "Modes of the Harmonic Minor Scale",
};
// clang-format on

constexpr std::array kScales = {
    TScaleRow{22, "Blues Scale", "MWHHMW", 0},
    TScaleRow{23, "Pentatonic (Minor)", "MWWMW", 0},
    TScaleRow{24, "Pentatonic (Major)", "WWMWM", 0},
    TScaleRow{1, "Major (Ionian)", "WWHWWWH", 1},
    TScaleRow{3, "Dorian", "WHWWWHW", 1},
    TScaleRow{4, "Phrygian", "HWWWHWW", 1},
    TScaleRow{5, "Lydian", "WWWHWWH", 1},
    TScaleRow{6, "Mixolydian", "WWHWWHW", 1},
    TScaleRow{7, "Minor (Aeolean)", "WHWWHWW", 1},
    TScaleRow{8, "Locrian", "HWWHWWW", 1},
    TScaleRow{25, "Augmented", "MHMHMH", 2},
    TScaleRow{26, "Diminished - Half Step First", "HWHWHWHW", 2},
    TScaleRow{27, "Diminished", "WHWHWHWH", 2},
    TScaleRow{28, "Whole Tone", "WWWWWW", 2},
    TScaleRow{9, "Melodic Minor", "WHWWWWH", 3},
    TScaleRow{10, "Dorian Flat 2", "HWWWWHW", 3},
    TScaleRow{11, "Lydian Augmented", "WWWWHWH", 3},
    TScaleRow{12, "Lydian Dominant", "WWWHWHW", 3},
    TScaleRow{13, "Mixolydian Flat 6", "WWHWHWW", 3},
    TScaleRow{14, "Locrian Sharp 2", "WHWHWWW", 3},
    TScaleRow{15, "Super Locrian", "HWHWWWW", 3},
    TScaleRow{21, "Harmonic Minor", "WHWWHMH", 4},
    TScaleRow{20, "Harmonic Minor (2nd Mode)", "HWWHMHW", 4},
    TScaleRow{19, "Harmonic Minor (3rd Mode)", "WWHMHWH", 4},
    TScaleRow{18, "Harmonic Minor (4th Mode)", "WHMHWHW", 4},
    TScaleRow{17, "Harmonic Minor (5th Mode)", "HMHWHWW", 4},
    TScaleRow{16, "Harmonic Minor (6th Mode)", "MHWHWWH", 4},
    TScaleRow{2, "Harmonic Minor (7th Mode)", "HWHWWHM", 4},
};

} // namespace

std::string SoundCaption(int program) {
    if (program < 0 || program > 127)
        return {};
    return std::string(kSoundNames[static_cast<size_t>(program)]) + " (" + std::to_string(program) + ")";
}

std::span<const std::string_view> SoundGroupHeadings() { return kSoundGroups; }

int SoundPreviewNote(int program) {
    const bool low = (program >= 32 && program <= 39) || program == 43 || program == 55 || program == 57 ||
                     (program >= 60 && program <= 63) || program == 67 || program == 70 || program == 87;
    return low ? 52 : 60;
}

TPreviewNote SoundPreview(int program, int bank, int volume) {
    return {bank, program, 0, SoundPreviewNote(program), volume};
}

std::string InstrumentDirectiveLine(int program) { return "*Instrument " + std::string(GMProgramShortName(program)); }

std::string SoundPickerMessage(std::string_view tabName) {
    return "Double-click an instrument to use for the \"" + std::string(tabName) + "\" sound";
}

std::span<const std::string_view> PercussionCaptions() { return kPercussion; }

std::span<const TPickerHeading> PercussionHeadings() { return kPercussionHeadings; }

int PercussionKey(std::string_view caption) {
    const std::string text = Trim(caption);
    const std::string digits = Trim(std::string_view(text).substr(0, text.find(' ')));
    int key = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), key).ec != std::errc())
        return 0;
    return key;
}

TPreviewNote PercussionPreview(int key, int channel, int volume) { return {0, -1, channel, key, volume}; }

std::span<const TKeyButton> KeyButtons() { return kKeyButtons; }

std::span<const TChordTypeRow> ChordTypeRows() { return kChordTypes; }

std::string ChordTypeName(int number) {
    for (const TChordTypeRow &t : kChordTypes)
        if (t.number == number)
            return std::string(t.name);
    return {};
}

std::span<const TChordTypeHeading> ChordTypeHeadings() { return kChordTypeHeadings; }

std::string ScaleSuggestionText(std::string_view suggestion) { return "Scale Suggestion: " + std::string(suggestion); }

std::vector<int> ChordRowSemitones(int row) {
    for (const TChordTypeRow &t : kChordTypes) {
        if (t.row != row)
            continue;
        std::vector<int> semitones;
        std::string_view rest = t.formula;
        while (!rest.empty()) {
            const size_t dash = rest.find('-');
            semitones.push_back(std::max(0, DegreeToSemitones(rest.substr(0, dash))));
            rest = dash == std::string_view::npos ? std::string_view() : rest.substr(dash + 1);
        }
        return semitones;
    }
    return {};
}

std::span<const TScaleRow> ScaleRows() { return kScales; }

std::span<const std::string_view> ScaleGroupHeadings() { return kScaleGroups; }

std::string ScaleDefinitionOf(const TScaleRow &scale) {
    std::string text(scale.name);
    if (text.size() < 28)
        text.resize(28, ' ');
    return text + "=" + std::string(scale.steps);
}

std::string DefaultScaleDefinition() {
    for (const TScaleRow &s : kScales)
        if (s.label == 1)
            return ScaleDefinitionOf(s);
    return {};
}

std::string ScaleNameOf(std::string_view definition) { return Trim(definition.substr(0, definition.find('='))); }

std::string ScaleFormulaOf(std::string_view definition) {
    const size_t eq = definition.find('=');
    return std::string(eq == std::string_view::npos ? definition : definition.substr(eq + 1));
}
