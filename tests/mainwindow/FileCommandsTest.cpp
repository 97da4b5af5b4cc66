#include "FileCommandsRig.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class FileCommandsTest : public FileRigTest {
protected:
    FileCommandsTest() {
        for (int i = 0; i < kRecentCount; ++i) {
            actions[size_t(i)] = std::make_unique<QAction>();
            items[size_t(i)] = actions[size_t(i)].get();
        }
        commands = std::make_unique<TFileCommands>(rig.Parts({.RecentItems = items}));
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
        rig.song.Lines(1) = {"edited"};
        rig.song.Tab(1).Modified = true;
    }

    std::array<std::unique_ptr<QAction>, kRecentCount> actions;
    std::array<QAction *, kRecentCount> items{};
    std::unique_ptr<TFileCommands> commands;
};

const std::string kLine = "C, 60, x, x, x, x, x, x, x, x, x, Q";

TEST_F(FileCommandsTest, NewOpenAndRecentAskNothingWhileNothingIsModified) {
    const QString song = MakeSong("a.twd", kLine);
    rig.options.RecentFiles[0] = song;
    commands->NewSong1Click();
    rig.services.files.QueuePath(song);
    commands->OpenSong1Click();
    commands->RecentClick(0);
    EXPECT_EQ(rig.services.messages.Count(), 0);
    EXPECT_EQ(rig.reads, 2);
}

TEST_F(FileCommandsTest, TheSaveQuestionOnNew) {
    // Cancel: nothing changes.
    Modify();
    const QString untitled = rig.FileName();
    rig.services.messages.QueueAnswer(platform::mrCancel);
    commands->NewSong1Click();
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("Save changes to ") + untitled + QStringLiteral("?")});
    EXPECT_EQ(rig.song.Lines(1), std::vector<std::string>{"edited"});
    EXPECT_TRUE(rig.AnyTabModified());
    // No: the song goes.
    rig.services.messages.QueueAnswer(platform::mrNo);
    commands->NewSong1Click();
    EXPECT_TRUE(rig.song.Lines(1).empty());
    EXPECT_FALSE(QFileInfo::exists(untitled));
    // Yes on an untitled song: saved under its untitled name in the per-user folder first.
    Modify();
    rig.services.messages.QueueAnswer(platform::mrYes);
    commands->NewSong1Click();
    EXPECT_TRUE(QFileInfo::exists(untitled));
    EXPECT_EQ(QFileInfo(untitled).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(rig.song.Lines(1).empty());
}

TEST_F(FileCommandsTest, AFailedSaveCountsAsCancel) {
    Modify();
    rig.SetFileName(Path("no such folder/song.twd"));
    const QString song = MakeSong("b.twd", kLine);
    rig.options.RecentFiles[0] = song;
    for (const auto &command : std::vector<std::function<void()>>{[&] { commands->NewSong1Click(); },
                                                                  [&] {
                                                                      rig.services.files.QueuePath(song);
                                                                      commands->OpenSong1Click();
                                                                  },
                                                                  [&] { commands->RecentClick(0); }}) {
        rig.services.messages.QueueAnswer(platform::mrYes);
        command();
        EXPECT_EQ(rig.song.Lines(1), std::vector<std::string>{"edited"});
        EXPECT_EQ(rig.FileName(), Path("no such folder/song.twd"));
    }
    EXPECT_EQ(rig.reads, 0);
    EXPECT_EQ(rig.services.files.Requests().size(), 0u); // Open stopped before its dialog
}

TEST_F(FileCommandsTest, OpenReadsTheSongUnderItsAbsoluteNameAndListsIt) {
    const QString song = MakeSong("c.twd", kLine);
    rig.options.Lastdir = dir.path();
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    rig.services.files.QueuePath(QStringLiteral("c.twd")); // a relative answer
    commands->OpenSong1Click();
    QDir::setCurrent(old);
    EXPECT_EQ(rig.FileName(), QFileInfo(song).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(rig.FileName()).isAbsolute());
    EXPECT_EQ(rig.song.Lines(1), std::vector<std::string>{kLine});
    EXPECT_EQ(rig.options.RecentFiles[0], rig.FileName());
    EXPECT_EQ(rig.options.Lastdir, QFileInfo(song).absolutePath());
    EXPECT_EQ(rig.options.LastFileName, rig.FileName());
    const auto &request = rig.services.files.Requests().back().request;
    EXPECT_EQ(request.directory, dir.path());
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("twd"));
    EXPECT_TRUE(
        request.filter.startsWith(QStringLiteral("Tarrowind Files (*.twd);;Tarrowind Version 1 Files (*.tw1)")));
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_FALSE(items[1]->isVisible());
}

TEST_F(FileCommandsTest, AMissingOrCorruptFileIsNeverOpenedNorNamed) {
    const QString before = rig.FileName();
    rig.song.Lines(1) = {"kept"};
    rig.services.files.QueuePath(Path("gone.twd"));
    commands->OpenSong1Click();
    EXPECT_EQ(Texts().last(), Path("gone.twd") + QStringLiteral(" doesn't exist!"));

    QFile bad(Path("bad.twd"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is no deflate stream");
    bad.close();
    rig.services.files.QueuePath(Path("bad.twd"));
    commands->OpenSong1Click();
    EXPECT_EQ(Texts().mid(1),
              (QStringList{QString::fromLatin1(kCorruptSongMessage.data()), QStringLiteral("Open Failed")}));
    EXPECT_EQ(rig.FileName(), before);
    EXPECT_EQ(rig.song.Lines(1), std::vector<std::string>{"kept"});
    EXPECT_TRUE(rig.options.RecentFiles[0].isEmpty());
    EXPECT_TRUE(rig.options.LastFileName.isEmpty());
}

TEST_F(FileCommandsTest, ATextFileInCapitalsFillsTheEditorAndLeavesTheSongsNameAlone) {
    QFile text(Path("CHORDS.TXT"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("G, 3, 2, 0, 0, 0, 3, Q\r\n*Tempo 90\r\rlast\r\n");
    text.close();
    const QString name = rig.FileName();
    rig.services.files.QueuePath(Path("CHORDS.TXT"));
    commands->OpenSong1Click();
    EXPECT_EQ(rig.song.Lines(1), (std::vector<std::string>{"G, 3, 2, 0, 0, 0, 3, Q", "*Tempo 90", "", "last"}));
    EXPECT_EQ(rig.FileName(), name);
    EXPECT_TRUE(rig.options.RecentFiles[0].isEmpty());
    EXPECT_TRUE(rig.options.Lastdir.isEmpty());
    EXPECT_TRUE(rig.song.Tab(1).Modified);
}

TEST_F(FileCommandsTest, AFirstVersionSongSavesAsTwdBesideIt) {
    const QString tw1 = MakeSong("old.tw1", kLine);
    rig.services.files.QueuePath(tw1);
    commands->OpenSong1Click();
    ASSERT_EQ(rig.FileName(), tw1);
    commands->SaveSong1Click();
    EXPECT_EQ(rig.FileName(), Path("old.twd"));
    EXPECT_TRUE(QFileInfo::exists(Path("old.twd")));
    EXPECT_EQ(rig.services.files.Requests().size(), 1u); // Save shows no dialog
}

TEST_F(FileCommandsTest, SaveAsWritesTheChosenFileAndLeavesTheRecentListAlone) {
    rig.song.Lines(1) = {kLine};
    commands->SaveSongAs1Click(); // nothing queued: cancelled
    EXPECT_EQ(rig.writes, 0);
    rig.services.files.QueuePath(Path("new.twd"));
    commands->SaveSongAs1Click();
    EXPECT_EQ(rig.FileName(), Path("new.twd"));
    EXPECT_EQ(rig.options.Lastdir, QFileInfo(Path("new.twd")).absolutePath());
    EXPECT_TRUE(rig.options.RecentFiles[0].isEmpty());
    TSongModel back;
    DrumPart d;
    ResetSongModel(back, d);
    ASSERT_EQ(ReadSongFile(QFile::encodeName(Path("new.twd")).toStdString(), back, d), TSongReadResult::Ok);
    EXPECT_EQ(back.Lines(1), std::vector<std::string>{kLine});
    const auto &request = rig.services.files.Requests().back().request;
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(request.fileName, QFileInfo(Path("Untitled.twd")).absoluteFilePath());
    // A write that fails keeps the song's old name.
    rig.services.files.QueuePath(Path("missing folder/x.twd"));
    commands->SaveSongAs1Click();
    EXPECT_EQ(rig.FileName(), Path("new.twd"));
    EXPECT_TRUE(Texts().last().startsWith(QStringLiteral("Save Failed.\n") + Path("missing folder/x.twd") +
                                          QStringLiteral(": No such file or directory")));
}

TEST_F(FileCommandsTest, ANewSongAsksBeforeReplacingAnEarlierUntitledFile) {
    const QString untitled = MakeSong("Untitled.twd", "earlier");
    ASSERT_EQ(rig.FileName(), untitled);
    rig.song.Lines(1) = {kLine};
    const QString question = ReplaceQuestion(untitled);

    // Save: No keeps the earlier file.
    rig.services.messages.QueueAnswer(platform::mrNo);
    commands->SaveSong1Click();
    EXPECT_EQ(Texts(), QStringList{question});
    EXPECT_EQ(rig.services.messages.Shown().back().buttons, platform::mbYesNo);
    EXPECT_EQ(rig.writes, 0);
    // The save question's Yes asks too, and No there counts as Cancel.
    Modify();
    rig.services.messages.QueueAnswer(platform::mrYes);
    rig.services.messages.QueueAnswer(platform::mrNo);
    commands->NewSong1Click();
    EXPECT_EQ(Texts().last(), question);
    EXPECT_EQ(rig.writes, 0);
    EXPECT_EQ(rig.song.Lines(1), std::vector<std::string>{"edited"});
    // Yes replaces it; from then on it is this song's own file and nothing is asked.
    rig.services.messages.QueueAnswer(platform::mrYes);
    commands->SaveSong1Click();
    EXPECT_EQ(rig.writes, 1);
    const int asked = rig.services.messages.Count();
    commands->SaveSong1Click();
    EXPECT_EQ(rig.writes, 2);
    EXPECT_EQ(rig.services.messages.Count(), asked);
    // A song read from the untitled file saves over it without a question.
    rig.ResetSong();
    ASSERT_TRUE(rig.ReadSong(untitled));
    commands->SaveSong1Click();
    EXPECT_EQ(rig.writes, 3);
    EXPECT_EQ(rig.services.messages.Count(), asked);
    EXPECT_EQ(rig.services.messages.Unscripted(), 0);
}

TEST_F(FileCommandsTest, RecentEntriesKeepTheirAmpersandsAndMissingOnesMoveUpAllTheSame) {
    const QString rock = MakeSong("Rock & Roll.twd", kLine);
    rig.options.RecentFiles = {Path("x.twd"), Path("gone.twd"), rock, QString(), QString(), QString()};
    commands->UpdateRecentMenu();
    EXPECT_EQ(items[2]->text(), Path("Rock && Roll.twd"));
    EXPECT_FALSE(items[3]->isVisible());
    commands->RecentClick(2);
    EXPECT_EQ(rig.FileName(), rock);
    EXPECT_EQ(rig.options.RecentFiles[0], rock);
    EXPECT_EQ(rig.options.RecentFiles[2], Path("x.twd"));
    EXPECT_EQ(rig.services.messages.Count(), 0);

    commands->RecentClick(1);
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("File not found: ") + Path("gone.twd")});
    EXPECT_EQ(rig.FileName(), rock);
    EXPECT_EQ(rig.options.RecentFiles[0], Path("gone.twd"));
    EXPECT_EQ(rig.options.RecentFiles[1], rock);
}

TEST_F(FileCommandsTest, CancelInTheSaveQuestionKeepsTheRecentList) {
    const QString a = MakeSong("a.twd", kLine), b = MakeSong("b.twd", kLine);
    rig.options.RecentFiles = {a, b, QString(), QString(), QString(), QString()};
    Modify();
    rig.services.messages.QueueAnswer(platform::mrCancel);
    commands->RecentClick(1);
    EXPECT_EQ(rig.options.RecentFiles[0], a);
    EXPECT_EQ(rig.reads, 0);
}

TEST_F(FileCommandsTest, TextExportAsksBeforeTheForcedExtensionReplacesAnotherFile) {
    rig.song.Lines(1) = {kLine};
    rig.SetFileName(Path("Blues.twd"));
    rig.view.CaretLine = 3;
    QFile existing(Path("notes.txt"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    rig.services.files.QueuePath(Path("notes.dat"));
    rig.services.messages.QueueAnswer(platform::mrNo);
    commands->TextFile1Click();
    EXPECT_EQ(Texts(), QStringList{ReplaceQuestion(Path("notes.txt"))});
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
    existing.close();
    EXPECT_EQ(rig.services.files.Requests().back().request.fileName, Path("Blues_Piano.txt"));

    rig.services.files.QueuePath(Path("notes.dat"));
    rig.services.messages.QueueAnswer(platform::mrYes);
    commands->TextFile1Click();
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("Piano\r\n\r\n") + QByteArray::fromStdString(kLine) + "\r\n\r\n\r\n\r\n");
    EXPECT_EQ(rig.view.CaretLine, 3);
}

TEST_F(FileCommandsTest, TextExportReportsAWriteThatFails) {
    rig.song.Lines(1) = {kLine};
    rig.services.files.QueuePath(Path("no folder/out.txt"));
    commands->TextFile1Click();
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("Save Failed.\n") + Path("no folder/out.txt") +
                                   QStringLiteral(": No such file or directory")});
}

// The editor panel's Save: a short pause in which the window goes on handling its events,
// then the plain Save, which writes a first-version song as ".twd" beside it.
TEST_F(FileCommandsTest, TheSaveLabelPausesWhileEventsRunAndThenSaves) {
    rig.SetFileName(Path("old.tw1"));
    bool eventHandledDuringThePause = false;
    QTimer::singleShot(20, [&] { eventHandledDuringThePause = rig.writes == 0; });
    QElapsedTimer clock;
    clock.start();
    commands->LabelSaveClick();
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_TRUE(eventHandledDuringThePause);
    EXPECT_EQ(rig.writes, 1);
    EXPECT_EQ(rig.FileName(), Path("old.twd"));
    EXPECT_TRUE(QFileInfo::exists(Path("old.twd")));
}

TEST(FileNameRulesTest, IsTextImportFile) {
    EXPECT_TRUE(IsTextImportFile(QStringLiteral("/x/A.TXT")));
    EXPECT_TRUE(IsTextImportFile(QStringLiteral("a.Plw")));
    EXPECT_FALSE(IsTextImportFile(QStringLiteral("a.twd")));
    EXPECT_FALSE(IsTextImportFile(QStringLiteral("txt")));
}

} // namespace
