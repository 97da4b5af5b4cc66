#pragma once
// The note-duration picker's 21 choices: seven lengths (index 0 whole .. 6 sixty-fourth, the
// duration buttons' order), each plain, dotted or triplet, with the duration text a choice
// writes into a line and the object name of its button.
#include <string>
#include <string_view>

enum class TNoteFamily { Plain, Dotted, Triplet };

struct TNotePick {
    int index = 2; // 0 whole .. 6 sixty-fourth
    TNoteFamily family = TNoteFamily::Plain;
    bool operator==(const TNotePick &) const = default;
};

inline constexpr int kNotePickLengths = 7;

// The duration suffix of the notation: a blank, "." for dotted or "/" for triplet, and the
// letter (" Q", " .Q", " /Q"); empty for an index outside 0..6.
std::string NotePickText(const TNotePick &pick);
// "SpeedButtonWhole" .. "SpeedButtonSixtyFourthT"; empty for an index outside 0..6.
std::string_view NotePickButtonName(const TNotePick &pick);
