// The chord calculator offscreen: a search listed and inserted, Close and Esc, stored voicings
// shown again, the guards while a search runs, the chord box played and copied, the user's
// formula file, and the stored values kept to their ranges.
#include "dialogs/chordtools/ChordBoxView.h"
#include "dialogs/chordtools/FrmChordCalc.h"
#include "dialogs/chordtools/FrmWait.h"

#include "platform/qt/TestServices.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace {

template <typename T> T *Child(QWidget &w, const char *name) {
    T *child = w.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(QWidget &w, const char *button) { QTest::mouseClick(Child<QPushButton>(w, button), Qt::LeftButton); }

TChordCalcInput GuitarInput() {
    TChordCalcInput in;
    in.kindText = "Guitar";
    in.line.Name = "Guitar";
    in.tuningText = "E A D G B E";
    in.chordReach = 3;
    return in;
}

class ChordCalcDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }
    void SetUp() override {
        dialog.SetProgressWindow(&wait);
        calls.insertLines = [this](const std::vector<std::string> &lines) { inserted.push_back(lines); };
        calls.playChord = [this](const TChordDat &chord) { played.push_back(chord); };
    }

    // Runs Ask with `drive` acting on the shown dialog.
    std::optional<TChordCalcResult> AskDriven(const TChordCalcInput &in, std::function<void(QWidget &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
        return dialog.Ask(in, calls);
    }

    platform::TestServices services;
    TfrmChordCalc dialog{services.Get()};
    TfrmWait wait{services.Get()};
    TChordCalcCalls calls;
    std::vector<std::vector<std::string>> inserted;
    std::vector<TChordDat> played;
};

TEST_F(ChordCalcDialogTest, CalculatesAndInsertsTheDoubleClickedVoicing) {
    const auto result = AskDriven(GuitarInput(), [](QWidget &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Tarrowind Chord Calculator - Guitar mode"));
        EXPECT_EQ(Child<QLabel>(d, "lblTuning")->text(), QStringLiteral("E A D G B E"));
        Click(d, "BtnFindChords");
        auto *list = Child<QListWidget>(d, "lbVoicing");
        ASSERT_EQ(list->count(), 109); // C Major, root on the lowest string, both string options
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("C Major, x,  3,  2,  0,  x,  x, Q"));
        EXPECT_EQ(Child<QLabel>(d, "lblCount")->text(), QStringLiteral("109 chords calculated"));
        EXPECT_TRUE(Child<QWidget>(d, "GroupBoxChordOptions")->isEnabled());
        EXPECT_TRUE(Child<TChordBoxView>(d, "PaintBoxChordCalc")->isVisible());
        list->clearSelection();
        list->item(2)->setSelected(true);
        const QPoint at = list->visualItemRect(list->item(2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double click's first click
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    EXPECT_FALSE(wait.isVisible());
    ASSERT_EQ(inserted.size(), 1u);
    EXPECT_EQ(inserted[0], std::vector<std::string>{"C Major, x,  3,  2,  0,  1,  0, Q"});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->voicings.size(), 109u);
    EXPECT_EQ(result->voicings[2], "C Major, -1, 3, 2, 0, 1, 0, , C, E, G, C, E, , 1, 3, 5, 1, 3");
    EXPECT_EQ(result->chordRoot, "C");
    EXPECT_EQ(result->chordType, "Major");
    EXPECT_EQ(result->chordReach, 3);

    // Shown again with those voicings stored: listed by type name with a whole note; Esc
    // closes without storing anything.
    TChordCalcInput again = GuitarInput();
    again.voicings = {result->voicings[2]};
    EXPECT_EQ(AskDriven(again,
                        [](QWidget &d) {
                            EXPECT_EQ(Child<QListWidget>(d, "lbVoicing")->item(0)->text(),
                                      QStringLiteral("C Major,  x,  3,  2,  0,  1,  0, W"));
                            QTest::keyClick(&d, Qt::Key_Escape);
                        }),
              std::nullopt);
}

TEST_F(ChordCalcDialogTest, UsesSelectedChordsWarnsAndPlaysTheBox) {
    AskDriven(GuitarInput(), [this](QWidget &d) {
        Click(d, "BitBtnCopySelected");
        EXPECT_EQ(services.messages.LastText(), QStringLiteral("No chords in list"));
        Click(d, "BtnFindChords");
        auto *list = Child<QListWidget>(d, "lbVoicing");
        list->clearSelection();
        Click(d, "BitBtnCopySelected");
        EXPECT_EQ(services.messages.LastText(), QStringLiteral("No chords selected"));
        list->item(1)->setSelected(true);
        list->item(3)->setSelected(true);
        Click(d, "BitBtnCopySelected");
        // A click on a line shows it in the box and plays it: the frets drawn are the frets heard.
        list->setCurrentRow(4);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
        auto *box = Child<TChordBoxView>(d, "PaintBoxChordCalc");
        EXPECT_EQ(box->Box().Frets, (std::array<int, 6>{-1, 5, 5, 5, 3, -1}));
        Child<QButtonGroup>(d, "RadioGroupDotID")->button(1)->click();
        EXPECT_EQ(box->Box().DotType, 1);
        QTest::mouseClick(box, Qt::LeftButton);
        Click(d, "BitBtnCopyChordToClipboard");
        EXPECT_EQ(services.messages.LastText(), QStringLiteral("The chord graphic has been copied to the Clipboard."));
        EXPECT_EQ(services.clipboard.Image().size(), box->size());
        Click(d, "BitBtnOK");
    });
    ASSERT_EQ(inserted.size(), 1u);
    EXPECT_EQ(inserted[0].size(), 2u);
    ASSERT_EQ(played.size(), 2u);
    for (const TChordDat &chord : played)
        EXPECT_EQ(chord.Frets, (std::array<int32_t, 6>{-1, 5, 5, 5, 3, -1}));
    EXPECT_EQ(played[0].Pitches[5], kNoPitch);
    EXPECT_EQ(played[0].Pitches[4], 48); // C on the A string's third fret
}

// The frets of a list line ("C Major, x,  3,  2,  0,  x,  x, Q") as the box holds them: the
// lowest string last.
std::array<int, 6> BoxFrets(const QString &listLine) {
    const QStringList fields = listLine.split(QLatin1Char(','));
    std::array<int, 6> frets{};
    for (int k = 0; k < 6; ++k) {
        const QString f = fields.value(1 + k).trimmed();
        frets[size_t(5 - k)] = f == QLatin1String("x") ? -1 : f.toInt();
    }
    return frets;
}

TEST_F(ChordCalcDialogTest, TheBoxFollowsTheSelectionMovedByKeys) {
    struct Step {
        Qt::Key key;
        int row;
    };
    const Step steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}, {Qt::Key_End, 108}, {Qt::Key_Home, 0}};
    AskDriven(GuitarInput(), [&](QWidget &d) {
        Click(d, "BtnFindChords");
        auto *list = Child<QListWidget>(d, "lbVoicing");
        auto *box = Child<TChordBoxView>(d, "PaintBoxChordCalc");
        size_t heard = played.size();
        for (const Step &s : steps) {
            QTest::keyClick(list, s.key);
            ASSERT_EQ(list->currentRow(), s.row);
            EXPECT_EQ(box->Box().Frets, BoxFrets(list->item(s.row)->text())) << s.row;
            EXPECT_EQ(played.size(), ++heard) << s.row; // and sounds, as a click does
        }
        Click(d, "BitBtnOK");
    });
}

TEST_F(ChordCalcDialogTest, StopEndsTheSearchAndGuardsHoldWhileItRuns) {
    AskDriven(GuitarInput(), [this](QWidget &d) {
        auto *list = Child<QListWidget>(d, "lbVoicing");
        Child<QComboBox>(d, "cboFingerReach")->setCurrentIndex(7);
        // At the search's first pump the progress window is up and the calculator locked:
        // a double click does nothing, then Esc stops the search.
        bool checked = false;
        QTimer::singleShot(0, &d, [&] {
            checked = true;
            EXPECT_TRUE(wait.isVisible());
            EXPECT_TRUE(dialog.Searching());
            EXPECT_FALSE(Child<QWidget>(d, "GroupBoxChordOptions")->isEnabled());
            Click(d, "BitBtnCopySelectedAndExit");
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
        Click(d, "BtnFindChords");
        EXPECT_TRUE(checked);
        EXPECT_FALSE(wait.isVisible());
        EXPECT_FALSE(dialog.Searching());
        EXPECT_TRUE(Child<QWidget>(d, "GroupBoxChordOptions")->isEnabled());
        EXPECT_TRUE(d.isVisible()); // Esc stopped the search, not the window
        EXPECT_LT(list->count(), 109);
        // The Stop button of the progress window does the same.
        QTimer::singleShot(0, &d, [this] { Click(wait, "BitBtnCancel"); });
        Click(d, "BtnFindChords");
        EXPECT_LT(list->count(), 109);
        Click(d, "BitBtnOK");
    });
    EXPECT_TRUE(inserted.empty());
}

TEST_F(ChordCalcDialogTest, StoredValuesAreKeptInRangeAndMelodyHoldsThePosition) {
    TChordCalcInput in = GuitarInput();
    in.chordRoot = "H";
    in.chordPosition = 99;
    in.chordReach = -4;
    in.dotType = 7;
    const auto result = AskDriven(in, [](QWidget &d) {
        EXPECT_EQ(Child<QLabel>(d, "LblChordRoot")->text(), QStringLiteral("C"));
        auto *position = Child<QComboBox>(d, "cboPosition");
        EXPECT_EQ(position->currentText(), QStringLiteral("11"));
        auto *melody = Child<QCheckBox>(d, "CheckBoxMelodyNoteBuiltIn");
        EXPECT_EQ(melody->text(), QStringLiteral("Find \"C Major\" with:"));
        melody->click();
        EXPECT_EQ(position->currentText(), QStringLiteral("ALL"));
        EXPECT_FALSE(position->isEnabled());
        EXPECT_EQ(Child<QComboBox>(d, "cboMelodyNoteNameBuiltIn")->count(), 3);
        EXPECT_EQ(Child<QComboBox>(d, "cboMelodyNoteStringBuiltIn")->count(), 4);
        melody->click();
        EXPECT_EQ(position->currentText(), QStringLiteral("11"));
        melody->click(); // left checked for the next showing
        Click(d, "BitBtnOK");
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->chordReach, 0);
    EXPECT_EQ(result->dotType, 2);
    // On a four-string tab the melody choices are refilled for its strings.
    TChordCalcInput bass = GuitarInput();
    bass.kindText = "Bass";
    bass.line.HighestString = 3;
    bass.line.TuningSpelling = "242412121212";
    AskDriven(bass, [](QWidget &d) {
        EXPECT_EQ(Child<QComboBox>(d, "cboMelodyNoteStringBuiltIn")->count(), 2);
        EXPECT_EQ(Child<QComboBox>(d, "cboPosition")->currentText(), QStringLiteral("ALL"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
}

TEST_F(ChordCalcDialogTest, UserFormulasAndUserDefinedChords) {
    QTemporaryDir dir;
    std::ofstream(dir.filePath(QStringLiteral("User_Chord_Formulas.txt")).toStdString())
        << "Power, 5, 1-5 Maj\nHuge, h, 1-2-3-4-5-6-7-8-9-10-11-12-13-#13\nOdd, o, 1-x5\n";
    TChordCalcInput in = GuitarInput();
    in.userFormulaFolder = dir.path().toStdString();
    in.chordType = "Power";
    AskDriven(in, [this](QWidget &d) {
        ASSERT_EQ(services.messages.Count(), 1); // the skipped row, named once
        EXPECT_TRUE(services.messages.LastText().contains(QStringLiteral("line 2")));
        Click(d, "BtnFindChords");
        auto *list = Child<QListWidget>(d, "lbVoicing");
        ASSERT_GT(list->count(), 0);
        EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("C 5,")));
        // A user-defined chord: root, flat 3 and 5 on a custom root of A.
        Child<QButtonGroup>(d, "RadioGroupUserDefinedChordMode")->button(1)->click();
        EXPECT_TRUE(Child<QWidget>(d, "GroupBoxDefineChordFormula")->isVisible());
        Child<QCheckBox>(d, "cb9")->click();
        Child<QCheckBox>(d, "cb2")->click(); // the 2nd and the 9th exclude each other
        EXPECT_FALSE(Child<QCheckBox>(d, "cb9")->isChecked());
        for (const char *box : {"cb2", "cbroot", "cbmajor3", "cbminor3"})
            Child<QCheckBox>(d, box)->click();
        auto *root = Child<QComboBox>(d, "cboRootCustom");
        root->setCurrentText(QStringLiteral("A"));
        Click(d, "BitBtn1");
        ASSERT_GT(list->count(), 0);
        EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("A 1-b3-5,")))
            << list->item(0)->text().toStdString();
        // More degrees than strings: refused with a warning, and nothing is found.
        for (const char *box : {"cbminor7", "cb9", "cb11", "cb13"})
            Child<QCheckBox>(d, box)->click();
        EXPECT_EQ(services.messages.LastText(),
                  QStringLiteral("No more than 6 scale degrees may be selected for Guitar"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    // A row with an unknown degree is reported once for the whole search.
    in.chordType = "Odd";
    services.messages.Clear();
    AskDriven(in, [](QWidget &d) {
        Child<QButtonGroup>(d, "RadioGroupUserDefinedChordMode")->button(0)->click();
        Click(d, "BtnFindChords");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(services.messages.Texts(), QStringList{QStringLiteral("Failed getting subscript: deg := x5")});
}

} // namespace
