#include "song/SongDocument.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string TempPath(const char *name) { return (std::filesystem::temp_directory_path() / name).string(); }

TSongDocument NamedSong() {
    TSongDocument doc;
    doc.Reset("/songs/Untitled.twd");
    doc.Song.Tempo = 97;
    doc.Song.Tab(3).Modified = true;
    return doc;
}

} // namespace

TEST(SongDocument, FailedReadKeepsSongNamesAndMarks) {
    TSongDocument doc = NamedSong();
    const TDocumentResult r = doc.Read(TempPath("tw-no-such-song.twd"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.notFound);
    EXPECT_EQ(r.message, "File not found: " + TempPath("tw-no-such-song.twd"));
    EXPECT_EQ(doc.Song.Tempo, 97);
    EXPECT_EQ(doc.FileName, "/songs/Untitled.twd");
    EXPECT_TRUE(doc.SongFilePath.empty());
    EXPECT_TRUE(doc.AnyTabModified());
}

TEST(SongDocument, FailedWriteKeepsMarksAndFile) {
    TSongDocument doc = NamedSong();
    const TDocumentResult r = doc.Write(TempPath("tw-no-such-folder/x.twd"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.notFound);
    EXPECT_FALSE(r.message.empty());
    EXPECT_TRUE(doc.SongFilePath.empty());
    EXPECT_TRUE(doc.AnyTabModified());
}

TEST(SongDocument, WrittenSongReadsBackUnderItsName) {
    const std::string path = TempPath("tw-document-round-trip.twd");
    TSongDocument doc = NamedSong();
    ASSERT_TRUE(doc.Write(path).ok);
    EXPECT_EQ(doc.SongFilePath, path);
    EXPECT_FALSE(doc.AnyTabModified());

    TSongDocument other;
    other.Reset("/songs/Untitled.twd");
    other.Song.Tab(1).Modified = true;
    ASSERT_TRUE(other.Read(path).ok);
    EXPECT_EQ(other.Song.Tempo, 97);
    EXPECT_EQ(other.FileName, path);
    EXPECT_EQ(other.SongFilePath, path);
    EXPECT_FALSE(other.AnyTabModified());

    other.Reset("/songs/Untitled.twd");
    EXPECT_EQ(other.Song.Tempo, 120);
    EXPECT_EQ(other.FileName, "/songs/Untitled.twd");
    EXPECT_TRUE(other.SongFilePath.empty());
    std::filesystem::remove(path);
}
