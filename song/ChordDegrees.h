#pragma once
// The degree names chord formulas are written in ("1", "b3", "#11", "octave") and how far above
// the root each sounds.
#include <string_view>

// Semitones above the root of a degree name ("b3" 3, "#11" 18); exact, case-sensitive. -1 for
// a name the table does not know.
int DegreeToSemitones(std::string_view degree);
