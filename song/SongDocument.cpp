#include "song/SongDocument.h"

#include "song/NewSong.h"
#include "song/SongFile.h"

#include <utility>

bool TSongDocument::AnyTabModified() const {
    for (const auto &tab : Song.Tabs)
        if (tab.Modified)
            return true;
    return false;
}

void TSongDocument::ClearModifiedMarks() {
    for (auto &tab : Song.Tabs)
        tab.Modified = false;
}

TDocumentResult TSongDocument::Read(const std::string &path) {
    TSongModel song = Song;
    DrumPart drums = Drums;
    std::string reason;
    switch (ReadSongFile(path, song, drums, kMaxSongImageBytes, &reason)) {
    case TSongReadResult::NotFound:
        return {.ok = false, .notFound = true, .message = "File not found: " + path};
    case TSongReadResult::Unreadable:
        return {.ok = false, .message = "Can't read " + path + ": " + reason};
    case TSongReadResult::Corrupt:
        // The open song stays as it was, under its own name.
        return {.ok = false, .message = std::string(kCorruptSongMessage)};
    case TSongReadResult::Ok:
        break;
    }
    Song = std::move(song);
    Drums = std::move(drums);
    FileName = path;
    SongFilePath = path;
    ClearModifiedMarks();
    return {};
}

TDocumentResult TSongDocument::Write(const std::string &path) {
    std::string error;
    if (!WriteSongFile(path, Song, Drums, &error))
        return {.ok = false, .message = error};
    SongFilePath = path;
    ClearModifiedMarks();
    return {};
}

void TSongDocument::Reset(const std::string &untitledPath) {
    ResetSongModel(Song, Drums);
    Song.CurrentTab = 1;
    FileName = untitledPath;
    SongFilePath.clear();
    ClearModifiedMarks();
}
