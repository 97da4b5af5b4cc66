// The tuning label, the per-line editor and the duration picker on the main window, through the
// program's own dialogs driven as a user drives them.
#include "MainWindowFixture.h"

#include "dialogs/Dialogs.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/window/Commands.h"
#include "mainwindow/window/DialogHandOffs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

#include <functional>

namespace {

class LineToolsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Make();
        w->resize(815, 599);
        w->show();
        w->FormActivate();
        dialogs = CreateDialogs(ts.Get(), w.get());
        WireMainDialogs(*w, dialogs);
        w->LiveInstrument()->Sound().SetWaiter([this](int ms, bool) {
            waits.push_back(ms);
            clock.Advance(ms);
        });
    }
    void TearDown() override {
        w->SetDialogs({});
        dialogs = TDialogs{};
    }
    void Show(int tab, const QString &text, int caret) {
        if (w->Document().Song.CurrentTab != tab) {
            ASSERT_TRUE(SelectTab(tab));
        }
        w->Lines().LoadText(text);
        w->Lines().MoveCaretToLine(caret);
        midi.Clear();
        waits.clear();
    }
    // The next dialog is driven by `drive`; its own buttons decide the result.
    void Drive(std::function<void(platform::ModalDialog &)> drive) {
        ts.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
    }
    static void Click(QWidget &d, const QString &name) {
        QTest::mouseClick(d.findChild<QWidget *>(name), Qt::LeftButton);
    }
    void ClickTuningLabel() { QTest::mouseClick(Ctl<QLabel>(*w, "LabelSelectTuning"), Qt::LeftButton); }
    // Notes switched on, with their channel.
    std::vector<std::pair<int, int>> NotesOn() const {
        std::vector<std::pair<int, int>> out;
        for (const auto &m : midi.Messages())
            if ((m.status & 0xF0) == 0x90 && m.data2 > 0)
                out.emplace_back(m.status & 0x0F, m.data1);
        return out;
    }
    QString Line(int i) const { return w->Lines().Line(i); }
    TEditorLines &Lines() { return w->Lines(); }

    TDialogs dialogs;
    std::vector<int> waits;
};

// ---- tuning ------------------------------------------------------------------------------------

TEST_F(LineToolsTest, GuitarTuningPresetIsPlayedStoredShownAndSounded) {
    Show(6, QStringLiteral("G, 0, 0, 0, 0, 0, 0, Q\nG, 0, 0, 0, 0, 0, 0, Q\n"), 0);
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelSelectTuning")->text(), QStringLiteral("E A D G B E"));
    Drive([](platform::ModalDialog &d) {
        Click(d, QStringLiteral("Label2")); // Open G
        Click(d, QStringLiteral("BitBtnPlayTuning"));
        Click(d, QStringLiteral("BitBtnOK"));
    });
    ClickTuningLabel();
    ASSERT_EQ(ts.modal.ShownDialogs().size(), 1u);
    EXPECT_EQ(ts.modal.ShownDialogs()[0].caption, QStringLiteral("Guitar Tuning"));
    // Play sounded the open strings one after another on the first channel, lowest first.
    const std::vector<std::pair<int, int>> open = {{0, 38}, {0, 43}, {0, 50}, {0, 55}, {0, 59}, {0, 62}};
    EXPECT_EQ(NotesOn(), open);
    EXPECT_EQ(waits, std::vector<int>(6, 240));
    EXPECT_EQ(w->Document().Song.Tab(6).TuningSpelling, "222424242222");
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelSelectTuning")->text(), QStringLiteral("D G D G B D"));
    EXPECT_TRUE(w->Document().Song.Tab(6).Modified);
    EXPECT_EQ(Ctl<TStatusPanels>(*w, "StatusBarBottom")->Text(1), QStringLiteral("*"));
    // The tab's lines now sound in the new tuning, on the tab's own channel.
    midi.Clear();
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Down);
    std::vector<int> notes;
    for (const auto &[channel, note] : NotesOn()) {
        EXPECT_EQ(channel, w->Document().Song.Tab(6).Channel);
        notes.push_back(note);
    }
    std::sort(notes.begin(), notes.end());
    EXPECT_EQ(notes, (std::vector<int>{38, 43, 50, 55, 59, 62}));
}

TEST_F(LineToolsTest, CancelEscAndAnUnchangedOkLeaveTheTabAsItWas) {
    Show(6, QString(), 0);
    w->Document().Song.Tab(6).TuningSpelling = "222424242422";
    Drive([](platform::ModalDialog &d) {
        d.findChild<QComboBox *>(QStringLiteral("cboStr1"))->setCurrentIndex(10);
        emit d.findChild<QComboBox *>(QStringLiteral("cboStr1"))->activated(10);
        Click(d, QStringLiteral("BitBtnCancel"));
    });
    ClickTuningLabel();
    Drive([](platform::ModalDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); });
    ClickTuningLabel();
    EXPECT_EQ(w->Document().Song.Tab(6).TuningSpelling, "222424242422");
    EXPECT_FALSE(w->Document().Song.Tab(6).Modified);
    // OK on the default it opened on: the standard tuning, a change.
    Drive([](platform::ModalDialog &d) { Click(d, QStringLiteral("BitBtnOK")); });
    ClickTuningLabel();
    EXPECT_EQ(w->Document().Song.Tab(6).TuningSpelling, "242424242424");
    EXPECT_TRUE(w->Document().Song.Tab(6).Modified);
    w->Document().Song.Tab(6).Modified = false;
    Drive([](platform::ModalDialog &d) { Click(d, QStringLiteral("BitBtnOK")); });
    ClickTuningLabel();
    EXPECT_FALSE(w->Document().Song.Tab(6).Modified);
    EXPECT_EQ(ts.modal.ShownDialogs().size(), 4u);
    // While the song plays the label opens nothing.
    SetPlaying(*w, TPlayKind::Song, true);
    ClickTuningLabel();
    SetPlaying(*w, TPlayKind::Song, false);
    EXPECT_EQ(ts.modal.ShownDialogs().size(), 4u);
}

TEST_F(LineToolsTest, BanjoShortStringAndBassStringsChangedByHand) {
    Show(13, QString(), 0);
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelSelectTuning")->text(), QStringLiteral("G D G B D "));
    Drive([](platform::ModalDialog &d) {
        auto *shortString = d.findChild<QComboBox *>(QStringLiteral("cboStr6"));
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(shortString, Qt::Key_Down); // G up to A
        Click(d, QStringLiteral("BitBtnOK"));
    });
    ClickTuningLabel();
    EXPECT_EQ(w->Document().Song.Tab(13).TuningSpelling, "242728292948");
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelSelectTuning")->text(), QStringLiteral("A D G B D "));

    Show(12, QString(), 0);
    Drive([](platform::ModalDialog &d) {
        QTest::keyClick(d.findChild<QComboBox *>(QStringLiteral("cboStr6")), Qt::Key_Up); // E down to D#
        QTest::keyClick(d.findChild<QComboBox *>(QStringLiteral("cboStr6")), Qt::Key_Up); // and to D
        Click(d, QStringLiteral("BitBtnOK"));
    });
    ClickTuningLabel();
    EXPECT_EQ(w->Document().Song.Tab(12).TuningSpelling, "242412121210");
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelSelectTuning")->text(), QStringLiteral("D A D G  "));
}

// ---- per-line editor -------------------------------------------------------------------------

TEST_F(LineToolsTest, PerLineEditorReplacesTheLineAsOneEdit) {
    Show(6, QStringLiteral("*Tempo 90\nC, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\n"), 1);
    Drive([](platform::ModalDialog &d) {
        auto *duration = d.findChild<QComboBox *>(QStringLiteral("cboDur6"));
        duration->lineEdit()->selectAll();
        QTest::keyClicks(duration->lineEdit(), QStringLiteral("E"));
        Click(d, QStringLiteral("BitBtnOK"));
    });
    Act(*w, QStringLiteral("MicroManageLine2"))->trigger();
    EXPECT_EQ(Line(1), QStringLiteral("C, x, 3, 2, 0, 1, 0|E|100|, Q"));
    EXPECT_EQ(Line(2), QStringLiteral("G, 3, 2, 0, 0, 0, 3, Q"));
    EXPECT_TRUE(w->Document().Song.Current().Modified);
    EXPECT_EQ(Ctl<TNotationEdit>(*w, "RichEdit1")->textCursor().selectedText(),
              QStringLiteral("C, x, 3, 2, 0, 1, 0|E|100|, Q") + QChar::ParagraphSeparator);
    // One Ctrl+Z brings the line back whole.
    Act(*w, QStringLiteral("Undo1"))->trigger();
    EXPECT_EQ(Line(1), QStringLiteral("C, x, 3, 2, 0, 1, 0, Q"));

    // The first selected line is the one edited; Cancel changes nothing.
    Lines().SelectLines(2, 2);
    Drive([](platform::ModalDialog &d) {
        EXPECT_EQ(d.findChild<QLabel *>(QStringLiteral("labelFRTLine"))->text(),
                  QStringLiteral("G, 3, 2, 0, 0, 0, 3, Q"));
        Click(d, QStringLiteral("BitBtnCancel"));
    });
    Act(*w, QStringLiteral("MicroManageLine2"))->trigger();
    EXPECT_EQ(Line(2), QStringLiteral("G, 3, 2, 0, 0, 0, 3, Q"));
    EXPECT_EQ(ts.modal.ShownDialogs().size(), 2u);
}

TEST_F(LineToolsTest, PerLineEditorOnAPianoLine) {
    Show(1, QStringLiteral("C, 48, 52, 55, x, x, x, x, x, x, x, Q\n"), 0);
    Drive([](platform::ModalDialog &d) {
        auto *duration = d.findChild<QComboBox *>(QStringLiteral("cboDur1"));
        duration->setCurrentIndex(1);
        emit duration->activated(1); // "H"
        Click(d, QStringLiteral("BitBtnOK"));
    });
    Act(*w, QStringLiteral("MicroManageLine2"))->trigger();
    EXPECT_EQ(Line(0), QStringLiteral("C, 48|H|100|, 52, 55, x, x, x, x, x, x, x, Q"));
}

TEST_F(LineToolsTest, PerLineEditorSkipsBlankLinesAndNamesFaultyOnes) {
    Show(6, QStringLiteral("\nC, x, 33, 2, 0, 1, 0, Q\n"), 0);
    Act(*w, QStringLiteral("MicroManageLine2"))->trigger();
    EXPECT_EQ(ts.messages.Count(), 0);
    Lines().MoveCaretToLine(1);
    Act(*w, QStringLiteral("MicroManageLine2"))->trigger();
    ASSERT_EQ(ts.messages.Count(), 1);
    EXPECT_EQ(ts.messages.Shown()[0].text, QStringLiteral("Please fix the error or delete the line."));
    EXPECT_TRUE(ts.modal.ShownDialogs().empty());
    EXPECT_EQ(Line(1), QStringLiteral("C, x, 33, 2, 0, 1, 0, Q"));
}

// ---- duration picker -------------------------------------------------------------------------

TEST_F(LineToolsTest, CtrlRightClickSetsTheCurrentDurationAndAppliesItOnce) {
    Show(6, QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"), 0);
    auto *buttons = Ctl<TDurationButtons>(*w, "PanelNoteButtons");
    buttons->SetDurationControls(103); // dotted quarter
    QSignalSpy edits(Ctl<TNotationEdit>(*w, "RichEdit1")->document(), &QTextDocument::contentsChanged);
    Drive([](platform::ModalDialog &d) { Click(d, QStringLiteral("SpeedButtonEighthT")); });
    QTest::mouseClick(Ctl<TNotationEdit>(*w, "RichEdit1")->viewport(), Qt::RightButton, Qt::ControlModifier);
    ASSERT_EQ(ts.modal.ShownDialogs().size(), 1u);
    EXPECT_EQ(ts.modal.ShownDialogs()[0].caption, QStringLiteral("Select Current Note Duration"));
    EXPECT_TRUE(buttons->chkTriplet->isChecked());
    EXPECT_FALSE(buttons->chkDotted->isChecked());
    EXPECT_TRUE(buttons->btnEighthNote->isChecked());
    EXPECT_EQ(buttons->CurrentDuration(), " /E");
    EXPECT_EQ(Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, /E"));
    EXPECT_EQ(edits.count(), 1);
    Act(*w, QStringLiteral("Undo1"))->trigger();
    EXPECT_EQ(Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, Q"));
}

TEST_F(LineToolsTest, ShiftRightClickAppliesOnceAndPicturesReopenTheLastMode) {
    Show(6, QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\n"), 0);
    auto *buttons = Ctl<TDurationButtons>(*w, "PanelNoteButtons");
    const std::string before = buttons->CurrentDuration();
    Lines().SelectLines(0, 1);
    Drive([](platform::ModalDialog &d) { Click(d, QStringLiteral("SpeedButtonWholeD")); });
    QTest::mouseClick(Ctl<TNotationEdit>(*w, "RichEdit1")->viewport(), Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, .W"));
    EXPECT_EQ(Line(1), QStringLiteral("G, 3, 2, 0, 0, 0, 3, .W"));
    EXPECT_EQ(buttons->CurrentDuration(), before);

    // Ctrl + click on the fretboard: the picker as it was last opened.
    Lines().MoveCaretToLine(1);
    TFretboardView *view = w->LiveInstrument()->Fretboard().View();
    view->LayoutShapes();
    const TRect r = w->LiveInstrument()->Fretboard().Model().Dot(5, 3).Rect;
    Drive([](platform::ModalDialog &d) { Click(d, QStringLiteral("SpeedButtonSixteenth")); });
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, QPoint(r.Left + r.Width / 2, r.Top + r.Height / 2));
    ASSERT_EQ(ts.modal.ShownDialogs().size(), 2u);
    EXPECT_EQ(ts.modal.ShownDialogs()[1].caption, QStringLiteral("Select Temporary Note Duration"));
    EXPECT_EQ(Line(1), QStringLiteral("G, 3, 2, 0, 0, 0, 3, S"));
    EXPECT_EQ(buttons->CurrentDuration(), before);
}

TEST_F(LineToolsTest, TemporaryDurationFromTheMenuNeedsASelectionAndTheLabelALine) {
    Show(6, QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"), 0);
    Act(*w, QStringLiteral("OnetimeNoteDurationforSelection1"))->trigger();
    ASSERT_EQ(ts.messages.Count(), 1);
    EXPECT_EQ(ts.messages.Shown()[0].text, QStringLiteral("No notes are selected for duration change."));
    Lines().SelectLines(0, 0);
    Drive([](platform::ModalDialog &d) { Click(d, QStringLiteral("BitBtnCancel")); });
    Act(*w, QStringLiteral("OnetimeNoteDurationforSelection1"))->trigger();
    Drive([](platform::ModalDialog &d) { Click(d, QStringLiteral("SpeedButtonHalf")); });
    Act(*w, QStringLiteral("NoteDurationSelectorCtrlRMB1"))->trigger();
    ASSERT_EQ(ts.modal.ShownDialogs().size(), 2u);
    EXPECT_EQ(ts.modal.ShownDialogs()[0].caption, QStringLiteral("Select Temporary Note Duration"));
    EXPECT_EQ(Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, H"));

    // The label beside the duration buttons: once for the caret line, only when there are lines.
    Lines().MoveCaretToLine(0);
    Drive([](platform::ModalDialog &d) { Click(d, QStringLiteral("SpeedButtonSixtyFourth")); });
    QTest::mouseClick(Ctl<QLabel>(*w, "LabelOneTimeNoteSelector"), Qt::LeftButton);
    ASSERT_EQ(ts.modal.ShownDialogs().size(), 3u);
    EXPECT_EQ(ts.modal.ShownDialogs()[2].caption, QStringLiteral("Single Click for Temporary Note Duration"));
    EXPECT_EQ(Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, F"));
    Show(6, QString(), 0);
    QTest::mouseClick(Ctl<QLabel>(*w, "LabelOneTimeNoteSelector"), Qt::LeftButton);
    EXPECT_EQ(ts.modal.ShownDialogs().size(), 3u);
}

} // namespace
