#include "dialogs/common/FileNames.h"

#include "platform/FileIO.h"

#include <QFile>
#include <QFileInfo>

QString ChangeFileExt(const QString &path, const QString &extension) {
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    const int dot = int(path.lastIndexOf(QLatin1Char('.')));
    if (dot > slash + 1) // a leading dot names a hidden file, not an extension
        return path.left(dot) + extension;
    return path + extension;
}

QString DialogStartFolder(const QString &lastDir) {
    if (!lastDir.isEmpty() && QFileInfo(lastDir).isDir())
        return lastDir;
    return QString();
}

QString ReplaceQuestion(const QString &path) {
    return path + QStringLiteral(" already exists.\rDo you want to replace it?");
}

QString SaveFailedText(const QString &path, const std::string &reason) {
    return QString::fromLocal8Bit(platform::SaveFailedText(QFile::encodeName(path).toStdString(), reason));
}
