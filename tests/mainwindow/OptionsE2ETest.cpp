// Runs tools/options_e2e.sh: in the real program under a virtual X display, real keys open a
// recent song from the welcome screen, close the song information, switch the output device in
// the options and play; the synthesizer's WAV must hold the song's notes and the settings the
// chosen device. Skipped where the display, xdotool or the program is missing.
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

TEST(OptionsE2ETest, RecentSongFromTheWelcomeScreenThenTheDeviceSwitchedInTheOptionsPlaysIntoTheWav) {
    for (const char *tool : {"xvfb-run", "python3", "xdotool", "import"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    // The test runs from <build>/tests/mainwindow.
    const QString build = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(QLatin1Char('/'), 0, -4);
    if (!QFileInfo(build + QStringLiteral("/app/tarrowind")).isExecutable() ||
        !QFileInfo(build + QStringLiteral("/bench/tw_play_e2e_song")).isExecutable())
        GTEST_SKIP() << "tarrowind and tw_play_e2e_song are not built in " << build.toStdString();
    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TW_BUILD_DIR"), build);
    env.insert(QStringLiteral("TW_E2E_NO_BUILD"), QStringLiteral("1"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program runs on the virtual display
    script.setProcessEnvironment(env);
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral("bash"), {QStringLiteral(TW_SOURCE_DIR "/tools/options_e2e.sh")});
    ASSERT_TRUE(script.waitForFinished(120000));
    const QString out = QString::fromLocal8Bit(script.readAll());
    if (script.exitCode() == 77)
        GTEST_SKIP() << out.toStdString();
    EXPECT_EQ(script.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("title: Tarrowind Version 2  -  Play Test.twd"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("device kept in the settings: 0"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("A4: 440 Hz stronger"))) << out.toStdString();
}

} // namespace
