#include "midi/MidiData.h"
#include "midi/MidiTrackStream.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// The body of the single MTrk chunk a track writes (after "MTrk" and the length).
Bytes TrackBody(const TMidiTrackStream &t) {
    Bytes out;
    t.SaveToStream(out);
    EXPECT_GE(out.size(), 8u);
    EXPECT_EQ(std::string(out.begin(), out.begin() + 4), "MTrk");
    const uint32_t len = uint32_t(out[4]) << 24 | uint32_t(out[5]) << 16 | uint32_t(out[6]) << 8 | out[7];
    EXPECT_EQ(len, out.size() - 8);
    return Bytes(out.begin() + 8, out.end());
}

struct Brief {
    int32_t time;
    uint8_t status;
    int metaType;
    bool operator==(const Brief &) const = default;
};

std::vector<Brief> Summary(const TMidiTrackStream &t) {
    std::vector<Brief> out;
    for (int i = 0; i < t.EventCount(); ++i) {
        const TMidiEvent *e = t.GetEvent(i);
        out.push_back({e->Time, e->Status, e->MetaType()});
    }
    return out;
}

TEST(TrackStream, FreshTrackHoldsNameThenEndOfTrack) {
    TMidiTrackStream t;
    t.Init();
    EXPECT_EQ(Summary(t), (std::vector<Brief>{{0, 0xFF, 0x03}, {0, 0xFF, 0x2F}}));
    EXPECT_EQ(TrackBody(t), (Bytes{0x00, 0xFF, 0x03, 0x00, 0x00, 0xFF, 0x2F, 0x00}));

    t.InsertEvent(480, 0x90, 60, 100);
    EXPECT_EQ(Summary(t), (std::vector<Brief>{{0, 0xFF, 3}, {480, 0x90, -1}, {480, 0xFF, 0x2F}}));

    t.ClearModified();
    t.SetTrackName("Bass");
    EXPECT_TRUE(t.Modified());
    EXPECT_EQ(t.GetTrackName(), "Bass");
    EXPECT_EQ(t.EventCount(), 3); // the name event is rewritten, not added
}

TEST(TrackStream, EqualTicksKeepInsertionOrderInAnyInsertionOrder) {
    TMidiTrackStream t;
    t.Init();
    t.InsertEvent(100, 0x90, 1, 1);
    t.InsertEvent(50, 0x90, 2, 1);
    t.InsertEvent(100, 0x90, 3, 1);
    t.InsertEvent(50, 0x90, 4, 1);
    ASSERT_EQ(t.GetEvent(1)->Data1, 2); // read in between: the pending events are merged
    t.InsertEvent(50, 0x90, 5, 1);
    t.InsertEvent(0, 0x90, 6, 1);
    std::vector<int> notes;
    for (int i = 0; i < t.EventCount(); ++i)
        if (t.GetEvent(i)->IsChannelMessage())
            notes.push_back(t.GetEvent(i)->Data1);
    EXPECT_EQ(notes, (std::vector<int>{6, 2, 4, 5, 1, 3}));
    EXPECT_EQ(t.GetEvent(0)->MetaType(), 3);
    EXPECT_TRUE(t.GetEvent(t.EventCount() - 1)->IsEndOfTrack());
    EXPECT_EQ(t.GetEvent(t.EventCount() - 1)->Time, 100);
}

TEST(TrackStream, NegativeTickIsClampedBehindTheName) {
    TMidiTrackStream t;
    t.Init();
    t.SetTrackName("Piano");
    t.InsertEvent(-50, 0xB0, 7, 100);
    EXPECT_EQ(t.GetEvent(0)->MetaType(), 3);
    EXPECT_EQ(t.GetEvent(1)->Time, 0);
    EXPECT_EQ(t.GetTrackName(), "Piano");
    EXPECT_EQ(t.NameEventIndex(), 0);
}

TEST(TrackStream, IndexOfTimeModes) {
    TMidiTrackStream t;
    t.Init(); // name 0, EOT
    t.InsertEvent(10, 0x90, 1, 1);
    t.InsertEvent(10, 0x90, 2, 1);
    t.InsertEvent(20, 0x90, 3, 1); // [name0, a10, b10, c20, eot20]
    EXPECT_EQ(t.IndexOfTime(10, 0), 1);
    EXPECT_EQ(t.IndexOfTime(10, 1), 2);
    EXPECT_EQ(t.IndexOfTime(15, 0), 3);
    EXPECT_EQ(t.IndexOfTime(20, 1), 4);
    EXPECT_EQ(t.IndexOfTime(21, 0), -1);
    EXPECT_EQ(t.GetEvent(5), nullptr);
    EXPECT_EQ(t.GetEvent(-1), nullptr);
}

TEST(TrackStream, FullTrackRefusesAndStaysUnchanged) {
    TMidiTrackStream t(4);
    t.Init();
    t.InsertEvent(10, 0x90, 60, 100);
    t.InsertEvent(20, 0x80, 60, 0);
    const Bytes before = TrackBody(t);
    try {
        t.InsertEvent(500, 0x90, 62, 100);
        FAIL() << "no exception";
    } catch (const EVirtualMemory &e) {
        EXPECT_STREQ(e.what(), "Size exceeds capacity");
    }
    EXPECT_EQ(t.EventCount(), 4);
    EXPECT_EQ(TrackBody(t), before); // the End of Track did not move to 500
}

TEST(TrackStream, TrackWithoutEndOfTrackRefusesAnEventAfterItsLast) {
    TMidiTrackStream t; // never initialised: nothing keeps room at its end
    t.InsertEvent(10, 0x90, 60, 100);
    t.InsertEvent(10, 0x90, 64, 100); // at the final record's tick: just before it
    try {
        t.InsertEvent(11, 0x80, 60, 0);
        FAIL() << "no exception";
    } catch (const EMidiTrackStream &e) {
        EXPECT_STREQ(e.what(), "System error inserting event");
    }
    ASSERT_EQ(t.EventCount(), 2);
    EXPECT_EQ(t.GetEvent(0)->Data1, 64);
    EXPECT_EQ(t.GetEvent(1)->Data1, 60);
}

TEST(TrackStream, SetPatchRewritesOrInserts) {
    TMidiTrackStream t;
    t.Init();
    t.SetChannel(2);
    t.SetPatch(0);
    EXPECT_EQ(t.EventCount(), 2);
    t.SetPatch(5);
    ASSERT_EQ(t.EventCount(), 3);
    EXPECT_EQ(t.GetEvent(1)->Status, 0xC2);
    EXPECT_EQ(t.GetEvent(1)->Data1, 5);
    t.SetPatch(7);
    EXPECT_EQ(t.EventCount(), 3);
    EXPECT_EQ(t.GetEvent(1)->Data1, 7);
    t.SetPatch(200); // out of range: ignored
    EXPECT_EQ(t.Program(), 7);

    TMidiTrackStream u;
    u.Init();
    u.InsertEvent(0, 0x90, 60, 100);
    u.InsertEvent(0, 0xC0, 3, 0); // behind a note: not rewritten
    u.SetPatch(9);
    int programs = 0;
    for (int i = 0; i < u.EventCount(); ++i)
        if ((u.GetEvent(i)->Status & 0xF0) == 0xC0)
            ++programs;
    EXPECT_EQ(programs, 2);
}

TEST(TrackStream, SetChannelMasksAndMovesEveryChannelMessage) {
    TMidiTrackStream t;
    t.Init();
    t.InsertEvent(0, 0x90, 60, 100);
    t.InsertEvent(10, 0xE0, 0, 64);
    t.SetChannel(0x13);
    EXPECT_EQ(t.Channel(), 3);
    EXPECT_EQ(t.GetEvent(1)->Status, 0x93);
    EXPECT_EQ(t.GetEvent(2)->Status, 0xE3);
    EXPECT_EQ(t.GetEvent(3)->Status, 0xFF);
}

TEST(TrackStream, PairingKeepsFiveOpenNotesLastInFirstOut) {
    TMidiTrackStream t;
    t.Init();
    // Out of order, so the pairing is stale and is redone when asked.
    for (int i = 0; i < 7; ++i)
        t.InsertEvent(100 + i, 0x80, 60, 0);
    for (int i = 0; i < 7; ++i)
        t.InsertEvent(i, 0x90, 60, 100);
    // [name, on0..on6 (1..7), off0..off6 (8..14), eot]
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(t.PartnerOf(1 + k), 8 + 4 - k) << k;
        EXPECT_EQ(t.PartnerOf(8 + 4 - k), 1 + k) << k;
    }
    EXPECT_EQ(t.PartnerOf(6), -1);
    EXPECT_EQ(t.PartnerOf(7), -1);
    EXPECT_EQ(t.PartnerOf(13), -1);
    EXPECT_EQ(t.PartnerOf(14), -1);
}

TEST(TrackStream, PartnerOfPairsNotesWhateverTheInsertOrder) {
    // Three notes 60 of 90 ticks and one note 62 of 10 ticks, inserted in time order (all
    // appends), backwards, and interleaved.
    struct Ev {
        int32_t tick;
        uint8_t status;
        uint8_t note;
    };
    const std::vector<Ev> timeOrder = {{0, 0x90, 60},   {50, 0x90, 62},  {60, 0x80, 62},  {90, 0x80, 60},
                                       {100, 0x90, 60}, {190, 0x80, 60}, {200, 0x90, 60}, {290, 0x80, 60}};
    std::vector<Ev> backwards(timeOrder.rbegin(), timeOrder.rend());
    std::vector<Ev> interleaved = {timeOrder[0], timeOrder[4], timeOrder[3], timeOrder[7],
                                   timeOrder[1], timeOrder[6], timeOrder[2], timeOrder[5]};
    // Every note event is linked both ways to the other end of its own note.
    auto checkPairs = [](TMidiTrackStream &t, const char *what) {
        int notes = 0;
        for (int i = 0; i < t.EventCount(); ++i) {
            const TMidiEvent e = *t.GetEvent(i);
            if (!e.IsNote())
                continue;
            ++notes;
            const int p = t.PartnerOf(i);
            ASSERT_GE(p, 0) << what << " event " << i;
            EXPECT_EQ(t.PartnerOf(p), i) << what;
            const TMidiEvent &q = *t.GetEvent(p);
            EXPECT_EQ(q.Data1, e.Data1) << what;
            EXPECT_NE(q.IsNoteOn(), e.IsNoteOn()) << what;
            EXPECT_EQ(std::abs(q.Time - e.Time), e.Data1 == 60 ? 90 : 10) << what << " event " << i;
        }
        EXPECT_GT(notes, 0) << what;
    };
    for (const auto &[what, order] : {std::pair{"time order", timeOrder}, std::pair{"backwards", backwards},
                                      std::pair{"interleaved", interleaved}}) {
        TMidiTrackStream t;
        t.Init();
        for (const Ev &e : order)
            t.InsertEvent(e.tick, e.status, e.note, e.status == 0x90 ? 100 : 0);
        checkPairs(t, what);
        // Paired once, the track grows at its end and at its start: the links follow.
        t.InsertEvent(300, 0x90, 62, 100);
        t.InsertEvent(310, 0x80, 62, 0);
        t.InsertEvent(0, 0xB0, 7, 100);
        checkPairs(t, what);
    }
}

TEST(TrackStreamWriter, RunningStatusAndDeltas) {
    TMidiTrackStream t;
    t.Init();
    t.InsertEvent(0, 0x90, 60, 100);
    t.InsertEvent(128, 0x90, 62, 100);
    t.InsertMetaEvent(128, 0x01, "x");
    t.InsertEvent(128, 0x90, 64, 100);
    t.InsertEvent(128, 0xC0, 5, 0);
    t.InsertEvent(0x3FFF + 128, 0x80, 64, 0);
    EXPECT_EQ(TrackBody(t), (Bytes{0x00, 0xFF, 0x03, 0x00,      // empty name
                                   0x00, 0x90, 60,   100,       // note-on with status
                                   0x81, 0x00, 62,   100,       // delta 128, running status
                                   0x00, 0xFF, 0x01, 0x01, 'x', // meta
                                   0x00, 0x90, 64,   100,       // status repeated after meta
                                   0x00, 0xC0, 5,               // one data byte
                                   0xFF, 0x7F, 0x80, 64,   0,   // delta 16383
                                   0x00, 0xFF, 0x2F, 0x00}));
}

TEST(TrackStreamWriter, LeavesOutWhatCannotBeWritten) {
    TMidiTrackStream t;
    t.Init();
    t.InsertEvent(10, 0x90, 200, 100); // data byte above 127: dropped, its delta carried on
    t.InsertEvent(20, 0x90, 60, 128);
    t.InsertEvent(30, 0x90, 61, 90);
    TMidiEvent sysex;
    sysex.Status = 0xF0;
    sysex.Block = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
    t.InsertEvent(30, sysex);
    EXPECT_EQ(TrackBody(t), (Bytes{0x00, 0xFF, 0x03, 0x00, 30,   0x90, 61,   90,   0x00, 0xF0,
                                   0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x00, 0xFF, 0x2F, 0x00}));
}

TEST(TrackStreamWriter, EventMovedEarlierThroughItsPointerGetsDeltaZero) {
    TMidiTrackStream t;
    t.Init();
    t.InsertEvent(100, 0x90, 60, 1);
    t.InsertEvent(200, 0x80, 60, 0);
    t.GetEvent(2)->Time = 50; // now behind the event before it
    EXPECT_EQ(TrackBody(t),
              (Bytes{0x00, 0xFF, 0x03, 0x00, 0x64, 0x90, 60, 1, 0x00, 0x80, 60, 0, 0x64, 0xFF, 0x2F, 0x00}));
}

TEST(TrackStreamWriter, LargestTickFitsFourBytes) {
    TMidiTrackStream t;
    t.Init();
    t.InsertEvent(INT32_MAX, 0x90, 60, 1);
    const Bytes body = TrackBody(t);
    EXPECT_EQ(Bytes(body.begin() + 4, body.begin() + 11), (Bytes{0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1}));
}

TEST(MidiData, AddTrackCreatesTheConductorFirst) {
    TMidiData d;
    EXPECT_TRUE(d.AddTrack(1));
    EXPECT_EQ(d.GetTrackCount(), 2);
    EXPECT_FALSE(d.AddTrack(1));
    EXPECT_EQ(d.GetTrackCount(), 3);
    EXPECT_EQ(d.GetTrack(3), nullptr);
    const Bytes file = d.SaveToBytes();
    EXPECT_EQ(file[10], 0);
    EXPECT_EQ(file[11], 3); // header track count follows the list
}

TEST(MidiData, EmptySongAndDivision) {
    TMidiData d;
    d.New();
    EXPECT_EQ(d.SaveToBytes(), (Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 0, 0, 0xB4}));
    d.SetPPQN(192);
    d.AddTrack(0);
    const Bytes file = d.SaveToBytes();
    EXPECT_EQ(file[12], 0x00);
    EXPECT_EQ(file[13], 0xC0);
    EXPECT_EQ(Bytes(file.begin() + 14, file.end()),
              (Bytes{'M', 'T', 'r', 'k', 0, 0, 0, 8, 0x00, 0xFF, 0x03, 0x00, 0x00, 0xFF, 0x2F, 0x00}));
    d.Clear();
    EXPECT_EQ(d.GetPPQN(), 180);
    EXPECT_EQ(d.GetTrackCount(), 0);
}

TEST(MidiData, RevisionFollowsConductorChangesOnly) {
    TMidiData d;
    d.AddTrack(1);
    const uint64_t r0 = d.Revision();
    d.GetTrack(1)->InsertEvent(10, 0x90, 60, 100);
    EXPECT_EQ(d.Revision(), r0);
    d.GetTrack(0)->InsertMetaEvent(0, 0x51, Bytes{0x07, 0xA1, 0x20});
    EXPECT_GT(d.Revision(), r0);
}

} // namespace
