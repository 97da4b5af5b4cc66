#pragma once
// Live sounding into the recording MIDI output on a manual clock, and on it a fretboard and a
// keyboard on a real notation editor, built from parts whose calls record what they were asked.
#include "QtTestApp.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"
#include "mainwindow/live/Fretboard.h"
#include "mainwindow/live/Keyboard.h"
#include "mainwindow/live/LiveSounding.h"
#include "midi/MidiOutputPort.h"
#include "platform/TestDoubles.h"

#include <functional>
#include <memory>
#include <vector>

// Live sounding of tab `tab`'s lines into the recording MIDI output on a manual clock: every
// tab at volume 100, each wait recorded and passed on the clock at once.
struct SoundingRig {
    platform::ManualClock clock;
    platform::RecordingMidiOutSystem midi{{"Recorder"}, &clock};
    TPhysicalPortList ports{midi};
    TMidiOutputPort port{ports, -1};
    bool stop = false;
    TLiveSounding live{port, clock, stop};
    TSongModel song;
    std::vector<int> waits;
    std::function<void(int)> onWait; // runs after each wait (to press Stop, say)

    explicit SoundingRig(int tab) {
        port.SetActive(true);
        for (TInstrumentTab &t : song.Tabs)
            t.Volume = 100;
        song.CurrentTab = tab;
        live.SetWaiter([this](int ms, bool) {
            waits.push_back(ms);
            clock.Advance(ms);
            if (onWait)
                onWait(ms);
        });
    }
};

// The fretboard and keyboard on the rig's sounding.
struct InstrumentRig : SoundingRig {
    bool appReady = (TwTestApp(), true); // before the first widget
    TNotationEdit edit;
    TEditorLines lines{&edit};
    bool busy = false, restrictor = false;
    int pickerShown = 0, modified = 0;
    std::string noteText;
    std::unique_ptr<TFretboard> fretboard;
    std::unique_ptr<TKeyboard> keyboard;

    explicit InstrumentRig(int tab) : SoundingRig(tab) {
        // No picture to go into; what the rig does not record stays unset.
        const TInstrumentParts parts{
            .Song = song,
            .Lines = lines,
            .Sound = live,
            .Widgets = {},
            .Calls = {.Busy = [this] { return busy; },
                      .ClickWaiting = {},
                      .ScaleRestrictor = [this] { return restrictor; },
                      .CurrentDuration = [] { return std::string(" Q"); },
                      .ShowDurationPicker = [this] { ++pickerShown; },
                      .SelectEditorLine = {},
                      .FocusEditor = {},
                      .MarkModified = [this] { ++modified; },
                      .ShowCaretPosition = {},
                      .ShowNoteText = [this](const std::string &t) { noteText = t; },
                      .ShowLineOnInstrument = [this](int line) { ShowLine(line); },
                      .RepaintEditor = {}},
        };
        fretboard = std::make_unique<TFretboard>(parts);
        keyboard = std::make_unique<TKeyboard>(parts);
        fretboard->View()->resize(700, 160);
        keyboard->View()->resize(480, 120);
        fretboard->View()->LayoutShapes();
        keyboard->View()->LayoutKeys();
        midi.Clear();
    }
    bool ShowLine(int line) {
        return ShowLineOnInstrument(song, lines.Line(line).toStdString(), fretboard->Model(), keyboard->Model());
    }
    void Load(const QString &text, int caretLine) {
        lines.LoadText(text);
        lines.MoveCaretToLine(caretLine);
    }
    QString Line(int i) const { return lines.Line(i); }
    std::vector<int> NotesOn() const {
        std::vector<int> out;
        for (const platform::RecordedMessage &m : midi.Messages())
            if ((m.status & 0xF0) == 0x90 && m.data2 > 0)
                out.push_back(m.data1);
        return out;
    }
};
