#include "dialogs/chords/ChordCalcRules.h"
#include "song/KeyNames.h"

#include <gtest/gtest.h>

namespace {

TEST(ChordCalcRules, StoredValuesAreKeptToTheirRanges) {
    const struct {
        const char *root, *kept;
    } roots[] = {
        {"C#/Db", "C#/Db"}, {"A", "A"}, {"G#/Ab", "G#/Ab"}, {"H", "C"}, {"c", "C"}, {"C#", "C"}, {"", "C"},
    };
    for (const auto &r : roots)
        EXPECT_EQ(ClampChordRoot(r.root), r.kept) << r.root;
    for (int key = 1; key <= 12; ++key)
        EXPECT_EQ(ClampChordRoot(KeyName(key)), KeyName(key)) << key;
    EXPECT_EQ(SearchRoot("C#/Db"), "C#");
    EXPECT_EQ(SearchRoot("E"), "E");
    const struct {
        int in, position, reach, dot;
    } numbers[] = {
        {-5, 0, 0, 0}, {0, 0, 0, 0}, {2, 2, 2, 2}, {7, 7, 7, 2}, {12, 12, 7, 2}, {99, 12, 7, 2},
    };
    for (const auto &n : numbers) {
        EXPECT_EQ(ClampChordPosition(n.in), n.position) << n.in;
        EXPECT_EQ(ClampChordReach(n.in), n.reach) << n.in;
        EXPECT_EQ(ClampDotType(n.in), n.dot) << n.in;
    }
    EXPECT_EQ(PositionText(0), "ALL");
    EXPECT_EQ(PositionText(1), "0");
    EXPECT_EQ(PositionText(12), "11");
}

TEST(ChordCalcRules, MelodyChoicesAndCaptions) {
    EXPECT_EQ(MelodyCaption("C#", "minor 7"), "Find \"C# minor 7\" with:");
    EXPECT_EQ(MelodyStringChoices(6), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(MelodyStringChoices(4), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(MelodyStringChoices(3), (std::vector<std::string>{"1"}));
    EXPECT_TRUE(MelodyStringChoices(0).empty());
    TFormulaTable table;
    TUnknownDegrees unknown;
    EXPECT_EQ(MelodyNoteChoices(table, "C", "Major 6", unknown), (std::vector<std::string>{"C", "E", "G", "A"}));
    EXPECT_EQ(MelodyNoteChoices(table, "A#", "7", unknown), (std::vector<std::string>{"A#", "D", "F", "G#"}));
    EXPECT_TRUE(MelodyNoteChoices(table, "C", "Nonesuch", unknown).empty());
    TCFormula f;
    f.FormulaText = "1-b3-5";
    SplitFormula(f);
    SpellFormula("A", f, unknown);
    EXPECT_EQ(FormulaNoteChoices(f), (std::vector<std::string>{"A", "C", "E"}));
}

} // namespace
