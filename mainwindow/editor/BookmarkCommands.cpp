#include "mainwindow/editor/BookmarkCommands.h"

#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/rules/BookmarkRules.h"
#include "platform/qt/MessageBoxes.h"
#include "song/SongModel.h"

#include <QApplication>
#include <QTimer>

void TBookmarkCommands::SetEditorMarker2Click() {
    if (p_.Calls.Quiet())
        return;
    p_.Song.Current().Bookmarks[0] = p_.Lines.CurrentLine();
    // The hourglass for a quarter of a second says the bookmark was taken.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(250, qApp, [] { QApplication::restoreOverrideCursor(); });
}

void TBookmarkCommands::JumptoEditorMarkerCtrl092Click() {
    if (p_.Calls.Quiet())
        return;
    const int bookmark = p_.Song.Current().Bookmarks[0];
    if (bookmark < 0) {
        p_.Messages.Information(QString::fromLatin1(kSetABookmark));
        return;
    }
    if (const std::optional<int> line = BookmarkJumpLine(bookmark, p_.Lines.LineCount())) {
        // Selected first, so that the caret's move does not scroll the line away from the top.
        p_.Lines.SelectLines(*line, *line);
        p_.Lines.ScrollToLine(*line);
    }
}
