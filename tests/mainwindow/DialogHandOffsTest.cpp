// The main window's hand-offs to the real dialogs, created as the program creates them: each
// opener prepares its dialog, the scripted runner works the dialog's own controls, and the
// window applies what came back.
#include "MainWindowFixture.h"

#include "mainwindow/ProgramWindows.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

template <typename T> T *In(QWidget &dialog, const char *name) {
    T *child = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class DialogHandOffsTest : public MainWindowTest {
protected:
    TfrmMain &MakeProgram(QStringList args = {}) {
        TMainEnvironment env = Environment(midi);
        env.arguments = std::move(args);
        env.programDir = dir.path();
        windows = CreateProgramWindows(env);
        return *windows.frmMain;
    }
    // The next dialog runs `drive`; its own buttons end it.
    void Answer(std::function<void(QWidget &)> drive) {
        ts.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
    }
    static void Click(QWidget &d, const char *button) { QTest::mouseClick(In<QPushButton>(d, button), Qt::LeftButton); }

    TProgramWindows windows;
};

TEST_F(DialogHandOffsTest, WelcomeShowsTheNextTipOpensARecentSongAsItsPathStandsAndKeepsTheChoices) {
    const QString rock = WriteSong(QStringLiteral("Rock & Roll.twd"), 7, {"Am, x, 0, 2, 2, 1, 0, Q"});
    WriteSetting(QStringLiteral("Options/ShowNewUserMessage"), QStringLiteral("1"));
    WriteSetting(QStringLiteral("Options/ShowMixerAfterFileOpen"), QStringLiteral("0"));
    WriteSetting(QStringLiteral("Options/LastTip"), QStringLiteral("3"));
    WriteSetting(QStringLiteral("Recent/RecentFile0"), dir.filePath(QStringLiteral("older.twd")));
    WriteSetting(QStringLiteral("Recent/RecentFile1"), rock);
    TfrmMain &m = MakeProgram();
    QString counter;
    Answer([&](QWidget &d) {
        counter = In<QLabel>(d, "lblTip")->text();
        In<QListWidget>(d, "lbWelcomeMRU")->setCurrentRow(1);
        In<QCheckBox>(d, "chkDontDisplayWelcomeScreen")->click();
        Click(d, "btnRecent");
    });
    m.FormActivate();
    EXPECT_TRUE(counter.startsWith(QStringLiteral("Tip 4 of "))) << counter.toStdString();
    EXPECT_EQ(m.FileName, rock);
    EXPECT_EQ(m.Song.Lines(7), std::vector<std::string>{"Am, x, 0, 2, 2, 1, 0, Q"});
    EXPECT_EQ(ts.messages.Count(), 0);
    EXPECT_TRUE(m.close());
    EXPECT_EQ(ReadSetting(QStringLiteral("Options/LastTip")), QStringLiteral("4"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Options/ShowNewUserMessage")), QStringLiteral("0"));
}

} // namespace
