#include "song/SongBuilder.h"
#include "midi/MidiData.h"
#include "song/BuiltInBeats.h"
#include "song/NewSong.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace {

// One event as "tick status data..." in hex; meta events as "tick FFtt data" (text for names).
std::string Show(const TMidiEvent &e) {
    char buf[16];
    std::string s = std::to_string(e.Time) + " ";
    if (e.IsMeta()) {
        std::snprintf(buf, sizeof buf, "FF%02X", e.MetaType());
        s += buf;
        if (e.MetaType() == 0x03 && e.MetaDataSize() > 0) {
            s += " " + std::string(reinterpret_cast<const char *>(e.MetaData()), e.MetaDataSize());
        } else if (e.MetaDataSize() > 0) {
            s += " ";
            for (size_t i = 0; i < e.MetaDataSize(); ++i) {
                std::snprintf(buf, sizeof buf, "%02X", e.MetaData()[i]);
                s += buf;
            }
        }
        return s;
    }
    std::snprintf(buf, sizeof buf, "%02X %02X", e.Status, e.Data1);
    s += buf;
    if (midi::DataBytesForStatus(e.Status) == 2) {
        std::snprintf(buf, sizeof buf, " %02X", e.Data2);
        s += buf;
    }
    return s;
}

std::vector<std::string> Dump(TMidiData &midi, int track) {
    std::vector<std::string> out;
    const TMidiTrackStream *t = midi.GetTrack(track);
    if (!t)
        return out;
    for (int i = 0; i < t->EventCount(); ++i)
        out.push_back(Show(*t->GetEvent(i)));
    return out;
}

// Only the note-ons of a track, as "tick channel note velocity".
std::vector<std::string> NoteOns(TMidiData &midi, int track) {
    std::vector<std::string> out;
    const TMidiTrackStream *t = midi.GetTrack(track);
    for (int i = 0; t && i < t->EventCount(); ++i) {
        const TMidiEvent &e = *t->GetEvent(i);
        if (e.IsNoteOn())
            out.push_back(std::to_string(e.Time) + " " + std::to_string(e.Channel()) + " " + std::to_string(e.Data1) +
                          " " + std::to_string(e.Data2));
    }
    return out;
}

struct Fixture {
    TSongModel song;
    DrumPart drums;
    TPlaySettings settings;
    TMidiData midi;
    Fixture() { ResetSongModel(song, drums); }
    TBuildResult Build() { return BuildSongMidi(song, drums, settings, midi); }
};

TEST(SongBuilder, OneLineGuitarSongIsByteExact) {
    Fixture f;
    f.song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, Q"};
    const uint64_t revision = f.song.LinesRevision(6);
    const TBuildResult r = f.Build();
    ASSERT_EQ(r.Status, TBuildStatus::Built) << r.Message;
    EXPECT_EQ(f.song.LinesRevision(6), revision) << "building only reads the lines";
    ASSERT_EQ(f.midi.GetTrackCount(), 2);
    EXPECT_EQ(f.midi.GetPPQN(), 192);
    EXPECT_EQ(Dump(f.midi, 0), (std::vector<std::string>{"0 FF03", "0 FF51 07A120", "0 FF58 04021808", "0 FF2F"}));
    EXPECT_EQ(Dump(f.midi, 1),
              (std::vector<std::string>{"0 FF03 Guitar", "0 C5 18", "0 B5 0A 40", "0 B5 07 64", "0 95 40 64",
                                        "0 95 3C 64", "0 95 37 64", "0 95 34 64", "0 95 30 64", "192 85 40 00",
                                        "192 85 3C 00", "192 85 37 00", "192 85 34 00", "192 85 30 00", "192 FF2F"}));
    EXPECT_EQ(f.song.Tab(6).TrackNumber, 1);
    // The conductor track as written to a file: name, tempo 500000, 4/4, end of track.
    const std::vector<uint8_t> bytes = f.midi.SaveToBytes();
    const std::vector<uint8_t> conductor{'M',  'T',  'r',  'k', 0,    0,    0, 23, 0, 0xFF, 3, 0, 0,    0xFF, 0x51, 3,
                                         0x07, 0xA1, 0x20, 0,   0xFF, 0x58, 4, 4,  2, 24,   8, 0, 0xFF, 0x2F, 0};
    ASSERT_GE(bytes.size(), 14 + conductor.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 14, bytes.begin() + 14 + static_cast<long>(conductor.size())),
              conductor);
}

TEST(SongBuilder, TempoIsWrittenOnceAndTempoLinesAddTheirOwn) {
    Fixture f;
    f.song.Tempo = 100;
    f.song.TimeSignature = "0308";
    f.song.Lines(1) = {"*Tempo 90", "C, 60, x, x, x, x, x, x, x, x, x, Q", "*Tempo 0",
                       "C, 62, x, x, x, x, x, x, x, x, x, Q"};
    f.song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, W"};
    ChooseBuiltInBeat(f.drums, 1);
    ASSERT_TRUE(f.Build().Ok());
    ASSERT_EQ(f.midi.GetTrackCount(), 4);
    // 60000000 div 100 = 600000 = 0x0927C0, then 90 bpm = 666666 (0x0A2C2A) at 0, 1 bpm capped to 24 bits at 192.
    EXPECT_EQ(Dump(f.midi, 0), (std::vector<std::string>{"0 FF03", "0 FF51 0927C0", "0 FF58 03031808", "0 FF51 0A2C2A",
                                                         "192 FF51 FFFFFF", "192 FF2F"}));
    // No track carries tempo or metre events of its own; the drum track ends with its last note.
    for (int t = 1; t < 4; ++t)
        for (const std::string &e : Dump(f.midi, t)) {
            EXPECT_EQ(e.find("FF51"), std::string::npos) << t << " " << e;
            EXPECT_EQ(e.find("FF58"), std::string::npos) << t << " " << e;
        }
    EXPECT_EQ(f.song.Tab(10).TrackNumber, 3);
}

TEST(SongBuilder, ConductorEventRules) {
    TMidiData midi;
    midi.AddTrack(1);
    InsertTimeSignatureEvent(midi, 0, 8, 0); // a numerator of 0 is written as 4/4
    InsertTimeSignatureEvent(midi, 5, 6, 0); // an unknown denominator is written as a quarter
    InsertTimeSignatureEvent(midi, 7, 64, 0);
    InsertTempoEvent(midi, 500, 0);
    EXPECT_EQ(Dump(midi, 0), (std::vector<std::string>{"0 FF03", "0 FF58 04021808", "0 FF58 05021808",
                                                       "0 FF58 07061808", "0 FF51 01D4C0", "0 FF2F"}));
}

TEST(SongBuilder, CountInAndMetronomeIn68) {
    Fixture f;
    f.song.TimeSignature = "0608";
    f.drums.Reset(f.song.TimeSignature);
    f.song.Lines(6) = {"C, x, 3, x, x, x, x, .H"}; // one note, 576 ticks: one bar of 6/8
    f.drums.list.Add(FormatPatternListLine("P", f.drums.ids.Next(), kFeelRegular));
    f.drums.store.AppendLines({"DPATN|0002|" + f.drums.list.Item(0), "0000007"});
    f.settings = {true, true, 1};
    ASSERT_TRUE(f.Build().Ok());
    ASSERT_EQ(f.midi.GetTrackCount(), 4);
    EXPECT_EQ(NoteOns(f.midi, 1), std::vector<std::string>{"576 5 48 100"});
    EXPECT_EQ(NoteOns(f.midi, 2), std::vector<std::string>{"576 9 36 90"});
    EXPECT_EQ(Dump(f.midi, 3)[0], "0 FF03 Metronome");
    // Six count-in clicks of an eighth, then the song's bar: the accent on each bar's first beat.
    std::vector<std::string> clicks;
    for (int i = 0; i < 12; ++i)
        clicks.push_back(std::to_string(i * 96) + " 9 " + (i % 6 == 0 ? "77" : "76") + " 100");
    EXPECT_EQ(NoteOns(f.midi, 3), clicks);
    const std::vector<std::string> events = Dump(f.midi, 3);
    EXPECT_EQ(events.back(), "1152 FF2F");

    // Count-in only: the clicks stop where the song starts.
    f.settings = {false, true, 2};
    ASSERT_TRUE(f.Build().Ok());
    EXPECT_EQ(NoteOns(f.midi, 3).size(), 12u);
    EXPECT_EQ(NoteOns(f.midi, 1), std::vector<std::string>{"1152 5 48 100"});
    // Metronome only, in 4/4 over a whole note: four clicks.
    Fixture g;
    g.song.Lines(6) = {"C, x, 3, x, x, x, x, W"};
    g.settings.Metronome = true;
    ASSERT_TRUE(g.Build().Ok());
    EXPECT_EQ(NoteOns(g.midi, 2),
              (std::vector<std::string>{"0 9 77 100", "192 9 76 100", "384 9 76 100", "576 9 76 100"}));
    // The whole track: each click ends where the next begins, its note-off first.
    EXPECT_EQ(Dump(g.midi, 2), (std::vector<std::string>{"0 FF03 Metronome", "0 99 4D 64", "192 89 4D 00",
                                                         "192 99 4C 64", "384 89 4C 00", "384 99 4C 64", "576 89 4C 00",
                                                         "576 99 4C 64", "768 89 4C 00", "768 FF2F"}));
    EXPECT_EQ(Dump(g.midi, 0), (std::vector<std::string>{"0 FF03", "0 FF51 07A120", "0 FF58 04021808", "0 FF2F"}));
}

TEST(SongBuilder, DrumStepsRegularAndJazzy) {
    for (int feel : {kFeelRegular, kFeelJazzy}) {
        Fixture f;
        f.song.Tab(10).Delay = 10;
        f.song.Tab(10).Transpose = 1;
        f.drums.drumSlots[1].note = 56;
        for (int p = 0; p < 2; ++p) {
            f.drums.list.Add(FormatPatternListLine("P" + std::to_string(p), f.drums.ids.Next(), feel));
            // Column 3 of slot 2, level 9; a cell at column 14 is beyond a jazzy bar of 12 steps.
            f.drums.store.AppendLines({"DPATN|0004|" + f.drums.list.Item(p), "0301009", "1400001", "0000008"});
        }
        ASSERT_TRUE(f.Build().Ok());
        ASSERT_EQ(f.midi.GetTrackCount(), 2);
        const int step = feel == kFeelJazzy ? 64 : 48;
        std::vector<std::string> expected;
        for (int bar = 0; bar < 2; ++bar) {
            const int start = bar * 768 + 10;
            expected.push_back(std::to_string(start) + " 9 37 95");
            expected.push_back(std::to_string(start + 3 * step) + " 9 57 100");
            if (feel == kFeelRegular)
                expected.push_back(std::to_string(start + 14 * step) + " 9 37 60");
        }
        std::vector<std::string> got = NoteOns(f.midi, 1);
        std::sort(got.begin(), got.end(),
                  [](const std::string &a, const std::string &b) { return std::stoi(a) < std::stoi(b); });
        EXPECT_EQ(got, expected) << "feel " << feel;
        const std::vector<std::string> events = Dump(f.midi, 1);
        EXPECT_EQ(events[0], "0 FF03 Drums");
        EXPECT_EQ(events[1], "0 B9 0A 40");
        EXPECT_NE(std::find(events.begin(), events.end(), std::to_string(10 + 3 * step + step) + " 89 39 00"),
                  events.end());
    }
}

TEST(SongBuilder, DrumCellsOutOfColumnOrderStillEndBeforeTheNextBegins) {
    Fixture f;
    f.drums.list.Add(FormatPatternListLine("Pasted", f.drums.ids.Next(), kFeelRegular));
    // A pasted block need not list its cells column by column.
    f.drums.store.AppendLines({"DPATN|0003|" + f.drums.list.Item(0), "0100007", "0000007"});
    ASSERT_TRUE(f.Build().Ok());
    const std::vector<std::string> events = Dump(f.midi, 1);
    EXPECT_EQ(std::vector<std::string>(events.begin() + 2, events.end()),
              (std::vector<std::string>{"0 99 24 5A", "48 89 24 00", "48 99 24 5A", "96 89 24 00", "96 FF2F"}));
}

TEST(SongBuilder, DrumNotesOutOfRangeAreSkippedAndChannelsMasked) {
    Fixture f;
    f.song.Tab(10).Transpose = 2;
    f.song.Tab(10).Channel = 25; // only its low four bits count: channel 9
    f.drums.drumSlots[0].note = 126;
    f.drums.list.Add(FormatPatternListLine("Edge", f.drums.ids.Next(), kFeelRegular));
    f.drums.store.AppendLines({"DPATN|0003|" + f.drums.list.Item(0), "0000007", "0001007"});
    ASSERT_TRUE(f.Build().Ok());
    EXPECT_EQ(NoteOns(f.midi, 1), std::vector<std::string>{"0 9 40 90"}); // 126 + 2 is no note; 38 + 2 plays
}

TEST(SongBuilder, MissingDrumBlockStopsTheDrumTrackOnly) {
    Fixture f;
    f.drums.list.Add("no block");
    f.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    const TBuildResult r = f.Build();
    EXPECT_EQ(r.Status, TBuildStatus::Built);
    EXPECT_EQ(r.Warning, "Internal Error: Pattern pointed to by listbox does not exist (BuildDrumPatternTrack)");
    EXPECT_EQ(f.midi.GetTrackCount(), 3);
}

TEST(SongBuilder, NothingAudibleGivesNoTracks) {
    Fixture f;
    f.song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, Q"};
    f.song.Tab(6).Mute = true;
    f.settings.Metronome = true;
    EXPECT_EQ(f.Build().Status, TBuildStatus::NothingToPlay);
    EXPECT_EQ(f.midi.GetTrackCount(), 0);
    EXPECT_TRUE(f.song.Tab(6).Mute);
}

TEST(SongBuilder, SoloOnTheCurrentTabSilencesTheOthersWithoutTouchingTheirFlags) {
    Fixture f;
    f.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    f.song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, Q"};
    f.song.Lines(7) = {"C, x, 3, 2, 0, 1, 0, Q", "bad line"};
    ChooseBuiltInBeat(f.drums, 1);
    f.song.CurrentTab = 6;
    f.song.Tab(6).Solo = true;
    f.settings.Metronome = true;
    ASSERT_TRUE(f.Build().Ok());
    ASSERT_EQ(f.midi.GetTrackCount(), 3); // conductor, tab 6, metronome
    EXPECT_EQ(Dump(f.midi, 1)[0], "0 FF03 Guitar");
    for (int n = 1; n <= 16; ++n)
        EXPECT_FALSE(f.song.Tab(n).Mute) << n;
    EXPECT_EQ(f.song.CurrentTab, 6);

    // Solo on another tab than the current one does not count; the failing line is reported.
    f.song.CurrentTab = 1;
    const TBuildResult r = f.Build();
    EXPECT_EQ(r.Status, TBuildStatus::LineError);
    EXPECT_EQ(r.Tab, 7);
    EXPECT_EQ(r.Line, 1);
    EXPECT_EQ(r.Message, "Error in GUITAR 2 on line 2\rGuitar 2: Error in line: Not enough commas in the line\r\r"
                         "Fix the error or delete the line.");
    EXPECT_EQ(f.midi.GetTrackCount(), 4); // the tracks built so far stay
    EXPECT_EQ(f.song.CurrentTab, 1);
}

// The failing line's message says on its second line why the line does not read.
TEST(SongBuilder, ALineErrorGivesTheReadersReasonOnTheSecondLine) {
    const struct {
        int tab;
        std::string line, reason;
    } rows[] = {
        {6, "C, x, 3, 2, 0, 1, 25, Q", "Fret number ( 25 ) can be no higher than 24"},
        {6, "C, x, 3, 2, 0, 1, 0, 0, Q", "Guitar: Error in line: Too many commas in the line."},
        {6, "C, x, 3, 2, 0, 1, 0, Z", "Guitar: \"Z\" invalid. (W)hole,(H)alf,Q,E,S,T,F"},
        {1, "C, 60, 120, x, x, x, x, x, x, x, x, Q", "Piano line is not valid."},
        {1, "C, 60|E|90|r2, x, x, x, x, x, x, x, x, x, Q",
         "Fingering ( r2 ) must be L1, L2, L3, L4, L5, R1, R2, R3, R4, R5 or blank."},
    };
    for (const auto &row : rows) {
        Fixture f;
        f.song.Lines(row.tab) = {"*Tempo 90", row.line};
        const TBuildResult r = f.Build();
        const std::string name = row.tab == 1 ? "PIANO" : "GUITAR";
        EXPECT_EQ(r.Message, "Error in " + name + " on line 2\r" + row.reason + "\r\rFix the error or delete the line.")
            << row.line;
    }
}

TEST(SongBuilder, SilencedTabsStillChangeTheSongsTempo) {
    // Tab 1's tempo change after its first bar, muted or silenced by another tab's Solo; tab 2 is
    // silenced after the conductor track exists, and its unreadable line ends its tempo changes.
    const struct Case {
        const char *what;
        int current;
        bool muteFirst;
        bool countIn;
    } cases[] = {{"mute", 6, true, false}, {"solo drums", 10, false, false}, {"count-in", 10, false, true}};
    for (const Case &c : cases) {
        Fixture f;
        f.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, W", "*Tempo 60", "C, 62, x, x, x, x, x, x, x, x, x, Q"};
        f.song.Lines(2) = {"*Delay 96", "C, 60, x, x, x, x, x, x, x, x, x, H", "*Tempo 90", "bad line", "*Tempo 30"};
        f.song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, W", "C, x, 3, 2, 0, 1, 0, W"};
        f.song.Tab(2).Mute = true;
        ChooseBuiltInBeat(f.drums, 1);
        f.song.Tab(1).Mute = c.muteFirst;
        f.song.CurrentTab = c.current;
        f.song.Tab(c.current).Solo = !c.muteFirst;
        f.settings.CountIn = c.countIn;
        ASSERT_TRUE(f.Build().Ok()) << c.what;
        const std::string at = c.countIn ? "768 " : "0 ";
        const std::string bar2 = c.countIn ? "1536 " : "768 ";
        // Tempo 60 = 1000000 = 0x0F4240; 90 = 666666 = 0x0A2C2A.
        EXPECT_EQ(Dump(f.midi, 0), (std::vector<std::string>{"0 FF03", "0 FF51 07A120", "0 FF58 04021808",
                                                             std::to_string(std::stoi(at) + 480) + " FF51 0A2C2A",
                                                             bar2 + "FF51 0F4240", bar2 + "FF2F"}))
            << c.what;
        // Nothing else of a silenced tab is built.
        EXPECT_EQ(f.midi.GetTrackCount(), (c.muteFirst ? 3 : 2) + (c.countIn ? 1 : 0)) << c.what;
    }
}

TEST(SongBuilder, DirectivesShapeTheNotes) {
    Fixture f;
    f.song.Tab(6).Transpose = 1;
    f.song.Tab(6).Delay = -120;
    f.song.SongTranspose = 2;
    // clang-format off
    f.song.Lines(6) = {
        "*Delay 10", "G, 3, x, x, x, x, x, Q",                  // one note, 60 ticks in; the next line 60 later
        "*Transpose 2", "*Transpose 3", "*Channel 3", "*Volume 50",
        "*Balance 20", "*Instrument 5", "G, 3, x, x, x, x, x, Q",
        "*Delay -192", "*Delay -192",  "G, 3, x, x, x, x, x, Q",  // the later delay replaces; the cursor stops at 0
    };
    // clang-format on
    ASSERT_TRUE(f.Build().Ok());
    // 43 = G; +1 tab, +2 song; the transposes do not add up; the tab's delay of -120 never goes below 0.
    EXPECT_EQ(NoteOns(f.midi, 1), (std::vector<std::string>{"0 5 46 100", "0 2 49 50", "132 2 49 50"}));
    const std::vector<std::string> events = Dump(f.midi, 1);
    EXPECT_NE(std::find(events.begin(), events.end(), "252 B5 0A 14"), events.end()); // the tab's own channel
    EXPECT_NE(std::find(events.begin(), events.end(), "252 C5 05"), events.end());
    // Each note-off is at or after its note-on.
    EXPECT_NE(std::find(events.begin(), events.end(), "132 85 2E 00"), events.end());

    Fixture p;
    p.song.Tab(1).Delay = 5;
    p.song.Lines(1) = {"*Delay 10", "C, 60, 64, x, x, x, x, x, x, x, x, Q", "C, 62, x, x, x, x, x, x, x, x, x, Q",
                       "*Transpose 24", "C, 107, 28, x, x, x, x, x, x, x, x, Q"};
    p.song.Tab(1).Transpose = 24;
    p.song.SongTranspose = 24;
    ASSERT_TRUE(p.Build().Ok());
    // A piano line is delayed once; notes above 127 are skipped.
    EXPECT_EQ(NoteOns(p.midi, 1),
              (std::vector<std::string>{"15 0 108 100", "15 0 112 100", "207 0 110 100", "399 0 100 100"}));
}

TEST(SongBuilder, AFullTrackEndsTheBuildNamingItsTabAndLine) {
    // A block of sixteen columns by eight rows: 128 cells, 256 events a pattern.
    auto fullBars = [](Fixture &f, int patterns) {
        for (int p = 0; p < patterns; ++p) {
            const std::string item =
                FormatPatternListLine("Full " + std::to_string(p), f.drums.ids.Next(), kFeelRegular);
            std::vector<std::string> block{FormatPatternHeader(129, item)};
            char cell[8];
            for (int column = 0; column < 16; ++column)
                for (int row = 0; row < 8; ++row) {
                    std::snprintf(cell, sizeof cell, "%.2d%.2d%.3d", column, row, 5);
                    block.push_back(cell);
                }
            f.drums.store.AppendLines(block);
            f.drums.list.Add(item);
        }
    };
    const struct Case {
        const char *what;
        std::function<void(Fixture &)> fill;
        int tab;
        int line;
        const char *message;
    } cases[] = {
        // Ten keys make twenty events a line: line 5,000 outgrows the track's 100,000 events.
        {"piano", [](Fixture &f) { f.song.Lines(2).assign(5000, "C, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, F"); }, 2,
         4999,
         "Too many notes in PIANO 2 on line 5000\r\rThe tab's track is full. Shorten the tab or move some of its "
         "lines to another tab."},
        {"guitar", [](Fixture &f) { f.song.Lines(6).assign(9000, "C, 1, 1, 1, 1, 1, 1, S"); }, 6, 8332,
         "Too many notes in GUITAR on line 8333\r\rThe tab's track is full. Shorten the tab or move some of its "
         "lines to another tab."},
        {"tempo", [](Fixture &f) { f.song.Lines(6).assign(100000, "*TEMPO 100"); }, 6, 99996,
         "Too many tempo changes in GUITAR on line 99997\r\rThe song's tempo track is full. Remove some *TEMPO "
         "lines."},
        {"drums", [&](Fixture &f) { fullBars(f, 400); }, 10, -1,
         "Too many notes in DRUMS\r\rThe tab's track is full. Remove some drum patterns."},
        // 13,000 whole notes: 52,000 beats of two clicks each.
        {"metronome",
         [](Fixture &f) {
             f.song.Lines(2).assign(13000, "C, 40, x, x, x, x, x, x, x, x, x, W");
             f.settings.Metronome = true;
         },
         0, -1,
         "Too many clicks in the metronome\r\rThe song is too long for the metronome's track. Turn the metronome "
         "off to play it."},
    };
    for (const Case &c : cases) {
        Fixture f;
        c.fill(f);
        f.song.Lines(7) = {"C, x, 3, 2, 0, 1, 0, Q"};
        f.song.Tab(7).Mute = true;
        const TBuildResult r = f.Build();
        EXPECT_EQ(r.Status, TBuildStatus::InsertFailed) << c.what;
        EXPECT_EQ(r.Tab, c.tab) << c.what;
        EXPECT_EQ(r.Line, c.line) << c.what;
        EXPECT_EQ(r.Message, c.message) << c.what;
        EXPECT_TRUE(f.song.Tab(7).Mute) << c.what;
    }
}

} // namespace
