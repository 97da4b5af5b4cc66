#include "dialogs/rules/TimeSigRules.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeSigRules, TextRoundTrip) {
    const struct {
        int upper;
        int lower;
        const char *text;
    } cases[] = {
        {4, 4, "0404"}, {6, 8, "0608"}, {12, 8, "1208"}, {3, 16, "0316"}, {64, 64, "6464"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FormatTimeSignature(c.upper, c.lower), c.text);
        EXPECT_EQ(GetTimeSigUpper(c.text), c.upper) << c.text;
        EXPECT_EQ(GetTimeSigLower(c.text), c.lower) << c.text;
    }
}

TEST(TimeSigRules, AnythingButFourCharactersReadsAsZero) {
    const struct {
        const char *text;
        int upper;
        int lower;
    } cases[] = {
        {"", 0, 0}, {"404", 0, 0}, {"10004", 0, 0}, {"4/4", 0, 0}, {"ab04", 0, 4},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(GetTimeSigUpper(c.text), c.upper) << c.text;
        EXPECT_EQ(GetTimeSigLower(c.text), c.lower) << c.text;
    }
}

TEST(TimeSigRules, DenominatorList) {
    const int offered[] = {1, 2, 4, 8, 16, 32, 64};
    ASSERT_EQ(TimeSigDenominators().size(), std::size(offered));
    for (int i = 0; i < int(std::size(offered)); ++i) {
        EXPECT_EQ(DenominatorIndex(offered[i]), i);
        EXPECT_EQ(DenominatorAt(i), offered[i]);
        EXPECT_EQ(OpeningDenominatorIndex(offered[i]), i);
    }
    for (int missing : {0, 3, 5, 128, -4}) {
        EXPECT_EQ(DenominatorIndex(missing), -1) << missing;
        EXPECT_EQ(OpeningDenominatorIndex(missing), 2) << missing; // 4
    }
    EXPECT_EQ(DenominatorAt(-1), 0);
    EXPECT_EQ(DenominatorAt(7), 0);
}

TEST(TimeSigRules, RestoreCaptionIsFiveCharacters) {
    EXPECT_EQ(RestoreCaption(4, 4), "4/4  ");
    EXPECT_EQ(RestoreCaption(12, 8), "12/8 ");
    EXPECT_EQ(RestoreCaption(12, 16), "12/16");
    EXPECT_EQ(RestoreCaption(64, 64), "64/64");
    EXPECT_EQ(RestoreCaption(0, 0), "0/0  ");
}

TEST(TimeSigRules, OkHoldsTheNumeratorAndRefusesUnreadableText) {
    // clang-format off
    const struct { const char *numerator; int index; std::optional<std::string> chosen; } cases[] = {
        {"4", 2, "0404"},   {"6", 3, "0608"},   {"12", 3, "1208"}, {"0", 2, "0104"},
        {"100", 2, "6404"}, {"-3", 0, "0101"},  {" 7 ", 4, "0716"}, {"3", -1, "0300"},
        {"", 2, std::nullopt}, {"abc", 2, std::nullopt}, {"4x", 2, std::nullopt},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(TimeSigOnOk(c.numerator, c.index), c.chosen) << '"' << c.numerator << '"';
}

TEST(TimeSigRules, PresetLabels) {
    // clang-format off
    const struct { const char *label; std::optional<std::string> chooses; } cases[] = {
        {"4/4", "0404"},
        {"Rock, Classical, Country, Jazz", "0404"},
        {"Four quarter notes per bar", "0404"},
        {"3/4", "0304"},
        {"Waltzes and ballads", "0304"},
        {"Three quarter notes per bar", "0304"},
        {"2/4", "0204"},
        {"Two quarter notes per bar", "0204"},
        {"Polkas and marches", "0204"},
        {"Six eighth notes per bar", "0608"},
        {"Twelve eighth notes per bar", "1208"},
        // Shown only.
        {"6/8", std::nullopt},
        {"12/8", std::nullopt},
        {"Jigs, fast waltzes, marches and Rock", std::nullopt},
        {"Classical, blues and Rock", std::nullopt},
        {"Simple Time", std::nullopt},
    };
    // clang-format on
    for (const auto &c : cases) {
        const auto preset = PresetForLabel(c.label);
        std::optional<std::string> chosen;
        if (preset)
            chosen = FormatTimeSignature(preset->numerator, preset->denominator);
        EXPECT_EQ(chosen, c.chooses) << c.label;
    }
}

} // namespace
