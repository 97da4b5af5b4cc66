#include "song/SongFile.h"

#include "midi/ByteReader.h"
#include "platform/FileIO.h"
#include "song/NewSong.h"
#include "song/TextUtil.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

namespace {

// Raised inside the decoder when the image ends early, holds an impossible count or is no song.
class ESongImage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// Raised when the file's bytes cannot be read from the disk (the system's text).
struct SongFileReadError {
    std::string reason;
};

// The image is mostly the zero padding of its blocks: a light level compresses it nearly as well as
// the default and about three times faster.
constexpr int kDeflateLevel = 3;
// The piece of the image that the writer builds before compressing it, and the reader's window
// into the inflating image: small enough to stay in the cache, so both run in time linear in the
// song whatever its size.
constexpr size_t kImageChunk = size_t(256) << 10;
// zlib counts its buffers in 32 bits: longer inputs go to it in pieces.
constexpr size_t kZlibPiece = size_t(1) << 30;

bool IsAscii(const uint8_t *bytes, size_t count) {
    return std::all_of(bytes, bytes + count, [](uint8_t b) { return b < 0x80; });
}

std::string Grouped(uint64_t value) {
    std::string digits = std::to_string(value);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

// ---- Writing ---------------------------------------------------------------------------------

// Builds the image piece by piece and hands every full piece to `sink`; after a refusal the rest is
// built but dropped.
class ImageOut {
public:
    explicit ImageOut(std::function<bool(std::span<const uint8_t>)> sink)
        : sink_(std::move(sink)), buffer_(kImageChunk) {}

    void Put(const uint8_t *data, size_t count) {
        while (count > 0) {
            if (Room() == 0)
                Flush();
            const size_t n = std::min(count, Room());
            std::memcpy(buffer_.data() + used_, data, n);
            used_ += n;
            data += n;
            count -= n;
        }
    }
    void PutInt32(int32_t value) {
        const auto v = static_cast<uint32_t>(value);
        uint8_t *p = Reserve(4);
        p[0] = uint8_t(v);
        p[1] = uint8_t(v >> 8);
        p[2] = uint8_t(v >> 16);
        p[3] = uint8_t(v >> 24);
    }
    // A 255-byte block: the length capped at 255, then the first 254 Windows-1252 bytes, then zeros.
    void PutBlock(std::string_view utf8) {
        uint8_t *block = Reserve(kSongBlockSize);
        std::memset(block, 0, kSongBlockSize);
        std::string converted;
        std::string_view bytes = utf8;
        if (!IsAscii(reinterpret_cast<const uint8_t *>(utf8.data()), utf8.size())) {
            converted = Utf8ToCp1252(utf8);
            bytes = converted;
        }
        block[0] = static_cast<uint8_t>(std::min<size_t>(bytes.size(), 255));
        std::memcpy(block + 1, bytes.data(), std::min(bytes.size(), kSongBlockTextMax));
    }
    void PutBlocks(const std::vector<std::string> &lines) {
        PutInt32(static_cast<int32_t>(lines.size()));
        for (const std::string &line : lines)
            PutBlock(line);
    }
    // Hands over the last piece; false when the sink refused one.
    bool Finish() {
        Flush();
        return ok_;
    }

private:
    size_t Room() const { return buffer_.size() - used_; }
    uint8_t *Reserve(size_t count) {
        if (Room() < count)
            Flush();
        uint8_t *p = buffer_.data() + used_;
        used_ += count;
        return p;
    }
    void Flush() {
        if (used_ > 0 && ok_)
            ok_ = sink_(std::span<const uint8_t>(buffer_.data(), used_));
        used_ = 0;
    }

    std::function<bool(std::span<const uint8_t>)> sink_;
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
    bool ok_ = true;
};

void EncodeImage(const TSongModel &song, const DrumPart &drums, ImageOut &out) {
    for (int n = 1; n <= kTabCount; ++n) {
        TInstrumentTab tab = song.Tab(n);
        tab.Solo = false;
        const TInstrumentTabRecord record = EncodeInstrumentTab(tab);
        out.Put(record.data(), record.size());
    }
    for (int n = 1; n <= kTabCount; ++n) {
        if (song.Tab(n).Kind != TKind::Drums) {
            out.PutBlocks(song.Lines(n));
            continue;
        }
        const bool hasPatterns = !drums.list.Empty();
        const uint8_t flag = hasPatterns ? 1 : 0;
        out.Put(&flag, 1);
        if (!hasPatterns)
            continue;
        out.PutInt32(kDrumRows);
        for (const DrumSlot &slot : drums.drumSlots)
            out.PutBlock(slot.caption);
        out.PutBlocks(drums.store.Lines());
        out.PutBlocks(drums.list.Items());
    }
    out.PutInt32(song.Tempo);
    out.PutBlock(song.TimeSignature);
    out.PutInt32(song.SongTranspose);
    out.PutInt32(song.CurrentTab);
    out.PutBlock(song.SongTitle);
    out.PutBlock(song.SongReserved);
}

// Raw deflate of a stream given in pieces; the compressed bytes are appended to `out`.
class RawDeflater {
public:
    explicit RawDeflater(std::vector<uint8_t> &out) : out_(out), buffer_(size_t(64) << 10) {
        ok_ = deflateInit2(&zs_, kDeflateLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
        initialised_ = ok_;
    }
    ~RawDeflater() {
        if (initialised_)
            deflateEnd(&zs_);
    }
    RawDeflater(const RawDeflater &) = delete;
    RawDeflater &operator=(const RawDeflater &) = delete;

    bool Put(std::span<const uint8_t> data) { return Run(data, Z_NO_FLUSH); }
    bool Finish() { return Run({}, Z_FINISH); }

private:
    bool Run(std::span<const uint8_t> data, int flush) {
        if (!ok_)
            return false;
        do {
            const size_t piece = std::min(data.size(), kZlibPiece);
            zs_.next_in = const_cast<Bytef *>(data.data());
            zs_.avail_in = static_cast<uInt>(piece);
            data = data.subspan(piece);
            const int mode = data.empty() ? flush : Z_NO_FLUSH;
            int rc = Z_OK;
            do {
                zs_.next_out = buffer_.data();
                zs_.avail_out = static_cast<uInt>(buffer_.size());
                rc = deflate(&zs_, mode);
                if (rc == Z_STREAM_ERROR)
                    return ok_ = false;
                out_.insert(out_.end(), buffer_.data(), buffer_.data() + (buffer_.size() - zs_.avail_out));
            } while (zs_.avail_out == 0 || (mode == Z_FINISH && rc != Z_STREAM_END));
        } while (!data.empty());
        return true;
    }

    z_stream zs_{};
    std::vector<uint8_t> &out_;
    std::vector<uint8_t> buffer_;
    bool ok_ = false;
    bool initialised_ = false;
};

// ---- Reading ---------------------------------------------------------------------------------

// An image held in memory; nothing may follow the trailer.
class SpanImageSource : public TByteReader<ESongImage> {
public:
    explicit SpanImageSource(std::span<const uint8_t> image)
        : TByteReader<ESongImage>(image.data(), image.size(), "image ends early") {}
    void Finish() const {
        if (Remaining() != 0)
            throw ESongImage("bytes after the trailer");
    }
};

// The image as the file's deflate stream gives it: the decoder asks for the next bytes and the
// source inflates just far enough into a small window, so the image is never held whole. Nothing
// beyond `bound` image bytes is inflated.
class InflatingImageSource {
public:
    // `next` gives the file's next bytes, empty at its end; they must stay put until it is called again.
    InflatingImageSource(std::function<std::span<const uint8_t>()> next, size_t bound)
        : next_(std::move(next)), bound_(bound), window_(kImageChunk) {
        if (inflateInit2(&zs_, -15) != Z_OK)
            throw ESongImage("no inflater");
    }
    ~InflatingImageSource() { inflateEnd(&zs_); }
    InflatingImageSource(const InflatingImageSource &) = delete;
    InflatingImageSource &operator=(const InflatingImageSource &) = delete;

    // The next `count` bytes (at most the window's size).
    const uint8_t *Bytes(size_t count) {
        if (end_ - pos_ < count)
            Fill(count);
        const uint8_t *p = window_.data() + pos_;
        pos_ += count;
        return p;
    }
    uint8_t U8() { return *Bytes(1); }
    uint32_t U32LE() {
        const uint8_t *p = Bytes(4);
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    // The most image bytes that can still follow.
    size_t Remaining() const { return bound_ - (produced_ - (end_ - pos_)); }
    // The image must end here, and so must the stream and the file.
    void Finish() {
        if (pos_ != end_)
            throw ESongImage("bytes after the trailer");
        uint8_t spare = 0;
        while (!ended_) {
            const bool input = FeedInput();
            zs_.next_out = &spare;
            zs_.avail_out = 1;
            Check(inflate(&zs_, Z_NO_FLUSH), input);
            if (zs_.avail_out == 0)
                throw ESongImage("bytes after the trailer");
        }
        if (zs_.avail_in != 0 || !input_.empty() || (!inputEnded_ && !next_().empty()))
            throw ESongImage("bytes after the stream");
    }

private:
    // Gives zlib the file's next bytes when it has none left; false at the end of the file.
    bool FeedInput() {
        if (zs_.avail_in != 0)
            return true;
        if (input_.empty() && !inputEnded_) {
            input_ = next_();
            inputEnded_ = input_.empty();
        }
        if (input_.empty())
            return false;
        const size_t piece = std::min(input_.size(), kZlibPiece);
        zs_.next_in = const_cast<Bytef *>(input_.data());
        zs_.avail_in = static_cast<uInt>(piece);
        input_ = input_.subspan(piece);
        return true;
    }
    void Check(int rc, bool hadInput) {
        if (rc == Z_STREAM_END)
            ended_ = true;
        else if (rc == Z_BUF_ERROR && !hadInput)
            throw ESongImage("stream ends early");
        else if (rc != Z_OK && rc != Z_BUF_ERROR)
            throw ESongImage("broken stream");
    }
    // Keeps what is left of the window and inflates behind it until `count` bytes are there.
    void Fill(size_t count) {
        std::memmove(window_.data(), window_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
        while (end_ < count) {
            if (ended_)
                throw ESongImage("image ends early");
            const size_t room = std::min(window_.size() - end_, bound_ - produced_);
            if (room == 0)
                throw ESongImage("image beyond its bound");
            const bool input = FeedInput();
            zs_.next_out = window_.data() + end_;
            zs_.avail_out = static_cast<uInt>(room);
            const int rc = inflate(&zs_, Z_NO_FLUSH);
            const size_t made = room - zs_.avail_out;
            end_ += made;
            produced_ += made;
            Check(rc, input);
        }
    }

    std::function<std::span<const uint8_t>()> next_;
    std::span<const uint8_t> input_; // file bytes not yet given to zlib
    bool inputEnded_ = false;
    z_stream zs_{};
    bool ended_ = false; // the deflate stream is complete
    size_t bound_;
    size_t produced_ = 0; // image bytes inflated so far
    std::vector<uint8_t> window_;
    size_t pos_ = 0; // next unread byte of the window
    size_t end_ = 0; // end of the inflated bytes in the window
};

template <class Source> int32_t GetInt32(Source &in) { return static_cast<int32_t>(in.U32LE()); }

// A block's text: min(length byte, maxChars) characters.
template <class Source> std::string GetBlock(Source &in, size_t maxChars = kSongBlockTextMax) {
    const uint8_t *block = in.Bytes(kSongBlockSize);
    const size_t length = std::min<size_t>(block[0], maxChars);
    const char *text = reinterpret_cast<const char *>(block + 1);
    if (IsAscii(block + 1, length))
        return std::string(text, length);
    return Cp1252ToUtf8(std::string_view(text, length));
}

// A count of blocks that must fit in what can be left of the image.
template <class Source> int32_t GetBlockCount(Source &in) {
    const int32_t n = GetInt32(in);
    if (n < 0 || static_cast<size_t>(n) > in.Remaining() / kSongBlockSize)
        throw ESongImage("impossible count");
    return n;
}

template <class Source> std::vector<std::string> GetBlocks(Source &in) {
    const int32_t n = GetBlockCount(in);
    std::vector<std::string> lines;
    // A count is only checked against the image's largest size: room grows as the lines come.
    lines.reserve(std::min<size_t>(static_cast<size_t>(n), size_t(1) << 16));
    for (int32_t i = 0; i < n; ++i)
        lines.push_back(GetBlock(in));
    return lines;
}

bool IsPowerOfTwoUpTo64(int value) { return value >= 1 && value <= 64 && (value & (value - 1)) == 0; }

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

// Reads the image into a freshly reset song; raises ESongImage when it is no song.
template <class Source> void DecodeImage(Source &in, TSongModel &song, DrumPart &drums) {
    // Every song has its tabs' names and settings: sixteen records of zeros are not a song.
    bool anyRecordByte = false;
    for (int n = 1; n <= kTabCount; ++n) {
        TInstrumentTab &tab = song.Tab(n);
        const TInstrumentTab &def = DefaultInstrumentTab(n);
        const uint8_t *record = in.Bytes(kInstrumentTabRecordSize);
        anyRecordByte =
            anyRecordByte || std::any_of(record, record + kInstrumentTabRecordSize, [](uint8_t b) { return b != 0; });
        DecodeInstrumentTab(std::span<const uint8_t, kInstrumentTabRecordSize>(record, kInstrumentTabRecordSize), tab);
        // A tab's place decides its instrument: the file cannot turn the Drums tab into a guitar.
        tab.Kind = def.Kind;
        tab.HighestString = def.HighestString;
        tab.ShortFifthString = def.ShortFifthString;
        SanitiseInstrumentTab(tab, n);
    }
    if (!anyRecordByte)
        throw ESongImage("no tab records");
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
    in.Finish();
}

// Puts a decoded song's values into their ranges and its editor state where a freshly opened
// song shows it.
void SettleOpenedSong(TSongModel &song, DrumPart &drums) {
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
        tab.SavedCaretLine = 0;
        tab.SavedTopLine = 0;
        tab.SavedHasSelection = false;
        tab.SavedSelFirstLine = 0;
        tab.SavedSelLastLine = 0;
        tab.Bookmarks[0] = -1;
        tab.Modified = false;
        tab.Solo = false;
    }
}

// Opens the song that the deflate stream of `next` holds into `song` and `drums`, or leaves
// them as they are.
TSongReadResult ReadStreamedSong(std::function<std::span<const uint8_t>()> next, size_t bound, TSongModel &song,
                                 DrumPart &drums) {
    TSongModel staging;
    DrumPart stagingDrums;
    ResetSongModel(staging, stagingDrums);
    try {
        InflatingImageSource in(std::move(next), bound);
        DecodeImage(in, staging, stagingDrums);
    } catch (const ESongImage &) {
        return TSongReadResult::Corrupt;
    }
    SettleOpenedSong(staging, stagingDrums);
    // The file's colours are not used: each tab keeps the colour it has in the running program.
    for (int n = 1; n <= kTabCount; ++n)
        staging.Tab(n).Colour = song.Tab(n).Colour;
    song = std::move(staging);
    drums = std::move(stagingDrums);
    return TSongReadResult::Ok;
}

} // namespace

std::vector<uint8_t> EncodeSongImage(const TSongModel &song, const DrumPart &drums) {
    std::vector<uint8_t> image;
    image.reserve(static_cast<size_t>(SongImageSize(song, drums)));
    ImageOut out([&](std::span<const uint8_t> piece) {
        image.insert(image.end(), piece.begin(), piece.end());
        return true;
    });
    EncodeImage(song, drums, out);
    out.Finish();
    return image;
}

uint64_t SongImageSize(const TSongModel &song, const DrumPart &drums) {
    auto blocks = [](uint64_t count) { return 4 + count * kSongBlockSize; };
    uint64_t size = uint64_t(kTabCount) * kInstrumentTabRecordSize;
    for (int n = 1; n <= kTabCount; ++n) {
        if (song.Tab(n).Kind != TKind::Drums)
            size += blocks(song.Lines(n).size());
        else if (drums.list.Empty())
            size += 1;
        else
            size += 1 + blocks(kDrumRows) + blocks(drums.store.Lines().size()) + blocks(drums.list.Items().size());
    }
    return size + 3 * 4 + 3 * kSongBlockSize; // the trailer
}

size_t SongImageBound(uint64_t fileBytes) {
    if (fileBytes > SIZE_MAX / kDeflateMaxRatio)
        return SIZE_MAX;
    return static_cast<size_t>(fileBytes) * kDeflateMaxRatio;
}

std::string SongFileCountError(std::string_view what, uint64_t lines) {
    if (lines <= kMaxSongFileLines)
        return {};
    return std::string(what) + " has " + Grouped(lines) + " lines, more than a song file can hold (" +
           Grouped(kMaxSongFileLines) + ").";
}

std::string SongFileLimitError(const TSongModel &song, const DrumPart &drums) {
    for (int n = 1; n <= kTabCount; ++n) {
        if (song.Tab(n).Kind == TKind::Drums)
            continue;
        std::string error = SongFileCountError(UpperCaseAscii(song.Tab(n).Name), song.Lines(n).size());
        if (!error.empty())
            return error;
    }
    if (drums.list.Empty())
        return {};
    std::string error = SongFileCountError("The drum pattern store", drums.store.Lines().size());
    return error.empty() ? SongFileCountError("The drum pattern list", drums.list.Items().size()) : error;
}

bool DecodeSongImage(std::span<const uint8_t> image, TSongModel &song, DrumPart &drums) {
    try {
        SpanImageSource in(image);
        DecodeImage(in, song, drums);
    } catch (const ESongImage &) {
        return false;
    }
    SettleOpenedSong(song, drums);
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
    out.clear();
    RawDeflater deflater(out);
    return deflater.Put(data) && deflater.Finish();
}

bool WriteSongFile(const std::string &path, TSongModel &song, const DrumPart &drums, std::string *error) {
    auto fail = [&](const std::string &text) {
        if (error)
            *error = text;
        return false;
    };
    // Refused before anything changes: a file the reader would refuse is never written.
    const std::string tooBig = SongFileLimitError(song, drums);
    if (!tooBig.empty())
        return fail(platform::SaveFailedText(path, tooBig));
    for (TInstrumentTab &tab : song.Tabs)
        tab.Solo = false;
    // The image is compressed as it is built, so it is never held whole.
    std::vector<uint8_t> compressed;
    RawDeflater deflater(compressed);
    ImageOut image([&](std::span<const uint8_t> piece) { return deflater.Put(piece); });
    EncodeImage(song, drums, image);
    if (!image.Finish() || !deflater.Finish())
        return fail(std::string(kCompressionFailedMessage));
    const platform::WriteResult written = platform::WriteFileAtomically(path, compressed);
    if (!written)
        return fail(platform::SaveFailedText(path, written.reason));
    for (TInstrumentTab &tab : song.Tabs)
        tab.Modified = false;
    return true;
}

TSongReadResult ReadSongBytes(std::span<const uint8_t> fileBytes, TSongModel &song, DrumPart &drums,
                              size_t maxImageBytes) {
    bool given = false;
    auto next = [&]() -> std::span<const uint8_t> {
        if (given)
            return {};
        given = true;
        return fileBytes;
    };
    return ReadStreamedSong(next, std::min(maxImageBytes, SongImageBound(fileBytes.size())), song, drums);
}

TSongReadResult ReadSongFile(const std::string &path, TSongModel &song, DrumPart &drums, size_t maxImageBytes,
                             std::string *reason) {
    platform::FileReader file;
    switch (file.Open(path, reason)) {
    case platform::FileReader::TOpen::NotFound:
        return TSongReadResult::NotFound;
    case platform::FileReader::TOpen::Failed:
        return TSongReadResult::Unreadable;
    case platform::FileReader::TOpen::Ok:
        break;
    }
    // The file is read as the inflater asks for it.
    std::vector<uint8_t> buffer(kImageChunk);
    auto next = [&]() -> std::span<const uint8_t> {
        size_t n = 0;
        std::string why;
        if (!file.Read(buffer, n, &why))
            throw SongFileReadError{why};
        return std::span<const uint8_t>(buffer.data(), n);
    };
    const size_t bound = std::min(maxImageBytes, SongImageBound(file.Size()));
    try {
        return ReadStreamedSong(next, bound, song, drums);
    } catch (const SongFileReadError &failure) {
        if (reason)
            *reason = failure.reason;
        return TSongReadResult::Unreadable;
    }
}
