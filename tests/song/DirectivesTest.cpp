#include "song/Directives.h"
#include "song/GMProgramNames.h"

#include <gtest/gtest.h>

namespace {

TLineContext Tab() {
    TLineContext c = MakeLineContext(DefaultInstrumentTab(6), 90);
    c.Volume = 100;
    c.Channel = 5;
    return c;
}

TEST(Directives, Recognition) {
    // clang-format off
    const std::tuple<const char *, const char *, bool> cases[] = {
        {"*Tempo 90", "TEMPO", true},     {"* TEMPO 100", "TEMPO", true},  {"  *tempo", "tempo", true},
        {"*TEMPO100", "TEMPO", false},    {"*x TEMPO 100", "TEMPO", false}, {"TEMPO 100", "TEMPO", false},
        {"", "TEMPO", false},             {"*Tempo 90", "VOLUME", false},   {"*Volume 90", " volume ", true},
        {"*** Bar 3 ***", "BAR", false},
    };
    // clang-format on
    for (const auto &[line, keyword, expected] : cases)
        EXPECT_EQ(IsDirective(line, keyword), expected) << line << " / " << keyword;
    EXPECT_EQ(FindDirective("*instrument 5"), TDirective::Instrument);
    EXPECT_EQ(FindDirective("*** Bar 3 ***"), std::nullopt);
    EXPECT_EQ(FindDirective("C, x, Q"), std::nullopt);
}

struct ValueCase {
    const char *line;
    int value;
};

TEST(Directives, ValuesRangesAndFallbacks) {
    // clang-format off
    const ValueCase cases[] = {
        // tempo: the song's tempo (90) when empty or no integer, clamped to 1..500
        {"*Tempo", 90}, {"*Tempo 0", 1}, {"*Tempo -5", 1}, {"*Tempo 900", 500}, {"*Tempo fast", 90},
        {"*Tempo 140", 140}, {"*tempo   $50", 80},
        // volume: 1..127, else the tab's volume
        {"*Volume 0", 100}, {"*Volume 128", 100}, {"*Volume 127", 127}, {"*Volume", 100}, {"*Volume loud", 100},
        // channel: 1..16 stored 0-based, else the tab's channel
        {"*Channel 16", 15}, {"*Channel 1", 0}, {"*Channel 0", 5}, {"*Channel 17", 5},
        // balance
        {"*Balance 200", 64}, {"*Balance 0", 0}, {"*Balance left", 26}, {"*Balance Left / Center", 64},
        {"*Balance left/center", 56}, {"*Balance FULL RIGHT", 127}, {"*Balance right/center", 74},
        {"*Balance full left", 0}, {"*Balance right", 102}, {"*Balance center", 64}, {"*Balance", 64},
        // instrument
        {"*Instrument 200", 0}, {"*Instrument 40", 40}, {"*Instrument fx 3", 98}, {"*Instrument FX8", 103},
        {"*Instrument lead 1", 80}, {"*Instrument PAD8", 95}, {"*Instrument fx 9", 0},
        {"*Instrument banjo", 105}, {"*Instrument Acoustic Bass", 32}, {"*Instrument accordian", 21},
        {"*Instrument ukulele", 24}, {"*Instrument electric", 27}, {"*Instrument strings", 48},
        {"*Instrument Gunshot", 127}, {"*Instrument acoustic grand", 0}, {"*Instrument kazoo", 0},
        {"*Instrument 5-string banjo", 105}, {"*Instrument sax", 66}, {"*Instrument organ", 19},
        // delay: -192..192 at 192 pulses per quarter
        {"*Delay 300", 0}, {"*Delay -192", -192}, {"*Delay 192", 192}, {"*Delay soon", 0},
        // transpose
        {"*Transpose -30", -24}, {"*Transpose 24", 24}, {"*Transpose 23", 23}, {"*Transpose -24", -24},
        {"*Transpose up", 0}, {"*Transpose", 0},
    };
    // clang-format on
    for (const auto &c : cases) {
        const auto d = ReadDirective(c.line, Tab());
        ASSERT_TRUE(d) << c.line;
        EXPECT_EQ(d->Value, c.value) << c.line;
    }
}

TEST(Directives, TempoFallbackNeverZero) {
    TLineContext c = Tab();
    c.Tempo = 0;
    EXPECT_EQ(GetTempoValue("*Tempo", c), 120);
    c.Tempo = 5000;
    EXPECT_EQ(GetTempoValue("*Tempo x", c), 500);
}

TEST(GMProgramNames, Table) {
    EXPECT_EQ(GMProgramName(0), "  1 Acoustic Grand");
    EXPECT_EQ(GMProgramName(127), "128 Gunshot");
    EXPECT_EQ(GMProgramName(128), "");
    EXPECT_EQ(GMProgramName(-1), "");
    EXPECT_EQ(GMProgramName(21), " 22 Accordian");
    // Every name leads back to its own program, except the short words the directive checks first.
    for (int i = 0; i < 128; ++i) {
        const auto p = InstrumentFromName(GMProgramShortName(i));
        ASSERT_TRUE(p) << i;
        EXPECT_EQ(*p, i) << GMProgramName(i);
    }
}

} // namespace
