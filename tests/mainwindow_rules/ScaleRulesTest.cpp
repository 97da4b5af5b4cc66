#include "mainwindow/rules/ScaleRules.h"
#include "mainwindow/rules/KeyboardModel.h"
#include "song/KeyNames.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr const char *kMajor = "WWHWWWH";

TEST(ScaleRules, StepLettersAndNoteNames) {
    const std::map<char, int> steps = {{'H', 1}, {'W', 2}, {'M', 3}, {'T', 4}, {'F', 5}, {'w', 0}, {'=', 0}, {' ', 0}};
    for (const auto &[letter, semitones] : steps)
        EXPECT_EQ(StepLetterToSemitones(letter), semitones) << letter;
    const std::map<std::string, int> names = {{"E", 0},   {"f", 1},    {"F#", 2}, {"Gb", 2},     {" AB ", 4},
                                              {"Bb", 6},  {"C", 8},    {"C#", 9}, {"DB", 9},     {"D#", 11},
                                              {"eb", 11}, {"E#", 512}, {"", 512}, {"C#/Db", 512}};
    for (const auto &[name, pc] : names)
        EXPECT_EQ(NoteNameToPitchClass(name), pc) << name;
    EXPECT_EQ(ScaleKeyName("   C#/Db   "), "C#");
    EXPECT_EQ(ScaleKeyName("   C   "), "C");
    EXPECT_EQ(ScaleKeyCaption(4), "   C   ");
    EXPECT_EQ(SharpKeyName("Bb"), "A#");
    EXPECT_EQ(SharpKeyName("Db"), "C#");
    EXPECT_EQ(SharpKeyName("B"), "B");
}

TEST(ScaleRules, ColourLineWalksTheStepsAndStopsWhereTheyEnd) {
    // C (pitch class 8) major: C red, D white, E blue, F white, G green, ... C again red.
    const auto major = ScaleColourLine(8, kMajor);
    const std::map<int, int32_t> at = {{8, kColourRed},
                                       {9, 0},
                                       {10, kColourWhite},
                                       {12, kColourBlue},
                                       {13, kColourWhite},
                                       {15, kColourGreen},
                                       {17, kColourWhite},
                                       {19, kColourWhite},
                                       {20, kColourRed},
                                       {0, 0},
                                       {248, kColourRed},
                                       {244, 0},
                                       {256, 0}};
    for (const auto &[pos, colour] : at)
        EXPECT_EQ(major[static_cast<size_t>(pos)], colour) << pos;
    int coloured = 0;
    for (int32_t c : major)
        coloured += c != 0;
    EXPECT_EQ(coloured, 7 * 20 + 5); // twenty octaves from C (position 8), then C D E F G up to 255

    // No way on: an empty formula shows nothing; a formula without steps only its root; a
    // formula's steps end at the first other character.
    auto count = [](const auto &line) {
        int n = 0;
        for (int32_t c : line)
            n += c != 0;
        return n;
    };
    EXPECT_EQ(count(ScaleColourLine(8, "")), 0);
    EXPECT_EQ(count(ScaleColourLine(8, "   ")), 0);
    EXPECT_EQ(count(ScaleColourLine(8, "X")), 1);
    EXPECT_EQ(count(ScaleColourLine(8, "WWX")), 3);
    EXPECT_EQ(count(ScaleColourLine(kNoPitchClass, kMajor)), 0);
    // The whole-tone scale: six degrees, so every other degree wraps to the root's colour.
    const auto whole = ScaleColourLine(0, "WWWWWW");
    EXPECT_EQ(whole[12], kColourRed);
    EXPECT_EQ(whole[4], kColourBlue);
    EXPECT_EQ(whole[8], kColourGreen);
}

struct FretCase {
    int slot;
    int fret;
    int32_t colour; // 0: hidden
};

TEST(ScaleRules, CMajorOnAStandardGuitar) {
    TFretboardModel board;
    board.CreateShapes();
    TInstrumentTab guitar = DefaultInstrumentTab(6);
    EXPECT_EQ(PaintFretboardScale(board, guitar, "C", kMajor), 90); // 150 frets, 7 of each 12 notes
    // clang-format off
    const FretCase cases[] = {
        {5, 8, kColourRed}, {5, 0, kColourBlue}, {5, 3, kColourGreen}, {5, 1, kColourWhite}, {0, 1, kColourWhite},
        {0, 8, kColourRed}, {4, 3, kColourRed},  {5, 2, 0},            {5, 4, 0},            {0, 6, 0},
        {1, 1, kColourRed}, {5, 20, kColourRed}, {0, 24, kColourBlue},
    };
    // clang-format on
    for (const FretCase &c : cases) {
        const TFretShape &m = board.Marker(c.slot, c.fret);
        EXPECT_EQ(m.Shown, c.colour != 0) << c.slot << "/" << c.fret;
        if (c.colour) {
            EXPECT_EQ(m.Colour, c.colour) << c.slot << "/" << c.fret;
        }
    }
    // A new scale hides the old one's markers first.
    EXPECT_GT(PaintFretboardScale(board, guitar, "C#", kMajor), 0);
    EXPECT_FALSE(board.Marker(5, 0).Shown); // E is not in C# major
    EXPECT_EQ(board.Marker(5, 9).Colour, kColourRed);
    // A key that names no note hides the markers and shows none.
    EXPECT_EQ(PaintFretboardScale(board, guitar, "H", kMajor), 0);
    EXPECT_FALSE(board.Marker(5, 9).Shown);
}

TEST(ScaleRules, FretboardLeftAsItWasWithoutTuningShapesOrFormula) {
    TFretboardModel board;
    TInstrumentTab guitar = DefaultInstrumentTab(6);
    EXPECT_EQ(PaintFretboardScale(board, guitar, "C", kMajor), -1); // shapes not made
    board.CreateShapes();
    ASSERT_GT(PaintFretboardScale(board, guitar, "C", kMajor), 0);
    EXPECT_EQ(PaintFretboardScale(board, guitar, "D", " (None) "), -1);
    EXPECT_TRUE(board.Marker(5, 8).Shown);
    guitar.TuningSpelling = "  ";
    EXPECT_EQ(PaintFretboardScale(board, guitar, "D", kMajor), -1);
    EXPECT_TRUE(board.Marker(5, 8).Shown);
    // An empty formula clears and shows nothing, and does not hang.
    guitar = DefaultInstrumentTab(6);
    EXPECT_EQ(PaintFretboardScale(board, guitar, "C", ""), 0);
    EXPECT_FALSE(board.Marker(5, 8).Shown);
}

TEST(ScaleRules, TuningBanjoShortStringAndBassFollowTheirStrings) {
    TFretboardModel board;
    board.CreateShapes();
    // Drop D: the sixth string's open note is D, so its fret 2 is E (blue in C major).
    TInstrumentTab guitar = DefaultInstrumentTab(6);
    guitar.TuningSpelling = "242424242422";
    PaintFretboardScale(board, guitar, "C", kMajor);
    EXPECT_EQ(board.Marker(5, 2).Colour, kColourBlue);
    EXPECT_TRUE(board.Marker(5, 2).Shown);
    EXPECT_EQ(board.Marker(5, 0).Colour, kColourWhite); // D

    // The banjo's short string starts at fret 5; its frets below take no marker.
    board.CreateShapes();
    const TInstrumentTab banjo = DefaultInstrumentTab(13);
    ASSERT_TRUE(banjo.ShortFifthString);
    PaintFretboardScale(board, banjo, "G", "WWHWWWH");
    for (int f = 0; f < 5; ++f)
        EXPECT_FALSE(board.Marker(5, f).Shown) << f;
    EXPECT_TRUE(board.Marker(5, 5).Shown);
    EXPECT_FALSE(board.Marker(0, 0).Shown); // a five-string tab has no string 1 slot 0

    // Four strings: slots 2..5 only.
    board.CreateShapes();
    const TInstrumentTab bass = DefaultInstrumentTab(12);
    PaintFretboardScale(board, bass, "E", kMajor);
    EXPECT_EQ(board.Marker(5, 0).Colour, kColourRed);
    EXPECT_FALSE(board.Marker(1, 0).Shown);
}

TEST(ScaleRules, CMajorOnTheKeyboard) {
    TKeyboardModel keys;
    const int coloured = ShowKeyboardScale(keys, "C", kMajor);
    EXPECT_TRUE(keys.ScaleShown);
    int whiteKeys = 0;
    for (int n = 1; n <= 47; ++n)
        whiteKeys += keys.Key(n).Tag != 0;
    EXPECT_EQ(coloured, whiteKeys); // C major is the white keys
    const std::map<int, int32_t> at = {{60, kColourRed},    {64, kColourBlue},   {67, kColourGreen},
                                       {62, kColourYellow}, {65, kColourYellow}, {69, kColourYellow},
                                       {71, kColourYellow}, {61, kColourBlack},  {28, kColourBlue}};
    for (const auto &[note, colour] : at) {
        EXPECT_EQ(keys.Key(keys.NoteToKey(note)).Colour, colour) << note;
        EXPECT_EQ(keys.Key(keys.NoteToKey(note)).ScaleColour, colour) << note;
    }
    // Keys without a note stay white.
    EXPECT_EQ(keys.Key(48).Colour, kColourWhite);
    // A flat key is read as its sharp: Bb major has A# red and D blue.
    ShowKeyboardScale(keys, "Bb", kMajor);
    EXPECT_EQ(keys.Key(keys.NoteToKey(70)).Colour, kColourRed);
    EXPECT_EQ(keys.Key(keys.NoteToKey(62)).Colour, kColourBlue);
    EXPECT_EQ(keys.Key(keys.NoteToKey(60)).Colour, kColourYellow);
    EXPECT_EQ(keys.Key(keys.NoteToKey(64)).Colour, kColourWhite);
}

TEST(ScaleRules, KeyboardFlagOnlyWhenSomethingWasColoured) {
    TKeyboardModel keys;
    ShowKeyboardScale(keys, "C", kMajor);
    ASSERT_TRUE(keys.ScaleShown);
    EXPECT_EQ(ShowKeyboardScale(keys, "H", kMajor), 0);
    EXPECT_FALSE(keys.ScaleShown);
    EXPECT_EQ(keys.Key(keys.NoteToKey(60)).Colour, kColourWhite);
    // Without steps the root alone is a degree.
    EXPECT_EQ(ShowKeyboardScale(keys, "C", ""), 6); // the six Cs from 36 to 96
    EXPECT_TRUE(keys.ScaleShown);
    EXPECT_EQ(keys.Key(keys.NoteToKey(64)).Colour, kColourWhite);
}

} // namespace
