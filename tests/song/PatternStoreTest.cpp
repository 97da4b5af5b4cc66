#include "song/PatternStore.h"
#include "song/BuiltInBeats.h"

#include <gtest/gtest.h>

namespace {

TEST(PatternFormats, ListLineColumnsAndRoundTrip) {
    const std::string line = FormatPatternListLine("Drum Pattern 3", 3, kFeelRegular);
    EXPECT_EQ(line, "Drum Pattern 3" + std::string(26, ' ') + " " + "   Regular" + std::string(8, ' ') + "000003");
    EXPECT_EQ(line.size(), 65u);
    const std::string jazzy = FormatPatternListLine("Swing", 12345, kFeelJazzy);
    EXPECT_EQ(jazzy.substr(41, 10), "Jazzy Feel");
    const PatternListEntry e = ParsePatternListLine(jazzy);
    EXPECT_EQ(e.name, "Swing");
    EXPECT_EQ(e.feel, kFeelJazzy);
    EXPECT_EQ(e.id, 12345);
    // Columns count characters, as the song file's Windows-1252 text does.
    const std::string accented = FormatPatternListLine("Caf\xC3\xA9 \xE2\x82\xAC", 7, kFeelJazzy);
    EXPECT_EQ(accented.size(), 65u + 1 + 2);
    const PatternListEntry a = ParsePatternListLine(accented);
    EXPECT_EQ(a.name, "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(a.feel, kFeelJazzy);
    EXPECT_EQ(a.id, 7);
    // A short or garbled line reads as far as it goes, without reading past its end.
    const PatternListEntry shortLine = ParsePatternListLine("Name only");
    EXPECT_EQ(shortLine.name, "Name only");
    EXPECT_EQ(shortLine.id, 0);
    EXPECT_EQ(shortLine.feel, kFeelRegular);
}

TEST(PatternFormats, HeaderAndCellLines) {
    EXPECT_EQ(FormatPatternHeader(1, "abc"), "DPATN|0001|abc");
    EXPECT_TRUE(IsPatternHeader("DPATN|0001|abc"));
    EXPECT_FALSE(IsPatternHeader("DPAT"));
    PatternHeader h = ParsePatternHeader("DPATN|0014|Rock");
    EXPECT_EQ(h.count, 14);
    EXPECT_EQ(h.listLine, "Rock");
    EXPECT_EQ(ParsePatternHeader("DPATN|00x4|Rock").count, -1);
    EXPECT_EQ(ParsePatternHeader("DPATN").count, -1);

    EXPECT_EQ(FormatCellLine({3, 2, 7}), "0302007");
    EXPECT_EQ(FormatCellLine({123, 7, 9}), "12307009");
    struct Case {
        const char *line;
        bool ok;
        DrumCell cell;
    };
    // clang-format off
    const Case cases[] = {
        {"0302007", true, {3, 2, 7}},    {"12307009", true, {123, 7, 9}}, {"9907001", true, {99, 7, 1}},
        {"0308007", false, {}},          {"0302000", false, {}},          {"0302010", false, {}},
        {"030200", false, {}},           {"030200799", false, {}},        {"03 2007", false, {}},
        {"25600001", false, {}},         {"", false, {}},
    };
    // clang-format on
    for (const Case &c : cases) {
        DrumCell cell;
        EXPECT_EQ(ParseCellLine(c.line, cell), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(cell, c.cell) << c.line;
        }
    }
}

TEST(PatternFormats, TimeSignatureHelpersAndVelocity) {
    EXPECT_EQ(GetTimeSigUpper("0608"), 6);
    EXPECT_EQ(GetTimeSigLower("0608"), 8);
    EXPECT_EQ(GetTimeSigUpper("060"), 0);
    EXPECT_EQ(GetTimeSigUpper(""), 0);
    EXPECT_EQ(GetTimeSigLower("06ab"), 0);
    EXPECT_EQ(FormatTimeSignatureText("0404"), "4/4  ");
    EXPECT_EQ(FormatTimeSignatureText("1208"), "12/8 ");
    EXPECT_EQ(LevelToVelocity(1, 100), 60);
    EXPECT_EQ(LevelToVelocity(8, 100), 95);
    EXPECT_EQ(LevelToVelocity(9, 100), 100);
    EXPECT_EQ(LevelToVelocity(0, 50), 75);
}

DrumPart MakePart() {
    DrumPart part;
    part.Reset("0404");
    return part;
}

TEST(PatternStore, FindPatternPrefersTheLaterOfEqualBlocksAndStopsAtTheNextHeader) {
    PatternStore store;
    store.AppendLines({"DPATN|0002|A", "0000007", "DPATN|0003|B", "0101001", "0202002", "DPATN|0002|A", "0303003"});
    PatternBlock a = store.FindPattern("A");
    EXPECT_EQ(a.headerIndex, 5);
    EXPECT_EQ(store.BlockCells(a), (std::vector<DrumCell>{{3, 3, 3}}));
    EXPECT_FALSE(store.FindPattern("C").Found());

    // A count that runs past the next header ends at that header; bad cell lines are skipped.
    PatternStore bad;
    bad.AppendLines({"DPATN|0009|X", "0000007", "junk", "0107009", "DPATN|0001|Y"});
    PatternBlock x = bad.FindPattern("X");
    EXPECT_EQ(x.lineCount, 4);
    EXPECT_EQ(bad.BlockCells(x), (std::vector<DrumCell>{{0, 0, 7}, {1, 7, 9}}));
    bad.DeleteBlock(x);
    EXPECT_EQ(bad.Lines(), (std::vector<std::string>{"DPATN|0001|Y"}));
    // A count that is no number is found but counts as missing.
    PatternStore noCount;
    noCount.AppendLines({"DPATN|zz01|Z"});
    EXPECT_EQ(noCount.FindPattern("Z").headerIndex, 0);
    EXPECT_FALSE(noCount.FindPattern("Z").Found());
}

TEST(PatternStore, GridWritesColumnByColumnAndReplaceMovesTheBlockToTheEnd) {
    DrumPart part = MakePart();
    EXPECT_EQ(part.grid.Columns(), 16);
    const std::string first = FormatPatternListLine("One", part.ids.Next(), kFeelRegular);
    part.AppendGridAsPattern(first);
    EXPECT_EQ(part.store.Lines(), (std::vector<std::string>{"DPATN|0001|" + first})); // empty grid: header alone
    part.list.Add(first);
    const std::string second = FormatPatternListLine("Two", part.ids.Next(), kFeelRegular);
    part.store.AppendGrid(second, part.grid);
    part.list.Add(second);

    part.grid.SetCell(4, 1, 9);
    part.grid.SetCell(0, 7, 2);
    part.grid.SetCell(4, 0, 5);
    ASSERT_TRUE(part.ReplaceDrumGridInStore(0));
    EXPECT_EQ(part.store.Lines(), (std::vector<std::string>{"DPATN|0001|" + second, "DPATN|0004|" + first, "0007002",
                                                            "0400005", "0401009"}));
    part.grid.Clear();
    ASSERT_TRUE(part.LoadPatternIntoGrid(0));
    EXPECT_EQ(part.grid.Cell(4, 1), 9);
    EXPECT_EQ(part.grid.Cell(0, 7), 2);

    part.list.SetItem(1, "missing");
    EXPECT_FALSE(part.ReplaceDrumGridInStore(1));
    EXPECT_FALSE(part.LoadPatternIntoGrid(1));
}

TEST(PatternStore, WideBarsKeepThreeDigitColumns) {
    DrumPart part;
    part.Reset("6404");
    EXPECT_EQ(part.grid.Columns(), 256);
    part.grid.SetCell(255, 3, 4);
    part.grid.SetCell(99, 0, 1);
    part.AppendGridAsPattern("wide");
    EXPECT_EQ(part.store.Lines()[1], "9900001");
    EXPECT_EQ(part.store.Lines()[2], "25503004");
    part.list.Add("wide");
    part.grid.Clear();
    ASSERT_TRUE(part.LoadPatternIntoGrid(0));
    EXPECT_EQ(part.grid.Cell(255, 3), 4);
}

TEST(PatternStore, FeelChangeRewritesSelectedPatternsOnly) {
    DrumPart part = MakePart();
    for (int i = 0; i < 3; ++i) {
        const std::string line = FormatPatternListLine("P" + std::to_string(i), part.ids.Next(), kFeelRegular);
        part.grid.Clear();
        part.grid.SetCell(i, 0, 7);
        part.AppendGridAsPattern(line);
        part.list.Add(line);
    }
    part.list.SetSelected(0, true);
    part.list.SetSelected(2, true);
    part.list.SetItemIndex(2);
    part.grid.Clear();
    part.grid.SetCell(5, 5, 5); // what the grid shows now is written into the current pattern
    EXPECT_EQ(part.ChangeFeel(kFeelJazzy), "");
    EXPECT_EQ(part.grid.Columns(), 12);
    EXPECT_EQ(ParsePatternListLine(part.list.Item(0)).feel, kFeelJazzy);
    EXPECT_EQ(ParsePatternListLine(part.list.Item(1)).feel, kFeelRegular);
    EXPECT_EQ(ParsePatternListLine(part.list.Item(2)).feel, kFeelJazzy);
    EXPECT_EQ(part.store.BlockCells(part.store.FindPattern(part.list.Item(0))), (std::vector<DrumCell>{{0, 0, 7}}));
    EXPECT_EQ(part.store.BlockCells(part.store.FindPattern(part.list.Item(2))), (std::vector<DrumCell>{{5, 5, 5}}));
    EXPECT_TRUE(part.list.Selected(0));

    part.list.SetItem(1, "gone");
    part.list.SetSelected(1, true);
    EXPECT_EQ(part.ChangeFeel(kFeelRegular),
              "Error: Pattern pointed to by listbox does not exist (ComboBoxJazzyFeelChange)");
}

TEST(PatternList, InsertDeleteKeepTheCurrentItemAndMaxId) {
    PatternListModel list;
    list.Add(FormatPatternListLine("a", 1, 0));
    list.Add(FormatPatternListLine("b", 7, 0));
    list.SetItemIndex(1);
    list.Insert(0, FormatPatternListLine("c", 3, 0));
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(list.MaxId(), 7);
    list.Delete(2);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(5);
    EXPECT_EQ(list.ItemIndex(), -1);
    PatternIdCounter ids;
    ids.FollowList(list);
    EXPECT_EQ(ids.Next(), 4);
}

TEST(BuiltInBeats, HeadersMatchTheirCellsAndLoadAsPatterns) {
    for (int n = 1; n <= kBuiltInBeatCount; ++n) {
        const BuiltInBeat &beat = GetBuiltInBeat(n);
        const std::string_view header = beat.strings.front();
        EXPECT_EQ(GetBeatLineCount(header), static_cast<int>(beat.strings.size())) << header;
        const int steps = GetTimeSigUpper(GetBeatTimeSignature(header)) * StepsPerBeat(GetBeatJazzyFlag(header));
        for (size_t i = 1; i < beat.strings.size(); ++i) {
            DrumCell cell;
            ASSERT_TRUE(ParseCellLine(beat.strings[i], cell)) << beat.strings[i];
            EXPECT_LT(cell.column, steps) << header << " " << beat.strings[i];
        }
    }
    EXPECT_EQ(BuiltInBeatChoices(), (std::vector<std::string>{"None", "Rock 1", "Rock 2", "Rock 3/4", "Jazz",
                                                              "Bossa Nova", "Jazz Waltz", "Country"}));
}

TEST(BuiltInBeats, JazzWaltzSetsTheDrumPageButNotTheSong) {
    DrumPart part = MakePart();
    part.drumSlots[2] = {"56 Cowbell", 56};
    ChooseBuiltInBeat(part, 1); // Rock 1 first, so the waltz goes after it
    ChooseBuiltInBeat(part, 6);
    EXPECT_EQ(part.drumSlots, MakeDefaultDrumSlots());
    EXPECT_EQ(part.sigUpper, 3);
    EXPECT_EQ(part.sigLower, 4);
    EXPECT_EQ(part.feel, kFeelJazzy);
    EXPECT_EQ(part.grid.Columns(), 9);
    ASSERT_EQ(part.list.Count(), 2);
    EXPECT_EQ(part.list.ItemIndex(), 1);
    EXPECT_EQ(part.list.SelectedIndices(), std::vector<int>{1});
    const PatternListEntry e = ParsePatternListLine(part.list.Item(1));
    EXPECT_EQ(e.name, "Jazz Waltz");
    EXPECT_EQ(e.id, 2);
    const PatternBlock block = part.store.FindPattern(part.list.Item(1));
    ASSERT_TRUE(block.Found());
    EXPECT_EQ(block.count, 7);
    EXPECT_EQ(part.store.Lines()[static_cast<size_t>(block.headerIndex)].substr(0, 11), "DPATN|0007|");
    EXPECT_EQ(part.grid.Cell(8, 7), 7);
    EXPECT_EQ(part.grid.Cell(0, 0), 7);

    // "None" only resets the slots and the selection.
    ChooseBuiltInBeat(part, 0);
    EXPECT_EQ(part.list.Count(), 2);
    EXPECT_EQ(part.list.SelectedCount(), 0);
}

} // namespace
