#include "FileCommandsTestHost.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class FileCommandsTest : public FileHostTest {
protected:
    FileCommandsTest() {
        for (int i = 0; i < kRecentCount; ++i) {
            actions[size_t(i)] = std::make_unique<QAction>();
            items[size_t(i)] = actions[size_t(i)].get();
        }
        commands = std::make_unique<TFileCommands>(host, items);
    }
    // A song file with one piano line `line`.
    QString MakeSong(const QString &name, const std::string &line) {
        TSongModel s;
        DrumPart d;
        ResetSongModel(s, d);
        s.Lines(1) = {line};
        EXPECT_TRUE(WriteSongFile(QFile::encodeName(Path(name)).toStdString(), s, d));
        return Path(name);
    }
    void Modify() {
        host.song.Lines(1) = {"edited"};
        host.song.Tab(1).Modified = true;
    }

    std::array<std::unique_ptr<QAction>, kRecentCount> actions;
    std::array<QAction *, kRecentCount> items{};
    std::unique_ptr<TFileCommands> commands;
};

const std::string kLine = "C, 60, x, x, x, x, x, x, x, x, x, Q";

TEST_F(FileCommandsTest, NewOpenAndRecentAskNothingWhileNothingIsModified) {
    const QString song = MakeSong("a.twd", kLine);
    host.options.RecentFiles[0] = song;
    commands->NewSong1Click();
    host.services.files.QueuePath(song);
    commands->OpenSong1Click();
    commands->RecentClick(0);
    EXPECT_EQ(host.services.messages.Count(), 0);
    EXPECT_EQ(host.reads, 2);
}

TEST_F(FileCommandsTest, TheSaveQuestionOnNew) {
    // Cancel: nothing changes.
    Modify();
    const QString untitled = host.fileName;
    host.services.messages.QueueAnswer(platform::mrCancel);
    commands->NewSong1Click();
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("Save changes to ") + untitled + QStringLiteral("?")});
    EXPECT_EQ(host.song.Lines(1), std::vector<std::string>{"edited"});
    EXPECT_TRUE(host.AnyTabModified());
    // No: the song goes.
    host.services.messages.QueueAnswer(platform::mrNo);
    commands->NewSong1Click();
    EXPECT_TRUE(host.song.Lines(1).empty());
    EXPECT_FALSE(QFileInfo::exists(untitled));
    // Yes on an untitled song: saved under its untitled name in the per-user folder first.
    Modify();
    host.services.messages.QueueAnswer(platform::mrYes);
    commands->NewSong1Click();
    EXPECT_TRUE(QFileInfo::exists(untitled));
    EXPECT_EQ(QFileInfo(untitled).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(host.song.Lines(1).empty());
}

TEST_F(FileCommandsTest, AFailedSaveCountsAsCancel) {
    Modify();
    host.fileName = Path("no such folder/song.twd");
    const QString song = MakeSong("b.twd", kLine);
    host.options.RecentFiles[0] = song;
    for (const auto &command : std::vector<std::function<void()>>{
             [&] { commands->NewSong1Click(); },
             [&] { host.services.files.QueuePath(song); commands->OpenSong1Click(); },
             [&] { commands->RecentClick(0); }}) {
        host.services.messages.QueueAnswer(platform::mrYes);
        command();
        EXPECT_EQ(host.song.Lines(1), std::vector<std::string>{"edited"});
        EXPECT_EQ(host.fileName, Path("no such folder/song.twd"));
    }
    EXPECT_EQ(host.reads, 0);
    EXPECT_EQ(host.services.files.Requests().size(), 0u); // Open stopped before its dialog
}

TEST_F(FileCommandsTest, OpenReadsTheSongUnderItsAbsoluteNameAndListsIt) {
    const QString song = MakeSong("c.twd", kLine);
    host.options.Lastdir = dir.path();
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    host.services.files.QueuePath(QStringLiteral("c.twd")); // a relative answer
    commands->OpenSong1Click();
    QDir::setCurrent(old);
    EXPECT_EQ(host.fileName, QFileInfo(song).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(host.fileName).isAbsolute());
    EXPECT_EQ(host.song.Lines(1), std::vector<std::string>{kLine});
    EXPECT_EQ(host.options.RecentFiles[0], host.fileName);
    EXPECT_EQ(host.options.Lastdir, QFileInfo(song).absolutePath());
    EXPECT_EQ(host.options.LastFileName, host.fileName);
    const auto &request = host.services.files.Requests().back().request;
    EXPECT_EQ(request.directory, dir.path());
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("twd"));
    EXPECT_TRUE(request.filter.startsWith(QStringLiteral("Tarrowind Files (*.twd);;Tarrowind Version 1 Files (*.tw1)")));
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_FALSE(items[1]->isVisible());
}

TEST_F(FileCommandsTest, AMissingOrCorruptFileIsNeverOpenedNorNamed) {
    const QString before = host.fileName;
    host.song.Lines(1) = {"kept"};
    host.services.files.QueuePath(Path("gone.twd"));
    commands->OpenSong1Click();
    EXPECT_EQ(Texts().last(), Path("gone.twd") + QStringLiteral(" doesn't exist!"));

    QFile bad(Path("bad.twd"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is no deflate stream");
    bad.close();
    host.services.files.QueuePath(Path("bad.twd"));
    commands->OpenSong1Click();
    EXPECT_EQ(Texts().mid(1), (QStringList{QString::fromLatin1(kCorruptSongMessage.data()), QStringLiteral("Open Failed")}));
    EXPECT_EQ(host.fileName, before);
    EXPECT_EQ(host.song.Lines(1), std::vector<std::string>{"kept"});
    EXPECT_TRUE(host.options.RecentFiles[0].isEmpty());
    EXPECT_TRUE(host.options.LastFileName.isEmpty());
}

TEST_F(FileCommandsTest, ATextFileInCapitalsFillsTheEditorAndLeavesTheSongsNameAlone) {
    QFile text(Path("CHORDS.TXT"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("G, 3, 2, 0, 0, 0, 3, Q\r\n*Tempo 90\r\rlast\r\n");
    text.close();
    const QString name = host.fileName;
    host.services.files.QueuePath(Path("CHORDS.TXT"));
    commands->OpenSong1Click();
    EXPECT_EQ(host.song.Lines(1), (std::vector<std::string>{"G, 3, 2, 0, 0, 0, 3, Q", "*Tempo 90", "", "last"}));
    EXPECT_EQ(host.fileName, name);
    EXPECT_TRUE(host.options.RecentFiles[0].isEmpty());
    EXPECT_TRUE(host.options.Lastdir.isEmpty());
    EXPECT_TRUE(host.song.Tab(1).Modified);
}

TEST_F(FileCommandsTest, AFirstVersionSongSavesAsTwdBesideIt) {
    const QString tw1 = MakeSong("old.tw1", kLine);
    host.services.files.QueuePath(tw1);
    commands->OpenSong1Click();
    ASSERT_EQ(host.fileName, tw1);
    commands->SaveSong1Click();
    EXPECT_EQ(host.fileName, Path("old.twd"));
    EXPECT_TRUE(QFileInfo::exists(Path("old.twd")));
    EXPECT_EQ(host.services.files.Requests().size(), 1u); // Save shows no dialog
}

TEST_F(FileCommandsTest, SaveAsWritesTheChosenFileAndLeavesTheRecentListAlone) {
    host.song.Lines(1) = {kLine};
    commands->SaveSongAs1Click(); // nothing queued: cancelled
    EXPECT_EQ(host.writes, 0);
    host.services.files.QueuePath(Path("new.twd"));
    commands->SaveSongAs1Click();
    EXPECT_EQ(host.fileName, Path("new.twd"));
    EXPECT_EQ(host.options.Lastdir, QFileInfo(Path("new.twd")).absolutePath());
    EXPECT_TRUE(host.options.RecentFiles[0].isEmpty());
    TSongModel back;
    DrumPart d;
    ResetSongModel(back, d);
    ASSERT_EQ(ReadSongFile(QFile::encodeName(Path("new.twd")).toStdString(), back, d), ESongReadResult::Ok);
    EXPECT_EQ(back.Lines(1), std::vector<std::string>{kLine});
    const auto &request = host.services.files.Requests().back().request;
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(request.fileName, QFileInfo(Path("Untitled.twd")).absoluteFilePath());
    // A write that fails keeps the song's old name.
    host.services.files.QueuePath(Path("missing folder/x.twd"));
    commands->SaveSongAs1Click();
    EXPECT_EQ(host.fileName, Path("new.twd"));
    EXPECT_TRUE(Texts().last().startsWith(QStringLiteral("Save Failed.\n") + Path("missing folder/x.twd") + QStringLiteral(": No such file or directory")));
}

TEST_F(FileCommandsTest, ANewSongAsksBeforeReplacingAnEarlierUntitledFile) {
    const QString untitled = MakeSong("Untitled.twd", "earlier");
    ASSERT_EQ(host.fileName, untitled);
    host.song.Lines(1) = {kLine};
    const QString question = ReplaceQuestion(untitled);

    // Save: No keeps the earlier file.
    host.services.messages.QueueAnswer(platform::mrNo);
    commands->SaveSong1Click();
    EXPECT_EQ(Texts(), QStringList{question});
    EXPECT_EQ(host.services.messages.Shown().back().buttons, platform::mbYesNo);
    EXPECT_EQ(host.writes, 0);
    // The save question's Yes asks too, and No there counts as Cancel.
    Modify();
    host.services.messages.QueueAnswer(platform::mrYes);
    host.services.messages.QueueAnswer(platform::mrNo);
    commands->NewSong1Click();
    EXPECT_EQ(Texts().last(), question);
    EXPECT_EQ(host.writes, 0);
    EXPECT_EQ(host.song.Lines(1), std::vector<std::string>{"edited"});
    // Yes replaces it; from then on it is this song's own file and nothing is asked.
    host.services.messages.QueueAnswer(platform::mrYes);
    commands->SaveSong1Click();
    EXPECT_EQ(host.writes, 1);
    const int asked = host.services.messages.Count();
    commands->SaveSong1Click();
    EXPECT_EQ(host.writes, 2);
    EXPECT_EQ(host.services.messages.Count(), asked);
    // A song read from the untitled file saves over it without a question.
    host.ResetSong();
    ASSERT_TRUE(host.ReadSong(untitled));
    commands->SaveSong1Click();
    EXPECT_EQ(host.writes, 3);
    EXPECT_EQ(host.services.messages.Count(), asked);
    EXPECT_EQ(host.services.messages.Unscripted(), 0);
}

TEST_F(FileCommandsTest, RecentEntriesKeepTheirAmpersandsAndMissingOnesMoveUpAllTheSame) {
    const QString rock = MakeSong("Rock & Roll.twd", kLine);
    host.options.RecentFiles = {Path("x.twd"), Path("gone.twd"), rock, QString(), QString(), QString()};
    commands->UpdateRecentMenu();
    EXPECT_EQ(items[2]->text(), Path("Rock && Roll.twd"));
    EXPECT_FALSE(items[3]->isVisible());
    commands->RecentClick(2);
    EXPECT_EQ(host.fileName, rock);
    EXPECT_EQ(host.options.RecentFiles[0], rock);
    EXPECT_EQ(host.options.RecentFiles[2], Path("x.twd"));
    EXPECT_EQ(host.services.messages.Count(), 0);

    commands->RecentClick(1);
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("File not found: ") + Path("gone.twd")});
    EXPECT_EQ(host.fileName, rock);
    EXPECT_EQ(host.options.RecentFiles[0], Path("gone.twd"));
    EXPECT_EQ(host.options.RecentFiles[1], rock);
}

TEST_F(FileCommandsTest, CancelInTheSaveQuestionKeepsTheRecentList) {
    const QString a = MakeSong("a.twd", kLine), b = MakeSong("b.twd", kLine);
    host.options.RecentFiles = {a, b, QString(), QString(), QString(), QString()};
    Modify();
    host.services.messages.QueueAnswer(platform::mrCancel);
    commands->RecentClick(1);
    EXPECT_EQ(host.options.RecentFiles[0], a);
    EXPECT_EQ(host.reads, 0);
}

TEST_F(FileCommandsTest, TextExportAsksBeforeTheForcedExtensionReplacesAnotherFile) {
    host.song.Lines(1) = {kLine};
    host.fileName = Path("Blues.twd");
    host.view.CaretLine = 3;
    QFile existing(Path("notes.txt"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    host.services.files.QueuePath(Path("notes.dat"));
    host.services.messages.QueueAnswer(platform::mrNo);
    commands->TextFile1Click();
    EXPECT_EQ(Texts(), QStringList{ReplaceQuestion(Path("notes.txt"))});
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
    existing.close();
    EXPECT_EQ(host.services.files.Requests().back().request.fileName, Path("Blues_Piano.txt"));

    host.services.files.QueuePath(Path("notes.dat"));
    host.services.messages.QueueAnswer(platform::mrYes);
    commands->TextFile1Click();
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("Piano\r\n\r\n") + QByteArray::fromStdString(kLine) + "\r\n\r\n\r\n\r\n");
    EXPECT_EQ(host.view.CaretLine, 3);
}

TEST_F(FileCommandsTest, TextExportReportsAWriteThatFails) {
    host.song.Lines(1) = {kLine};
    host.services.files.QueuePath(Path("no folder/out.txt"));
    commands->TextFile1Click();
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("Save Failed.\n") + Path("no folder/out.txt") +
                                   QStringLiteral(": No such file or directory")});
}

// The editor panel's Save: a short pause in which the window goes on handling its events,
// then the plain Save, which writes a first-version song as ".twd" beside it.
TEST_F(FileCommandsTest, TheSaveLabelPausesWhileEventsRunAndThenSaves) {
    host.fileName = Path("old.tw1");
    bool eventHandledDuringThePause = false;
    QTimer::singleShot(20, [&] { eventHandledDuringThePause = host.writes == 0; });
    QElapsedTimer clock;
    clock.start();
    commands->LabelSaveClick();
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_TRUE(eventHandledDuringThePause);
    EXPECT_EQ(host.writes, 1);
    EXPECT_EQ(host.fileName, Path("old.twd"));
    EXPECT_TRUE(QFileInfo::exists(Path("old.twd")));
}

TEST(FileNameRulesTest, IsTextImportFile) {
    EXPECT_TRUE(IsTextImportFile(QStringLiteral("/x/A.TXT")));
    EXPECT_TRUE(IsTextImportFile(QStringLiteral("a.Plw")));
    EXPECT_FALSE(IsTextImportFile(QStringLiteral("a.twd")));
    EXPECT_FALSE(IsTextImportFile(QStringLiteral("txt")));
}

} // namespace
