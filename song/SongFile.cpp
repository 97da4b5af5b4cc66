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
#include <fstream>
#include <stdexcept>

#include <fcntl.h>
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
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].size() > kSongBlockTextMax && Utf8ToCp1252(lines[i]).size() > kSongBlockTextMax)
                cut.push_back({n, static_cast<int>(i)});
    }
    return cut;
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
    inflateEnd(&zs);
    if (rc != Z_STREAM_END) {
        out.clear();
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string &path, std::span<const uint8_t> bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = true;
    size_t written = 0;
    while (ok && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            written += static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    // A new file gets the permissions a plain create would give (mkstemp makes it 0600).
    if (ok) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(temp.c_str(), 0666 & ~mask);
    }
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

bool WriteSongFile(const std::string &path, TSongModel &song, const DrumPart &drums, std::string *error) {
    for (TInstrumentTab &tab : song.Tabs)
        tab.Solo = false;
    std::vector<uint8_t> compressed;
    const bool ok = DeflateRaw(EncodeSongImage(song, drums), compressed) && WriteFileAtomically(path, compressed);
    if (!ok) {
        if (error)
            *error = std::string(kSaveFailedMessage);
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

ESongReadResult ReadSongFile(const std::string &path, TSongModel &song, DrumPart &drums, size_t maxImageBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return ESongReadResult::NotFound;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return ESongReadResult::NotFound;
    std::vector<uint8_t> bytes;
    // A deflate stream inflates at most about 1032 to 1: a larger file cannot fit the cap.
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > maxImageBytes)
        return ESongReadResult::Corrupt;
    bytes.resize(static_cast<size_t>(size));
    if (!file.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return ESongReadResult::Corrupt;
    return ReadSongBytes(bytes, song, drums, maxImageBytes);
}
