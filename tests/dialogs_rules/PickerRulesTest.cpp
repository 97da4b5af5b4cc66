#include "dialogs/rules/PickerRules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

TEST(SoundPicker, CaptionsAreTheirOwnVocabularyWithTheZeroBasedNumber) {
    EXPECT_EQ(SoundCaption(0), "Acoustic Grand Piano (0)");
    EXPECT_EQ(SoundCaption(26), "Electic Guitar (jazz) (26)");
    EXPECT_EQ(SoundCaption(77), "Shakuhachi (77)");
    EXPECT_EQ(SoundCaption(127), "Gunshot (127)");
    EXPECT_EQ(SoundCaption(128), "");
    EXPECT_EQ(SoundCaption(-1), "");
    EXPECT_EQ(SoundGroupHeadings().size(), 16u);
    EXPECT_EQ(SoundGroupHeadings()[3], "Guitars");
}

TEST(SoundPicker, LowInstrumentsPreviewAnOctaveAndABitLower) {
    const std::map<int, int> notes = {{31, 60}, {32, 52}, {38, 52}, {39, 52}, {40, 60}, {43, 52}, {55, 52},
                                      {56, 60}, {57, 52}, {58, 60}, {59, 60}, {60, 52}, {63, 52}, {64, 60},
                                      {67, 52}, {70, 52}, {87, 52}, {88, 60}, {0, 60},  {127, 60}};
    for (const auto &[program, note] : notes)
        EXPECT_EQ(SoundPreviewNote(program), note) << program;
}

TEST(SoundPicker, RightClickLineUsesTheGeneralMidiTablesSpelling) {
    EXPECT_EQ(InstrumentDirectiveLine(77), "*Instrument Skakuhachi");
    EXPECT_EQ(InstrumentDirectiveLine(0), "*Instrument Acoustic Grand");
    EXPECT_EQ(InstrumentDirectiveLine(127), "*Instrument Gunshot");
    EXPECT_EQ(SoundPickerMessage("Guitar"), "Double-click an instrument to use for the \"Guitar\" sound");
}

TEST(PercussionPicker, FortySevenKeysEachOnceWithTheirCaptionsKey) {
    const auto captions = PercussionCaptions();
    ASSERT_EQ(captions.size(), 47u);
    EXPECT_EQ(captions[0], "36 Bass Drum 1");
    EXPECT_EQ(captions[3], "40 Snare Drum 2 ");
    EXPECT_EQ(captions[46], "81 Open Triangle");
    std::set<int> keys;
    for (std::string_view c : captions)
        keys.insert(PercussionKey(c));
    // The General MIDI percussion keys 35..81, none twice.
    EXPECT_EQ(keys.size(), 47u);
    EXPECT_EQ(*keys.begin(), 35);
    EXPECT_EQ(*keys.rbegin(), 81);
    EXPECT_EQ(PercussionKey(" 40 Snare Drum 2 "), 40);
    EXPECT_EQ(PercussionKey("Snare"), 0);
    EXPECT_EQ(PercussionHeadings().back().firstLabel, 27);
}

TEST(KeyPicker, TwelveKeysFromA) {
    const char *names[] = {"", "A", "A#/Bb", "B", "C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab", ""};
    for (int i = 0; i <= 13; ++i)
        EXPECT_EQ(KeyName(i), names[i]) << i;
    EXPECT_EQ(KeyName(-1), "");
    for (const TKeyButton &b : KeyButtons())
        EXPECT_FALSE(KeyName(b.key).empty()) << b.name;
    EXPECT_EQ(KeyName(kKeyC), "C");
}

TEST(ChordTypePicker, FortyFourTypesNumberedUpTo45Without24) {
    const auto types = ChordTypeRows();
    ASSERT_EQ(types.size(), 44u);
    int last = 0;
    for (const TChordTypeRow &t : types) {
        EXPECT_GT(t.number, last);
        EXPECT_NE(t.number, 24);
        EXPECT_EQ(ChordTypeName(t.number), t.name);
        last = t.number;
    }
    EXPECT_EQ(last, 45);
    EXPECT_EQ(ChordTypeName(5), "Maj7");
    EXPECT_EQ(ChordTypeName(25), "minor M7");
    for (int none : {0, 24, 46, -1})
        EXPECT_EQ(ChordTypeName(none), "") << none;
}

TEST(ChordTypePicker, FormulaRowsGiveTheirSemitonesRootFirst) {
    // clang-format off
    const std::map<int, std::vector<int>> rows = {
        {0, {0, 4, 7}},          {59, {0, 4, 6, 10}},          {72, {0, 4, 8, 10, 14}},
        {40, {0, 3, 6, 9}},      {73, {0, 4, 7, 10, 14, 18}},  {22, {0, 2, 7, 14}},
        {11, {0, 4, 11, 14, 17, 21}}, {2, {}},                  {74, {}},
    };
    // clang-format on
    for (const auto &[row, semitones] : rows)
        EXPECT_EQ(ChordRowSemitones(row), semitones) << row;
    // Every type's formula reads to rising notes: a misspelt degree would read as the root.
    for (const TChordTypeRow &t : ChordTypeRows()) {
        const std::vector<int> s = ChordRowSemitones(t.row);
        ASSERT_GE(s.size(), 3u) << t.name;
        for (size_t i = 1; i < s.size(); ++i)
            EXPECT_GT(s[i], s[i - 1]) << t.name;
    }
    EXPECT_EQ(ScaleSuggestionText(""), "Scale Suggestion: ");
    EXPECT_EQ(ScaleSuggestionText("Locrian"), "Scale Suggestion: Locrian");
}

TEST(ScalePicker, TwentyEightScalesOfOneOctaveEach) {
    const auto scales = ScaleRows();
    ASSERT_EQ(scales.size(), 28u);
    const std::map<char, int> size = {{'H', 1}, {'W', 2}, {'M', 3}};
    std::set<int> labels;
    for (const TScaleRow &s : scales) {
        labels.insert(s.label);
        int octave = 0;
        for (char c : s.steps)
            octave += size.at(c);
        EXPECT_EQ(octave, 12) << s.name;
        EXPECT_LT(static_cast<size_t>(s.group), ScaleGroupHeadings().size());
    }
    EXPECT_EQ(labels.size(), 28u);
    EXPECT_EQ(*labels.rbegin(), 28);
}

TEST(ScalePicker, DefinitionsPadTheNameToTwentyEightCharacters) {
    const TScaleRow *blues = nullptr;
    for (const TScaleRow &s : ScaleRows())
        if (s.name == "Blues Scale")
            blues = &s;
    ASSERT_NE(blues, nullptr);
    EXPECT_EQ(ScaleDefinitionOf(*blues), "Blues Scale                 =MWHHMW");
    EXPECT_EQ(DefaultScaleDefinition(), "Major (Ionian)              =WWHWWWH");
    EXPECT_EQ(ScaleNameOf(ScaleDefinitionOf(*blues)), "Blues Scale");
    EXPECT_EQ(ScaleFormulaOf(ScaleDefinitionOf(*blues)), "MWHHMW");
    EXPECT_EQ(ScaleNameOf("Dorian"), "Dorian");
    EXPECT_EQ(ScaleFormulaOf("Dorian="), "");
}

} // namespace
