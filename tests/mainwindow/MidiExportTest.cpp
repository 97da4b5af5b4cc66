#include "FileCommandsRig.h"

#include "mainwindow/files/MidiExport.h"
#include "song/SongBuilder.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

class MidiExportTest : public FileRigTest {
protected:
    TPlaySettings settings;
    TMidiExport exporter{rig.Parts({}, [this] { return settings; })};
};

TEST_F(MidiExportTest, TheExportedFileReadsBackWithMidicsv) {
    if (QStandardPaths::findExecutable(QStringLiteral("midicsv")).isEmpty())
        GTEST_SKIP() << "midicsv is not installed (Debian package midicsv)";
    rig.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q", "D, 62, x, x, x, x, x, x, x, x, x, H"};
    rig.song.Lines(6) = {"C, x, 3, x, x, x, x, W"};
    rig.song.Tempo = 90;
    rig.SetFileName(Path("Song.twd"));
    rig.services.files.QueuePath(Path("Song.mid"));
    exporter.SaveMidiOfSong1Click();
    ASSERT_TRUE(QFileInfo::exists(Path("Song.mid"))) << Texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(rig.options.Lastdir, QFileInfo(Path("Song.mid")).absolutePath());

    QProcess csv;
    csv.start(QStringLiteral("midicsv"), {Path("Song.mid")});
    ASSERT_TRUE(csv.waitForFinished(10000));
    ASSERT_EQ(csv.exitCode(), 0);
    QStringList noteOns;
    QString tempo, header;
    for (const QString &line : QString::fromLatin1(csv.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QStringLiteral(", "));
        if (f.size() >= 6 && f[2] == QStringLiteral("Note_on_c") && f[5].trimmed() != QStringLiteral("0"))
            noteOns << f[0] + QLatin1Char(' ') + f[1] + QLatin1Char(' ') + f[3] + QLatin1Char(' ') + f[4];
        if (f.size() >= 4 && f[2] == QStringLiteral("Tempo"))
            tempo = f[3].trimmed();
        if (f.size() >= 6 && f[2] == QStringLiteral("Header"))
            header = f[3] + QLatin1Char(' ') + f[5].trimmed();
    }
    // Track, tick, channel, note: the piano's two notes on channel 0, the guitar's on channel 5.
    EXPECT_EQ(noteOns,
              (QStringList{QStringLiteral("2 0 0 60"), QStringLiteral("2 192 0 62"), QStringLiteral("3 0 5 48")}));
    EXPECT_EQ(tempo, QStringLiteral("666666"));
    EXPECT_EQ(header, QStringLiteral("1 192"));
}

TEST_F(MidiExportTest, AnUntitledSongProposesItsNameWithMidInItsOwnFolder) {
    rig.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    rig.view.CaretLine = 5;
    rig.view.FirstVisibleLine = 2;
    exporter.SaveMidiOfSong1Click(); // cancelled
    const auto &request = rig.services.files.Requests().back().request;
    EXPECT_EQ(request.fileName, QFileInfo(Path("Untitled.mid")).absoluteFilePath());
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("mid"));
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(request.filter, QStringLiteral("Midi files (*.mid);;All Files (*)"));
    EXPECT_EQ(rig.view.CaretLine, 5);
    EXPECT_EQ(rig.view.FirstVisibleLine, 2);
}

TEST_F(MidiExportTest, ASongWithNothingToPlayOrAnErrorIsToldBeforeAFileNameIsAsked) {
    rig.services.files.QueuePath(Path("empty.mid"));
    exporter.SaveMidiOfSong1Click();
    EXPECT_EQ(rig.failingTab, 0);
    rig.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q", "not a note line"};
    exporter.SaveMidiOfSong1Click();
    EXPECT_TRUE(rig.services.files.Requests().empty());
    // A faulty line is named as the play command names it, and shown.
    TMidiData scratch;
    const TBuildResult built = BuildSongMidi(rig.song, rig.drums, settings, scratch);
    ASSERT_EQ(built.Status, TBuildStatus::LineError);
    EXPECT_EQ(Texts(), (QStringList{QString::fromLatin1(kCantCreateMidi), QString::fromStdString(built.Message)}));
    EXPECT_EQ(rig.failingTab, 1);
    EXPECT_EQ(rig.failingLine, 1);
    EXPECT_FALSE(QFileInfo::exists(Path("empty.mid")));
    EXPECT_FALSE(QFileInfo::exists(Path("bad.mid")));
}

TEST_F(MidiExportTest, TheForcedExtensionAsksBeforeReplacingAnotherFile) {
    rig.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    QFile other(Path("take.mid"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("keep");
    other.close();
    rig.services.files.QueuePath(Path("take.midi"));
    rig.services.messages.QueueAnswer(platform::mrNo);
    exporter.SaveMidiOfSong1Click();
    EXPECT_EQ(Texts(), QStringList{ReplaceQuestion(Path("take.mid"))});
    EXPECT_EQ(QFileInfo(Path("take.mid")).size(), 4);
    EXPECT_FALSE(QFileInfo::exists(Path("take.midi")));

    rig.services.files.QueuePath(Path("take.midi"));
    rig.services.messages.QueueAnswer(platform::mrYes);
    exporter.SaveMidiOfSong1Click();
    EXPECT_GT(QFileInfo(Path("take.mid")).size(), 14);
}

TEST_F(MidiExportTest, AWriteThatFailsIsReported) {
    rig.song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    rig.services.files.QueuePath(Path("no folder/x.mid"));
    exporter.SaveMidiOfSong1Click();
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("Save Failed.\n") + Path("no folder/x.mid") +
                                   QStringLiteral(": No such file or directory")});
    EXPECT_TRUE(rig.options.Lastdir.isEmpty());
    // A read-only file is refused and keeps its bytes.
    QFile old(Path("ro.mid"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    old.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    rig.services.files.QueuePath(Path("ro.mid"));
    exporter.SaveMidiOfSong1Click();
    EXPECT_EQ(Texts().last(),
              QStringLiteral("Save Failed.\n") + Path("ro.mid") + QStringLiteral(": The file is read-only."));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

TEST_F(MidiExportTest, SmallCommandsGoToTheShell) {
    exporter.OnlineHelpSite1Click();
    exporter.YouTubeSite1Click();
    exporter.N14Click();
    EXPECT_EQ(rig.services.shell.Requests(),
              (QStringList{QStringLiteral("url ") + QString::fromLatin1(kOnlineHelpAddress),
                           QStringLiteral("url ") + QString::fromLatin1(kVideoAddress), QStringLiteral("editor")}));
    EXPECT_EQ(Texts(), QStringList{});
    rig.services.shell.SetSucceed(false);
    exporter.N14Click();
    EXPECT_EQ(Texts(), QStringList{platform::CouldNotOpenText(QStringLiteral("a text editor"),
                                                              platform::TextEditorCandidates())});
}

} // namespace
