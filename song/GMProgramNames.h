#pragma once
// The 128 General MIDI program names. Entry i is the 1-based program number right-aligned in
// three columns, a blank, and the name ("  1 Acoustic Grand" .. "128 Gunshot").
#include <array>
#include <string>
#include <string_view>

extern const std::array<std::string_view, 128> GMProgramNames;

// The entry of program 0..127; "" for any other value.
std::string GMProgramName(int program);
// The name part of an entry (from its 5th character on, trimmed); "" outside 0..127.
std::string_view GMProgramShortName(int program);
