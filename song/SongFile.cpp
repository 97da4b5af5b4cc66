#include "song/SongFile.h"

#include "midi/ByteReader.h"
#include "song/NewSong.h"
#include "song/TextUtil.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Raised inside the decoder when the image ends early or holds an impossible count.
class ESongImage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
using ImageReader = TByteReader<ESongImage>;

// The image is mostly the zero padding of its blocks: a light level compresses it nearly as well as
// the default and about three times faster.
constexpr int kDeflateLevel = 3;

void PutInt32(std::vector<uint8_t> &out, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

// A 255-byte block: the length capped at 255, then the first 254 Windows-1252 bytes.
void PutBlock(std::vector<uint8_t> &out, std::string_view utf8) {
    const std::string bytes = Utf8ToCp1252(utf8);
    const size_t start = out.size();
    out.resize(start + kSongBlockSize, 0);
    out[start] = static_cast<uint8_t>(std::min<size_t>(bytes.size(), 255));
    std::memcpy(out.data() + start + 1, bytes.data(), std::min(bytes.size(), kSongBlockTextMax));
}

int32_t GetInt32(ImageReader &in) { return static_cast<int32_t>(in.U32LE()); }

// A block's text: min(length byte, maxChars) characters.
std::string GetBlock(ImageReader &in, size_t maxChars = kSongBlockTextMax) {
    const uint8_t *block = in.Bytes(kSongBlockSize);
    const size_t length = std::min<size_t>(block[0], maxChars);
    return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char *>(block + 1), length));
}

// A count of blocks that must fit in what is left of the image.
int32_t GetBlockCount(ImageReader &in) {
    const int32_t n = GetInt32(in);
    if (n < 0 || static_cast<size_t>(n) > in.Remaining() / kSongBlockSize)
        throw ESongImage("impossible count");
    return n;
}

std::vector<std::string> GetBlocks(ImageReader &in) {
    const int32_t n = GetBlockCount(in);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        lines.push_back(GetBlock(in));
    return lines;
}

void PutBlocks(std::vector<uint8_t> &out, const std::vector<std::string> &lines) {
    PutInt32(out, static_cast<int32_t>(lines.size()));
    for (const std::string &line : lines)
        PutBlock(out, line);
}

bool IsPowerOfTwoUpTo64(int value) {
    return value >= 1 && value <= 64 && (value & (value - 1)) == 0;
}

// A slot caption as the file holds it: a leading "0" is dropped, the caption is the text trimmed
// and the note the number in its first two characters. False when no note can be read.
bool ReadSlotCaption(std::string caption, DrumSlot &slot) {
    if (!caption.empty() && caption[0] == '0')
        caption.erase(0, 1);
    slot.caption = Trim(caption);
    const auto note = ReadInteger(TrimView(std::string_view(slot.caption).substr(0, 2)));
    if (!note)
        return false;
    slot.note = std::clamp<int32_t>(*note, 0, 127);
    return true;
}

} // namespace

std::vector<uint8_t> EncodeSongImage(const TSongModel &song, const DrumPart &drums) {
    size_t lineCount = 0;
    for (const auto &lines : song.TabLists)
        lineCount += lines.size() + 1;
    std::vector<uint8_t> out;
    out.reserve(kTabCount * kInstrumentTabRecordSize +
                (lineCount + drums.store.Lines().size() + drums.list.Count() + 16) * kSongBlockSize);

    for (int n = 1; n <= kTabCount; ++n) {
        TInstrumentTab tab = song.Tab(n);
        tab.Solo = false;
        const TInstrumentTabRecord record = EncodeInstrumentTab(tab);
        out.insert(out.end(), record.begin(), record.end());
    }
    for (int n = 1; n <= kTabCount; ++n) {
        if (song.Tab(n).Kind != TKind::Drums) {
            PutBlocks(out, song.Lines(n));
            continue;
        }
        const bool hasPatterns = !drums.list.Empty();
        out.push_back(hasPatterns ? 1 : 0);
        if (!hasPatterns)
            continue;
        PutInt32(out, kDrumRows);
        for (const DrumSlot &slot : drums.drumSlots)
            PutBlock(out, slot.caption);
        PutBlocks(out, drums.store.Lines());
        PutBlocks(out, drums.list.Items());
    }
    PutInt32(out, song.Tempo);
    PutBlock(out, song.TimeSignature);
    PutInt32(out, song.SongTranspose);
    PutInt32(out, song.CurrentTab);
    PutBlock(out, song.SongTitle);
    PutBlock(out, song.SongReserved);
    return out;
}

bool DecodeSongImage(std::span<const uint8_t> image, TSongModel &song, DrumPart &drums) {
    // Every song has its tabs' names and settings: sixteen records of zeros are not a song.
    const size_t recordBytes = size_t(kTabCount) * kInstrumentTabRecordSize;
    if (image.size() >= recordBytes &&
        std::all_of(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(recordBytes), [](uint8_t b) { return b == 0; }))
        return false;
    try {
        ImageReader in(image.data(), image.size(), "image ends early");
        for (int n = 1; n <= kTabCount; ++n) {
            TInstrumentTab &tab = song.Tab(n);
            const TInstrumentTab &def = DefaultInstrumentTab(n);
            DecodeInstrumentTab(std::span<const uint8_t, kInstrumentTabRecordSize>(
                                    in.Bytes(kInstrumentTabRecordSize), kInstrumentTabRecordSize),
                                tab);
            // A tab's place decides its instrument: the file cannot turn the Drums tab into a guitar.
            tab.Kind = def.Kind;
            tab.HighestString = def.HighestString;
            tab.ShortFifthString = def.ShortFifthString;
            SanitiseInstrumentTab(tab, n);
        }
        for (int n = 1; n <= kTabCount; ++n) {
            if (song.Tab(n).Kind != TKind::Drums) {
                song.Lines(n) = GetBlocks(in);
                continue;
            }
            const uint8_t flag = in.U8();
            if (flag > 1)
                throw ESongImage("bad drum flag");
            if (flag == 0)
                continue;
            const int32_t slotCount = GetBlockCount(in);
            for (int32_t i = 0; i < slotCount; ++i) {
                const std::string caption = GetBlock(in);
                if (i < kDrumRows) {
                    DrumSlot slot;
                    if (ReadSlotCaption(caption, slot))
                        drums.drumSlots[static_cast<size_t>(i)] = slot;
                }
            }
            drums.store.Lines() = GetBlocks(in);
            drums.list.Assign(GetBlocks(in));
            // Blocks that no list item names are never played, shown or saved again.
            if (drums.list.Empty())
                drums.store.Clear();
            drums.ids.FollowList(drums.list);
        }
        song.Tempo = GetInt32(in);
        song.TimeSignature = GetBlock(in, 10);
        song.SongTranspose = GetInt32(in);
        song.CurrentTab = GetInt32(in);
        song.SongTitle = GetBlock(in);
        song.SongReserved = GetBlock(in);
        if (in.Remaining() != 0)
            throw ESongImage("bytes after the trailer");
    } catch (const ESongImage &) {
        return false;
    }

    SanitiseSongFields(song);
    const auto sig = ParseTimeSignature(song.TimeSignature);
    if (!sig || sig->Upper > 64 || !IsPowerOfTwoUpTo64(sig->Lower))
        song.TimeSignature = "0404";
    drums.sigUpper = GetTimeSigUpper(song.TimeSignature);
    drums.sigLower = GetTimeSigLower(song.TimeSignature);
    drums.ResizeGridColumns();

    // Editor state of a freshly opened song: caret on the first line, nothing selected.
    for (int n = 1; n <= kTabCount; ++n) {
        TInstrumentTab &tab = song.Tab(n);
        tab.SavedCaretLine = tab.Kind == TKind::Drums ? 0 : 1;
        tab.SavedTopLine = 0;
        tab.SavedHasSelection = false;
        tab.SavedSelFirstLine = 0;
        tab.SavedSelLastLine = 0;
        tab.Bookmarks[0] = -1;
        tab.Modified = false;
        tab.Solo = false;
    }
    return true;
}

std::vector<TLineRef> LinesCutBySongFile(const TSongModel &song) {
    std::vector<TLineRef> cut;
    for (int n = 1; n <= kTabCount; ++n) {
        const std::vector<std::string> &lines = song.Lines(n);
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string &line = lines[i];
            const bool ascii = std::all_of(line.begin(), line.end(), [](char c) { return (c & 0x80) == 0; });
            if (ascii && line.size() <= kSongBlockTextMax)
                continue;
            const std::string stored = Utf8ToCp1252(line);
            if (stored.size() > kSongBlockTextMax || Cp1252ToUtf8(stored) != line)
                cut.push_back({n, static_cast<int>(i)});
        }
    }
    return cut;
}

std::string LinesCutQuestion(const TSongModel &song, const std::vector<TLineRef> &cut, size_t maxListed) {
    std::string text = "These lines are too long for the song file or hold characters it cannot store; "
                       "the file keeps only their first 254 characters, with \"?\" for the others:\n";
    for (size_t i = 0; i < cut.size() && i < maxListed; ++i)
        text += song.Tab(cut[i].tab).Name + ", line " + std::to_string(cut[i].line + 1) + "\n";
    if (cut.size() > maxListed)
        text += "and " + std::to_string(cut.size() - maxListed) + " more\n";
    return text + "Save anyway?";
}

bool DeflateRaw(std::span<const uint8_t> data, std::vector<uint8_t> &out) {
    z_stream zs{};
    if (deflateInit2(&zs, kDeflateLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    out.resize(deflateBound(&zs, static_cast<uLong>(data.size())));
    zs.next_in = const_cast<Bytef *>(data.data());
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return rc == Z_STREAM_END;
}

bool InflateRaw(std::span<const uint8_t> data, std::vector<uint8_t> &out, size_t maxBytes) {
    out.clear();
    z_stream zs{};
    if (inflateInit2(&zs, -15) != Z_OK)
        return false;
    zs.next_in = const_cast<Bytef *>(data.data());
    zs.avail_in = static_cast<uInt>(data.size());
    int rc = Z_OK;
    size_t chunk = std::max<size_t>(data.size() * 4, 64 * 1024);
    while (rc == Z_OK) {
        if (out.size() >= maxBytes) {
            rc = Z_BUF_ERROR;
            break;
        }
        const size_t have = out.size();
        const size_t room = std::min(chunk, maxBytes - have);
        out.resize(have + room);
        zs.next_out = out.data() + have;
        zs.avail_out = static_cast<uInt>(room);
        rc = inflate(&zs, Z_NO_FLUSH);
        out.resize(have + room - zs.avail_out);
        if (rc == Z_BUF_ERROR && zs.avail_out != 0)
            break;  // the input ended before the stream did
        if (rc == Z_BUF_ERROR)
            rc = Z_OK;  // only the output was full: go on
        chunk = std::min<size_t>(chunk * 2, size_t(64) << 20);
    }
    const bool trailing = zs.avail_in != 0;  // bytes after the end of the stream
    inflateEnd(&zs);
    if (rc != Z_STREAM_END || trailing) {
        out.clear();
        return false;
    }
    return true;
}

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

bool Fail(std::string *reason, const std::string &why) {
    if (reason)
        *reason = why;
    return false;
}

// The file a path names after every symbolic link is followed; the path itself when it is no link.
// False for a loop of links.
bool FollowLinks(std::filesystem::path &path, std::string *reason) {
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return true;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return Fail(reason, ec.message());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return Fail(reason, SystemReason(ELOOP));
}

bool IsOurTemporaryName(std::string_view name) {
    return name.size() == kTempFilePrefix.size() + 6 && name.substr(0, kTempFilePrefix.size()) == kTempFilePrefix;
}

// Removes the temporary files of a killed save: a save in progress holds a lock on its own, so a
// file whose lock can be taken belongs to nobody.
void RemoveStaleTemporaries(const std::string &folder) {
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (!IsOurTemporaryName(entry->d_name))
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

bool WriteFileAtomically(const std::string &path, std::span<const uint8_t> bytes, std::string *reason) {
    namespace fs = std::filesystem;
    fs::path target(path);
    if (!FollowLinks(target, reason))
        return false;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Fail(reason, SystemReason(errno));
    if (exists && S_ISDIR(old.st_mode))
        return Fail(reason, SystemReason(EISDIR));
    // Renaming needs only the folder's permission: a read-only file is refused here, by its mode
    // (which holds even for root) and by this user's right to write it.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        return Fail(reason, std::string(kReadOnlyReason));

    RemoveStaleTemporaries(folder.string());
    std::string temp = (folder / (std::string(kTempFilePrefix) + "XXXXXX")).string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(reason, SystemReason(errno));
    ::flock(fd, LOCK_EX | LOCK_NB);  // marks the file as in use until it is closed
    int error = 0;
    size_t written = 0;
    while (error == 0 && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error = n < 0 ? errno : EIO;
        else
            written += static_cast<size_t>(n);
    }
    if (exists) {
        // Owner and group first, since changing them may clear set-id bits that the mode then puts
        // back. Where the system refuses another owner, the group alone is tried; where it refuses
        // both, the file belongs to the user saving it and keeps its mode.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
            errno = 0;
        if (error == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
            error = errno;
    } else {
        // A new file gets the permissions a plain create would give (mkstemp makes it 0600).
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (error == 0 && ::fchmod(fd, 0666 & ~mask) != 0)
            error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Fail(reason, SystemReason(error));
    }
    return true;
}

bool WriteSongFile(const std::string &path, TSongModel &song, const DrumPart &drums, std::string *error) {
    for (TInstrumentTab &tab : song.Tabs)
        tab.Solo = false;
    std::vector<uint8_t> compressed;
    std::string reason = "The song could not be compressed.";
    const bool ok = DeflateRaw(EncodeSongImage(song, drums), compressed) && WriteFileAtomically(path, compressed, &reason);
    if (!ok) {
        if (error)
            *error = std::string(kSaveFailedMessage) + "\n" + path + ": " + reason;
        return false;
    }
    for (TInstrumentTab &tab : song.Tabs)
        tab.Modified = false;
    return true;
}

ESongReadResult ReadSongBytes(std::span<const uint8_t> fileBytes, TSongModel &song, DrumPart &drums,
                              size_t maxImageBytes) {
    std::vector<uint8_t> image;
    if (!InflateRaw(fileBytes, image, maxImageBytes))
        return ESongReadResult::Corrupt;
    TSongModel staging;
    DrumPart stagingDrums;
    ResetSongModel(staging, stagingDrums);
    if (!DecodeSongImage(image, staging, stagingDrums))
        return ESongReadResult::Corrupt;
    // The file's colours are not used: each tab keeps the colour it has in the running program.
    for (int n = 1; n <= kTabCount; ++n)
        staging.Tab(n).Colour = song.Tab(n).Colour;
    song = std::move(staging);
    drums = std::move(stagingDrums);
    return ESongReadResult::Ok;
}

ESongReadResult ReadSongFile(const std::string &path, TSongModel &song, DrumPart &drums, size_t maxImageBytes,
                             std::string *reason) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return ESongReadResult::NotFound;
        Fail(reason, SystemReason(errno));
        return ESongReadResult::Unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        Fail(reason, SystemReason(S_ISDIR(st.st_mode) ? EISDIR : EINVAL));
        return ESongReadResult::Unreadable;
    }
    // A deflate stream inflates at most about 1032 to 1: a larger file cannot fit the cap.
    if (static_cast<uint64_t>(st.st_size) > maxImageBytes)
        return ESongReadResult::Corrupt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail(reason, SystemReason(errno));
        return ESongReadResult::Unreadable;
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    int error = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = errno;
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > maxImageBytes)
            break;
    }
    ::close(fd);
    if (error != 0) {
        Fail(reason, SystemReason(error));
        return ESongReadResult::Unreadable;
    }
    if (bytes.size() > maxImageBytes)
        return ESongReadResult::Corrupt;
    return ReadSongBytes(bytes, song, drums, maxImageBytes);
}
