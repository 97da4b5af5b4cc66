// Switching instrument tabs keeps each tab's text, caret, selection and duration choice,
// and is refused while anything plays.
#include "MainWindowFixture.h"
#include "QtTestApp.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/editor/TabSwitcher.h"
#include "mainwindow/live/LiveInstrument.h"
#include "song/NewSong.h"
#include "song/SongFile.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

namespace {

class TabSwitchingTest : public ShownMainWindowTest {
protected:
    TEditorLines &Lines() { return w->Lines(); }
};

TEST_F(TabSwitchingTest, EachTabKeepsItsTextCaretAndDuration) {
    ASSERT_TRUE(SelectTab(6));
    Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\nAm, x, 0, 2, 2, 1, 0, Q\n"));
    Lines().MoveCaretToLine(1);
    Ctl<TDurationButtons>(*w, "PanelNoteButtons")->SetDurationControls(104);
    ASSERT_TRUE(SelectTab(12));
    EXPECT_TRUE(Lines().IsEmpty());
    EXPECT_EQ(Ctl<TDurationButtons>(*w, "PanelNoteButtons")->DurationCode(), 2); // the bass's own half note
    EXPECT_EQ(Ctl<QGroupBox>(*w, "grpEditor")->title(), QStringLiteral("Bass"));
    Lines().LoadText(QStringLiteral("E, 0, x, x, x, H\n"));
    Ctl<TDurationButtons>(*w, "PanelNoteButtons")->SetDurationControls(1003);

    ASSERT_TRUE(SelectTab(6));
    EXPECT_EQ(Lines().Lines(),
              (QStringList{"C, x, 3, 2, 0, 1, 0, Q", "G, 3, 2, 0, 0, 0, 3, Q", "Am, x, 0, 2, 2, 1, 0, Q"}));
    EXPECT_EQ(Lines().CurrentLine(), 1);
    EXPECT_EQ(Ctl<TDurationButtons>(*w, "PanelNoteButtons")->CurrentDurationIndex(), 3);
    EXPECT_TRUE(Ctl<TDurationButtons>(*w, "PanelNoteButtons")->chkDotted->isChecked());
    EXPECT_EQ(Ctl<TDurationButtons>(*w, "PanelNoteButtons")->CurrentDuration(), ".E"); // set from the tab's code
    ASSERT_TRUE(SelectTab(12));
    EXPECT_EQ(Lines().Lines(), QStringList{"E, 0, x, x, x, H"});
    EXPECT_TRUE(Ctl<TDurationButtons>(*w, "PanelNoteButtons")->chkTriplet->isChecked());
    EXPECT_EQ(w->Document().Song.Tab(6).DurationCode, 104);
    EXPECT_FALSE(w->AnyTabModified()); // loads and switches by code mark nothing
}

TEST_F(TabSwitchingTest, SelectionComesBackWhole) {
    ASSERT_TRUE(SelectTab(7));
    Lines().LoadText(QStringLiteral("a, 0, Q\nb, 0, Q\nc, 0, Q\nd, 0, Q\n"));
    Lines().SelectLines(1, 2);
    ASSERT_TRUE(SelectTab(8));
    ASSERT_TRUE(SelectTab(7));
    int first = -1, last = -1;
    EXPECT_TRUE(Lines().GetSelectedLines(first, last));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 2);
}

// Every note tab of an opened song starts at the start of its first line; a tab left and
// entered again has its caret and selection where they were, so typing lands there.
TEST_F(TabSwitchingTest, OpenedTabsStartAtTheTopAndReturnedTabsKeepCaretAndSelection) {
    struct Row {
        int tab;
        std::vector<std::string> lines;
        int anchor, position;
    };
    const std::vector<Row> rows = {
        {6, {"C, x, 3, 2, 0, 1, 0, Q", "G, 3, 2, 0, 0, 0, 3, H", "*TEMPO 90", "Am, x, 0, 2, 2, 1, 0, E"}, 30, 30},
        {7, {"E", "", "C, x, 3, 2, 0, 1, 0, Q", "D"}, 3, 12},  // from the blank line into the third
        {12, {"E, 0, x, x, x, H", "A, x, 0, x, x, H"}, 20, 5}, // backwards, over the line break
        {3, {"C, 48, 52, 55, x, x, x, x, x, x, x, Q", "*VOLUME 90", "G, 43, x, x, x, x, x, x, x, x, x, H"}, 41, 41}};
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    for (const Row &r : rows)
        song.Lines(r.tab) = r.lines;
    const QString path = dir.filePath(QStringLiteral("tabs.twd"));
    ASSERT_TRUE(WriteSongFile(path.toStdString(), song, drums));
    ASSERT_TRUE(w->ReadSong(path));
    auto *edit = Ctl<TNotationEdit>(*w, "RichEdit1");
    for (const Row &r : rows) {
        ASSERT_TRUE(SelectTab(r.tab));
        EXPECT_EQ(edit->textCursor().position(), 0) << r.tab;
        EXPECT_FALSE(edit->textCursor().hasSelection()) << r.tab;
        EXPECT_TRUE(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(0).startsWith(QStringLiteral("Line:  1 of")))
            << r.tab;
        QTextCursor c = edit->textCursor();
        c.setPosition(r.anchor);
        c.setPosition(r.position, QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
    }
    for (int round = 0; round < 2; ++round)
        for (const Row &r : rows) {
            ASSERT_TRUE(SelectTab(r.tab));
            EXPECT_EQ(edit->textCursor().anchor(), r.anchor) << r.tab;
            EXPECT_EQ(edit->textCursor().position(), r.position) << r.tab;
        }
    // Typed on a returned-to tab, the text lands at the caret.
    ASSERT_TRUE(SelectTab(6));
    QTest::keyClicks(edit, QStringLiteral("Z"));
    ASSERT_TRUE(SelectTab(7));
    ASSERT_TRUE(SelectTab(6));
    EXPECT_EQ(Lines().Line(1), QStringLiteral("G, 3, 2Z, 0, 0, 0, 3, H"));
}

TEST_F(TabSwitchingTest, RefusedWhileAnythingPlaysAndNothingIsSaved) {
    ASSERT_TRUE(SelectTab(6));
    Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    for (TPlayKind kind : {TPlayKind::Song, TPlayKind::Instrument, TPlayKind::DrumGrid}) {
        SetPlaying(*w, kind, true);
        EXPECT_FALSE(SelectTab(2));
        EXPECT_EQ(w->Document().Song.CurrentTab, 6);
        EXPECT_TRUE(w->Document().Song.Lines(6).empty()); // the text was not stored away
        SetPlaying(*w, kind, false);
    }
    // A click on the tab bar is refused the same way.
    SetPlaying(*w, TPlayKind::Song, true);
    QTabBar *bar = Ctl<TPageControl>(*w, "PageControl1")->TabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(Ctl<TPageControl>(*w, "PageControl1")->ActivePageIndex(), 5);
    SetPlaying(*w, TPlayKind::Song, false);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(w->Document().Song.CurrentTab, 2);
}

TEST_F(TabSwitchingTest, EmptyTabIsSilverAndLowerCase) {
    ASSERT_TRUE(SelectTab(7));
    EXPECT_TRUE(Ctl<TNotationEdit>(*w, "RichEdit1")->BackgroundSilver());
    EXPECT_EQ(Ctl<TPageControl>(*w, "PageControl1")->Caption(6), QStringLiteral("guitar 2"));
    w->Document().Song.Lines(8) = {"C, x, 3, 2, 0, 1, 0, Q"};
    ASSERT_TRUE(SelectTab(8));
    EXPECT_FALSE(Ctl<TNotationEdit>(*w, "RichEdit1")->BackgroundSilver());
    EXPECT_EQ(Ctl<TPageControl>(*w, "PageControl1")->Caption(7), QStringLiteral("GUITAR 3"));
}

TEST_F(TabSwitchingTest, CaretOnTheLastLineIsNotRestoredButTopLineIs) {
    ASSERT_TRUE(SelectTab(6));
    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << QStringLiteral("C, x, 3, 2, 0, 1, 0, Q");
    Lines().LoadText(TEditorLines::JoinLines(many));
    ASSERT_TRUE(SelectTab(7));
    w->Document().Song.Tab(6).SavedCaretLine = 59;
    w->Document().Song.Tab(6).SavedTopLine = 10;
    w->Document().Song.Tab(6).SavedHasSelection = false;
    ASSERT_TRUE(SelectTab(6));
    EXPECT_EQ(Lines().CurrentLine(), 0);       // last line index: not restored
    EXPECT_EQ(Lines().FirstVisibleLine(), 10); // restored
    ASSERT_TRUE(SelectTab(7));
    w->Document().Song.Tab(6).SavedCaretLine = 58;
    ASSERT_TRUE(SelectTab(6));
    EXPECT_EQ(Lines().CurrentLine(), 58);
}

TEST_F(TabSwitchingTest, MixerMenusAndSoloFollowTheTab) {
    ASSERT_TRUE(SelectTab(12));
    EXPECT_EQ(Ctl<QSpinBox>(*w, "UpDownMixerChannel")->value(), 12);
    EXPECT_EQ(Ctl<QSpinBox>(*w, "UpDownMixerVolume")->value(), 100);
    EXPECT_TRUE(Act(*w, "ablature1")->isEnabled());
    Ctl<QCheckBox>(*w, "CheckBoxSoloInstrument")->setChecked(true);
    w->Document().Song.Tab(12).Solo = true;
    ASSERT_TRUE(SelectTab(3));
    EXPECT_FALSE(Act(*w, "ablature1")->isEnabled()); // piano tabs have no tablature
    EXPECT_FALSE(Ctl<QCheckBox>(*w, "CheckBoxSoloInstrument")->isChecked());
    EXPECT_FALSE(w->Document().Song.Tab(3).Solo);
    EXPECT_EQ(w->palette().color(QPalette::Button), Ctl<QGroupBox>(*w, "grpEditor")->palette().color(QPalette::Window));
    ASSERT_TRUE(SelectTab(13));
    EXPECT_EQ(Ctl<QGroupBox>(*w, "grpEditor")->palette().color(QPalette::Window), QColor(248, 221, 255));
    EXPECT_EQ(Ctl<QGroupBox>(*w, "grpFRTPlay")->title(), QStringLiteral("Banjo Only"));
}

TEST_F(TabSwitchingTest, DrumsTabSwapsTheEditMenusAndSurvivesABadPatternIndex) {
    for (int saved : {-1, 0, 5}) {
        w->Document().Song.Tab(10).SavedCaretLine = saved;
        ASSERT_TRUE(SelectTab(10));
        EXPECT_FALSE(MenuAct(*w, "EditMenuEditor")->isVisible());
        EXPECT_TRUE(MenuAct(*w, "EditMenuDrums")->isVisible());
        EXPECT_FALSE(Act(*w, "PlayFromCursor1")->isEnabled());
        EXPECT_FALSE(MenuAct(*w, "Editor2")->isEnabled());
        EXPECT_EQ(w->Document().Drums.list.ItemIndex(), -1); // the list is empty: nothing selected
        ASSERT_TRUE(SelectTab(1));
        EXPECT_TRUE(MenuAct(*w, "EditMenuEditor")->isVisible());
        EXPECT_TRUE(MenuAct(*w, "Editor2")->isEnabled());
        EXPECT_TRUE(Act(*w, "PlayFromCursor1")->isEnabled());
    }
}

TEST_F(TabSwitchingTest, DrumsTabSelectsItsSavedPatternOrTheFirst) {
    for (const char *name : {"one", "two", "three"})
        w->Document().Drums.list.Add(name);
    w->Document().Drums.list.SetItemIndex(0);
    w->Document().Drums.list.SetSelected(0, true);
    w->Document().Song.Tab(10).SavedCaretLine = 2;
    ASSERT_TRUE(SelectTab(10));
    EXPECT_EQ(w->Document().Drums.list.SelectedIndices(), std::vector<int>{2});
    EXPECT_EQ(w->Document().Drums.list.ItemIndex(), 2);
    ASSERT_TRUE(SelectTab(1));
    EXPECT_EQ(w->Document().Song.Tab(10).SavedCaretLine, 2); // kept on leaving
    // Past the list (the list shrank meanwhile): the first pattern.
    for (int saved : {3, 50}) {
        w->Document().Song.Tab(10).SavedCaretLine = saved;
        ASSERT_TRUE(SelectTab(10));
        EXPECT_EQ(w->Document().Drums.list.SelectedIndices(), std::vector<int>{0}) << saved;
        EXPECT_EQ(w->Document().Drums.list.ItemIndex(), 0) << saved;
        ASSERT_TRUE(SelectTab(1));
        EXPECT_EQ(w->Document().Song.Tab(10).SavedCaretLine, 0) << saved;
    }
    // -1: nothing, and no stale current pattern either.
    w->Document().Song.Tab(10).SavedCaretLine = -1;
    ASSERT_TRUE(SelectTab(10));
    EXPECT_TRUE(w->Document().Drums.list.SelectedIndices().empty());
    EXPECT_EQ(w->Document().Drums.list.ItemIndex(), -1);
    ASSERT_TRUE(SelectTab(1));
    EXPECT_EQ(w->Document().Song.Tab(10).SavedCaretLine, -1);
}

TEST_F(TabSwitchingTest, TabTextHelpersRejectIndexesOutsideTheSong) {
    w->Lines().LoadText(QStringLiteral("kept\n"));
    for (int bad : {-1, 16, 1000}) {
        EXPECT_FALSE(w->StoreTabText(bad));
        EXPECT_FALSE(w->LoadTabText(bad));
    }
    EXPECT_EQ(w->Lines().Lines(), QStringList{"kept"});
    EXPECT_TRUE(w->StoreTabText(15));
    EXPECT_EQ(w->Document().Song.Lines(16), std::vector<std::string>{"kept"});
}

TEST(TabSwitcherAloneTest, ShowMixerFillsTheMixerControlsWithoutAWindow) {
    TwTestApp();
    TSongDocument doc;
    TSongModel &song = doc.Song;
    song.CurrentTab = 4;
    TInstrumentTab &tab = song.Current();
    tab.PatchName = "Cello";
    tab.Channel = 6;
    tab.Volume = 90;
    tab.Balance = 40;
    tab.Mute = true;
    TNotationEdit edit;
    TEditorLines lines(&edit);
    TStatusPanels bottom(QStringLiteral("bottom"), {100}), side(QStringLiteral("side"), {100});
    TStatusDisplay status(&bottom, &side, &lines);
    QLabel patch, tuning, balanceText;
    QSpinBox channel, volume, delay, key;
    volume.setRange(0, 127);
    QSlider balance;
    balance.setRange(0, 127);
    QCheckBox mute;
    TTabWidgets widgets;
    widgets.LabelSelectPatch = &patch;
    widgets.LabelSelectTuning = &tuning;
    widgets.UpDownMixerChannel = &channel;
    widgets.UpDownMixerVolume = &volume;
    widgets.UpDownMixerDelay = &delay;
    widgets.UpDownMixerKey = &key;
    widgets.TrackBarMixerBalance = &balance;
    widgets.LabelBalancePosition = &balanceText;
    widgets.CheckBoxMuteInstrument = &mute;

    TTabSwitcher({.Document = doc, .Lines = lines, .Status = status, .Widgets = widgets, .Calls = {}}).ShowMixer();
    EXPECT_EQ(patch.text(), QStringLiteral("Instrument: Cello"));
    EXPECT_EQ(channel.value(), 7);
    EXPECT_EQ(volume.value(), 90);
    EXPECT_EQ(balance.value(), 40);
    EXPECT_EQ(balanceText.text(), QStringLiteral("40"));
    EXPECT_TRUE(mute.isChecked());
}

} // namespace

TEST_F(TabSwitchingTest, RefusedWhileAKeyClickSounds) {
    if (w->Document().Song.CurrentTab != 1) {
        ASSERT_TRUE(SelectTab(1)); // a piano tab
    }
    TLiveInstrument &live = *w->LiveInstrument();
    bool changed = true;
    live.Sound().SetWaiter([&](int, bool) { changed = SelectTab(2); });
    live.Keyboard().Shape2MouseDown(live.Keyboard().Model().NoteToKey(60), Qt::LeftButton, {});
    live.Sound().SetWaiter({});
    EXPECT_FALSE(changed);
    EXPECT_EQ(w->Document().Song.CurrentTab, 1);
    EXPECT_FALSE(w->Busy()); // the click is over
    EXPECT_TRUE(SelectTab(2));
}

TEST_F(TabSwitchingTest, StatusBarsFollowTheTabShown) {
    ASSERT_TRUE(SelectTab(6));
    Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\nAm, x, 0, 2, 2, 1, 0, Q\n"));
    Lines().SelectLines(0, 2);
    ASSERT_TRUE(SelectTab(7));
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(0), QStringLiteral("Line:  1 of 1"));
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarRichEdit")->Text(4), QStringLiteral("Play All Lines"));
    ASSERT_TRUE(SelectTab(6));
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarRichEdit")->Text(4), QStringLiteral("Play Selected Lines"));
}

// Each tab keeps its own text in the editor: an edit stays with its tab across changes of tab,
// reaches the tab's stored lines when the song is saved, and undo starts afresh on every tab shown.
TEST_F(TabSwitchingTest, EditsStayWithTheirTabAndReachTheSavedSong) {
    auto *edit = Ctl<TNotationEdit>(*w, "RichEdit1");
    ASSERT_TRUE(SelectTab(6));
    Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\nAm, x, 0, 2, 2, 1, 0, Q\n"));
    Lines().MoveCaretToLine(1);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("D"));
    ASSERT_TRUE(SelectTab(7));
    EXPECT_TRUE(Lines().IsEmpty());
    QTest::keyClicks(edit, QStringLiteral("E, 0, 2, 2, 1, 0, 0, W"));
    EXPECT_EQ(w->Document().Song.Lines(6)[1], "DG, 3, 2, 0, 0, 0, 3, Q"); // stored on leaving

    ASSERT_TRUE(SelectTab(6));
    EXPECT_EQ(Lines().Lines(),
              (QStringList{"C, x, 3, 2, 0, 1, 0, Q", "DG, 3, 2, 0, 0, 0, 3, Q", "Am, x, 0, 2, 2, 1, 0, Q"}));
    EXPECT_EQ(Lines().CurrentLine(), 1);
    EXPECT_FALSE(edit->document()->isUndoAvailable()); // as after any text loaded by code
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete); // "m, x, 0, ..." on line 2, shown and not yet stored

    const QString path = dir.filePath(QStringLiteral("edits.twd"));
    ASSERT_TRUE(w->WriteSong(path));
    TSongModel saved;
    DrumPart drums;
    ASSERT_EQ(ReadSongFile(path.toStdString(), saved, drums), TSongReadResult::Ok);
    EXPECT_EQ(saved.Lines(6), (std::vector<std::string>{"C, x, 3, 2, 0, 1, 0, Q", "DG, 3, 2, 0, 0, 0, 3, Q",
                                                        "m, x, 0, 2, 2, 1, 0, Q"}));
    EXPECT_EQ(saved.Lines(7), std::vector<std::string>{"E, 0, 2, 2, 1, 0, 0, W"});
    ASSERT_TRUE(SelectTab(7));
    EXPECT_EQ(Lines().Lines(), QStringList{"E, 0, 2, 2, 1, 0, 0, W"});
}

// Opening a song, and starting a new one, replaces the text of every tab, shown or not.
TEST_F(TabSwitchingTest, OpeningOrANewSongReplacesEveryTabsText) {
    for (int t : {6, 7}) {
        ASSERT_TRUE(SelectTab(t));
        Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    }
    Lines().MoveCaretToLine(1);
    QTest::keyClicks(Ctl<TNotationEdit>(*w, "RichEdit1"), QStringLiteral("G, 3, 2, 0, 0, 0, 3, Q")); // never stored
    ASSERT_TRUE(w->ReadSong(WriteSong(QStringLiteral("other.twd"), 6, {"Em, 0, 2, 2, 0, 0, 0, H"})));
    EXPECT_EQ(Lines().Lines(), QStringList{"C, 60, x, x, x, x, x, x, x, x, x, Q"}); // the file's tab 1
    ASSERT_TRUE(SelectTab(6));
    EXPECT_EQ(Lines().Lines(), QStringList{"Em, 0, 2, 2, 0, 0, 0, H"});
    ASSERT_TRUE(SelectTab(7));
    EXPECT_TRUE(Lines().IsEmpty());
    Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    w->ResetSong();
    for (int t : {1, 6, 7}) {
        if (t != w->Document().Song.CurrentTab) {
            ASSERT_TRUE(SelectTab(t));
        }
        EXPECT_TRUE(Lines().IsEmpty()) << t;
    }
}
