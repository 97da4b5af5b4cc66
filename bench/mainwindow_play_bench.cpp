// From F2 to the first note-on sent: the play command stores nothing new, builds the whole
// song (15 note tabs of 2,000 lines and 500 drum patterns), seeks the player and starts it on
// the real timer thread; the recording output stamps each message with the steady clock.
//   mainwindow_play_bench [runs] [lines-per-tab]
#include "mainwindow/playback/Playback.h"
#include "mainwindow/playback/PosDisplay.h"
#include "mainwindow/playback/TimeDisplay.h"
#include "platform/SteadyClock.h"
#include "platform/TestDoubles.h"
#include "platform/ThreadTimer.h"
#include "platform/qt/TestServices.h"
#include "song/NewSong.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char *const kGuitar[] = {"*TEMPO 96",
                               "",
                               "C, x, 3, 2, 0, 1, 0, Q",
                               "Am, x, 0, 2, 2, 1, 0, Q",
                               "F, 1, 3, 3, 2, 1, 1, Q",
                               "G, 3, 2, 0, 0, 0, 3, Q",
                               "Dm7, x, x, 0, 2, 1, 1, H"};
const char *const kPiano[] = {"*VOLUME 90", "C, 48, 52, 55, x, x, x, x, x, x, x, Q",
                              "Am, 45, 48, 52, x, x, x, x, x, x, x, Q", "C5, 60, x, x, x, x, x, x, x, x, x, E"};

// A line for an instrument of `strings` strings: a fret on the lowest string, the rest silent.
std::string FrettedLine(int strings, int i) {
    std::string line = "N";
    for (int s = 0; s < strings; ++s)
        line += s + 1 == strings ? ", " + std::to_string(i % 5) : ", x";
    return line + (i % 2 ? ", Q" : ", E");
}

// The window's side of playback: the song, its message boxes and play state; every call does
// nothing but report an empty editor of the tab's lines.
struct BenchRig {
    TSongModel song;
    DrumPart drums;
    platform::ScriptedMessageBoxes messages;
    TPlayState play;

    TPlaybackCalls Calls() {
        return {.EditorView =
                    [this] {
                        TEditorView v;
                        v.LineCount = int(song.Lines(song.CurrentTab).size());
                        return v;
                    },
                .RestoreEditorView = [](const TEditorView &, bool) {},
                .SelectLines = [](int, int) {},
                .ClearSelection = [] {},
                .StoreTabText = [] {},
                .ShowTab = [](int) {},
                .ClearInstrumentPicture = [] {},
                .SetPlayStatusText = [](const QString &) {},
                .ShowModifiedPanel = [](bool) {},
                .EnterNestedLoop = [] {},
                .LeaveNestedLoop = [] {},
                .StopOtherOutputs = [] {},
                .SetBusyCursor = [](bool) {},
                .SongChanged = [](unsigned, bool) {}};
    }
};

void FillSong(BenchRig &rig, int perTab) {
    ResetSongModel(rig.song, rig.drums);
    for (int t = 1; t <= kTabCount; ++t) {
        const TInstrumentTab &tab = rig.song.Tab(t);
        if (tab.Kind == TKind::Drums)
            continue;
        auto &lines = rig.song.Lines(t);
        for (int i = 0; i < perTab; ++i) {
            if (tab.Kind == TKind::Piano)
                lines.emplace_back(kPiano[i % std::size(kPiano)]);
            else if (tab.Kind == TKind::Guitar)
                lines.emplace_back(kGuitar[i % std::size(kGuitar)]);
            else
                lines.emplace_back(FrettedLine(tab.HighestString + 1, i));
        }
    }
    for (int p = 0; p < 500; ++p) {
        rig.drums.list.Add(FormatPatternListLine("P" + std::to_string(p), rig.drums.ids.Next(), kFeelRegular));
        rig.drums.store.AppendLines(
            {"DPATN|0003|" + rig.drums.list.Item(p), "3501000000000000", "3800001000000100", "4210101010101010"});
    }
    rig.song.CurrentTab = 6;
}

} // namespace

int main(int argc, char **argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int perTab = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;

    platform::SteadyClock clock;
    platform::ThreadTimer timer;
    platform::RecordingMidiOutSystem system({"Recorder"}, &clock);
    BenchRig rig;
    FillSong(rig, perTab);
    QPushButton play(QStringLiteral("Play"));
    QCheckBox loop, metronome, countIn;
    QSpinBox bars;
    TPosDisplay pos;
    TTimeDisplay time;
    QWidget panel, picture;
    TPhysicalPortList ports(system);
    TPlayback playback(TPlaybackParts{.Song = rig.song,
                                      .Drums = rig.drums,
                                      .PlayState = rig.play,
                                      .Messages = rig.messages,
                                      .Ports = ports,
                                      .Clock = clock,
                                      .Timer = timer,
                                      .Widgets = {.BitBtnPlayArrangement = &play,
                                                  .chkLoopAll = &loop,
                                                  .chkMetronome = &metronome,
                                                  .chkCountIn = &countIn,
                                                  .EdtCountInbars = &bars,
                                                  .PosDisplay1 = &pos,
                                                  .TimeDisplay1 = &time,
                                                  .GroupBoxMIDIPlay = &panel,
                                                  .PaintBoxInstrument = &picture},
                                      .Calls = rig.Calls()});

    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        system.Clear();
        int64_t pressed = 0, firstNote = -1;
        QTimer watch;
        watch.setInterval(1);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            for (const auto &m : system.Messages())
                if ((m.status & 0xF0) == 0x90 && m.data2 > 0) {
                    firstNote = m.timeMs;
                    playback.Escape();
                    return;
                }
        });
        QTimer::singleShot(0, [&] {
            watch.start();
            pressed = clock.NowMs();
            playback.PlayAll1Click(); // F2
        });
        QTimer::singleShot(0, &app, [&] {}); // let the press run
        while (firstNote < 0 || playback.Playing()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (rig.messages.Count() > 0) {
                std::fprintf(stderr, "the song did not play: %s\n", qPrintable(rig.messages.LastText()));
                return 1;
            }
        }
        watch.stop();
        ms.push_back(double(firstNote - pressed));
        rig.play.AbortRequested = false;
    }
    std::sort(ms.begin(), ms.end());
    int64_t events = 0;
    for (int t = 0; t < playback.MidiData().GetTrackCount(); ++t)
        events += playback.MidiData().GetTrack(t)->EventCount();
    std::printf("built song: %d tracks, %lld events\n", playback.MidiData().GetTrackCount(), (long long)events);
    std::printf("F2 to first note-on, %d tabs x %d lines + 500 drum patterns, %d runs: "
                "median %.0f ms, min %.0f ms, max %.0f ms\n",
                kTabCount - 1, perTab, runs, ms[ms.size() / 2], ms.front(), ms.back());
    return 0;
}
