#include "mainwindow/ToolDialogs.h"

#include "dialogs/ProgramOptions.h"
#include "mainwindow/EditorAdapter.h"
#include "platform/qt/Services.h"
#include "song/PatternStore.h"
#include "song/SongModel.h"

#include <QApplication>

namespace {
// The song's resolution: the lines are built at 192 pulses per quarter.
constexpr int kSongPpqn = 192;
} // namespace

void TToolDialogs::MixerSummary1Click() {
    if (!p_.dialogs.mixerSummary || p_.busy())
        return;
    // The shown tab's lines count as they stand in the editor.
    p_.storeTabText(p_.song.CurrentTab - 1);
    const TSummaryResult chosen =
        p_.dialogs.mixerSummary({SongSummary(p_.song, p_.drums.list.Count()), p_.options.ShowMixerAfterFileOpen});
    p_.options.ShowMixerAfterFileOpen = chosen.showAfterFileOpen;
    if (chosen.tab && *chosen.tab != p_.song.CurrentTab)
        p_.selectPage(*chosen.tab - 1);
}

void TToolDialogs::NoteMathforSelectionAltRMB1Click() {
    if (!p_.dialogs.noteMath || p_.busy())
        return;
    int first = 0, last = 0;
    if (!p_.lines.GetSelectedLines(first, last)) {
        p_.services.messages.Information(QStringLiteral("There must be some lines selected for the note duration calculation."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    p_.storeTabText(p_.song.CurrentTab - 1);
    std::vector<std::string> selected;
    for (int i = first; i <= last; ++i)
        selected.push_back(p_.lines.Line(i).toStdString());
    QApplication::restoreOverrideCursor();
    p_.dialogs.noteMath({ComputeNoteMath(selected, kSongPpqn)});
    p_.lines.SelectLines(first, last);
    p_.focusEditor();
}
