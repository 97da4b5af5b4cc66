#include "song/TextExport.h"

#include "platform/FileIO.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

std::string BuildTextExport(const TSongModel &song) {
    std::string text;
    for (int n = 1; n <= kTabCount; ++n) {
        const std::vector<std::string> &lines = song.Lines(n);
        if (lines.empty())
            continue;
        text += song.Tab(n).Name + "\r\n\r\n";
        for (const std::string &line : lines)
            text += line + "\r\n";
        text += "\r\n\r\n\r\n";
    }
    return text;
}

std::string ProposeTextExportName(const std::string &songFileName, const std::string &tabName) {
    const fs::path song(songFileName);
    // The tab's name comes from the song file: a separator in it would point into another folder.
    std::string name = tabName;
    std::replace(name.begin(), name.end(), '/', '_');
    return (song.parent_path() / (song.stem().string() + "_" + name + ".txt")).string();
}

std::string TextExportPath(const std::string &chosenName) {
    return fs::path(chosenName).replace_extension(".txt").string();
}

TTextExportResult WriteTextExport(const std::string &chosenName, const TSongModel &song, bool overwriteConfirmed,
                                  std::string *reason) {
    return WriteTextFile(chosenName, BuildTextExport(song), overwriteConfirmed, reason);
}

TTextExportResult WriteTextFile(const std::string &chosenName, std::string_view text, bool overwriteConfirmed,
                                std::string *reason) {
    const std::string path = TextExportPath(chosenName);
    std::error_code ec;
    if (!overwriteConfirmed && path != chosenName && fs::exists(path, ec))
        return TTextExportResult::NeedsConfirmation;
    const platform::WriteResult written = platform::WriteFileAtomically(path, text);
    if (!written && reason)
        *reason = written.reason;
    return written ? TTextExportResult::Written : TTextExportResult::Failed;
}
