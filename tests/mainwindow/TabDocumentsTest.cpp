// The tabs' documents: what is stored from a document equals its whole text after any run of
// edits (only the changed lines are read out), and a document shown again holds its tab's lines.
#include "mainwindow/editor/TabDocuments.h"
#include "QtTestApp.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <utility>

namespace {

TEST(TabDocuments, StoredLinesEqualTheTextAfterAnyEdits) {
    TwTestApp();
    TSongModel song;
    TNotationEdit edit;
    TEditorLines lines(&edit);
    TTabDocuments docs(song, lines);
    song.Lines(3) = {"C, x, 3, 2, 0, 1, 0, Q", "", "*Tempo 90", "G, 3, 2, 0, 0, 0, 3, H", "Am, x, 0, 2, 2, 1, 0, E"};
    docs.Show(3);
    ASSERT_EQ(lines.StoreLines(), std::as_const(song).Lines(3));

    std::mt19937 rng(11);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, std::max(n, 0))(rng); };
    const QString pieces[] = {QStringLiteral("x"),         QStringLiteral("\n"),
                              QStringLiteral("E, 0, Q\n"), QStringLiteral("\nD, x, x, 0, 2, 3, 2, W"),
                              QStringLiteral("a\nb\nc"),   QString()};
    QTextDocument *doc = edit.document();
    for (int round = 0; round < 600; ++round) {
        const int length = doc->characterCount() - 1;
        QTextCursor c(doc);
        switch (pick(5)) {
        case 0: // typing or pasting somewhere, the very end included
        case 1:
            c.setPosition(pick(length));
            c.insertText(pieces[pick(5)]);
            break;
        case 2: { // a selection replaced or removed, line breaks included
            const int a = pick(length), b = pick(length);
            c.setPosition(std::min(a, b));
            c.setPosition(std::max(a, b), QTextCursor::KeepAnchor);
            c.insertText(pieces[pick(5)]);
            break;
        }
        case 3: // two edits far apart as one step
            c.beginEditBlock();
            c.setPosition(pick(length));
            c.insertText(QStringLiteral("y\n"));
            c.movePosition(QTextCursor::End);
            c.insertText(pieces[pick(5)]);
            c.endEditBlock();
            break;
        case 4:
            doc->undo();
            break;
        default:
            doc->redo();
            break;
        }
        if (round % 3 == 0 || round % 37 == 0) {
            docs.Store(3);
            ASSERT_EQ(std::as_const(song).Lines(3), lines.StoreLines()) << "round " << round;
        }
        if (round % 50 == 0) { // the whole text gone now and then
            c.select(QTextCursor::Document);
            c.removeSelectedText();
        }
    }
}

TEST(TabDocuments, ATabShownAgainHoldsItsLinesWhateverChangedThem) {
    TwTestApp();
    TSongModel song;
    TNotationEdit edit;
    TEditorLines lines(&edit);
    TTabDocuments docs(song, lines);
    song.Lines(2) = {"C, 48, x, x, x, x, x, x, x, x, x, Q"};
    docs.Show(2);
    lines.InsertLine(1, QStringLiteral("D, 50, x, x, x, x, x, x, x, x, x, Q"));
    docs.Store(2);
    docs.Show(5);
    EXPECT_TRUE(lines.IsEmpty());
    // Read through the song (a build does that): the lines are the same, the document stays.
    (void)song.Lines(2).size();
    docs.Show(2);
    EXPECT_EQ(lines.LineCount(), 2);
    // Changed behind the document (a command writing the lines): shown as they are now.
    docs.Show(5);
    song.Lines(2)[0] = "E, 52, x, x, x, x, x, x, x, x, x, Q";
    docs.Show(2);
    EXPECT_EQ(lines.Line(0), QStringLiteral("E, 52, x, x, x, x, x, x, x, x, x, Q"));
    EXPECT_EQ(lines.LineCount(), 2);
    // Another tab's lines take the shown text.
    docs.Store(9);
    EXPECT_EQ(std::as_const(song).Lines(9), std::as_const(song).Lines(2));
}

// The caret's place in the song from the shown document, after far jumps and edits, is the
// place GetLinePosition gives over the same lines.
TEST(TabDocuments, PointsOfLinesAreThoseOfTheStoredLines) {
    TwTestApp();
    TSongModel song;
    TNotationEdit edit;
    TEditorLines lines(&edit);
    TTabDocuments docs(song, lines);
    const char *const kinds[] = {"C, x, 3, 2, 0, 1, 0, Q",          "*Tempo 70", "G, 3, 2, 0, 0, 0, 3, .E",
                                 "R\xC3\xA9, x, 0, 2, 2, 1, 0, /S", "",          "Am, x, 0, 2, 2, 1, 0, H-Q"};
    for (int i = 0; i < 2500; ++i)
        song.Lines(4).emplace_back(kinds[i % 6]);
    docs.Show(4);
    TPositionConductor c;
    c.TimeSignature = "0608";
    c.Tempo = 75;
    auto expectSame = [&](int line) {
        const TSongPoint want = GetLinePosition(lines.StoreLines(), line, c);
        const TSongPoint got = docs.PointOfLine(line, c);
        EXPECT_EQ(std::tie(got.Tick, got.Bar, got.Beat, got.BeatTick, got.Ms),
                  std::tie(want.Tick, want.Bar, want.Beat, want.BeatTick, want.Ms))
            << "line " << line;
    };
    for (int line : {2500, 7, 1200, 2499}) // a far jump first, then answers from the kept starts
        expectSame(line);
    lines.ReplaceLine(10, QStringLiteral("C, x, 3, 2, 0, 1, 0, W"));
    lines.InsertLine(30, QStringLiteral("C, x, 3, 2, 0, 1, 0, T"));
    for (int line : {20, 2400, 2501})
        expectSame(line);
}

} // namespace
