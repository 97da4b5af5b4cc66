// Runs the end-to-end scripts of tools/ against this build: each drives the real program under a
// virtual X display with real keys and clicks and checks what it sounds and saves. A script ends
// with 77 where the display, a tool or the program is missing, and the test is skipped.
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Runs tools/<script> with the build this test belongs to; the script's status and output.
struct TScriptRun {
    int status = -1;
    QString out;
};

TScriptRun RunScript(const char *script) {
    // The test runs from <build>/tests/mainwindow.
    const QString build = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(QLatin1Char('/'), 0, -4);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TW_BUILD_DIR"), build);
    env.insert(QStringLiteral("TW_E2E_NO_BUILD"), QStringLiteral("1"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program runs on the virtual display
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("bash"), {QStringLiteral(TW_SOURCE_DIR "/tools/") + QLatin1String(script)});
    // The scripts take their turns at the display: one may wait for the others first.
    if (!process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
        return {-1, QStringLiteral("the script did not end\n") + QString::fromLocal8Bit(process.readAll())};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

// The script passes and its output holds each of the texts its checks print.
void ExpectPasses(const char *script, const QStringList &texts) {
    const TScriptRun run = RunScript(script);
    if (run.status == 77)
        GTEST_SKIP() << run.out.toStdString();
    EXPECT_EQ(run.status, 0) << run.out.toStdString();
    for (const QString &text : texts)
        EXPECT_TRUE(run.out.contains(text)) << text.toStdString() << " not in:\n" << run.out.toStdString();
}

TEST(PlaybackE2ETest, TheRealProgramPlaysTheSongOnF2IntoTheSynthesizersWav) {
    ExpectPasses("play_e2e.sh", {QStringLiteral("A4: 440 Hz stronger")});
}

TEST(OptionsE2ETest, RecentSongFromTheWelcomeScreenThenTheDeviceSwitchedInTheOptionsPlaysIntoTheWav) {
    ExpectPasses("options_e2e.sh",
                 {QStringLiteral("title: Tarrowind Version 2  -  Play Test.twd"),
                  QStringLiteral("device kept in the settings: 0"), QStringLiteral("A4: 440 Hz stronger")});
}

// tools/mixer_e2e.sh and tools/chords_e2e.sh click at fixed places of a window without a window
// manager, which a loaded machine can make miss; they stay tools to run by hand.

TEST(LineEditE2ETest, TransposeFromTheEditorMenuSavesTheSelectedLinesHalfAStepUp) {
    ExpectPasses("lineedit_e2e.sh", {QStringLiteral("the two selected lines were saved one half step higher")});
}

} // namespace
