#pragma once
// The song file ("twd"; first-version "tw1" files have the same layout): a raw deflate stream
// (no header, no trailer) of a memory image holding
//   1. sixteen 4,288-byte tab records, tab 1 first (Solo stored as 0);
//   2. one body per tab: int32 n and n 255-byte line blocks; for the Drums tab instead one byte
//      (1 with patterns, else 0) and, with patterns, int32 8, eight slot captions, int32 s and s
//      store lines, int32 p and p list lines;
//   3. the trailer: int32 tempo, the time signature in a 255-byte block, int32 song transpose,
//      int32 current tab, the song title block and the reserved song text block.
// Integers are 32-bit little-endian. A block holds a length byte and up to 254 Windows-1252
// characters; the rest of its 255 bytes carry no meaning (this writer zeroes them).
#include "song/PatternStore.h"
#include "song/SongModel.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kSongBlockSize = 255;
inline constexpr size_t kSongBlockTextMax = 254;
// An image never inflates beyond this; a larger one is refused as corrupt.
inline constexpr size_t kMaxSongImageBytes = size_t(256) << 20;

inline constexpr std::string_view kSaveFailedMessage = "Compression failed. Save Failed.";
inline constexpr std::string_view kCorruptSongMessage = "Decompression failed. Data file appears to be corrupted.";

// The uncompressed image of a song (Solo is written as 0; nothing in memory changes).
std::vector<uint8_t> EncodeSongImage(const TSongModel &song, const DrumPart &drums);

// Reads an image into `song` and `drums`, which must hold a freshly reset song (the reader's
// clean slate). Every read is bounds-checked and every value put into its range: tab records by
// SanitiseInstrumentTab with each tab's kind, string count and short-string flag those of its
// place; the time signature numerator 1..64 over a power-of-two denominator up to 64 (else "0404");
// slot notes 0..127; the next pattern id above every id in the list. Each tab's editor state is
// set as a freshly opened song shows it. False when the image ends early or a count is impossible;
// `song` and `drums` are then half-filled and must be dropped.
bool DecodeSongImage(std::span<const uint8_t> image, TSongModel &song, DrumPart &drums);

// Where a line is too long for the file: the tab (1..16) and the 0-based line of every stored line
// whose Windows-1252 form exceeds 254 characters; the file keeps only their first 254. The window
// may warn before saving.
struct TLineRef {
    int tab = 0;
    int line = 0;
    bool operator==(const TLineRef &) const = default;
};
std::vector<TLineRef> LinesCutBySongFile(const TSongModel &song);

// Raw deflate (windowBits -15). False on a zlib failure.
bool DeflateRaw(std::span<const uint8_t> data, std::vector<uint8_t> &out);
// Raw inflate of one complete stream; false when the stream is broken, incomplete or would
// inflate beyond `maxBytes`.
bool InflateRaw(std::span<const uint8_t> data, std::vector<uint8_t> &out, size_t maxBytes = kMaxSongImageBytes);

// Saves the song: clears every tab's Solo in memory (the file stores none), builds the image,
// compresses it into a temporary file beside `path` and renames it over `path`. On success every
// tab's Modified mark is cleared and the result is true; on failure nothing on disk changes, the
// marks stay and `error` (when given) receives kSaveFailedMessage.
bool WriteSongFile(const std::string &path, TSongModel &song, const DrumPart &drums, std::string *error = nullptr);

enum class ESongReadResult { Ok, NotFound, Corrupt };

// Opens a song file. Ok: `song` and `drums` hold the file's song (each tab's colour kept from the
// open song, nothing modified, the drum page showing the song's time signature). NotFound and
// Corrupt (the window shows kCorruptSongMessage): nothing in `song` or `drums` changes.
ESongReadResult ReadSongFile(const std::string &path, TSongModel &song, DrumPart &drums,
                             size_t maxImageBytes = kMaxSongImageBytes);
// The same from the file's bytes (for tests and fuzzing).
ESongReadResult ReadSongBytes(std::span<const uint8_t> fileBytes, TSongModel &song, DrumPart &drums,
                              size_t maxImageBytes = kMaxSongImageBytes);

// Writes `bytes` to a temporary file in `path`'s folder, flushes and closes it, then renames it
// over `path`. False (and the temporary file removed) on any failure.
bool WriteFileAtomically(const std::string &path, std::span<const uint8_t> bytes);
