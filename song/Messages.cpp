#include "song/Messages.h"

#include <initializer_list>

namespace msg {

namespace {
std::string Cat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (auto p : parts)
        out += p;
    return out;
}
} // namespace

std::string FretNotNumber(std::string_view field) {
    return Cat({"Fret number ( ", field, " ) is not a number.", kFixSuffix});
}
std::string FretTooLow(std::string_view field) {
    return Cat({"Fret number ( ", field, " ) can be no lower than -1", kFixSuffix});
}
std::string FretTooHigh(std::string_view field) {
    return Cat({"Fret number ( ", field, " ) can be no higher than 24", kFixSuffix});
}
std::string FretFingering(std::string_view fingering) {
    return Cat({"Fingering ( ", fingering, " ) must be 1, 2, 3, 4, T or blank.", kFixSuffix});
}

std::string FieldDurationInvalid(std::string_view duration) {
    return Cat({"Duration ", duration, " is not valid. ", kDurationChoices});
}
std::string VolumeOutOfRange(long long volume) {
    const std::string v = std::to_string(volume);
    return Cat({"Volume ( ", v, " ) must be between 1 and 127", kFixSuffix});
}

std::string PianoKeyNotNumber(std::string_view field) {
    return Cat({"Piano key (", field, " ) is not a number.", kFixSuffix});
}
std::string PianoKeyTooHigh(std::string_view field) {
    return Cat({"PianoKey (", field, ") must be 107 or lower.", kFixSuffix});
}
std::string PianoKeyTooLow(std::string_view field) {
    return Cat({"PianoKey (", field, ") must be 28 or higher.", kFixSuffix});
}
std::string PianoFingering(std::string_view fingering) {
    return Cat({"Fingering ( ", fingering, " ) must be L1, L2, L3, L4, L5, R1, R2, R3, R4, R5 or blank.", kFixSuffix});
}

std::string NotEnoughCommas(std::string_view tabName) {
    return Cat({tabName, ": ", "Error in line: Not enough commas in the line"});
}
std::string TooManyCommas(std::string_view tabName) {
    return Cat({tabName, ": ", "Error in line: Too many commas in the line."});
}
std::string ChordNameRequired(std::string_view tabName) { return Cat({tabName, ": ", "Chord name required."}); }
std::string LineDurationInvalid(std::string_view tabName, std::string_view duration) {
    return Cat({tabName, ": ", "\"", duration, "\"", " invalid. ", kDurationChoices});
}

} // namespace msg
