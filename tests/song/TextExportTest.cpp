#include "song/TextExport.h"
#include "song/NewSong.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(TextExport, TabsWithLinesUnderTheirNames) {
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    EXPECT_EQ(BuildTextExport(song), "");
    song.Lines(6) = {"*Tempo 90", "", "C, x, 3, 2, 0, 1, 0, Q"};
    song.Lines(2) = {"caf\xC3\xA9"};
    EXPECT_EQ(BuildTextExport(song), "Piano 2\r\n\r\ncaf\xC3\xA9\r\n\r\n\r\n\r\n"
                                     "Guitar\r\n\r\n*Tempo 90\r\n\r\nC, x, 3, 2, 0, 1, 0, Q\r\n\r\n\r\n\r\n");
}

TEST(TextExport, NamesAndFiles) {
    EXPECT_EQ(ProposeTextExportName("/songs/Blues.twd", "Guitar"), "/songs/Blues_Guitar.txt");
    EXPECT_EQ(ProposeTextExportName("/songs/Blues", "Bass"), "/songs/Blues_Bass.txt");
    EXPECT_EQ(ProposeTextExportName("/my.songs/a.b.tw1", "Uke"), "/my.songs/a.b_Uke.txt");
    // A tab name read from a file cannot lead the proposal out of the song's folder.
    EXPECT_EQ(ProposeTextExportName("/songs/Blues.twd", "AC/DC"), "/songs/Blues_AC_DC.txt");
    EXPECT_EQ(ProposeTextExportName("/songs/Blues.twd", "../../etc/x"), "/songs/Blues_.._.._etc_x.txt");
    EXPECT_EQ(TextExportPath("/x/out.doc"), "/x/out.txt");
    EXPECT_EQ(TextExportPath("/x/out"), "/x/out.txt");

    const fs::path dir = fs::temp_directory_path() / ("tw_textexport_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    TSongModel song;
    song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    const std::string expected = BuildTextExport(song);

    EXPECT_EQ(WriteTextExport((dir / "a.txt").string(), song), TTextExportResult::Written);
    EXPECT_EQ(ReadAll(dir / "a.txt"), expected); // no byte-order mark
    // "b.doc" was chosen (and so confirmed): b.txt is written; once b.txt exists, it is not
    // overwritten without asking.
    EXPECT_EQ(WriteTextExport((dir / "b.doc").string(), song), TTextExportResult::Written);
    std::ofstream(dir / "b.txt") << "keep";
    EXPECT_EQ(WriteTextExport((dir / "b.doc").string(), song), TTextExportResult::NeedsConfirmation);
    EXPECT_EQ(ReadAll(dir / "b.txt"), "keep");
    EXPECT_EQ(WriteTextExport((dir / "b.doc").string(), song, true), TTextExportResult::Written);
    EXPECT_EQ(ReadAll(dir / "b.txt"), expected);
    EXPECT_FALSE(fs::exists(dir / "b.doc"));
    EXPECT_EQ(WriteTextExport((dir / "none" / "c.txt").string(), song), TTextExportResult::Failed);
    fs::remove_all(dir);
}

} // namespace
