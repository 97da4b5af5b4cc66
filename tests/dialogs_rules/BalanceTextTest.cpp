#include "dialogs/rules/BalanceText.h"

#include <gtest/gtest.h>

namespace {

TEST(BalanceText, EveryBandAndItsEdges) {
    const struct {
        int balance;
        const char *text;
    } cases[] = {
        {0, "Full Left"}, {1, "Left"},    {52, "Left"},        {53, "Left/Center"},  {58, "Left/Center"},
        {59, "Center"},   {64, "Center"}, {70, "Center"},      {71, "Right/Center"}, {76, "Right/Center"},
        {77, "Right"},    {126, "Right"}, {127, "Full Right"}, {-1, "Center"},       {128, "Center"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetTextValueFromBalance(c.balance), c.text) << c.balance;
}

} // namespace
