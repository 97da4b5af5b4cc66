#pragma once
// The catalogue of the song code's own message texts. Field messages end with two carriage
// returns and "Please fix errors before proceeding."; the message box turns the carriage
// returns into line breaks. Readers return these texts; the window decides whether to show them.
#include <string>
#include <string_view>

namespace msg {

// Two carriage returns and "Please fix errors before proceeding.".
inline constexpr std::string_view kFixSuffix = "\r\rPlease fix errors before proceeding.";

inline constexpr std::string_view kFixOrDelete = "Fix the error or delete the line.";
inline constexpr std::string_view kStopAnyways = "Process not completed. Stop anyways?";
inline constexpr std::string_view kDurationChoices = "(W)hole,(H)alf,Q,E,S,T,F";

// Note fields of fretted lines.
std::string FretNotNumber(std::string_view field);
std::string FretTooLow(std::string_view field);
std::string FretTooHigh(std::string_view field);
std::string FretFingering(std::string_view fingering);

// Note fields of both kinds of line.
// "Duration Q. is not valid. (W)hole,(H)alf,Q,E,S,T,F" (no carriage returns).
std::string FieldDurationInvalid(std::string_view duration);
std::string VolumeOutOfRange(long long volume);

// Key fields of piano lines.
std::string PianoKeyNotNumber(std::string_view field);
std::string PianoKeyTooHigh(std::string_view field);
std::string PianoKeyTooLow(std::string_view field);
std::string PianoFingering(std::string_view fingering);

// Whole fretted lines, prefixed with the tab's name and ": ".
std::string NotEnoughCommas(std::string_view tabName);
std::string TooManyCommas(std::string_view tabName);
std::string ChordNameRequired(std::string_view tabName);
// The duration text in double quotes, then " invalid. (W)hole,(H)alf,Q,E,S,T,F".
std::string LineDurationInvalid(std::string_view tabName, std::string_view duration);

} // namespace msg
