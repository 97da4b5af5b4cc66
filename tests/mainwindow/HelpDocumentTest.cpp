// The help document: it names every key of the command table, and the build puts it beside the
// program, where a fresh start finds it and Help > Contents shows it.
#include "MainWindowFixture.h"

#include "mainwindow/rules/CommandTable.h"

#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QRegularExpression>
#include <QSet>

namespace {

QString ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

const QString kSource = QStringLiteral(TW_SOURCE_DIR "/app/Tarrowind.html");

TEST(HelpDocument, NamesEveryShortcutOfTheCommandTable) {
    const QString html = ReadAll(kSource);
    ASSERT_FALSE(html.isEmpty());
    QSet<QString> keys;
    const QRegularExpression kbd(QStringLiteral("<kbd>([^<]+)</kbd>"));
    for (auto m = kbd.globalMatch(html); m.hasNext();)
        keys.insert(QKeySequence(m.next().captured(1)).toString(QKeySequence::PortableText));
    int shortcuts = 0;
    for (const TCommandRow &row : CommandRows()) {
        if (row.shortcut.empty())
            continue;
        ++shortcuts;
        const QString key = QKeySequence(QString::fromLatin1(row.shortcut.data(), qsizetype(row.shortcut.size())))
                                .toString(QKeySequence::PortableText);
        EXPECT_TRUE(keys.contains(key)) << key.toStdString() << " of " << row.name;
    }
    EXPECT_GT(shortcuts, 20);
}

TEST_F(MainWindowTest, BuiltProgramFolderHoldsTheHelpDocumentAndContentsShowsIt) {
    // The test runs from <build>/tests/mainwindow; the program is <build>/app/tarrowind.
    const QString build = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(QLatin1Char('/'), 0, -4);
    const QString programDir = build + QStringLiteral("/app");
    if (!QFileInfo(programDir + QStringLiteral("/tarrowind")).isExecutable())
        GTEST_SKIP() << "the program is not built in " << build.toStdString();
    const QString beside = programDir + QStringLiteral("/Tarrowind.html");
    ASSERT_TRUE(QFileInfo(beside).isFile());
    EXPECT_EQ(ReadAll(beside), ReadAll(kSource));
    // A fresh settings file: the install folder holds no document, the program's folder does.
    TMainEnvironment env = Environment(midi);
    env.programDir = programDir;
    w = std::make_unique<TfrmMain>(env);
    ASSERT_TRUE(Act(*w, "Contents1")->isEnabled());
    Act(*w, "Contents1")->trigger();
    EXPECT_EQ(ts.help.Shown(), QStringList{QFileInfo(beside).absoluteFilePath()});
}

} // namespace
