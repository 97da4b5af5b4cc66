#pragma once
// The text export of a song: every tab that holds lines, under its name, as one UTF-8 text file
// (no byte-order mark, CRLF line ends). Drum patterns are not part of it. The window stores the
// shown tab's text first, shows the save dialog (which asks before overwriting the chosen file)
// and keeps the editor's view as it was.
#include "song/SongModel.h"

#include <string>
#include <string_view>

// For each tab 1..16 with at least one stored line: its name, an empty line, its lines as they are
// (directives and blank lines included), then three empty lines; every line ends with CR LF. A song
// without lines gives an empty text.
std::string BuildTextExport(const TSongModel &song);

// The name the save dialog proposes: the song file's folder and base name (without its extension)
// + "_" + the tab's name + ".txt" ("/songs/Blues.twd" and "Guitar" give "/songs/Blues_Guitar.txt"); a "/"
// in the tab's name becomes "_".
std::string ProposeTextExportName(const std::string &songFileName, const std::string &tabName);
// The file actually written: the chosen name with its extension changed to ".txt".
std::string TextExportPath(const std::string &chosenName);

enum class TTextExportResult {
    Written,
    // The ".txt" file differs from the name the user chose and exists: the user was not asked about
    // it. The window asks, and calls again with overwriteConfirmed set.
    NeedsConfirmation,
    Failed, // the file could not be written (`reason`, when given, says why); nothing on disk changed
};
// Writes the export to TextExportPath(chosenName) through platform::WriteFileAtomically.
TTextExportResult WriteTextExport(const std::string &chosenName, const TSongModel &song,
                                  bool overwriteConfirmed = false, std::string *reason = nullptr);
// Writes any text the same way (the tablature window saves its ASCII tablature so).
TTextExportResult WriteTextFile(const std::string &chosenName, std::string_view text, bool overwriteConfirmed = false,
                                std::string *reason = nullptr);
