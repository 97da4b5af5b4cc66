#include "song/PianoLine.h"
#include "song/DetailedLineWriter.h"

#include <gtest/gtest.h>

namespace {

const std::string kFix = "\r\rPlease fix errors before proceeding.";

TLineContext Piano() {
    TLineContext c = MakeLineContext(DefaultInstrumentTab(1), 120);
    c.Volume = 100;
    return c;
}

TEST(PianoKeyField, ChecksInOrderWithExactMessages) {
    const std::pair<const char *, std::string> cases[] = {
        {"", ""},
        {"  ", ""},
        {"x", ""},
        {"X", ""},
        {"60", ""},
        {"27", ""}, // a plain key is range-checked by the line reader
        {"60|E|90|R2", ""},
        {"60|E|90|", ""},
        {"60|E|90", ""},
        {"c4", "Piano key (c4 ) is not a number." + kFix},
        {"60 |E|90|R2", "Piano key (60 |E|90|R2 ) is not a number." + kFix},
        {"108|EE|0|r2", "Duration EE is not valid. (W)hole,(H)alf,Q,E,S,T,F"},
        {"108|E|0|r2", "Volume ( 0 ) must be between 1 and 127" + kFix},
        {"108|E|90|r2", "PianoKey (108|E|90|r2) must be 107 or lower." + kFix},
        {"27|E|90|r2", "PianoKey (27|E|90|r2) must be 28 or higher." + kFix},
        {"60|E|90|r2", "Fingering ( r2 ) must be L1, L2, L3, L4, L5, R1, R2, R3, R4, R5 or blank." + kFix},
        {"60|E|90|L6", "Fingering ( L6 ) must be L1, L2, L3, L4, L5, R1, R2, R3, R4, R5 or blank." + kFix},
    };
    for (const auto &[field, error] : cases) {
        TStringOrKeyDat d;
        EXPECT_EQ(ParsePianoKeyField(field, d), error) << field;
    }
}

TEST(PianoLine, GetLineField) {
    const char *line = "C, 48, X , , 55,x,x,x,x,x,x, q ";
    EXPECT_EQ(GetLineField(line, 1), "48");
    EXPECT_EQ(GetLineField(line, 2), "-1");
    EXPECT_EQ(GetLineField(line, 3), "");
    EXPECT_EQ(GetLineField(line, 11), "q");
    EXPECT_EQ(GetLineField(line, 12), "");
    EXPECT_EQ(GetLineField("C", 1), "");
}

TEST(PianoLine, ParsesKeysInAnySlot) {
    TPianoRec r;
    ASSERT_TRUE(ParsePianoLine("C, 48, 52, 55, x, x, x, x, x, x, x, Q", TDurationUnit::Ticks, Piano(), r));
    EXPECT_EQ(r.Name, "C");
    EXPECT_EQ(r.Keys, (std::array<int32_t, 10>{48, 52, 55, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(r.DurationLength, 192);
    EXPECT_EQ(r.Volumes[9], 100);
    EXPECT_FALSE(r.HasDetails);
    ASSERT_TRUE(ParsePianoLine(", x, x, 60, , , , , , , , H", TDurationUnit::Ticks, Piano(), r));
    EXPECT_EQ(r.Name, "");
    EXPECT_EQ(r.Keys[2], 60);
    ASSERT_TRUE(ParsePianoLine(" Cmaj , x, x, x, x, x, x, x, x, x, 107, H", TDurationUnit::Ticks, Piano(), r));
    EXPECT_EQ(r.Name, " Cmaj "); // blanks kept
}

TEST(PianoLine, Failures) {
    const char *bad[] = {
        "C, 48, 52, 55, x, x, x, x, x, x, Q",       // 10 commas
        "C, 48, 52, 55, x, x, x, x, x, x, x, x, Q", // 12 commas
        "C, 27, x, x, x, x, x, x, x, x, x, Q",      // below 28
        "C, x, x, x, x, x, x, x, x, x, 108, Q",     // above 107
        "C, 48, 52, 55, x, x, x, x, x, x, x, QQ",   // good keys, bad duration
        "C, 48, 52, 55, x, x, x, x, x, x, x, ",     "C, 60|E|90|r2, x, x, x, x, x, x, x, x, x, Q",
        "C, -5, x, x, x, x, x, x, x, x, x, Q",
    };
    for (const char *line : bad) {
        TPianoRec r;
        EXPECT_FALSE(ParsePianoLine(line, TDurationUnit::Ticks, Piano(), r)) << line;
        EXPECT_TRUE(r.ParseFailed) << line;
    }
    TPianoRec r;
    std::string error;
    EXPECT_FALSE(
        ParsePianoLine("C, 60, 60|E|90|r2, x, x, x, x, x, x, x, x, Q", TDurationUnit::Ticks, Piano(), r, &error));
    EXPECT_EQ(error, "Fingering ( r2 ) must be L1, L2, L3, L4, L5, R1, R2, R3, R4, R5 or blank." + kFix);
}

TEST(PianoLine, EmptyAndDirectiveLinesResetTheRecord) {
    TPianoRec r;
    ASSERT_TRUE(ParsePianoLine("C, 48, 52, 55, x, x, x, x, x, x, x, Q", TDurationUnit::Ticks, Piano(), r));
    EXPECT_TRUE(ParsePianoLine("*Volume 80", TDurationUnit::Ticks, Piano(), r));
    EXPECT_EQ(r, TPianoRec{});
    ASSERT_TRUE(ParsePianoLine("C, 48, 52, 55, x, x, x, x, x, x, x, Q", TDurationUnit::Ticks, Piano(), r));
    EXPECT_TRUE(ParsePianoLine("  ", TDurationUnit::Ticks, Piano(), r));
    EXPECT_EQ(r, TPianoRec{});
}

TEST(PianoLine, DetailedKeys) {
    TPianoRec r;
    ASSERT_TRUE(ParsePianoLine("C, 60|E|90|R2, 64|E|90, x, x, x, x, x, x, x, x, Q", TDurationUnit::Ticks, Piano(), r));
    EXPECT_TRUE(r.HasDetails);
    EXPECT_EQ(r.Fingerings[0], "R2");
    EXPECT_EQ(r.DurationLengths[0], 96);
    EXPECT_EQ(r.Volumes[0], 90);
    EXPECT_EQ(r.Durations[1], "Q"); // three parts: only the key counts
    EXPECT_EQ(r.Volumes[1], 100);
    EXPECT_EQ(FormatDetailedPianoLine(r, 100), "C, 60|E|90|R2, 64, x, x, x, x, x, x, x, x, Q");
}

TEST(PianoLine, FormatRoundTrips) {
    const char *lines[] = {"C, 48, 52, 55, x, x, x, x, x, x, x, Q", "Am, x, 57, x, 60, x, 64, x, x, x, 107, .H-/E"};
    for (const char *line : lines) {
        TPianoRec r;
        ASSERT_TRUE(ParsePianoLine(line, TDurationUnit::Ticks, Piano(), r));
        EXPECT_EQ(FormatPianoLine(r), line);
        EXPECT_EQ(FormatDetailedPianoLine(r, 100), line);
    }
}

TEST(PianoLine, TogglePianoKey) {
    EXPECT_EQ(TogglePianoKey("C, 48, x, 55, x, x, x, x, x, x, x, q", 52, Piano()),
              "C, 48, 52, 55, x, x, x, x, x, x, x, q");
    EXPECT_EQ(TogglePianoKey("C, 60|E|90|R2, x, x, x, x, x, x, x, x, x, q", 64, Piano()),
              "C, 60|E|90|R2, 64, x, x, x, x, x, x, x, x, Q");
    // A full line keeps its ten keys.
    EXPECT_EQ(TogglePianoKey("C, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, Q", 60, Piano()),
              "C, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, Q");
    // A line that does not parse gives no result: the caller leaves it alone.
    EXPECT_EQ(TogglePianoKey("C, 48, x, 55, x, x, x, x, x, x, Q", 52, Piano()), std::nullopt);
    EXPECT_EQ(TogglePianoKey("", 52, Piano()), std::nullopt);
    EXPECT_EQ(TogglePianoKey("*Tempo 90", 52, Piano()), std::nullopt);
}

} // namespace
