#include "mainwindow/rules/LineCommandRules.h"

#include "mainwindow/rules/CommandTable.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

using namespace linecmd;

TEST(LineCommandRules, DirectiveLinesTakeTheTabsValues) {
    TInstrumentTab tab = DefaultInstrumentTab(6);
    tab.Volume = 87;
    tab.Channel = 9; // 0-based: the line says 10
    tab.Delay = -12;
    tab.Transpose = -2;
    // clang-format off
    const std::pair<TDirective, const char *> cases[] = {
        {TDirective::Volume, "*Volume 87"},       {TDirective::Balance, "*Balance CENTER"},
        {TDirective::Instrument, "*Instrument PIANO"}, {TDirective::Channel, "*Channel 10"},
        {TDirective::Delay, "*Delay -12"},        {TDirective::Transpose, "*Transpose -2"},
        {TDirective::Tempo, "*Tempo 96"},
    };
    // clang-format on
    for (const auto &[which, line] : cases)
        EXPECT_EQ(DirectiveLine(which, tab, 96), line);
}

// Each Transpose Higher and Lower item moves the lines by the number its caption shows (without
// its "&"), and each menu offers every step from 1 to 12 once.
TEST(LineCommandRules, TransposeItemsMoveByTheirCaptionsNumber) {
    for (const TMenu menu : {TMenu::TransposeHigher, TMenu::TransposeLower}) {
        std::set<int> steps;
        for (const TCommandRow &row : CommandRows()) {
            if (row.menu != menu)
                continue;
            std::string_view caption = row.caption;
            if (caption.starts_with('&'))
                caption.remove_prefix(1);
            EXPECT_EQ(std::to_string(row.halfSteps), caption) << row.name;
            steps.insert(row.halfSteps);
        }
        EXPECT_EQ(steps, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    }
}

TEST(LineCommandRules, DuplicatedBlockFollowsTheCopies) {
    EXPECT_EQ(DuplicatedBlock(3, 5), (TLineBlock{6, 8}));
    EXPECT_EQ(DuplicatedBlock(0, 0), (TLineBlock{1, 1}));
}

} // namespace
