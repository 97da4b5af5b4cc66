// Lines made of random pieces: whatever parses must be written back by the formatters as a line
// that parses to the same notes, and nothing may read outside the line.
#include "song/DetailedLineWriter.h"
#include "song/Directives.h"
#include "song/FrettedLine.h"
#include "song/LineTransforms.h"
#include "song/PianoLine.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char *const kPieces[] = {"x", "X", "0",  "3",   "24",  "25",  "-1", "-2",      "60",      "107",     "108", "27",
                               "Q", "q", ".E", "/S",  "Q-E", " - ", "|",  "|E|90|2", "|q|100|", "|E|0|R1", ",",   ", ",
                               " ", "*", "C",  "Am7", "$1F", "0x",  "\t", "W-",      "--",      "T",       "L5"};

std::string RandomLine(std::mt19937 &rng) {
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> count(0, 40);
    std::string line;
    const int n = count(rng);
    for (int i = 0; i < n; ++i)
        line += kPieces[piece(rng)];
    return line;
}

std::string NoteLine(std::mt19937 &rng, int fields, const char *const *values, size_t valueCount) {
    std::uniform_int_distribution<size_t> pick(0, valueCount - 1);
    std::string line = "N";
    for (int i = 0; i < fields; ++i) {
        line += ", ";
        line += values[pick(rng)];
    }
    const char *durations[] = {"Q", "e", ".H", "/T", "Q - E", "W-W", "QQ"};
    line += ", ";
    line += durations[pick(rng) % std::size(durations)];
    return line;
}

TEST(NotationRoundTrip, FrettedLinesFormatBackToTheSameNotes) {
    std::mt19937 rng(1234);
    const char *values[] = {"x", "0", "5", "12", "24", "3|E|90|2", "7|Q|100|", "2|S|64|T", "-1"};
    for (const int tab : {6, 12, 13, 14, 16}) {
        TLineContext ctx = MakeLineContext(DefaultInstrumentTab(tab), 120);
        ctx.Volume = 100;
        int parsed = 0;
        for (int i = 0; i < 3000; ++i) {
            const std::string line =
                i % 2 ? RandomLine(rng) : NoteLine(rng, ctx.HighestString + 1, values, std::size(values));
            TChordDat a, b;
            if (!ParseChordLine(line, TDurationUnit::Ticks, ctx, a).empty() || ClassifyLine(line) != TLineClass::Note)
                continue;
            ++parsed;
            const auto detailed = FormatDetailedChordLine(a, ctx.HighestString, ctx.Volume);
            ASSERT_TRUE(detailed) << line;
            ASSERT_EQ(ParseChordLine(*detailed, TDurationUnit::Ticks, ctx, b), "") << line << " -> " << *detailed;
            EXPECT_EQ(b.Frets, a.Frets) << line;
            EXPECT_EQ(b.DurationLengths, a.DurationLengths) << line;
            EXPECT_EQ(b.Volumes, a.Volumes) << line;
            EXPECT_EQ(b.Fingerings, a.Fingerings) << line;
            const std::string plain = FormatChordLine(a, ctx.HighestString);
            ASSERT_EQ(ParseChordLine(plain, TDurationUnit::Ticks, ctx, b), "") << plain;
            EXPECT_EQ(b.Frets, a.Frets) << line;
            EXPECT_EQ(b.DurationLength, a.DurationLength) << line;
            // Up then down brings back every fret that stayed on the neck.
            const std::string moved = TransposeLineDown(TransposeLineUp(line, ctx), ctx);
            ASSERT_EQ(ParseChordLine(moved, TDurationUnit::Ticks, ctx, b), "") << moved;
            for (int k = 0; k < 6; ++k) {
                const bool onNeck = a.Frets[k] >= 0 && a.Frets[k] < 24;
                const bool shortStringGap = ctx.ShortFifthString && k == 5 && a.Frets[k] < 6;
                if (onNeck && !shortStringGap) {
                    EXPECT_EQ(b.Frets[k], a.Frets[k]) << line << " -> " << moved;
                }
            }
        }
        EXPECT_GT(parsed, 500) << tab;
    }
}

TEST(NotationRoundTrip, PianoLinesFormatBackToTheSameNotes) {
    std::mt19937 rng(99);
    const char *values[] = {"x", "", "28", "60", "107", "61|E|90|R2", "40|Q|100|", "55|/S|20|L1", "-1"};
    TLineContext ctx = MakeLineContext(DefaultInstrumentTab(1), 120);
    ctx.Volume = 100;
    int parsed = 0;
    for (int i = 0; i < 5000; ++i) {
        const std::string line = i % 2 ? RandomLine(rng) : NoteLine(rng, 10, values, std::size(values));
        TPianoRec a, b;
        if (!ParsePianoLine(line, TDurationUnit::Ticks, ctx, a) || ClassifyLine(line) != TLineClass::Note)
            continue;
        ++parsed;
        const auto detailed = FormatDetailedPianoLine(a, ctx.Volume);
        ASSERT_TRUE(detailed) << line;
        ASSERT_TRUE(ParsePianoLine(*detailed, TDurationUnit::Ticks, ctx, b)) << line << " -> " << *detailed;
        EXPECT_EQ(b.Keys, a.Keys) << line;
        EXPECT_EQ(b.DurationLengths, a.DurationLengths) << line;
        EXPECT_EQ(b.Volumes, a.Volumes) << line;
        ASSERT_TRUE(ParsePianoLine(FormatPianoLine(a), TDurationUnit::Ticks, ctx, b)) << line;
        EXPECT_EQ(b.Keys, a.Keys) << line;
        // A directive reader never fails on any text.
        const auto d = ReadDirective("*Tempo " + line, ctx);
        ASSERT_TRUE(d);
        EXPECT_GE(d->Value, 1);
        EXPECT_LE(d->Value, 500);
    }
    EXPECT_GT(parsed, 1000);
}

} // namespace
