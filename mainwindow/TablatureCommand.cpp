#include "mainwindow/TablatureCommand.h"

#include "dialogs/ProgramOptions.h"
#include "mainwindow/EditorAdapter.h"
#include "mainwindow/MainDialogs.h"
#include "song/SongModel.h"
#include "song/TextUtil.h"

#include <QFileInfo>

void ShowTablature(const TTablatureParts &p) {
    if (p.busy() || !p.dialogs.tablature)
        return;
    // Only bars closed by a blank line are shown: the last one is closed here.
    const int count = p.lines.LineCount();
    if (count > 0 && !Trim(p.lines.Line(count - 1).toStdString()).empty()) {
        p.lines.InsertLine(count, QString());
        // A last line without its line break only gets one from the first insert.
        if (p.lines.LineCount() == count)
            p.lines.InsertLine(count, QString());
    }
    TTabInput in;
    in.lines = p.lines.StoreLines();
    in.context = p.song.LineContext(p.song.CurrentTab);
    in.title = p.song.SongTitle.empty() ? QFileInfo(p.fileName()).completeBaseName().toStdString() : p.song.SongTitle;
    in.durations = p.options.TabDurations;
    in.ascii = p.options.TabMode;
    in.lastDir = p.options.Lastdir;
    in.songFileName = p.fileName();
    p.options.TabMode = p.dialogs.tablature(in).ascii;
    if (p.song.Current().Kind != TKind::Drums)
        p.focusEditor();
}
