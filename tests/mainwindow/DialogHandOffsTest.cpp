// The main window's hand-offs to the real dialogs, created as the program creates them: each
// opener prepares its dialog, the scripted runner works the dialog's own controls, and the
// window applies what came back.
#include "MainWindowFixture.h"

#include "mainwindow/drums/DrumTab.h"
#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/window/ProgramWindows.h"
#include "song/PatternStore.h"
#include "song/TextUtil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

template <typename T> T *In(QWidget &dialog, const char *name) {
    T *child = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class DialogHandOffsTest : public MainWindowTest {
protected:
    TfrmMain &MakeProgram(QStringList args = {}) {
        TMainEnvironment env = Environment(midi);
        env.arguments = std::move(args);
        env.programDir = dir.path();
        windows = CreateProgramWindows(env);
        return *windows.frmMain;
    }
    // The next dialog runs `drive`; its own buttons end it.
    void Answer(std::function<void(QWidget &)> drive) {
        ts.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
    }
    static void Click(QWidget &d, const char *button) { QTest::mouseClick(In<QPushButton>(d, button), Qt::LeftButton); }

    TProgramWindows windows;
};

TEST_F(DialogHandOffsTest, WelcomeShowsTheNextTipOpensARecentSongAsItsPathStandsAndKeepsTheChoices) {
    const QString rock = WriteSong(QStringLiteral("Rock & Roll.twd"), 7, {"Am, x, 0, 2, 2, 1, 0, Q"});
    WriteSetting(QStringLiteral("Options/ShowNewUserMessage"), QStringLiteral("1"));
    WriteSetting(QStringLiteral("Options/ShowMixerAfterFileOpen"), QStringLiteral("0"));
    WriteSetting(QStringLiteral("Options/LastTip"), QStringLiteral("3"));
    WriteSetting(QStringLiteral("Recent/RecentFile0"), dir.filePath(QStringLiteral("older.twd")));
    WriteSetting(QStringLiteral("Recent/RecentFile1"), rock);
    TfrmMain &m = MakeProgram();
    QString counter;
    Answer([&](QWidget &d) {
        counter = In<QLabel>(d, "lblTip")->text();
        In<QListWidget>(d, "lbWelcomeMRU")->setCurrentRow(1);
        In<QCheckBox>(d, "chkDontDisplayWelcomeScreen")->click();
        Click(d, "btnRecent");
    });
    m.FormActivate();
    EXPECT_TRUE(counter.startsWith(QStringLiteral("Tip 4 of "))) << counter.toStdString();
    EXPECT_EQ(SongName(m), rock);
    EXPECT_EQ(m.Document().Song.Lines(7), std::vector<std::string>{"Am, x, 0, 2, 2, 1, 0, Q"});
    EXPECT_EQ(ts.messages.Count(), 0);
    EXPECT_TRUE(m.close());
    EXPECT_EQ(ReadSetting(QStringLiteral("Options/LastTip")), QStringLiteral("4"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Options/ShowNewUserMessage")), QStringLiteral("0"));
}

TEST_F(DialogHandOffsTest, SongInformationListsTheTabsAndSwitchesAsTheUsersClickDoes) {
    const QString path = WriteSong(QStringLiteral("several.twd"), 7, {"Am, x, 0, 2, 2, 1, 0, Q"});
    TfrmMain &m = MakeProgram({path});
    m.show();
    QStringList rows;
    int selected = -1;
    const auto read = [&](QWidget &d) {
        auto *list = In<QListWidget>(d, "ListBox1");
        rows.clear();
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text().left(3);
        selected = list->currentRow();
    };
    // Reading the song shows it (the option is on in a new settings file).
    Answer([&](QWidget &d) {
        read(d);
        Click(d, "BitBtn1");
    });
    m.FormActivate();
    EXPECT_EQ(rows, (QStringList{"1  ", "7  "}));
    EXPECT_EQ(selected, 0);
    ASSERT_EQ(ts.modal.ShownClasses(), QStringList{"TfrmMixerSummary"});

    // Tab 6 gets a line typed (not stored yet) and a duration of its own.
    ASSERT_TRUE(Ctl<TPageControl>(m, "PageControl1")->UserSelect(5));
    Ctl<TNotationEdit>(m, "RichEdit1")->setFocus();
    Ctl<TNotationEdit>(m, "RichEdit1")->insertPlainText(QStringLiteral("G, 3, 2, 0, 0, 0, 3, Q"));
    Ctl<TDurationButtons>(m, "PanelNoteButtons")->btnHalfNote->click();
    const int tab7Code = m.Document().Song.Tab(7).DurationCode;
    ASSERT_NE(tab7Code, 2);
    Answer([&](QWidget &d) {
        read(d);
        In<QListWidget>(d, "ListBox1")->setCurrentRow(2);
        In<QCheckBox>(d, "CheckBoxShowMixerAfterFileOpen")->click();
        Click(d, "BitBtn1");
    });
    Act(m, "MixerSummary1")->trigger();
    EXPECT_EQ(rows, (QStringList{"1  ", "6  ", "7  "}));
    EXPECT_EQ(selected, 1);
    // The leaving tab kept its text and duration; the new one shows its own.
    EXPECT_EQ(m.Document().Song.CurrentTab, 7);
    EXPECT_EQ(Ctl<TPageControl>(m, "PageControl1")->ActivePageIndex(), 6);
    EXPECT_EQ(m.Document().Song.Lines(6), std::vector<std::string>{"G, 3, 2, 0, 0, 0, 3, H"});
    EXPECT_EQ(m.Document().Song.Tab(6).DurationCode, 2);
    EXPECT_EQ(m.Document().Song.Tab(7).DurationCode, tab7Code);
    EXPECT_EQ(Ctl<TDurationButtons>(m, "PanelNoteButtons")->DurationCode(), tab7Code);
    EXPECT_EQ(m.Lines().Line(0), QStringLiteral("Am, x, 0, 2, 2, 1, 0, Q"));
    EXPECT_TRUE(m.Document().Song.Tab(6).Modified);
    EXPECT_FALSE(m.Options().ShowMixerAfterFileOpen);

    // Switched off: reading a song shows nothing more.
    ts.messages.QueueAnswer(platform::mrNo);
    ts.files.QueuePath(path);
    Act(m, "OpenSong1")->trigger();
    EXPECT_EQ(m.Document().Song.Lines(6), std::vector<std::string>{});
    EXPECT_EQ(ts.modal.ShownClasses().size(), 2);
}

TEST_F(DialogHandOffsTest, NoteMathCountsTheSelectedLinesAndSelectsThemAgain) {
    TfrmMain &m = MakeProgram();
    m.show();
    m.FormActivate();
    ASSERT_TRUE(Ctl<TPageControl>(m, "PageControl1")->UserSelect(5));
    m.Lines().LoadText(
        QStringLiteral("*Tempo 90\nC, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\nAm, x, 0, 2, 2, 1, 0, E\n"));
    m.Lines().MoveCaretToLine(1);
    Act(m, "NoteMathforSelectionAltRMB1")->trigger();
    EXPECT_EQ(ts.messages.Texts(), QStringList{"There must be some lines selected for the note duration calculation."});
    EXPECT_TRUE(ts.modal.ShownClasses().isEmpty());

    m.Lines().SelectLines(0, 3);
    QString ticks, half;
    Answer([&](QWidget &d) {
        ticks = In<QLabel>(d, "lblTotalTicks")->text();
        half = In<QLabel>(d, "labelTotalHalf")->text();
        m.Lines().MoveCaretToLine(0); // the selection goes while the window is open
        Click(d, "BitBtn1");
    });
    Act(m, "NoteMathforSelectionAltRMB1")->trigger();
    EXPECT_EQ(ticks, QStringLiteral("Tick Count: 480"));
    EXPECT_EQ(half, QStringLiteral("1 (+)"));
    EXPECT_EQ(ts.modal.ShownDialogs().back().caption, QStringLiteral("Number of lines selected: 4"));
    int first = -1, last = -1;
    EXPECT_TRUE(m.Lines().GetSelectedLines(first, last));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 3);
}

TEST_F(DialogHandOffsTest, PatternRenameTakesTheOneLineInputsTextAndCancelRenamesNothing) {
    TfrmMain &m = MakeProgram();
    m.show();
    m.FormActivate();
    ASSERT_TRUE(Ctl<TPageControl>(m, "PageControl1")->UserSelect(9));
    m.DrumPage().ComboBoxBuiltInBeatsChange(1);
    auto *list = Ctl<QListWidget>(m, "ListBoxDrumPatterns");
    ASSERT_GE(list->count(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    const std::string before = ParsePatternListLine(m.Document().Drums.list.Item(0)).name;
    QString caption, shown;
    Answer([&](QWidget &d) {
        shown = In<QLineEdit>(d, "edtSingleLine")->text();
        QTest::keyClicks(In<QLineEdit>(d, "edtSingleLine"), QStringLiteral("Verse & Fill"));
        Click(d, "BitBtnOK");
    });
    Act(m, "Rename1")->trigger();
    caption = ts.modal.ShownDialogs().back().caption;
    EXPECT_EQ(caption, QString::fromStdString("Enter new name for " + before));
    EXPECT_EQ(shown.toStdString(), before);
    EXPECT_EQ(Trim(ParsePatternListLine(m.Document().Drums.list.Item(0)).name), "Verse  Fill");
    EXPECT_TRUE(m.Document().Song.Tab(10).Modified);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    Answer([&](QWidget &d) {
        In<QLineEdit>(d, "edtSingleLine")->setText(QStringLiteral("Chorus"));
        Click(d, "BitBtnCancel");
    });
    Act(m, "Rename1")->trigger();
    EXPECT_EQ(Trim(ParsePatternListLine(m.Document().Drums.list.Item(0)).name), "Verse  Fill");
}

} // namespace
