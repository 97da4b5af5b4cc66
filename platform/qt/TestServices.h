#pragma once
// Test doubles of the Qt platform services. None of them opens a window that waits for
// a user: each records what the program asked for and answers from a queue the test
// filled beforehand.
//
//   platform::TestServices ts;
//   ts.messages.QueueAnswer(platform::mrYes);           // the next box is answered Yes
//   ts.files.QueuePath("/tmp/x/song.twd");              // the next file dialog picks this
//   ts.modal.QueueAnswer([](platform::ModalDialog &d) { // the next dialog: set fields, OK
//       static_cast<TfrmEnterNumber &>(d).Edit1->setText("12");
//       return platform::mrOk; });
//   TfrmMain main(ts.Get(), ...);
//   EXPECT_EQ(ts.messages.Texts(), QStringList{"Save changes to ...?"});
#include "platform/qt/Services.h"

#include <QApplication>
#include <QImage>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace platform {

struct ShownMessage {
    TMessageKind kind;
    QString text;
    MessageButtons buttons;
    QString caption;
    int answer;
};

// Records every box. Answers: the queued result; with an empty queue, OK for a box whose
// only choice is OK, else Cancel, else No, else the first button offered (and counts the
// box in Unscripted(), so a test can insist that every question was expected).
class ScriptedMessageBoxes : public IMessageBoxes {
public:
    int Show(TMessageKind kind, const QString &text, MessageButtons buttons,
             const QString &caption = QString()) override;

    void QueueAnswer(int result) { answers_.push_back(result); }
    // Runs while each box is "open", before it is answered (the time a user takes to read it).
    std::function<void()> WhileShown;
    const std::vector<ShownMessage> &Shown() const { return shown_; }
    QStringList Texts() const;
    QString LastText() const { return shown_.empty() ? QString() : shown_.back().text; }
    int Count() const { return int(shown_.size()); }
    int Unscripted() const { return unscripted_; }
    int PendingAnswers() const { return int(answers_.size()); }
    void Clear();

private:
    std::deque<int> answers_;
    std::vector<ShownMessage> shown_;
    int unscripted_ = 0;
};

// Open and save dialogs: the next queued path (an empty path means Cancel); Cancel when
// nothing is queued.
class ScriptedFileDialogs : public IFileDialogs {
public:
    enum class Kind { Open, Save };
    struct Request {
        Kind kind;
        FileDialogRequest request;
        QString answer;
    };

    QString GetOpenFileName(const FileDialogRequest &request) override;
    QString GetSaveFileName(const FileDialogRequest &request) override;

    void QueuePath(const QString &path) { paths_.push_back(path); }
    const std::vector<Request> &Requests() const { return requests_; }
    int PendingPaths() const { return int(paths_.size()); }

private:
    QString Answer(Kind kind, const FileDialogRequest &request);
    std::deque<QString> paths_;
    std::vector<Request> requests_;
};

// The print dialog: queued answers; a confirmed answer with a PDF path sends the printed
// pages to that file. Cancel when nothing is queued.
class ScriptedPrintDialogs : public IPrintDialogs {
public:
    bool ExecPrintDialog(QPrinter &printer, const QString &title = QString()) override;
    void QueueAnswer(bool print, const QString &pdfPath = QString());
    int Count() const { return count_; }

private:
    std::deque<std::pair<bool, QString>> answers_;
    int count_ = 0;
};

// Records every request; every call succeeds unless SetSucceed(false).
class ScriptedShell : public IShell {
public:
    bool OpenUrl(const QString &url) override;
    bool StartTextEditor() override;
    bool StartCalculator() override;
    bool StartProgram(const QString &program, const QStringList &arguments = {}) override;

    void SetSucceed(bool succeed) { succeed_ = succeed; }
    // "url <address>", "editor", "calculator", "program <path> <args...>", in order.
    const QStringList &Requests() const { return requests_; }

private:
    bool succeed_ = true;
    QStringList requests_;
};

class MemoryClipboard : public IClipboard {
public:
    void SetText(const QString &text) override {
        text_ = text;
        hasText_ = true;
        image_ = QImage();
    }
    QString Text() const override { return text_; }
    bool HasText() const override { return hasText_; }
    void SetImage(const QImage &image) override {
        image_ = image;
        text_.clear();
        hasText_ = false;
    }
    QImage Image() const override { return image_; }

private:
    QString text_;
    bool hasText_ = false;
    QImage image_;
};

// Records every document shown; showing succeeds unless SetSucceed(false) (no browser).
class ScriptedHelp : public IHelp {
public:
    bool ShowContents(const QString &helpDocument) override;
    void Quit() override { ++quits_; }
    void SetSucceed(bool succeed) { succeed_ = succeed; }
    const QStringList &Shown() const { return shown_; }
    int Quits() const { return quits_; }

private:
    bool succeed_ = true;
    QStringList shown_;
    int quits_ = 0;
};

// Answers modal dialogs without running an event loop. While the answer runs the dialog
// is shown (offscreen in tests), so its controls can be read, clicked and typed into.
using ModalAnswer = std::function<int(ModalDialog &)>;

class ScriptedModalRunner : public IModalRunner {
public:
    struct Shown {
        QString className; // "TfrmAbout"
        QString caption;   // the window title while it was shown
        int result;
    };

    int RunModal(ModalDialog &dialog) override;

    // The next dialog returns `result`.
    void QueueResult(int result);
    // The next dialog runs `answer`; its return is the modal result. An answer that
    // returns mrNone takes the result the dialog set itself (a clicked button), else Cancel.
    void QueueAnswer(ModalAnswer answer) { answers_.push_back(std::move(answer)); }
    const std::vector<Shown> &ShownDialogs() const { return shown_; }
    QStringList ShownClasses() const;
    int PendingAnswers() const { return int(answers_.size()); }

private:
    std::deque<ModalAnswer> answers_;
    std::vector<Shown> shown_;
};

// Makes sure a QApplication exists for GUI tests (offscreen unless QT_QPA_PLATFORM says
// otherwise) and returns it. Call from a fixture's SetUp; the application lives until exit.
QApplication *EnsureTestApplication();

// All doubles, wired into one Services.
class TestServices {
public:
    TestServices();
    TestServices(const TestServices &) = delete;
    TestServices &operator=(const TestServices &) = delete;

    const Services &Get() const { return services_; }

    ScriptedMessageBoxes messages;
    ScriptedFileDialogs files;
    ScriptedPrintDialogs print;
    ScriptedShell shell;
    MemoryClipboard clipboard;
    ScriptedHelp help;
    ScriptedModalRunner modal;

private:
    Services services_;
};

} // namespace platform
