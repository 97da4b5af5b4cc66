#pragma once
// The open song as one document: the model of the sixteen tabs, the drum part, the file name the
// window shows and the file the song was last read from or written to. Reading, writing and
// starting afresh return what happened; the window shows the message and refreshes itself.
// The modified marks sit on the tabs' records; the document answers for them as a whole.
#include "song/PatternStore.h"
#include "song/SongModel.h"

#include <string>

// What a read or a write did. On failure `message` is the text for the user, and `notFound`
// tells a missing file (a plain notice) from one that could not be read or written (an error).
struct TDocumentResult {
    bool ok = true;
    bool notFound = false;
    std::string message;
};

class TSongDocument {
public:
    TSongModel Song;
    DrumPart Drums;
    // The song's name: always an absolute path ("Untitled.twd" in the per-user folder for a new song).
    std::string FileName;
    // The file this song was last read from or written to; empty for a new song.
    std::string SongFilePath;

    bool AnyTabModified() const;
    void ClearModifiedMarks();

    // Reads the song file at `path` (UTF-8). On success the song, the drum part and both names are
    // the file's and no tab is marked; on failure nothing here changes.
    TDocumentResult Read(const std::string &path);
    // Writes the song to `path`; on success it becomes the song's file and the marks are cleared.
    // On failure nothing on disk changes and the marks stay.
    TDocumentResult Write(const std::string &path);
    // A new, empty song named `untitledPath`, tab 1 current, nothing marked (title and colours kept,
    // as ResetSongModel keeps them).
    void Reset(const std::string &untitledPath);
};
