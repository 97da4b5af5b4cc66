// The options dialog: the device list, the font preview, OK, the session-only device, Cancel
// and the panic button, each driven through its controls while the dialog is shown.
#include "dialogs/common/DialogControls.h"
#include "dialogs/program/FrmOptions.h"

#include "platform/qt/TestServices.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

template <typename T> T *Child(QWidget &dialog, const char *name) {
    T *child = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class OptionsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }

    std::optional<TOptionsResult> AskDriven(const ProgramOptions &options, std::function<int(QWidget &)> drive) {
        services.modal.QueueAnswer([drive](platform::ModalDialog &d) { return drive(d); });
        TOptionsCalls calls;
        calls.PreviewFont = [this](int size, int style, int color) { previews.emplace_back(size, style, color); };
        calls.Panic = [this] { ++panics; };
        return dialog.Ask({options, {QStringLiteral("Synth"), QStringLiteral("Port A")}}, calls);
    }
    static int Click(QWidget &d, const char *button) {
        QTest::mouseClick(Child<QPushButton>(d, button), Qt::LeftButton);
        return platform::mrNone;
    }

    platform::TestServices services;
    TfrmOptions dialog{services.Get()};
    std::vector<std::tuple<int, int, int>> previews;
    int panics = 0;
};

TEST_F(OptionsDialogTest, OkTakesTheDeviceFontAndSwitches) {
    ProgramOptions o;
    o.Device = 1;
    o.Size = 10;
    o.Style = 4; // italic from the settings: no box for it, so it stays
    o.color = 0x0000FF;
    o.ShowHints = true;
    o.ScaleRestrictor = true;
    o.ShowNewUserMessage = true;
    QStringList listed;
    int shownRow = -2;
    const auto result = AskDriven(o, [&](QWidget &d) {
        auto *list = Child<QListWidget>(d, "ListBoxMidiDevices");
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        shownRow = list->currentRow();
        list->setCurrentRow(0);
        QTest::mouseClick(Child<QCheckBox>(d, "chkBold"), Qt::LeftButton);
        QTest::mouseClick(Child<TUpDown>(d, "UpDownfontsize")->UpButton(), Qt::LeftButton);
        Child<QCheckBox>(d, "chkHints")->setChecked(false);
        Child<QCheckBox>(d, "chkScaleRestrictor")->setChecked(false);
        Child<QCheckBox>(d, "chkDisplayWelcomeScreen")->setChecked(false);
        return Click(d, "BitBtnOK");
    });
    EXPECT_EQ(listed, (QStringList{"System Default (Midi Mapper)", "Synth", "Port A"}));
    EXPECT_EQ(shownRow, 2);
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->saveMidiDevice);
    ProgramOptions expected = o;
    expected.Device = -1;
    expected.Style = 12;
    expected.Size = 11;
    expected.ShowHints = false;
    expected.ScaleRestrictor = false;
    expected.ShowNewUserMessage = false;
    EXPECT_EQ(result->options, expected);
    // The editor showed each change at once, in the stored colour.
    EXPECT_EQ(previews, (std::vector<std::tuple<int, int, int>>{{10, 12, 0xFF}, {11, 12, 0xFF}}));
}

TEST_F(OptionsDialogTest, SessionOnlyTakesTheDeviceAlone) {
    ProgramOptions o;
    o.Device = -1;
    const auto result = AskDriven(o, [&](QWidget &d) {
        Child<QListWidget>(d, "ListBoxMidiDevices")->setCurrentRow(2);
        QTest::mouseClick(Child<QCheckBox>(d, "chkBold"), Qt::LeftButton);
        Child<QCheckBox>(d, "chkHints")->setChecked(false);
        return Click(d, "BitBtnUseMidiDeviceForThisSessionOnly");
    });
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->saveMidiDevice);
    ProgramOptions expected = o;
    expected.Device = 1;
    EXPECT_EQ(result->options, expected);
}

TEST_F(OptionsDialogTest, NoRowChosenKeepsTheDevice) {
    ProgramOptions o;
    o.Device = 5; // not among the devices: no row stands for it
    int shownRow = 0;
    const auto result = AskDriven(o, [&](QWidget &d) {
        shownRow = Child<QListWidget>(d, "ListBoxMidiDevices")->selectedItems().size();
        return Click(d, "BitBtnOK");
    });
    EXPECT_EQ(shownRow, 0);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->options.Device, 5);
}

TEST_F(OptionsDialogTest, DefaultPreviewsPlainBlackEightAndOkKeepsTheColour) {
    ProgramOptions o;
    o.Size = 200;
    o.Style = 12;
    o.color = 0x00FF00;
    const auto result = AskDriven(o, [&](QWidget &d) {
        // The up-down stops at 200.
        QTest::mouseClick(Child<TUpDown>(d, "UpDownfontsize")->UpButton(), Qt::LeftButton);
        EXPECT_EQ(Child<QLineEdit>(d, "EditFontSize")->text(), QStringLiteral("200"));
        Click(d, "BitBtnDefaultFont");
        EXPECT_EQ(Child<QLineEdit>(d, "EditFontSize")->text(), QStringLiteral("8"));
        EXPECT_FALSE(Child<QCheckBox>(d, "chkBold")->isChecked());
        return Click(d, "BitBtnOK");
    });
    EXPECT_EQ(previews, (std::vector<std::tuple<int, int, int>>{{8, 0, 0}}));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->options.Size, 8);
    EXPECT_EQ(result->options.Style, 0);
    EXPECT_EQ(result->options.color, 0x00FF00);
}

TEST_F(OptionsDialogTest, CancelAndEscGiveNothingPanicKeepsTheDialogOpen) {
    ProgramOptions o;
    const auto cancelled = AskDriven(o, [&](QWidget &d) {
        Click(d, "BitBtn1");
        EXPECT_TRUE(d.isVisible());
        Child<QLineEdit>(d, "EditFontSize")->setText(QStringLiteral("30"));
        QTest::keyClicks(Child<QLineEdit>(d, "EditFontSize"), QStringLiteral("0")); // 300: out of range
        return Click(d, "BitBtnCancel");
    });
    EXPECT_EQ(panics, 1);
    EXPECT_EQ(cancelled, std::nullopt);
    EXPECT_TRUE(previews.empty());
    const auto escaped = AskDriven(o, [&](QWidget &d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        return platform::mrNone;
    });
    EXPECT_EQ(escaped, std::nullopt);
}

} // namespace
