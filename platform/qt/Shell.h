#pragma once
// The desktop shell: open a web or mail address with the user's default program, start
// the text editor or the calculator, start a program. ScriptedShell (TestServices.h)
// records each request instead.
#include <QString>
#include <QStringList>

namespace platform {

class IShell {
public:
    virtual ~IShell() = default;
    // A web page ("http://..."), a mail address ("mailto:...") or a local file.
    virtual bool OpenUrl(const QString &url) = 0;
    // The desktop's plain-text editor, a new empty document. False when none is found.
    virtual bool StartTextEditor() = 0;
    virtual bool StartCalculator() = 0;
    // Starts `program` detached (the program does not wait for it).
    virtual bool StartProgram(const QString &program, const QStringList &arguments = {}) = 0;
};

// Programs tried, in order, for the text editor, the calculator and the system information.
QStringList TextEditorCandidates();
QStringList CalculatorCandidates();
QStringList SystemInfoCandidates();
// The first of `candidates` found on the PATH (full path), or empty.
QString FindFirstProgram(const QStringList &candidates);
// The message a window shows when the desktop could not open `what` ("a calculator"), with the
// programs it looked for, when given: "Could not open a calculator.\rLooked for: xcalc, kcalc."
QString CouldNotOpenText(const QString &what, const QStringList &lookedFor = {});

class QtShell : public IShell {
public:
    bool OpenUrl(const QString &url) override;
    bool StartTextEditor() override;
    bool StartCalculator() override;
    bool StartProgram(const QString &program, const QStringList &arguments = {}) override;
};

} // namespace platform
