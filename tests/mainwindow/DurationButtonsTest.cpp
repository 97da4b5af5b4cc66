// The duration controls: their rules as plain functions, and what clicks and codes do to
// the editor's lines.
#include "MainWindowFixture.h"

#include "mainwindow/rules/DurationRules.h"

#include <QAction>
#include <QCheckBox>
#include <QTest>
#include <QTimer>

namespace {

TEST(DurationRules, CodesAndControls) {
    struct Case {
        int code;
        duration::TControls controls;
        const char *text;
    };
    const Case cases[] = {
        {3, {2, false, false}, " Q"}, {104, {3, true, false}, " .E"}, {1005, {4, false, true}, " /S"},
        {1, {0, false, false}, " W"}, {107, {6, true, false}, " .F"},
    };
    for (const auto &c : cases) {
        const auto got = duration::ControlsFromCode(c.code, {});
        EXPECT_EQ(got, c.controls) << c.code;
        EXPECT_EQ(duration::CodeFromControls(got), c.code);
        EXPECT_EQ(duration::DurationText(got), c.text);
        // Set from a code: no blank before "." or "/".
        EXPECT_EQ(duration::DurationText(got, true),
                  std::string(c.text).substr(c.text[1] == '.' || c.text[1] == '/' ? 1 : 0))
            << c.code;
    }
    // Codes that name no button keep the button that was down.
    EXPECT_EQ(duration::ControlsFromCode(0, {5, true, false}), (duration::TControls{5, false, false}));
    EXPECT_EQ(duration::CodeFromControls({-1, false, false}), 3);
}

TEST(DurationRules, LineFieldsAndRests) {
    EXPECT_EQ(duration::StripLastField("C, 0, Q"), "C, 0");
    EXPECT_EQ(duration::StripLastField("Cmaj"), "Cmaj");
    EXPECT_EQ(duration::WithDuration("C, x, 3, 2, 0, 1, 0, Q", " .E"), "C, x, 3, 2, 0, 1, 0, .E");
    EXPECT_EQ(duration::RestGlyphIndex(" .E"), 3);
    EXPECT_EQ(duration::RestGlyphIndex("/W"), 0);
    EXPECT_EQ(duration::RestGlyphIndex("e"), -1); // upper case only
    EXPECT_EQ(duration::RestGlyphIndex("Q-E"), -1);
    EXPECT_EQ(duration::RestLine(false, 3, " Q"), "Rest , x, x, x, x, Q");
    EXPECT_EQ(duration::RestLine(true, 0, " H"), "Rest , x, x, x, x, x, x, x, x, x, x,  H");
    EXPECT_EQ(duration::RestLine(false, 0, " Q"), "");
}

TEST(DurationRules, ApplyLeavesDirectivesBlanksAndFaultyLinesAlone) {
    std::vector<std::string> lines = {"C, x, 3, 2, 0, 1, 0, Q", "*TEMPO 90", "", "bad line", "G, 3, 2, 0, 0, 0, 3, H"};
    auto takes = [](const std::string &l) {
        return l.find(", Q") != std::string::npos || l.find(", H") != std::string::npos;
    };
    EXPECT_EQ(duration::ApplyToLines(lines, 0, 4, " .E", takes), 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"C, x, 3, 2, 0, 1, 0, .E", "*TEMPO 90", "", "bad line",
                                               "G, 3, 2, 0, 0, 0, 3, .E"}));
    int asked = 0;
    EXPECT_EQ(duration::ApplyToLines(lines, 0, 4, " W", takes, [&] { return ++asked < 2; }), 0);
    EXPECT_EQ(asked, 2);
}

class DurationButtonsTest : public ShownMainWindowTest {
protected:
    void SetUp() override {
        ShownMainWindowTest::SetUp();
        ASSERT_TRUE(SelectTab(6));
        w->Lines().LoadText(
            QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n*TEMPO 90\n\nG, 3, 2, 0, 0, 0, 3, H\nnot a line\n"));
        w->Lines().MoveCaretToLine(0);
    }
    TDurationButtons &B() { return *Ctl<TDurationButtons>(*w, "PanelNoteButtons"); }
};

TEST_F(DurationButtonsTest, ControlsSetByCodeApplyNothing) {
    B().SetDurationControls(101);
    B().PressDurationButton(5);
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, Q"));
    EXPECT_FALSE(w->AnyTabModified());
    EXPECT_EQ(B().CurrentDuration(), ".T"); // the controls as code left them: no leading blank
    EXPECT_EQ(B().RestGlyph(), 5);
}

TEST_F(DurationButtonsTest, ClickRewritesTheCaretLine) {
    B().chkDotted->click();
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, .E")); // the guitar's eighth, dotted
    B().btnHalfNote->click();
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, .H"));
    B().chkTriplet->click();
    EXPECT_FALSE(B().chkDotted->isChecked());
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, /H"));
    EXPECT_TRUE(w->AnyTabModified());
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(1), QStringLiteral("*"));
}

// The tab keeps its duration choice in the song file: an apply marks it even where no line
// changes.
TEST_F(DurationButtonsTest, ApplyMarksTheTabEvenWhenNoLineChanges) {
    const std::pair<int, const char *> rows[] = {
        {0, "the line has that duration"}, {1, "a directive"}, {2, "a blank line"}, {4, "a faulty line"}};
    for (const auto &[line, what] : rows) {
        w->Lines().MoveCaretToLine(line);
        w->ClearModifiedMarks();
        const QStringList before = w->Lines().Lines();
        B().btnQuarterNote->click();
        EXPECT_EQ(w->Lines().Lines(), before) << what;
        EXPECT_TRUE(w->Document().Song.Current().Modified) << what;
        EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(1), QStringLiteral("*")) << what;
    }
}

TEST_F(DurationButtonsTest, SelectionRewritesOnlyNoteLines) {
    w->Lines().SelectLines(0, 4);
    B().btnSixteenthNote->click();
    EXPECT_EQ(w->Lines().Lines(),
              (QStringList{"C, x, 3, 2, 0, 1, 0, S", "*TEMPO 90", "", "G, 3, 2, 0, 0, 0, 3, S", "not a line"}));
    int first = -1, last = -1;
    EXPECT_TRUE(w->Lines().GetSelectedLines(first, last));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 4);
    Ctl<TNotationEdit>(*w, "RichEdit1")->undo(); // the whole apply is one step
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, Q"));
}

TEST_F(DurationButtonsTest, FunctionKeysDoNothingOnDrumsOrWhilePlaying) {
    EXPECT_EQ(DurationKey(*w, 0)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(Act(*w, "RestButton1")->shortcut(), QKeySequence(Qt::Key_F12));
    DurationKey(*w, 0)->trigger();
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, W"));
    SetPlaying(*w, TPlayKind::Song, true);
    DurationKey(*w, 1)->trigger();
    EXPECT_EQ(w->Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, W"));
    EXPECT_EQ(B().CurrentDurationIndex(), 0);
    SetPlaying(*w, TPlayKind::Song, false);
    ASSERT_TRUE(SelectTab(10));
    const int code = B().DurationCode();
    DurationKey(*w, 2)->trigger();
    Act(*w, "RestButton1")->trigger();
    EXPECT_EQ(B().DurationCode(), code);
    EXPECT_TRUE(w->Document().Song.Lines(10).empty());
}

TEST_F(DurationButtonsTest, LongApplyHoldsTheTabAndCanBeStopped) {
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many << QStringLiteral("C, x, 3, 2, 0, 1, 0, Q");
    w->Lines().LoadText(TEditorLines::JoinLines(many));
    w->Lines().SelectLines(0, 39);
    bool tabChanged = true;
    QTimer::singleShot(0, w.get(), [&] {
        tabChanged = SelectTab(2);
        w->PlayState().AbortRequested = true; // Esc
    });
    ts.messages.QueueAnswer(platform::mrYes); // "Process not completed. Stop anyways?"
    B().btnWholeNote->click();
    EXPECT_FALSE(tabChanged);
    EXPECT_EQ(w->Document().Song.CurrentTab, 6);
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Process not completed. Stop anyways?"));
    // Stopped before the first line: nothing was rewritten, nothing is lost.
    EXPECT_EQ(w->Lines().Lines(), many);
    EXPECT_FALSE(w->Busy());
}

TEST_F(DurationButtonsTest, RestGoesOnANewLineBelow) {
    ASSERT_TRUE(SelectTab(12)); // bass: four strings, half notes
    w->Lines().LoadText(QStringLiteral("E, 0, x, x, x, H\n"));
    w->Lines().MoveCaretToLine(0);
    B().btnRest->click();
    EXPECT_EQ(w->Lines().Lines(), (QStringList{"E, 0, x, x, x, H", "Rest , x, x, x, x, H", ""}));
    EXPECT_EQ(w->Lines().CurrentLine(), 2);
    EXPECT_TRUE(w->Document().Song.Current().Modified); // an inserted line is an edit
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(1), QStringLiteral("*"));
    B().btnRest->click(); // on a blank line the rest replaces it
    EXPECT_EQ(w->Lines().Lines(),
              (QStringList{"E, 0, x, x, x, H", "Rest , x, x, x, x, H", "Rest , x, x, x, x, H", ""}));
    // Each rest is one edit: one Undo takes it back whole.
    w->Lines().Edit()->undo();
    EXPECT_EQ(w->Lines().Lines(), (QStringList{"E, 0, x, x, x, H", "Rest , x, x, x, x, H", ""}));
    w->Lines().Edit()->undo();
    EXPECT_EQ(w->Lines().Lines(), QStringList{"E, 0, x, x, x, H"});
}

} // namespace
