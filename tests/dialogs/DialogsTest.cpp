#include "dialogs/Dialogs.h"
#include "dialogs/common/FontStyle.h"

#include "platform/qt/TestServices.h"

#include <QListWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class DialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }
    platform::TestServices services;
};

TEST_F(DialogsTest, CreatedOnceInStartUpOrderWithTheirCaptions) {
    QWidget parent;
    const TDialogs dialogs = CreateDialogs(services.Get(), &parent);
    const struct {
        const char *className;
        const char *caption;
    } expected[] = {
        {"TfrmAbout", "About"},
        {"TfrmOptions", "Program Options"},
        {"TfrmChordCalc", "Tarrowind Chord Calculator"},
        {"TfrmWait", "Calculation in process..."},
        {"TFrmMicroManage", "Set Multiple Durations for Line"},
        {"TFrmEnterTempo", ""},
        {"TfrmEnterTimeSig", ""},
        {"TfrmSelectTuning", "Instrument Tuning Choices"},
        {"TfrmSelectPatch", ""},
        {"TfrmNoteMath", "Note Math"},
        {"TfrmNoteSelect", "Select Current Note Duration"},
        {"TFrmSelectKey", "Single Click To Select Scale Key"},
        {"TfrmSelectChordType", "Single Click to Select Chord Type"},
        {"TfrmSelectPianoChord", "Tarrowind Chord Calculator - Piano Mode"},
        {"TfrmSelectScaleType", "Single Click to Select Scale Type"},
        {"TfrmSelectDrum", ""},
        {"TfrmMixerSummary", "Song Information"},
        {"TfrmWelcome", "Welcome To Tarrowind Version 2"},
        {"Tfrmfind", "Find Text"},
        {"TfrmReplace", "Replace Text"},
        {"TfrmEnterNumber", "Go to line..."},
        {"TfrmInputSingleLine", ""},
    };
    const auto all = dialogs.InOrder();
    ASSERT_EQ(all.size(), std::size(expected));
    for (size_t i = 0; i < all.size(); ++i) {
        ASSERT_NE(all[i], nullptr) << i;
        EXPECT_STREQ(all[i]->metaObject()->className(), expected[i].className) << i;
        EXPECT_EQ(all[i]->windowTitle(), QString::fromUtf8(expected[i].caption)) << expected[i].className;
        EXPECT_EQ(all[i]->parentWidget(), &parent);
        EXPECT_FALSE(all[i]->isVisible());
    }
}

TEST_F(DialogsTest, ShownModallyThroughTheServices) {
    const TDialogs dialogs = CreateDialogs(services.Get());
    QStringList listed;
    services.modal.QueueAnswer([&](platform::ModalDialog &d) {
        const auto *list = d.findChild<QListWidget *>(QStringLiteral("lbWelcomeMRU"));
        for (int i = 0; list && i < list->count(); ++i)
            listed << list->item(i)->text();
        return int(platform::mrOk);
    });
    const QStringList recent{QStringLiteral("/songs/a.twd"), QStringLiteral("/songs/b.twd")};
    // Closed without a choice: nothing to do, even though the result was OK.
    EXPECT_EQ(dialogs.frmWelcome->Ask({recent}).choice, TWelcomeChoice::Close);
    EXPECT_EQ(listed, recent);
    EXPECT_EQ(dialogs.frmAbout->ShowModal(), platform::mrCancel); // nothing queued: closed
    EXPECT_EQ(services.modal.ShownClasses(), (QStringList{"TfrmWelcome", "TfrmAbout"}));
}

TEST_F(DialogsTest, OwnedDialogsGoBeforeTheirParent) {
    auto parent = std::make_unique<QWidget>();
    {
        TDialogs dialogs = CreateDialogs(services.Get(), parent.get());
        EXPECT_EQ(parent->findChildren<platform::ModalDialog *>().size(), 22);
    }
    EXPECT_TRUE(parent->findChildren<platform::ModalDialog *>().isEmpty());
}

} // namespace

namespace {

TEST(FontStyleCode, FourBitsOfBoldItalicUnderlineStrikeOut) {
    EXPECT_EQ(StyleCodeToFontStyles(0), (TFontStyles{}));
    EXPECT_EQ(StyleCodeToFontStyles(8), (TFontStyles{true, false, false, false}));
    EXPECT_EQ(StyleCodeToFontStyles(12), (TFontStyles{true, true, false, false}));
    EXPECT_EQ(StyleCodeToFontStyles(1), (TFontStyles{false, false, false, true}));
    EXPECT_EQ(StyleCodeToFontStyles(10), (TFontStyles{true, false, true, false}));
    EXPECT_EQ(StyleCodeToFontStyles(31), (TFontStyles{true, true, true, true})); // only four bits count
}

} // namespace
