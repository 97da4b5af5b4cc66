#include "dialogs/rules/TuningRules.h"

#include "song/FrettedLine.h"
#include "song/LinePositions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

using namespace tuning;

struct PresetCase {
    int preset;
    int strings;
    const char *name;
    const char *openNotes; // lowest string first; "(E)" is the string's standard pitch
    const char *spelling;  // stored on a tab without a short string
};

// Every preset: its open notes as the table names them, and the spelling it stores.
const PresetCase kPresetCases[] = {
    {0, 6, "Standard", "(E) (A) (D) (G) (B) (E)", "242424242424"},
    {1, 6, "Open G", "D G (D) (G) (B) D", "222424242222"},
    {2, 6, "Open D", "D (A) (D) F# A D", "222223242422"},
    {3, 6, "Drop D", "D (A) (D) (G) (B) (E)", "242424242422"},
    {4, 6, "Dbl Drop D", "D (A) (D) (G) (B) D", "222424242422"},
    {5, 6, "D Wahine", "D (A) (D) F# (B) D", "222423242422"},
    {6, 6, "D Minor", "D (A) (D) F A D", "222222242422"},
    {7, 6, "D Modal #1", "D (A) (D) D A D", "222219242422"},
    {8, 6, "D Modal #2", "D (A) (D) (G) A D", "222224242422"},
    {9, 6, "G 6", "D G (D) (G) (B) (E)", "242424242222"},
    {10, 6, "G Minor", "D G (D) (G) A# D", "222324242222"},
    {11, 6, "Open C", "C G C (G) C (E)", "242524222220"},
    {12, 6, "C 6", "C G C (G) A (E)", "242224222220"},
    {13, 6, "Fourths", "(E) (A) (D) (G) C F", "252524242424"},
    {14, 6, "Lute #1", "(E) (A) (D) F# (B) (E)", "242423242424"},
    {15, 6, "Lute #2", "(E) (A) (D) F# A (E)", "242223242424"},
    {16, 6, "1/2 Step Dn", "D# G# C# F G# D#", "232122232323"},
    {17, 6, "1/2 Step Up", "F A# D# G# C F", "252525252525"},
    {18, 6, "1 Step Dn", "D G C F A D", "222222222222"},
    {19, 6, "1 Step Up", "F# B E A C# F#", "262626262626"},
    {20, 6, "Big City", "D (A) (D) F# A A", "172223242422"},
    {21, 6, "Baritone #1", "B E A D F# B", "191919191919"},
    {22, 6, "Baritone #2", "A D G C E A", "171717171717"},
    {23, 6, "Old Spanish", "D G (D) (G) A (E)", "242224242222"},
    {24, 6, "Open E Sus", "(E) B E A (B) (E)", "242426262624"},
    {25, 6, "Bron Y Aur", "C (A) C (G) C (E)", "242524222420"},
    {26, 6, "Parvardigar", "C G C (G) C D", "222524222220"},
    {27, 6, "Vessen Modal", "(E) B E E (B) (E)", "242421262624"},
    {28, 6, "Low C", "C G (D) (G) A D", "222224242220"},
    {29, 6, "Shifted E", "(E) G# C# F# (B) (E)", "242423232324"},
    {30, 6, "New Standard", "C G (D) A E G", "272926242220"},
    {31, 6, "Left-handed", "E B G D A E", "001019293848"},
    {32, 6, "Drop C", "C G C F A D", "222222222220"},
    {33, 6, "Dbl Drop C", "C G C F A C", "202222222220"},
    {34, 6, "D 5", "D (A) (D) A D D", "222726242422"},
    {35, 6, "Halvick", "C# G# C# F G# C#", "212122232321"},
    {36, 6, "Open E", "(E) B E G# (B) (E)", "242425262624"},
    {37, 6, "Morrand", "F C F G# C F", "252525272725"},
    {38, 6, "Capo Fret 1", "F A# D# G# C F", "252525252525"},
    {39, 6, "Capo Fret 2", "F# B E A C# F#", "262626262626"},
    {40, 6, "Capo Fret 3", "G C F A# D G", "272727272727"},
    {41, 6, "Capo Fret 4", "G# C# F# B D# G#", "282828282828"},
    {42, 6, "Capo Fret 5", "A D G C E A", "292929292929"},
    {43, 6, "Capo Fret 6", "A# D# G# C# F A#", "303030303030"},
    {44, 6, "Capo Fret 7", "B E A D F# B", "313131313131"},
    {45, 6, "Capo Fret 8", "C F A# D# G C", "323232323232"},
    {46, 6, "Capo Fret 9", "C# F# B E G# C#", "333333333333"},
    {47, 6, "Capo Fret 10", "D G C F A D", "343434343434"},
    {48, 6, "Capo Fret 11", "D# G# C# F# A# D#", "353535353535"},
    {49, 6, "Capo Fret 12", "E A D G B E", "363636363636"},
    {50, 4, "Mandolin", "G D A E", "364145434139"},
    {51, 5, "G", "G D G B D", "242728292951"},
    {52, 3, "Dulc Mixo", "D A D", "242424484846"},
    {53, 5, "G Minor", "G D G A# D", "242727292951"},
    {54, 5, "G Modal", "G D G C D", "242729292951"},
    {55, 5, "Open C", "G C G C E", "242929292751"},
    {56, 5, "Drop C", "G C G B D", "242728292751"},
    {57, 5, "C Minor", "G C G C D#", "242829292751"},
    {58, 5, "C Modal", "G C G C D", "242729292751"},
    {59, 5, "Tamsel", "F# D F# A D", "242726282950"},
    {60, 5, "Open D", "A D F# A D", "242726282953"},
    {61, 4, "Bass", "E A D G", "242412121212"},
    {62, 4, "Uke", "G C E A", "242438383951"},
    {63, 4, "Tenor Banjo", "C G D A", "242438363432"},
    {64, 5, "G Capo 1", "G# D# G# C D#", "242829303052"},
    {65, 5, "G Capo 2", "A E A C# E", "242930313153"},
    {66, 5, "G Capo 3", "A# F A# D F", "243031323254"},
    {67, 5, "G Capo 4", "B F# B D# F#", "243132333355"},
    {68, 5, "G Capo 5", "C G C E G", "243233343456"},
    {69, 5, "G Capo 6", "C# G# C# F G#", "243334353557"},
    {70, 5, "G Capo 7", "D A D F# A", "243435363658"},
    {71, 5, "G Capo 8", "D# A# D# G A#", "243536373759"},
    {72, 5, "G Capo 9", "E B E G# B", "243637383860"},
};

std::vector<std::string> Words(const char *text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

TEST(TuningRules, EveryPresetStoresItsSpellingAndSoundsItsOpenNotes) {
    ASSERT_EQ(std::size(kPresetCases), TuningPresets().size());
    for (const PresetCase &c : kPresetCases) {
        SCOPED_TRACE(c.name);
        const TTuningPreset &p = TuningPresets()[static_cast<size_t>(c.preset)];
        EXPECT_EQ(p.strings, c.strings);
        EXPECT_EQ(p.name, c.name);
        const TStringValues v = p.Values();
        const std::string spelling = SpellingFromValues(v, false);
        EXPECT_EQ(spelling, c.spelling);
        EXPECT_EQ(ValuesFromSpelling(spelling, false), v);
        const std::vector<std::string> notes = Words(c.openNotes);
        ASSERT_EQ(static_cast<int>(notes.size()), c.strings);
        for (int i = 0; i < c.strings; ++i) {
            const int string = 6 - i, value = v[static_cast<size_t>(string - 1)];
            const std::string name = NoteNumberToName(OpenNote(string, value));
            EXPECT_EQ(notes[static_cast<size_t>(i)], value == kStandardValue ? "(" + name + ")" : name) << string;
        }
        // The song sounds each open string where the dialog's list says it does.
        for (int string = 1; string <= 6; ++string)
            EXPECT_EQ(TuningOpenPitch(spelling, string - 1), OpenNote(string, v[static_cast<size_t>(string - 1)]))
                << string;
    }
}

TEST(TuningRules, OpenPitchesOfReversedBanjoAndMandolinPresets) {
    auto lowestFirst = [](int preset, int strings) {
        const TStringValues v = TuningPresets()[static_cast<size_t>(preset)].Values();
        std::vector<int> out;
        for (int s = 6; s > 6 - strings; --s)
            out.push_back(OpenNote(s, v[static_cast<size_t>(s - 1)]));
        return out;
    };
    EXPECT_EQ(lowestFirst(31, 6), (std::vector<int>{64, 59, 55, 50, 45, 40})); // Left-handed
    EXPECT_EQ(lowestFirst(51, 5), (std::vector<int>{67, 50, 55, 59, 62}));     // banjo "G"
    EXPECT_EQ(lowestFirst(50, 4), (std::vector<int>{55, 62, 69, 76}));         // Mandolin
}

TEST(TuningRules, AShortFifthStringIsStoredFiveBelowItsListValue) {
    const TStringValues g = TuningPresets()[51].Values();
    const std::string spelling = SpellingFromValues(g, true);
    EXPECT_EQ(spelling, "242728292946");
    EXPECT_EQ(ValuesFromSpelling(spelling, true), g);
    EXPECT_EQ(TuningOpenPitch(spelling, 5, true), OpenNote(6, g[5])); // G4, 67
    // The short string's list refuses the values that would store below 0.
    for (int value : {-1, 0, 4, 61})
        EXPECT_FALSE(ValueSelectable(6, value, true)) << value;
    EXPECT_TRUE(ValueSelectable(6, 5, true));
    EXPECT_TRUE(ValueSelectable(6, 0, false));
    EXPECT_TRUE(ValueSelectable(5, 0, true));
    // A value of 7 on the short string is stored as the pair 02.
    EXPECT_EQ(SpellingFromValues({24, 24, 24, 24, 24, 7}, true), "242424242402");
}

TEST(TuningRules, SpellingsRoundTripAndUnreadablePairsReadAsStandard) {
    // A stored pair with no list item keeps its value.
    EXPECT_EQ(ValuesFromSpelling("997500010203", false), (TStringValues{99, 75, 0, 1, 2, 3}));
    EXPECT_EQ(SpellingFromValues({99, 75, 0, 1, 2, 3}, false), "997500010203");
    EXPECT_EQ(ValuesFromSpelling("2x2424", false), (TStringValues{24, 24, 24, 24, 24, 24}));
    EXPECT_EQ(ValuesFromSpelling("", true), (TStringValues{24, 24, 24, 24, 24, 29}));
    // Nothing outside 0..99 is ever written.
    EXPECT_EQ(SpellingFromValues({-3, 120, 24, 24, 24, 2}, true), "009924242400");
}

TEST(TuningRules, ListItemsNameTheirPitchWithTheStandardInParentheses) {
    // clang-format off
    const struct { int string, value; const char *text; } cases[] = {
        {6, 24, "(E)"}, {5, 24, "(A)"}, {4, 24, "(D)"}, {3, 24, "(G)"}, {2, 24, "(B)"}, {1, 24, "(E)"},
        {6, 0, " E "}, {6, 1, " F "}, {6, 2, " F#"}, {6, 60, " E "}, {5, 0, " A "}, {2, 25, " C "},
        {1, 36, " E "}, {6, 61, ""}, {6, -1, ""}, {0, 3, ""}, {7, 3, ""},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(ListItemText(c.string, c.value), c.text) << c.string << "/" << c.value;
}

TEST(TuningRules, RowTextsAndLabelCaptions) {
    // clang-format off
    const struct { int preset; const char *row; const char *caption; } cases[] = {
        {0, "6 Standard       (E) (A) (D) (G) (B) (E)", "Standard       (E) (A) (D) (G) (B) (E)"},
        {16, "6 1/2 Step Dn     D#  G#  C#  F   G#  D#", "1/2 Step Dn     D#  G#  C#  F   G#  D#"},
        {50, "4 Mandolin        G   D   A   E   ", "Mandolin        G   D   A   E"},
        {51, "5 G               G   D   G   B   D  ", "G               G   D   G   B   D"},
        {52, "3 Dulc Mixo       D   A   D  (G) (B) (E)", "Dulc Mixo       D   A   D  (G) (B) (E)"},
        {73, "", ""},
    };
    // clang-format on
    for (const auto &c : cases) {
        EXPECT_EQ(PresetRowText(c.preset), c.row) << c.preset;
        EXPECT_EQ(PresetCaption(c.preset), c.caption) << c.preset;
    }
}

TEST(TuningRules, LabelsOfferThePresetsOfTheStringCount) {
    auto presetsOn = [](int strings) {
        std::vector<int> labels, presets;
        for (const TPresetLabel &l : PresetLabels(strings)) {
            labels.push_back(l.label);
            presets.push_back(l.preset);
        }
        return std::pair{labels, presets};
    };
    const auto [labels4, presets4] = presetsOn(4);
    EXPECT_EQ(labels4, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(presets4, (std::vector<int>{50, 61, 62, 63}));

    const auto [labels5, presets5] = presetsOn(5);
    ASSERT_EQ(labels5.size(), 18u);
    EXPECT_EQ(labels5[15], 16);
    EXPECT_EQ(labels5[16], 21);
    EXPECT_EQ(labels5[17], 22);
    EXPECT_EQ(presets5.front(), 51);
    EXPECT_EQ(presets5.back(), 72);

    // Six strings: rows 0..15 and 20..49; the four rows on the hidden labels are not offered.
    const auto [labels6, presets6] = presetsOn(6);
    ASSERT_EQ(presets6.size(), 46u);
    for (int i = 0; i < 46; ++i) {
        const int expected = i < 16 ? i : i + 4;
        EXPECT_EQ(presets6[static_cast<size_t>(i)], expected);
        EXPECT_EQ(labels6[static_cast<size_t>(i)], expected + 1);
    }
    EXPECT_TRUE(PresetLabels(3).empty());
    EXPECT_TRUE(PresetLabels(7).empty());
}

TEST(TuningRules, EachKindOpensOnItsDefaultPreset) {
    // clang-format off
    const struct { TKind kind; std::optional<int> preset; } cases[] = {
        {TKind::Guitar, 0}, {TKind::Mandolin, 50}, {TKind::Bass, 61}, {TKind::Uke, 62},
        {TKind::Tenor, 63}, {TKind::Banjo, 51}, {TKind::Piano, std::nullopt}, {TKind::Drums, std::nullopt},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(KindDefaultPreset(c.kind), c.preset) << KindText(c.kind);
    // The spellings the defaults store (string 1 first), as a tab of the kind keeps them.
    // clang-format off
    const struct { int preset; bool shortString; const char *spelling; } stored[] = {
        {51, true, "242728292946"}, {50, false, "364145434139"}, {62, false, "242438383951"},
        {61, false, "242412121212"},
    };
    // clang-format on
    for (const auto &s : stored)
        EXPECT_EQ(SpellingFromValues(TuningPresets()[static_cast<size_t>(s.preset)].Values(), s.shortString),
                  s.spelling);
}

} // namespace
