// The about box: the memory line in the locale's digits, System Info only where a
// system-information program is installed, and the animation that lives while the box is shown.
#include "dialogs/common/InstrumentArt.h"
#include "dialogs/program/FrmAbout.h"

#include "platform/qt/TestServices.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class AboutDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::EnsureTestApplication(); }
    void SetUp() override { savedPath = qgetenv("PATH"); }
    void TearDown() override { qputenv("PATH", savedPath); }
    platform::TestServices services;
    QByteArray savedPath;
};

TEST_F(AboutDialogTest, MemoryLineTakesTheLocalesSeparators) {
    const qint64 kb = 16318480;
    EXPECT_EQ(AboutMemoryText(kb * 1024, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("System Memory:16,318,480 KB"));
    EXPECT_EQ(AboutMemoryText(kb * 1024, QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("System Memory:16.318.480 KB"));
    EXPECT_EQ(AboutMemoryText(1024 * 1024 + 1023, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("System Memory:     1,024 KB"));
}

TEST_F(AboutDialogTest, SystemInfoOnlyWithASystemInformationProgram) {
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    qputenv("PATH", QFile::encodeName(bin.path()));
    {
        TfrmAbout about(services.Get());
        EXPECT_TRUE(about.findChild<QPushButton *>(QStringLiteral("btnMSInfo"))->isHidden());
    }
    QFile tool(QDir(bin.path()).filePath(QStringLiteral("hardinfo")));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    TfrmAbout about(services.Get());
    EXPECT_FALSE(about.findChild<QPushButton *>(QStringLiteral("btnMSInfo"))->isHidden());
    services.modal.QueueAnswer([](platform::ModalDialog &d) {
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("btnMSInfo")), Qt::LeftButton);
        return int(platform::mrOk);
    });
    about.ShowModal();
    EXPECT_EQ(services.shell.Requests(), QStringList{QStringLiteral("program ") + tool.fileName()});
}

TEST_F(AboutDialogTest, AnimationPlaysWhileShownAndCtrlClickOnTheMemoryLineShowsThePicture) {
    TfrmAbout about(services.Get());
    bool running = false, pictureShown = false, versionShown = true;
    QPoint picture;
    services.modal.QueueAnswer([&](platform::ModalDialog &d) {
        TGuitarAnimation *animation = about.Animation();
        running = animation && animation->Running() && animation->isVisible();
        EXPECT_EQ(d.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 2.0"));
        EXPECT_TRUE(
            d.findChild<QLabel *>(QStringLiteral("lblSWWarning"))->text().startsWith(QStringLiteral("System Memory:")));
        // A plain click does nothing; with Ctrl alone the picture takes the animation's turn.
        QTest::mouseClick(d.findChild<QLabel *>(QStringLiteral("lblSWWarning")), Qt::LeftButton, Qt::ShiftModifier);
        EXPECT_TRUE(animation->Running());
        QTest::mouseClick(d.findChild<QLabel *>(QStringLiteral("lblSWWarning")), Qt::LeftButton, Qt::ControlModifier);
        EXPECT_FALSE(animation->Running());
        EXPECT_FALSE(animation->isVisible());
        auto *image = d.findChild<QWidget *>(QStringLiteral("Image1"));
        pictureShown = image->isVisible();
        picture = image->pos();
        versionShown = d.findChild<QLabel *>(QStringLiteral("lblVersion"))->isVisible();
        return int(platform::mrOk);
    });
    about.ShowModal();
    EXPECT_TRUE(running);
    EXPECT_TRUE(pictureShown);
    EXPECT_EQ(picture, QPoint(64, 128));
    EXPECT_FALSE(versionShown);
    EXPECT_EQ(about.Animation(), nullptr); // freed when the box closed
    // The next showing starts as the first did.
    services.modal.QueueAnswer([&](platform::ModalDialog &d) {
        running = about.Animation() && about.Animation()->Running();
        pictureShown = d.findChild<QWidget *>(QStringLiteral("Image1"))->isVisible();
        versionShown = d.findChild<QLabel *>(QStringLiteral("lblVersion"))->isVisible();
        return int(platform::mrOk);
    });
    about.ShowModal();
    EXPECT_TRUE(running);
    EXPECT_FALSE(pictureShown);
    EXPECT_TRUE(versionShown);
}

TEST(InstrumentArt, EveryPictureDrawsSomethingOfItsOwn) {
    platform::EnsureTestApplication();
    std::vector<QImage> drawn;
    for (TArt art : {TArt::Logo, TArt::Piano, TArt::Mandolin, TArt::Uke, TArt::Banjo, TArt::Bass, TArt::Tenor,
                     TArt::Guitar, TArt::Tip}) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        PaintArt(p, QRectF(0, 0, 200, 100), art);
        p.end();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += image.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(inked, 1500) << int(art);
        for (const QImage &other : drawn)
            EXPECT_NE(image, other) << int(art);
        drawn.push_back(image);
    }
}

} // namespace
