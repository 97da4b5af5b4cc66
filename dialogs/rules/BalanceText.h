#pragma once
// A tab's balance (0 full left .. 127 full right, 64 the centre) in words, as the song
// information lists it.
#include <string_view>

// "Full Left" 0, "Left" 1..52, "Left/Center" 53..58, "Center" 59..70, "Right/Center" 71..76,
// "Right" 77..126, "Full Right" 127, and "Center" for anything outside 0..127.
std::string_view GetTextValueFromBalance(int balance);
