#include "platform/qt/TestServices.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform;

namespace {

class PlatformQt : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureTestApplication(); }
};

TEST(FilterFromPipes, ConvertsWindowsFilters) {
    const struct {
        const char *in;
        const char *out;
    } cases[] = {
        {"Text Tab files (*.txt)|*.txt|All Files (*.*)|*.*", "Text Tab files (*.txt);;All Files (*)"},
        {"Song files|*.twd;*.tw1", "Song files (*.twd *.tw1)"},
        {"Midi (*.mid)|*.mid|dangling", "Midi (*.mid)"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FilterFromPipes(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(NormaliseLineBreaks, TurnsCarriageReturnsIntoLineBreaks) {
    EXPECT_EQ(NormaliseLineBreaks(QStringLiteral("a\r\rb\r\nc\nd")), QStringLiteral("a\n\nb\nc\nd"));
}

TEST(FindHelpDocument, PrefersInstallFolderThenProgramFolder) {
    QTemporaryDir install, program;
    ASSERT_TRUE(install.isValid() && program.isValid());
    auto touch = [](const QString &path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    EXPECT_TRUE(FindHelpDocument(install.path(), program.path()).isEmpty());
    touch(program.filePath(QStringLiteral("Tarrowind.htm")));
    EXPECT_EQ(FindHelpDocument(install.path(), program.path()), program.filePath(QStringLiteral("Tarrowind.htm")));
    EXPECT_EQ(FindHelpDocument(QString(), program.path()), program.filePath(QStringLiteral("Tarrowind.htm")));
    touch(install.filePath(QStringLiteral("Tarrowind.html")));
    EXPECT_EQ(FindHelpDocument(install.path(), program.path()), install.filePath(QStringLiteral("Tarrowind.html")));
    // A folder named like the document is not a document.
    QDir(install.path()).rename(QStringLiteral("Tarrowind.html"), QStringLiteral("x"));
    QDir(install.path()).mkdir(QStringLiteral("Tarrowind.html"));
    EXPECT_EQ(FindHelpDocument(install.path(), program.path()), program.filePath(QStringLiteral("Tarrowind.htm")));
}

TEST(ScriptedMessageBoxes, RecordsTextsAndAnswersFromQueue) {
    ScriptedMessageBoxes boxes;
    boxes.QueueAnswer(mrNo);
    EXPECT_EQ(boxes.Question(QStringLiteral("Save changes to a.twd?")), mrNo);
    boxes.Warning(QStringLiteral("careful"));
    EXPECT_EQ(boxes.Unscripted(), 0);
    // Unscripted questions take the safe way out and are counted.
    EXPECT_EQ(boxes.Question(QStringLiteral("q1")), mrCancel);
    EXPECT_EQ(boxes.Question(QStringLiteral("q2"), mbYesNo), mrNo);
    EXPECT_EQ(boxes.Unscripted(), 2);
    EXPECT_EQ(boxes.Texts(), (QStringList{"Save changes to a.twd?", "careful", "q1", "q2"}));
    EXPECT_EQ(boxes.Shown()[1].kind, TMessageKind::Warning);
    EXPECT_EQ(boxes.Shown()[1].caption, QStringLiteral("Warning"));
    EXPECT_EQ(boxes.Shown()[0].answer, mrNo);
}

TEST(ScriptedFileDialogs, CancelsWhenNothingQueued) {
    ScriptedFileDialogs files;
    FileDialogRequest r;
    r.title = QStringLiteral("Open");
    files.QueuePath(QStringLiteral("/tmp/a.twd"));
    EXPECT_EQ(files.GetOpenFileName(r), QStringLiteral("/tmp/a.twd"));
    EXPECT_TRUE(files.GetSaveFileName(r).isEmpty());
    ASSERT_EQ(files.Requests().size(), 2u);
    EXPECT_EQ(files.Requests()[1].kind, ScriptedFileDialogs::Kind::Save);
    EXPECT_EQ(files.Requests()[0].request.title, QStringLiteral("Open"));
}

// A dialog that counts its preparation hooks and ends with OK from a button.
class CountingDialog : public ModalDialog {
public:
    using ModalDialog::ModalDialog;
    int shows = 0, activations = 0, deactivations = 0;
    QPushButton *ok = new QPushButton(QStringLiteral("OK"), this);

protected:
    void FormShow() override {
        ++shows;
        setWindowTitle(QStringLiteral("Shown %1").arg(shows));
    }
    void FormActivate() override { ++activations; }
    void FormDeactivate() override { ++deactivations; }
};

TEST_F(PlatformQt, ScriptedModalRunnerAnswersWithoutBlocking) {
    ScriptedModalRunner runner;
    CountingDialog dialog(runner);
    QObject::connect(dialog.ok, &QPushButton::clicked, &dialog, [&] { dialog.SetModalResult(mrOk); });

    EXPECT_EQ(dialog.ShowModal(), mrCancel); // nothing queued
    runner.QueueResult(7);
    EXPECT_EQ(dialog.ShowModal(), 7);
    runner.QueueAnswer([](ModalDialog &d) {
        EXPECT_TRUE(d.isVisible());
        static_cast<CountingDialog &>(d).ok->click();
        return int(mrNone);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.shows, 3);
    EXPECT_EQ(dialog.activations, 3);
    EXPECT_EQ(dialog.deactivations, 3);
    ASSERT_EQ(runner.ShownDialogs().size(), 3u);
    EXPECT_EQ(runner.ShownDialogs()[2].caption, QStringLiteral("Shown 3"));
    EXPECT_EQ(runner.ShownDialogs()[1].result, 7);

    // Showing a dialog that is already showing does not nest.
    int nested = -1;
    runner.QueueAnswer([&](ModalDialog &d) {
        nested = d.ShowModal();
        return int(mrOk);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(nested, mrCancel);
    EXPECT_EQ(dialog.shows, 4);
}

TEST_F(PlatformQt, QtModalRunnerReturnsTheButtonsResult) {
    QtModalRunner runner;
    CountingDialog dialog(runner);
    QTimer::singleShot(0, &dialog, [&] { dialog.SetModalResult(mrYes); });
    EXPECT_EQ(dialog.ShowModal(), mrYes);
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); }); // Esc or the close box
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST_F(PlatformQt, QtMessageBoxMapsButtonsToResults) {
    QtMessageBoxes boxes;
    QString seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(boxes.Question(QStringLiteral("Fix it.\r\rPlease")), mrNo);
    EXPECT_EQ(seen, QStringLiteral("Fix it.\n\nPlease"));
}

TEST_F(PlatformQt, TestServicesWireEveryDouble) {
    TestServices ts;
    const Services &s = ts.Get();
    s.clipboard.SetText(QStringLiteral("line"));
    EXPECT_TRUE(ts.clipboard.HasText());
    s.shell.StartCalculator();
    s.shell.OpenUrl(QStringLiteral("http://example.org"));
    EXPECT_EQ(ts.shell.Requests(), (QStringList{"calculator", "url http://example.org"}));
    s.help.ShowContents(QStringLiteral("/x/Tarrowind.html"));
    s.help.Quit();
    EXPECT_EQ(ts.help.Shown(), QStringList{"/x/Tarrowind.html"});
    EXPECT_EQ(ts.help.Quits(), 1);
}

} // namespace
