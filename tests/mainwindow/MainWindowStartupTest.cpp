// Start-up, first activation, the close question, drops, Esc and the layout of the main
// window, built offscreen with the scripted services.
#include "MainWindowFixture.h"

#include "dialogs/common/DialogControls.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/window/Commands.h"
#include "mainwindow/window/DialogHandOffs.h"
#include "mainwindow/window/ProgramWindows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

using platform::mrCancel;
using platform::mrNo;
using platform::mrYes;

TEST_F(MainWindowTest, StartsAsAnUntitledSongOnTabOne) {
    TfrmMain &m = Make();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Tarrowind Version 2  -  Untitled.twd"));
    EXPECT_EQ(SongName(m), dir.filePath(QStringLiteral("Untitled.twd")));
    EXPECT_EQ(m.InitialWidth(), 815);
    EXPECT_EQ(m.InitialHeight(), 599);
    EXPECT_EQ(m.MaxFret(), 24);
    EXPECT_TRUE(m.SaveMidiDevice());
    EXPECT_FALSE(m.Activated());
    EXPECT_EQ(m.Document().Song.CurrentTab, 1);
    EXPECT_EQ(Ctl<TPageControl>(m, "PageControl1")->ActivePageIndex(), 0);
    ASSERT_EQ(Ctl<TPageControl>(m, "PageControl1")->PageCount(), 16);
    EXPECT_EQ(Ctl<TPageControl>(m, "PageControl1")->Caption(6), QStringLiteral("guitar 2"));
    EXPECT_EQ(Ctl<TStatusPanels>(m, "StatusBarBottom")->Text(3), QStringLiteral("Insert"));
    EXPECT_TRUE(Ctl<QGroupBox>(m, "GroupBoxMIDIPlay")->isHidden());
    EXPECT_FALSE(Act(m, "Contents1")->isEnabled()); // no help document beside the program
    EXPECT_EQ(ts.messages.Count(), 0);
    EXPECT_EQ(midi.OpenedIds(), std::vector<int>{-1});
}

TEST_F(MainWindowTest, HelpDocumentBesideTheProgramEnablesContentsAndQuitsAtClose) {
    QFile doc(dir.filePath(QStringLiteral("Tarrowind.html")));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    doc.write("<html><body>Contents</body></html>");
    doc.close();
    WriteSetting(QStringLiteral("Options/InstallDir"), dir.filePath(QStringLiteral("nowhere")));
    TfrmMain &m = Make();
    ASSERT_TRUE(Act(m, "Contents1")->isEnabled());
    Act(m, "Contents1")->trigger();
    EXPECT_EQ(ts.help.Shown(), QStringList{QFileInfo(doc).absoluteFilePath()});
    EXPECT_EQ(ts.messages.Count(), 0);
    // No browser to show it in: the user is told which document could not be opened.
    ts.help.SetSucceed(false);
    Act(m, "Contents1")->trigger();
    EXPECT_EQ(ts.messages.Texts(), QStringList{platform::CouldNotOpenText(QStringLiteral("the help document ") +
                                                                          QFileInfo(doc).absoluteFilePath())});
    EXPECT_TRUE(m.close());
    EXPECT_EQ(ts.help.Quits(), 1);
}

TEST_F(MainWindowTest, EveryRowOfTheCommandTableHasAHandler) {
    Make();
    EXPECT_EQ(w->Commands().Unbound(), std::vector<std::string>{});
}

TEST_F(MainWindowTest, ProgramWindowsAreCreatedOnceInTheirOrder) {
    const TMainEnvironment env = Environment(midi);
    TProgramWindows windows = CreateProgramWindows(env);
    const QStringList expected = {
        "TfrmMain",         "TfrmAbout",           "TfrmOptions",          "TfrmChordCalc",
        "TfrmWait",         "TFrmMicroManage",     "TFrmEnterTempo",       "TfrmEnterTimeSig",
        "TfrmSelectTuning", "TfrmSelectPatch",     "TfrmNoteMath",         "TfrmNoteSelect",
        "TFrmSelectKey",    "TfrmSelectChordType", "TfrmSelectPianoChord", "TfrmSelectScaleType",
        "TfrmSelectDrum",   "TfrmMixerSummary",    "TfrmWelcome",          "Tfrmfind",
        "TfrmReplace",      "TfrmEnterNumber",     "TfrmInputSingleLine",  "TfrmTab"};
    QStringList names;
    for (QWidget *w : windows.InOrder())
        names << QString::fromLatin1(w->metaObject()->className());
    EXPECT_EQ(names, expected);
    // The welcome screen is the one the main window shows at its first activation.
    WriteSetting(QStringLiteral("Options/ShowNewUserMessage"), QStringLiteral("1"));
    TProgramWindows again = CreateProgramWindows(env);
    ts.modal.QueueResult(platform::mrCancel);
    again.frmMain->FormActivate();
    ASSERT_EQ(ts.modal.ShownClasses(), QStringList{"TfrmWelcome"});
    ts.modal.QueueResult(platform::mrOk);
    again.frmMain->About1Click();
    EXPECT_EQ(ts.modal.ShownClasses().last(), QStringLiteral("TfrmAbout"));
}

TEST_F(MainWindowTest, OptionsCancelPutsTheEditorFontBack) {
    const TMainEnvironment env = Environment(midi);
    TProgramWindows windows = CreateProgramWindows(env);
    TfrmMain &m = *windows.frmMain;
    ts.modal.QueueAnswer([&](platform::ModalDialog &) {
        QFont preview = Ctl<TNotationEdit>(m, "RichEdit1")->font(); // the dialog previews a big font
        preview.setPointSize(30);
        Ctl<TNotationEdit>(m, "RichEdit1")->setFont(preview);
        return int(platform::mrCancel);
    });
    m.Options1Click();
    EXPECT_EQ(Ctl<TNotationEdit>(m, "RichEdit1")->font().pointSize(), m.Options().Size);
    EXPECT_EQ(ts.modal.ShownClasses(), QStringList{"TfrmOptions"});
}

TEST_F(MainWindowTest, StoredDeviceIsCheckedBeforeThePortOpens) {
    struct Case {
        const char *stored;
        int opened;
    };
    const Case cases[] = {{"1", 1}, {"2", -1}, {"-7", -1}, {"letters", -1}, {"0", 0}};
    for (const auto &c : cases) {
        WriteSetting(QStringLiteral("Midi/Device"), QString::fromLatin1(c.stored));
        midi.Clear();
        platform::RecordingMidiOutSystem fresh({"Synth", "Port A"});
        const TMainEnvironment env = Environment(fresh);
        TfrmMain m(env);
        EXPECT_EQ(fresh.OpenedIds(), std::vector<int>{c.opened}) << c.stored;
        EXPECT_EQ(m.Options().Device, c.opened) << c.stored;
    }
    EXPECT_EQ(ts.messages.Count(), 0);
}

TEST_F(MainWindowTest, EditorFontAndHintsComeFromTheSettings) {
    WriteSetting(QStringLiteral("Font/Size"), QStringLiteral("300"));  // out of range: 8
    WriteSetting(QStringLiteral("Font/Style"), QStringLiteral("28"));  // 16 is no style bit
    WriteSetting(QStringLiteral("Font/Color"), QStringLiteral("255")); // red as 0x00BBGGRR
    WriteSetting(QStringLiteral("Options/ShowHints"), QStringLiteral("0"));
    TfrmMain &m = Make();
    const QFont f = Ctl<TNotationEdit>(m, "RichEdit1")->font();
    EXPECT_EQ(f.pointSize(), 8);
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.italic());
    EXPECT_FALSE(f.underline());
    EXPECT_EQ(Ctl<TNotationEdit>(m, "RichEdit1")->palette().color(QPalette::Text), QColor(255, 0, 0));
    // The first activation shows the untitled song's empty tab (a silver editor): still red.
    m.show();
    m.FormActivate();
    // Every tab's text is shown in that font.
    for (int tab : {1, 6}) {
        if (tab != m.Document().Song.CurrentTab) {
            ASSERT_TRUE(SelectTab(tab));
        }
        EXPECT_EQ(Ctl<TNotationEdit>(m, "RichEdit1")->document()->defaultFont(), f) << tab;
    }
    EXPECT_EQ(Ctl<TNotationEdit>(m, "RichEdit1")->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(Ctl<TNotationEdit>(m, "RichEdit1")->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_TRUE(Ctl<TDurationButtons>(m, "PanelNoteButtons")->btnWholeNote->toolTip().isEmpty());
    EXPECT_FALSE(m.LiveInstrument()->Fretboard().View()->HintsShown); // the pictures' hover hints too
    EXPECT_FALSE(m.LiveInstrument()->Keyboard().View()->HintsShown);
    m.SetHintsVisible(true);
    EXPECT_EQ(Ctl<TDurationButtons>(m, "PanelNoteButtons")->btnWholeNote->toolTip(),
              QStringLiteral("Whole note duration (F5)"));
    EXPECT_TRUE(m.LiveInstrument()->Keyboard().View()->HintsShown);
}

TEST_F(MainWindowTest, NoSoundWarningOnlyWhenNothingOpens) {
    WriteSetting(QStringLiteral("Midi/Device"), QStringLiteral("1"));
    midi.SetFailingIds({1});
    Make();
    EXPECT_EQ(ts.messages.Count(), 0); // the default device plays instead
    EXPECT_EQ(midi.OpenedIds(), std::vector<int>{-1});
    EXPECT_EQ(w->Options().Device, 1); // the choice stays for the next run
    w.reset();
    midi.SetFailingIds({-1, 0, 1});
    Make();
    EXPECT_EQ(ts.messages.Texts(), QStringList{QStringLiteral("Warning: No sound hardware found on this computer.")});
    EXPECT_EQ(w->Options().Device, -1);
}

TEST_F(MainWindowTest, FirstActivationOpensTheCommandLineSong) {
    const QString path = WriteSong(QStringLiteral("My Song.twd"), 6, {"C, x, 3, 2, 0, 1, 0, Q"});
    // The shell split the path at its blank: the words are joined again.
    const QString first = path.left(path.indexOf(QLatin1Char(' ')));
    const QString second = path.mid(path.indexOf(QLatin1Char(' ')) + 1);
    TfrmMain &m = Make({first, second});
    m.FormActivate();
    EXPECT_TRUE(m.Activated());
    EXPECT_EQ(SongName(m), path);
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Tarrowind Version 2  -  My Song.twd"));
    EXPECT_EQ(m.Document().Song.Lines(6), std::vector<std::string>{"C, x, 3, 2, 0, 1, 0, Q"});
    EXPECT_FALSE(m.AnyTabModified());
    m.FormActivate(); // later activations do nothing
    EXPECT_EQ(ts.messages.Count(), 0);
}

TEST_F(MainWindowTest, CommandLineSongOpensAtItsStartWithTheEditorFocusedAndItsMetre) {
    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    song.TimeSignature = "0304";
    song.Tempo = 90;
    song.Lines(1) = {"C, 60, x, x, x, x, x, x, x, x, x, Q", "D, 62, x, x, x, x, x, x, x, x, x, Q",
                     "E, 64, x, x, x, x, x, x, x, x, x, Q"};
    const QString path = dir.filePath(QStringLiteral("waltz.twd"));
    ASSERT_TRUE(WriteSongFile(path.toStdString(), song, drums));
    TfrmMain &m = Make({path});
    m.show();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    m.FormActivate();
    EXPECT_EQ(m.focusWidget(), Ctl<TNotationEdit>(m, "RichEdit1")); // typing reaches the lines at once
    EXPECT_EQ(Ctl<TNotationEdit>(m, "RichEdit1")->textCursor().position(), 0);
    EXPECT_FALSE(m.Lines().HasSelection());
    EXPECT_EQ(Ctl<QLabel>(m, "LabelSigUpper")->text(), QStringLiteral("3"));
    EXPECT_EQ(Ctl<QLabel>(m, "LabelSigLower")->text(), QStringLiteral("4"));
    EXPECT_EQ(Ctl<QLabel>(m, "lblTempo")->text(), QStringLiteral("Tempo: 90"));
    // A new song shows the new song's metre again.
    Act(m, "NewSong1")->trigger();
    EXPECT_EQ(Ctl<QLabel>(m, "LabelSigUpper")->text(), QStringLiteral("4"));
}

TEST_F(MainWindowTest, SaveKeepsTheShownTabsDurationCaretAndSelection) {
    TfrmMain &m = Make();
    m.show();
    m.FormActivate();
    ASSERT_TRUE(SelectTab(6));
    m.Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\nAm, x, 0, 2, 2, 1, 0, Q\n"));
    m.Lines().SelectLines(1, 2);
    Ctl<TDurationButtons>(m, "PanelNoteButtons")->SetDurationControls(5);
    const QString path = dir.filePath(QStringLiteral("kept.twd"));
    ASSERT_TRUE(m.WriteSong(path));
    EXPECT_EQ(m.Document().Song.Tab(6).SavedCaretLine, 1);
    EXPECT_TRUE(m.Document().Song.Tab(6).SavedHasSelection);
    EXPECT_EQ(m.Document().Song.Tab(6).SavedSelLastLine, 2);
    TSongModel read;
    DrumPart drums;
    ASSERT_EQ(ReadSongFile(path.toStdString(), read, drums), TSongReadResult::Ok);
    EXPECT_EQ(read.Tab(6).DurationCode, 5);
    EXPECT_EQ(read.Lines(6).size(), 3u);
}

TEST_F(MainWindowTest, RecentEntriesThatAppearAfterAPlayCanBeChosen) {
    TfrmMain &m = Make();
    m.show();
    m.FormActivate();
    SetPlaying(m, TPlayKind::Song, true);
    EXPECT_FALSE(Act(m, "Recent21")->isEnabled());
    SetPlaying(m, TPlayKind::Song, false);
    const QString first = WriteSong(QStringLiteral("first.twd"), 6, {"E, 0, x, x, x, x, x, Q"});
    const QString second = WriteSong(QStringLiteral("second.twd"), 6, {"A, x, 0, x, x, x, x, Q"});
    for (const QString &path : {first, second}) {
        ts.files.QueuePath(path);
        Act(m, "OpenSong1")->trigger();
    }
    for (const char *name : {"Recent11", "Recent21"}) {
        EXPECT_TRUE(Act(m, QString::fromLatin1(name))->isVisible()) << name;
        EXPECT_TRUE(Act(m, QString::fromLatin1(name))->isEnabled()) << name;
    }
}

TEST_F(MainWindowTest, PlayCaptionsAreGreenBeforeTheFirstPlayAndCountInStopsAtEight) {
    TfrmMain &m = Make();
    for (const char *name : {"BitBtnPlayArrangement", "btnPlayFRT"}) {
        EXPECT_EQ(Ctl<QPushButton>(m, name)->text(), QStringLiteral("Play")) << name;
        EXPECT_EQ(Ctl<QPushButton>(m, name)->palette().color(QPalette::ButtonText), QColor(0, 128, 0)) << name;
    }
    EXPECT_EQ(Ctl<QSpinBox>(m, "EdtCountInbars")->minimum(), 1);
    EXPECT_EQ(Ctl<QSpinBox>(m, "EdtCountInbars")->maximum(), 8);
}

// The count-in bars are usable exactly while Count In is checked (the command state), after a
// click and after New.
TEST_F(MainWindowTest, CountInEditFollowsTheCheckBox) {
    TfrmMain &m = Make();
    auto *countIn = Ctl<QCheckBox>(m, "chkCountIn");
    auto *bars = Ctl<QSpinBox>(m, "EdtCountInbars");
    EXPECT_FALSE(bars->isEnabled());
    countIn->click();
    EXPECT_TRUE(bars->isEnabled());
    countIn->click();
    EXPECT_FALSE(bars->isEnabled());
    countIn->click();
    Act(m, "NewSong1")->trigger();
    EXPECT_FALSE(countIn->isChecked());
    EXPECT_FALSE(bars->isEnabled());
}

// Start-up and New leave the play boxes as a new song has them: only "Loop Pattern" ticked.
TEST_F(MainWindowTest, StartUpAndNewSongResetThePlayBoxes) {
    TfrmMain &m = Make();
    m.show();
    m.FormActivate();
    const std::pair<const char *, bool> rows[] = {
        {"chkMetronome", false}, {"chkCountIn", false}, {"chkLoopAll", false}, {"chkLoopDrumGrid", true}};
    for (const auto &[box, checked] : rows) {
        EXPECT_EQ(Ctl<QCheckBox>(m, box)->isChecked(), checked) << "start-up: " << box;
        Ctl<QCheckBox>(m, box)->setChecked(!checked);
    }
    Act(m, "NewSong1")->trigger();
    for (const auto &[box, checked] : rows)
        EXPECT_EQ(Ctl<QCheckBox>(m, box)->isChecked(), checked) << "New: " << box;
}

TEST_F(MainWindowTest, FirstActivationWithTheWholePathAsOneWord) {
    const QString path = WriteSong(QStringLiteral("Two  Blanks.twd"), 6, {"G, 3, 2, 0, 0, 0, 3, H"});
    TfrmMain &m = Make({path, QStringLiteral("ignored")});
    m.FormActivate();
    EXPECT_EQ(SongName(m), path);
}

TEST_F(MainWindowTest, FirstActivationWithoutAFileStartsUntitledAndMayWelcome) {
    TfrmMain &m = Make({dir.filePath(QStringLiteral("missing.twd"))});
    int welcomes = 0;
    TMainDialogs d;
    d.welcome = [&](const TWelcomeInput &, const TWelcomeCalls &) {
        ++welcomes;
        return TWelcomeResult{TWelcomeChoice::OpenRecent, dir.filePath(QStringLiteral("&gone.twd"))};
    };
    m.SetDialogs(d);
    m.FormActivate();
    EXPECT_EQ(welcomes, 0); // ShowNewUserMessage is off in this settings file
    EXPECT_EQ(SongName(m), dir.filePath(QStringLiteral("Untitled.twd")));

    WriteSetting(QStringLiteral("Options/ShowNewUserMessage"), QStringLiteral("1"));
    TfrmMain &m2 = Make();
    m2.SetDialogs(d);
    m2.FormActivate();
    EXPECT_EQ(welcomes, 1);
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("File not found: ") + dir.filePath(QStringLiteral("&gone.twd")));
    EXPECT_EQ(SongName(m2), dir.filePath(QStringLiteral("Untitled.twd")));
}

TEST_F(MainWindowTest, WelcomeChoicesOpenOrAskForAFile) {
    WriteSetting(QStringLiteral("Options/ShowNewUserMessage"), QStringLiteral("1"));
    const QString recent = WriteSong(QStringLiteral("recent.twd"), 7, {"Am, x, 0, 2, 2, 1, 0, Q"});
    const QString ampersand = WriteSong(QStringLiteral("Rock & Roll.twd"), 7, {"Am, x, 0, 2, 2, 1, 0, Q"});
    using enum TWelcomeChoice;
    struct Case {
        TWelcomeChoice choice;
        QString selected;
        bool asksForFile;
        QString fileName;
    };
    const Case cases[] = {
        {OpenFile, QString(), true, QStringLiteral("Untitled.twd")},
        {OpenRecent, QString(), true, QStringLiteral("Untitled.twd")},     // no entry selected: Open
        {OpenRecent, ampersand, false, QStringLiteral("Rock & Roll.twd")}, // the path as it stands
        {NewSong, recent, false, QStringLiteral("Untitled.twd")},
    };
    for (const auto &c : cases) {
        TfrmMain &m = Make();
        TMainDialogs d;
        d.welcome = [&](const TWelcomeInput &, const TWelcomeCalls &) { return TWelcomeResult{c.choice, c.selected}; };
        m.SetDialogs(d);
        QSignalSpy open(&m, &TfrmMain::OpenSongRequested);
        m.FormActivate();
        EXPECT_EQ(open.count(), c.asksForFile ? 1 : 0) << int(c.choice);
        EXPECT_EQ(QFileInfo(SongName(m)).fileName(), c.fileName) << int(c.choice);
    }
    EXPECT_EQ(ts.messages.Count(), 0);
}

TEST_F(MainWindowTest, CorruptSongIsReportedAndNeverAdopted) {
    const QString bad = dir.filePath(QStringLiteral("bad.twd"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a song at all");
    f.close();
    TfrmMain &m = Make({bad});
    m.FormActivate();
    EXPECT_EQ(ts.messages.Texts(),
              QStringList{QStringLiteral("Decompression failed. Data file appears to be corrupted.")});
    EXPECT_EQ(SongName(m), dir.filePath(QStringLiteral("Untitled.twd")));
}

TEST_F(MainWindowTest, UnreadableSongSaysWhyAndIsNeverAdopted) {
    TfrmMain &m = Make();
    m.FormActivate();
    const QString folder = dir.filePath(QStringLiteral("folder.twd"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.twd")));
    EXPECT_FALSE(m.ReadSong(folder));
    EXPECT_EQ(ts.messages.Texts(),
              QStringList{QStringLiteral("Can't read ") + folder + QStringLiteral(": Is a directory")});
    EXPECT_EQ(SongName(m), dir.filePath(QStringLiteral("Untitled.twd")));
}

// A first-version song opened in the window saves as ".twd" beside it, the old file untouched; the
// editor's Save label pauses with the hourglass, keeping the window alive, and then saves.
TEST_F(MainWindowTest, AFirstVersionSongSavesAsTwdBesideItFromTheSaveLabel) {
    const QString old = WriteSong(QStringLiteral("old.tw1"), 6, {"G, 3, 2, 0, 0, 0, 3, H"});
    QFile oldFile(old);
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = oldFile.readAll();
    oldFile.close();
    TfrmMain &m = Make();
    m.show();
    m.FormActivate();
    ts.files.QueuePath(old);
    Act(m, "OpenSong1")->trigger();
    ASSERT_EQ(SongName(m), old);
    m.Document().Song.Lines(2) = {"C, 60, x, x, x, x, x, x, x, x, x, Q"};
    m.MarkModified();

    bool busyDuringThePause = false;
    QTimer::singleShot(20, &m, [&] { busyDuringThePause = QApplication::overrideCursor() != nullptr; });
    QTest::mouseClick(Ctl<TClickLabel>(m, "LabelSave"), Qt::LeftButton);
    EXPECT_TRUE(busyDuringThePause);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const QString twd = dir.filePath(QStringLiteral("old.twd"));
    EXPECT_EQ(SongName(m), twd);
    EXPECT_TRUE(m.windowTitle().endsWith(QStringLiteral("old.twd"))) << m.windowTitle().toStdString();
    EXPECT_FALSE(m.AnyTabModified());
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(oldFile.readAll(), oldBytes);
    TSongModel back;
    DrumPart drums;
    ResetSongModel(back, drums);
    ASSERT_EQ(ReadSongFile(QFile::encodeName(twd).toStdString(), back, drums), TSongReadResult::Ok);
    EXPECT_EQ(back.Lines(2), std::vector<std::string>{"C, 60, x, x, x, x, x, x, x, x, x, Q"});
    EXPECT_EQ(ts.messages.Count(), 0);
    EXPECT_EQ(ts.files.Requests().size(), 1u); // Save shows no dialog
}

TEST_F(MainWindowTest, SaveAsksBeforeCuttingLinesAndNoLeavesTheSongUnsaved) {
    TfrmMain &m = Make();
    m.FormActivate();
    m.Document().Song.Tab(2).Name = "Piano 2";
    m.Document().Song.Lines(2) = {"C, 60, x, x, x, x, x, x, x, x, x, Q", "arrow \xE2\x86\x92"};
    m.Document().Song.Tab(2).Modified = true;
    const QString path = dir.filePath(QStringLiteral("cut.twd"));

    ts.messages.QueueAnswer(platform::mrNo);
    EXPECT_FALSE(m.WriteSong(path));
    ASSERT_EQ(ts.messages.Count(), 1);
    EXPECT_EQ(ts.messages.Shown().back().buttons, platform::mbYesNo);
    EXPECT_TRUE(ts.messages.LastText().contains(QStringLiteral("Piano 2, line 2\n")))
        << ts.messages.LastText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(m.AnyTabModified());

    ts.messages.QueueAnswer(platform::mrYes);
    EXPECT_TRUE(m.WriteSong(path));
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(m.AnyTabModified());
    EXPECT_EQ(ts.messages.Unscripted(), 0);
}

// ---- closing -------------------------------------------------------------------------------

class CloseTest : public MainWindowTest {
protected:
    void ModifySong() {
        w->show();
        w->FormActivate();
        Ctl<TPageControl>(*w, "PageControl1")->UserSelect(5);
        Ctl<TNotationEdit>(*w, "RichEdit1")->setFocus();
        Ctl<TNotationEdit>(*w, "RichEdit1")->insertPlainText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q"));
        ASSERT_TRUE(w->AnyTabModified());
    }
};

TEST_F(CloseTest, YesSavesThenCloses) {
    Make();
    ModifySong();
    ts.messages.QueueAnswer(mrYes);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(ts.messages.Texts(),
              QStringList{QStringLiteral("Save changes to ") + SongName(*w) + QStringLiteral("?")});
    EXPECT_TRUE(QFile::exists(SongName(*w)));
    EXPECT_EQ(ReadSetting(QStringLiteral("Version/CurrentVersion")), QStringLiteral("2.0"));
}

TEST_F(CloseTest, NoClosesWithoutSaving) {
    Make();
    ModifySong();
    ts.messages.QueueAnswer(mrNo);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(QFile::exists(SongName(*w)));
}

TEST_F(CloseTest, CancelKeepsTheWindowAndClearsStopRequested) {
    Make();
    ModifySong();
    ts.messages.QueueAnswer(mrCancel);
    EXPECT_FALSE(w->close());
    EXPECT_FALSE(w->PlayState().StopRequested);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(ReadSetting(QStringLiteral("Version/CurrentVersion")).isEmpty()); // nothing written
}

TEST_F(CloseTest, YesWithAFailingSaveKeepsTheWindowOpen) {
    Make();
    ModifySong();
    SetSongName(*w, dir.filePath(QStringLiteral("no/such/folder/song.twd")));
    ts.messages.QueueAnswer(mrYes);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(ts.messages.Count(), 2); // the question, then the failure
    EXPECT_EQ(ts.messages.Shown()[1].kind, platform::TMessageKind::Error);
    EXPECT_TRUE(w->AnyTabModified());
    EXPECT_FALSE(w->PlayState().StopRequested);
}

TEST_F(CloseTest, RefusedWhileAnInstrumentPlays) {
    Make();
    SetPlaying(*w, TPlayKind::Instrument, true);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(ts.messages.LastText(), QStringLiteral("Please stop instrument playback before exiting Tarrowind"));
    EXPECT_TRUE(w->PlayState().StopRequested); // the run stops; it clears the flag as it ends
}

TEST_F(CloseTest, CloseDuringANestedLoopWaitsForItToUnwind) {
    Make();
    w->show();
    w->EnterNestedLoop();
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->ClosePending());
    EXPECT_TRUE(w->PlayState().StopRequested);
    EXPECT_TRUE(w->isVisible());
    w->LeaveNestedLoop();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(CloseTest, RecentFilesAndDeviceAreWrittenBack) {
    WriteSetting(QStringLiteral("Recent/RecentFile0"), QStringLiteral("/songs/a.twd"));
    WriteSetting(QStringLiteral("Recent/RecentFile2"), QStringLiteral("/songs/c.twd"));
    WriteSetting(QStringLiteral("Midi/Device"), QStringLiteral("1"));
    Make();
    EXPECT_TRUE(Act(*w, "Recent11")->isVisible());
    EXPECT_FALSE(Act(*w, "Recent21")->isVisible());
    EXPECT_TRUE(Act(*w, "Recent31")->isVisible());
    EXPECT_TRUE(w->close());
    EXPECT_EQ(ReadSetting(QStringLiteral("Recent/RecentFile0")), QStringLiteral("/songs/a.twd"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Recent/RecentFile1")), QString());
    EXPECT_EQ(ReadSetting(QStringLiteral("Recent/RecentFile2")), QStringLiteral("/songs/c.twd"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Midi/Device")), QStringLiteral("1"));
    EXPECT_EQ(midi.OpenCount(), 0); // the port is closed at the end
}

// ---- drops and keys ---------------------------------------------------------------------------

TEST_F(MainWindowTest, DroppedSongFilesOpenByExtensionCaseBlind) {
    const QString upper = WriteSong(QStringLiteral("UP.TWD"), 6, {"C, x, 3, 2, 0, 1, 0, Q"});
    const QString old = WriteSong(QStringLiteral("old.tw1"), 6, {"G, 3, 2, 0, 0, 0, 3, H"});
    TfrmMain &m = Make();
    m.OpenDroppedFile({old});
    EXPECT_EQ(SongName(m), dir.filePath(QStringLiteral("Untitled.twd")));
    m.OpenDroppedFile({dir.filePath(QStringLiteral("missing.twd"))});
    EXPECT_EQ(SongName(m), dir.filePath(QStringLiteral("Untitled.twd")));
    m.OpenDroppedFile({upper, old});
    EXPECT_EQ(SongName(m), upper);
    EXPECT_EQ(ts.messages.Count(), 0);
}

TEST_F(MainWindowTest, DropWhilePlayingAsksButOpensNothing) {
    const QString path = WriteSong(QStringLiteral("drop.twd"), 6, {"C, x, 3, 2, 0, 1, 0, Q"});
    TfrmMain &m = Make();
    m.MarkModified();
    SetPlaying(m, TPlayKind::Song, true);
    ts.messages.QueueAnswer(mrNo);
    m.OpenDroppedFile({path});
    EXPECT_EQ(ts.messages.Count(), 1);
    EXPECT_EQ(SongName(m), dir.filePath(QStringLiteral("Untitled.twd")));
}

TEST_F(MainWindowTest, DropAfterAFailedSaveOpensNothing) {
    const QString path = WriteSong(QStringLiteral("drop.twd"), 6, {"C, x, 3, 2, 0, 1, 0, Q"});
    TfrmMain &m = Make();
    m.MarkModified();
    SetSongName(m, dir.filePath(QStringLiteral("no/folder/x.twd")));
    ts.messages.QueueAnswer(mrYes);
    m.OpenDroppedFile({path});
    EXPECT_EQ(SongName(m), dir.filePath(QStringLiteral("no/folder/x.twd")));
    EXPECT_TRUE(m.AnyTabModified());
}

TEST_F(MainWindowTest, EscSetsAbortAndStopsWhatPlays) {
    TfrmMain &m = Make();
    m.FormKeyDown(Qt::Key_Escape);
    EXPECT_TRUE(m.PlayState().AbortRequested);
    m.PlayState().AbortRequested = false;
    SetPlaying(m, TPlayKind::DrumGrid, true);
    EXPECT_FALSE(m.PlayState().Begin(TPlayKind::Song)); // one thing plays at a time
    m.FormKeyDown(Qt::Key_Escape);
    EXPECT_TRUE(m.PlayState().AbortRequested);
    EXPECT_TRUE(m.PlayState().StopRequested); // the grid's loop ends on it
}

// Shows the window, active, with a guitar line in the editor and the keyboard focus there.
bool ShowWithTheEditorFocused(TfrmMain &m) {
    m.show();
    m.activateWindow();
    if (!QTest::qWaitForWindowActive(&m))
        return false;
    m.FormActivate();
    Ctl<TPageControl>(m, "PageControl1")->UserSelect(5);
    m.Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n"));
    Ctl<TNotationEdit>(m, "RichEdit1")->setFocus();
    return true;
}

TEST_F(MainWindowTest, RealKeysReachTheWindowBeforeItsControls) {
    TfrmMain &m = Make();
    ASSERT_TRUE(ShowWithTheEditorFocused(m));
    QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), Qt::Key_Escape);
    EXPECT_TRUE(m.PlayState().AbortRequested);
    const std::pair<Qt::Key, const char *> keys[] = {{Qt::Key_F5, "W"}, {Qt::Key_F7, "Q"},  {Qt::Key_F8, "E"},
                                                     {Qt::Key_F9, "S"}, {Qt::Key_F10, "T"}, {Qt::Key_F11, "F"},
                                                     {Qt::Key_F6, "H"}};
    for (const auto &[key, letter] : keys) { // each key's duration on the caret line
        QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), key);
        EXPECT_EQ(m.Lines().Line(0), QStringLiteral("C, x, 3, 2, 0, 1, 0, ") + QLatin1String(letter)) << letter;
    }
    QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), Qt::Key_End);
    QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), Qt::Key_F12); // a rest below
    EXPECT_EQ(m.Lines().Line(1), QStringLiteral("Rest , x, x, x, x, x, x, H"));
}

// Every visible control under `parent` lies inside it, clear of its visible neighbours, and
// gets at least the size its text needs (a group's title included). Qt's own parts of
// compound controls are left out, and so are overlays that let clicks through (the tab's name
// written along the top of the picture, cut at the picture's width).
void ExpectNothingOverlapsOrIsCut(const QWidget &parent, const std::string &where) {
    std::vector<const QWidget *> kids;
    for (QObject *o : parent.children()) {
        auto *c = qobject_cast<QWidget *>(o);
        if (c && !c->isWindow() && c->isVisibleTo(parent.window()) &&
            !c->objectName().startsWith(QLatin1String("qt_")) && !c->testAttribute(Qt::WA_TransparentForMouseEvents))
            kids.push_back(c);
    }
    for (size_t i = 0; i < kids.size(); ++i) {
        const QWidget &c = *kids[i];
        const std::string name = where + "/" + c.objectName().toStdString() + ":" + c.metaObject()->className();
        EXPECT_TRUE(parent.rect().contains(c.geometry())) << name;
        const QSize least = c.minimumSizeHint();
        EXPECT_GE(c.width(), least.width()) << name;
        EXPECT_GE(c.height(), least.height()) << name;
        for (size_t j = i + 1; j < kids.size(); ++j)
            EXPECT_FALSE(c.geometry().intersects(kids[j]->geometry()))
                << name << " / " << kids[j]->objectName().toStdString();
        ExpectNothingOverlapsOrIsCut(c, name);
    }
}

// Shown for the first time, the window keeps its start size: the least size is not measured from
// a tab control whose page has not been laid out yet.
TEST_F(MainWindowTest, FirstShownAtItsStartSize) {
    TfrmMain &m = Make();
    m.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(m.size(), QSize(815, 599));
    EXPECT_LE(m.minimumWidth(), 815);
}

TEST_F(MainWindowTest, LayoutHoldsFromTheMinimumSizeToAFullScreen) {
    TfrmMain &m = Make();
    m.show();
    m.FormActivate();
    // Every tab holds text, so every caption is upper case (the widest).
    for (int t = 1; t <= kTabCount; ++t)
        m.Document().Song.Lines(t) = {"C, x, 3, 2, 0, 1, 0, Q"};
    m.PageControl1Change();
    for (int t = 1; t <= kTabCount; ++t)
        m.UpdateTabCaption(t);
    EXPECT_GE(m.minimumWidth(), 500);
    EXPECT_GE(m.minimumHeight(), 380);
    auto *tabs = Ctl<TPageControl>(m, "PageControl1")->TabBar();
    for (const QSize size : {QSize(1, 1), QSize(815, 599), QSize(1200, 900), QSize(1920, 1080)}) {
        m.resize(size); // below the minimum the window keeps its minimum
        for (int t : {1, 2, 6, 7, 12, 15}) {
            ASSERT_TRUE(m.Document().Song.CurrentTab == t || SelectTab(t));
            const int W = m.width(), H = m.height();
            const std::string at = std::to_string(W) + "x" + std::to_string(H) + " tab " + std::to_string(t);
            QCoreApplication::sendPostedEvents(); // the groups' layouts follow the new titles
            m.FormResize();
            ASSERT_EQ(tabs->tabText(t - 1), tabs->tabText(t - 1).toUpper()) << at;
            // The editor takes the group's height but for its bars above and its labels below.
            EXPECT_EQ(Ctl<TNotationEdit>(m, "RichEdit1")->height(),
                      Ctl<QGroupBox>(m, "grpEditor")->height() - 66 - Ctl<QWidget>(m, "PanelEditorLabels")->height())
                << at;
            EXPECT_EQ(Ctl<TStatusPanels>(m, "StatusBarBottom")->width(),
                      Ctl<TNotationEdit>(m, "RichEdit1")->width() - 10)
                << at;
            EXPECT_EQ(Ctl<TStatusPanels>(m, "StatusBarRichEdit")->width(),
                      Ctl<TNotationEdit>(m, "RichEdit1")->width() - 10)
                << at;
            EXPECT_EQ(Ctl<TStatusPanels>(m, "StatusBarBottom")->x(), Ctl<TNotationEdit>(m, "RichEdit1")->x()) << at;
            EXPECT_EQ(Ctl<QWidget>(m, "PanelTop")->height(), (H / 20) * 10) << at;
            // All sixteen tabs show at once, none behind scroll buttons.
            for (int i = 0; i < tabs->count(); ++i)
                EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << at << " tab rect " << i;
            // The mixer stands right under the picture and the page ends just below it.
            const QWidget *mixer = Ctl<QGroupBox>(m, "GroupBoxMixer");
            EXPECT_LE(mixer->parentWidget()->height() - mixer->geometry().bottom(), 12) << at;
            ExpectNothingOverlapsOrIsCut(m, at);
        }
    }
}

} // namespace

TEST_F(MainWindowTest, TheMinimumSizeGrowsWithTheShownTabsTexts) {
    TfrmMain &m = Make();
    m.show();
    m.FormActivate();
    const QSize first = m.minimumSize();
    // A tab with a long name, sound and tuning: the mixer's row needs more room.
    ASSERT_TRUE(SelectTab(7));
    TInstrumentTab &guitar = m.Document().Song.Tab(7);
    guitar.Name = "Twelve String Guitar";
    guitar.PatchName = "Electric Guitar (overdriven) (30)";
    ASSERT_TRUE(SelectTab(1));
    ASSERT_TRUE(SelectTab(7));
    EXPECT_GT(m.minimumWidth(), first.width());
    m.resize(1, 1);                       // the window keeps its minimum
    QCoreApplication::sendPostedEvents(); // the layouts settle
    ExpectNothingOverlapsOrIsCut(m, "long texts");
}

TEST_F(MainWindowTest, MenuKeysFireWithTheFocusInTheEditor) {
    TfrmMain &m = Make();
    TDialogs dialogs = CreateDialogs(ts.Get(), &m);
    WireMainDialogs(m, dialogs);
    ASSERT_TRUE(ShowWithTheEditorFocused(m));
    QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(ts.modal.ShownClasses(), (QStringList{"Tfrmfind", "TfrmReplace", "TfrmEnterNumber"}));
    // The editor keeps its own keys: Ctrl+A selects its text.
    QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(m.Lines().HasSelection());
    // Nothing opens while the song plays.
    SetPlaying(m, TPlayKind::Song, true);
    QTest::keyClick(Ctl<TNotationEdit>(m, "RichEdit1"), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(ts.modal.ShownDialogs().size(), 3u);
    SetPlaying(m, TPlayKind::Song, false);
}
