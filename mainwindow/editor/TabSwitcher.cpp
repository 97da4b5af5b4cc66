#include "mainwindow/editor/TabSwitcher.h"

#include "song/SongDocument.h"

#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/rules/FretboardModel.h"
#include "mainwindow/window/Colours.h"
#include "mainwindow/window/PageControl.h"
#include "song/PatternStore.h"
#include "song/SongModel.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {
void Paint(QWidget *w, const QColor &c) {
    if (!w)
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void SetSpin(QSpinBox *box, int value) {
    const QSignalBlocker block(box);
    box->setValue(value);
}

} // namespace

TTabSwitcher::TTabSwitcher(TTabParts parts)
    : song_(parts.Document.Song), drums_(parts.Document.Drums), lines_(parts.Lines), status_(parts.Status),
      w_(parts.Widgets), calls_(std::move(parts.Calls)) {}

bool TTabSwitcher::Changing() {
    if (calls_.Busy())
        return false;
    SaveShownTab();
    return true;
}

void TTabSwitcher::SaveShownTab() {
    TInstrumentTab &tab = song_.Current();
    tab.SavedCaretLine = lines_.CurrentLine();
    tab.SavedTopLine = lines_.FirstVisibleLine();
    // The Drums tab keeps its song in the pattern store: the (hidden) editor's text is
    // never stored into its lines.
    if (tab.Kind != TKind::Drums)
        calls_.StoreTabText(song_.CurrentTab - 1);
    else
        tab.SavedCaretLine = drums_.list.ItemIndex();
    int first = 0, last = 0;
    tab.SavedHasSelection = lines_.GetSelectedLines(first, last);
    tab.SavedSelFirstLine = tab.SavedHasSelection ? first : tab.SavedCaretLine;
    tab.SavedSelLastLine = tab.SavedHasSelection ? last : tab.SavedCaretLine;
    tab.DurationCode = w_.PanelNoteButtons->DurationCode();
}

void TTabSwitcher::Change() {
    const int t = std::clamp(w_.PageControl1->ActivePageIndex() + 1, 1, kTabCount);
    song_.CurrentTab = t;
    TInstrumentTab &tab = song_.Current();
    const bool drums = tab.Kind == TKind::Drums;
    const QColor colour = RecordColour(tab.Colour, w_.Window->palette());

    for (QWidget *g : {static_cast<QWidget *>(w_.GroupBoxMixer), static_cast<QWidget *>(w_.grpFRTPlay),
                       static_cast<QWidget *>(w_.grpEditor), static_cast<QWidget *>(w_.GroupBoxDrumPatterns),
                       static_cast<QWidget *>(w_.GroupBoxPatternProperties)})
        Paint(g, colour);
    ShowPage(drums);
    w_.grpEditor->setTitle(QString::fromStdString(tab.Name));
    if (w_.LabelTabName) {
        w_.LabelTabName->setText(QString::fromStdString(tab.Name));
        w_.LabelTabName->setStyleSheet(QStringLiteral("color: black"));
    }
    if (!drums)
        w_.PaintBoxInstrument->Clear();

    calls_.LoadTabText(t - 1);
    ShowMixer();
    w_.PageControl1->SetPageColour(colour);
    w_.PaintBoxInstrument->SetColour(colour);
    w_.PanelNoteButtons->SetDurationControls(tab.DurationCode);

    if (!drums) {
        RestoreEditorState();
        // Typing goes into the shown note tab's lines, not into a button.
        w_.RichEdit1->setFocus(Qt::OtherFocusReason);
    } else {
        SelectSavedPattern();
    }

    {
        const QSignalBlocker block(w_.CheckBoxSoloInstrument);
        w_.CheckBoxSoloInstrument->setChecked(false);
    }
    tab.Solo = false;
    calls_.SetCaptionFromFileName();
    w_.PaintBoxInstrument->lower();
    w_.grpFRTPlay->setTitle(QString::fromStdString(tab.Name) + QStringLiteral(" Only"));
    w_.GroupBoxMixer->setTitle(QString::fromStdString(tab.Name));
    calls_.UpdateTabCaption(t);
    calls_.FormResize();
    // The caret position belongs to the tab just left: compute it afresh.
    status_.ForgetLastLine();
}

void TTabSwitcher::ShowPage(bool drums) {
    // The Drums tab shows its own page: no editor (so nothing typed reaches its lines) and
    // no instrument picture and no sound label; every other tab the editor, the picture and
    // the sound label, no drum groups.
    if (drums && w_.grpEditor->isAncestorOf(w_.Window->focusWidget()))
        w_.PageControl1->TabBar()->setFocus(Qt::OtherFocusReason);
    w_.grpEditor->setVisible(!drums);
    w_.PaintBoxInstrument->setVisible(!drums);
    w_.LabelSelectPatch->setVisible(!drums);
    if (w_.LabelTabName)
        w_.LabelTabName->setVisible(!drums);
    w_.GroupBoxDrumPatterns->setVisible(drums);
    w_.GroupBoxPatternProperties->setVisible(drums);
}

void TTabSwitcher::ShowMixer() {
    const TInstrumentTab &tab = song_.Current();
    w_.LabelSelectPatch->setText(QStringLiteral("Instrument: ") + QString::fromStdString(tab.PatchName));
    SetSpin(w_.UpDownMixerChannel, tab.Channel + 1);
    {
        const QSignalBlocker block(w_.TrackBarMixerBalance);
        w_.TrackBarMixerBalance->setValue(tab.Balance);
    }
    w_.LabelBalancePosition->setText(QString::number(tab.Balance));
    w_.LabelSelectTuning->setText(QString::fromStdString(GetTuningText(tab)));
    SetSpin(w_.UpDownMixerVolume, tab.Volume);
    SetSpin(w_.UpDownMixerDelay, tab.Delay);
    SetSpin(w_.UpDownMixerKey, tab.Transpose);
    const QSignalBlocker block(w_.CheckBoxMuteInstrument);
    w_.CheckBoxMuteInstrument->setChecked(tab.Mute);
}

void TTabSwitcher::RestoreEditorState() {
    const TInstrumentTab &tab = song_.Current();
    const int count = lines_.LineCount();
    if (std::as_const(song_).Lines(song_.CurrentTab).empty()) {
        w_.RichEdit1->SetBackground(true);
        return;
    }
    w_.RichEdit1->SetBackground(false);
    const bool restoreTop = tab.SavedTopLine <= count - 1;
    // Where the user left the caret and selection, while the text is the one left; else from the
    // record: the caret at the start of its line, the selected lines whole.
    if (!calls_.RestorePlace || !calls_.RestorePlace(tab.SavedCaretLine, tab.SavedHasSelection)) {
        if (tab.SavedCaretLine < count - 1)
            lines_.MoveCaretToLine(tab.SavedCaretLine, 0);
        if (tab.SavedHasSelection)
            lines_.SelectLines(tab.SavedSelFirstLine, tab.SavedSelLastLine);
    }
    // Last, so that moving the caret does not scroll the saved view away.
    if (restoreTop)
        lines_.ScrollToLine(std::max(0, tab.SavedTopLine));
}

void TTabSwitcher::SelectSavedPattern() {
    // The drum tab's saved line is its selected pattern; one past the end of a list that has
    // shrunk meanwhile selects the first pattern, and -1 (or an empty list) selects nothing
    // and leaves no current pattern.
    PatternListModel &list = drums_.list;
    for (int i = 0; i < list.Count(); ++i)
        list.SetSelected(i, false);
    int saved = song_.Current().SavedCaretLine;
    if (saved >= list.Count())
        saved = 0;
    if (saved >= 0 && saved < list.Count()) {
        list.SetItemIndex(saved);
        list.SetSelected(saved, true);
        drums_.LoadPatternIntoGrid(saved);
    } else {
        list.SetItemIndex(-1); // no current pattern left over from before
    }
}
