#include "mainwindow/files/TablatureCommand.h"

#include "dialogs/common/ProgramOptions.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/window/MainDialogs.h"
#include "song/SongModel.h"
#include "song/TextUtil.h"

#include <QFileInfo>

void ShowTablature(const TTablatureParts &p) {
    if (p.Calls.Busy() || !p.Dialogs.tablature)
        return;
    // Only bars closed by a blank line are shown: the last one is closed here.
    const int count = p.Lines.LineCount();
    if (count > 0 && !Trim(p.Lines.Line(count - 1).toStdString()).empty()) {
        p.Lines.InsertLine(count, QString());
        // A last line without its line break only gets one from the first insert.
        if (p.Lines.LineCount() == count)
            p.Lines.InsertLine(count, QString());
    }
    TTabInput in;
    in.lines = p.Lines.StoreLines();
    in.context = p.Song.LineContext(p.Song.CurrentTab);
    in.title =
        p.Song.SongTitle.empty() ? QFileInfo(p.Calls.FileName()).completeBaseName().toStdString() : p.Song.SongTitle;
    in.durations = p.Options.TabDurations;
    in.ascii = p.Options.TabMode;
    in.lastDir = p.Options.Lastdir;
    in.songFileName = p.Calls.FileName();
    p.Options.TabMode = p.Dialogs.tablature(in).ascii;
    if (p.Song.Current().Kind != TKind::Drums)
        p.Calls.FocusEditor();
}
