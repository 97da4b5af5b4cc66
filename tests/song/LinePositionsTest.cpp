#include "song/LinePositions.h"

#include "midi/MidiData.h"
#include "midi/MidiTrackStream.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

TEST(LinePositions, BarsBeatsAndTicks) {
    const std::vector<std::string> lines = {
        "C, x, 3, 2, 0, 1, 0, W", "", "*Tempo 90", "bad, QQ", "C, x, 3, 2, 0, 1, 0, H", "C, x, 3, 2, 0, 1, 0, /E",
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

// The kept index answers as GetLinePosition does over the same lines, for every line, after edits at
// the start, in the middle and at the end, and under other signatures, tempos and tempo changes; it
// reads a line again only when an edit at or above it forgot its length.
TEST(LinePositions, KeptIndexAnswersAsGetLinePositionAfterEdits) {
    using Lines = std::vector<std::string>;
    const Lines start = {"C, x, 3, 2, 0, 1, 0, W",
                         "",
                         "*Tempo 90",
                         "G, 3, 2, 0, 0, 0, 3, .H",
                         "bad, QQ",
                         "Am, x, 0, 2, 2, 1, 0, /E",
                         "C, x, 3, 2, 0, 1, 0, Q-E",
                         "Em, 0, 2, 2, 0, 0, 0, S",
                         "*Volume 80",
                         "D, x, x, 0, 2, 3, 2, T"};
    struct Edit {
        const char *what;
        std::function<int(Lines &)> apply; // returns the first changed line
    };
    // clang-format off
    const Edit edits[] = {
        {"line 0 retyped", [](Lines &l) { l[0] = "C, x, 3, 2, 0, 1, 0, H"; return 0; }},
        {"a line inserted at the start", [](Lines &l) { l.insert(l.begin(), "F, 1, 3, 3, 2, 1, 1, .Q"); return 0; }},
        {"a middle line removed", [](Lines &l) { l.erase(l.begin() + 5); return 5; }},
        {"a middle line made a directive", [](Lines &l) { l[4] = "*Tempo 60"; return 4; }},
        {"two lines inserted in the middle", [](Lines &l) {
             l.insert(l.begin() + 6, {"G, 3, 2, 0, 0, 0, 3, W", "G, 3, 2, 0, 0, 0, 3, F"});
             return 6;
         }},
        {"the last line removed", [](Lines &l) { l.pop_back(); return static_cast<int>(l.size()); }},
        {"a line added at the end", [](Lines &l) { l.push_back("A, x, 0, 2, 2, 2, 0, E"); return static_cast<int>(l.size()) - 1; }},
        {"everything removed", [](Lines &l) { l.clear(); return 0; }},
    };
    // clang-format on
    TPositionConductor waltz;
    waltz.TimeSignature = "0304";
    waltz.Tempo = 60;
    waltz.TempoChanges = {{576, 500000}, {2000, 750000}};
    TPositionConductor jig;
    jig.TimeSignature = "0608";
    jig.Tempo = 90;
    const TPositionConductor conductors[] = {TPositionConductor{}, waltz, jig};

    for (const TPositionConductor &c : conductors) {
        Lines lines = start;
        TLinePositionIndex index;
        index.SetConductor(c);
        int asked = 0;
        auto lineAt = [&](int i) {
            ++asked;
            return lines.at(static_cast<size_t>(i));
        };
        auto expectSame = [&](const char *what) {
            const int n = static_cast<int>(lines.size());
            // Backwards first: the far end is added up once, then every question is answered from the sums.
            for (int i = n; i >= 0; --i) {
                const TSongPoint want = GetLinePosition(lines, i, c);
                const TSongPoint got = index.PointOfLine(i, n, lineAt);
                EXPECT_EQ(std::tie(got.Tick, got.Bar, got.Beat, got.BeatTick, got.Ms, got.Hundredths, got.Seconds,
                                   got.Minutes, got.Hours),
                          std::tie(want.Tick, want.Bar, want.Beat, want.BeatTick, want.Ms, want.Hundredths,
                                   want.Seconds, want.Minutes, want.Hours))
                    << what << ", line " << i << ", " << c.TimeSignature << " at " << c.Tempo;
            }
        };
        expectSame("as loaded");
        EXPECT_EQ(asked, static_cast<int>(lines.size()));
        for (const Edit &e : edits) {
            const int from = e.apply(lines);
            index.LinesChangedFrom(from);
            asked = 0;
            expectSame(e.what);
            EXPECT_EQ(asked, static_cast<int>(lines.size()) - from) << e.what;
        }
        // Another tempo and signature: the lines' ticks stay, their bars and times follow.
        lines = start;
        index.LinesChangedFrom(0);
        expectSame("reloaded");
        index.SetConductor(waltz);
        asked = 0;
        const TSongPoint p = index.PointOfLine(7, static_cast<int>(lines.size()), lineAt);
        EXPECT_EQ(asked, 0);
        EXPECT_EQ(p.Ms, GetLinePosition(lines, 7, waltz).Ms);
        EXPECT_EQ(p.Bar, GetLinePosition(lines, 7, waltz).Bar);
        index.SetConductor(c);
    }
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
    const std::pair<int, const char *> cases[] = {{60, "C"},  {0, "C"},   {70, "A#"}, {-1, "?"},
                                                  {-12, "C"}, {-13, "?"}, {127, "G"}, {71, "B"}};
    for (const auto &[n, name] : cases)
        EXPECT_EQ(NoteNumberToName(n), name) << n;
}

} // namespace
