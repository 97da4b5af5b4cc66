// The Drums tab shows its own page in place of the editor and the instrument picture.
#include "MainWindowFixture.h"

#include "mainwindow/InstrumentPicture.h"

#include <QGroupBox>

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
        EXPECT_FALSE(w->grpEditor->isVisible());
        EXPECT_FALSE(w->PaintBoxInstrument->isVisible());
        EXPECT_TRUE(patterns->isVisible());
        EXPECT_TRUE(grid->isVisible());
        // Sized like the groups they stand in for.
        EXPECT_EQ(patterns->geometry(), w->grpEditor->geometry());
        EXPECT_EQ(grid->geometry(), w->PaintBoxInstrument->geometry());
        EXPECT_GT(patterns->height(), 0);
        EXPECT_GT(grid->height(), 0);

        ASSERT_TRUE(SelectTab(round == 0 ? 1 : 6));
        EXPECT_TRUE(w->grpEditor->isVisible());
        EXPECT_TRUE(w->RichEdit1->isVisible());
        EXPECT_TRUE(w->PaintBoxInstrument->isVisible());
        EXPECT_FALSE(patterns->isVisible());
        EXPECT_FALSE(grid->isVisible());
    }
}

} // namespace
