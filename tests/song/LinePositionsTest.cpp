#include "song/LinePositions.h"

#include "midi/MidiData.h"
#include "midi/MidiTrackStream.h"

#include <gtest/gtest.h>

namespace {

TEST(LinePositions, BarsBeatsAndTicks) {
    const std::vector<std::string> lines = {"C, x, 3, 2, 0, 1, 0, W", "", "*Tempo 90", "bad, QQ",
                                            "C, x, 3, 2, 0, 1, 0, H", "C, x, 3, 2, 0, 1, 0, /E",
                                            "C, x, 3, 2, 0, 1, 0, Q"};
    TPositionConductor c;
    const auto all = GetLinePositions(lines, c);
    ASSERT_EQ(all.size(), lines.size());
    EXPECT_EQ(all[0].Bar, 1);
    EXPECT_EQ(all[0].Beat, 1);
    EXPECT_EQ(all[0].Ms, 0);
    // Blank lines, directives and lines with a bad duration add nothing.
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(all[i].Tick, 768) << i;
        EXPECT_EQ(all[i].Bar, 2) << i;
    }
    EXPECT_EQ(all[5].Bar, 2);
    EXPECT_EQ(all[5].Beat, 3);
    EXPECT_EQ(all[5].BeatTick, 0);
    EXPECT_EQ(all[6].Beat, 3);
    EXPECT_EQ(all[6].BeatTick, 32);
    EXPECT_EQ(all[6].Ms, (768 + 384 + 32) * 500 / 192);
    for (size_t i = 0; i < lines.size(); ++i) {
        const TSongPoint one = GetLinePosition(lines, static_cast<int>(i), c);
        EXPECT_EQ(one.Tick, all[i].Tick);
        EXPECT_EQ(one.Ms, all[i].Ms);
    }
}

TEST(LinePositions, SlowestTempoKeepsToThreeBytesAsTheBuiltSongDoes) {
    // Below 4 beats per minute a quarter would last longer than a tempo event can say: it is
    // held at the longest one, 16,777,215 microseconds, as in the built song.
    TPositionConductor c;
    c.Tempo = 2;
    const TSongPoint p = GetLinePosition({"C, x, 3, 2, 0, 1, 0, Q", ""}, 1, c);
    EXPECT_EQ(p.Tick, 192);
    EXPECT_EQ(p.Ms, 16777);
}

TEST(LinePositions, TimeFollowsTheTempoChangesOfTheLastBuild) {
    std::vector<std::string> lines(300, "C, x, 3, 2, 0, 1, 0, W");
    TPositionConductor c;
    c.Tempo = 60; // 1000 ms per quarter
    c.TimeSignature = "0304";
    c.TempoChanges = {{576, 500000}}; // 120 from bar 2 on
    const TSongPoint p = GetLinePosition(lines, 1, c);
    EXPECT_EQ(p.Tick, 768);
    EXPECT_EQ(p.Bar, 2);
    EXPECT_EQ(p.Beat, 2);
    EXPECT_EQ(p.Ms, 3000 + 500);
    const TSongPoint late = GetLinePosition(lines, 300, c);
    EXPECT_EQ(late.Ms, 3000 + (300 * 768 - 576) * 500 / 192);
    EXPECT_EQ(late.Hundredths, late.Ms % 1000 / 10);
    EXPECT_EQ(late.Seconds, late.Ms / 1000 % 60);
    EXPECT_EQ(late.Minutes, late.Ms / 60000 % 60);
}

TEST(LinePositions, TempoChangesAreReadFromABuiltSong) {
    TMidiData built;
    built.SetPPQN(192);
    built.AddTrack(1);
    const uint8_t t[3] = {0x07, 0xA1, 0x20};
    built.GetTrack(0)->InsertMetaEvent(384, 0x51, t, 3);
    const auto changes = TempoChangesOf(built);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (TTempoChange{384, 500000}));
}

TEST(LinePositions, BarPosition) {
    TPositionConductor c;
    c.TimeSignature = "0304";
    TBarPoint b = GetBarPosition(0, c);
    EXPECT_EQ(b.Tick, 576);
    EXPECT_EQ(b.BarIndex, 1);
    EXPECT_EQ(b.Ms, 1500);
    EXPECT_EQ(b.Upper, 3);
    EXPECT_EQ(b.Ppqn, 192);
    c.TimeSignature = "0608";
    b = GetBarPosition(1, c);
    EXPECT_EQ(b.Tick, 2 * 6 * 96);
    EXPECT_EQ(b.BarIndex, 2);
}

TEST(LinePositions, NoteNames) {
    const std::pair<int, const char *> cases[] = {{60, "C"}, {0, "C"}, {70, "A#"}, {-1, "?"},
                                                  {-12, "C"}, {-13, "?"}, {127, "G"}, {71, "B"}};
    for (const auto &[n, name] : cases) EXPECT_EQ(NoteNumberToName(n), name) << n;
}

} // namespace
