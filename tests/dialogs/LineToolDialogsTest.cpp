#include "dialogs/common/DialogControls.h"
#include "dialogs/editor/FrmMicroManage.h"
#include "dialogs/editor/FrmNoteSelect.h"
#include "dialogs/pickers/FrmSelectTuning.h"

#include "platform/qt/TestServices.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

template <typename T> T *Child(QWidget &dialog, const QString &name) {
    T *child = dialog.findChild<T *>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}
QComboBox *List(QWidget &d, const char *name, int n) {
    return Child<QComboBox>(d, QString::fromLatin1(name) + QString::number(n));
}
void Click(QWidget &d, const char *name) {
    QTest::mouseClick(Child<QWidget>(d, QString::fromLatin1(name)), Qt::LeftButton);
}
// The user's own choice of item `index` in a list, as a click in its drop-down makes it.
void Choose(QComboBox *list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

class LineToolDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }
    platform::TestServices services;

    // Queues `drive` for the next dialog shown; the dialog's own buttons decide the result.
    void Drive(std::function<void(platform::ModalDialog &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
    }
};

// ---- tuning dialog ---------------------------------------------------------------------------

class TuningDialogTest : public LineToolDialogTest {
protected:
    TfrmSelectTuning dialog{services.Get()};
    std::vector<int> sounded;
    int patches = 0;

    TTuningInput Input(TKind kind, int highestString, bool shortString, const char *spelling) {
        TTuningInput in{kind, highestString, shortString, spelling, {}};
        in.calls.SetPatch = [this] { ++patches; };
        in.calls.SoundNote = [this](int note) { sounded.push_back(note); };
        return in;
    }
};

TEST_F(TuningDialogTest, GuitarOpensOnStandardAndTakesAStringChangedByHand) {
    Drive([](platform::ModalDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Guitar Tuning"));
        for (int s = 1; s <= 6; ++s) {
            EXPECT_TRUE(List(d, "cboStr", s)->isVisible()) << s;
            EXPECT_EQ(List(d, "cboStr", s)->currentIndex(), 24) << s; // not the tab's Open G
        }
        EXPECT_EQ(List(d, "cboStr", 6)->currentText(), QStringLiteral("(E)"));
        EXPECT_EQ(Child<QLabel>(d, QStringLiteral("Label1"))->text(),
                  QStringLiteral("Standard       (E) (A) (D) (G) (B) (E)"));
        EXPECT_FALSE(Child<QLabel>(d, QStringLiteral("Label17"))->isVisible());
        EXPECT_EQ(Child<QLabel>(d, QStringLiteral("Label21"))->text().left(8), QStringLiteral("Big City"));
        // The low E string down a whole step, by the keyboard.
        QComboBox *low = List(d, "cboStr", 6);
        QTest::keyClick(low, Qt::Key_Up);
        QTest::keyClick(low, Qt::Key_Up);
        EXPECT_EQ(low->currentText(), QStringLiteral(" D "));
        Click(d, "BitBtnOK");
    });
    EXPECT_EQ(dialog.Ask(Input(TKind::Guitar, 5, false, "222424242422")), "242424242422");
}

TEST_F(TuningDialogTest, BassShowsFourStringsAndPresetsAndPlaysLowestFirst) {
    Drive([](platform::ModalDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Bass Tuning"));
        EXPECT_FALSE(List(d, "cboStr", 1)->isVisible());
        EXPECT_FALSE(List(d, "cboStr", 2)->isVisible());
        EXPECT_TRUE(List(d, "cboStr", 3)->isVisible());
        EXPECT_EQ(List(d, "cboStr", 6)->currentIndex(), 12);
        const char *const names[] = {"Mandolin", "Bass", "Uke", "Tenor Banjo"};
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(Child<QLabel>(d, QStringLiteral("Label") + QString::number(i + 1))
                            ->text()
                            .startsWith(QString::fromLatin1(names[i])));
        EXPECT_TRUE(Child<QLabel>(d, QStringLiteral("Label5"))->text().isEmpty());
        QTest::mouseClick(Child<QLabel>(d, QStringLiteral("Label5")), Qt::LeftButton); // empty: nothing
        QTest::mouseClick(Child<QLabel>(d, QStringLiteral("Label1")), Qt::LeftButton); // Mandolin
        Choose(List(d, "cboStr", 3), 46);                                              // the E string up to F
        Click(d, "BitBtnPlayTuning");
        Click(d, "BitBtnOK");
    });
    // The mandolin preset also sets the two lists past the bass's strings.
    EXPECT_EQ(dialog.Ask(Input(TKind::Bass, 3, false, "242412121212")), "364146434139");
    EXPECT_EQ(patches, 1);
    EXPECT_EQ(sounded, (std::vector<int>{55, 62, 69, 77}));
}

TEST_F(TuningDialogTest, BanjoShortStringIsStoredFiveLowerAndRefusesValuesBelowFive) {
    services.modal.QueueResult(platform::mrOk);
    EXPECT_EQ(dialog.Ask(Input(TKind::Banjo, 4, true, "242424242424")), "242728292946");

    Drive([](platform::ModalDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Banjo Tuning"));
        EXPECT_FALSE(List(d, "cboStr", 1)->isVisible());
        EXPECT_EQ(List(d, "cboStr", 6)->currentIndex(), 51);
        QComboBox *shortString = List(d, "cboStr", 6);
        QTest::keyClick(shortString, Qt::Key_Home); // the first pitch it offers
        EXPECT_EQ(shortString->currentIndex(), 5);
        Choose(shortString, 3); // no stored pair for it: refused
        EXPECT_EQ(shortString->currentIndex(), 5);
        Click(d, "BitBtnOK");
    });
    EXPECT_EQ(dialog.Ask(Input(TKind::Banjo, 4, true, "242728292946")), "242728292900");
}

TEST_F(TuningDialogTest, EscAndCancelReturnNothingAndEnterIsOk) {
    Drive([](platform::ModalDialog &d) {
        QTest::mouseClick(Child<QLabel>(d, QStringLiteral("Label2")), Qt::LeftButton); // Open G
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.Ask(Input(TKind::Guitar, 5, false, "242424242424")), std::nullopt);
    Drive([](platform::ModalDialog &d) {
        Choose(List(d, "cboStr", 1), 20);
        Click(d, "BitBtnCancel");
    });
    EXPECT_EQ(dialog.Ask(Input(TKind::Guitar, 5, false, "242424242424")), std::nullopt);
    Drive([](platform::ModalDialog &d) {
        QTest::mouseClick(Child<QLabel>(d, QStringLiteral("Label2")), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.Ask(Input(TKind::Guitar, 5, false, "242424242424")), "222424242222");
    EXPECT_TRUE(sounded.empty());
}

TEST_F(TuningDialogTest, AStoredPairWithoutAListItemKeepsItsValue) {
    // A kind without a default preset opens on the tab's own values.
    Drive([](platform::ModalDialog &d) {
        EXPECT_EQ(List(d, "cboStr", 1)->currentIndex(), -1); // 75 has no item
        EXPECT_EQ(List(d, "cboStr", 2)->currentIndex(), 23);
        Choose(List(d, "cboStr", 2), 25);
        Click(d, "BitBtnOK");
    });
    EXPECT_EQ(dialog.Ask(Input(TKind::Piano, 5, false, "752324242424")), "752524242424");
}

// ---- per-line editor ---------------------------------------------------------------------------

class LineEditorDialogTest : public LineToolDialogTest {
protected:
    TFrmMicroManage dialog{services.Get()};

    static TLineContext Tab(TKind kind, int highestString) {
        TLineContext ctx;
        ctx.Kind = kind;
        ctx.HighestString = highestString;
        ctx.Volume = 100;
        return ctx;
    }
    static void Type(QComboBox *list, const QString &text) {
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), text);
    }
};

TEST_F(LineEditorDialogTest, FrettedLineTakesATypedDurationForOneString) {
    Drive([](platform::ModalDialog &d) {
        auto *line = Child<QLabel>(d, QStringLiteral("labelFRTLine"));
        EXPECT_EQ(line->text(), QStringLiteral("C, x, 3, 2, 0, 1, 0, Q"));
        EXPECT_EQ(Child<QLabel>(d, QStringLiteral("Label1"))->text(), QStringLiteral("String 6"));
        EXPECT_EQ(List(d, "cboFretNumber", 1)->currentText(), QStringLiteral("-1"));
        EXPECT_FALSE(List(d, "cboDur", 1)->isEnabled());
        EXPECT_FALSE(List(d, "cboVol", 1)->isEnabled());
        EXPECT_EQ(List(d, "cboVol", 6)->currentText(), QStringLiteral("100"));
        EXPECT_FALSE(List(d, "cboDur", 7)->isVisible());
        Type(List(d, "cboDur", 6), QStringLiteral("E"));
        EXPECT_EQ(line->text(), QStringLiteral("C, x, 3, 2, 0, 1, 0|E|100|, Q"));
        Choose(List(d, "cboFretNumber", 3), 0); // string 4 silent
        EXPECT_FALSE(List(d, "cboDur", 3)->isEnabled());
        Click(d, "BitBtnOK");
    });
    EXPECT_EQ(dialog.Ask({"C, x, 3, 2, 0, 1, 0, Q", Tab(TKind::Guitar, 5)}), "C, x, 3, x, 0, 1, 0|E|100|, Q");
}

TEST_F(LineEditorDialogTest, PianoLineShowsTheTabVolumeAndSurvivesABadKeystroke) {
    Drive([](platform::ModalDialog &d) {
        EXPECT_EQ(Child<QLabel>(d, QStringLiteral("Label10"))->text(), QStringLiteral("Note 10"));
        EXPECT_EQ(List(d, "cboVol", 1)->currentText(), QStringLiteral("100"));
        EXPECT_EQ(List(d, "cboFretNumber", 1)->currentText(), QStringLiteral("48"));
        Type(List(d, "cboDur", 1), QStringLiteral("|"));
        Choose(List(d, "cboDur", 1), 1); // "H" from the list
        EXPECT_EQ(Child<QLabel>(d, QStringLiteral("labelFRTLine"))->text(),
                  QStringLiteral("C, 48|H|100|, 52, 55, x, x, x, x, x, x, x, Q"));
        Choose(List(d, "cboFretNumber", 10), 80); // key 107
        Click(d, "BitBtnOK");
    });
    EXPECT_EQ(dialog.Ask({"C, 48, 52, 55, x, x, x, x, x, x, x, Q", Tab(TKind::Piano, 0)}),
              "C, 48|H|100|, 52, 55, x, x, x, x, x, x, 107, Q");
}

TEST_F(LineEditorDialogTest, AnUnreadableDurationKeepsTheDialogOpenOnOk) {
    Drive([this](platform::ModalDialog &d) {
        EXPECT_EQ(Child<QLabel>(d, QStringLiteral("Label1"))->text(), QStringLiteral("String 4"));
        EXPECT_FALSE(List(d, "cboFretNumber", 5)->isVisible());
        Type(List(d, "cboDur", 2), QStringLiteral("Z"));
        Click(d, "BitBtnOK");
        EXPECT_EQ(d.ModalResult(), platform::mrNone);
        ASSERT_EQ(services.messages.Count(), 1);
        EXPECT_TRUE(services.messages.Shown()[0].text.contains(QStringLiteral("Duration Z")));
        Click(d, "BitBtnCancel");
    });
    EXPECT_EQ(dialog.Ask({"G, 0, 0, 2, 3, Q", Tab(TKind::Mandolin, 3)}), std::nullopt);
}

TEST_F(LineEditorDialogTest, ALineThatDoesNotReadOpensNothing) {
    EXPECT_EQ(dialog.Ask({"C, x, 33, 2, 0, 1, 0, Q", Tab(TKind::Guitar, 5)}), std::nullopt);
    EXPECT_EQ(dialog.Ask({"*Tempo 90", Tab(TKind::Guitar, 5)}), std::nullopt);
    EXPECT_TRUE(services.modal.ShownDialogs().empty());
}

// ---- duration picker -------------------------------------------------------------------------

TEST_F(LineToolDialogTest, DurationPickerReturnsTheButtonClicked) {
    TfrmNoteSelect dialog{services.Get()};
    Drive([](platform::ModalDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Select Temporary Note Duration"));
        EXPECT_EQ(d.findChildren<QToolButton *>().size(), 21);
        Click(d, "SpeedButtonQuarterD");
    });
    EXPECT_EQ(dialog.Ask({"Select Temporary Note Duration"}), (TNotePick{2, TNoteFamily::Dotted}));
    Drive([](platform::ModalDialog &d) { Click(d, "BitBtnCancel"); });
    EXPECT_EQ(dialog.Ask({"Select Current Note Duration"}), std::nullopt);
    Drive([](platform::ModalDialog &d) { Click(d, "SpeedButtonSixtyFourthT"); });
    EXPECT_EQ(dialog.Ask({"Select Current Note Duration"}), (TNotePick{6, TNoteFamily::Triplet}));
}

} // namespace
