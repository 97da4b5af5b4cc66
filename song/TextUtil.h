#pragma once
// Small text helpers shared by every reader and writer of song text: trimming, the one strict
// integer reader, ASCII upper-casing, and the Windows-1252 <-> UTF-8 conversion used at the song
// file's boundary. In memory all text is UTF-8 and has no length cap.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// Removes every character up to 0x20 (blanks, tabs, line breaks, other control characters)
// from both ends.
std::string Trim(std::string_view text);
std::string_view TrimView(std::string_view text);

// Reads a whole text as a signed 32-bit integer: leading blanks, an optional "+" or "-", then
// decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X". Anything after the
// digits (a trailing blank included), an empty text or a value outside int32 gives nullopt.
std::optional<int32_t> ReadInteger(std::string_view text);
// The same, giving `fallback` when the text is not an integer.
int32_t ReadIntegerDef(std::string_view text, int32_t fallback);

// Appends a number in decimal (no allocation beyond the string's own growth).
void AppendInt(std::string &out, long long value);

// Upper-cases a..z only; every other byte (UTF-8 sequences included) is kept as it is.
std::string UpperCaseAscii(std::string_view text);
std::string LowerCaseAscii(std::string_view text);
// Case-blind comparison of ASCII letters; other bytes compare exactly.
bool SameTextAscii(std::string_view a, std::string_view b);

// Splits at the first blank: (the characters before it, the rest from that blank on trimmed).
// Text without a blank gives (the whole text trimmed, "").
std::pair<std::string, std::string> SplitFirstWord(std::string_view text);

// Windows-1252 bytes to UTF-8 text. The five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map
// to the control characters of the same number, so every byte comes back from Utf8ToCp1252.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 text to Windows-1252 bytes; a character Windows-1252 cannot hold becomes "?", and so
// does every byte of a malformed UTF-8 sequence.
std::string Utf8ToCp1252(std::string_view text);
