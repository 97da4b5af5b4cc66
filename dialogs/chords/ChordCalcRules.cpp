#include "dialogs/chords/ChordCalcRules.h"

#include "song/KeyNames.h"
#include "song/TextUtil.h"

#include <algorithm>

std::string ClampChordRoot(std::string_view root) {
    const auto names = KeyNames();
    return std::find(names.begin(), names.end(), root) != names.end() ? std::string(root) : "C";
}

std::string SearchRoot(std::string_view keyName) { return std::string(keyName.substr(0, keyName.find('/'))); }

int ClampChordPosition(int index) { return std::clamp(index, 0, 12); }
int ClampChordReach(int index) { return std::clamp(index, 0, 7); }
int ClampDotType(int dotType) { return std::clamp(dotType, 0, 2); }

std::string PositionText(int index) {
    index = ClampChordPosition(index);
    return index == 0 ? "ALL" : std::to_string(index - 1);
}

std::string MelodyCaption(std::string_view root, std::string_view type) {
    return "Find \"" + std::string(root) + " " + std::string(type) + "\" with:";
}

std::vector<std::string> MelodyStringChoices(int stringCount) {
    std::vector<std::string> out;
    for (int m = 1; m <= stringCount - 2; ++m)
        out.push_back(std::to_string(m));
    return out;
}

std::vector<std::string> MelodyNoteChoices(const TFormulaTable &table, std::string_view root, std::string_view type,
                                           TUnknownDegrees &unknown) {
    std::vector<std::string> out;
    for (const TCFormula &f : table.FindFormulasByName(root, type, unknown))
        for (int d = 0; d < f.Count; ++d) {
            std::string note = Trim(f.NoteNames[static_cast<size_t>(d)]);
            if (!note.empty() && std::find(out.begin(), out.end(), note) == out.end())
                out.push_back(std::move(note));
        }
    return out;
}

std::vector<std::string> FormulaNoteChoices(const TCFormula &formula) {
    std::vector<std::string> out;
    for (int d = 0; d < formula.Count; ++d)
        out.push_back(Trim(formula.NoteNames[static_cast<size_t>(d)]));
    return out;
}
