// Where the embedded synthesizer places timed messages: frames of nanoseconds, the order
// of its queue, and the audio stream's clock.
#include "platform/FluidSynthOut.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform::synth_timing;

namespace {

SynthMessage Msg(int64_t frame, uint8_t status, uint8_t data1 = 60, uint8_t data2 = 100) {
    return {frame, status, data1, data2, false};
}
SynthMessage ResetAt(int64_t frame) { return {frame, 0, 0, 0, true}; }

} // namespace

TEST(SynthTiming, FramesOfNanosecondsRoundToTheNearestFrame) {
    const struct {
        int64_t ns;
        int rate;
        int64_t frames;
    } cases[] = {
        {0, 44100, 0},
        {1'000'000'000, 44100, 44100},
        {11'337, 44100, 0}, // 0.49996 of a frame
        {11'338, 44100, 1}, // 0.50001
        {-11'338, 44100, -1},
        {-1'000'000'000, 44100, -44100},
        {1'500'000'000, 48000, 72000},
        {259'200'000'000'000, 44100, 11'430'720'000}, // three days, no overflow
    };
    for (const auto &c : cases)
        EXPECT_EQ(FramesInNs(c.ns, c.rate), c.frames) << c.ns << " ns at " << c.rate;
}

// Messages are sent in the order of each case's list; the queue ends as listed.
TEST(SynthTiming, QueueKeepsFrameOrderWithoutReorderingWhatDependsOnEachOther) {
    struct Case {
        const char *what;
        int64_t floor;
        std::vector<SynthMessage> sent;
        std::vector<SynthMessage> queued;
    };
    // clang-format off
    const Case cases[] = {
        {"stamps out of order are sorted, equal frames keep the sending order", 0,
         {Msg(300, 0x90, 60), Msg(100, 0x91, 62), Msg(300, 0x92, 64), Msg(200, 0x93, 65)},
         {Msg(100, 0x91, 62), Msg(200, 0x93, 65), Msg(300, 0x90, 60), Msg(300, 0x92, 64)}},
        {"a frame already rendered gives the first one not rendered", 500, {Msg(100, 0x90)}, {Msg(500, 0x90)}},
        {"a note-off never passes the note-on of its key", 0, {Msg(300, 0x90, 60), Msg(250, 0x80, 60, 0)},
         {Msg(300, 0x90, 60), Msg(300, 0x80, 60, 0)}},
        {"a note-on never passes the note-off of its key", 0, {Msg(300, 0x80, 60, 0), Msg(200, 0x90, 60)},
         {Msg(300, 0x80, 60, 0), Msg(300, 0x90, 60)}},
        {"key pressure stays after its note", 0, {Msg(300, 0x90, 60), Msg(250, 0xA0, 60, 30)},
         {Msg(300, 0x90, 60), Msg(300, 0xA0, 60, 30)}},
        {"notes of other keys pass", 0, {Msg(300, 0x90, 60), Msg(250, 0x80, 61, 0)},
         {Msg(250, 0x80, 61, 0), Msg(300, 0x90, 60)}},
        {"other channels pass a program change", 0, {Msg(300, 0xC0, 5, 0), Msg(100, 0x91, 60)},
         {Msg(100, 0x91, 60), Msg(300, 0xC0, 5, 0)}},
        {"a program change holds back the notes of its channel", 0, {Msg(300, 0xC0, 5, 0), Msg(100, 0x90, 60)},
         {Msg(300, 0xC0, 5, 0), Msg(300, 0x90, 60)}},
        {"a note holds back a controller of its channel", 0, {Msg(300, 0x90, 60), Msg(100, 0xB0, 64, 127)},
         {Msg(300, 0x90, 60), Msg(300, 0xB0, 64, 127)}},
        {"a reset holds back everything", 0, {ResetAt(300), Msg(100, 0x95, 40)}, {ResetAt(300), Msg(300, 0x95, 40)}},
        {"a reset passes nothing", 0, {Msg(300, 0x95, 40), ResetAt(100)}, {Msg(300, 0x95, 40), ResetAt(300)}},
        {"the latest message it depends on counts", 0,
         {Msg(100, 0x90, 60), Msg(300, 0x80, 60, 0), Msg(200, 0x90, 60)},
         {Msg(100, 0x90, 60), Msg(300, 0x80, 60, 0), Msg(300, 0x90, 60)}},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SynthQueue queue;
        for (const SynthMessage &m : c.sent)
            queue.Place(m, c.floor);
        EXPECT_EQ(queue.Messages(), c.queued);
    }
}

TEST(SynthTiming, QueueHandsOverMessagesBeforeAFrameInOrder) {
    SynthQueue queue;
    EXPECT_EQ(queue.Place(Msg(200, 0x90, 1), 0), 200);
    EXPECT_EQ(queue.Place(Msg(100, 0x91, 2), 0), 100);
    EXPECT_EQ(queue.Place(Msg(200, 0x92, 3), 0), 200);
    EXPECT_EQ(queue.Place(Msg(300, 0x93, 4), 0), 300);
    std::vector<SynthMessage> due{Msg(0, 0x99)};
    queue.TakeBefore(200, due);
    EXPECT_EQ(due, (std::vector<SynthMessage>{Msg(100, 0x91, 2)})) << "frame 200 is not before 200; `due` is cleared";
    queue.TakeBefore(301, due);
    EXPECT_EQ(due, (std::vector<SynthMessage>{Msg(200, 0x90, 1), Msg(200, 0x92, 3), Msg(300, 0x93, 4)}));
    EXPECT_TRUE(queue.Messages().empty());
}
