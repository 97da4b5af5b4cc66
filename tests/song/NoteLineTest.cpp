#include "song/NoteLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kFix = "\r\rPlease fix errors before proceeding.";

TLineContext TabContext(int tabNumber) {
    TLineContext c = MakeLineContext(DefaultInstrumentTab(tabNumber), 120);
    c.Volume = 100;
    return c;
}

constexpr int kPianoTab = 1, kGuitarTab = 6, kDrumsTab = 10;

struct NoteLineCase {
    int tab;
    const char *line;
    TLineClass lineClass;
    std::string error;
    int firstNote; // Frets[5] of a fretted line, Keys[0] of a piano line (lines that read)
};

TEST(NoteLine, ReadsUnderTheTabsKind) {
    const NoteLineCase cases[] = {
        {kGuitarTab, "   ", TLineClass::Empty, "", -1},
        {kGuitarTab, "*Tempo 90", TLineClass::Directive, "", -1},
        {kGuitarTab, "C, x, 3, 2, 0, 1, 0, Q", TLineClass::Note, "", -1},
        {kGuitarTab, "G, 3, 2, 0, 0, 0, 3, Q", TLineClass::Note, "", 3},
        {kGuitarTab, "C, x, 3, 2, 0, 1, Q", TLineClass::Note, "Guitar: Error in line: Not enough commas in the line",
         0},
        {kPianoTab, "", TLineClass::Empty, "", -1},
        {kPianoTab, "*Volume 80", TLineClass::Directive, "", -1},
        {kPianoTab, "C, 48, 52, 55, x, x, x, x, x, x, x, Q", TLineClass::Note, "", 48},
        {kPianoTab, "C, 60, 60|E|90|r2, x, x, x, x, x, x, x, x, Q", TLineClass::Note,
         "Fingering ( r2 ) must be L1, L2, L3, L4, L5, R1, R2, R3, R4, R5 or blank." + kFix, 0},
        {kPianoTab, "C, 200, x, Q", TLineClass::Note, std::string(kPianoLineFailed), 0},
        {kPianoTab, "C, x, 3, 2, 0, 1, 0, Q", TLineClass::Note, std::string(kPianoLineFailed), 0},
        {kDrumsTab, "Kick, 36, Q", TLineClass::Empty, "", -1},
        {kDrumsTab, "*Tempo 90", TLineClass::Directive, "", -1},
    };
    for (const auto &c : cases) {
        const TLineContext ctx = TabContext(c.tab);
        const TNoteLine n = ParseNoteLine(c.line, TDurationUnit::Ticks, ctx);
        EXPECT_EQ(n.Class, c.lineClass) << c.line;
        EXPECT_EQ(n.Piano, c.tab == kPianoTab) << c.line;
        EXPECT_EQ(n.Error, c.error) << c.line;
        if (n.Ok()) {
            EXPECT_EQ(n.Piano ? n.Keys.Keys[0] : n.Chord.Frets[5], c.firstNote) << c.line;
        }
        EXPECT_EQ(n.Sounds(), c.lineClass == TLineClass::Note && c.error.empty()) << c.line;
    }
}

TEST(NoteLine, KeepsTheUnitAndReusedValuesStartFresh) {
    TNoteLine n = ParseNoteLine("G, 3, 2, 0, 0, 0, 3, Q", TDurationUnit::Milliseconds, TabContext(kGuitarTab));
    EXPECT_EQ(n.Chord.DurationLength, 500); // a quarter at 120
    ParseNoteLine("C, 48, x, x, x, x, x, x, x, x, x, H", TDurationUnit::Ticks, TabContext(kPianoTab), n);
    EXPECT_EQ(n.Keys.DurationLength, 384);
    EXPECT_EQ(n.Chord, TChordDat{}) << "the fretted record of a piano line is fresh";
    ParseNoteLine("", TDurationUnit::Ticks, TabContext(kGuitarTab), n);
    EXPECT_EQ(n.Keys, TPianoRec{});
}

} // namespace
