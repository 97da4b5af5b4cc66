#pragma once
// The twelve keys as the key pickers name them, counted from A, and the sharp spelling of a flat
// key name: one table for the chord calculator, the key and chord pickers and the scale display.
#include <span>
#include <string>
#include <string_view>

// "A", "A#/Bb", "B", "C", ... "G#/Ab": key 1..12 is entry 0..11.
std::span<const std::string_view> KeyNames();
// Key 1..12 counted from A; "" for any other index.
std::string KeyName(int index);
// A flat key name spelled as its sharp ("Db" -> "C#", "Bb" -> "A#"); others stay.
std::string SharpKeyName(std::string_view key);
