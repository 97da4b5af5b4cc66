#include "song/InstrumentTab.h"
#include "song/SongModel.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int32_t IntAt(const TInstrumentTabRecord &r, size_t at) {
    return static_cast<int32_t>(uint32_t(r[at]) | uint32_t(r[at + 1]) << 8 | uint32_t(r[at + 2]) << 16 |
                                uint32_t(r[at + 3]) << 24);
}
std::string StringAt(const TInstrumentTabRecord &r, size_t at) {
    return std::string(reinterpret_cast<const char *>(&r[at + 1]), r[at]);
}

// A tab whose every field holds a distinct value, so a field written at the wrong offset shows.
TInstrumentTab DistinctTab() {
    TInstrumentTab t;
    t.Name = "Name";
    t.Colour = 0x01020304;
    t.Kind = TKind::Mandolin;
    t.SavedCaretLine = 11;
    t.SavedSelFirstLine = 12;
    t.SavedSelLastLine = 13;
    t.SavedHasSelection = true;
    t.SavedTopLine = 14;
    t.DurationCode = 1004;
    for (int i = 0; i < 10; ++i)
        t.Bookmarks[i] = 100 + i;
    t.DefaultPatch = 15;
    t.DefaultPatchName = "DefPatch";
    t.DefaultChannel = 16;
    t.DefaultTuningSpelling = "111111111111";
    t.ChordRoot = "Root";
    t.ChordType = "Type";
    t.ChordPosition = 17;
    t.ChordReach = 18;
    t.ShownScaleKey = "Key";
    t.ShownScale = "Scale";
    t.ShownScaleLowFret = 19;
    t.ShownScaleHighFret = 20;
    t.Patch = 21;
    t.PatchName = "Patch";
    t.Channel = 22;
    t.Volume = 23;
    t.Balance = 24;
    t.Delay = -25;
    t.Transpose = -26;
    t.Bank = 27;
    t.Modified = true;
    t.HighestString = 28;
    t.TuningSpelling = "222222222222";
    t.InitialChordReach = 29;
    t.ShortFifthString = true;
    t.Mute = true;
    t.Solo = true;
    t.FretCursor = 30;
    t.TrackNumber = 31;
    return t;
}

TEST(InstrumentTabRecord, FieldsSitAtTheirOffsets) {
    const TInstrumentTabRecord r = EncodeInstrumentTab(DistinctTab());
    ASSERT_EQ(r.size(), 4288u);
    const std::pair<size_t, int32_t> ints[] = {{256, 0x01020304}, {516, 11},  {520, 12},  {528, 13},   {540, 14},
                                               {544, 1004},       {548, 100}, {584, 109}, {588, 15},   {848, 16},
                                               {3188, 17},        {3192, 18}, {3716, 19}, {3720, 20},  {3724, 21},
                                               {3984, 22},        {3988, 23}, {3992, 24}, {3996, -25}, {4000, -26},
                                               {4004, 27},        {4012, 28}, {4272, 29}, {4280, 30},  {4284, 31}};
    for (const auto &[at, v] : ints)
        EXPECT_EQ(IntAt(r, at), v) << "offset " << at;
    const std::pair<size_t, const char *> strings[] = {
        {0, "Name"},    {260, "Mandolin"}, {592, "DefPatch"}, {852, "111111111111"}, {2676, "Root"},
        {2932, "Type"}, {3204, "Key"},     {3460, "Scale"},   {3728, "Patch"},       {4016, "222222222222"}};
    for (const auto &[at, v] : strings)
        EXPECT_EQ(StringAt(r, at), v) << "offset " << at;
    const std::pair<size_t, uint8_t> bytes[] = {{536, 1}, {4008, 1}, {4276, 1}, {4277, 1}, {4278, 1}};
    for (const auto &[at, v] : bytes)
        EXPECT_EQ(r[at], v) << "offset " << at;
    // Reserved ranges and alignment stay zero.
    const std::pair<size_t, size_t> reserved[] = {{524, 4},     {532, 4},  {537, 3},  {1108, 32},
                                                  {1140, 1536}, {3196, 8}, {4009, 3}, {4279, 1}};
    for (const auto &[at, n] : reserved)
        for (size_t i = 0; i < n; ++i)
            ASSERT_EQ(r[at + i], 0) << "offset " << at + i;
    // So do the bytes after a short string's text.
    for (size_t i = 5; i < 256; ++i)
        ASSERT_EQ(r[i], 0) << "name byte " << i;
}

TEST(InstrumentTabRecord, RoundTripsEveryField) {
    const TInstrumentTab t = DistinctTab();
    TInstrumentTab back;
    EXPECT_TRUE(DecodeInstrumentTab(EncodeInstrumentTab(t), back));
    EXPECT_EQ(back, t);
    for (const TInstrumentTab &d : DefaultInstrumentTabs()) {
        TInstrumentTab b;
        ASSERT_TRUE(DecodeInstrumentTab(EncodeInstrumentTab(d), b));
        EXPECT_EQ(b, d) << d.Name;
    }
}

TEST(InstrumentTabRecord, TextsAreWindows1252OnFileAndCappedAt255Bytes) {
    TInstrumentTab t = DistinctTab();
    t.Name = "Caf\xC3\xA9";              // UTF-8 in memory
    t.PatchName = std::string(300, 'a'); // no cap in memory
    const TInstrumentTabRecord r = EncodeInstrumentTab(t);
    EXPECT_EQ(StringAt(r, 0), "Caf\xE9");
    EXPECT_EQ(r[3728], 255);
    TInstrumentTab back;
    DecodeInstrumentTab(r, back);
    EXPECT_EQ(back.Name, t.Name);
    EXPECT_EQ(back.PatchName, std::string(255, 'a'));
}

TEST(InstrumentTabRecord, BytesAfterAShortStringAreIgnored) {
    TInstrumentTabRecord r = EncodeInstrumentTab(DefaultInstrumentTab(6));
    std::memset(&r[1 + 6], 'Z', 249); // after "Guitar"
    std::memset(&r[260 + 1 + 6], 'Z', 249);
    TInstrumentTab back;
    ASSERT_TRUE(DecodeInstrumentTab(r, back));
    EXPECT_EQ(back, DefaultInstrumentTab(6));
}

TEST(InstrumentTabRecord, UnknownKindKeepsTheTabsKind) {
    TInstrumentTabRecord r = EncodeInstrumentTab(DefaultInstrumentTab(12));
    r[260] = 5;
    std::memcpy(&r[261], "Sitar", 5);
    TInstrumentTab back = DefaultInstrumentTab(12);
    back.Volume = 1;
    EXPECT_FALSE(DecodeInstrumentTab(r, back));
    EXPECT_EQ(back.Kind, TKind::Bass);
    EXPECT_EQ(back.Volume, 0); // the other fields are still read
}

TEST(InstrumentTabDefaults, SixteenTabsAsStartUpCreatesThem) {
    const auto &tabs = DefaultInstrumentTabs();
    const char *names[] = {"Piano",    "Piano 2", "Piano 3",  "Piano 4", "Piano 5", "Guitar",   "Guitar 2", "Guitar 3",
                           "Guitar 4", "Drums",   "Guitar 5", "Bass",    "Banjo",   "Mandolin", "Tenor",    "Uke"};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(tabs[i].Name, names[i]);
        EXPECT_EQ(tabs[i].DefaultChannel, i);
        EXPECT_EQ(tabs[i].Channel, i);
        EXPECT_EQ(tabs[i].Patch, tabs[i].DefaultPatch);
        EXPECT_EQ(tabs[i].TuningSpelling, tabs[i].DefaultTuningSpelling);
        EXPECT_EQ(tabs[i].SavedCaretLine, -1);
        EXPECT_EQ(tabs[i].Bookmarks[0], -1);
        EXPECT_EQ(tabs[i].Volume, 0);
    }
    EXPECT_EQ(DefaultInstrumentTab(11).Name, "Guitar 5");
    EXPECT_EQ(DefaultInstrumentTab(11).Channel, 10);
    EXPECT_EQ(DefaultInstrumentTab(16).ChordReach, 6);
    EXPECT_EQ(DefaultInstrumentTab(16).InitialChordReach, 4);
    EXPECT_EQ(DefaultInstrumentTab(10).ChordReach, 0);
    EXPECT_EQ(DefaultInstrumentTab(10).DurationCode, 0);
    EXPECT_EQ(DefaultInstrumentTab(13).TuningSpelling, "242728292946");
    EXPECT_TRUE(DefaultInstrumentTab(13).ShortFifthString);
    EXPECT_EQ(DefaultInstrumentTab(13).HighestString, 4);
    EXPECT_EQ(DefaultInstrumentTab(6).Colour, 249 + 255 * 256 + 255 * 65536);
    EXPECT_EQ(TabCaption(DefaultInstrumentTab(7), false), "guitar 2");
    EXPECT_EQ(TabCaption(DefaultInstrumentTab(7), true), "GUITAR 2");
}

TEST(InstrumentTabDefaults, KindsAndTheFrettedRule) {
    for (TKind k : {TKind::Guitar, TKind::Bass, TKind::Banjo, TKind::Mandolin, TKind::Tenor, TKind::Uke})
        EXPECT_TRUE(IsFretted(k)) << KindText(k);
    EXPECT_FALSE(IsFretted(TKind::Piano));
    EXPECT_FALSE(IsFretted(TKind::Drums));
    EXPECT_EQ(KindFromText("uke"), TKind::Uke);
    EXPECT_EQ(KindFromText("Ukulele"), std::nullopt);
}

TEST(InstrumentTabSanitise, PutsFileValuesIntoRange) {
    TInstrumentTab t = DefaultInstrumentTab(6);
    t.HighestString = 9;
    t.Channel = 16;
    t.DefaultChannel = -1;
    t.Patch = 128;
    t.Volume = -5;
    t.Balance = 300;
    t.Delay = 500;
    t.Transpose = -99;
    t.DurationCode = 8;
    t.TuningSpelling = "24242424242";
    t.Bookmarks[0] = -7;
    EXPECT_EQ(SanitiseInstrumentTab(t, 6), 11);
    EXPECT_EQ(t.HighestString, 5);
    EXPECT_EQ(t.Channel, 15);
    EXPECT_EQ(t.DefaultChannel, 0);
    EXPECT_EQ(t.Patch, 127);
    EXPECT_EQ(t.Volume, 0);
    EXPECT_EQ(t.Balance, 127);
    EXPECT_EQ(t.Delay, 120);
    EXPECT_EQ(t.Transpose, -24);
    EXPECT_EQ(t.DurationCode, 4);
    EXPECT_EQ(t.TuningSpelling, "242424242424");
    EXPECT_EQ(t.Bookmarks[0], -1);

    TInstrumentTab silent = DefaultInstrumentTab(6);
    silent.Volume = 0; // the mixer's lowest value
    EXPECT_EQ(SanitiseInstrumentTab(silent, 6), 0);
    EXPECT_EQ(silent.Volume, 0);

    TInstrumentTab piano = DefaultInstrumentTab(1);
    piano.Volume = 100;
    piano.Balance = 64;
    piano.HighestString = 5; // a piano has no strings
    EXPECT_EQ(SanitiseInstrumentTab(piano, 1), 1);
    EXPECT_EQ(piano.HighestString, 0);

    // No selected duration is only the Drums tab's state; elsewhere it is the kind's default.
    piano.DurationCode = 0;
    EXPECT_EQ(SanitiseInstrumentTab(piano, 1), 1);
    EXPECT_EQ(piano.DurationCode, 3);
    TInstrumentTab drums = DefaultInstrumentTab(10);
    drums.Volume = 100;
    drums.Balance = 64;
    EXPECT_EQ(SanitiseInstrumentTab(drums, 10), 0);
    EXPECT_EQ(drums.DurationCode, 0);
}

TEST(SongModel, SongFieldsFromAFileAreChecked) {
    TSongModel song;
    song.Tempo = 0;
    song.TimeSignature = "4/4";
    song.SongTranspose = 40;
    song.CurrentTab = 17;
    EXPECT_EQ(SanitiseSongFields(song), 4);
    EXPECT_EQ(song.Tempo, 120);
    EXPECT_EQ(song.TimeSignature, "0404");
    EXPECT_EQ(song.SongTranspose, 24);
    EXPECT_EQ(song.CurrentTab, 1);
    song.Tempo = 900;
    EXPECT_EQ(SanitiseSongFields(song), 1);
    EXPECT_EQ(song.Tempo, 500);
    EXPECT_FALSE(ParseTimeSignature("0004"));
    EXPECT_EQ(ParseTimeSignature("0608")->Upper, 6);
    EXPECT_EQ(FormatTimeSignature(3, 4), "0304");
}

TEST(SongModel, AllocatorStopsAtSixteen) {
    TTabAllocator a;
    for (int i = 1; i <= 16; ++i)
        EXPECT_EQ(a.AllocateInstrumentTab(), i);
    EXPECT_EQ(a.AllocateInstrumentTab(), -1);
    EXPECT_EQ(a.Count(), 16);
}

} // namespace

#include "song/FrettedLine.h"

namespace {

TEST(TuningSpelling, OpenPitchesAndFormat) {
    const std::string banjo = DefaultInstrumentTab(13).TuningSpelling;
    const int expected[] = {62, 59, 55, 50, 62};
    for (int slot = 1; slot <= 5; ++slot)
        EXPECT_EQ(TuningOpenPitch(banjo, slot), expected[slot - 1]) << slot;
    EXPECT_EQ(TuningOpenPitch(banjo, 5, true), 67);
    EXPECT_EQ(TuningOpenPitch(kStandardTuningSpelling, 0), 64);
    EXPECT_EQ(FormatTuningSpelling({24, 27, 28, 29, 29, 46}), "242728292946");
    EXPECT_EQ(FormatTuningSpelling({5, 24, 24, 24, 24, 100}), "052424242499");
    EXPECT_TRUE(IsValidTuningSpelling("052424242499"));
    EXPECT_FALSE(IsValidTuningSpelling("05242424249a"));
}

} // namespace
