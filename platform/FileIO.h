#pragma once
// Reading and writing the program's files. Every file the program writes (song file, MIDI file,
// text export, tablature text) goes through WriteFileAtomically; the song file, a MIDI file and the
// user's chord formulas are read through FileReader, which opens regular files only.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::string_view kTempFilePrefix = ".twsave-";
inline constexpr std::string_view kReadOnlyReason = "The file is read-only.";
// What the window shows when a file cannot be written: this, a line break, the path and the reason.
inline constexpr std::string_view kSaveFailedMessage = "Save Failed.";

struct WriteResult {
    bool ok = true;
    std::string reason; // the system's text when not ok
    explicit operator bool() const { return ok; }
};

// Replaces the file at `path` with `bytes`, so that a crash leaves either the old or the new file:
//  - a symbolic link is followed, and its final target is the file written;
//  - an existing file without any write permission bit, or one this user may not write, is refused;
//  - the bytes go to a temporary file in the target's folder (a short name of kTempFilePrefix and six
//    characters, so a target name of up to 255 bytes works), which is flushed, closed, given the old
//    file's mode, owner and group (as far as the system allows; a new file gets 0666 less the umask)
//    and renamed over the target;
//  - temporary files of that pattern left in the folder by a save that was killed are removed first
//    (a save in progress holds a lock on its own).
// On failure nothing on disk is changed and the result holds the cause.
WriteResult WriteFileAtomically(const std::string &path, std::span<const uint8_t> bytes);
WriteResult WriteFileAtomically(const std::string &path, std::string_view text);

// kSaveFailedMessage, a line break, `path`, ": " and `reason`.
std::string SaveFailedText(std::string_view path, std::string_view reason);

// A regular file opened for reading. Opening never waits (a FIFO or a device is refused, not
// opened for good) and every failure carries the system's text.
class FileReader {
public:
    enum class TOpen { Ok, NotFound, Failed };

    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    // NotFound: nothing at the path (or a folder on the way is missing). Failed: anything else that
    // is not a readable regular file ("Is a directory" for a folder).
    TOpen Open(const std::string &path, std::string *reason = nullptr);
    // The file's size when it was opened.
    uint64_t Size() const { return size_; }
    // Reads up to buffer.size() bytes: their count, 0 at the end; false on a read error (with the
    // reason).
    bool Read(std::span<uint8_t> buffer, size_t &count, std::string *reason = nullptr);
    void Close();

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

enum class TReadFile { Ok, NotFound, TooBig, Failed };
// The whole of a regular file of at most `maxBytes` into `bytes`.
TReadFile ReadWholeFile(const std::string &path, std::vector<uint8_t> &bytes, uint64_t maxBytes,
                        std::string *reason = nullptr);

} // namespace platform
