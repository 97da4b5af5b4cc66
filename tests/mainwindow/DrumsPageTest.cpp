// The Drums tab shows its own page in place of the editor and the instrument picture,
// and nothing typed while it shows reaches its lines, its modified mark or the saved song.
#include "MainWindowFixture.h"

#include "mainwindow/live/InstrumentPicture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

namespace {

class DrumsPageTest : public ShownMainWindowTest {
protected:
    QGroupBox *Group(const char *name) {
        auto *g = w->findChild<QGroupBox *>(QString::fromLatin1(name));
        EXPECT_NE(g, nullptr) << name;
        return g;
    }
};

TEST_F(DrumsPageTest, DrumsTabShowsItsGroupsInPlaceOfTheEditorAndPicture) {
    QGroupBox *patterns = Group("GroupBoxDrumPatterns");
    QGroupBox *grid = Group("GroupBoxPatternProperties");
    ASSERT_TRUE(patterns && grid);
    EXPECT_NE(grid->findChild<QWidget *>(QStringLiteral("StringGridDrums")), nullptr);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(SelectTab(10));
        EXPECT_FALSE(Ctl<QGroupBox>(*w, "grpEditor")->isVisible());
        EXPECT_FALSE(Ctl<TInstrumentPicture>(*w, "PaintBoxInstrument")->isVisible());
        EXPECT_FALSE(Ctl<QLabel>(*w, "LabelSelectPatch")->isVisible()); // no sound to pick
        EXPECT_TRUE(patterns->isVisible());
        EXPECT_TRUE(grid->isVisible());
        // Sized like the groups they stand in for.
        EXPECT_EQ(patterns->geometry(), Ctl<QGroupBox>(*w, "grpEditor")->geometry());
        EXPECT_EQ(grid->geometry(), Ctl<TInstrumentPicture>(*w, "PaintBoxInstrument")->geometry());
        EXPECT_GT(patterns->height(), 0);
        EXPECT_GT(grid->height(), 0);

        ASSERT_TRUE(SelectTab(round == 0 ? 1 : 6));
        EXPECT_TRUE(Ctl<QGroupBox>(*w, "grpEditor")->isVisible());
        EXPECT_TRUE(Ctl<TNotationEdit>(*w, "RichEdit1")->isVisible());
        EXPECT_TRUE(Ctl<TInstrumentPicture>(*w, "PaintBoxInstrument")->isVisible());
        EXPECT_TRUE(Ctl<QLabel>(*w, "LabelSelectPatch")->isVisible());
        EXPECT_FALSE(patterns->isVisible());
        EXPECT_FALSE(grid->isVisible());
    }
}

TEST_F(DrumsPageTest, NothingTypedOnTheDrumsTabIsStoredMarkedOrSaved) {
    ASSERT_TRUE(SelectTab(6));
    w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    w->activateWindow();
    Ctl<TNotationEdit>(*w, "RichEdit1")->setFocus();
    ASSERT_EQ(w->focusWidget(), Ctl<TNotationEdit>(*w, "RichEdit1"));

    ASSERT_TRUE(SelectTab(10));
    QWidget *focus = w->focusWidget();
    EXPECT_NE(focus, nullptr);
    EXPECT_FALSE(focus == Ctl<TNotationEdit>(*w, "RichEdit1") ||
                 Ctl<QGroupBox>(*w, "grpEditor")->isAncestorOf(focus)); // the keys go elsewhere
    if (focus)
        QTest::keyClicks(focus, QStringLiteral("C, 3, Q"));
    // Even keys that reach the hidden editor directly are not kept.
    QTest::keyClicks(Ctl<TNotationEdit>(*w, "RichEdit1"), QStringLiteral("typed on the drums tab"));
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Return);
    EXPECT_TRUE(w->Document().Song.Lines(10).empty());
    EXPECT_FALSE(w->AnyTabModified());

    const QString path = dir.filePath(QStringLiteral("drums.twd"));
    ASSERT_TRUE(w->WriteSong(path));
    EXPECT_TRUE(w->Document().Song.Lines(10).empty());
    TSongModel saved;
    DrumPart drums;
    ASSERT_EQ(ReadSongFile(path.toStdString(), saved, drums), TSongReadResult::Ok);
    EXPECT_TRUE(saved.Lines(10).empty());
    EXPECT_EQ(saved.Lines(6), std::vector<std::string>{"C, x, 3, 2, 0, 1, 0, Q"});

    ASSERT_TRUE(SelectTab(6));
    EXPECT_TRUE(w->Document().Song.Lines(10).empty()); // leaving the tab stores nothing either
    EXPECT_FALSE(w->AnyTabModified());
    EXPECT_EQ(w->Lines().Lines(), QStringList{"C, x, 3, 2, 0, 1, 0, Q"});
}

} // namespace

TEST_F(DrumsPageTest, DrumsCaptionIsUpperCaseWhileItHoldsPatterns) {
    auto *tabs = Ctl<TPageControl>(*w, "PageControl1");
    w->Document().Drums.list.Clear();
    w->UpdateTabCaption(10);
    EXPECT_EQ(tabs->Caption(9), QStringLiteral("drums"));
    w->Document().Drums.list.Add("Rock beat");
    w->UpdateTabCaption(10);
    EXPECT_EQ(tabs->Caption(9), QStringLiteral("DRUMS"));
}

TEST_F(DrumsPageTest, TabNameStandsOnceOverThePictureOfNoteTabsOnly) {
    for (int t : {6, 1, 11}) { // guitar, piano, bass
        ASSERT_TRUE(SelectTab(t));
        auto *label = Ctl<QLabel>(*w, "LabelTabName");
        const QWidget *picture = Ctl<QWidget>(*w, "PaintBoxInstrument");
        const QString name = QString::fromStdString(w->Document().Song.Current().Name);
        EXPECT_EQ(label->text(), name) << t;
        EXPECT_TRUE(label->isVisible()) << t;
        EXPECT_EQ(label->geometry().topLeft(), picture->geometry().topLeft()) << t;
        EXPECT_EQ(label->width(), picture->width()) << t;
        // The name stands clear of the head drawn left of the nut (a fourteenth of the width).
        const int textLeft = (label->width() - label->fontMetrics().horizontalAdvance(name)) / 2;
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << t;
        EXPECT_GT(textLeft, picture->width() / 14) << t;
    }
    ASSERT_TRUE(SelectTab(10));
    EXPECT_FALSE(Ctl<QLabel>(*w, "LabelTabName")->isVisible());
}
