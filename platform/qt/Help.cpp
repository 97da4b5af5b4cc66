#include "platform/qt/Help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace platform {

QString FindHelpDocument(const QString &installDir, const QString &programDir, const QString &baseName) {
    for (const QString &folder : {installDir, programDir}) {
        if (folder.trimmed().isEmpty())
            continue;
        for (const char *ext : {".html", ".htm"}) {
            const QFileInfo info(QDir(folder), baseName + QLatin1String(ext));
            if (info.isFile())
                return info.absoluteFilePath();
        }
    }
    return QString();
}

bool QtHelp::ShowContents(const QString &helpDocument) {
    if (!QFileInfo(helpDocument).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(helpDocument));
}

} // namespace platform
