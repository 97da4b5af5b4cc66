// The tablature window opened from the View menu: both views, the scroll keys, printing to a
// PDF file, saving and copying the ASCII text, and the one warning for a bar past the limit.
#include "MainWindowFixture.h"

#include "dialogs/Dialogs.h"
#include "dialogs/tablature/FrmTab.h"
#include "mainwindow/window/DialogHandOffs.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

template <class T> T *In(QWidget &window, const char *name) {
    auto *c = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

int PdfPages(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

class TablatureWindowTest : public ShownMainWindowTest {
protected:
    void SetUp() override {
        ShownMainWindowTest::SetUp();
        dialogs = CreateDialogs(ts.Get(), w.get());
        tab = std::make_unique<TfrmTab>(ts.Get(), w.get());
        WireMainDialogs(*w, dialogs, tab.get());
        ASSERT_TRUE(SelectTab(6)); // a guitar tab
    }
    void TearDown() override {
        w->SetDialogs({});
        tab.reset();
        dialogs = TDialogs{};
    }
    // `bars` bars of two chords, the last bar left open as a user would leave it.
    void LoadBars(int bars, int notesPerBar = 2) {
        QString text;
        for (int b = 0; b < bars; ++b) {
            for (int n = 0; n < notesPerBar; ++n)
                text += QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\n");
            if (b + 1 < bars)
                text += QLatin1Char('\n');
        }
        w->Lines().LoadText(text.chopped(1));
    }
    void Open(std::function<void(QWidget &)> look) {
        ts.modal.QueueAnswer([look](platform::ModalDialog &d) {
            look(d);
            return int(platform::mrCancel);
        });
        Act(*w, QStringLiteral("ablature1"))->trigger();
    }

    TDialogs dialogs;
    std::unique_ptr<TfrmTab> tab;
};

TEST_F(TablatureWindowTest, OpensOnTheLastViewClosesTheLastBarAndKeepsTheChoice) {
    LoadBars(2);
    w->Document().Song.SongTitle = "Blues";
    w->Options().TabMode = true;
    QString memo;
    Open([&](QWidget &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("ASCII Tablature"));
        memo = In<QPlainTextEdit>(d, "Memo1")->toPlainText();
        EXPECT_FALSE(In<QWidget>(d, "PaintBox1")->isVisible());
        EXPECT_TRUE(In<QPushButton>(d, "btnSave")->isVisible());
        QTest::mouseClick(In<QRadioButton>(d, "RadioGraphicTab"), Qt::LeftButton);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Tablature"));
        EXPECT_TRUE(In<QWidget>(d, "PaintBox1")->isVisible());
        EXPECT_TRUE(In<QPushButton>(d, "btnPrint")->isVisible());
        EXPECT_FALSE(In<QPushButton>(d, "btnCopy")->isVisible());
    });
    // The open last bar was closed in the editor, so both bars share the first row.
    EXPECT_EQ(w->Lines().LineCount(), 6);
    EXPECT_EQ(w->Lines().Line(5), QString());
    const QStringList lines = memo.split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), 6);
    EXPECT_EQ(lines[2], QString(38, QLatin1Char(' ')) + QStringLiteral("Blues"));
    const QString bar = QString(9, QLatin1Char('-')) + QLatin1Char('0') + QString(9, QLatin1Char('-')) +
                        QLatin1Char('0') + QString(8, QLatin1Char('-')) + QLatin1Char('|');
    EXPECT_EQ(lines[5], QLatin1Char('|') + bar + bar);
    EXPECT_FALSE(w->Options().TabMode); // the graphic view next time
    // Opening again adds no second blank line.
    Open([](QWidget &d) { EXPECT_EQ(d.windowTitle(), QStringLiteral("Tablature")); });
    EXPECT_EQ(w->Lines().LineCount(), 6);
}

TEST_F(TablatureWindowTest, PrintsEveryPageToThePrinter) {
    // Seven rows of two bars fill a page, whatever its size.
    LoadBars(13);
    w->Options().TabMode = false;
    const QString pdf = dir.filePath(QStringLiteral("tab.pdf"));
    ts.print.QueueAnswer(true, pdf);
    ts.print.QueueAnswer(false);
    Open([](QWidget &d) {
        QTest::mouseClick(In<QPushButton>(d, "btnPrint"), Qt::LeftButton);
        QTest::mouseClick(In<QPushButton>(d, "btnPrint"), Qt::LeftButton); // cancelled
    });
    EXPECT_EQ(ts.print.Count(), 2);
    EXPECT_EQ(PdfPages(pdf), 2); // the durations' legend no longer fits under the seventh row
    w->Options().TabDurations = false;
    ts.print.QueueAnswer(true, pdf);
    Open([](QWidget &d) { QTest::mouseClick(In<QPushButton>(d, "btnPrint"), Qt::LeftButton); });
    EXPECT_EQ(PdfPages(pdf), 1);
    LoadBars(15); // the fifteenth bar starts the next page
    ts.print.QueueAnswer(true, pdf);
    Open([](QWidget &d) { QTest::mouseClick(In<QPushButton>(d, "btnPrint"), Qt::LeftButton); });
    EXPECT_EQ(PdfPages(pdf), 2);
}

TEST_F(TablatureWindowTest, SavesAndCopiesTheAsciiText) {
    LoadBars(1);
    w->Options().TabMode = true;
    SetSongName(*w, dir.filePath(QStringLiteral("Song.twd")));
    const QString existing = dir.filePath(QStringLiteral("mine.txt"));
    QFile::remove(existing);
    ts.files.QueuePath(dir.filePath(QStringLiteral("mine.tab")));
    ts.files.QueuePath(dir.filePath(QStringLiteral("mine.tab"))); // now "mine.txt" exists: asked again
    ts.messages.QueueAnswer(platform::mrNo);
    QString memo;
    Open([&](QWidget &d) {
        memo = In<QPlainTextEdit>(d, "Memo1")->toPlainText();
        QTest::mouseClick(In<QPushButton>(d, "btnSave"), Qt::LeftButton);
        QTest::mouseClick(In<QPushButton>(d, "btnSave"), Qt::LeftButton);
        QTest::mouseClick(In<QPushButton>(d, "btnCopy"), Qt::LeftButton);
    });
    ASSERT_EQ(ts.files.Requests().size(), 2u);
    const platform::FileDialogRequest &r = ts.files.Requests()[0].request;
    EXPECT_EQ(r.title, QStringLiteral("Save As ASCII Tablature"));
    EXPECT_EQ(r.fileName, dir.filePath(QStringLiteral("Song.txt")));
    EXPECT_TRUE(r.confirmOverwrite);
    QFile saved(existing);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(QString::fromUtf8(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), memo);
    EXPECT_TRUE(bytes.contains("\r\n"));
    EXPECT_EQ(ts.messages.Texts(),
              (QStringList{existing + QStringLiteral(" already exists.\rDo you want to replace it?"),
                           QStringLiteral("Tab copied to Windows clipboard")}));
    EXPECT_EQ(ts.clipboard.Text(), memo);
}

TEST_F(TablatureWindowTest, ABarPastTheLimitIsWarnedAboutOncePerOpening) {
    LoadBars(1, 40);
    w->Options().TabMode = false;
    for (int opening = 1; opening <= 2; ++opening) {
        Open([](QWidget &d) {
            QCoreApplication::processEvents();
            QTest::mouseClick(In<QRadioButton>(d, "RadioAsciiTab"), Qt::LeftButton);
            In<QWidget>(d, "PaintBox1")->repaint();
            QCoreApplication::processEvents();
            QTest::mouseClick(In<QRadioButton>(d, "RadioGraphicTab"), Qt::LeftButton);
            QCoreApplication::processEvents();
        });
        EXPECT_EQ(ts.messages.Count(), opening);
    }
    EXPECT_EQ(
        ts.messages.LastText(),
        QStringLiteral("Tab Warning: 32 notes per bar limit reached. Use \"Editor/Group Lines By Bar\" command."));
}

TEST_F(TablatureWindowTest, KeysScrollTheViewAndEscCloses) {
    LoadBars(30);
    w->Options().TabMode = false;
    int result = 0;
    ts.modal.QueueAnswer([&](platform::ModalDialog &d) {
        QScrollBar *bar = In<QScrollArea>(d, "ScrollBox")->verticalScrollBar();
        EXPECT_GT(bar->maximum(), 100);
        QWidget *radio = In<QRadioButton>(d, "RadioGraphicTab");
        QTest::keyClick(radio, Qt::Key_PageDown);
        EXPECT_EQ(bar->value(), 50);
        QTest::keyClick(radio, Qt::Key_Down);
        EXPECT_EQ(bar->value(), 60);
        QTest::keyClick(radio, Qt::Key_PageUp);
        EXPECT_EQ(bar->value(), 10);
        QTest::keyClick(radio, Qt::Key_Up); // 10 or less: to the top
        EXPECT_EQ(bar->value(), 0);
        EXPECT_TRUE(In<QRadioButton>(d, "RadioGraphicTab")->isChecked()); // the arrows did not switch views
        QTest::keyClick(radio, Qt::Key_Escape);
        result = static_cast<platform::ModalDialog &>(d).ModalResult();
        return int(platform::mrNone);
    });
    Act(*w, QStringLiteral("ablature1"))->trigger();
    EXPECT_EQ(result, int(platform::mrCancel));
}

} // namespace
