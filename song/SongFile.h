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

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kSongBlockSize = 255;
inline constexpr size_t kSongBlockTextMax = 254;
// The file's counts are 32-bit signed: no tab, pattern store or pattern list holds more lines.
inline constexpr size_t kMaxSongFileLines = 2147483647;
// Deflate's largest ratio: a match of 258 bytes costs at least two bits, so no stream inflates to
// more than 1,032 bytes per byte of its own.
inline constexpr size_t kDeflateMaxRatio = 1032;
// The reader's own cap on an image: none beyond SongImageBound of the file's size. Tests and the
// fuzzer pass smaller caps.
inline constexpr size_t kMaxSongImageBytes = SIZE_MAX;

inline constexpr std::string_view kCompressionFailedMessage = "Compression failed. Save Failed.";
inline constexpr std::string_view kCorruptSongMessage = "Decompression failed. Data file appears to be corrupted.";

// The uncompressed image of a song (Solo is written as 0; nothing in memory changes).
std::vector<uint8_t> EncodeSongImage(const TSongModel &song, const DrumPart &drums);
// Its size in bytes, without building it.
uint64_t SongImageSize(const TSongModel &song, const DrumPart &drums);
// The most that a file of `fileBytes` can inflate to (saturating): fileBytes x kDeflateMaxRatio.
// The reader takes every image up to this, so every file the writer makes opens again.
size_t SongImageBound(uint64_t fileBytes);

// Why the song cannot go into a song file as it is (empty when it can): a count of lines beyond
// what the file's 32-bit counts hold, named by where it is, e.g.
// "GUITAR has 2,147,483,648 lines, more than a song file can hold (2,147,483,647)."
std::string SongFileLimitError(const TSongModel &song, const DrumPart &drums);
// The same for one count of `what` (empty when it fits).
std::string SongFileCountError(std::string_view what, uint64_t lines);

// Reads an image into `song` and `drums`, which must hold a freshly reset song (the reader's
// clean slate). Every read is bounds-checked and every value put into its range: tab records by
// SanitiseInstrumentTab with each tab's kind, string count and short-string flag those of its
// place; the time signature numerator 1..64 over a power-of-two denominator up to 64 (else "0404");
// slot notes 0..127; the next pattern id above every id in the list. Each tab's editor state is
// set as a freshly opened song shows it. False when the image ends early or a count is impossible;
// `song` and `drums` are then half-filled and must be dropped.
bool DecodeSongImage(std::span<const uint8_t> image, TSongModel &song, DrumPart &drums);

// Lines the file cannot hold as they are: the tab (1..16) and the 0-based line of every stored line
// whose Windows-1252 form exceeds 254 characters (the file keeps only their first 254) or that holds
// a character Windows-1252 has not (the file holds "?" instead). The window asks before saving.
struct TLineRef {
    int tab = 0;
    int line = 0;
    bool operator==(const TLineRef &) const = default;
};
std::vector<TLineRef> LinesCutBySongFile(const TSongModel &song);
// The save question for those lines: each named by its tab's name and 1-based line number (the first
// `maxListed`, then how many more), ending in "Save anyway?".
std::string LinesCutQuestion(const TSongModel &song, const std::vector<TLineRef> &cut, size_t maxListed = 12);

// Raw deflate (windowBits -15) at the song file's level. False on a zlib failure.
bool DeflateRaw(std::span<const uint8_t> data, std::vector<uint8_t> &out);

// Saves the song: refuses a song the file cannot hold (SongFileLimitError), clears every tab's Solo
// in memory (the file stores none), compresses the image as it is built and writes it with
// platform::WriteFileAtomically. On success every tab's Modified mark is cleared and the result is
// true; on failure nothing on disk changes, the marks stay and `error` (when given) receives
// kCompressionFailedMessage when the song could not be compressed, else platform::SaveFailedText
// (the path and the reason: the system's text for a file that cannot be written).
bool WriteSongFile(const std::string &path, TSongModel &song, const DrumPart &drums, std::string *error = nullptr);

enum class TSongReadResult { Ok, NotFound, Unreadable, Corrupt };

// Opens a song file. Ok: `song` and `drums` hold the file's song (each tab's colour kept from the
// open song, nothing modified, the drum page showing the song's time signature). NotFound,
// Unreadable (`reason`, when given, says why: the system's text) and Corrupt (the window shows
// kCorruptSongMessage): nothing in `song` or `drums` changes. Data that is not a song is corrupt:
// bytes after the deflate stream or after the trailer, an image whose tab records are all zeros,
// and a stream that inflates beyond SongImageBound of the file's size or beyond `maxImageBytes`.
// The file is inflated and read as it streams in, so no more than the song itself is held.
TSongReadResult ReadSongFile(const std::string &path, TSongModel &song, DrumPart &drums,
                             size_t maxImageBytes = kMaxSongImageBytes, std::string *reason = nullptr);
// The same from the file's bytes (for tests and fuzzing).
TSongReadResult ReadSongBytes(std::span<const uint8_t> fileBytes, TSongModel &song, DrumPart &drums,
                              size_t maxImageBytes = kMaxSongImageBytes);
