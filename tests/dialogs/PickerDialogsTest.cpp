// The sound, percussion, key, chord-type and scale pickers and the piano chord dialog, driven
// offscreen: what each hands back for every way it closes, and what it asks of its opener.
#include "dialogs/chordtools/FrmSelectChordType.h"
#include "dialogs/chordtools/FrmSelectPianoChord.h"
#include "dialogs/common/DialogControls.h"
#include "dialogs/pickers/FrmSelectDrum.h"
#include "dialogs/pickers/FrmSelectKey.h"
#include "dialogs/pickers/FrmSelectPatch.h"
#include "dialogs/pickers/FrmSelectScaleType.h"

#include "platform/qt/TestServices.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename T> T *Child(QWidget &dialog, const QString &name) {
    T *child = dialog.findChild<T *>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}

// How a picker is closed without choosing.
enum class Close { Button, Escape, CloseBox };

void CloseWithoutChoice(QWidget &d, Close how, const char *button = "BitBtn1") {
    switch (how) {
    case Close::Button:
        QTest::mouseClick(Child<QPushButton>(d, QString::fromLatin1(button)), Qt::LeftButton);
        break;
    case Close::Escape:
        QTest::keyClick(&d, Qt::Key_Escape);
        break;
    case Close::CloseBox:
        d.close();
        break;
    }
}

class PickerDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }

    // The next dialog shown runs `drive`; its own controls decide the result.
    void Drive(std::function<void(QWidget &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
    }

    platform::TestServices services;
};

TEST_F(PickerDialogsTest, SoundPickerPreviewsChoosesAndInsertsWithoutChoosing) {
    TfrmSelectPatch dialog(services.Get());
    std::vector<TPreviewNote> previews;
    std::vector<std::string> inserted;
    const TPatchInput in{"Guitar", 0, 90, [&](const TPreviewNote &n) { previews.push_back(n); },
                         [&](const std::string &line) { inserted.push_back(line); }};
    ASSERT_NE(dialog.findChild<TClickLabel *>(QStringLiteral("Label127")), nullptr);

    Drive([](QWidget &d) {
        EXPECT_EQ(Child<QLabel>(d, "Labelclickmsg")->text(),
                  QStringLiteral("Double-click an instrument to use for the \"Guitar\" sound"));
        QTest::mouseClick(Child<TClickLabel>(d, "Label38"), Qt::LeftButton);
        QTest::mouseClick(Child<TClickLabel>(d, "Label58"), Qt::LeftButton);
        // A double click: a click, then the second press and its release.
        QTest::mouseClick(Child<TClickLabel>(d, "Label26"), Qt::LeftButton);
        QTest::mouseDClick(Child<TClickLabel>(d, "Label26"), Qt::LeftButton);
        // The second release, as the system sends it once the choice has closed the window.
        TClickLabel *label = Child<TClickLabel>(d, "Label26");
        emit label->Click(*label);
    });
    EXPECT_EQ(dialog.Ask(in), (TPatchChoice{26, "Electic Guitar (jazz) (26)"}));
    // The double click's first click is heard; nothing is heard once the choice closed the window.
    ASSERT_EQ(previews.size(), 3u);
    EXPECT_EQ(previews[2].program, 26);
    EXPECT_EQ(previews[0], (TPreviewNote{0, 38, 0, 52, 90})); // "Synth Bass 1 (38)"
    EXPECT_EQ(previews[1], (TPreviewNote{0, 58, 0, 60, 90})); // "Tuba (58)"
    EXPECT_TRUE(inserted.empty());

    // A right click inserts the directive and closes with no sound chosen.
    Drive([](QWidget &d) { QTest::mouseClick(Child<TClickLabel>(d, "Label77"), Qt::RightButton); });
    EXPECT_EQ(dialog.Ask(in), std::nullopt);
    EXPECT_EQ(inserted, std::vector<std::string>{"*Instrument Skakuhachi"});
    EXPECT_FALSE(dialog.isVisible());

    for (Close how : {Close::Button, Close::Escape, Close::CloseBox}) {
        Drive([how](QWidget &d) {
            QTest::mouseClick(Child<TClickLabel>(d, "Label0"), Qt::LeftButton);
            CloseWithoutChoice(d, how);
        });
        EXPECT_EQ(dialog.Ask(in), std::nullopt) << int(how);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(inserted.size(), 1u);
}

TEST_F(PickerDialogsTest, PercussionPickerPreviewsOnTheTabsChannelAndReturnsTheTrimmedSlot) {
    TfrmSelectDrum dialog(services.Get());
    std::vector<TPreviewNote> previews;
    const TDrumPickInput in{9, 110, [&](const TPreviewNote &n) { previews.push_back(n); }};
    Drive([](QWidget &d) {
        EXPECT_EQ(Child<QLabel>(d, "LabelTitle")->text(), QStringLiteral("Double-click a drum to use it"));
        QTest::mouseClick(Child<TClickLabel>(d, "Label3"), Qt::LeftButton);
        QTest::mouseClick(Child<TClickLabel>(d, "Label4"), Qt::LeftButton);
        QTest::mouseDClick(Child<TClickLabel>(d, "Label4"), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.Ask(in), (DrumSlot{"40 Snare Drum 2", 40}));
    ASSERT_EQ(previews.size(), 2u);                            // none after the choice closed the window
    EXPECT_EQ(previews[0], (TPreviewNote{0, -1, 9, 38, 110})); // no program change
    for (Close how : {Close::Button, Close::Escape, Close::CloseBox}) {
        Drive([how](QWidget &d) { CloseWithoutChoice(d, how); });
        EXPECT_EQ(dialog.Ask(in), std::nullopt) << int(how);
    }
}

TEST_F(PickerDialogsTest, KeyPickerTakesTheOpenersCaptionAndGivesTheButtonsKey) {
    TFrmSelectKey dialog(services.Get());
    Drive([](QWidget &d) { QTest::mouseClick(Child<QPushButton>(d, "BitBtnEb"), Qt::LeftButton); });
    EXPECT_EQ(dialog.Ask({"Single Click to Select The Key For Scale"}), 7);
    EXPECT_EQ(services.modal.ShownDialogs().back().caption, QStringLiteral("Single Click to Select The Key For Scale"));
    EXPECT_EQ(Child<QPushButton>(dialog, "BitBtnEb")->text(), QStringLiteral("D#/Eb"));
    Drive([](QWidget &d) { QTest::mouseClick(Child<QPushButton>(d, "BitBtnA"), Qt::LeftButton); });
    EXPECT_EQ(dialog.Ask({"Piano"}), 1);
    for (Close how : {Close::Button, Close::Escape, Close::CloseBox}) {
        Drive([how](QWidget &d) { CloseWithoutChoice(d, how, "BitBtnCancel"); });
        EXPECT_EQ(dialog.Ask({"x"}), std::nullopt) << int(how);
    }
    // An OK that came from no key button is no choice either.
    services.modal.QueueResult(platform::mrOk);
    EXPECT_EQ(dialog.Ask({"x"}), std::nullopt);
}

TEST_F(PickerDialogsTest, ChordTypePickerGivesTypeAndFormulaRowOrNothing) {
    TfrmSelectChordType dialog(services.Get());
    const std::pair<const char *, TChordTypeChoice> clicks[] = {
        {"Label34", {34, 59}}, {"Label44", {44, 72}}, {"Label2", {2, 1}}, {"Label1", {1, 0}}, {"Label25", {25, 38}}};
    for (const auto &[label, choice] : clicks) {
        Drive([name = QString::fromLatin1(label)](QWidget &d) {
            QTest::mouseClick(Child<TClickLabel>(d, name), Qt::LeftButton);
        });
        EXPECT_EQ(dialog.Ask(), choice) << label;
    }
    for (Close how : {Close::Button, Close::Escape, Close::CloseBox}) {
        Drive([how](QWidget &d) { CloseWithoutChoice(d, how); });
        EXPECT_EQ(dialog.Ask(), std::nullopt) << int(how);
    }
    services.modal.QueueResult(platform::mrOk);
    EXPECT_EQ(dialog.Ask(), std::nullopt);
}

TEST_F(PickerDialogsTest, ChordTypePickerSuggestsAScaleUnderTheMouse) {
    TfrmSelectChordType dialog(services.Get());
    Drive([](QWidget &d) {
        auto *suggestion = Child<QLabel>(d, "lblScaleSuggestion");
        EXPECT_TRUE(suggestion->text().isEmpty());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(Child<TClickLabel>(d, "Label21"), &enter);
        EXPECT_EQ(suggestion->text(), QStringLiteral("Scale Suggestion: Locrian"));
        QApplication::sendEvent(Child<TClickLabel>(d, "Label7"), &enter);
        EXPECT_EQ(suggestion->text(), QStringLiteral("Scale Suggestion: "));
        QMouseEvent bare(QEvent::MouseMove, QPointF(2, 2), d.mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&d, &bare);
        EXPECT_TRUE(suggestion->text().isEmpty());
        QApplication::sendEvent(Child<TClickLabel>(d, "Label21"), &enter);
        CloseWithoutChoice(d, Close::Button);
    });
    dialog.Ask();
    // Each showing starts without a suggestion.
    Drive([](QWidget &d) {
        EXPECT_TRUE(Child<QLabel>(d, "lblScaleSuggestion")->text().isEmpty());
        CloseWithoutChoice(d, Close::Button);
    });
    dialog.Ask();
}

TEST_F(PickerDialogsTest, ScalePickerGivesTheDefinitionOrClearsAndGivesNothing) {
    TfrmSelectScaleType dialog(services.Get());
    int cleared = 0;
    const TScaleTypeInput in{[&] { ++cleared; }};
    Drive([](QWidget &d) { QTest::mouseClick(Child<TClickLabel>(d, "Label22"), Qt::LeftButton); });
    EXPECT_EQ(dialog.Ask(in), "Blues Scale                 =MWHHMW");
    Drive([](QWidget &d) { QTest::mouseClick(Child<TClickLabel>(d, "Label1"), Qt::LeftButton); });
    EXPECT_EQ(dialog.Ask(in), "Major (Ionian)              =WWHWWWH");
    EXPECT_EQ(cleared, 0);
    Drive([](QWidget &d) { QTest::mouseClick(Child<QPushButton>(d, "BitBtnClearScale"), Qt::LeftButton); });
    EXPECT_EQ(dialog.Ask(in), std::nullopt);
    EXPECT_EQ(cleared, 1);
    for (Close how : {Close::Button, Close::Escape, Close::CloseBox}) {
        Drive([how](QWidget &d) { CloseWithoutChoice(d, how); });
        EXPECT_EQ(dialog.Ask(in), std::nullopt) << int(how);
    }
    EXPECT_EQ(cleared, 1);
}

// The piano chord dialog against a recording opener.
class PianoChordDialogTest : public PickerDialogsTest {
protected:
    TPianoChordInput Input() {
        TPianoChordInput in;
        in.showChord = [this](const TPianoChordShow &s) { shown.push_back(s); };
        in.lineFromKeyboard = [this](const std::string &key, const std::string &type) {
            return key + " " + type + " @" + std::to_string(shown.empty() ? 0 : shown.back().octaveShift);
        };
        in.playLine = [this](const std::string &line) { played.push_back(line); };
        in.refreshKeyColours = [this] { calls.push_back("refresh"); };
        in.clearDisplay = [this] { calls.push_back("clear"); };
        in.insertLine = [this](const std::string &line) { inserted.push_back(line); };
        in.currentDuration = [] { return std::string(" Q"); };
        in.pickKey = [this](const std::string &caption) {
            keyCaption = caption;
            return nextKey;
        };
        in.pickChordType = [this] { return nextType; };
        in.pickDuration = [this] { calls.push_back("duration"); };
        return in;
    }
    void Click(QWidget &d, const char *name) {
        if (auto *b = d.findChild<QPushButton *>(QString::fromLatin1(name)))
            QTest::mouseClick(b, Qt::LeftButton);
        else
            QTest::mouseClick(Child<TClickLabel>(d, QString::fromLatin1(name)), Qt::LeftButton);
    }
    std::vector<int> Shifts() const {
        std::vector<int> s;
        for (const TPianoChordShow &c : shown)
            s.push_back(c.octaveShift);
        return s;
    }

    TfrmSelectPianoChord dialog{services.Get()};
    std::vector<TPianoChordShow> shown;
    std::vector<std::string> played, inserted, calls;
    std::string keyCaption;
    std::optional<int> nextKey;
    std::optional<TChordTypeChoice> nextType;
};

TEST_F(PianoChordDialogTest, OctavesStayWithinTwoEitherWayAndPlayWhatTheyShow) {
    Drive([this](QWidget &d) {
        EXPECT_EQ(Child<TClickLabel>(d, "Label1")->text(), QStringLiteral("Set note duration for chords (Q)"));
        for (int i = 0; i < 3; ++i)
            Click(d, "btnHigherChord");
        Click(d, "btnLowerChord");
        Click(d, "BitBtnPlayChord");
        Click(d, "BitBtn1");
    });
    dialog.Ask(Input());
    // Activation shows the chord at its own octave, plain; each step keeps it in the scale colours.
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0], (TPianoChordShow{"C", 0, false, 0, true}));
    EXPECT_EQ(Shifts(), (std::vector<int>{0, 1, 2, 2, 1}));
    EXPECT_TRUE(shown[1].remember);
    EXPECT_EQ(played, (std::vector<std::string>{"C Major @1", "C Major @2", "C Major @2", "C Major @1", "C Major @1"}));
    EXPECT_EQ(calls, std::vector<std::string>{"clear"}); // Close clears the keyboard
    // The next showing starts at octave 0 again.
    shown.clear();
    Drive([this](QWidget &d) { QTest::keyClick(&d, Qt::Key_Escape); });
    dialog.Ask(Input());
    EXPECT_EQ(Shifts(), std::vector<int>{0});
    EXPECT_EQ(calls, (std::vector<std::string>{"clear", "clear"}));
}

TEST_F(PianoChordDialogTest, KeyAndTypeNameTheChordShownAndInserted) {
    nextType = TChordTypeChoice{20, 29};
    Drive([this](QWidget &d) {
        Click(d, "btnHigherChord");
        Click(d, "lblPianoChordKey"); // cancelled: nothing changes
        EXPECT_EQ(Child<TClickLabel>(d, "lblPianoChordKey")->text(), QStringLiteral("C"));
        nextKey = 5;
        Click(d, "lblPianoChordKey");
        EXPECT_EQ(Child<TClickLabel>(d, "lblPianoChordKey")->text(), QStringLiteral("C#/Db"));
        Click(d, "lblPianoChordType");
        EXPECT_EQ(Child<TClickLabel>(d, "lblPianoChordType")->text(), QStringLiteral("minor 7"));
        Click(d, "btnHigherChord"); // from octave 0 again
        Click(d, "Label2");         // use this chord, staying open
        Click(d, "Label5");         // use it and close
    });
    dialog.Ask(Input());
    EXPECT_EQ(keyCaption, "Single Click to Select The Key For Piano Chord");
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[2], (TPianoChordShow{"C#/Db", 0, false, 0, true}));
    EXPECT_EQ(shown[3], (TPianoChordShow{"C#/Db", 29, false, 0, true}));
    EXPECT_EQ(shown[4], (TPianoChordShow{"C#/Db", 29, true, 1, true}));
    EXPECT_EQ(shown[5], (TPianoChordShow{"C#/Db", 29, true, 1, true})); // shown again after the insert
    EXPECT_EQ(inserted, (std::vector<std::string>{"C#/Db minor 7 @1", "C#/Db minor 7 @1"}));
    EXPECT_EQ(played.back(), "C#/Db minor 7 @1");
    EXPECT_EQ(calls, std::vector<std::string>{"refresh"});
    EXPECT_FALSE(dialog.isVisible());

    // The dialog keeps its key and type for the next showing.
    shown.clear();
    Drive([this](QWidget &d) { Click(d, "BitBtn1"); });
    dialog.Ask(Input());
    EXPECT_EQ(shown.front(), (TPianoChordShow{"C#/Db", 29, false, 0, true}));
}

TEST_F(PianoChordDialogTest, ExitsDisplayClearOrShowEveryOctave) {
    Drive([this](QWidget &d) { Click(d, "Label4"); });
    dialog.Ask(Input());
    EXPECT_EQ(Shifts(), (std::vector<int>{0, -2, -1, 0, 1, 2}));
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_TRUE(shown[i].remember && !shown[i].clearFirst);

    shown.clear();
    calls.clear();
    Drive([this](QWidget &d) {
        Click(d, "btnHigherChord");
        Click(d, "Label3"); // the chord at its own octave, kept
    });
    dialog.Ask(Input());
    EXPECT_EQ(shown.back(), (TPianoChordShow{"C", 0, true, 0, false}));
    EXPECT_EQ(calls, std::vector<std::string>{"refresh"});

    calls.clear();
    Drive([this](QWidget &d) {
        Click(d, "Label1"); // the duration picker, then the label again
        Click(d, "Label6");
    });
    dialog.Ask(Input());
    EXPECT_EQ(calls, (std::vector<std::string>{"duration", "clear", "refresh"}));
    EXPECT_TRUE(inserted.empty());
}

} // namespace
