#include "song/ChordDegrees.h"

namespace {
struct TDegree {
    std::string_view name;
    int semitones;
};
constexpr TDegree kDegrees[] = {
    {"1", 0},   {"b2", 1},  {"2", 2},    {"b3", 3},  {"3", 4},    {"4", 5},       {"b5", 6},   {"5", 7},  {"#5", 8},
    {"b6", 8},  {"6", 9},   {"bb7", 9},  {"b7", 10}, {"7", 11},   {"octave", 12}, {"b9", 13},  {"9", 14}, {"#9", 15},
    {"10", 16}, {"11", 17}, {"#11", 18}, {"12", 19}, {"b13", 20}, {"13", 21},     {"#13", 22},
};
} // namespace

int DegreeToSemitones(std::string_view degree) {
    for (const TDegree &d : kDegrees)
        if (d.name == degree)
            return d.semitones;
    return -1;
}
