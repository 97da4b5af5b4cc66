#include "mainwindow/rules/LineCommandRules.h"

#include <gtest/gtest.h>

namespace {

using namespace linecmd;

TEST(LineCommandRules, DirectiveLinesTakeTheTabsValues) {
    TInstrumentTab tab = DefaultInstrumentTab(6);
    tab.Volume = 87;
    tab.Channel = 9; // 0-based: the line says 10
    tab.Delay = -12;
    tab.Transpose = -2;
    const std::pair<TDirective, const char *> cases[] = {
        {TDirective::Volume, "*Volume 87"},       {TDirective::Balance, "*Balance CENTER"},
        {TDirective::Instrument, "*Instrument PIANO"}, {TDirective::Channel, "*Channel 10"},
        {TDirective::Delay, "*Delay -12"},        {TDirective::Transpose, "*Transpose -2"},
        {TDirective::Tempo, "*Tempo 96"},
    };
    for (const auto &[which, line] : cases)
        EXPECT_EQ(DirectiveLine(which, tab, 96), line);
}

TEST(LineCommandRules, TransposeItemsCountTheirCaption) {
    const std::pair<const char *, int> cases[] = {{"12", 12}, {"&12", 12}, {"1", 1}, {"&1", 1},   {"", 0},
                                                  {"&", 0},   {"13", 0},   {"0", 0}, {"&&3", 0}, {"3x", 0}};
    for (const auto &[caption, steps] : cases)
        EXPECT_EQ(TransposeItemSteps(caption), steps) << caption;
}

TEST(LineCommandRules, DuplicatedBlockFollowsTheCopies) {
    EXPECT_EQ(DuplicatedBlock(3, 5), (TLineBlock{6, 8}));
    EXPECT_EQ(DuplicatedBlock(0, 0), (TLineBlock{1, 1}));
}

} // namespace
