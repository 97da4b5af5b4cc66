#include "dialogs/rules/TempoRules.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(TempoRules, KeyReleaseKeepsTheTextATempo) {
    // clang-format off
    const struct { const char *typed; const char *after; } cases[] = {
        {"7777", "500"}, {"1234", "500"}, {" 77 7 ", "500"}, {"", "1"}, {"  ", "1"},
        {"777", "777"}, {"0", "0"}, {"12", "12"}, {"007", "007"},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(TempoTextAfterKeyRelease(c.typed), c.after) << '"' << c.typed << '"';
}

TEST(TempoRules, ChangeWritesReadableNumbersBackPlain) {
    const struct {
        const char *typed;
        const char *after;
    } cases[] = {
        {"0120", "120"}, {"007", "7"}, {"120", "120"}, {"0", "0"}, {"000", "000"}, {"", ""}, {"12a", "12a"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TempoTextAfterChange(c.typed), c.after) << '"' << c.typed << '"';
}

TEST(TempoRules, UpDownStepsOnlyWithinTheRange) {
    // clang-format off
    const struct { const char *text; int delta; std::optional<int> next; } cases[] = {
        {"120", +1, 121}, {"120", -1, 119}, {"499", +1, 500}, {"500", +1, std::nullopt},
        {"2", -1, 1}, {"1", -1, std::nullopt}, {"0", +1, 1}, {"0", -1, std::nullopt},
        {"", +1, std::nullopt}, {"x", -1, std::nullopt}, {"777", -1, std::nullopt},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(UpDownStep(c.text, c.delta, kMinTempo, kMaxTempo), c.next) << c.text << ' ' << c.delta;
}

TEST(TempoRules, HalfDoubleAndOk) {
    const struct {
        const char *text;
        std::optional<int> half;
        int doubled;
        int ok;
    } cases[] = {
        {"120", 60, 240, 120},  {"1", 0, 2, 1},           {"0", 0, 1, 1},
        {"3", 1, 6, 3},         {"300", 150, 500, 300},   {"500", 250, 500, 500},
        {"777", 388, 500, 500}, {"", std::nullopt, 1, 1}, {"abc", std::nullopt, 1, 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(HalfTempo(c.text), c.half) << c.text;
        EXPECT_EQ(DoubleTempo(c.text), c.doubled) << c.text;
        EXPECT_EQ(TempoOnOk(c.text), c.ok) << c.text;
    }
}

TEST(TempoRules, MissingSongTempoOpensAsTheDefault) {
    EXPECT_EQ(EffectiveSongTempo(0), 120);
    EXPECT_EQ(EffectiveSongTempo(-5), 120);
    EXPECT_EQ(EffectiveSongTempo(96), 96);
}

TEST(TempoRules, NineMarksFromSlowToQuick) {
    const auto marks = TempoMarks();
    ASSERT_EQ(marks.size(), 9u);
    EXPECT_STREQ(marks.front().name, "Larghissimo");
    EXPECT_STREQ(marks[7].name, "Presto");
    EXPECT_EQ(marks[7].bpm, 160);
    EXPECT_STREQ(marks.back().description, "200 - Extremly Quick");
    std::set<std::string> names;
    for (size_t i = 0; i < marks.size(); ++i) {
        names.insert(marks[i].name);
        // Each description starts with its tempo.
        EXPECT_EQ(std::string(marks[i].description).rfind(std::to_string(marks[i].bpm) + " - ", 0), 0u)
            << marks[i].description;
        if (i > 0) {
            EXPECT_LT(marks[i - 1].bpm, marks[i].bpm);
        }
    }
    EXPECT_EQ(names.size(), marks.size());
}

} // namespace
