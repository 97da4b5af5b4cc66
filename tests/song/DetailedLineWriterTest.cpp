#include "song/DetailedLineWriter.h"

#include <gtest/gtest.h>

namespace {

TLineContext Guitar() {
    TLineContext c = MakeLineContext(DefaultInstrumentTab(6), 120);
    c.Volume = 100;
    return c;
}

TEST(DetailedLineWriter, FieldWithItsOwnDurationIsWrittenInFull) {
    TChordDat c;
    ASSERT_EQ(ParseChordLine("C, x, 3, 2, 0, 1, 0, Q", TDurationUnit::Ticks, Guitar(), c), "");
    c.Durations[0] = "E"; // string 1
    EXPECT_EQ(FormatDetailedChordLine(c, 5, 100), "C, x, 3, 2, 0, 1, 0|E|100|, Q");
}

TEST(DetailedLineWriter, CaseCountsInTheFieldComparisonOnly) {
    TChordDat c;
    ASSERT_EQ(ParseChordLine("C, x, 3, 2, 0, 1, 0|q|100|, Q", TDurationUnit::Ticks, Guitar(), c), "");
    EXPECT_EQ(FormatDetailedChordLine(c, 5, 100), "C, x, 3, 2, 0, 1, 0|q|100|, Q");
    ASSERT_EQ(ParseChordLine("C, x, 3, 2, 0, 1, 0|Q|100|, q", TDurationUnit::Ticks, Guitar(), c), "");
    EXPECT_EQ(FormatDetailedChordLine(c, 5, 100), "C, x, 3, 2, 0, 1, 0|Q|100|, Q");
}

TEST(DetailedLineWriter, VolumeAndFingeringDifferences) {
    TChordDat c;
    ASSERT_EQ(ParseChordLine("C, x, 3|Q|90|, 2|Q|100|3, 0, 1|Q|100|, 0, Q", TDurationUnit::Ticks, Guitar(), c), "");
    // Fields equal to the line's defaults fall back to plain numbers.
    EXPECT_EQ(FormatDetailedChordLine(c, 5, 100), "C, x, 3|Q|90|, 2|Q|100|3, 0, 1, 0, Q");
    // Under another tab volume the plain fields are written in full.
    EXPECT_EQ(FormatDetailedChordLine(c, 3, 90), "C, x, 3, 2|Q|100|3, 0|Q|100|, Q");
}

TEST(DetailedLineWriter, ParsesBackToTheSameRecord) {
    TChordDat c, back;
    ASSERT_EQ(ParseChordLine("G7, 3|E|90|2, 2|S|100|, 0, 0, 0|.Q|70|T, 1, Q-E", TDurationUnit::Ticks, Guitar(), c), "");
    const auto text = FormatDetailedChordLine(c, 5, 100);
    ASSERT_TRUE(text);
    ASSERT_EQ(ParseChordLine(*text, TDurationUnit::Ticks, Guitar(), back), "");
    c.Duration = "Q-E"; // the writer upper-cases only the final duration, which already is
    EXPECT_EQ(back, c);
}

TEST(DetailedLineWriter, RefusesSeparatorsInsideFields) {
    TChordDat c;
    ASSERT_EQ(ParseChordLine("C, x, 3, 2, 0, 1, 0, Q", TDurationUnit::Ticks, Guitar(), c), "");
    TChordDat bad = c;
    bad.Fingerings[5] = "1,2";
    bad.Frets[5] = 1;
    EXPECT_EQ(FormatDetailedChordLine(bad, 5, 100), std::nullopt);
    bad = c;
    bad.Durations[2] = "Q|E";
    EXPECT_EQ(FormatDetailedChordLine(bad, 5, 100), std::nullopt);
    bad = c;
    bad.Name = "C, major";
    EXPECT_EQ(FormatDetailedChordLine(bad, 5, 100), std::nullopt);
    bad = c;
    bad.Fingerings[0] = "1|2"; // an unused slot on a four-string tab does not count
    EXPECT_TRUE(FormatDetailedChordLine(bad, 3, 100));
    TPianoRec p;
    p.Name = "C";
    p.Duration = "Q";
    p.Keys[0] = 60;
    p.Fingerings[0] = "R1|R2";
    EXPECT_EQ(FormatDetailedPianoLine(p, 100), std::nullopt);
}

} // namespace
