#include "midi/MidiPosition.h"
#include "midi/TrackOutputs.h"
#include "platform/TestDoubles.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

namespace {

void AddTempo(TMidiData &d, int32_t tick, uint32_t microseconds) {
    d.GetTrack(0)->InsertMetaEvent(
        tick, midi::kMetaTempo,
        std::vector<uint8_t>{uint8_t(microseconds >> 16), uint8_t(microseconds >> 8), uint8_t(microseconds)});
}

void AddSignature(TMidiData &d, int32_t tick, uint8_t numerator, uint8_t power) {
    d.GetTrack(0)->InsertMetaEvent(tick, midi::kMetaTimeSignature, std::vector<uint8_t>{numerator, power, 24, 8});
}

std::tuple<int64_t, int, int64_t> BBT(const TMidiPosition &p) { return {p.Bar(), p.Beat(), p.BeatTick()}; }

class PositionTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.SetPPQN(192);
        data.AddTrack(1);
        AddTempo(data, 0, 500000);
        AddSignature(data, 0, 4, 2);
        pos.SetMidiData(&data);
    }
    TMidiData data;
    TMidiPosition pos;
};

TEST_F(PositionTest, TicksToBarsAndMilliseconds) {
    pos.SetTick(768);
    EXPECT_EQ(BBT(pos), std::make_tuple(int64_t{1}, 0, int64_t{0}));
    EXPECT_EQ(pos.Time(), 2000);
    pos.SetTime(2250);
    EXPECT_EQ(pos.Tick(), 864);
    EXPECT_EQ(BBT(pos), std::make_tuple(int64_t{1}, 0, int64_t{96}));
    pos.SetBarBeatTick(2, 1, 0);
    EXPECT_EQ(pos.Tick(), 768 * 2 + 192);
    EXPECT_EQ(pos.Time(), 4500);
}

TEST_F(PositionTest, PartialBarBeforeASignatureChangeCountsWhole) {
    AddSignature(data, 288, 3, 2);
    pos.SetTick(288);
    EXPECT_EQ(pos.Bar(), 1);
    EXPECT_EQ(pos.Beat(), 0);
    pos.SetTick(864);
    EXPECT_EQ(pos.Bar(), 2);
    EXPECT_EQ(pos.Numerator(), 3);
    pos.SetBarBeatTick(1, 4, 0); // beat 4 of a 3/4 bar is the second beat of the next bar
    EXPECT_EQ(pos.Tick(), 288 + 4 * 192);
    EXPECT_EQ(BBT(pos), std::make_tuple(int64_t{2}, 1, int64_t{0}));
}

TEST_F(PositionTest, TempoChangesAreIntegratedInMicroseconds) {
    AddTempo(data, 384, 333333); // after 1 s
    pos.SetTick(384 + 192);
    EXPECT_EQ(pos.Tempo(), 333); // milliseconds for the displays, rounded down
    EXPECT_EQ(pos.TempoUs(), 333333);
    EXPECT_EQ(pos.TimeUs(), 1'333'333);
    EXPECT_EQ(pos.Time(), 1000 + 333);
    // Tick 768 lies at 1,666,666 us: a time reaches the last tick whose time is not after it.
    pos.SetTime(1000 + 666);
    EXPECT_EQ(pos.Tick(), 384 + 383);
    pos.SetTimeUs(1'666'666);
    EXPECT_EQ(pos.Tick(), 384 + 384);
    EXPECT_EQ(pos.TimeUsAt(384 + 384 + 1), 1'666'666 + 1736); // 1,736.1 us a tick
    pos.SetTick(100);                                         // backward: from the start again
    EXPECT_EQ(pos.Tempo(), 500);
    EXPECT_EQ(pos.Time(), 100 * 500 / 192);
}

TEST_F(PositionTest, BadConductorEventsAreIgnored) {
    AddSignature(data, 0, 0, 2);                                    // no beats
    AddSignature(data, 0, 4, 10);                                   // a beat shorter than one tick at 192
    data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, "\x01"); // tempo needs three bytes
    AddTempo(data, 0, 500);                                         // half a millisecond a quarter
    // A signature needs numerator and denominator; a tempo exactly three bytes.
    data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTimeSignature, std::vector<uint8_t>{3});
    data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, std::vector<uint8_t>{0x0F, 0x42, 0x40, 0x00});
    pos.SetTick(192 * 4);
    EXPECT_EQ(pos.Numerator(), 4);
    EXPECT_EQ(pos.DenominatorPower(), 2);
    EXPECT_EQ(pos.Tempo(), 1); // shown as at least 1 ms
    EXPECT_EQ(pos.TempoUs(), 500);
    EXPECT_EQ(pos.Time(), 2);
    EXPECT_EQ(pos.Bar(), 1);
}

TEST_F(PositionTest, NegativeTargetsChangeNothing) {
    AddSignature(data, 768, 3, 2);
    pos.SetTick(1000);
    const auto before = std::make_tuple(pos.Tick(), pos.Time(), pos.Bar(), pos.SigBars());
    pos.SetBarBeatTick(-1, 0, 0);
    EXPECT_EQ(std::make_tuple(pos.Tick(), pos.Time(), pos.Bar(), pos.SigBars()), before);
    pos.SetTick(-5);
    EXPECT_EQ(pos.Tick(), 0); // reset to the start, moved nowhere else
}

TEST_F(PositionTest, SongChangedBehindThePositionIsFollowed) {
    pos.SetTick(192 * 4);
    EXPECT_EQ(pos.Time(), 2000);
    AddTempo(data, 0, 1000000); // the second tempo at tick 0 wins
    pos.SetTick(192 * 8);
    EXPECT_EQ(pos.Time(), 8000);
    data.SetPPQN(96);
    pos.SetTick(192 * 8);
    EXPECT_EQ(pos.Time(), 16000);
    EXPECT_EQ(pos.PPQN(), 96);
}

TEST_F(PositionTest, EndTickIsTheLastChannelMessage) {
    data.GetTrack(1)->InsertEvent(700, 0x90, 60, 100);
    data.GetTrack(1)->InsertEvent(900, 0x80, 60, 0);
    data.GetTrack(1)->InsertMetaEvent(5000, midi::kMetaText, "late text");
    EXPECT_EQ(pos.GetEndTick(), 900);
    pos.MoveToEnd();
    EXPECT_EQ(pos.Tick(), 900);
}

TEST(Position, WithoutSongDefaults) {
    TMidiPosition p;
    EXPECT_EQ(p.PPQN(), 180);
    EXPECT_EQ(p.Tempo(), 600);
    EXPECT_EQ(p.Numerator(), 4);
    p.SetTime(1000);
    EXPECT_EQ(p.Time(), 1000);
    EXPECT_EQ(p.Tick(), 0);
    p.SetTick(720 * 2 + 180);
    EXPECT_EQ(BBT(p), std::make_tuple(int64_t{2}, 1, int64_t{0}));
    EXPECT_EQ(p.Time(), 9 * 600);
}

class IteratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.SetPPQN(192);
        data.AddTrack(1);
        TMidiTrackStream *t = data.GetTrack(1);
        t->SetPatch(5);
        t->InsertEvent(0, 0x90, 60, 100);
        t->InsertEvent(100, 0xB0, 7, 50);
        t->InsertEvent(192, 0x80, 60, 0);
        t->InsertEvent(300, 0xB0, 10, 20);
        t->InsertEvent(400, 0x90, 62, 100);
        t->InsertEvent(500, 0x80, 62, 0);
        outputs.SetSysexLatency(0);
        outputs.SetMidiData(&data);
        outputs.SetActive(true);
        it.SetMidiData(&data);
        it.SetTrackOutputs(&outputs);
    }
    std::vector<std::array<int, 3>> Sent() {
        std::vector<std::array<int, 3>> out;
        for (auto &m : system.Messages())
            out.push_back({m.status, m.data1, m.data2});
        system.Clear();
        return out;
    }
    platform::RecordingMidiOutSystem system;
    TPhysicalPortList ports{system};
    TMidiData data;
    TTrackOutputs outputs{ports};
    TMidiIterator it;
};

using Sent3 = std::vector<std::array<int, 3>>;

TEST_F(IteratorTest, PlaysNotesAndChasesOnlyControllersWhenSeeking) {
    EXPECT_EQ(Sent(), (Sent3{{0xC0, 5, 0}}));
    it.AdvanceBy(600); // 600 ms per quarter without a tempo: tick 192
    EXPECT_EQ(it.Tick(), 192);
    // Playing sends what lies at exactly the new tick too.
    EXPECT_EQ(Sent(), (Sent3{{0xC0, 5, 0}, {0x90, 60, 100}, {0xB0, 7, 50}, {0x80, 60, 0}}));
    it.SetTick(300); // a seek leaves what lies at exactly the new tick to the next move
    EXPECT_TRUE(Sent().empty());
    it.SetTick(450); // and passes the note-on at 400 without sounding it
    EXPECT_EQ(Sent(), (Sent3{{0xB0, 10, 20}}));
    EXPECT_FALSE(it.End());
    it.AdvanceBy(1000);
    EXPECT_EQ(Sent(), (Sent3{{0x80, 62, 0}}));
    EXPECT_TRUE(it.End());
    // Backward: from the start again. Every output sends its track's program where the
    // device has another (the conductor track's program 0 on channel 0 first), then the
    // program change and controller before tick 150 are chased.
    it.SetTick(150);
    EXPECT_EQ(Sent(), (Sent3{{0xC0, 0, 0}, {0xC0, 5, 0}, {0xC0, 5, 0}, {0xB0, 7, 50}}));
    EXPECT_FALSE(it.End());
}

TEST_F(IteratorTest, ConductorChangeBehindItIsFollowedWithoutResending) {
    it.AdvanceBy(150); // tick 48
    Sent();
    // A tempo of 1,000 ms per quarter now lies behind the iterator: it follows it from here
    // on, but rewinds nothing and sends nothing again.
    data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, std::vector<uint8_t>{0x0F, 0x42, 0x40});
    it.SetTick(200);
    EXPECT_EQ(Sent(), (Sent3{{0xB0, 7, 50}}));
    EXPECT_EQ(it.Time(), 200 * 1000 / 192);
}

TEST_F(IteratorTest, PlayingOnAfterAConductorChangeStartsFromTheNewTime) {
    it.AdvanceBy(150); // tick 48, 150 ms at 600 ms per quarter
    Sent();
    data.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, std::vector<uint8_t>{0x0F, 0x42, 0x40});
    // Tick 48 is now 250 ms in; 100 ms more of playing reach tick 350 * 192 / 1000.
    it.AdvanceBy(100);
    EXPECT_EQ(it.Time(), 350);
    EXPECT_EQ(it.Tick(), 67);
    EXPECT_TRUE(Sent().empty()); // nothing due yet, nothing sent again
}

TEST_F(IteratorTest, MutedTrackSendsNoNotesAndOnEventSeesWhatIsSent) {
    outputs.GetOutput(1)->Muted = true;
    std::vector<std::pair<int, int>> seen;
    outputs.OnEvent = [&](TTrackOutputs &, int track, uint8_t status) { seen.push_back({track, status}); };
    Sent();
    it.AdvanceBy(2000);
    EXPECT_EQ(Sent(), (Sent3{{0xC0, 5, 0}, {0xB0, 7, 50}, {0xB0, 10, 20}}));
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 0xC0}, {1, 0xB0}, {1, 0xB0}}));
}

} // namespace
