#include "mainwindow/tools/ToolDialogs.h"

#include "dialogs/common/ProgramOptions.h"
#include "mainwindow/editor/EditorLines.h"
#include "platform/qt/Services.h"
#include "song/SongDocument.h"

#include <QApplication>

namespace {
// The song's resolution: the lines are built at 192 pulses per quarter.
constexpr int kSongPpqn = 192;
} // namespace

void TToolDialogs::MixerSummary1Click() {
    if (!p_.Dialogs.mixerSummary || p_.Calls.Busy())
        return;
    // The shown tab's lines count as they stand in the editor.
    p_.Calls.StoreTabText(p_.Document.Song.CurrentTab - 1);
    const TSummaryResult chosen = p_.Dialogs.mixerSummary(
        {SongSummary(p_.Document.Song, p_.Document.Drums.list.Count()), p_.Options.ShowMixerAfterFileOpen});
    p_.Options.ShowMixerAfterFileOpen = chosen.showAfterFileOpen;
    if (chosen.tab && *chosen.tab != p_.Document.Song.CurrentTab)
        p_.Calls.SelectPage(*chosen.tab - 1);
}

void TToolDialogs::NoteMathforSelectionAltRMB1Click() {
    if (!p_.Dialogs.noteMath || p_.Calls.Busy())
        return;
    int first = 0, last = 0;
    if (!p_.Lines.GetSelectedLines(first, last)) {
        p_.Services.messages.Information(
            QStringLiteral("There must be some lines selected for the note duration calculation."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    p_.Calls.StoreTabText(p_.Document.Song.CurrentTab - 1);
    std::vector<std::string> selected;
    for (int i = first; i <= last; ++i)
        selected.push_back(p_.Lines.Line(i).toStdString());
    QApplication::restoreOverrideCursor();
    p_.Dialogs.noteMath({ComputeNoteMath(selected, kSongPpqn)});
    p_.Lines.SelectLines(first, last);
    p_.Calls.FocusEditor();
}
