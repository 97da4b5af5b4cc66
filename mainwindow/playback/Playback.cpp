#include "mainwindow/playback/Playback.h"

#include "mainwindow/playback/PlaybackAnimation.h"
#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/playback/TimeDisplay.h"
#include "mainwindow/rules/BookmarkRules.h"
#include "mainwindow/window/Colours.h"
#include "platform/Clock.h"
#include "platform/MidiOut.h"
#include "platform/qt/MessageBoxes.h"
#include "song/SongBuilder.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <utility>

namespace {

const QColor kFirstBeatYellow(255, 255, 0);
const QColor kBeatSilver(192, 192, 192);

} // namespace

TPlayback::TPlayback(const TPlaybackParts &parts, QObject *parent) : QObject(parent), p_(parts) {
    MidiData1.SetPPQN(kBuildPpqn);
    outputs_ = std::make_unique<TTrackOutputs>(p_.Ports);
    // The window's own port keeps the device open, so a track output freed between two plays
    // (after its notes are off) has nothing to wait for.
    outputs_->SetSysexLatency(0);
    outputs_->SetMidiData(&MidiData1);
    player_ = std::make_unique<TMidiPlayer>(p_.Clock, p_.Timer);
    SetPlayButtonLook(w_.BitBtnPlayArrangement, false); // green from the start

    TimerMidiPosition.setObjectName(QStringLiteral("TimerMidiPosition"));
    TimerMidiPosition.setInterval(100);
    connect(&TimerMidiPosition, &QTimer::timeout, this, &TPlayback::TimerMidiPositionTimer);
    TimerMidiPosition.start();
    // Wakes the play loop between window events; the loop sleeps in between.
    poll_.setInterval(2);
    poll_.setTimerType(Qt::PreciseTimer);

    BuildPlayPanel();
}

TPlayback::~TPlayback() {
    // The player and its timer thread end before the outputs and the song they read.
    player_.reset();
    outputs_.reset();
}

void TPlayback::SetOutputDevice(int deviceId) { outputs_->SetDefaultOutputPort(deviceId); }

void TPlayback::BuildPlayPanel() {
    if (!w_.GroupBoxMIDIPlay)
        return;
    // Shown over the instrument picture: no caption, and nothing of what lies under it.
    if (auto *box = qobject_cast<QGroupBox *>(w_.GroupBoxMIDIPlay))
        box->setTitle(QString());
    w_.GroupBoxMIDIPlay->setAutoFillBackground(true);
    auto *row = new QHBoxLayout(w_.GroupBoxMIDIPlay);
    auto *barBeat = new QWidget(w_.GroupBoxMIDIPlay);
    barBeat->setObjectName(QStringLiteral("PanelBarBeat"));
    barBeat->setAutoFillBackground(true);
    QPalette dark = barBeat->palette();
    dark.setColor(QPalette::Window, Qt::black);
    dark.setColor(QPalette::WindowText, kBeatSilver);
    barBeat->setPalette(dark);
    auto *grid = new QHBoxLayout(barBeat);
    auto makeLabel = [&](const char *name, const QString &text, int pointSize) {
        auto *label = new QLabel(text, barBeat);
        label->setObjectName(QString::fromLatin1(name));
        QFont f = label->font();
        f.setPointSize(pointSize);
        f.setBold(true);
        label->setFont(f);
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label);
        return label;
    };
    makeLabel("LabelBarCaption", QStringLiteral("Bar"), 12);
    LabelMIDIPlayBar = makeLabel("LabelMIDIPlayBar", QStringLiteral("0"), 28);
    makeLabel("LabelBeatCaption", QStringLiteral("Beat"), 12);
    LabelMIDIPlayBeat = makeLabel("LabelMIDIPlayBeat", QStringLiteral("0"), 28);
    makeLabel("LabelOfCaption", QStringLiteral("of"), 12);
    labelMIDIPlayMaxBar = makeLabel("labelMIDIPlayMaxBar", QStringLiteral("0"), 16);
    row->addStretch(1);
    row->addWidget(barBeat, 3);
    PanelPlayMidi = new TPlaybackAnimation(w_.GroupBoxMIDIPlay);
    PanelPlayMidi->setObjectName(QStringLiteral("PanelPlayMidi"));
    row->addWidget(PanelPlayMidi, 2);
    row->addStretch(1);
}

int TPlayback::CountInBarsShown() const {
    if (!w_.chkCountIn || !w_.chkCountIn->isChecked() || !w_.EdtCountInbars)
        return 0;
    return w_.EdtCountInbars->value();
}

void TPlayback::ShowIdleButton() {
    SetPlayButtonLook(w_.BitBtnPlayArrangement, false);
    const TEditorView view = calls_.EditorView();
    calls_.SetPlayStatusText(view.HasSelection ? QStringLiteral("Play Selected Lines")
                                               : QStringLiteral("Play All Lines"));
}

void TPlayback::lblTempoClick(const std::function<std::optional<int>(int current)> &askTempo) {
    if (Playing() || !askTempo)
        return;
    TSongModel &song = p_.Song;
    const std::optional<int> tempo = askTempo(song.Tempo);
    // Every value the dialog hands back is a confirmed tempo; nothing is Cancel.
    if (!tempo || *tempo < 1 || *tempo > 500 || *tempo == song.Tempo)
        return;
    song.Tempo = *tempo;
    calls_.SongChanged(kChangedTempo, true);
}

void TPlayback::LabelSigUpperClick(
    const std::function<std::optional<std::string>(const std::string &current)> &askTimeSignature) {
    if (Playing() || !askTimeSignature)
        return;
    TSongModel &song = p_.Song;
    // The dialog starts from the signature as the labels show it.
    const auto shown = ParseTimeSignature(song.TimeSignature);
    const std::string current = shown ? FormatTimeSignature(shown->Upper, shown->Lower) : song.TimeSignature;
    const std::optional<std::string> chosen = askTimeSignature(current);
    if (!chosen)
        return;
    const auto sig = ParseTimeSignature(*chosen);
    if (!sig || !IsPlayableTimeSignature(sig->Upper, sig->Lower)) {
        p_.Messages.Error(QString::fromLatin1(kTimeSignatureRefused));
        return;
    }
    const std::string text = FormatTimeSignature(sig->Upper, sig->Lower);
    if (text != song.TimeSignature) {
        song.TimeSignature = text;
        DrumPart &drums = p_.Drums;
        drums.sigUpper = sig->Upper;
        drums.sigLower = sig->Lower;
    }
    p_.Drums.RefitGridToBar();
    // Unchanged, the caret line's status is still computed again.
    calls_.SongChanged(kChangedTimeSignature, text != current);
}

void TPlayback::BitBtnPlayArrangementClick() {
    if (Playing()) {
        // The play loop below sees the song no longer playing and winds down.
        StopSong();
        p_.PlayState.End(TPlayKind::Song);
        ShowIdleButton();
        return;
    }
    PlayCommand();
}

void TPlayback::PlayAll1Click() {
    if (Playing()) {
        BitBtnPlayArrangementClick();
        return;
    }
    const TEditorView view = calls_.EditorView();
    // From the start: the selection does not narrow the range (and must not lock out the count-in).
    if (view.HasSelection)
        calls_.ClearSelection();
    PlayKeepingView(view);
}

void TPlayback::PlayFromCursor1Click() {
    if (Playing() || p_.Song.Current().Kind == TKind::Drums)
        return;
    PlayFromCursor = true;
    PlayKeepingView(calls_.EditorView());
    PlayFromCursor = false;
}

void TPlayback::PlayFromBookmark(int bookmark) {
    if (Playing() || p_.Song.Current().Kind == TKind::Drums)
        return;
    if (bookmark < 0) {
        p_.Messages.Information(QString::fromLatin1(kSetABookmark));
        return;
    }
    const TEditorView view = calls_.EditorView();
    const std::optional<int> from = BookmarkPlayLine(bookmark, view.LineCount, view.CaretLine);
    // The lines that play stay selected while they play.
    if (from)
        calls_.SelectLines(*from, view.LineCount - 1);
    playFromLine_ = from.value_or(-1);
    PlayKeepingView(view);
    playFromLine_ = -1;
}

void TPlayback::PlayKeepingView(const TEditorView &view) {
    // A faulty line stays selected, on its own tab; otherwise the view comes back as it was.
    const int tab = p_.Song.CurrentTab;
    if (PlayCommand() && p_.Song.CurrentTab == tab)
        calls_.RestoreEditorView(view, view.HasSelection);
}

void TPlayback::StopSong() {
    player_->Stop();
    player_->SetPlay(false);
    player_->AllNotesOff();
    calls_.StopOtherOutputs();
    outputs_->ResetControllers();
}

void TPlayback::Escape() {
    p_.PlayState.AbortRequested = true;
    if (Playing())
        StopSong();
}

void TPlayback::SetBodyMuted(bool muted) {
    // During a count-in before the caret line only the metronome track (the last) sounds.
    const int count = outputs_->GetCount();
    for (int i = 0; i + 1 < count; ++i)
        outputs_->GetOutput(i)->Muted = muted;
}

bool TPlayback::PlayCommand() {
    TSongModel &song = p_.Song;
    DrumPart &drums = p_.Drums;
    const bool drumsTab = song.Current().Kind == TKind::Drums;

    // Playing the song locks the window (the command state follows the play state); a
    // selection of lines (or of several patterns) leaves Count In unchecked meanwhile.
    if (!p_.PlayState.Begin(TPlayKind::Song))
        return false;
    if (drumsTab && drums.list.Count() > 0 && drums.list.SelectedCount() == 0)
        drums.list.SetSelected(0, true);
    SetPlayButtonLook(w_.BitBtnPlayArrangement, true);
    calls_.SetBusyCursor(true);

    const TEditorView view = calls_.EditorView();
    TPlaySource source;
    source.DrumsTab = drumsTab;
    source.FromCursor = PlayFromCursor;
    source.FromLine = playFromLine_;
    source.CaretLine = view.CaretLine;
    source.HasSelection = view.HasSelection && view.SelLast > view.SelFirst;
    source.SelFirst = view.SelFirst;
    source.SelLast = view.SelLast;
    source.SelectedPatterns = drums.list.SelectedIndices();
    source.PatternCount = drums.list.Count();

    // Building reads the tabs' stored lines; the modified marks are the user's, not the build's.
    std::array<bool, kTabCount> modified{};
    for (int i = 0; i < kTabCount; ++i)
        modified[size_t(i)] = song.Tabs[size_t(i)].Modified;
    calls_.StoreTabText();
    TPlaySettings settings;
    settings.Metronome = w_.chkMetronome && w_.chkMetronome->isChecked();
    settings.CountIn = w_.chkCountIn && w_.chkCountIn->isChecked(); // the lock unchecked it where it may not count
    settings.CountInBars = w_.EdtCountInbars ? w_.EdtCountInbars->value() : 1;
    countInShown_ = settings.CountIn;
    // The outputs are let go before the song they play is rebuilt.
    player_->SetTrackOutputs(nullptr);
    outputs_->SetActive(false);
    const TBuildResult built = BuildSongMidi(song, drums, settings, MidiData1);
    for (int i = 0; i < kTabCount; ++i)
        song.Tabs[size_t(i)].Modified = modified[size_t(i)];
    calls_.ShowModifiedPanel(true);

    if (!drumsTab) {
        calls_.RestoreEditorView(view, view.HasSelection);
        calls_.ClearInstrumentPicture();
    }

    auto finish = [&] {
        calls_.SetBusyCursor(false);
        p_.PlayState.End(TPlayKind::Song);
        calls_.ShowModifiedPanel(false);
        ShowIdleButton();
    };

    builtTempo_.clear();
    if (!built.Ok()) {
        player_->SetPlay(false);
        MidiData1.New();
        MidiData1.SetPPQN(kBuildPpqn);
        calls_.SetBusyCursor(false);
        p_.Messages.ShowMessage(built.Status == TBuildStatus::NothingToPlay ? QString::fromLatin1(kNothingToPlay)
                                                                            : QString::fromStdString(built.Message));
        // Unlocked first: showing the failing tab is a tab change, refused while playing.
        finish();
        if (built.Status != TBuildStatus::NothingToPlay) {
            if (built.Tab >= 1 && built.Tab <= kTabCount && built.Tab != song.CurrentTab)
                calls_.ShowTab(built.Tab);
            if (built.Line >= 0 && built.Line < calls_.EditorView().LineCount)
                calls_.SelectLines(built.Line, built.Line);
            return false;
        }
        return true;
    }

    const int64_t countIn = CountInTicks(song, drums, settings);
    for (TTempoChange change : TempoChangesOf(MidiData1)) {
        change.Tick = static_cast<int32_t>(std::max<int64_t>(change.Tick - countIn, 0));
        builtTempo_.push_back(change);
    }
    range_ = ComputePlayRange(source, std::as_const(song).Lines(song.CurrentTab), MidiData1, countIn);

    outputs_->SetActive(true);
    player_->SetTrackOutputs(outputs_.get());
    ShowPlayPanel(settings.CountIn ? settings.CountInBars : 0);
    calls_.SetBusyCursor(false);

    p_.PlayState.AbortRequested = false;
    calls_.EnterNestedLoop();
    do {
        RunRange();
    } while (w_.chkLoopAll && w_.chkLoopAll->isChecked() && Playing() && !p_.PlayState.AbortRequested);
    calls_.LeaveNestedLoop();

    StopSong();
    SetBodyMuted(false);
    HidePlayPanel();
    finish();
    return true;
}

void TPlayback::ShowPlayPanel(int countInBars) {
    TMidiPosition end;
    end.SetMidiData(&MidiData1);
    end.MoveToEnd();
    if (labelMIDIPlayMaxBar)
        labelMIDIPlayMaxBar->setText(QString::number(std::max<int64_t>(end.Bar() - countInBars, 0)));
    if (LabelMIDIPlayBar)
        LabelMIDIPlayBar->setText(QStringLiteral("0"));
    if (LabelMIDIPlayBeat)
        LabelMIDIPlayBeat->setText(QStringLiteral("0"));
    if (w_.GroupBoxMIDIPlay) {
        w_.GroupBoxMIDIPlay->show();
        w_.GroupBoxMIDIPlay->raise();
    }
    if (w_.PaintBoxInstrument)
        w_.PaintBoxInstrument->hide();
    if (auto *anim = qobject_cast<TPlaybackAnimation *>(PanelPlayMidi))
        anim->SetActive(true);
}

void TPlayback::HidePlayPanel() {
    if (auto *anim = qobject_cast<TPlaybackAnimation *>(PanelPlayMidi))
        anim->SetActive(false);
    if (w_.GroupBoxMIDIPlay)
        w_.GroupBoxMIDIPlay->hide();
    if (w_.PaintBoxInstrument)
        w_.PaintBoxInstrument->show();
}

void TPlayback::RunRange() {
    TMidiPlayer &player = *player_;
    const bool countInFirst = range_.CountInEnd > 0 && range_.Start > range_.CountInEnd;
    SetBodyMuted(countInFirst);
    player.SetPosition(countInFirst ? 0 : range_.Start);
    player.SetStopTick(range_.End); // what lies at the range's end is not played
    player.SetPlay(true);
    bool inCountIn = countInFirst;
    poll_.start();
    auto keepGoing = [&] { return player.Play() && Playing() && !p_.PlayState.AbortRequested; };
    while (keepGoing()) {
        const int64_t tick = player.Position();
        if (inCountIn && tick >= range_.CountInEnd) {
            // The count-in is over: on to the caret line, now with every track sounding.
            inCountIn = false;
            SetBodyMuted(false);
            player.SetPosition(range_.Start);
            continue;
        }
        if (!inCountIn && tick >= range_.End)
            break;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }
    poll_.stop();
    player.SetPlay(false);
    QCoreApplication::processEvents();
}

void TPlayback::TimerMidiPositionTimer() {
    if (!player_->Play())
        return;
    int64_t bar = 0, beatTick = 0;
    int beat = 0;
    player_->GetBarBeatTick(bar, beat, beatTick);
    if (countInShown_)
        bar -= CountInBarsShown();
    if (w_.PosDisplay1)
        w_.PosDisplay1->SetPosition(static_cast<int>(std::max<int64_t>(bar, 0)), beat, static_cast<int>(beatTick));
    if (w_.TimeDisplay1)
        w_.TimeDisplay1->SetTime(static_cast<int>(player_->Time()));
    if (LabelMIDIPlayBar)
        LabelMIDIPlayBar->setText(QString::number(bar < 0 ? 0 : bar + 1));
    if (LabelMIDIPlayBeat) {
        LabelMIDIPlayBeat->setText(QString::number(beat + 1));
        QPalette p = LabelMIDIPlayBeat->palette();
        p.setColor(QPalette::WindowText, beat == 0 ? kFirstBeatYellow : kBeatSilver);
        LabelMIDIPlayBeat->setPalette(p);
    }
    if (auto *anim = qobject_cast<TPlaybackAnimation *>(PanelPlayMidi))
        anim->Step();
}
