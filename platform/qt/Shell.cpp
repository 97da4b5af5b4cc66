#include "platform/qt/Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

QStringList TextEditorCandidates() {
    return {QStringLiteral("gnome-text-editor"),
            QStringLiteral("gedit"),
            QStringLiteral("kwrite"),
            QStringLiteral("kate"),
            QStringLiteral("mousepad"),
            QStringLiteral("xed"),
            QStringLiteral("pluma"),
            QStringLiteral("featherpad"),
            QStringLiteral("leafpad")};
}

QStringList CalculatorCandidates() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),         QStringLiteral("galculator"),
            QStringLiteral("mate-calc"),        QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

QStringList SystemInfoCandidates() {
    return {QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager")};
}

QString FindFirstProgram(const QStringList &candidates) {
    for (const QString &name : candidates) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString CouldNotOpenText(const QString &what, const QStringList &lookedFor) {
    QString text = QStringLiteral("Could not open ") + what + QLatin1Char('.');
    if (!lookedFor.isEmpty())
        text += QStringLiteral("\rLooked for: ") + lookedFor.join(QStringLiteral(", ")) + QLatin1Char('.');
    return text;
}

bool QtShell::OpenUrl(const QString &url) {
    if (url.trimmed().isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

bool QtShell::StartTextEditor() {
    const QString program = FindFirstProgram(TextEditorCandidates());
    return !program.isEmpty() && StartProgram(program);
}

bool QtShell::StartCalculator() {
    const QString program = FindFirstProgram(CalculatorCandidates());
    return !program.isEmpty() && StartProgram(program);
}

bool QtShell::StartProgram(const QString &program, const QStringList &arguments) {
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

} // namespace platform
