#include "dialogs/rules/OptionsRules.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionsRules, DeviceListRowsAndTheDeviceChosen) {
    EXPECT_EQ(DeviceListRow(-1, 0), 0); // the default entry is always listed
    EXPECT_EQ(DeviceListRow(-1, 2), 0);
    EXPECT_EQ(DeviceListRow(1, 2), 2);
    EXPECT_EQ(DeviceListRow(2, 2), -1);
    EXPECT_EQ(DeviceListRow(-2, 2), -1);
    EXPECT_EQ(DeviceFromListRow(0, 1), -1);
    EXPECT_EQ(DeviceFromListRow(2, -1), 1);
    EXPECT_EQ(DeviceFromListRow(-1, 1), 1); // nothing chosen: the device stays
    EXPECT_EQ(DeviceFromListRow(-1, -1), -1);
}

TEST(OptionsRules, BoldKeepsTheOtherStyleBits) {
    EXPECT_TRUE(StyleIsBold(12));
    EXPECT_FALSE(StyleIsBold(4));
    EXPECT_EQ(StyleWithBold(4, true), 12);
    EXPECT_EQ(StyleWithBold(12, false), 4);
    EXPECT_EQ(StyleWithBold(0x1F, false), 7); // only four bits count
    EXPECT_EQ(MaskStyle(0x28), 8);
    EXPECT_EQ(ClampFontSize(1), 2);
    EXPECT_EQ(ClampFontSize(201), 200);
}

} // namespace
