// The pickers in the main window with the real dialogs and the recording MIDI output: the
// sound picker's previews and choices reaching the tab and the built song, the percussion
// picker reaching a drum slot, piano chords inserted from the piano chord dialog, and the
// scale line showing keys and scales on the fretboard and the keyboard.
#include "MainWindowFixture.h"

#include "dialogs/Dialogs.h"
#include "dialogs/common/DialogControls.h"
#include "mainwindow/drums/DrumTab.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/tools/Pickers.h"
#include "mainwindow/window/DialogHandOffs.h"
#include "midi/MidiData.h"
#include "song/SongBuilder.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {

template <class T> T *In(QWidget &dialog, const char *name) {
    auto *c = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

class PickersTest : public ShownMainWindowTest {
protected:
    struct Wait {
        int ms;
        bool stopRequested; // as the wait began
        bool busy;
    };

    void SetUp() override {
        ShownMainWindowTest::SetUp();
        dialogs = CreateDialogs(ts.Get(), w.get());
        WireMainDialogs(*w, dialogs);
        w->LiveInstrument()->Sound().SetWaiter([this](int ms, bool) {
            waits.push_back({ms, w->PlayState().StopRequested, w->Busy()});
            if (duringWait)
                duringWait();
        });
        midi.Clear();
    }
    void TearDown() override {
        w->LiveInstrument()->Sound().SetWaiter({});
        w->SetDialogs({});
        dialogs = TDialogs{};
    }

    // The next dialog shown runs `drive`; its own controls decide how it closes.
    void Drive(std::function<void(QWidget &)> drive) {
        ts.modal.QueueAnswer([drive](platform::ModalDialog &d) {
            drive(d);
            return int(platform::mrNone);
        });
    }
    void Click(const char *label, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Ctl<QLabel>(*w, label), button);
    }
    // The channel messages sent since the last Clear, as hex bytes ("C0 26", "90 34 64").
    std::vector<std::string> Sent() const {
        std::vector<std::string> out;
        for (const platform::RecordedMessage &m : midi.Messages()) {
            char buf[16];
            if ((m.status & 0xF0) == 0xC0)
                std::snprintf(buf, sizeof buf, "%02X %02X", m.status, m.data1);
            else
                std::snprintf(buf, sizeof buf, "%02X %02X %02X", m.status, m.data1, m.data2);
            out.emplace_back(buf);
        }
        return out;
    }
    // Every note that went on went off again.
    void ExpectEveryNoteReleased() const {
        std::map<std::pair<int, int>, int> on;
        for (const platform::RecordedMessage &m : midi.Messages()) {
            const int kind = m.status & 0xF0, key = (m.status & 0x0F) * 128 + m.data1;
            if (kind == 0x90 && m.data2 > 0)
                ++on[{key, 0}];
            else if (kind == 0x80 || kind == 0x90)
                --on[{key, 0}];
        }
        for (const auto &[note, count] : on)
            EXPECT_EQ(count, 0) << "channel " << note.first / 128 << " note " << note.first % 128;
    }

    TDialogs dialogs;
    std::vector<Wait> waits;
    std::function<void()> duringWait;
};

TEST_F(PickersTest, ASoundChosenReachesTheTabItsChannelAndTheBuiltSong) {
    ASSERT_TRUE(SelectTab(6));
    TInstrumentTab &guitar = w->Document().Song.Tab(6);
    ASSERT_NE(guitar.Patch, 26);
    w->PlayState().StopRequested = true; // left over from an earlier play
    midi.Clear();
    Drive([](QWidget &d) {
        QTest::mouseClick(In<TClickLabel>(d, "Label38"), Qt::LeftButton);
        QTest::mouseDClick(In<TClickLabel>(d, "Label26"), Qt::LeftButton);
    });
    Click("LabelSelectPatch");

    const std::vector<std::string> sent = Sent();
    ASSERT_GE(sent.size(), 3u);
    // "Synth Bass 1 (38)" is heard on channel 0 at note 52 and the tab's volume, then let go.
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 3),
              (std::vector<std::string>{"C0 26", "90 34 64", "80 34 00"}));
    EXPECT_EQ(sent.back(), "C5 1A"); // the tab's channel takes its new sound
    ExpectEveryNoteReleased();
    ASSERT_FALSE(waits.empty());
    EXPECT_EQ(waits[0].ms, 250);
    EXPECT_FALSE(waits[0].stopRequested); // the preview is heard in full
    EXPECT_TRUE(waits[0].busy);           // and nothing else starts meanwhile
    EXPECT_FALSE(w->Busy());

    EXPECT_EQ(guitar.Patch, 26);
    EXPECT_EQ(guitar.PatchName, "Electic Guitar (jazz) (26)");
    EXPECT_TRUE(guitar.Modified);
    EXPECT_EQ(Ctl<QLabel>(*w, "LabelSelectPatch")->text(), QStringLiteral("Instrument: Electic Guitar (jazz) (26)"));

    TSongModel song = w->Document().Song;
    song.Lines(6) = {"C, x, 3, 2, 0, 1, 0, Q"};
    TMidiData built;
    ASSERT_TRUE(BuildSongMidi(song, w->Document().Drums, TPlaySettings{}, built).Ok());
    bool programmed = false;
    for (int t = 1; t < built.GetTrackCount(); ++t)
        for (int i = 0; i < built.GetTrack(t)->EventCount(); ++i) {
            const TMidiEvent &e = *built.GetTrack(t)->GetEvent(i);
            if ((e.Status & 0xF0) == 0xC0 && e.Channel() == guitar.Channel)
                programmed = e.Data1 == 26 && e.Time == 0;
        }
    EXPECT_TRUE(programmed);
}

TEST_F(PickersTest, ClosingOrChoosingTheSameSoundLeavesTheTabUnmarked) {
    ASSERT_TRUE(SelectTab(6));
    TInstrumentTab &guitar = w->Document().Song.Tab(6);
    const int patch = guitar.Patch;
    for (const char *close : {"escape", "button"}) {
        Drive([close](QWidget &d) {
            QTest::mouseClick(In<TClickLabel>(d, "Label40"), Qt::LeftButton);
            if (std::string(close) == "escape")
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                QTest::mouseClick(In<QPushButton>(d, "BitBtn1"), Qt::LeftButton);
        });
        Click("LabelSelectPatch");
        EXPECT_EQ(guitar.Patch, patch) << close;
        EXPECT_FALSE(guitar.Modified) << close;
    }
    // The stored name may differ from the picker's caption: choosing it writes the caption.
    const QString same = QStringLiteral("Label%1").arg(patch);
    auto chooseSame = [&] {
        Drive([same](QWidget &d) { QTest::mouseDClick(d.findChild<TClickLabel *>(same), Qt::LeftButton); });
        Click("LabelSelectPatch");
    };
    chooseSame();
    EXPECT_EQ(guitar.PatchName, SoundCaption(patch));
    w->ClearModifiedMarks();
    chooseSame();
    EXPECT_FALSE(guitar.Modified);
    ExpectEveryNoteReleased();
}

TEST_F(PickersTest, RightClickInsertsTheInstrumentLineAndKeepsTheSound) {
    ASSERT_TRUE(SelectTab(6));
    w->Lines().LoadText(QStringLiteral("C, x, 3, 2, 0, 1, 0, Q"));
    const int patch = w->Document().Song.Tab(6).Patch;
    Drive([](QWidget &d) { QTest::mouseClick(In<TClickLabel>(d, "Label77"), Qt::RightButton); });
    Click("LabelSelectPatch");
    EXPECT_EQ(w->Lines().Lines(), (QStringList{"C, x, 3, 2, 0, 1, 0, Q", "*Instrument Skakuhachi", QString()}));
    EXPECT_EQ(w->Document().Song.Tab(6).Patch, patch);
    EXPECT_TRUE(w->Document().Song.Tab(6).Modified);
}

TEST_F(PickersTest, APreviewLetsGoOfItsNoteWhenTheWindowClosesDuringIt) {
    ASSERT_TRUE(SelectTab(6));
    platform::ModalDialog *picker = dialogs.frmSelectPatch.get();
    duringWait = [&] {
        w->PlayState().StopRequested = true; // Esc while it sounds
        picker->close();
    };
    Drive([](QWidget &d) { QTest::mouseClick(In<TClickLabel>(d, "Label0"), Qt::LeftButton); });
    Click("LabelSelectPatch");
    duringWait = nullptr;
    const std::vector<std::string> sent = Sent();
    const auto on = std::find(sent.begin(), sent.end(), "90 3C 64");
    ASSERT_NE(on, sent.end());
    ASSERT_NE(on + 1, sent.end());
    EXPECT_EQ(on[1], "80 3C 00");
    ExpectEveryNoteReleased();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_FALSE(w->Document().Song.Tab(6).Modified);
}

TEST_F(PickersTest, APercussionKeyChosenReachesTheDrumSlot) {
    ASSERT_TRUE(SelectTab(10));
    const TInstrumentTab &drums = w->Document().Song.Tab(10);
    midi.Clear();
    Drive([](QWidget &d) {
        QTest::mouseClick(In<TClickLabel>(d, "Label3"), Qt::LeftButton);
        QTest::mouseDClick(In<TClickLabel>(d, "Label4"), Qt::LeftButton);
    });
    w->DrumPage().DrumNameLabelClick(2);
    EXPECT_EQ(w->Document().Drums.drumSlots[2], (DrumSlot{"40 Snare Drum 2", 40}));
    const std::vector<std::string> sent = Sent();
    ASSERT_GE(sent.size(), 2u);
    char on[16], off[16];
    std::snprintf(on, sizeof on, "%02X 26 %02X", 0x90 | drums.Channel, drums.Volume);
    std::snprintf(off, sizeof off, "%02X 26 00", 0x80 | drums.Channel);
    EXPECT_EQ(sent[0], on);
    EXPECT_EQ(sent[1], off);
    for (const std::string &m : sent)
        EXPECT_NE(m[0], 'C') << m; // a drum is heard without a program change
    ExpectEveryNoteReleased();

    // Closed without a choice: the slot stays.
    Drive([](QWidget &d) { QTest::mouseClick(In<QPushButton>(d, "BitBtn1"), Qt::LeftButton); });
    w->DrumPage().DrumNameLabelClick(2);
    EXPECT_EQ(w->Document().Drums.drumSlots[2], (DrumSlot{"40 Snare Drum 2", 40}));
}

TEST_F(PickersTest, PianoChordsOfSeveralTypesAndOctavesAreInsertedAsShown) {
    ASSERT_EQ(w->Document().Song.Current().Kind, TKind::Piano);
    auto click = [](QWidget &d, const char *name) {
        if (auto *b = d.findChild<QPushButton *>(QString::fromLatin1(name)))
            QTest::mouseClick(b, Qt::LeftButton);
        else
            QTest::mouseClick(In<TClickLabel>(d, name), Qt::LeftButton);
    };
    auto pick = [this, click](const char *name) { Drive([click, name](QWidget &d) { click(d, name); }); };
    Drive([&](QWidget &d) {
        click(d, "Label2"); // C Major where it stands
        click(d, "btnHigherChord");
        click(d, "Label2"); // an octave up
        pick("Label20");
        click(d, "lblPianoChordType"); // minor 7, back at its own octave
        click(d, "Label2");
        pick("BitBtnEb");
        click(d, "lblPianoChordKey");
        pick("Label34");
        click(d, "lblPianoChordType"); // 7b5
        click(d, "btnLowerChord");
        click(d, "btnLowerChord");
        click(d, "btnLowerChord"); // two octaves down at most
        click(d, "Label5");        // use it and close
    });
    Click("LabelAdvancedChordOptions");

    EXPECT_EQ(w->Lines().Lines(), (QStringList{
                                      "C Major, 60, 64, 67, x, x, x, x, x, x, x,  Q",
                                      "C Major, 72, 76, 79, x, x, x, x, x, x, x,  Q",
                                      "C minor 7, 60, 67, 63, 70, x, x, x, x, x, x,  Q",
                                      "D#/Eb 7b5, 43, 45, 39, 49, x, x, x, x, x, x,  Q",
                                  }));
    EXPECT_EQ(w->Lines().CurrentLine(), 4); // below the lines inserted
    EXPECT_EQ(w->Pickers().PianoChordRow, 59);
    EXPECT_TRUE(w->Document().Song.Tab(1).Modified);
    EXPECT_EQ(ts.messages.Count(), 0);
    // Each inserted chord was heard on the tab's channel, and let go.
    const std::vector<std::string> sent = Sent();
    for (const char *note : {"90 3C 64", "90 48 64", "90 46 64", "90 31 64"})
        EXPECT_NE(std::find(sent.begin(), sent.end(), note), sent.end()) << note;
    ExpectEveryNoteReleased();
    EXPECT_EQ(ts.modal.PendingAnswers(), 0);
}

TEST_F(PickersTest, TheScaleLineShowsKeyAndScaleOnTheFretboardAndTheKeyboard) {
    ASSERT_TRUE(SelectTab(6));
    TFretboard &fretboard = w->LiveInstrument()->Fretboard();
    // Key G, major: the sixth string's G (fret 3) is the root.
    Drive([](QWidget &d) { QTest::mouseClick(In<QPushButton>(d, "BitBtnG"), Qt::LeftButton); });
    Click("LblScaleKey");
    EXPECT_EQ(ts.modal.ShownDialogs().back().caption, QStringLiteral("Single Click to Select The Key For Scale"));
    EXPECT_EQ(Ctl<QLabel>(*w, "LblScaleKey")->text(), QStringLiteral("   G   "));
    EXPECT_EQ(fretboard.Model().Marker(5, 3).Colour, kColourRed);
    EXPECT_TRUE(fretboard.Model().Marker(5, 3).Shown);
    EXPECT_TRUE(fretboard.ScaleShownOnFretboard);
    EXPECT_EQ(w->Document().Song.Tab(6).ShownScaleKey, "G");
    EXPECT_FALSE(w->Document().Song.Tab(6).Modified);

    // A closed key picker changes nothing.
    Drive([](QWidget &d) { QTest::mouseClick(In<QPushButton>(d, "BitBtnCancel"), Qt::LeftButton); });
    Click("LblScaleKey");
    EXPECT_EQ(Ctl<QLabel>(*w, "LblScaleKey")->text(), QStringLiteral("   G   "));

    // The minor pentatonic: A (fret 5) is not in it, A# (fret 6) is.
    Drive([](QWidget &d) { QTest::mouseClick(In<TClickLabel>(d, "Label23"), Qt::LeftButton); });
    Click("lblScaleType");
    EXPECT_EQ(Ctl<QLabel>(*w, "lblScaleType")->text(), QStringLiteral("Pentatonic (Minor)"));
    EXPECT_EQ(w->Pickers().Scale().ScaleDefinition(), "Pentatonic (Minor)          =MWWMW");
    EXPECT_FALSE(fretboard.Model().Marker(5, 5).Shown);
    EXPECT_TRUE(fretboard.Model().Marker(5, 6).Shown);

    // The right button on "Scale:" clears it, the left shows it again.
    Click("LabelScale", Qt::RightButton);
    EXPECT_FALSE(fretboard.Model().Marker(5, 3).Shown);
    EXPECT_FALSE(fretboard.ScaleShownOnFretboard);
    Click("LabelScale");
    EXPECT_TRUE(fretboard.Model().Marker(5, 3).Shown);
    EXPECT_TRUE(fretboard.ScaleShownOnFretboard);
    // The scale picker's "Clear Scale" clears it and keeps the scale's name.
    Drive([](QWidget &d) { QTest::mouseClick(In<QPushButton>(d, "BitBtnClearScale"), Qt::LeftButton); });
    Click("lblScaleType");
    EXPECT_FALSE(fretboard.Model().Marker(5, 3).Shown);
    EXPECT_FALSE(fretboard.ScaleShownOnFretboard);
    EXPECT_EQ(Ctl<QLabel>(*w, "lblScaleType")->text(), QStringLiteral("Pentatonic (Minor)"));

    // On the keyboard, by the pentatonic's degrees: G red, A# yellow, C blue, D yellow, F green.
    ASSERT_TRUE(SelectTab(1));
    Click("LabelScale");
    TKeyboardModel &keys = w->LiveInstrument()->Keyboard().Model();
    const std::map<int, int32_t> colours = {{67, kColourRed},    {70, kColourYellow}, {72, kColourBlue},
                                            {74, kColourYellow}, {77, kColourGreen},  {69, kColourWhite}};
    for (const auto &[note, colour] : colours)
        EXPECT_EQ(keys.Key(keys.NoteToKey(note)).Colour, colour) << note;
    EXPECT_TRUE(keys.ScaleShown);

    // Locked while the song plays; hidden on the Drums tab; a new song starts from C major.
    SetPlaying(*w, TPlayKind::Song, true);
    EXPECT_FALSE(Ctl<QLabel>(*w, "LblScaleKey")->isEnabled());
    SetPlaying(*w, TPlayKind::Song, false);
    EXPECT_TRUE(Ctl<QLabel>(*w, "LblScaleKey")->isEnabled());
    ASSERT_TRUE(SelectTab(10));
    EXPECT_FALSE(Ctl<QLabel>(*w, "LblScaleKey")->isVisible());
    w->ResetSong();
    EXPECT_EQ(Ctl<QLabel>(*w, "LblScaleKey")->text(), QStringLiteral("   C   "));
    EXPECT_EQ(Ctl<QLabel>(*w, "lblScaleType")->text(), QStringLiteral("Major (Ionian)"));
    EXPECT_EQ(w->Pickers().Scale().ScaleDefinition(), "Major (Ionian)              =WWHWWWH");
    EXPECT_TRUE(Ctl<QLabel>(*w, "LblScaleKey")->isVisible());
}

} // namespace
