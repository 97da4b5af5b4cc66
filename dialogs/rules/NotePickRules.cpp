#include "dialogs/rules/NotePickRules.h"

#include <array>

namespace {
constexpr char kLetters[kNotePickLengths + 1] = "WHQESTF";
// The buttons' names as the form has them, one row per family.
constexpr std::array<std::array<std::string_view, kNotePickLengths>, 3> kNames = {{
    {"SpeedButtonWhole", "SpeedButtonHalf", "SpeedButtonQuarter", "SpeedButtonEighth", "SpeedButtonSixteenth",
     "SpeedButtonThirtySecond", "SpeedButtonSixtyFourth"},
    {"SpeedButtonWholeD", "SpeedButtonHalfD", "SpeedButtonQuarterD", "SpeedButtonEighthD", "SpeedButtonSixteenthD",
     "SpeedButtonThirtysecondD", "SpeedButtonSixtyFourthD"},
    {"SpeedButtonWholeT", "SpeedButtonHalfT", "SpeedButtonQuarterT", "SpeedButtonEighthT", "SpeedButtonSixteenthT",
     "SpeedButtonThirtySecondT", "SpeedButtonSixtyFourthT"},
}};
} // namespace

std::string NotePickText(const TNotePick &pick) {
    if (pick.index < 0 || pick.index >= kNotePickLengths)
        return {};
    std::string text = " ";
    if (pick.family == TNoteFamily::Dotted)
        text += '.';
    else if (pick.family == TNoteFamily::Triplet)
        text += '/';
    text += kLetters[pick.index];
    return text;
}

std::string_view NotePickButtonName(const TNotePick &pick) {
    if (pick.index < 0 || pick.index >= kNotePickLengths)
        return {};
    return kNames[static_cast<size_t>(pick.family)][static_cast<size_t>(pick.index)];
}
