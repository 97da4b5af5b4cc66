// The drum grid's edits and the pattern list's commands, checked by the exact lines they leave in
// the pattern store and the list.
#include "song/BuiltInBeats.h"
#include "song/DrumGrid.h"
#include "song/PatternCommands.h"

#include <gtest/gtest.h>

#include <set>

namespace {

DrumPart Fresh(const char *timeSignature = "0404") {
    DrumPart part;
    part.Reset(timeSignature);
    return part;
}

// The block of item `index`: header first, then the cell lines.
std::vector<std::string> Block(const DrumPart &part, int index) {
    const PatternBlock block = part.ItemPattern(index);
    if (!block.Found())
        return {};
    const auto &lines = part.store.Lines();
    return {lines.begin() + block.headerIndex, lines.begin() + block.headerIndex + block.lineCount};
}

std::vector<std::string> Cells(const DrumPart &part, int index) {
    std::vector<std::string> b = Block(part, index);
    return b.empty() ? b : std::vector<std::string>(b.begin() + 1, b.end());
}

// A list of patterns named by their ids, each with one cell in column `id`.
DrumPart WithPatterns(std::initializer_list<int> ids) {
    DrumPart part = Fresh();
    for (int id : ids) {
        const std::string line = FormatPatternListLine("P" + std::to_string(id), id, kFeelRegular);
        part.grid.Clear();
        part.grid.SetCell(id % 16, 0, 5);
        part.AppendGridAsPattern(line);
        part.list.Add(line);
    }
    part.grid.Clear();
    part.ids.FollowList(part.list);
    return part;
}

int Id(const DrumPart &part, int index) { return ParsePatternListLine(part.list.Item(index)).id; }

// Every list item has its own block and no two items share a list line.
void ExpectConsistent(const DrumPart &part) {
    std::set<std::string> seen;
    for (const std::string &item : part.list.Items()) {
        EXPECT_TRUE(seen.insert(item).second) << "twice: " << item;
        EXPECT_TRUE(part.store.FindPattern(item).Found()) << item;
    }
    int headers = 0;
    for (const std::string &line : part.store.Lines())
        headers += IsPatternHeader(line);
    EXPECT_EQ(headers, part.list.Count());
}

TEST(DrumGridEdits, ClicksCycleLevelsAndStoreTheExactCells) {
    DrumPart part = Fresh();
    DrumGridEditor ed;
    // The first click on an empty list makes a pattern and sets 7; the cycle goes on 8, 9, 1, 2.
    std::vector<int> heard;
    for (int i = 0; i < 5; ++i) {
        const DrumClickResult r = ed.MouseDown(part, 3, 2, false);
        EXPECT_TRUE(r.command.changed);
        heard.push_back(r.soundLevel);
    }
    EXPECT_EQ(heard, (std::vector<int>{7, 8, 9, 1, 2}));
    ASSERT_EQ(part.list.Count(), 1);
    EXPECT_EQ(ParsePatternListLine(part.list.Item(0)).name, "Drum Pattern 1");
    EXPECT_EQ(Block(part, 0), (std::vector<std::string>{FormatPatternHeader(2, part.list.Item(0)), "0302002"}));

    ed.MouseDown(part, 0, 7, false);
    ed.SetCurrent(15, 0);
    EXPECT_TRUE(ed.KeyPress(part, '5').changed);
    EXPECT_FALSE(ed.KeyPress(part, 'x').changed);
    EXPECT_EQ(Cells(part, 0), (std::vector<std::string>{"0007007", "0302002", "1500005"}));
    // "0", Enter and Space empty a cell; the right button empties the clicked one.
    EXPECT_TRUE(ed.KeyPress(part, ' ').changed);
    EXPECT_EQ(ed.MouseDown(part, 3, 2, true).soundLevel, 0);
    EXPECT_EQ(Cells(part, 0), (std::vector<std::string>{"0007007"}));
    // Presses outside the grid do nothing.
    EXPECT_FALSE(ed.MouseDown(part, 16, 0, false).command.changed);
    EXPECT_FALSE(ed.MouseDown(part, 0, 8, true).command.changed);

    // A selection of three columns leaves the cell alone.
    ed.SetCurrent(4, 0);
    const DrumClickResult wide = ed.MouseDown(part, 6, 0, false, true);
    EXPECT_FALSE(wide.command.changed);
    EXPECT_EQ(part.grid.Cell(6, 0), 0);
}

TEST(DrumGridEdits, KeysOnAnEmptyListMakeAPatternAndEditsDeselectTheOthers) {
    DrumPart part = Fresh();
    DrumGridEditor ed;
    ed.SetCurrent(1, 1);
    EXPECT_TRUE(ed.KeyPress(part, '9').changed);
    ASSERT_EQ(part.list.Count(), 1);
    EXPECT_EQ(Cells(part, 0), std::vector<std::string>{"0101009"});

    part = WithPatterns({1, 2, 3});
    for (int i = 0; i < 3; ++i)
        part.list.SetSelected(i, true);
    part.list.SetItemIndex(1);
    ed.SetCurrent(0, 0);
    ed.KeyPress(part, '4');
    EXPECT_EQ(part.list.SelectedIndices(), std::vector<int>{1});
    EXPECT_EQ(Cells(part, 1), std::vector<std::string>{"0000004"});
    // A missing block is named and nothing is marked.
    part.list.SetItem(1, "gone");
    const DrumCommandResult r = ed.KeyPress(part, '4');
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.message, "Error: Pattern pointed to by listbox does not exist (ReplaceDrumGridInRichEdit)");
}

TEST(DrumGridEdits, CopyPasteUndoAndCut) {
    DrumPart part = WithPatterns({1});
    part.list.SetItemIndex(0);
    DrumGridEditor ed;
    for (auto [c, r, level] : {std::tuple{0, 0, 1}, {1, 0, 2}, {0, 1, 3}, {1, 1, 4}, {15, 7, 9}})
        part.grid.SetCell(c, r, level);
    ed.SetCurrent(0, 0);
    ed.SetCurrent(1, 1, true);
    ed.Copy(part);
    EXPECT_EQ(ed.Clipboard().levels, (std::vector<uint8_t>{1, 2, 3, 4}));

    // Pasting at column 14 row 6 loses what falls outside; the covered cells are kept for Undo.
    ed.SetCurrent(14, 6);
    EXPECT_TRUE(ed.Paste(part).changed);
    EXPECT_EQ(Cells(part, 0), (std::vector<std::string>{"0000001", "0001003", "0100002", "0101004", "1406001",
                                                        "1407003", "1506002", "1507004"}));
    ed.SetCurrent(13, 6); // elsewhere: Undo does nothing
    EXPECT_FALSE(ed.Undo(part).changed);
    ed.SetCurrent(14, 6);
    EXPECT_TRUE(ed.Undo(part).changed);
    EXPECT_EQ(Cells(part, 0), (std::vector<std::string>{"0000001", "0001003", "0100002", "0101004", "1507009"}));

    ed.SetCurrent(0, 0);
    ed.SetCurrent(0, 1, true);
    EXPECT_TRUE(ed.Cut(part).changed);
    EXPECT_EQ(Cells(part, 0), (std::vector<std::string>{"0100002", "0101004", "1507009"}));
    EXPECT_EQ(ed.Clipboard().levels, (std::vector<uint8_t>{1, 3}));

    // On an empty list: Cut and Undo do nothing, Paste makes a pattern first.
    DrumPart empty = Fresh();
    EXPECT_FALSE(ed.Cut(empty).changed);
    EXPECT_FALSE(ed.Undo(empty).changed);
    EXPECT_TRUE(empty.list.Empty());
    ed.SetCurrent(2, 2);
    EXPECT_TRUE(ed.Paste(empty).changed);
    ASSERT_EQ(empty.list.Count(), 1);
    EXPECT_EQ(Cells(empty, 0), (std::vector<std::string>{"0202001", "0203003"}));
}

TEST(DrumGridEdits, ClearPatternEmptiesTheOnlyPatternInTheStore) {
    DrumPart part = Fresh();
    ChooseBuiltInBeat(part, 1);
    DrumGridEditor ed;
    ed.SetCurrent(3, 3);
    EXPECT_TRUE(ed.ClearPattern(part).changed);
    EXPECT_EQ(Block(part, 0), std::vector<std::string>{FormatPatternHeader(1, part.list.Item(0))});
    EXPECT_EQ(part.builtInBeat, 0);
    EXPECT_EQ(ed.Selection(), (DrumGridRect{0, 0, 0, 0}));
    EXPECT_EQ(part.list.SelectedIndices(), std::vector<int>{0});
}

TEST(DrumGridPlay, ColumnDueTimesAndColumnNotes) {
    struct Case {
        int column, denominator, feel, tempo;
        int64_t us;
    };
    const Case cases[] = {
        {1, 4, kFeelRegular, 120, 125000}, {1, 4, kFeelJazzy, 120, 166666},     {3, 4, kFeelJazzy, 120, 500000},
        {1, 8, kFeelRegular, 120, 62500},  {1, 2, kFeelJazzy, 60, 666666},      {1, 1, kFeelRegular, 120, 500000},
        {1, 64, kFeelRegular, 120, 7812},  {16, 64, kFeelRegular, 120, 125000}, {1, 3, kFeelRegular, 120, 125000},
        {3, 0, kFeelJazzy, 120, 500000},   // unlisted: a quarter
        {12, 4, kFeelJazzy, 0, 240000000}, // a tempo below 1 counts as 1
    };
    for (const Case &c : cases)
        EXPECT_EQ(DrumColumnDueUs(c.column, c.denominator, c.feel, c.tempo), c.us)
            << c.column << " " << c.denominator << " " << c.feel;

    DrumPart part = Fresh();
    for (int r = 0; r < kDrumRows; ++r)
        part.grid.SetCell(2, r, r + 2);
    const std::vector<DrumHit> all = DrumColumnHits(part, 2, 0, 100);
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all.front(), (DrumHit{36, 65}));
    EXPECT_EQ(all.back(), (DrumHit{51, 100}));
    // Transposed past 127 (row 6, note 77 + 60) is left out; the rest still sound.
    const std::vector<DrumHit> high = DrumColumnHits(part, 2, 60, 100);
    EXPECT_EQ(high.size(), 7u);
    EXPECT_TRUE(DrumColumnHits(part, 3, 0, 100).empty());
}

TEST(PatternCommands, NewPatternTakesTheNextIdAfterTheCurrentItem) {
    DrumPart part = WithPatterns({1, 7, 3});
    part.list.SetItemIndex(0);
    part.feel = kFeelJazzy;
    EXPECT_TRUE(NewDrumPattern(part).changed);
    ASSERT_EQ(part.list.Count(), 4);
    EXPECT_EQ(part.list.Item(1), FormatPatternListLine("Drum Pattern 8", 8, kFeelJazzy));
    EXPECT_EQ(part.list.ItemIndex(), 1);
    EXPECT_EQ(part.list.SelectedIndices(), std::vector<int>{1});
    EXPECT_EQ(Block(part, 1), std::vector<std::string>{FormatPatternHeader(1, part.list.Item(1))});
    EXPECT_EQ(part.grid.Columns(), 12);
    // Built-in beats take the next id the same way.
    ChooseBuiltInBeat(part, 4);
    EXPECT_EQ(Id(part, 2), 9);
    ExpectConsistent(part);
}

TEST(PatternCommands, RefusalsNameTheCommand) {
    DrumPart empty = Fresh();
    DrumPart none = WithPatterns({1, 2});
    PatternClipboard clip{"kept"};
    struct Case {
        const char *what;
        DrumCommandResult result;
        TDrumMessageKind kind;
        const char *text;
    };
    const Case cases[] = {
        {"copy empty", CopyPatterns(empty, clip), TDrumMessageKind::Information,
         "There are no patterns to copy. Click in the grid to create one."},
        {"copy none", CopyPatterns(none, clip), TDrumMessageKind::Warning, "Click on drum pattern line(s) to copy"},
        {"cut empty", CutPatterns(empty, clip), TDrumMessageKind::Information,
         "There are no patterns to cut. Click in the grid to create one."},
        {"cut none", CutPatterns(none, clip), TDrumMessageKind::Warning, "Click on drum pattern line(s) to cut"},
        {"delete empty", DeletePatterns(empty), TDrumMessageKind::Information,
         "There are no patterns to delete. Click in the grid to create one."},
        {"delete none", DeletePatterns(none), TDrumMessageKind::Warning, "Click on drum pattern line(s) to delete"},
        {"rename empty", AskRenamePatterns(empty).refusal, TDrumMessageKind::Information,
         "There are no patterns to rename. Click in the grid to create one."},
        {"rename none", AskRenamePatterns(none).refusal, TDrumMessageKind::Warning,
         "Click on drum pattern line(s) to rename"},
        {"select all empty", SelectAllPatterns(empty), TDrumMessageKind::Information,
         "There are no patterns to select. Click in the grid to create one."},
        {"select to top empty", SelectPatterns(empty, TPatternSelect::ToTop), TDrumMessageKind::Information,
         "There are no patterns to select. Click in the grid to create one."},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.result.kind, c.kind) << c.what;
        EXPECT_EQ(c.result.message, c.text) << c.what;
        EXPECT_FALSE(c.result.changed) << c.what;
    }
    EXPECT_EQ(clip, PatternClipboard{"kept"});
    EXPECT_EQ(none.list.Count(), 2);
}

TEST(PatternCommands, PasteFollowsTheLastSelectedItemWithFreshIds) {
    DrumPart part = WithPatterns({1, 2, 3, 4, 5, 6, 7});
    PatternClipboard clip;
    part.list.SetSelected(2, true);
    part.list.SetSelected(5, true);
    ASSERT_EQ(CopyPatterns(part, clip), DrumCommandResult{});
    EXPECT_EQ(clip, (PatternClipboard{FormatPatternHeader(2, part.list.Item(2)), "0300005",
                                      FormatPatternHeader(2, part.list.Item(5)), "0600005"}));
    EXPECT_TRUE(PastePatterns(part, clip).changed);
    ASSERT_EQ(part.list.Count(), 9);
    EXPECT_EQ(Id(part, 6), 8);
    EXPECT_EQ(Id(part, 7), 9);
    EXPECT_EQ(ParsePatternListLine(part.list.Item(6)).name, "P3");
    EXPECT_EQ(ParsePatternListLine(part.list.Item(7)).name, "P6");
    EXPECT_EQ(part.list.SelectedIndices(), (std::vector<int>{6, 7}));
    EXPECT_EQ(part.list.ItemIndex(), 6);
    EXPECT_EQ(Cells(part, 7), std::vector<std::string>{"0600005"});
    EXPECT_EQ(part.grid.Cell(3, 0), 5); // the first pasted pattern shows
    // The same clipboard again: another set with other ids, after the last selected (7).
    EXPECT_TRUE(PastePatterns(part, clip).changed);
    EXPECT_EQ(Id(part, 8), 10);
    EXPECT_EQ(Id(part, 9), 11);
    ExpectConsistent(part);
    // Nothing selected: at the top.
    part.list.DeselectAll();
    PastePatterns(part, clip);
    EXPECT_EQ(Id(part, 0), 12);
    ExpectConsistent(part);
}

TEST(PatternCommands, CutAndDeleteLeaveTheHighestPlaceCurrent) {
    DrumPart part = WithPatterns({1, 2, 3});
    part.list.SetSelected(2, true);
    EXPECT_TRUE(DeletePatterns(part).changed);
    EXPECT_EQ(part.list.ItemIndex(), 1);
    EXPECT_EQ(part.list.SelectedIndices(), std::vector<int>{1});
    EXPECT_EQ(part.grid.Cell(2, 0), 5);
    ExpectConsistent(part);

    // A block that is missing: the copy fails, so Cut deletes nothing and the clipboard stays.
    PatternClipboard clip{"kept"};
    part.list.SetSelected(0, true);
    part.list.SetItem(1, "gone");
    const DrumCommandResult cut = CutPatterns(part, clip);
    EXPECT_EQ(cut.message, "Error: Pattern pointed to by listbox does not exist (Copy3Click)");
    EXPECT_FALSE(cut.changed);
    EXPECT_EQ(part.list.Count(), 2);
    EXPECT_EQ(clip, PatternClipboard{"kept"});

    part = WithPatterns({1, 2, 3});
    part.list.SetSelected(0, true);
    part.list.SetSelected(1, true);
    EXPECT_TRUE(CutPatterns(part, clip).changed);
    EXPECT_EQ(part.list.Items(), std::vector<std::string>{FormatPatternListLine("P3", 3, kFeelRegular)});
    EXPECT_EQ(part.list.ItemIndex(), 0);
    EXPECT_EQ(clip.size(), 4u);
    part.list.SetSelected(0, true);
    DeletePatterns(part);
    EXPECT_TRUE(part.store.Empty());
    EXPECT_EQ(part.grid.Cells().size(), 0u);
}

TEST(PatternCommands, RenameKeepsFortyCharactersAndEachOwnId) {
    DrumPart part = WithPatterns({1, 2, 3});
    part.list.SetItemIndex(0);
    part.list.SetSelected(0, true);
    RenameQuestion q = AskRenamePatterns(part);
    EXPECT_EQ(q.title, "Enter new name for P1");
    EXPECT_EQ(q.text, "P1");
    EXPECT_EQ(q.maxLength, 40);
    part.list.SetSelected(2, true);
    EXPECT_EQ(AskRenamePatterns(part).title, "Enter new name for selected items");

    EXPECT_FALSE(RenamePatterns(part, "   ").changed);
    const std::string fifty = "\xC3\xA9" + std::string(49, 'x'); // an accent counts as one character
    EXPECT_TRUE(RenamePatterns(part, fifty).changed);
    const std::string forty = fifty.substr(0, 41);
    EXPECT_EQ(part.list.Item(0), FormatPatternListLine(forty, 1, kFeelRegular));
    EXPECT_EQ(part.list.Item(2), FormatPatternListLine(forty, 3, kFeelRegular));
    EXPECT_EQ(ParsePatternListLine(part.list.Item(1)).name, "P2");
    EXPECT_EQ(part.list.SelectedIndices(), (std::vector<int>{0, 1, 2}));
    ExpectConsistent(part);
}

TEST(PatternCommands, SelectionCommandsAndDuplicate) {
    DrumPart part = WithPatterns({1, 2, 3, 4});
    part.list.SetItemIndex(2);
    SelectPatterns(part, TPatternSelect::ToTop);
    EXPECT_EQ(part.list.SelectedIndices(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(PlayBarsPanel(part), "Play Selected Bars");
    SelectPatterns(part, TPatternSelect::ToBottom);
    EXPECT_EQ(part.list.SelectedIndices(), (std::vector<int>{2, 3}));
    SelectPatterns(part, TPatternSelect::One);
    EXPECT_EQ(part.list.SelectedIndices(), std::vector<int>{2});
    EXPECT_EQ(PlayBarsPanel(part), "Play All Bars");

    PatternClipboard clip;
    EXPECT_TRUE(DuplicatePatterns(part, clip).changed);
    EXPECT_EQ(Id(part, 3), 5);
    EXPECT_EQ(ParsePatternListLine(part.list.Item(3)).name, "P3");
    EXPECT_TRUE(SelectAllAndDuplicate(part, clip).changed);
    EXPECT_EQ(part.list.Count(), 10);
    EXPECT_EQ(part.list.SelectedCount(), 5);
    ExpectConsistent(part);

    EXPECT_TRUE(ClearAllDrums(part, "0304").changed);
    EXPECT_TRUE(part.list.Empty() && part.store.Empty());
    EXPECT_EQ(part.grid.Columns(), 12);
    EXPECT_EQ(PlayBarsPanel(part), "");
    EXPECT_EQ(part.NextPatternId(), 1);
}

} // namespace
