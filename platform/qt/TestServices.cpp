#include "platform/qt/TestServices.h"

#include <QPrinter>

namespace platform {

int ScriptedMessageBoxes::Show(TMessageKind kind, const QString &text, MessageButtons buttons, const QString &caption) {
    if (buttons == 0)
        buttons = mbOk;
    if (WhileShown)
        WhileShown();
    int answer;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else if (buttons == mbOk) {
        answer = mrOk;
    } else {
        ++unscripted_;
        if (buttons & mbCancel)
            answer = mrCancel;
        else if (buttons & mbNo)
            answer = mrNo;
        else if (buttons & mbOk)
            answer = mrOk;
        else if (buttons & mbYes)
            answer = mrYes;
        else if (buttons & mbAbort)
            answer = mrAbort;
        else if (buttons & mbRetry)
            answer = mrRetry;
        else
            answer = mrIgnore;
    }
    shown_.push_back({kind, text, buttons, caption.isEmpty() ? DefaultMessageCaption(kind) : caption, answer});
    return answer;
}

QStringList ScriptedMessageBoxes::Texts() const {
    QStringList texts;
    for (const ShownMessage &m : shown_)
        texts << m.text;
    return texts;
}

void ScriptedMessageBoxes::Clear() {
    answers_.clear();
    shown_.clear();
    unscripted_ = 0;
}

QString ScriptedFileDialogs::GetOpenFileName(const FileDialogRequest &request) { return Answer(Kind::Open, request); }

QString ScriptedFileDialogs::GetSaveFileName(const FileDialogRequest &request) { return Answer(Kind::Save, request); }

QString ScriptedFileDialogs::Answer(Kind kind, const FileDialogRequest &request) {
    QString path;
    if (!paths_.empty()) {
        path = paths_.front();
        paths_.pop_front();
    }
    requests_.push_back({kind, request, path});
    return path;
}

bool ScriptedPrintDialogs::ExecPrintDialog(QPrinter &printer, const QString &) {
    ++count_;
    if (answers_.empty())
        return false;
    const auto [print, pdf] = answers_.front();
    answers_.pop_front();
    if (print && !pdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }
    return print;
}

void ScriptedPrintDialogs::QueueAnswer(bool print, const QString &pdfPath) { answers_.emplace_back(print, pdfPath); }

bool ScriptedShell::OpenUrl(const QString &url) {
    requests_ << QStringLiteral("url ") + url;
    return succeed_;
}

bool ScriptedShell::StartTextEditor() {
    requests_ << QStringLiteral("editor");
    return succeed_;
}

bool ScriptedShell::StartCalculator() {
    requests_ << QStringLiteral("calculator");
    return succeed_;
}

bool ScriptedShell::StartProgram(const QString &program, const QStringList &arguments) {
    requests_ << (QStringList{QStringLiteral("program"), program} + arguments).join(QLatin1Char(' '));
    return succeed_;
}

bool ScriptedHelp::ShowContents(const QString &helpDocument) {
    shown_ << helpDocument;
    return succeed_ && !helpDocument.isEmpty();
}

int ScriptedModalRunner::RunModal(ModalDialog &dialog) {
    ModalAnswer answer;
    if (!answers_.empty()) {
        answer = std::move(answers_.front());
        answers_.pop_front();
    }
    const QString caption = dialog.windowTitle();
    int result = mrNone;
    if (answer) {
        dialog.show();
        result = answer(dialog);
        dialog.hide();
    }
    if (result == mrNone)
        result = dialog.ModalResult() != mrNone ? dialog.ModalResult() : int(mrCancel);
    shown_.push_back({QString::fromLatin1(dialog.metaObject()->className()), caption, result});
    return result;
}

void ScriptedModalRunner::QueueResult(int result) {
    answers_.push_back([result](ModalDialog &) { return result; });
}

QStringList ScriptedModalRunner::ShownClasses() const {
    QStringList names;
    for (const Shown &s : shown_)
        names << s.className;
    return names;
}

QApplication *EnsureTestApplication() {
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        return app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tarrowind-tests";
    static char *argv[] = {name, nullptr};
    static QApplication *app = new QApplication(argc, argv);
    return app;
}

TestServices::TestServices() : services_{messages, files, print, shell, clipboard, help, modal} {}

} // namespace platform
