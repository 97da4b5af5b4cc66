#include "DiskSituations.h"

#include "platform/FileIO.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

fs::path TestFolder() {
    return fs::temp_directory_path() / ("tw_fileio_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

} // namespace

TEST(FileWriter, HonoursWhatIsOnDisk) {
    disk::RunDiskSituations(TestFolder(), {".bin", [](const std::string &path) {
                                               const platform::WriteResult r =
                                                   platform::WriteFileAtomically(path, std::string(100, 'x'));
                                               return r ? std::string() : platform::SaveFailedText(path, r.reason);
                                           }});
}

// Only regular files are read: a FIFO would hold the reader for good, a device could be endless.
TEST(FileReader, ReadsRegularFilesOnly) {
    const fs::path dir = TestFolder();
    fs::remove_all(dir);
    fs::create_directories(dir);
    disk::WriteAll(dir / "ten.txt", "0123456789");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::vector<uint8_t> bytes;
    std::string reason;
    EXPECT_EQ(platform::ReadWholeFile((dir / "ten.txt").string(), bytes, 10, &reason), platform::TReadFile::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
    EXPECT_EQ(platform::ReadWholeFile((dir / "ten.txt").string(), bytes, 9), platform::TReadFile::TooBig);
    EXPECT_EQ(platform::ReadWholeFile((dir / "none").string(), bytes, 10), platform::TReadFile::NotFound);
    EXPECT_EQ(platform::ReadWholeFile((dir / "none" / "x").string(), bytes, 10), platform::TReadFile::NotFound);
    EXPECT_EQ(platform::ReadWholeFile((dir / "fifo").string(), bytes, 10, &reason), platform::TReadFile::Failed);
    EXPECT_EQ(reason, "Not a regular file");
    EXPECT_EQ(platform::ReadWholeFile("/dev/zero", bytes, 10), platform::TReadFile::Failed);
    EXPECT_EQ(platform::ReadWholeFile(dir.string(), bytes, 10, &reason), platform::TReadFile::Failed);
    EXPECT_EQ(reason, "Is a directory");
    fs::remove_all(dir);
}
