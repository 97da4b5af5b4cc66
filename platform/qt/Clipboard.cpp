#include "platform/qt/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform {

void QtClipboard::SetText(const QString &text) { QGuiApplication::clipboard()->setText(text); }

QString QtClipboard::Text() const { return QGuiApplication::clipboard()->text(); }

bool QtClipboard::HasText() const {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

void QtClipboard::SetImage(const QImage &image) { QGuiApplication::clipboard()->setImage(image); }

QImage QtClipboard::Image() const { return QGuiApplication::clipboard()->image(); }

} // namespace platform
