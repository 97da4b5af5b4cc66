// The drum grid on the drum page: clicks, keys, its pop-up commands, the sound of a clicked cell
// and playing the grid alone through the window's output port.
#include "mainwindow/drums/DrumTab.h"

#include "mainwindow/drums/DrumGridView.h"
#include "mainwindow/live/LiveSounding.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/window/Colours.h"
#include "midi/MidiOutputPort.h"
#include "platform/Clock.h"
#include "song/Durations.h"
#include "song/SongModel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>

#include <algorithm>

bool TDrumTab::GridLocked() const {
    return !OnDrumsTab() || play_.Playing(TPlayKind::Song) || play_.Playing(TPlayKind::Instrument);
}

void TDrumTab::StringGridDrumsMouseDown(int column, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    // The grid stays editable while it plays itself, so a pattern can be built as it loops.
    if (GridLocked() || (button != Qt::LeftButton && button != Qt::RightButton))
        return;
    const DrumClickResult result =
        editor_.MouseDown(drums_, column, row, button == Qt::RightButton, modifiers & Qt::ShiftModifier);
    Finish(result.command);
    if (result.soundLevel > 0)
        SoundCell(row, result.soundLevel);
}

void TDrumTab::StringGridDrumsKeyPress(int key, Qt::KeyboardModifiers modifiers) {
    if (GridLocked())
        return;
    int column = editor_.CurrentColumn(), row = editor_.CurrentRow();
    const int last = std::max(drums_.grid.Columns() - 1, 0);
    switch (key) {
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Home:
        column = 0;
        break;
    case Qt::Key_End:
        column = last;
        break;
    default:
        Finish(editor_.KeyPress(drums_, key));
        return;
    }
    editor_.SetCurrent(std::clamp(column, 0, last), row, modifiers & Qt::ShiftModifier);
    StringGridDrums->update();
}

void TDrumTab::Copy4Click() {
    if (!GridLocked()) {
        editor_.Copy(drums_);
        calls_.ApplyCommandState();
    }
}

void TDrumTab::Cut4Click() {
    if (!GridLocked())
        Finish(editor_.Cut(drums_));
}

void TDrumTab::Paste4Click() {
    if (!GridLocked())
        Finish(editor_.Paste(drums_));
}

void TDrumTab::Undo4Click() {
    if (!GridLocked())
        Finish(editor_.Undo(drums_));
}

void TDrumTab::BitBtnClearDisplayedPatternClick() {
    if (!play_.Busy())
        Finish(editor_.ClearPattern(drums_));
}

void TDrumTab::SoundCell(int row, int level) {
    // Heard for a sixty-fourth note at the song's tempo; not while the grid plays (it sounds
    // the cell itself) nor from inside another cell's sound.
    TLiveSounding *sound = calls_.Sound();
    if (!sound || sounding_ || play_.Kind() != TPlayKind::Idle)
        return;
    const TInstrumentTab &tab = DrumsRecord();
    const int note = drums_.drumSlots[static_cast<size_t>(row)].note + tab.Transpose;
    if (note < 0 || note > 127)
        return;
    const int channel = tab.Channel & 0x0F;
    play_.StopRequested = false; // a stop left from before must not cut this one short
    sound->SendTabPatch(tab);
    sound->Port().NoteOn(channel, note, LevelToVelocity(level, tab.Volume));
    sounding_ = true;
    calls_.EnterNestedLoop();
    sound->WaitMs(DurationMs("F", song_.Tempo), true);
    calls_.LeaveNestedLoop();
    sounding_ = false;
    sound->Port().NoteOn(channel, note, 0);
}

void TDrumTab::BitBtnPlayPatternMouseDown() {
    if (play_.Playing(TPlayKind::DrumGrid)) {
        // The play below is waiting inside a step: the stop ends the wait and the loop.
        play_.StopRequested = true;
        return;
    }
    TLiveSounding *sound = calls_.Sound();
    // A bar of no columns has nothing to play (and would loop without ever waiting).
    if (!sound || play_.Busy() || !OnDrumsTab() || drums_.grid.Columns() <= 0)
        return;
    if (!drums_.list.Empty() && drums_.list.SelectedCount() == 0)
        drums_.list.SetSelected(0, true);
    if (!play_.Begin(TPlayKind::DrumGrid)) // clears a stop left from before; locks the page
        return;
    SetPlayButtonLook(BitBtnPlayPattern, true);
    ShowDrums();
    calls_.EnterNestedLoop();
    int64_t passStartNs = -1; // the first pass starts when its first column sounds
    while (true) {
        passStartNs = PlayDrumGridLive(*sound, passStartNs);
        if (!chkLoopDrumGrid->isChecked() || play_.StopRequested)
            break;
        QCoreApplication::processEvents();
        if (play_.StopRequested)
            break;
    }
    calls_.LeaveNestedLoop();
    play_.End(TPlayKind::DrumGrid);
    SetPlayButtonLook(BitBtnPlayPattern, false);
    StringGridDrums->SetPlayColumn(-1);
}

int64_t TDrumTab::PlayDrumGridLive(TLiveSounding &sound, int64_t startNs) {
    // One pass over the bar's columns, each sounded for one step; an edit of the grid meanwhile
    // is heard from its next column on. Each column is due at a time counted from the pass's
    // start, as the song player counts from the song's, so the work around the waits does not
    // make the bar longer.
    TMidiOutputPort &port = sound.Port();
    const int denominator = drums_.sigLower, feel = drums_.feel, tempo = song_.Tempo;
    auto dueNs = [&](int column) { return startNs + DrumColumnDueUs(column, denominator, feel, tempo) * 1000; };
    const int columns = drums_.grid.Columns();
    for (int column = 0; column < columns; ++column) {
        if (play_.StopRequested || !play_.Playing(TPlayKind::DrumGrid))
            break;
        StringGridDrums->SetPlayColumn(column);
        const TInstrumentTab &tab = DrumsRecord();
        const int channel = tab.Channel & 0x0F;
        const std::vector<DrumHit> hits = DrumColumnHits(drums_, column, tab.Transpose, tab.Volume);
        QCoreApplication::processEvents();
        if (play_.StopRequested)
            break;
        if (startNs < 0)
            startNs = sound.Clock().NowNs();
        sound.SendTabPatch(tab);
        sound.SendBalance(tab, tab.Balance);
        for (const DrumHit &hit : hits)
            port.NoteOn(channel, hit.note, hit.velocity);
        // Up to the next column's due time, in whole milliseconds rounded up.
        const int64_t leftNs = dueNs(column + 1) - sound.Clock().NowNs();
        sound.WaitMs(static_cast<int>(std::max<int64_t>(leftNs + 999'999, 0) / 1'000'000), true);
        for (const DrumHit &hit : hits)
            port.NoteOn(channel, hit.note, 0);
    }
    StringGridDrums->SetPlayColumn(-1);
    return startNs < 0 ? -1 : dueNs(columns);
}
