// The options on the main window: the output device switched while the program runs (the
// start-up path with its fallback and warning; the song and the live instrument follow), the
// session-only device, hints and font, and the panic button.
#include "MainWindowFixture.h"

#include "PlayerDrive.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/window/MainDialogs.h"
#include "midi/MidiOutputPort.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

class OptionsWindowTest : public MainWindowTest {
protected:
    TfrmMain &MakeTimed(QStringList args = {}) {
        TMainEnvironment env = Environment(midi);
        env.timer = &timer;
        env.arguments = std::move(args);
        env.programDir = dir.path();
        w = std::make_unique<TfrmMain>(env);
        w->show();
        w->FormActivate();
        w->LiveInstrument()->Sound().SetWaiter([this](int ms, bool) { clock.Advance(ms); });
        return *w;
    }
    // The options hand-off answers with `change` applied to the options it was given.
    void AnswerOptions(std::function<void(TOptionsResult &)> change) {
        TMainDialogs d = w->Dialogs();
        d.options = [this, change](const TOptionsInput &in, const TOptionsCalls &calls) {
            shownDevices = in.deviceNames;
            shownDevice = in.options.Device;
            lastCalls = calls;
            TOptionsResult r{in.options, true};
            change(r);
            return std::optional<TOptionsResult>(r);
        };
        w->SetDialogs(d);
    }
    std::set<int> NoteDevices() const {
        std::set<int> devices;
        for (const auto &m : midi.Messages())
            if ((m.status & 0xF0) == 0x90)
                devices.insert(m.device);
        return devices;
    }
    platform::ManualTimer timer;
    QStringList shownDevices;
    int shownDevice = -9;
    TOptionsCalls lastCalls;
};

TEST_F(OptionsWindowTest, ChosenDeviceReopensThePortAndEverySoundFollowsIt) {
    MakeTimed({WriteSong(QStringLiteral("song.twd"), 6, {"C, x, 3, 2, 0, 1, 0, Q"})});
    ASSERT_EQ(midi.OpenedIds(), std::vector<int>{-1});
    AnswerOptions([](TOptionsResult &r) { r.options.Device = 1; });
    Act(*w, "Options1")->trigger();
    EXPECT_EQ(shownDevices, (QStringList{"Synth", "Port A"}));
    EXPECT_EQ(shownDevice, -1);
    EXPECT_EQ(midi.OpenedIds(), (std::vector<int>{-1, 1}));
    EXPECT_EQ(midi.OpenCount(), 1); // the default device is closed again
    EXPECT_EQ(w->Options().Device, 1);
    EXPECT_EQ(w->OpenedDevice(), 1);
    EXPECT_EQ(ts.messages.Count(), 0);

    // The song plays on the new device...
    midi.Clear();
    DrivePlayer(
        clock, timer, [&] { Act(*w, "PlayAll1")->trigger(); }, {}, [&] { w->FormKeyDown(Qt::Key_Escape); });
    EXPECT_EQ(NoteDevices(), std::set<int>{1});
    // ... and so does the caret line on tab 6.
    ASSERT_TRUE(SelectTab(6));
    midi.Clear();
    w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q"));
    w->Lines().MoveCaretToLine(0);
    Ctl<TNotationEdit>(*w, "RichEdit1")->setFocus();
    QTest::keyClick(Ctl<TNotationEdit>(*w, "RichEdit1"), Qt::Key_Down);
    EXPECT_EQ(NoteDevices(), std::set<int>{1});

    // Kept for the next run.
    EXPECT_TRUE(w->close());
    EXPECT_EQ(ReadSetting(QStringLiteral("Midi/Device")), QStringLiteral("1"));
}

TEST_F(OptionsWindowTest, SessionOnlyDeviceIsNotKeptAndTheSameDeviceIsNotReopened) {
    WriteSetting(QStringLiteral("Midi/Device"), QStringLiteral("0"));
    MakeTimed();
    AnswerOptions([](TOptionsResult &r) { r.options.ShowHints = false; });
    Act(*w, "Options1")->trigger();
    EXPECT_EQ(midi.OpenedIds(), std::vector<int>{0}); // nothing to switch
    EXPECT_TRUE(Ctl<QPushButton>(*w, "btnPlayFRT")->toolTip().isEmpty());
    AnswerOptions([](TOptionsResult &r) {
        r.options.Device = -1;
        r.saveMidiDevice = false;
    });
    Act(*w, "Options1")->trigger();
    EXPECT_EQ(midi.OpenedIds(), (std::vector<int>{0, -1}));
    EXPECT_FALSE(w->SaveMidiDevice());
    EXPECT_TRUE(w->close());
    EXPECT_EQ(ReadSetting(QStringLiteral("Midi/Device")), QStringLiteral("0"));
}

TEST_F(OptionsWindowTest, FailingDeviceFallsBackAndSaysSoNoDeviceWarnsAndIsTriedAgain) {
    MakeTimed();
    midi.SetFailingIds({1});
    AnswerOptions([](TOptionsResult &r) { r.options.Device = 1; });
    Act(*w, "Options1")->trigger();
    EXPECT_EQ(ts.messages.Texts(),
              QStringList{
                  QStringLiteral("The MIDI device \"Port A\" could not be opened. The default device plays instead.")});
    EXPECT_EQ(w->OpenedDevice(), 1);
    EXPECT_EQ(midi.OpenCount(), 1);

    ts.messages.Clear();
    midi.SetFailingIds({-1, 0, 1});
    AnswerOptions([](TOptionsResult &r) { r.options.Device = 0; });
    Act(*w, "Options1")->trigger();
    EXPECT_EQ(ts.messages.Texts(), QStringList{QStringLiteral("Warning: No sound hardware found on this computer.")});
    EXPECT_EQ(w->Options().Device, -1);
    EXPECT_EQ(w->OpenedDevice(), -2);

    // Sound came back: the same choice opens it now.
    midi.SetFailingIds({});
    AnswerOptions([](TOptionsResult &) {});
    Act(*w, "Options1")->trigger();
    EXPECT_EQ(w->OpenedDevice(), -1);
    EXPECT_NE(w->OutputPort()->GetHandle(), nullptr);
    EXPECT_EQ(midi.OpenCount(), 1);
}

TEST_F(OptionsWindowTest, PreviewShowsTheFontAtOnceAndPanicSilencesTheHeldNotes) {
    MakeTimed();
    bool bold = false;
    TMainDialogs d = w->Dialogs();
    d.options = [&](const TOptionsInput &in, const TOptionsCalls &calls) {
        w->OutputPort()->NoteOn(0, 60, 100);
        midi.Clear();
        calls.Panic();
        calls.PreviewFont(20, 8, 0);
        bold = Ctl<TNotationEdit>(*w, "RichEdit1")->font().bold();
        TOptionsResult r{in.options, true};
        r.options.Style = 8;
        return std::optional<TOptionsResult>(r);
    };
    w->SetDialogs(d);
    Act(*w, "Options1")->trigger();
    EXPECT_TRUE(bold);
    bool off = false;
    for (const auto &m : midi.Messages())
        off |= (m.status == 0x80 || (m.status == 0x90 && m.data2 == 0)) && m.data1 == 60;
    EXPECT_TRUE(off);
    // OK keeps the stored size and the chosen boldness.
    EXPECT_EQ(Ctl<TNotationEdit>(*w, "RichEdit1")->font().pointSize(), w->Options().Size);
    EXPECT_TRUE(Ctl<TNotationEdit>(*w, "RichEdit1")->font().bold());
}

} // namespace
