#include "platform/qt/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace platform {

QString FilterFromPipes(const QString &pipes) {
    const QStringList parts = pipes.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            patterns << (t == QLatin1String("*.*") ? QStringLiteral("*") : t);
        }
        // Qt reads the patterns from the parentheses; add them when the description
        // does not already show the same list.
        QString entry = description;
        const QString list = patterns.join(QLatin1Char(' '));
        if (!description.contains(QLatin1Char('(')))
            entry += QStringLiteral(" (") + list + QLatin1Char(')');
        else
            entry = description.left(description.indexOf(QLatin1Char('('))).trimmed() + QStringLiteral(" (") + list +
                    QLatin1Char(')');
        filters << entry;
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtFileDialogs::GetOpenFileName(const FileDialogRequest &request) { return Run(request, false); }

QString QtFileDialogs::GetSaveFileName(const FileDialogRequest &request) { return Run(request, true); }

QString QtFileDialogs::Run(const FileDialogRequest &request, bool save) {
    QFileDialog dialog(parent_, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.filter.isEmpty())
        dialog.setNameFilter(request.filter);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.directory.isEmpty() && QDir(request.directory).exists())
        dialog.setDirectory(request.directory);
    if (!request.fileName.isEmpty())
        dialog.selectFile(QFileInfo(request.fileName).isAbsolute() ? request.fileName
                                                                   : QFileInfo(request.fileName).fileName());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

} // namespace platform
