// The main window's part builders: each collaborator gets the document (or the part of it it
// uses), its own widgets and the calls back into the window, built here and handed over, so no
// collaborator reaches into the window.
#include "mainwindow/window/MainWindow.h"

#include "mainwindow/drums/DrumTab.h"
#include "mainwindow/editor/BookmarkCommands.h"
#include "mainwindow/editor/DurationButtons.h"
#include "mainwindow/editor/EditorController.h"
#include "mainwindow/editor/FindCommands.h"
#include "mainwindow/editor/LineCommands.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/editor/TabSwitcher.h"
#include "mainwindow/files/TablatureCommand.h"
#include "mainwindow/live/InstrumentPicture.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/playback/MixerPanel.h"
#include "mainwindow/playback/SongCommands.h"
#include "mainwindow/tools/ChordTools.h"
#include "mainwindow/tools/LineTools.h"
#include "mainwindow/tools/Pickers.h"
#include "mainwindow/tools/ToolDialogs.h"
#include "mainwindow/window/PageControl.h"

#include <QGroupBox>

// The tab switcher's parts, once BuildControls() made the controls.
TTabParts TfrmMain::TabParts() {
    return TTabParts{
        .Document = doc_,
        .Lines = *lines_,
        .Status = *status_,
        .Widgets = {.Window = this,
                    .PageControl1 = PageControl1,
                    .grpEditor = grpEditor,
                    .RichEdit1 = RichEdit1,
                    .PaintBoxInstrument = PaintBoxInstrument,
                    .PanelNoteButtons = PanelNoteButtons,
                    .GroupBoxMixer = GroupBoxMixer,
                    .grpFRTPlay = grpFRTPlay,
                    .LabelTabName = LabelTabName,
                    .LabelSelectPatch = LabelSelectPatch,
                    .LabelSelectTuning = LabelSelectTuning,
                    .UpDownMixerChannel = UpDownMixerChannel,
                    .UpDownMixerVolume = UpDownMixerVolume,
                    .UpDownMixerDelay = UpDownMixerDelay,
                    .UpDownMixerKey = UpDownMixerKey,
                    .TrackBarMixerBalance = TrackBarMixerBalance,
                    .LabelBalancePosition = LabelBalancePosition,
                    .CheckBoxMuteInstrument = CheckBoxMuteInstrument,
                    .CheckBoxSoloInstrument = CheckBoxSoloInstrument,
                    .GroupBoxDrumPatterns = GroupBoxDrumPatterns,
                    .GroupBoxPatternProperties = GroupBoxPatternProperties},
        .Calls = {
            .Busy = [this] { return Busy(); },
            .LoadTabText = [this](int index) { return LoadTabText(index); },
            .StoreTabText = [this](int index) { return StoreTabText(index); },
            .RestorePlace = [this](int caretLine, bool selection) { return RestoreTabPlace(caretLine, selection); },
            .SetCaptionFromFileName = [this] { SetCaptionFromFileName(); },
            .UpdateTabCaption = [this](int tab) { UpdateTabCaption(tab); },
            .FormResize =
                [this] {
                    HoldLeastSize();
                    FormResize();
                }},
    };
}

// The live instrument gets the song, the editor lines, the play state, the output port and its
// own widgets; what else it needs of the window it asks through calls.
TLiveParts TfrmMain::LiveInstrumentParts() {
    return TLiveParts{
        .Song = doc_.Song,
        .Lines = Lines(),
        .PlayState = PlayState(),
        .Services = Services(),
        .OutputPort = *MidiOutputPort1,
        .Clock = *env_.clock,
        .Commands = Commands(),
        .Widgets = {.PaintBoxInstrument = PaintBoxInstrument,
                    .RichEdit1 = RichEdit1,
                    .PanelNoteButtons = PanelNoteButtons,
                    .StatusBarRichEdit = StatusBarRichEdit,
                    .btnPlayFRT = btnPlayFRT,
                    .chkLoopAll = chkLoopAll,
                    .lblTempo = lblTempo},
        .Calls = {
            .MarkModified = [this] { MarkModified(); },
            .SelectEditorLine = [this](int line, bool useGiven) { EditorEvents().SelectEditorLine(line, useGiven); },
            .ShowCaretPosition = [this](int line) { Status().ShowCaretPosition(line); },
            .ShowNoteText = [this](const std::string &text) { Status().ShowNoteText(text); },
            .ScaleRestrictor = [this] { return options_.ScaleRestrictor; },
            .WindowWidth = [this] { return width(); },
            .ShowDurationPicker = [this] { LineTools().ShowDurationPicker(); },
            .EnterNestedLoop = [this] { EnterNestedLoop(); },
            .LeaveNestedLoop = [this] { LeaveNestedLoop(); },
            .RefreshStatus = [this] { EditorEvents().RichEdit1SelectionChange(); }},
    };
}

TDrumParts TfrmMain::DrumTabParts() {
    return TDrumParts{
        .Song = doc_.Song,
        .Drums = doc_.Drums,
        .PlayState = PlayState(),
        .Services = Services(),
        .Commands = Commands(),
        .Widgets = {.GroupBoxDrumPatterns = GroupBoxDrumPatterns,
                    .GroupBoxPatternProperties = GroupBoxPatternProperties,
                    .grpFRTPlay = grpFRTPlay,
                    .LabelSigUpper = LabelSigUpper,
                    .LabelSigLower = LabelSigLower},
        .Calls = {
            .SongChanged = [this](int tab, unsigned what) { SongChanged(tab, what); },
            .ApplyCommandState = [this] { ApplyCommandState(); },
            .EnterNestedLoop = [this] { EnterNestedLoop(); },
            .LeaveNestedLoop = [this] { LeaveNestedLoop(); },
            .Sound = [this]() -> TLiveSounding * { return LiveInstrument() ? &LiveInstrument()->Sound() : nullptr; },
            .Dialogs = [this]() -> const TMainDialogs & { return Dialogs(); },
            .PreviewNote = [this](const TPreviewNote &note) { Pickers().PreviewNote(note); }},
    };
}

TLineToolParts TfrmMain::LineToolParts() {
    return TLineToolParts{
        .Song = doc_.Song,
        .Lines = Lines(),
        .PlayState = PlayState(),
        .Services = Services(),
        .Dialogs = Dialogs(),
        .Commands = Commands(),
        .Widgets = {.LabelSelectTuning = LabelSelectTuning,
                    .RichEdit1 = RichEdit1,
                    .PanelNoteButtons = PanelNoteButtons},
        .Calls = {
            .SongChanged = [this](int tab, unsigned what, bool byUser) { SongChanged(tab, what, byUser); },
            .ClearInstrumentDisplay =
                [this] {
                    if (TLiveInstrument *live = LiveInstrument())
                        live->ClearInstrumentDisplay();
                },
            .ApplyDuration = [this](const std::string &text) { EditorEvents().ApplyDuration(text); },
            .ShowLineOnInstrument =
                [this](int line) {
                    if (TLiveInstrument *live = LiveInstrument())
                        live->ShowLineOnInstrument(line);
                },
            .SelectEditorLine = [this](int line, bool useGiven) { EditorEvents().SelectEditorLine(line, useGiven); },
            .Sound = [this]() -> TLiveSounding * {
                TLiveInstrument *live = LiveInstrument();
                return live ? &live->Sound() : nullptr;
            }},
    };
}

// Song playback's, the file commands' and the MIDI export's parts (the output port is open).
TSongCommandParts TfrmMain::SongCommandParts() {
    return TSongCommandParts{
        .Document = doc_,
        .Options = options_,
        .Services = Services(),
        .Lines = *lines_,
        .Status = *status_,
        .PlayState = play_,
        .Commands = *commands_,
        .Ports = *physicalPorts_,
        .Clock = *env_.clock,
        .Timer = env_.timer,
        .Dialogs = dialogs_,
        .OpenedDevice = openedDevice_,
        .Widgets = {.Window = this,
                    .Play = {.BitBtnPlayArrangement = BitBtnPlayArrangement,
                             .chkLoopAll = chkLoopAll,
                             .chkMetronome = chkMetronome,
                             .chkCountIn = chkCountIn,
                             .EdtCountInbars = EdtCountInbars,
                             .PosDisplay1 = PosDisplay1,
                             .TimeDisplay1 = TimeDisplay1,
                             .GroupBoxMIDIPlay = GroupBoxMIDIPlay,
                             .PaintBoxInstrument = PaintBoxInstrument},
                    .RichEdit1 = RichEdit1,
                    .PageControl1 = PageControl1,
                    .PaintBoxInstrument = PaintBoxInstrument,
                    .StatusBarRichEdit = StatusBarRichEdit,
                    .lblTempo = lblTempo,
                    .LabelTimeSigLabel = LabelTimeSigLabel,
                    .LabelSigUpper = LabelSigUpper,
                    .LabelSlash = LabelSlash,
                    .LabelSigLower = LabelSigLower},
        .Calls = {.ReadSong = [this](const QString &path) { return ReadSong(path); },
                  .WriteSong = [this](const QString &path) { return WriteSong(path); },
                  .ResetSong = [this] { ResetSong(); },
                  .SetCaptionFromFileName = [this] { SetCaptionFromFileName(); },
                  .StoreTabText = [this](int index) { return StoreTabText(index); },
                  .PageChanging = [this] { return PageControl1Changing(); },
                  .PageChanged = [this] { PageControl1Change(); },
                  .SongChanged = [this](int tab, unsigned what, bool byUser) { SongChanged(tab, what, byUser); },
                  .EnterNestedLoop = [this] { EnterNestedLoop(); },
                  .LeaveNestedLoop = [this] { LeaveNestedLoop(); },
                  .OutputPort = [this] { return OutputPort(); }},
    };
}

TLineCommandParts TfrmMain::LineCommandParts() {
    return TLineCommandParts{
        .Song = doc_.Song,
        .Lines = *lines_,
        .Status = *status_,
        .PlayState = play_,
        .Messages = Services().messages,
        .Clipboard = Services().clipboard,
        .Calls = {.LinesChanged = [this] { SongChanged(doc_.Song.CurrentTab, kChangedLines); },
                  .InsertTextLine = [this](const QString &text) { editor_->InsertTextLine(text); },
                  .SelectEditorLine = [this](int line, bool useGiven) { editor_->SelectEditorLine(line, useGiven); },
                  .ShowLine = [this](int line) { PaintBoxInstrument->ShowLine(line); },
                  .SoundLine =
                      [this](const std::string &line) {
                          if (live_)
                              live_->Sound().SoundLine(doc_.Song, line, 50, false);
                      },
                  .EnterNestedLoop = [this] { EnterNestedLoop(); },
                  .LeaveNestedLoop = [this] { LeaveNestedLoop(); },
                  .RandomBelow = {}},
    };
}

TFindParts TfrmMain::FindParts() {
    return TFindParts{
        .Lines = *lines_,
        .Dialogs = dialogs_,
        .Messages = Services().messages,
        .Calls = {.Quiet = [this] { return Busy() || doc_.Song.Current().Kind == TKind::Drums; },
                  .LinesChanged = [this] { SongChanged(doc_.Song.CurrentTab, kChangedLines); },
                  .ShowLine = [this](int line) { editor_->SelectEditorLine(line, true); },
                  .SearchChanged = [this] { ApplyCommandState(); }},
    };
}

TToolDialogParts TfrmMain::ToolDialogParts() {
    return TToolDialogParts{
        .Document = doc_,
        .Lines = *lines_,
        .Options = options_,
        .Services = Services(),
        .Dialogs = dialogs_,
        .Calls = {.Busy = [this] { return Busy(); },
                  .StoreTabText = [this](int index) { StoreTabText(index); },
                  .SelectPage = [this](int index) { return PageControl1->UserSelect(index); },
                  .FocusEditor =
                      [this] {
                          if (doc_.Song.Current().Kind != TKind::Drums)
                              RichEdit1->setFocus();
                      }},
    };
}

TMixerParts TfrmMain::MixerParts() {
    return TMixerParts{
        .Song = doc_.Song,
        .Widgets = {.GroupBoxMixer = GroupBoxMixer, .UpDownSongKey = UpDownSongKey, .chkLoopAll = chkLoopAll},
        .Calls = {.Changed = [this] { SongChanged(doc_.Song.CurrentTab, kChangedMixer); },
                  .ShowMixer = [this] { tabs_->ShowMixer(); }},
    };
}

TBookmarkParts TfrmMain::BookmarkParts() {
    return TBookmarkParts{
        .Song = doc_.Song,
        .Lines = *lines_,
        .Messages = Services().messages,
        .Calls = {.Quiet = [this] { return Busy() || doc_.Song.Current().Kind == TKind::Drums; }},
    };
}

TTablatureParts TfrmMain::TablatureParts() {
    return TTablatureParts{
        .Song = doc_.Song,
        .Lines = *lines_,
        .Options = options_,
        .Dialogs = dialogs_,
        .Calls = {.FileName = [this] { return QString::fromStdString(doc_.FileName); },
                  .Busy = [this] { return Busy(); },
                  .FocusEditor = [this] { RichEdit1->setFocus(); }},
    };
}

TEditorParts TfrmMain::EditorParts() {
    return TEditorParts{
        .Song = doc_.Song,
        .Lines = *lines_,
        .Status = *status_,
        .Services = Services(),
        .PlayState = play_,
        .Widgets = {.RichEdit1 = RichEdit1,
                    .PanelNoteButtons = PanelNoteButtons,
                    .PaintBoxInstrument = PaintBoxInstrument},
        .Calls = {.ApplyCommandState = [this] { ApplyCommandState(); },
                  .MenuOpening = [this] { ClipboardChanged(); },
                  .MarkModified = [this] { MarkModified(); },
                  .UpdateTabCaption = [this](int tab) { UpdateTabCaption(tab); },
                  .EnterNestedLoop = [this] { EnterNestedLoop(); },
                  .LeaveNestedLoop = [this] { LeaveNestedLoop(); },
                  .LiveInstrument = [this] { return LiveInstrument(); },
                  .OutputPort = [this] { return OutputPort(); },
                  .GroupLinesByBars = [this] { lineCommands_->ReformatLinesShiftCtrlF11Click(); }},
    };
}

TPickerParts TfrmMain::PickerParts() {
    return TPickerParts{
        .Song = doc_.Song,
        .Lines = *lines_,
        .PlayState = play_,
        .Services = Services(),
        .Widgets = {.LabelSelectPatch = LabelSelectPatch, .Page = PageControl1->Page()},
        .Calls = {.Dialogs = [this]() -> const TMainDialogs & { return dialogs_; },
                  .Live = [this] { return live_.get(); },
                  .SongChanged = [this](int tab, unsigned what) { SongChanged(tab, what); },
                  .InsertTextLine = [this](const QString &text) { editor_->InsertTextLine(text); },
                  .CurrentDuration = [this] { return PanelNoteButtons->CurrentDuration(); },
                  .EnterNestedLoop = [this] { EnterNestedLoop(); },
                  .LeaveNestedLoop = [this] { LeaveNestedLoop(); },
                  .FocusEditor = [this] { RichEdit1->setFocus(); },
                  .MainWindowTop = [this] { return y(); },
                  .PickDuration = [this] { lineTools_->NoteDurationSelectorCtrlRMB1Click(); }},
    };
}

TChordToolParts TfrmMain::ChordToolParts() {
    return TChordToolParts{
        .Song = doc_.Song,
        .Options = options_,
        .Lines = *lines_,
        .Calls = {.Busy = [this] { return Busy(); },
                  .CurrentDuration = [this] { return PanelNoteButtons->CurrentDuration(); },
                  .SongChanged = [this](int tab, unsigned what, bool byUser) { SongChanged(tab, what, byUser); },
                  .FocusEditor = [this] { RichEdit1->setFocus(Qt::OtherFocusReason); },
                  .Sound = [this]() -> TLiveSounding * { return live_ ? &live_->Sound() : nullptr; },
                  .EnterNestedLoop = [this] { EnterNestedLoop(); },
                  .LeaveNestedLoop = [this] { LeaveNestedLoop(); },
                  .ShowDurationPicker = [this] { lineTools_->NoteDurationSelectorCtrlRMB1Click(); }},
    };
}
