#include "song/FrettedLine.h"
#include "song/DetailedLineWriter.h"
#include "song/PianoLine.h"

#include <gtest/gtest.h>

namespace {

const std::string kFix = "\r\rPlease fix errors before proceeding.";

TLineContext Guitar() {
    TLineContext c = MakeLineContext(DefaultInstrumentTab(6), 120);
    c.Volume = 100;
    return c;
}
TLineContext Banjo() {
    TLineContext c = MakeLineContext(DefaultInstrumentTab(13), 120);
    c.Volume = 100;
    return c;
}

struct FieldCase {
    const char *field;
    std::string error;
};

TEST(FretField, ChecksInOrderWithExactMessages) {
    const FieldCase cases[] = {
        {"x", ""},
        {"X", ""},
        {"-1", ""},
        {"0", ""},
        {"24", ""},
        {"", "Fret number (  ) is not a number." + kFix},
        {"a", "Fret number ( a ) is not a number." + kFix},
        {"-2", "Fret number ( -2 ) can be no lower than -1" + kFix},
        {"25", "Fret number ( 25 ) can be no higher than 24" + kFix},
        {"3|E|90|2", ""},
        {"3|E|90", ""},    // fewer than four parts: only the number counts
        {"3|E|90|", ""},   // blank fingering
        {"3|E| 90|2", ""}, // leading blanks before a number are skipped
        {"3|q - e|90|T", ""},
        {"3 |E|90|2", "Fret number ( 3 |E|90|2 ) is not a number." + kFix},
        {"3| E|90|2", "Duration  E is not valid. (W)hole,(H)alf,Q,E,S,T,F"},
        {"3|EE|0|t", "Duration EE is not valid. (W)hole,(H)alf,Q,E,S,T,F"}, // duration first
        {"3|E|0|1", "Volume ( 0 ) must be between 1 and 127" + kFix},
        {"3|E|128|1", "Volume ( 128 ) must be between 1 and 127" + kFix},
        {"3|E|90 |2", "Volume ( 2147483647 ) must be between 1 and 127" + kFix},
        {"3|E|90|t", "Fingering ( t ) must be 1, 2, 3, 4, T or blank." + kFix},
        {"3|E|90|5", "Fingering ( 5 ) must be 1, 2, 3, 4, T or blank." + kFix},
        {"25|EE|0|t", "Fret number ( 25|EE|0|t ) can be no higher than 24" + kFix}, // number first
    };
    for (const auto &c : cases) {
        TStringOrKeyDat d;
        EXPECT_EQ(ParseFretField(c.field, d), c.error) << c.field;
    }
}

TEST(FretField, SplitsDetails) {
    const TStringOrKeyDat d = SplitNoteField("3|E|90|2");
    EXPECT_EQ(d.Number, 3);
    EXPECT_EQ(d.Duration, "E");
    EXPECT_EQ(d.Volume, 90);
    EXPECT_EQ(d.Fingering, "2");
    EXPECT_TRUE(d.HasDetails);
    EXPECT_FALSE(SplitNoteField("3|E|90").HasDetails);
    EXPECT_EQ(SplitNoteField("3|E|90|1|2").Fingering, "1|2");
}

struct LineCase {
    const char *line;
    std::string error;
};

TEST(ChordLine, LineMessages) {
    const LineCase cases[] = {
        {"C, x, 3, 2, 0, 1, 0, Q", ""},
        {"C, x, 3, 2, 0, 1, 0, q", ""},
        {"C, x, 3, 2, 0, 1, Q", "Guitar: Error in line: Not enough commas in the line"},
        {"C, x, 3, 2, 0, 1, 0, 0, Q", "Guitar: Error in line: Too many commas in the line."},
        {"C,7, x, 3, 2, 0, 1, 0, Q", "Guitar: Error in line: Too many commas in the line."},
        {" , x, 3, 2, 0, 1, 0, Q", "Guitar: Chord name required."},
        {"C, x, 3, 2, 0, 1, 0, ", "Guitar: \"\" invalid. (W)hole,(H)alf,Q,E,S,T,F"},
        {"C, x, 3, 2, 0, 1, 0, QQ", "Guitar: \"QQ\" invalid. (W)hole,(H)alf,Q,E,S,T,F"},
        {"C, x, , 2, 0, 1, 0, Q", "Fret number (  ) is not a number." + kFix},
        {"C, x, 25, 2, 0, 1, 0, QQ", "Fret number ( 25 ) can be no higher than 24" + kFix},
        {"*Tempo 90", ""},
        {"   ", ""},
        {"", ""},
    };
    for (const auto &c : cases) {
        TChordDat chord;
        EXPECT_EQ(ParseChordLine(c.line, TDurationUnit::Milliseconds, Guitar(), chord), c.error) << c.line;
    }
}

TEST(ChordLine, FieldsGoToSlotsLowestStringFirst) {
    TChordDat c;
    ASSERT_EQ(ParseChordLine("C, x, 3, 2, 0, 1, 0, Q", TDurationUnit::Ticks, Guitar(), c), "");
    EXPECT_EQ(c.Name, "C");
    EXPECT_EQ(c.Frets, (std::array<int32_t, 6>{0, 1, 0, 2, 3, -1}));
    EXPECT_EQ(c.Pitches, (std::array<int32_t, 6>{64, 60, 55, 52, 48, 255}));
    EXPECT_EQ(c.Duration, "Q");
    EXPECT_EQ(c.DurationLength, 192);
    EXPECT_EQ(c.DurationLengths, (std::array<int32_t, 6>{192, 192, 192, 192, 192, 192}));
    EXPECT_EQ(c.Volumes[0], 100);
    EXPECT_FALSE(c.HasDetails);
}

TEST(ChordLine, DetailedFieldKeepsItsOwnDurationVolumeAndFingering) {
    TChordDat c;
    ASSERT_EQ(ParseChordLine("G, 3|E|90|2, x, 0, 0, 0, 3|Q - E|80|T, Q - E - S", TDurationUnit::Ticks, Guitar(), c),
              "");
    EXPECT_TRUE(c.HasDetails);
    EXPECT_EQ(c.Durations[5], "E");
    EXPECT_EQ(c.Volumes[5], 90);
    EXPECT_EQ(c.Fingerings[5], "2");
    EXPECT_EQ(c.DurationLengths[5], 96);
    EXPECT_EQ(c.DurationLengths[0], 288);
    EXPECT_EQ(c.Fingerings[0], "T");
    EXPECT_EQ(c.Durations[3], "Q - E - S");
    EXPECT_EQ(c.DurationLength, 336);
    EXPECT_EQ(c.Volumes[3], 100);
}

TEST(ChordLine, EveryEntryStartsFreshForDirectivesAndEmptyLines) {
    TChordDat c;
    ParseChordLine("C, x, 3, 2, 0, 1, 0, Q", TDurationUnit::Ticks, Guitar(), c);
    EXPECT_EQ(ParseChordLine("*Volume 90", TDurationUnit::Ticks, Guitar(), c), "");
    EXPECT_EQ(c.Name, "*Volume 90");
    EXPECT_EQ(c, [] {
        TChordDat d;
        d.Name = "*Volume 90";
        return d;
    }());
    ParseChordLine("", TDurationUnit::Ticks, Guitar(), c);
    EXPECT_EQ(c.Name, " ");
    EXPECT_EQ(c.Frets[0], -1);
    EXPECT_EQ(c.Pitches[0], 255);
}

TEST(ChordLine, LongNamesAndTiesAreKeptWhole) {
    const std::string name(120, 'n');
    std::string tie = "Q";
    for (int i = 0; i < 10; ++i)
        tie += " - E";
    TChordDat c;
    ASSERT_EQ(ParseChordLine(name + ", x, 3, 2, 0, 1, 0, " + tie, TDurationUnit::Ticks, Guitar(), c), "");
    EXPECT_EQ(c.Name, name);
    EXPECT_EQ(c.Duration, tie);
    EXPECT_EQ(c.DurationLength, 192 + 10 * 96);
}

TEST(ChordLine, BanjoShortString) {
    TChordDat c;
    ASSERT_EQ(ParseChordLine("G, 0, 0, 0, 0, 0, Q", TDurationUnit::Ticks, Banjo(), c), "");
    EXPECT_EQ(c.Pitches[5], 45);
    ASSERT_EQ(ParseChordLine("G, 2, 0, 0, 0, 0, Q", TDurationUnit::Ticks, Banjo(), c), "");
    EXPECT_EQ(c.Pitches[5], 42);
    // Open pitches under the banjo tuning: positions 2..6 are 62, 59, 55, 50 and 62 (+5 = 67).
    ParseChordLine("G, 0, 0, 0, 0, 0, Q", TDurationUnit::Ticks, Banjo(), c);
    EXPECT_EQ(SoundingPitch(c, 1, Banjo()), 62);
    EXPECT_EQ(SoundingPitch(c, 4, Banjo()), 50);
    EXPECT_EQ(SoundingPitch(c, 5, Banjo()), 67);
}

TEST(ChordLine, DamagedStringCountNeverPassesTheSixSlots) {
    TLineContext ctx = Guitar();
    ctx.HighestString = 40;
    TChordDat c;
    EXPECT_EQ(ParseChordLine("C, x, 3, 2, 0, 1, 0, Q", TDurationUnit::Ticks, ctx, c), "");
    ctx.HighestString = -3;
    EXPECT_EQ(ParseChordLine("C, 3, Q", TDurationUnit::Ticks, ctx, c), "");
    EXPECT_EQ(c.Frets[5], 3);
}

TEST(ChordLine, DrumTabPitchIsTheNumber) {
    TLineContext ctx = Guitar();
    ctx.Kind = TKind::Drums;
    ctx.HighestString = 0;
    TChordDat c;
    ASSERT_EQ(ParseChordLine("Kick, 24, Q", TDurationUnit::Ticks, ctx, c), "");
    EXPECT_EQ(c.Pitches[5], 24);
}

TEST(ChordLine, FormatRoundTrips) {
    const char *lines[] = {"C, x, 3, 2, 0, 1, 0, Q", "Am7, x, 0, 2, 0, 1, 0, .E-/S", "Rest, x, x, x, x, x, x, W"};
    for (const char *line : lines) {
        TChordDat c;
        ASSERT_EQ(ParseChordLine(line, TDurationUnit::Ticks, Guitar(), c), "");
        EXPECT_EQ(FormatChordLine(c, 5), line);
        EXPECT_EQ(FormatDetailedChordLine(c, 5, 100), line);
    }
    TChordDat c;
    ASSERT_EQ(ParseChordLine("  D ,x,x,0,2,3,2,  h ", TDurationUnit::Ticks, Guitar(), c), "");
    EXPECT_EQ(FormatChordLine(c, 5), "D, x, x, 0, 2, 3, 2, h");
}

TEST(ChordLine, DurationsAreValidAtAnyTempo) {
    // At this tempo a whole note lasts 0 ms; the lines are still good.
    TLineContext fast = Guitar();
    fast.Tempo = 1000000;
    TChordDat c;
    EXPECT_EQ(ParseChordLine("C, 3|F|90|, x, 3, 2, 0, 1, Q", TDurationUnit::Milliseconds, fast, c), "");
    EXPECT_EQ(c.DurationLength, 0);
    TLineContext piano = MakeLineContext(DefaultInstrumentTab(1), 1000000);
    TPianoRec rec;
    EXPECT_TRUE(ParsePianoLine("C, 60|F|90|, x, x, x, x, x, x, x, x, x, Q", TDurationUnit::Milliseconds, piano, rec));
}

TEST(ChordLine, SetStringFret) {
    EXPECT_EQ(SetStringFret("C, x, 3, 2, 0, 1, 0, Q", 5, 8, Guitar()), "C, 8, 3, 2, 0, 1, 0, Q");
    EXPECT_EQ(SetStringFret("C, x, 3, 2, 0, 1, 0, Q", 0, -1, Guitar()), "C, x, 3, 2, 0, 1, x, Q");
    // A string with its own details keeps them; the set string takes the line's duration.
    EXPECT_EQ(SetStringFret("C, x, 3|E|90|2, 2, 0, 1, 0, q", 1, 3, Guitar()), "C, x, 3|E|90|2, 2, 0, 3, 0, Q");
    EXPECT_EQ(SetStringFret("C, x, 3|E|90|2, 2, 0, 1, 0, Q", 4, 5, Guitar()), "C, x, 5|Q|90|2, 2, 0, 1, 0, Q");
    EXPECT_EQ(SetStringFret("C, x, 3, 2, 0, 1, Q", 1, 3, Guitar()), std::nullopt);
    EXPECT_EQ(SetStringFret("*Tempo 90", 1, 3, Guitar()), std::nullopt);
    EXPECT_EQ(SetStringFret("", 1, 3, Guitar()), std::nullopt);
    EXPECT_EQ(SetStringFret("C, x, 3, 2, 0, 1, 0, Q", 6, 3, Guitar()), std::nullopt);
}

} // namespace
