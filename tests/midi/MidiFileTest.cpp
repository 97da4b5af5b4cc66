#include "midi/MidiData.h"
#include "tests/platform/DiskSituations.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tw-midi-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    fs::path operator/(const std::string &name) const { return path_ / name; }
    const fs::path &Path() const { return path_; }

private:
    fs::path path_;
};

Bytes ReadFile(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A song that uses every kind of event the writer knows.
void BuildSong(TMidiData &d) {
    d.New();
    d.SetPPQN(192);
    d.AddTrack(1);
    d.AddTrack(1);
    TMidiTrackStream *c = d.GetTrack(0);
    c->SetTrackName("Conductor");
    c->InsertMetaEvent(0, midi::kMetaTempo, Bytes{0x07, 0xA1, 0x20});
    c->InsertMetaEvent(0, midi::kMetaTimeSignature, Bytes{3, 2, 24, 8});
    c->InsertMetaEvent(768, midi::kMetaTempo, Bytes{0x0F, 0x42, 0x40});
    TMidiTrackStream *t = d.GetTrack(1);
    t->SetTrackName("Guitar");
    t->SetChannel(2);
    t->SetPatch(25);
    t->InsertEvent(0, 0xB2, 7, 100);
    t->InsertEvent(0, 0xB2, 10, 30);
    for (int i = 0; i < 8; ++i) {
        t->InsertEvent(i * 96, 0x92, static_cast<uint8_t>(60 + i), 90);
        t->InsertEvent(i * 96 + 90, 0x82, static_cast<uint8_t>(60 + i), 0);
    }
    t->InsertEvent(300, 0xE2, 0x00, 0x50);
    TMidiTrackStream *u = d.GetTrack(2);
    u->SetTrackName("Drums");
    u->SetChannel(9);
    TMidiEvent sysex;
    sysex.Status = 0xF0;
    sysex.Block = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
    u->InsertEvent(0, sysex);
    u->InsertEvent(20000, 0x99, 36, 127);
    u->InsertEvent(20000, 0x89, 36, 0);
}

TEST(MidiFile, RoundTripIsByteExact) {
    TMidiData d;
    BuildSong(d);
    const Bytes first = d.SaveToBytes();
    TMidiData e;
    e.LoadFromBytes(first);
    EXPECT_TRUE(e.Active());
    EXPECT_FALSE(e.Modified());
    ASSERT_EQ(e.GetTrackCount(), 3);
    EXPECT_EQ(e.GetPPQN(), 192);
    EXPECT_EQ(e.SaveToBytes(), first);
    const TMidiTrackStream *t = e.GetTrack(1);
    EXPECT_EQ(t->GetTrackName(), "Guitar");
    EXPECT_EQ(t->Channel(), 2);
    EXPECT_EQ(t->Program(), 25);
    EXPECT_EQ(e.GetTrack(2)->GetTrackName(), "Drums");
    EXPECT_EQ(e.GetTrack(2)->Channel(), 9);
    EXPECT_EQ(e.GetTrack(2)->GetEvent(e.GetTrack(2)->EventCount() - 1)->Time, 20000);
}

TEST(MidiFile, ReadsRunningStatusNamesAndAddsAMissingEndOfTrack) {
    const Bytes file{
        'M',  'T',  'h',  'd',  0,    0, 0, 8,  0,    0,    0,    1,    0,   96, 0xAA, 0xBB, // 2 extra header bytes
        'M',  'T',  'r',  'k',  0,    0, 0, 21, 0x00, 0xFF, 0x01, 0x01, 'x', // a text event names the track
        0x00, 0x93, 60,   100,                                               //
        0x10, 62,   100,                                                     // running status
        0x10, 0xF0, 0x02, 0x01, 0x02,                                        // sysex without its end byte
        0x05, 0xF7, 0x01, 0x03};                                             // ...continued, still without it
    TMidiData d;
    // The track ends with the system-exclusive message still unfinished.
    EXPECT_THROW(d.LoadFromBytes(file), EMidiTrackStream);

    Bytes good = file;
    good.back() = 0xF7;
    d.LoadFromBytes(good);
    ASSERT_EQ(d.GetTrackCount(), 1);
    const TMidiTrackStream *t = d.GetTrack(0);
    EXPECT_EQ(t->GetTrackName(), "x");
    EXPECT_EQ(t->Channel(), 3);
    ASSERT_EQ(t->EventCount(), 6);
    EXPECT_EQ(t->GetEvent(2)->Status, 0x93);
    EXPECT_EQ(t->GetEvent(2)->Time, 16);
    EXPECT_TRUE(t->GetEvent(5)->IsEndOfTrack());
    EXPECT_EQ(t->GetEvent(5)->Time, 37);
    EXPECT_EQ(d.ExtraHeader(), (Bytes{0xAA, 0xBB}));
    EXPECT_EQ(d.SaveToBytes()[7], 8); // the extra header is written back
}

Bytes Header(uint16_t tracks, uint16_t division = 192) {
    return {'M',
            'T',
            'h',
            'd',
            0,
            0,
            0,
            6,
            0,
            1,
            uint8_t(tracks >> 8),
            uint8_t(tracks),
            uint8_t(division >> 8),
            uint8_t(division)};
}

Bytes WithTrack(Bytes file, const Bytes &body) {
    const uint32_t n = static_cast<uint32_t>(body.size());
    file.insert(file.end(), {'M', 'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

TEST(MidiFile, FirstProgramChannelAndNameCountAndNothingAfterEndOfTrack) {
    const Bytes body{0x00, 0xFF, 0x01, 0x01, 'a', // the first text event names the track...
                     0x00, 0xFF, 0x01, 0x01, 'b', // ...a later one does not
                     0x00, 0xC5, 7,               // first channel message and first program
                     0x00, 0xC6, 9,    0x00, 0xFF, 0x2F,
                     0x00, 0x00, 0x90, 60,   100}; // behind the End of Track: not part of the track
    TMidiData d;
    d.LoadFromBytes(WithTrack(Header(1), body));
    const TMidiTrackStream *t = d.GetTrack(0);
    EXPECT_EQ(t->GetTrackName(), "a");
    EXPECT_EQ(t->Channel(), 5);
    EXPECT_EQ(t->Program(), 7);
    EXPECT_EQ(t->EventCount(), 5);
    // Any track-name event names the track, even after a text event.
    Bytes named = body;
    named.insert(named.begin() + 10, {0x00, 0xFF, 0x03, 0x01, 'n'});
    d.LoadFromBytes(WithTrack(Header(1), named));
    EXPECT_EQ(d.GetTrack(0)->GetTrackName(), "n");
}

struct BadFile {
    const char *name;
    Bytes bytes;
    const char *message;
    bool riff = false;
};

class MalformedFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(MalformedFile, RaisesAndLeavesTheSongCleared) {
    TMidiData d;
    BuildSong(d);
    try {
        d.LoadFromBytes(GetParam().bytes, GetParam().riff);
        FAIL() << "no exception";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), GetParam().message);
    }
    EXPECT_EQ(d.GetTrackCount(), 0);
    EXPECT_EQ(d.GetPPQN(), 180);
    EXPECT_FALSE(d.Active());
}

Bytes TooManyEvents() {
    Bytes body{0x00, 0x90, 60, 100};
    for (int i = 0; i < TMidiTrackStream::kDefaultMaxEvents; ++i)
        body.insert(body.end(), {0x00, 60, 0});
    return WithTrack(Header(1), body);
}

INSTANTIATE_TEST_SUITE_P(
    Loader, MalformedFile,
    ::testing::Values(
        BadFile{"Empty", {}, "Invalid MIDI file ID"},
        BadFile{"WrongId", {'M', 'T', 'h', 'x', 0, 0, 0, 6}, "Invalid MIDI file ID"},
        BadFile{"ShortHeaderSize", {'M', 'T', 'h', 'd', 0, 0, 0, 5, 0, 1, 0, 0, 0}, "Invalid MIDI header size"},
        BadFile{"HeaderBeyondData", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1}, "Unexpected end of MIDI file"},
        BadFile{"HugeHeaderSize",
                {'M', 'T', 'h', 'd', 0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0, 0, 96},
                "Unexpected end of MIDI file"},
        BadFile{"DivisionZero", Header(0, 0), "Unsupported MIDI time division"},
        BadFile{"SmpteDivision", Header(0, 0xE728), "Unsupported MIDI time division"},
        BadFile{"MoreTracksThanChunks", WithTrack(Header(2), {0x00, 0xFF, 0x2F, 0x00}), "Missing track chunk"},
        BadFile{"WrongTrackId",
                Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96, 'M', 'T', 'r', 'X', 0, 0, 0, 0},
                "Invalid track start ID"},
        BadFile{"TrackBeyondData",
                Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 1, 0, 0},
                "Unexpected end of MIDI file"},
        BadFile{"DataBeforeStatus", WithTrack(Header(1), {0x00, 60, 100}), "Error in Running Status"},
        BadFile{"FiveByteDelta", WithTrack(Header(1), {0x81, 0x81, 0x81, 0x81, 0x00, 0x90, 60, 1}),
                "Invalid variable-length number"},
        BadFile{"DeltaCutShort", WithTrack(Header(1), {0x00, 0x90, 60, 1, 0x81}), "Unexpected end of track data"},
        BadFile{"MetaBeyondChunk", WithTrack(Header(1), {0x00, 0xFF, 0x01, 0x05, 'a'}), "Unexpected end of track data"},
        BadFile{"MetaTooLong", WithTrack(Header(1), {0x00, 0xFF, 0x01, 0x84, 0xA2, 0x70}), "Block too long"},
        BadFile{"SysexTooLong", WithTrack(Header(1), {0x00, 0xF0, 0x84, 0x80, 0x00}), "Block too long"},
        BadFile{"SysexInterrupted", WithTrack(Header(1), {0x00, 0xF0, 0x01, 0x01, 0x00, 0x90, 60, 1}),
                "Error in Sysex"},
        BadFile{"SysexEndedTooLate",
                WithTrack(Header(1), {0x00, 0xF0, 0x01, 0x01, 0x00, 0x90, 60, 1, 0x00, 0xF7, 0x01, 0xF7}),
                "Error in Sysex"},
        BadFile{"SysexNeverEnded", WithTrack(Header(1), {0x00, 0xF0, 0x01, 0x01}), "Error in Sysex"},
        BadFile{"DataByteWithTopBit", WithTrack(Header(1), {0x00, 0x90, 60, 0x80}), "Invalid data byte"},
        BadFile{"SystemStatus", WithTrack(Header(1), {0x00, 0xF2, 0x00, 0x00}), "Invalid status byte"},
        BadFile{"TimeBeyondRange",
                WithTrack(Header(1), {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1, 0xFF, 0xFF, 0xFF, 0x7F, 60, 0}),
                "Event time out of range"},
        BadFile{"MoreEventsThanRoom", TooManyEvents(), "Size exceeds capacity"},
        BadFile{"RiffWithoutData", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'R', 'M', 'I', 'D'}, "Invalid RIFF MIDI file",
                true},
        BadFile{"RiffChunkBeyondData",
                Bytes{'R', 'I', 'F', 'F', 40, 0, 0, 0, 'R', 'M', 'I', 'D', 'd', 'a', 't', 'a', 0xFF, 0, 0, 0, 'M'},
                "Invalid RIFF MIDI file", true}),
    [](const auto &info) { return std::string(info.param.name); });

// Damaged copies of a good file either load or raise one of the engine's errors, and a
// failed load always leaves the song cleared.
TEST(MidiFile, DamagedFilesLoadOrRaiseCleanly) {
    TMidiData d;
    BuildSong(d);
    const Bytes good = d.SaveToBytes();
    std::mt19937 random(7);
    int failures = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes bad = good;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < edits; ++k)
            bad[random() % bad.size()] = static_cast<uint8_t>(random());
        if (round % 3 == 0)
            bad.resize(random() % bad.size());
        TMidiData e;
        try {
            e.LoadFromBytes(bad);
            // What was read writes a file that reads back the same.
            const Bytes saved = e.SaveToBytes();
            TMidiData f;
            f.LoadFromBytes(saved);
            EXPECT_EQ(f.SaveToBytes(), saved) << "round " << round;
        } catch (const EMidiData &) {
            ++failures;
        } catch (const EMidiTrackStream &) {
            ++failures;
        } catch (const EVirtualMemory &) {
            ++failures;
        }
        if (!e.Active()) {
            EXPECT_EQ(e.GetTrackCount(), 0);
        }
    }
    EXPECT_GT(failures, 100);
}

TEST(MidiFile, RiffRmidContainer) {
    TMidiData d;
    BuildSong(d);
    const Bytes smf = d.SaveToBytes();
    Bytes riff{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D', 'L', 'I', 'S', 'T', 1, 0, 0, 0, 'z', 0};
    const uint32_t n = static_cast<uint32_t>(smf.size());
    riff.insert(riff.end(), {'d', 'a', 't', 'a', uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)});
    riff.insert(riff.end(), smf.begin(), smf.end());
    const uint32_t form = static_cast<uint32_t>(riff.size() - 8);
    for (int i = 0; i < 4; ++i)
        riff[4 + i] = uint8_t(form >> (8 * i));

    TempDir dir;
    {
        std::ofstream(dir / "song.rmi", std::ios::binary)
            .write(reinterpret_cast<const char *>(riff.data()), static_cast<std::streamsize>(riff.size()));
    }
    TMidiData e;
    e.SetFileName((dir / "song.rmi").string());
    e.SetActive(true);
    EXPECT_TRUE(e.IsRiff());
    EXPECT_EQ(e.SaveToBytes(), smf);
    EXPECT_EQ(e.FileName(), (dir / "song.MID").string());

    TMidiData f;
    EXPECT_THROW(f.LoadFromBytes(smf, true), EMidiData); // plain bytes are no RIFF file
}

TEST(MidiFile, SaveWritesThroughATemporaryFile) {
    TempDir dir;
    TMidiData d;
    BuildSong(d);
    d.SetFileName((dir / "out.mid").string());
    { std::ofstream(dir / "out.mid") << "an older, longer file that must be replaced completely"; }
    d.SaveToFile();
    EXPECT_FALSE(d.Modified());
    EXPECT_EQ(ReadFile(dir / "out.mid"), d.SaveToBytes());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator{}), 1);

    // A target that cannot be replaced raises and leaves no temporary file behind.
    fs::create_directory(dir / "folder.mid");
    d.SetFileName((dir / "folder.mid").string());
    EXPECT_THROW(d.SaveToFile(), EMidiData);
    EXPECT_TRUE(fs::is_directory(dir / "folder.mid"));
    d.SetFileName((dir / "missing" / "x.mid").string());
    EXPECT_THROW(d.SaveToFile(), EMidiData);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator{}), 2);
}

TEST(MidiFile, SavingHonoursWhatIsOnDisk) {
    TempDir dir;
    TMidiData d;
    BuildSong(d);
    disk::RunDiskSituations(dir / "disk", {".mid", [&d](const std::string &path) {
                                               d.SetFileName(path);
                                               try {
                                                   d.SaveToFile();
                                               } catch (const EMidiData &e) {
                                                   return std::string(e.what());
                                               }
                                               return std::string();
                                           }});
}

// Reads the file back with Debian's midicsv, an independent reader.
TEST(MidiFile, IndependentReaderSeesTheEventsAndTicks) {
    if (std::system("command -v midicsv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "midicsv is not installed";
    TempDir dir;
    TMidiData d;
    d.New();
    d.SetPPQN(192);
    d.AddTrack(1);
    d.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTempo, Bytes{0x07, 0xA1, 0x20});
    d.GetTrack(0)->InsertMetaEvent(0, midi::kMetaTimeSignature, Bytes{3, 2, 24, 8});
    TMidiTrackStream *t = d.GetTrack(1);
    t->SetTrackName("Banjo");
    t->SetChannel(4);
    t->SetPatch(105);
    t->InsertEvent(200, 0x84, 62, 0); // out of order on purpose
    t->InsertEvent(0, 0x94, 62, 80);
    t->InsertEvent(200, 0x94, 64, 81);
    t->InsertEvent(70000, 0x84, 64, 0);
    d.SetFileName((dir / "song.mid").string());
    d.SaveToFile();

    const std::string cmd = "midicsv '" + (dir / "song.mid").string() + "' '" + (dir / "song.csv").string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::ifstream csv(dir / "song.csv");
    std::vector<std::string> lines;
    for (std::string line; std::getline(csv, line);)
        lines.push_back(line);
    const std::vector<std::string> expected{
        "0, 0, Header, 1, 2, 192",
        "1, 0, Start_track",
        "1, 0, Title_t, \"\"",
        "1, 0, Tempo, 500000",
        "1, 0, Time_signature, 3, 2, 24, 8",
        "1, 0, End_track",
        "2, 0, Start_track",
        "2, 0, Title_t, \"Banjo\"",
        "2, 0, Program_c, 4, 105",
        "2, 0, Note_on_c, 4, 62, 80",
        "2, 200, Note_off_c, 4, 62, 0",
        "2, 200, Note_on_c, 4, 64, 81",
        "2, 70000, Note_off_c, 4, 64, 0",
        "2, 70000, End_track",
        "0, 0, End_of_file",
    };
    EXPECT_EQ(lines, expected);
}

} // namespace
