#include "mainwindow/tools/Pickers.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/PickerRules.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/SongChange.h"
#include "mainwindow/tools/ChordTools.h"
#include "mainwindow/window/MainDialogs.h"
#include "platform/qt/Services.h"
#include "song/SongModel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QRect>
#include <QWidget>

TPickers::TPickers(const TPickerParts &parts)
    : song_(parts.Song), lines_(parts.Lines), play_(parts.PlayState), services_(parts.Services),
      LabelSelectPatch(parts.Widgets.LabelSelectPatch), calls_(parts.Calls) {
    LabelSelectPatch->setCursor(Qt::PointingHandCursor);
    LabelSelectPatch->installEventFilter(this);

    line_ = new QWidget(parts.Widgets.Page);
    line_->setObjectName(QStringLiteral("PanelScaleLine"));
    auto *row = new QHBoxLayout(line_);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(0);
    scale_ = std::make_unique<TScaleDisplay>(
        TScaleDisplayParts{
            .Song = song_,
            .Calls = {.Live = calls_.Live, .Dialogs = calls_.Dialogs, .Busy = [this] { return play_.Busy(); }}},
        line_, row);
    row->addStretch(1);
}

TPickers::~TPickers() = default;

bool TPickers::eventFilter(QObject *watched, QEvent *event) {
    if (watched == LabelSelectPatch && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        LabelSelectPatchClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// ---- previews -------------------------------------------------------------------------------

void TPickers::PreviewNote(const TPreviewNote &note) {
    TLiveInstrument *live = calls_.Live();
    if (!live)
        return;
    calls_.EnterNestedLoop();
    live->Sound().PreviewNote(note.bank, note.program, note.channel, note.note, note.velocity, kPreviewMs);
    calls_.LeaveNestedLoop();
}

// ---- the sound picker -----------------------------------------------------------------------

void TPickers::LabelSelectPatchClick() {
    const TMainDialogs &dialogs = calls_.Dialogs();
    if (play_.Busy() || !dialogs.selectPatch)
        return;
    const int tab = song_.CurrentTab;
    const TInstrumentTab &rec = song_.Current();
    bool inserted = false;
    TPatchInput in;
    in.tabName = rec.Name;
    in.bank = rec.Bank;
    in.volume = rec.Volume;
    in.preview = [this](const TPreviewNote &note) { PreviewNote(note); };
    in.insertLine = [this, &inserted](const std::string &line) {
        calls_.InsertTextLine(QString::fromStdString(line));
        inserted = true;
    };
    const std::optional<TPatchChoice> choice = dialogs.selectPatch(in);
    // The previews played on channel 0: the tab's own sound is sent again.
    if (TLiveInstrument *live = calls_.Live())
        live->Sound().SendTabPatch(song_.Current());
    unsigned changed = inserted ? kChangedLines : 0u;
    TInstrumentTab &target = song_.Tab(tab);
    if (choice && (choice->program != target.Patch || choice->patchName != target.PatchName)) {
        target.Patch = choice->program;
        target.PatchName = choice->patchName;
        changed |= kChangedTabSettings;
        if (TLiveInstrument *live = calls_.Live())
            live->Sound().SendTabPatch(target);
    }
    if (changed)
        calls_.SongChanged(tab, changed);
    LabelSelectPatch->setText(QStringLiteral("Instrument: ") + QString::fromStdString(target.PatchName));
}

// ---- the piano chord dialog -----------------------------------------------------------------

void TPickers::OpenPianoChord() {
    if (play_.Busy() || song_.Current().Kind != TKind::Piano)
        return;
    const TMainDialogs &dialogs = calls_.Dialogs();
    if (!dialogs.pianoChord || !calls_.Live())
        return;
    dialogs.pianoChord(PianoChordInput());
    calls_.FocusEditor();
}

TPianoChordInput TPickers::PianoChordInput() {
    TPianoChordInput in;
    in.mainWindowTop = calls_.MainWindowTop ? calls_.MainWindowTop() : 0;
    in.showChord = [this](const TPianoChordShow &show) { ShowPianoChord(show); };
    in.lineFromKeyboard = [this](const std::string &key, const std::string &type) {
        TLiveInstrument *live = calls_.Live();
        return live ? live->Keyboard().Model().PianoLineFromKeyboard(key, type, calls_.CurrentDuration())
                    : std::string();
    };
    in.playLine = [this](const std::string &line) { PlayPianoLine(line); };
    in.refreshKeyColours = [this] {
        if (TLiveInstrument *live = calls_.Live()) {
            live->Keyboard().Model().RefreshKeyColours(true);
            live->Keyboard().View()->update();
        }
    };
    in.clearDisplay = [this] {
        if (TLiveInstrument *live = calls_.Live())
            live->ClearInstrumentDisplay();
    };
    in.insertLine = [this](const std::string &line) { InsertPianoLine(line); };
    in.currentDuration = calls_.CurrentDuration;
    in.pickKey = [this](const std::string &caption) -> std::optional<int> {
        const TMainDialogs &dialogs = calls_.Dialogs();
        return dialogs.selectKey ? dialogs.selectKey({caption}) : std::nullopt;
    };
    in.pickChordType = [this]() -> std::optional<TChordTypeChoice> {
        const TMainDialogs &dialogs = calls_.Dialogs();
        if (!dialogs.selectChordType)
            return std::nullopt;
        const std::optional<TChordTypeChoice> choice = dialogs.selectChordType();
        if (choice)
            PianoChordRow = choice->row;
        return choice;
    };
    in.pickDuration = [this] {
        if (calls_.PickDuration)
            calls_.PickDuration();
    };
    return in;
}

void TPickers::ShowPianoChord(const TPianoChordShow &show) {
    TLiveInstrument *live = calls_.Live();
    if (!live || song_.Current().Kind != TKind::Piano)
        return;
    // The dialog's own row: the keys shown always match the chord it names.
    PianoChordRow = show.row;
    const std::string error = live->Keyboard().Model().ShowPianoChord(show.key, ChordRowSemitones(show.row),
                                                                      show.octaveShift, show.remember, show.clearFirst);
    live->Keyboard().View()->update();
    if (!error.empty())
        services_.messages.ShowMessage(QString::fromStdString(error));
}

void TPickers::PlayPianoLine(const std::string &line) {
    TLiveInstrument *live = calls_.Live();
    if (!live)
        return;
    calls_.EnterNestedLoop();
    live->Sound().SendTabPatch(song_.Current());
    live->Sound().PlayPianoLineLive(song_, line, 100, -1, -1);
    calls_.LeaveNestedLoop();
}

void TPickers::InsertPianoLine(const std::string &line) {
    if (line.empty())
        return;
    InsertChordLines(lines_, {line});
    calls_.SongChanged(song_.CurrentTab, kChangedLines);
}

// ---- the scale line ---------------------------------------------------------------------------

int TPickers::ScaleLineHeight() const { return song_.Current().Kind != TKind::Drums ? line_->sizeHint().height() : 0; }

void TPickers::PlaceScaleLine(const QRect &rect) {
    line_->setGeometry(rect);
    line_->setVisible(rect.height() > 0);
}

void TPickers::SongChanged(unsigned what) {
    if (what != kChangedWholeSong)
        return;
    scale_->Reset();
    PianoChordRow = 0;
}

void TPickers::SetHintsVisible(bool visible) { scale_->SetHintsVisible(visible); }
