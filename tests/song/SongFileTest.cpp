#include "song/SongFile.h"
#include "platform/FileIO.h"
#include "song/BuiltInBeats.h"
#include "song/NewSong.h"
#include "song/SongBuilder.h"
#include "song/TextExport.h"
#include "tests/platform/DiskSituations.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

int32_t Int32At(const std::vector<uint8_t> &image, size_t offset) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | image.at(offset + static_cast<size_t>(i));
    return static_cast<int32_t>(v);
}

std::string BlockAt(const std::vector<uint8_t> &image, size_t offset) {
    return std::string(reinterpret_cast<const char *>(image.data() + offset + 1), image.at(offset));
}

bool SameSong(const TSongModel &a, const TSongModel &b) {
    return a.Tabs == b.Tabs && a.TabLists == b.TabLists && a.ChordVoicings == b.ChordVoicings && a.Tempo == b.Tempo &&
           a.TimeSignature == b.TimeSignature && a.SongTranspose == b.SongTranspose && a.CurrentTab == b.CurrentTab &&
           a.SongTitle == b.SongTitle && a.SongReserved == b.SongReserved;
}

std::string ReadAll(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path &path, const std::string &bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct NewSong {
    TSongModel song;
    DrumPart drums;
    NewSong() { ResetSongModel(song, drums); }
};

class SongFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tw_songfile_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string &name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST(SongImage, NewSongLayoutIsByteExact) {
    NewSong s;
    s.song.SongTitle = "My Song";
    const std::vector<uint8_t> image = EncodeSongImage(s.song, s.drums);
    // 16 records, 15 empty note tabs (int32 0 each), the Drums tab's single byte 0, the trailer.
    constexpr size_t records = 16 * 4288;
    ASSERT_EQ(records, 68608u);
    ASSERT_EQ(image.size(), records + 15 * 4 + 1 + (4 + 255 + 4 + 4 + 255 + 255));
    EXPECT_EQ(image.size(), 69446u);
    EXPECT_EQ(SongImageSize(s.song, s.drums), image.size());
    for (size_t tab = 0; tab < 16; ++tab) {
        const std::vector<uint8_t> record(image.begin() + static_cast<long>(tab * 4288),
                                          image.begin() + static_cast<long>((tab + 1) * 4288));
        const TInstrumentTabRecord expected = EncodeInstrumentTab(s.song.Tabs[tab]);
        EXPECT_TRUE(std::equal(record.begin(), record.end(), expected.begin())) << "tab " << tab + 1;
    }
    for (size_t tab = 0; tab < 9; ++tab)
        EXPECT_EQ(Int32At(image, records + tab * 4), 0);
    EXPECT_EQ(image[68644], 0); // Drums: no patterns
    EXPECT_EQ(Int32At(image, 68645), 0);
    const size_t trailer = 68669;
    EXPECT_EQ(Int32At(image, trailer), 120);
    EXPECT_EQ(BlockAt(image, trailer + 4), "0404");
    EXPECT_EQ(image[trailer + 4 + 5], 0); // the rest of the block is zero
    EXPECT_EQ(Int32At(image, trailer + 259), 0);
    EXPECT_EQ(Int32At(image, trailer + 263), 1);
    EXPECT_EQ(BlockAt(image, trailer + 267), "My Song");
    EXPECT_EQ(BlockAt(image, trailer + 522), "");
}

TEST(SongImage, DrumBodyAndLongLines) {
    NewSong s;
    s.song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, Q", std::string(300, 'a'), std::string(254, 'b'), "caf\xC3\xA9"};
    ChooseBuiltInBeat(s.drums, 1);
    s.drums.drumSlots[2] = {"56 Cowbell", 56};
    const std::vector<uint8_t> image = EncodeSongImage(s.song, s.drums);
    EXPECT_EQ(SongImageSize(s.song, s.drums), image.size());
    // Tab 6's body: count 4, then four blocks; the 300-character line holds 255 in its length byte.
    const size_t tab6 = 68608 + 5 * 4;
    EXPECT_EQ(Int32At(image, tab6), 4);
    EXPECT_EQ(image[tab6 + 4 + 255], 255);
    EXPECT_EQ(image[tab6 + 4 + 3 * 255], 4); // "café" is 4 Windows-1252 bytes
    EXPECT_EQ(image[tab6 + 4 + 3 * 255 + 4], 0xE9);
    const size_t drums = tab6 + 4 + 4 * 255 + 3 * 4; // tabs 7..9 are empty
    EXPECT_EQ(image[drums], 1);
    EXPECT_EQ(Int32At(image, drums + 1), 8);
    EXPECT_EQ(BlockAt(image, drums + 5), "36 Bass Drum 1");
    EXPECT_EQ(BlockAt(image, drums + 5 + 2 * 255), "56 Cowbell");
    const size_t store = drums + 5 + 8 * 255;
    EXPECT_EQ(Int32At(image, store), 14);
    EXPECT_EQ(BlockAt(image, store + 4), "DPATN|0014|" + s.drums.list.Item(0));
    const size_t list = store + 4 + 14 * 255;
    EXPECT_EQ(Int32At(image, list), 1);
    EXPECT_EQ(BlockAt(image, list + 4), s.drums.list.Item(0));

    EXPECT_EQ(LinesCutBySongFile(s.song), (std::vector<TLineRef>{{6, 1}}));
    TSongModel song;
    DrumPart part;
    ResetSongModel(song, part);
    ASSERT_TRUE(DecodeSongImage(image, song, part));
    EXPECT_EQ(song.Lines(6)[0], "C, x, 3, 2, 0, 1, 0, Q");
    EXPECT_EQ(song.Lines(6)[1], std::string(254, 'a'));
    EXPECT_EQ(song.Lines(6)[2], std::string(254, 'b'));
    EXPECT_EQ(song.Lines(6)[3], "caf\xC3\xA9");
    EXPECT_EQ(part.drumSlots, s.drums.drumSlots);
    EXPECT_EQ(part.store.Lines(), s.drums.store.Lines());
    EXPECT_EQ(part.list.Items(), s.drums.list.Items());
    EXPECT_EQ(part.ids.Next(), 2);
}

TEST_F(SongFileOnDisk, SaveAndOpenRoundTripWithTheFileRules) {
    NewSong s;
    s.song.Tempo = 96;
    s.song.TimeSignature = "0608";
    s.song.SongTranspose = -3;
    s.song.CurrentTab = 12;
    s.song.SongTitle = "Title";
    s.song.SongReserved = "kept";
    s.song.Lines(1) = {"C, 48, 52, 55, x, x, x, x, x, x, x, Q", "", "*Tempo 90"};
    s.song.Lines(12) = {"E, 0, x, x, x, H"};
    s.song.Tab(12).Volume = 77;
    s.song.Tab(12).Solo = true;
    s.song.Tab(12).Modified = true;
    s.song.Tab(3).SavedCaretLine = 40;
    s.song.Tab(3).SavedHasSelection = true;
    ChooseBuiltInBeat(s.drums, 4);
    ChooseBuiltInBeat(s.drums, 2);
    s.drums.list.SetItem(0, FormatPatternListLine("Big id", 41, kFeelRegular));
    s.drums.store.AppendGrid(s.drums.list.Item(0), s.drums.grid);

    const std::string path = Path("song.twd");
    std::string error;
    ASSERT_TRUE(WriteSongFile(path, s.song, s.drums, &error)) << error;
    EXPECT_FALSE(s.song.Tab(12).Solo);     // Solo is cleared in memory too
    EXPECT_FALSE(s.song.Tab(12).Modified); // a saved song is unmodified
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1); // no temporary left

    NewSong opened;
    opened.song.Tab(6).Colour = 0x123456; // a colour changed in the running program survives
    ASSERT_EQ(ReadSongFile(path, opened.song, opened.drums), TSongReadResult::Ok);
    EXPECT_EQ(opened.song.Tempo, 96);
    EXPECT_EQ(opened.song.TimeSignature, "0608");
    EXPECT_EQ(opened.song.SongTranspose, -3);
    EXPECT_EQ(opened.song.CurrentTab, 12);
    EXPECT_EQ(opened.song.SongTitle, "Title");
    EXPECT_EQ(opened.song.SongReserved, "kept");
    EXPECT_EQ(opened.song.Lines(1), s.song.Lines(1));
    EXPECT_EQ(opened.song.Lines(12), s.song.Lines(12));
    EXPECT_EQ(opened.song.Tab(12).Volume, 77);
    EXPECT_EQ(opened.song.Tab(6).Colour, 0x123456);
    EXPECT_EQ(opened.song.Tab(3).SavedCaretLine, 0); // the first line
    EXPECT_FALSE(opened.song.Tab(3).SavedHasSelection);
    EXPECT_EQ(opened.song.Tab(10).SavedCaretLine, 0);
    EXPECT_EQ(opened.drums.sigUpper, 6);
    EXPECT_EQ(opened.drums.sigLower, 8);
    EXPECT_EQ(opened.drums.list.Items(), s.drums.list.Items());
    EXPECT_EQ(opened.drums.ids.Next(), 42); // above every id in the list, not the store's length
}

// Inflates with zlib directly: windowBits -15 for a raw stream, 15 for one with the zlib wrapper.
bool Inflate(const std::vector<uint8_t> &in, int windowBits, std::vector<uint8_t> &out) {
    z_stream zs{};
    if (inflateInit2(&zs, windowBits) != Z_OK)
        return false;
    out.assign(1 << 20, 0);
    zs.next_in = const_cast<Bytef *>(in.data());
    zs.avail_in = static_cast<uInt>(in.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    inflateEnd(&zs);
    return rc == Z_STREAM_END;
}

TEST_F(SongFileOnDisk, TheFileIsARawDeflateStreamBothWays) {
    NewSong s;
    s.song.SongTitle = "Raw";
    s.song.Lines(3) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    const std::vector<uint8_t> image = EncodeSongImage(s.song, s.drums);
    const std::string path = Path("raw.twd");
    ASSERT_TRUE(WriteSongFile(path, s.song, s.drums));
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> out;
    ASSERT_TRUE(Inflate(file, -15, out));
    EXPECT_EQ(out, image);
    EXPECT_FALSE(Inflate(file, 15, out)); // no zlib header

    // Another writer's stream: the image in stored blocks of at most 65,535 bytes.
    std::vector<uint8_t> stored;
    for (size_t at = 0; at < image.size();) {
        const size_t n = std::min<size_t>(image.size() - at, 65535);
        const bool last = at + n == image.size();
        stored.insert(stored.end(),
                      {uint8_t(last ? 1 : 0), uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
        stored.insert(stored.end(), image.begin() + static_cast<long>(at), image.begin() + static_cast<long>(at + n));
        at += n;
    }
    NewSong opened;
    ASSERT_EQ(ReadSongBytes(stored, opened.song, opened.drums), TSongReadResult::Ok);
    EXPECT_EQ(opened.song.SongTitle, "Raw");
    EXPECT_EQ(opened.song.Lines(3), s.song.Lines(3));
}

TEST_F(SongFileOnDisk, MissingOrCorruptFilesChangeNothing) {
    NewSong open;
    open.song.Lines(2) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    ChooseBuiltInBeat(open.drums, 3);
    const TSongModel before = open.song;
    const std::vector<std::string> storeBefore = open.drums.store.Lines();

    EXPECT_EQ(ReadSongFile(Path("none.twd"), open.song, open.drums), TSongReadResult::NotFound);

    NewSong other;
    other.song.Lines(5) = {"x"};
    std::vector<uint8_t> compressed;
    ASSERT_TRUE(DeflateRaw(EncodeSongImage(other.song, other.drums), compressed));
    std::vector<std::vector<uint8_t>> bad;
    bad.push_back({'n', 'o', 't', ' ', 'd', 'e', 'f', 'l', 'a', 't', 'e'});
    bad.push_back(
        std::vector<uint8_t>(compressed.begin(), compressed.begin() + static_cast<long>(compressed.size() / 2)));
    // A complete stream of an image that ends early.
    std::vector<uint8_t> image = EncodeSongImage(other.song, other.drums);
    image.resize(image.size() - 10);
    bad.emplace_back();
    ASSERT_TRUE(DeflateRaw(image, bad.back()));
    // A line count far beyond the image.
    image = EncodeSongImage(other.song, other.drums);
    image[68608] = 0xFF;
    image[68609] = 0xFF;
    bad.emplace_back();
    ASSERT_TRUE(DeflateRaw(image, bad.back()));
    // Not a song: an image of zeros (every count 0, so it is read to the end) ...
    bad.emplace_back();
    const NewSong empty; // no lines and no patterns: an image of zeros has its length
    const std::vector<uint8_t> zeros(EncodeSongImage(empty.song, empty.drums).size(), 0);
    ASSERT_TRUE(DeflateRaw(zeros, bad.back()));
    // ... a valid song's image with bytes after its trailer ...
    image = EncodeSongImage(other.song, other.drums);
    image.insert(image.end(), {'j', 'u', 'n', 'k'});
    bad.emplace_back();
    ASSERT_TRUE(DeflateRaw(image, bad.back()));
    // ... and a valid song file with bytes after its stream.
    bad.push_back(compressed);
    bad.back().insert(bad.back().end(), {'j', 'u', 'n', 'k'});
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(ReadSongBytes(bad[i], open.song, open.drums), TSongReadResult::Corrupt) << i;
        EXPECT_TRUE(SameSong(open.song, before)) << i;
        EXPECT_EQ(open.drums.store.Lines(), storeBefore) << i;
    }
    // An image that inflates beyond the cap is refused.
    std::vector<uint8_t> big(1 << 20, 0), bomb;
    ASSERT_TRUE(DeflateRaw(big, bomb));
    EXPECT_EQ(ReadSongBytes(bomb, open.song, open.drums, 1 << 16), TSongReadResult::Corrupt);
}

TEST(SongFileLimits, CountsTheFileHoldsAndTheLargestImageOfAFile) {
    // A count beyond the file's 32-bit fields is named before anything is written.
    const struct {
        uint64_t lines;
        const char *error;
    } counts[] = {
        {0, ""},
        {2147483647, ""},
        {2147483648ull, "GUITAR has 2,147,483,648 lines, more than a song file can hold (2,147,483,647)."},
        {UINT64_MAX, "GUITAR has 18,446,744,073,709,551,615 lines, more than a song file can hold (2,147,483,647)."},
    };
    for (const auto &c : counts)
        EXPECT_EQ(SongFileCountError("GUITAR", c.lines), c.error) << c.lines;
    NewSong s;
    s.song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, Q"};
    ChooseBuiltInBeat(s.drums, 1);
    EXPECT_EQ(SongFileLimitError(s.song, s.drums), "");

    const struct {
        uint64_t fileBytes;
        size_t bound;
    } bounds[] = {{0, 0},
                  {1, 1032},
                  {1000, 1032000},
                  {SIZE_MAX / 1032, SIZE_MAX / 1032 * 1032},
                  {SIZE_MAX / 1032 + 1, SIZE_MAX},
                  {UINT64_MAX, SIZE_MAX}};
    for (const auto &b : bounds)
        EXPECT_EQ(SongImageBound(b.fileBytes), b.bound) << b.fileBytes;
    // The densest streams zlib makes (zeros, at its fastest and its best level) stay within the
    // bound of their own size, so the reader opens whatever any writer can make.
    for (const int level : {1, 9}) {
        for (const size_t size : {size_t(1) << 16, size_t(1) << 24}) {
            const std::vector<uint8_t> zeros(size, 0);
            std::vector<uint8_t> out(compressBound(static_cast<uLong>(size)) + 64);
            z_stream zs{};
            ASSERT_EQ(deflateInit2(&zs, level, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY), Z_OK);
            zs.next_in = const_cast<Bytef *>(zeros.data());
            zs.avail_in = static_cast<uInt>(size);
            zs.next_out = out.data();
            zs.avail_out = static_cast<uInt>(out.size());
            ASSERT_EQ(deflate(&zs, Z_FINISH), Z_STREAM_END);
            const size_t compressed = zs.total_out;
            deflateEnd(&zs);
            EXPECT_LE(size, SongImageBound(compressed)) << level << " " << size;
        }
    }
}

TEST_F(SongFileOnDisk, ASongBeyondAnyFixedCapSavesAndOpensAgain) {
    // 72,000 empty lines on every note tab: an image of over 256 MiB from a file of about 1 MiB.
    NewSong s;
    for (int n = 1; n <= kTabCount; ++n)
        if (s.song.Tab(n).Kind != TKind::Drums)
            s.song.Lines(n).assign(72000, "");
    s.song.Lines(16).back() = "last";
    ASSERT_GT(SongImageSize(s.song, s.drums), uint64_t(256) << 20);
    const std::string path = Path("big.twd");
    std::string error;
    ASSERT_TRUE(WriteSongFile(path, s.song, s.drums, &error)) << error;
    NewSong opened;
    ASSERT_EQ(ReadSongFile(path, opened.song, opened.drums), TSongReadResult::Ok);
    EXPECT_TRUE(opened.song.TabLists == s.song.TabLists);
}

TEST_F(SongFileOnDisk, AFileOfManyReadsIsCheckedToItsLastByte) {
    // Lines of random letters hardly compress: the file takes several reads and its image several
    // windows, with blocks across their edges.
    NewSong s;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> letter(33, 126);
    for (int i = 0; i < 4000; ++i) {
        std::string line(250, ' ');
        for (char &c : line)
            c = static_cast<char>(letter(random));
        s.song.Lines(1 + i % 2).push_back(line);
    }
    const std::string path = Path("long.twd");
    ASSERT_TRUE(WriteSongFile(path, s.song, s.drums));
    const std::string file = ReadAll(path);
    ASSERT_GT(file.size(), size_t(3) << 18);
    NewSong open;
    ASSERT_EQ(ReadSongFile(path, open.song, open.drums), TSongReadResult::Ok);
    EXPECT_TRUE(open.song.TabLists == s.song.TabLists);

    for (const std::string &bad : {file + "j", file.substr(0, file.size() - 1), file.substr(0, file.size() / 2)}) {
        WriteAll(path, bad);
        EXPECT_EQ(ReadSongFile(path, open.song, open.drums), TSongReadResult::Corrupt) << bad.size();
        EXPECT_TRUE(open.song.TabLists == s.song.TabLists);
    }
}

TEST(SongImage, ValuesFromTheFileAreClamped) {
    NewSong s;
    TInstrumentTab &drums = s.song.Tab(10);
    drums.Channel = 99;
    drums.Volume = 500;
    s.song.Tab(6).Delay = -1000;
    s.song.Tab(6).Transpose = 30;
    s.song.Tempo = 0;
    s.song.CurrentTab = 40;
    ChooseBuiltInBeat(s.drums, 1);
    s.drums.drumSlots[0].caption = "200 Nonsense";
    s.drums.drumSlots[1].caption = "no number";
    std::vector<uint8_t> image = EncodeSongImage(s.song, s.drums);
    // Tab 6 claims to be the drums and a piano with strings; the kind follows the tab's place.
    TInstrumentTab fake = s.song.Tab(6);
    fake.Kind = TKind::Drums;
    fake.HighestString = 0;
    const TInstrumentTabRecord record = EncodeInstrumentTab(fake);
    std::memcpy(image.data() + 5 * 4288, record.data(), record.size());

    struct Sig {
        const char *text;
        const char *expected;
    };
    for (const Sig &sig : {Sig{"0316", "0316"}, Sig{"6564", "0404"}, Sig{"0306", "0404"}, Sig{"0004", "0404"},
                           Sig{"12", "0404"}, Sig{"0364", "0364"}}) {
        const size_t trailer = image.size() - 777;
        image[trailer + 4] = static_cast<uint8_t>(std::strlen(sig.text));
        std::memcpy(image.data() + trailer + 5, sig.text, std::strlen(sig.text));
        NewSong out;
        ASSERT_TRUE(DecodeSongImage(image, out.song, out.drums));
        EXPECT_EQ(out.song.TimeSignature, sig.expected) << sig.text;
        EXPECT_EQ(out.song.Tab(10).Channel, 15);
        EXPECT_EQ(out.song.Tab(10).Volume, 127);
        EXPECT_EQ(out.song.Tab(6).Kind, TKind::Guitar);
        EXPECT_EQ(out.song.Tab(6).HighestString, 5);
        EXPECT_EQ(out.song.Tab(6).Delay, -120);
        EXPECT_EQ(out.song.Tab(6).Transpose, 24);
        EXPECT_EQ(out.song.Tempo, 120);
        EXPECT_EQ(out.song.CurrentTab, 1);
        EXPECT_EQ(out.drums.drumSlots[0].note, 20);                   // "200 Nonsense": the first two characters
        EXPECT_EQ(out.drums.drumSlots[1], MakeDefaultDrumSlots()[1]); // unreadable: the slot keeps its default
    }

    // The other ends of the ranges.
    s.song.Tempo = 900;
    s.song.SongTranspose = -40;
    s.song.CurrentTab = 0;
    s.song.Tab(3).Patch = 300;
    s.song.Tab(3).Balance = -5;
    s.song.Tab(3).Channel = -1;
    s.drums.drumSlots[0].caption = "-5 Below";
    s.drums.drumSlots[3].caption = "046 Open Hi-hat ";
    NewSong out;
    ASSERT_TRUE(DecodeSongImage(EncodeSongImage(s.song, s.drums), out.song, out.drums));
    EXPECT_EQ(out.song.Tempo, 500);
    EXPECT_EQ(out.song.SongTranspose, -24);
    EXPECT_EQ(out.song.CurrentTab, 1);
    EXPECT_EQ(out.song.Tab(3).Patch, 127);
    EXPECT_EQ(out.song.Tab(3).Balance, 0);
    EXPECT_EQ(out.song.Tab(3).Channel, 0);
    EXPECT_EQ(out.drums.drumSlots[0].note, 0);
    EXPECT_EQ(out.drums.drumSlots[3], (DrumSlot{"46 Open Hi-hat", 46})); // a leading 0 is dropped, blanks trimmed
}

TEST_F(SongFileOnDisk, AFailedSaveKeepsTheOldFileAndTheMarks) {
    NewSong s;
    s.song.Tab(4).Modified = true;
    std::string error;
    EXPECT_FALSE(WriteSongFile(Path("no/such/folder/x.twd"), s.song, s.drums, &error));
    // A file that cannot be written is no compression failure: the path and the system's reason.
    EXPECT_EQ(error, "Save Failed.\n" + Path("no/such/folder/x.twd") + ": No such file or directory");
    EXPECT_TRUE(s.song.Tab(4).Modified);
}

// The song file, the text export and the tablature text are written alike.
TEST_F(SongFileOnDisk, SavingHonoursWhatIsOnDisk) {
    NewSong s;
    s.song.Lines(1) = {"saved"};
    disk::RunDiskSituations(dir_ / "song", {".twd", [&s](const std::string &path) {
                                                s.song.Tab(1).Modified = true;
                                                std::string error;
                                                const bool saved = WriteSongFile(path, s.song, s.drums, &error);
                                                EXPECT_EQ(s.song.Tab(1).Modified, !saved); // a failure keeps the marks
                                                return error;
                                            }});
    auto text = [](auto write) {
        return [write](const std::string &path) {
            std::string reason;
            return write(path, &reason) == TTextExportResult::Written ? std::string()
                                                                      : platform::SaveFailedText(path, reason);
        };
    };
    disk::RunDiskSituations(dir_ / "text", {".txt", text([&s](const std::string &path, std::string *reason) {
                                                return WriteTextExport(path, s.song, false, reason);
                                            })});
    disk::RunDiskSituations(dir_ / "tab", {".txt", text([](const std::string &path, std::string *reason) {
                                               return WriteTextFile(path, "e|--3--|\r\nB|--0--|\r\n", false, reason);
                                           })});
}

TEST_F(SongFileOnDisk, SavingKeepsTheOwnerAndGroupWhereAllowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another owner";
    const fs::path path = dir_ / "theirs.twd";
    WriteAll(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    NewSong s;
    ASSERT_TRUE(WriteSongFile(path.string(), s.song, s.drums));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
}

TEST_F(SongFileOnDisk, AFileThatCannotBeReadSaysWhy) {
    NewSong open;
    open.song.Lines(2) = {"kept"};
    std::string reason;
    fs::create_directory(dir_ / "folder.twd");
    EXPECT_EQ(ReadSongFile((dir_ / "folder.twd").string(), open.song, open.drums, kMaxSongImageBytes, &reason),
              TSongReadResult::Unreadable);
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_EQ(open.song.Lines(2), std::vector<std::string>{"kept"});
}

TEST_F(SongFileOnDisk, AFileWithoutReadPermissionSaysSo) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads a file of mode 0000";
    NewSong open;
    std::string reason;
    ASSERT_TRUE(WriteSongFile(Path("locked.twd"), open.song, open.drums));
    ::chmod(Path("locked.twd").c_str(), 0);
    EXPECT_EQ(ReadSongFile(Path("locked.twd"), open.song, open.drums, kMaxSongImageBytes, &reason),
              TSongReadResult::Unreadable);
    EXPECT_EQ(reason, "Permission denied");
}

TEST(SongImage, LinesTheFileCannotHoldAreNamed) {
    NewSong s;
    s.song.Tab(6).Name = "Guitar 1";
    std::string e254; // 254 times "é": 508 bytes of UTF-8, 254 characters in the file
    for (int i = 0; i < 254; ++i)
        e254 += "\xC3\xA9";
    s.song.Lines(6) = {
        std::string(254, 'a'), std::string(255, 'b'),   "caf\xC3\xA9 ?", "arrow \xE2\x86\x92", e254, "x" + e254,
        "euro \xE2\x82\xAC",   "smile \xF0\x9F\x98\x80"};
    s.song.Lines(1) = {"\xFF broken UTF-8"};
    const std::vector<TLineRef> cut = LinesCutBySongFile(s.song);
    EXPECT_EQ(cut, (std::vector<TLineRef>{{1, 0}, {6, 1}, {6, 3}, {6, 5}, {6, 7}}));
    const std::string question = LinesCutQuestion(s.song, cut, 4);
    EXPECT_NE(question.find("Guitar 1, line 2\n"), std::string::npos) << question;
    EXPECT_NE(question.find("Guitar 1, line 6\n"), std::string::npos) << question;
    EXPECT_EQ(question.find("line 8"), std::string::npos) << question; // beyond the first four
    EXPECT_NE(question.find("and 1 more\n"), std::string::npos) << question;
    EXPECT_TRUE(question.ends_with("Save anyway?"));
}

TEST(NewSongReset, KeepsTheTitleAndResetsTabsAndDrums) {
    NewSong s;
    s.song.SongTitle = "Keep me";
    s.song.TimeSignature = "0608";
    s.song.Tempo = 200;
    s.song.CurrentTab = 7;
    s.song.Lines(3) = {"x"};
    s.song.ChordVoicings[2] = {"v"};
    s.song.Tab(7).Mute = true;
    s.song.Tab(7).Patch = 99;
    s.song.Tab(7).Colour = 0x42;
    s.song.Tab(7).Bookmarks[0] = 5;
    s.song.Tab(12).Channel = 3;
    s.song.Tab(12).TuningSpelling = "232323232323";
    s.song.Tab(12).Delay = 40;
    s.song.Tab(12).Transpose = -5;
    s.song.Tab(12).Solo = true;
    s.song.Tab(12).SavedCaretLine = 9;
    s.song.Tab(12).SavedHasSelection = true;
    for (int n : {1, 6, 12, 13, 10})
        s.song.Tab(n).DurationCode = 107;
    ChooseBuiltInBeat(s.drums, 6);
    s.drums.drumSlots[4] = {"56 Cowbell", 56};
    ResetSongModel(s.song, s.drums);
    // Each tab's MIDI settings from its defaults, its editor state as a new song starts it.
    const TInstrumentTab &bass = s.song.Tab(12);
    EXPECT_EQ(bass.Channel, bass.DefaultChannel);
    EXPECT_EQ(bass.TuningSpelling, bass.DefaultTuningSpelling);
    EXPECT_EQ(bass.Delay, 0);
    EXPECT_EQ(bass.Transpose, 0);
    EXPECT_FALSE(bass.Solo);
    EXPECT_EQ(bass.SavedCaretLine, -1);
    EXPECT_FALSE(bass.SavedHasSelection);
    EXPECT_EQ(s.song.Tab(1).DurationCode, 3);    // piano: quarter
    EXPECT_EQ(s.song.Tab(6).DurationCode, 4);    // guitar: eighth
    EXPECT_EQ(bass.DurationCode, 2);             // bass: half
    EXPECT_EQ(s.song.Tab(13).DurationCode, 5);   // banjo: sixteenth
    EXPECT_EQ(s.song.Tab(10).DurationCode, 107); // the Drums tab keeps its own
    EXPECT_EQ(s.drums.feel, kFeelRegular);
    EXPECT_EQ(s.drums.builtInBeat, 0);
    EXPECT_EQ(s.drums.grid.Columns(), 16);
    EXPECT_EQ(s.song.SongTitle, "Keep me");
    EXPECT_EQ(s.song.TimeSignature, "0404");
    EXPECT_EQ(s.song.Tempo, 120);
    EXPECT_EQ(s.song.CurrentTab, 1);
    EXPECT_TRUE(s.song.Lines(3).empty());
    EXPECT_TRUE(s.song.ChordVoicings[2].empty());
    EXPECT_FALSE(s.song.Tab(7).Mute);
    EXPECT_EQ(s.song.Tab(7).Patch, 25);
    EXPECT_EQ(s.song.Tab(7).Volume, 100);
    EXPECT_EQ(s.song.Tab(7).Balance, 64);
    EXPECT_EQ(s.song.Tab(7).Colour, 0x42);
    EXPECT_EQ(s.song.Tab(7).Bookmarks[0], -1);
    EXPECT_EQ(s.drums.sigUpper, 4);
    EXPECT_EQ(s.drums.sigLower, 4);
    EXPECT_EQ(CountInTicks(s.song, s.drums, TPlaySettings{false, true, 1}), 4 * 192); // quarter notes again
    EXPECT_TRUE(s.drums.list.Empty());
    EXPECT_TRUE(s.drums.store.Empty());
    EXPECT_EQ(s.drums.drumSlots, MakeDefaultDrumSlots());
    EXPECT_EQ(s.drums.ids.Next(), 1);
    EXPECT_EQ(UntitledSongPath("/home/u/Documents"), "/home/u/Documents/Untitled.twd");
}

} // namespace
