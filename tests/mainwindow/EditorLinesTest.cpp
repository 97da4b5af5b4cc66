// Line helpers of the notation editor: string-list lines, one-character breaks,
// selections, loads by code versus user edits.
#include "mainwindow/editor/EditorLines.h"
#include "QtTestApp.h"
#include "mainwindow/editor/NotationEdit.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

struct Editor {
    TNotationEdit edit;
    TEditorLines lines{&edit};
    Editor() { edit.resize(300, 200); }
};

TEST(EditorLines, LineCountFollowsStringListRules) {
    struct Case {
        const char *text;
        int count;
    };
    const Case cases[] = {{"", 0}, {"a", 1}, {"a\n", 1}, {"a\nb", 2}, {"a\n\n", 2}, {"\n", 1}};
    TwTestApp();
    for (const auto &c : cases) {
        Editor e;
        e.lines.LoadText(QString::fromLatin1(c.text));
        EXPECT_EQ(e.lines.LineCount(), c.count) << c.text;
    }
}

TEST(EditorLines, LoadNormalisesBreaksClearsUndoAndMarksNothing) {
    TwTestApp();
    Editor e;
    QSignalSpy edits(&e.edit, &TNotationEdit::UserEdited);
    e.lines.LoadText(QStringLiteral("C, 0, Q\r\nG, 3, H\rAm, 0, E\r\n"));
    EXPECT_EQ(edits.count(), 0);
    EXPECT_FALSE(e.edit.document()->isUndoAvailable());
    ASSERT_EQ(e.lines.LineCount(), 3);
    EXPECT_EQ(e.lines.Line(1), QStringLiteral("G, 3, H"));
    EXPECT_EQ(e.lines.TextLength(), 7 + 1 + 7 + 1 + 8 + 1); // breaks count one character
}

TEST(EditorLines, StoreThenLoadKeepsEveryLineIncludingBlankTail) {
    TwTestApp();
    Editor e;
    std::vector<std::string> in = {"*TEMPO 90", "", "C, 0, Q", "R\xC3\xA9 \xE2\x99\xAF, 0, Q", ""};
    e.lines.LoadLines(in);
    EXPECT_EQ(e.lines.StoreLines(), in);
    e.lines.LoadText(QStringLiteral("a\nb")); // no break after the last line
    EXPECT_EQ(e.lines.StoreLines(), (std::vector<std::string>{"a", "b"}));
    // No cap on a loaded tab's text.
    std::vector<std::string> big(20000, std::string(10, 'x'));
    e.lines.LoadLines(big);
    EXPECT_EQ(e.lines.StoreLines().size(), big.size());
}

TEST(EditorLines, SelectLinesTakesOneCharacterBreakAndNeverSpills) {
    TwTestApp();
    Editor e;
    e.lines.LoadText(QStringLiteral("l0\nl1\nl2\nl3\nl4\nl5\n"));
    ASSERT_TRUE(e.lines.SelectLines(2, 4));
    EXPECT_EQ(e.edit.textCursor().selectedText(),
              QStringLiteral("l2\u2029l3\u2029l4\u2029")); // Qt shows breaks as U+2029
    int first = -1, last = -1;
    EXPECT_TRUE(e.lines.GetSelectedLines(first, last));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 4); // the selection's last character is line 4's break
}

TEST(EditorLines, SelectLinesOnLastLineWithoutBreak) {
    TwTestApp();
    Editor e;
    e.lines.LoadText(QStringLiteral("a\nlast"));
    ASSERT_TRUE(e.lines.SelectLines(1, 9));
    EXPECT_EQ(e.edit.textCursor().selectedText(), QStringLiteral("last"));
    Editor empty;
    EXPECT_FALSE(empty.lines.SelectLines(0, 0));
}

TEST(EditorLines, EmptySelectionReportsLineBeforeCaret) {
    TwTestApp();
    Editor e;
    e.lines.LoadText(QStringLiteral("ab\ncd\n"));
    e.lines.MoveCaretToLine(1);
    int first = -1, last = -1;
    EXPECT_FALSE(e.lines.GetSelectedLines(first, last));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 0);
    e.lines.MoveCaretToLine(0);
    EXPECT_EQ(e.lines.LastSelectedLine(), 0);
}

TEST(EditorLines, ScrollHelpersCountLines) {
    TwTestApp();
    Editor e;
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QString::number(i);
    e.lines.LoadText(TEditorLines::JoinLines(many));
    e.edit.show();
    e.lines.ScrollToLine(50);
    EXPECT_EQ(e.lines.FirstVisibleLine(), 50);
    e.lines.MoveCaretToLine(10, 5);
    EXPECT_EQ(e.lines.CurrentLine(), 10);
    EXPECT_EQ(e.lines.FirstVisibleLine(), 15);
}

TEST(EditorLines, InsertAndReplaceLinesKeepTheListShape) {
    TwTestApp();
    Editor e;
    e.lines.InsertLine(0, QStringLiteral("first"));
    e.lines.InsertLine(1, QStringLiteral("second"));
    e.lines.InsertLine(0, QStringLiteral("zero"));
    e.lines.ReplaceLine(1, QStringLiteral("one\r\n"));
    EXPECT_EQ(e.lines.Lines(), (QStringList{"zero", "one", "", "second"}));
    e.lines.LoadText(QStringLiteral("a\n"));
    e.lines.InsertLine(1, QStringLiteral("b"));
    EXPECT_EQ(e.lines.Lines(), (QStringList{"a", "b"}));
}

TEST(EditorLines, DeleteLinesKeepsTheListShapeInOneUndoStep) {
    TwTestApp();
    struct Case {
        const char *text;
        int first, last;
        const char *after;
    };
    // clang-format off
    const Case cases[] = {
        {"a\nb\nc\n", 1, 1, "a\nc\n"}, {"a\nb\nc\n", 2, 2, "a\nb\n"}, {"a\nb\nc", 2, 2, "a\nb"},
        {"a\nb\nc", 0, 2, ""},         {"a", 0, 0, ""},             {"a\nb\n", 0, 5, ""},
        {"a\nb\n", 2, 2, "a\nb\n"}, // after the final line break: no line there
    };
    // clang-format on
    for (const Case &c : cases) {
        Editor e;
        e.lines.LoadText(QString::fromLatin1(c.text));
        e.lines.DeleteLines(c.first, c.last);
        EXPECT_EQ(e.edit.toPlainText(), QString::fromLatin1(c.after)) << c.text << " " << c.first;
        e.edit.undo();
        EXPECT_EQ(e.edit.toPlainText(), QString::fromLatin1(c.text)) << c.text << " " << c.first;
    }
    // Several edits in one block come back with one undo.
    Editor e;
    e.lines.LoadText(QStringLiteral("a\nb\n"));
    {
        const TEditorLines::TEditBlock block(e.lines);
        e.lines.InsertLine(1, QStringLiteral("x"));
        e.lines.ReplaceLine(0, QStringLiteral("y"));
        e.lines.DeleteLines(2, 2);
    }
    EXPECT_EQ(e.lines.Lines(), (QStringList{"y", "x"}));
    e.edit.undo();
    EXPECT_EQ(e.lines.Lines(), (QStringList{"a", "b"}));
}

TEST(EditorLines, EveryUserEditIsReportedButCodeLoadsAreNot) {
    TwTestApp();
    Editor e;
    e.lines.LoadText(QStringLiteral("abc\n"));
    e.edit.show();
    e.edit.setFocus();
    QSignalSpy edits(&e.edit, &TNotationEdit::UserEdited);
    e.lines.MoveCaretToLine(0);
    QTest::keyClick(&e.edit, Qt::Key_End);
    EXPECT_EQ(edits.count(), 0); // moving is no edit
    QTest::keyClick(&e.edit, Qt::Key_Backspace);
    EXPECT_EQ(edits.count(), 1);
    QTest::keyClick(&e.edit, Qt::Key_Return);
    EXPECT_EQ(edits.count(), 2);
    e.edit.undo();
    EXPECT_EQ(edits.count(), 3);
    e.lines.LoadText(QStringLiteral("x"));
    EXPECT_EQ(edits.count(), 3);
}

struct PasteEdit : TNotationEdit {
    using TNotationEdit::insertFromMimeData; // what paste and drop both run
};

TEST(EditorLines, PastedAndDroppedTextHasBreaksNormalised) {
    TwTestApp();
    PasteEdit edit;
    TEditorLines lines(&edit);
    QMimeData mime;
    mime.setText(QStringLiteral("a\r\nb\rc"));
    edit.insertFromMimeData(&mime);
    EXPECT_EQ(lines.Lines(), (QStringList{"a", "b", "c"}));
}

TEST(EditorLines, InsertKeyTogglesOnlyWithoutModifiers) {
    TwTestApp();
    Editor e;
    e.edit.show();
    QSignalSpy mode(&e.edit, &TNotationEdit::OverwriteModeChanged);
    QTest::keyClick(&e.edit, Qt::Key_Insert);
    EXPECT_TRUE(e.edit.overwriteMode());
    QTest::keyClick(&e.edit, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(&e.edit, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(e.edit.overwriteMode());
    QTest::keyClick(&e.edit, Qt::Key_Insert);
    EXPECT_FALSE(e.edit.overwriteMode());
    EXPECT_EQ(mode.count(), 2);
}

} // namespace
