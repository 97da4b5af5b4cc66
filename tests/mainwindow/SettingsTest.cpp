#include "dialogs/rules/WelcomeTips.h"
#include "mainwindow/files/SettingsStore.h"

#include "platform/qt/TestServices.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QString Path() const { return dir.filePath(QStringLiteral("Tarrowind Version 2.ini")); }
    void WriteRaw(const QByteArray &ini) {
        QFile f(Path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }

    QTemporaryDir dir;
    platform::ScriptedMessageBoxes messages;
    SettingsDefaults defaults{QStringLiteral("/opt/tw"), QStringLiteral("/home/u/.local/share/Tarrowind")};
};

TEST_F(SettingsTest, FirstRunGivesDefaultsAndFirstExitWritesEverything) {
    SettingsStore store(Path(), messages);
    EXPECT_EQ(store.GetInstalledVersion(), QStringLiteral("0.0"));
    const ProgramOptions o = store.LoadSettings(defaults);
    ProgramOptions expected;
    expected.InstallDir = defaults.installDir;
    expected.WorkDir = defaults.workDir;
    EXPECT_EQ(o, expected);
    EXPECT_EQ(o.MenuTuningName, QStringLiteral("&Custom Tuning - E A D G B E"));

    ASSERT_TRUE(store.SaveSettings(o, true));
    EXPECT_EQ(store.GetInstalledVersion(), QStringLiteral("2.0"));
    const QSettings raw(Path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Midi/Device").toString(), QStringLiteral("-1"));
    EXPECT_EQ(raw.value("Options/ShowHints").toString(), QStringLiteral("1"));
    EXPECT_EQ(raw.value("Font/Color").toString(), QStringLiteral("0"));
    EXPECT_TRUE(raw.contains("Options/LastDir"));
    EXPECT_TRUE(raw.contains("Recent/RecentFile5"));
    EXPECT_EQ(raw.value("Midi/MenuPatchName").toString(), QStringLiteral("  1 Acoustic Grand"));
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(SettingsTest, EveryValueRoundTrips) {
    ProgramOptions o;
    o.InstallDir = QStringLiteral("/usr/share/tarrowind");
    o.ShowChordChartMessage = false;
    o.ShowHints = false;
    o.Lastdir = QStringLiteral("/home/u/songs, old"); // a comma must not split the text
    o.LastFileName = QStringLiteral("/home/u/songs/My Song.twd");
    o.LoadLastFile = false;
    o.ShowNewUserMessage = false;
    o.Prompts = false;
    o.TabPrompt = false;
    o.RecentFiles = {QStringLiteral("&1 a.twd"),         QString(),
                     QStringLiteral("c \"quoted\".twd"), QStringLiteral("d;e.twd"),
                     QStringLiteral("C:\\x\\y.twd"),     QStringLiteral("ü.twd")};
    o.TabDurations = false;
    o.TabMode = false;
    o.MenuPatchName = QStringLiteral(" 25 Steel Guitar");
    o.MenuPatchTag = 25;
    o.MenuTuningName = QStringLiteral("Drop D");
    o.TuningSpelling = QStringLiteral("242424242422");
    o.Device = 3;
    o.TunerNoteDuration = 450;
    o.Charset = 0;
    o.color = 0x0000FF;
    o.Height = -13;
    o.Name = QStringLiteral("DejaVu Sans Mono");
    o.Size = 12;
    o.Style = 8;
    o.WorkDir = QStringLiteral("/w");
    o.DotID = 2;
    o.ScaleRestrictor = false;
    o.ShowMixerAfterFileOpen = false;
    o.LastTip = 38; // within the built-in tips

    SettingsStore store(Path(), messages);
    ASSERT_TRUE(store.SaveSettings(o, true));
    EXPECT_EQ(SettingsStore(Path(), messages).LoadSettings(defaults), o);
}

TEST_F(SettingsTest, DeviceIsKeptWhenChosenForThisSessionOnly) {
    SettingsStore store(Path(), messages);
    ProgramOptions o = store.LoadSettings(defaults);
    o.Device = 2;
    ASSERT_TRUE(store.SaveSettings(o, true));
    o.Device = 5;
    ASSERT_TRUE(store.SaveSettings(o, false));
    EXPECT_EQ(store.LoadSettings(defaults).Device, 2);
}

TEST_F(SettingsTest, MalformedAndOutOfRangeValuesAreChecked) {
    WriteRaw("[Midi]\nDevice=abc\n"
             "[Font]\nSize=500\nStyle=12\nColor=-5\nName=\n"
             "[Options]\nShowHints=0x1\nPrompts=0\nTabPrompt=7\nLastTip=-3\nTunerNoteDuration= 120 \n"
             "[CCOptions]\nDotID=9\n");
    const ProgramOptions o = SettingsStore(Path(), messages).LoadSettings(defaults);
    EXPECT_EQ(o.Device, -1);
    EXPECT_EQ(o.Size, 8);
    EXPECT_EQ(o.Style, 12); // bold italic
    EXPECT_EQ(o.color, 0);
    EXPECT_EQ(o.Name, QStringLiteral("Courier New"));
    EXPECT_TRUE(o.ShowHints); // not a decimal number: default
    EXPECT_FALSE(o.Prompts);
    EXPECT_TRUE(o.TabPrompt); // any number but 0 is true
    EXPECT_EQ(o.LastTip, 0);
    EXPECT_EQ(o.TunerNoteDuration, 120);
    EXPECT_EQ(o.DotID, 0);

    WriteRaw("[Options]\nLastTip=2147483647\n");
    EXPECT_EQ(SettingsStore(Path(), messages).LoadSettings(defaults).LastTip, TipCount(BuiltInTipLines()));

    WriteRaw("[Midi]\nDevice=-7\n[Font]\nSize=1\nStyle=255\n");
    const ProgramOptions p = SettingsStore(Path(), messages).LoadSettings(defaults);
    EXPECT_EQ(p.Device, -1);
    EXPECT_EQ(p.Size, 8);
    EXPECT_EQ(p.Style, 15);
}

TEST_F(SettingsTest, InstalledVersionOfOlderSettings) {
    WriteRaw("[Options]\nShowHints=1\n");
    SettingsStore store(Path(), messages);
    EXPECT_EQ(store.GetInstalledVersion(), QStringLiteral("1.0"));
    WriteRaw("[Version]\nCurrentVersion=\" 1.5 \"\n");
    EXPECT_EQ(store.GetInstalledVersion(), QStringLiteral("1.5"));
    WriteRaw("");
    EXPECT_EQ(store.GetInstalledVersion(), QStringLiteral("0.0"));
}

TEST_F(SettingsTest, WriteFailureIsReportedInAMessageBox) {
    // The settings file would have to live inside a plain file: no way to write it.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(dir.filePath(QStringLiteral("blocker/settings.ini")), messages);
    EXPECT_FALSE(store.SaveSettings(ProgramOptions{}, true));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Shown()[0].kind, platform::TMessageKind::Error);
    EXPECT_TRUE(messages.LastText().contains(QStringLiteral("blocker/settings.ini")));
}

TEST(SettingsParse, NumbersAreDecimalOnly) {
    const struct {
        const char *text;
        int value;
    } cases[] = {{"12", 12},  {" -4 ", -4}, {"+3", 3},           {"", 99}, {"0x10", 99},
                 {"1.5", 99}, {"abc", 99},  {"99999999999", 99}, {"-", 99}};
    for (const auto &c : cases)
        EXPECT_EQ(ParseSettingsInt(QString::fromLatin1(c.text), 99), c.value) << c.text;
    EXPECT_TRUE(ParseSettingsBool(QStringLiteral("-1"), false));
    EXPECT_FALSE(ParseSettingsBool(QStringLiteral("0"), true));
    EXPECT_TRUE(ParseSettingsBool(QStringLiteral("yes"), true));
}

TEST(SettingsPath, LivesInTheUsersConfigFolder) {
    EXPECT_TRUE(DefaultSettingsPath().endsWith(QStringLiteral("/Tarrowind Version 2.ini")));
}

} // namespace
