#include "dialogs/chords/ChordDiagram.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr const char *kCMajor = "C Major, -1, 3, 2, 0, 1, 0, , C, E, G, C, E, , 1, 3, 5, 1, 3";

std::vector<TDiagramItem> ItemsOf(const TDiagramPicture &p, TDiagramItem::Kind kind) {
    std::vector<TDiagramItem> out;
    std::copy_if(p.items.begin(), p.items.end(), std::back_inserter(out),
                 [kind](const TDiagramItem &i) { return i.kind == kind; });
    return out;
}

TEST(ChordDiagram, DetailLinesFillTheBoxFromTheLowestString) {
    const TCurrChordBox box = ParseVoicingLine(kCMajor, 6, kDotNote, 4);
    EXPECT_EQ(box.ChordName, "C Major");
    EXPECT_EQ(box.Frets, (std::array<int, 6>{0, 1, 0, 2, 3, -1}));
    EXPECT_EQ(box.Notes, (std::array<int, 6>{64, 60, 55, 52, 48, -1}));
    EXPECT_EQ(box.NoteNames[1], " C");
    EXPECT_EQ(box.Degrees[5], " 3");
    EXPECT_TRUE(box.Loaded);

    const TCurrChordBox odd = ParseVoicingLine("Odd, x, X, junk, 5", 4, kDotPlain, 2);
    EXPECT_EQ(odd.Frets, (std::array<int, 6>{-1, -1, 5, -1, -1, -1}));
    EXPECT_TRUE(ParseVoicingLine("   ", 6, kDotPlain, 4).ChordName.empty());
    // The banjo's short string sounds five above its stored pitch when open.
    const TCurrChordBox banjo =
        ParseVoicingLine("G Major, 0, 0, 0, 0, 0, G, D, G, B, D, 1, 5, 1, 3, 5", 5, kDotNote, 4, "242728292946", true);
    EXPECT_EQ(banjo.Notes[5], 67);
    EXPECT_EQ(banjo.Notes[4], 50);
}

TEST(ChordDiagram, HighFretsAreDrawnShiftedWithTheirFretNumber) {
    const TCurrChordBox high =
        ParseVoicingLine("B m, 7, 9, 9, 7, 7, 7, , , , , , , 1, 5, 1, b3, 5, 1", 6, kDotPlain, 4);
    const TDiagramPicture p = DrawChordDiagram(high, 200, 250);
    const TDiagramGrid g = DiagramGrid(200, 250, 6, 3);
    const auto dots = ItemsOf(p, TDiagramItem::Dot);
    ASSERT_EQ(dots.size(), 6u);
    int x = 0, y = 0;
    ASSERT_TRUE(DiagramDotPosition(g, 12, 0, 1, x, y)); // fret 7 falls in row 1
    EXPECT_EQ(dots[0], (TDiagramItem{TDiagramItem::Dot, x, y, 0, 0, 12, true, {}}));
    ASSERT_TRUE(DiagramDotPosition(g, 12, 1, 3, x, y)); // fret 9 in row 3
    EXPECT_EQ(dots[1].y, y);
    EXPECT_FALSE(dots[1].red);
    const auto texts = ItemsOf(p, TDiagramItem::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], (TDiagramItem{TDiagramItem::Text, 0, g.top + g.rowHeight / 2, 0, 0, 0, false, "    7"}));
    EXPECT_EQ(high.Frets[5], 7); // the record keeps its frets: a repaint draws the same picture
    EXPECT_EQ(DrawChordDiagram(high, 200, 250).items, p.items);

    const TDiagramPicture low = DrawChordDiagram(ParseVoicingLine(kCMajor, 6, kDotPlain, 4), 200, 250);
    EXPECT_EQ(ItemsOf(low, TDiagramItem::Dot).size(), 3u);
    const auto marks = ItemsOf(low, TDiagramItem::Text); // X over string 6, O over 4 and 1
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].text, "X");
    EXPECT_EQ(marks[1].text, "O");
    ASSERT_TRUE(DiagramDotPosition(g, 12, 0, 0, x, y));
    EXPECT_EQ(marks[0].x, x + 2);
    EXPECT_EQ(marks[0].y, y);
    // Lines: two closing lines, five further strings and four fret lines for reach 4.
    EXPECT_EQ(ItemsOf(low, TDiagramItem::Line).size(), 2u + 5u + 4u);
}

TEST(ChordDiagram, MarksNamesAndEmptyBoxes) {
    const TCurrChordBox box = ParseVoicingLine(kCMajor, 6, kDotNote, 4);
    EXPECT_EQ(DrawChordDiagram(box, 99, 120).markSize, 6);
    EXPECT_EQ(DrawChordDiagram(box, 99, 120).fontHeight, 8);
    EXPECT_EQ(DrawChordDiagram(box, 100, 120).markSize, 12);
    std::vector<std::pair<std::string, bool>> shown;
    for (const auto &item : ItemsOf(DrawChordDiagram(box, 200, 250), TDiagramItem::BoxedText))
        shown.emplace_back(item.text, item.red);
    EXPECT_EQ(shown, (std::vector<std::pair<std::string, bool>>{
                         {" C ", true}, {" E ", false}, {" G ", false}, {" C ", true}, {" E ", false}}));
    TCurrChordBox degrees = box;
    degrees.DotType = kDotDegree;
    EXPECT_EQ(ItemsOf(DrawChordDiagram(degrees, 200, 250), TDiagramItem::BoxedText)[1].text, " 3 ");

    TCurrChordBox single = ParseVoicingLine("One, 3, E, 1", 1, kDotPlain, 4);
    EXPECT_TRUE(DrawChordDiagram(single, 200, 250).items.empty());
    EXPECT_TRUE(DrawChordDiagram(TCurrChordBox{}, 200, 250).items.empty());
    const TDiagramGrid g = DiagramGrid(200, 250, 6, 3);
    int x = 0, y = 0;
    EXPECT_FALSE(DiagramDotPosition(g, 12, 0, 13, x, y));
    ASSERT_TRUE(DiagramDotPosition(g, 12, 2, 0, x, y));
    EXPECT_EQ(y, g.top + g.rowHeight / 2 - 6 + g.rowHeight / 4 - g.rowHeight);
    EXPECT_EQ(x, g.left + 2 * g.columnWidth - 6);
}

TEST(ChordDiagram, PlayLineAndStoredVoicingLine) {
    EXPECT_EQ(PlayChordLine(ParseVoicingLine(kCMajor, 6, kDotPlain, 4)), "PlayChord, X,3,2,0,1,0,Q");
    TLineContext guitar;
    EXPECT_EQ(StoredVoicingToListLine(kCMajor, guitar), "C Major,  x,  3,  2,  0,  1,  0, W");
    EXPECT_EQ(StoredVoicingToListLine("C Major, -1, 3, 2, 0, 1, 40, , C", guitar), "C Major, -1, 3, 2, 0, 1, 40,W");
    TLineContext bass;
    bass.HighestString = 3;
    EXPECT_EQ(StoredVoicingToListLine("G 7, 3, 2, 3, -1, G, B, F, , 1, 3, b7, ", bass), "G 7,  3,  2,  3,  x, W");
}

} // namespace
