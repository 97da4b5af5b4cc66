// The chord calculator from the main window: opened on the Guitar tab, a voicing inserted at the
// caret as one edit and sounded on the tab's channel, the settings stored in the tab on Close.
#include "MainWindowFixture.h"

#include "dialogs/chordtools/FrmChordCalc.h"
#include "dialogs/chordtools/FrmWait.h"
#include "mainwindow/live/LiveInstrument.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <set>

namespace {

class ChordToolsTest : public ShownMainWindowTest {
protected:
    void SetUp() override {
        ShownMainWindowTest::SetUp();
        calculator = std::make_unique<TfrmChordCalc>(ts.Get());
        wait = std::make_unique<TfrmWait>(ts.Get());
        calculator->SetProgressWindow(wait.get());
        TMainDialogs d;
        d.chordCalc = [this](const TChordCalcInput &in, const TChordCalcCalls &calls) {
            return calculator->Ask(in, calls);
        };
        w->SetDialogs(d);
        w->LiveInstrument()->Sound().SetWaiter([](int, bool) {}); // chords sound without waiting
    }

    std::set<int> NotesOn(int channel) const {
        std::set<int> notes;
        for (const auto &m : midi.Messages())
            if (m.status == (0x90 | channel) && m.data2 > 0)
                notes.insert(m.data1);
        return notes;
    }

    std::unique_ptr<TfrmChordCalc> calculator;
    std::unique_ptr<TfrmWait> wait;
};

TEST_F(ChordToolsTest, InsertsAVoicingAtTheCaretSoundsItAndStoresTheTabsSettings) {
    ASSERT_TRUE(SelectTab(6)); // Guitar
    w->Lines().LoadLines({"G, 3, 2, 0, 0, 0, 3, Q"});
    w->Lines().MoveCaretToLine(0);
    auto *label = Ctl<QLabel>(*w, "LabelAdvancedChordOptions");
    EXPECT_TRUE(label->isVisible());
    midi.Clear();
    ts.modal.QueueAnswer([](platform::ModalDialog &d) {
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BtnFindChords")), Qt::LeftButton);
        auto *list = d.findChild<QListWidget *>(QStringLiteral("lbVoicing"));
        const QPoint at = list->visualItemRect(list->item(2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        return int(platform::mrNone);
    });
    Act(*w, QStringLiteral("ChordCalculator1"))->trigger();
    ASSERT_EQ(ts.modal.PendingAnswers(), 0);
    EXPECT_EQ(ts.modal.ShownDialogs().back().caption, QStringLiteral("Tarrowind Chord Calculator - Guitar mode"));

    EXPECT_EQ(w->Lines().StoreLines(),
              (std::vector<std::string>{"C Major, x,  3,  2,  0,  1,  0, E", "G, 3, 2, 0, 0, 0, 3, Q"}));
    EXPECT_EQ(w->Lines().CurrentLine(), 1); // the caret stays with its line
    EXPECT_TRUE(w->Document().Song.Tab(6).Modified);
    // The click sounded the voicing on the tab's channel: C3 E3 G3 C4 E4.
    EXPECT_EQ(NotesOn(w->Document().Song.Tab(6).Channel), (std::set<int>{48, 52, 55, 60, 64}));
    EXPECT_EQ(w->Document().Song.ChordVoicings[5].size(), 109u);
    EXPECT_EQ(w->Document().Song.Tab(6).ChordRoot, "C");
    // One Undo takes the inserted line back.
    Act(*w, QStringLiteral("Undo1"))->trigger();
    EXPECT_EQ(w->Lines().StoreLines(), std::vector<std::string>{"G, 3, 2, 0, 0, 0, 3, Q"});

    // Esc changes nothing in the tab.
    ts.modal.QueueAnswer([](platform::ModalDialog &d) {
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BtnFindChords")), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Escape);
        return int(platform::mrNone);
    });
    w->Document().Song.Tab(6).ChordReach = 6;
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(ts.modal.PendingAnswers(), 0);
    EXPECT_EQ(w->Document().Song.Tab(6).ChordReach, 6);
    EXPECT_EQ(w->Document().Song.ChordVoicings[5].size(), 109u);
}

TEST_F(ChordToolsTest, RootAndTypeComeFromTheKeyAndChordTypePickers) {
    ASSERT_TRUE(SelectTab(6));
    TMainDialogs d;
    std::string askedCaption;
    d.selectKey = [&](const TKeyInput &in) -> std::optional<int> {
        askedCaption = in.caption;
        return 2; // A#/Bb
    };
    d.selectChordType = []() -> std::optional<TChordTypeChoice> { return TChordTypeChoice{3, 3}; };
    std::optional<std::string> root, type;
    d.chordCalc = [&](const TChordCalcInput &, const TChordCalcCalls &calls) -> std::optional<TChordCalcResult> {
        root = calls.pickKey ? calls.pickKey("Select Root") : std::nullopt;
        type = calls.pickChordType ? calls.pickChordType() : std::nullopt;
        return std::nullopt;
    };
    w->SetDialogs(d);
    w->LabelAdvancedChordOptionsClick();
    EXPECT_EQ(askedCaption, "Select Root");
    EXPECT_EQ(root, std::optional<std::string>("A#/Bb"));
    EXPECT_EQ(type, std::optional<std::string>("Major 6/9"));
}

TEST_F(ChordToolsTest, VoicingsInsertedIntoAnEmptyTabFollowOneAnother) {
    ASSERT_TRUE(SelectTab(6));
    w->Lines().LoadLines({});
    TMainDialogs d;
    d.chordCalc = [](const TChordCalcInput &, const TChordCalcCalls &calls) -> std::optional<TChordCalcResult> {
        calls.insertLines({"C Major, x,  3,  2,  0,  1,  0, Q"});
        calls.insertLines({"G Major, 3,  2,  0,  0,  0,  3, Q"});
        return std::nullopt;
    };
    w->SetDialogs(d);
    w->LabelAdvancedChordOptionsClick();
    EXPECT_EQ(w->Lines().StoreLines(),
              (std::vector<std::string>{"C Major, x,  3,  2,  0,  1,  0, Q", "G Major, 3,  2,  0,  0,  0,  3, Q"}));
    EXPECT_EQ(w->Lines().CurrentLine(), 2); // on the empty place below them
}

TEST_F(ChordToolsTest, NoCalculatorOnTheDrumsTabOrWhileTheSongPlays) {
    ASSERT_TRUE(SelectTab(10)); // Drums
    EXPECT_FALSE(Ctl<QLabel>(*w, "LabelAdvancedChordOptions")->isVisible());
    Act(*w, QStringLiteral("ChordCalculator1"))->trigger();
    ASSERT_TRUE(SelectTab(6));
    SetPlaying(*w, TPlayKind::Song, true);
    EXPECT_FALSE(Ctl<QLabel>(*w, "LabelAdvancedChordOptions")->isEnabled());
    w->LabelAdvancedChordOptionsClick();
    SetPlaying(*w, TPlayKind::Song, false);
    EXPECT_TRUE(ts.modal.ShownDialogs().empty());
}

} // namespace
