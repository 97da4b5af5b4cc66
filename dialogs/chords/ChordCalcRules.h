#pragma once
// The chord calculator's small decisions, as plain functions: the stored values a showing starts
// from (kept to their ranges at the dialog's boundary), the melody choices and the captions.
#include "dialogs/chords/ChordFormulas.h"

#include <string>
#include <string_view>
#include <vector>

// A stored root that is one of the twelve key names (KeyNames()), else "C".
std::string ClampChordRoot(std::string_view root);
// The root a search uses: the key name up to its first "/" ("C#/Db" gives "C#").
std::string SearchRoot(std::string_view keyName);
// Position list index 0..12 (0 = "ALL"), reach index 0..7 (reach = index + 1), dot type 0..2.
int ClampChordPosition(int index);
int ClampChordReach(int index);
int ClampDotType(int dotType);
// The position a list index stands for: "ALL", "0".."11".
std::string PositionText(int index);

// "Find \"C Major\" with:": the melody box's caption for a root and a chord type.
std::string MelodyCaption(std::string_view root, std::string_view type);
// The melody string choices "1" .. S-2 (string 1 is the highest); none below three strings.
std::vector<std::string> MelodyStringChoices(int stringCount);
// Every distinct note of the type's records for the root, in record and degree order.
std::vector<std::string> MelodyNoteChoices(const TFormulaTable &table, std::string_view root, std::string_view type,
                                           TUnknownDegrees &unknown);
// The note choices of a user formula: its note names in degree order, trimmed.
std::vector<std::string> FormulaNoteChoices(const TCFormula &formula);
