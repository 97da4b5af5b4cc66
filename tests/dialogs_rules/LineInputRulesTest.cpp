#include "dialogs/rules/LineInputRules.h"

#include <gtest/gtest.h>

namespace {

TEST(LineInputRules, TypedCharactersWithAndWithoutTheFilter) {
    const struct {
        char32_t c;
        int trimmed;
        bool filter;
        int maxLength;
        bool accepted;
        // clang-format off
    } cases[] = {
        {'a', 0, true, 40, true},   {'Z', 0, true, 40, true},  {'7', 0, true, 40, true},
        {' ', 0, true, 40, true},   {'-', 0, true, 40, true},  {'&', 0, true, 40, false},
        {'_', 0, true, 40, false},  {U'é', 0, true, 40, false}, {'&', 0, false, 40, true},
        {U'é', 0, false, 0, true},
        // Up to the limit and one past it typing goes on; beyond it only backspace and blank.
        {'n', 40, true, 40, true},  {'n', 41, true, 40, false}, {' ', 41, true, 40, true},
        {kBackspace, 41, true, 40, true}, {'n', 500, true, 0, true}, {'n', 500, false, -1, true},
        {'&', 41, false, 40, false},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(AcceptsTypedChar(c.c, c.trimmed, c.filter, c.maxLength), c.accepted)
            << int(c.c) << " " << c.trimmed << " " << c.filter << " " << c.maxLength;
}

TEST(LineInputRules, OkRemovesWhatThePasteBroughtIn) {
    EXPECT_EQ(FilterInputText("Rock & Roll"), "Rock  Roll");
    EXPECT_EQ(FilterInputText("Fill-In 2"), "Fill-In 2");
    EXPECT_EQ(FilterInputText("Café\tBeat!"), "CafBeat");
    EXPECT_EQ(FilterInputText("&&"), "");
}

TEST(LineInputRules, EditWidthInLetters) {
    EXPECT_EQ(InputWidthLetters(40), 41);
    EXPECT_EQ(InputWidthLetters(1), 2);
    EXPECT_EQ(InputWidthLetters(0), 40); // no limit: room for a name all the same
    EXPECT_EQ(InputWidthLetters(-5), 40);
    EXPECT_EQ(InputWidthLetters(100000), 100);
}

} // namespace
