#include "song/Durations.h"

#include <gtest/gtest.h>

namespace {

struct LengthCase {
    const char *text;
    int ticks;
};

TEST(Durations, LengthInTicks) {
    // clang-format off
    const LengthCase cases[] = {
        {"W", 768},  {"H", 384},   {"Q", 192},   {"E", 96},     {"S", 48},   {"T", 24},
        {"F", 12},   {"q", 192},   {".Q", 288},  {".W", 1152},  {".F", 18},  {".e", 144},
        {"/Q", 64},  {"/W", 256},  {"/H", 128},  {"/F", 4},     {"/E", 32},
        {"Q-E", 288}, {"Q - E", 288}, {"Q - E - S", 336}, {".Q-/E", 320}, {"q-e", 288},
        {"W-W-W-W", 3072},
        // not durations
        {"", 0},     {"  ", 0},    {"QQ", 0},    {"..Q", 0},    {"Q.", 0},   {"3Q", 0},
        {"./Q", 0},  {" Q", 0},    {"Q ", 0},    {"Q-", 0},     {"Q--E", 0}, {"-Q", 0},
        {"Q-E-", 0}, {"Q-X", 0},   {"X", 0},     {"Q-E Q", 0},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(DurationLength(c.text, TDurationUnit::Ticks), c.ticks) << '"' << c.text << '"';
}

TEST(Durations, SymbolsAtOtherPulsesPerQuarter) {
    // Triplets are a third of the plain value; integer division throughout.
    EXPECT_EQ(DurationToTicks("/Q", 96), 32);
    EXPECT_EQ(DurationToTicks("/F", 96), 2);
    EXPECT_EQ(DurationToTicks(".E", 100), 75);
    EXPECT_EQ(DurationToTicks("Z", 96), 0);
}

TEST(Durations, LengthInMilliseconds) {
    EXPECT_EQ(WholeNoteMs(120), 2000);
    EXPECT_EQ(DurationLength("Q", TDurationUnit::Milliseconds, 120), 500);
    EXPECT_EQ(DurationLength(".Q", TDurationUnit::Milliseconds, 120), 750);
    EXPECT_EQ(DurationLength("/Q", TDurationUnit::Milliseconds, 120), 166);
    EXPECT_EQ(DurationLength("Q - E", TDurationUnit::Milliseconds, 120), 750);
    EXPECT_EQ(DurationMs(".Q-/E", 60), 1500 + 166);
    EXPECT_EQ(WholeNoteMs(500), 480);
    EXPECT_EQ(DurationLength("/F", TDurationUnit::Milliseconds, 500), 2);
    // Tempo 0 or less counts as 120.
    EXPECT_EQ(WholeNoteMs(0), 2000);
    EXPECT_EQ(WholeNoteMs(-5), 2000);
}

TEST(Durations, ValidityDoesNotDependOnTempo) {
    // At an absurd tempo a sixty-fourth lasts 0 ms, yet it is still a duration.
    EXPECT_EQ(DurationLength("F", TDurationUnit::Milliseconds, 1000000), 0);
    EXPECT_TRUE(IsValidDuration("F"));
    EXPECT_TRUE(IsValidDuration("Q - E"));
    EXPECT_FALSE(IsValidDuration("Q-"));
}

TEST(Durations, LongTiesAreNotCutShort) {
    std::string tie = "Q";
    for (int i = 0; i < 30; ++i)
        tie += " - Q";
    EXPECT_EQ(DurationLength(tie, TDurationUnit::Ticks), 31 * 192);
    // A chain longer than 1,002 parts is read as its first 1,002.
    std::string chain = "Q";
    for (int i = 1; i < 1003; ++i)
        chain += "-Q";
    EXPECT_EQ(DurationLength(chain, TDurationUnit::Ticks), 1002 * 192);
}

TEST(Durations, DurationField) {
    EXPECT_EQ(GetDurationField("C, 0, 2, 2, 1, 0, 0, Q"), "Q");
    EXPECT_EQ(GetDurationField("C, 0, 2, 2, 1, 0, 0,  q - e "), "q - e");
    EXPECT_EQ(GetDurationField("*TEMPO 90"), "");
    EXPECT_EQ(GetDurationField("C,"), "");
}

} // namespace
