#include "mainwindow/rules/MixerRules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(MixerRules, ControlsStoreIntoTheirFieldAndCaptionsRestoreTheDefaults) {
    const TInstrumentTab drums = DefaultInstrumentTab(10); // the Drums tab: default channel 10
    ASSERT_EQ(drums.Kind, TKind::Drums);
    const struct {
        TMixerField field;
        int shown;        // a value the control shows
        int stored;       // what the record then holds
        int defaultShown; // what a click on the caption puts into the control on the Drums tab
    } cases[] = {
        {TMixerField::Channel, 16, 15, 10},  {TMixerField::Volume, 40, 40, 100}, {TMixerField::Delay, -120, -120, 0},
        {TMixerField::Transpose, 24, 24, 0}, {TMixerField::Balance, 0, 0, 64},
    };
    std::set<std::string> names;
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.field));
        TInstrumentTab tab = drums;
        StoreMixerValue(tab, c.field, c.shown);
        TInstrumentTab expected = drums;
        switch (c.field) {
        case TMixerField::Channel:
            expected.Channel = c.stored;
            break;
        case TMixerField::Volume:
            expected.Volume = c.stored;
            break;
        case TMixerField::Delay:
            expected.Delay = c.stored;
            break;
        case TMixerField::Transpose:
            expected.Transpose = c.stored;
            break;
        case TMixerField::Balance:
            expected.Balance = c.stored;
            break;
        }
        EXPECT_EQ(tab, expected); // that field and no other
        EXPECT_EQ(MixerDefault(drums, c.field), c.defaultShown);
    }
    // Every field has its row, with a control and a caption of its own.
    for (const TMixerRow &row : MixerRows()) {
        EXPECT_TRUE(names.insert(std::string(row.control)).second) << row.control;
        EXPECT_TRUE(names.insert(std::string(row.caption)).second) << row.caption;
    }
    EXPECT_EQ(MixerRows().size(), std::size(cases));
    EXPECT_EQ(MixerDefault(DefaultInstrumentTab(1), TMixerField::Channel), DefaultInstrumentTab(1).DefaultChannel + 1);
}

TEST(MixerRules, MuteAndSoloClearEachOther) {
    const struct {
        bool clickedMute; // else Solo was clicked
        TMuteSolo boxes;  // as the click left them
        TMuteSolo result;
    } cases[] = {
        {true, {true, true}, {true, false}},                                         // checking Mute clears Solo
        {true, {false, true}, {false, true}},                                        // unchecking Mute leaves Solo
        {true, {true, false}, {true, false}},  {false, {true, true}, {false, true}}, // checking Solo clears Mute
        {false, {true, false}, {true, false}},                                       // unchecking Solo leaves Mute
        {false, {false, true}, {false, true}},
    };
    for (const auto &c : cases) {
        const TMuteSolo r = c.clickedMute ? MuteClicked(c.boxes) : SoloClicked(c.boxes);
        EXPECT_EQ(r, c.result) << c.clickedMute << c.boxes.mute << c.boxes.solo;
    }
}

} // namespace
