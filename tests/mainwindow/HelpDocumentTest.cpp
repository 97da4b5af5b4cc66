// The help document: it names every key of the command table, and the build puts it beside the
// program, where a fresh start finds it and Help > Contents shows it.
#include "MainWindowFixture.h"

#include "mainwindow/rules/CommandTable.h"
#include "song/Directives.h"
#include "song/Durations.h"
#include "song/Messages.h"
#include "song/NewSong.h"
#include "song/NoteLine.h"

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

QString Unescape(QString text) {
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

std::string Std(const QString &s) { return Unescape(s).simplified().toStdString(); }

// Every match of `pattern` in `text`, as its captured groups.
std::vector<QStringList> Matches(const QString &text, const QString &pattern) {
    std::vector<QStringList> out;
    for (auto m = QRegularExpression(pattern).globalMatch(text); m.hasNext();)
        out.push_back(m.next().capturedTexts());
    return out;
}

// The context of the first tab of a new song whose kind is named `kind` ("Guitar", "Piano").
TLineContext KindContext(const QString &kind) {
    static TSongModel song;
    static DrumPart drums;
    ResetSongModel(song, drums);
    for (int t = 1; t <= kTabCount; ++t)
        if (KindText(song.Tab(t).Kind) == kind.toStdString())
            return song.LineContext(t);
    ADD_FAILURE() << "no tab of kind " << kind.toStdString();
    return song.LineContext(1);
}

// The help's examples read and sound as its text says: the note lines by the tab kind their block
// names, the directives with the value beside them, the durations with their ticks, the reasons
// given for faulty lines, and the instrument names and words.
TEST(HelpDocument, EveryExampleReadsAndSoundsAsTheTextSays) {
    const QString html = ReadAll(kSource);
    ASSERT_FALSE(html.isEmpty());
    int lines = 0;
    for (const QStringList &pre : Matches(html, QStringLiteral("<pre data-tab=\"(\\w+)\">([^<]*)</pre>"))) {
        const TLineContext ctx = KindContext(pre[1]);
        for (const QString &line : pre[2].split(QLatin1Char('\n'))) {
            const TNoteLine read = ParseNoteLine(Std(line), TDurationUnit::Ticks, ctx);
            EXPECT_TRUE(read.Sounds()) << pre[1].toStdString() << ": " << line.toStdString() << " " << read.Error;
            ++lines;
        }
    }
    EXPECT_GE(lines, 9);

    const TLineContext guitar = KindContext(QStringLiteral("Guitar"));
    int directives = 0;
    for (const QStringList &code : Matches(html, QStringLiteral("<code data-value=\"(-?\\d+)\">([^<]*)</code>"))) {
        const std::string line = Std(code[2]);
        const auto read = ReadDirective(line, guitar);
        ASSERT_TRUE(read) << line;
        // The channel is written 1-based and kept 0-based.
        const int value = read->Kind == TDirective::Channel ? read->Value + 1 : read->Value;
        EXPECT_EQ(value, code[1].toInt()) << line;
        ++directives;
    }
    EXPECT_GE(directives, 20);

    int durations = 0;
    for (const QStringList &code : Matches(html, QStringLiteral("<code data-ticks=\"(\\d+)\">([^<]*)</code>"))) {
        EXPECT_EQ(DurationLength(Std(code[2]), TDurationUnit::Ticks), code[1].toInt()) << code[2].toStdString();
        ++durations;
    }
    // The table: letter, name, ticks, dotted and its ticks, triplet and its ticks.
    const QString cell = QStringLiteral("<td><code>([^<]+)</code> (\\d+)</td>");
    for (const QStringList &row :
         Matches(html, QStringLiteral("<tr><td><code>(\\w)</code></td><td>[^<]*</td><td>(\\d+)</td>") + cell + cell)) {
        for (int i : {1, 3, 5})
            EXPECT_EQ(DurationLength(Std(row[i]), TDurationUnit::Ticks), row[i + 1].toInt()) << row[i].toStdString();
        ++durations;
    }
    EXPECT_GE(durations, 7 + 6);

    const QString errors =
        html.section(QStringLiteral("<table id=\"line-errors\""), 1).section(QStringLiteral("</table>"), 0, 0);
    int faulty = 0;
    for (const QStringList &row :
         Matches(errors, QStringLiteral("<tr><td><code>([^<]*)</code></td><td>([^<]*)</td></tr>"))) {
        std::string reason = ParseNoteLine(Std(row[1]), TDurationUnit::Ticks, guitar).Error;
        if (reason.ends_with(msg::kFixSuffix))
            reason.resize(reason.size() - msg::kFixSuffix.size());
        EXPECT_EQ(reason, Std(row[2])) << row[1].toStdString();
        ++faulty;
    }
    EXPECT_GE(faulty, 3);

    const QString names =
        html.section(QStringLiteral("<table id=\"gm-names\">"), 1).section(QStringLiteral("</table>"), 0, 0);
    int programs = 0;
    for (const QStringList &entry : Matches(names, QStringLiteral("<td>(\\d+)</td><td>([^<]+)</td>"))) {
        EXPECT_EQ(InstrumentFromName(Std(entry[2])), std::optional<int>(entry[1].toInt())) << entry[2].toStdString();
        ++programs;
    }
    EXPECT_EQ(programs, 128);
    const QString words =
        html.section(QStringLiteral("<p id=\"instrument-words\">"), 1).section(QStringLiteral("</p>"), 0, 0);
    for (const QStringList &word : Matches(words, QStringLiteral("<code>([^<]+)</code>")))
        EXPECT_TRUE(InstrumentFromName(Std(word[1]))) << word[1].toStdString();
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
