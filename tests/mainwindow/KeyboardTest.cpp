// The keyboard: key notes, layout and hit-testing, colours, chords and the line built from
// them, hover texts, and what clicks write and sound.
#include "FretboardRig.h"
#include "song/PianoLine.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kPianoTab = 1;

TEST(KeyboardKeys, NotesOfTheHundredKeys) {
    const TKeyboardModel m;
    const std::pair<int, int> expected[] = {{1, 28},  {2, 29},  {3, 31},  {6, 36},  {20, 60}, {47, 107}, {50, 30},
                                            {51, 32}, {52, 34}, {54, 37}, {55, 39}, {57, 42}, {68, 61},  {94, 106},
                                            {48, 0},  {49, 0},  {53, 0},  {56, 0},  {95, 0},  {100, 0}};
    for (auto [key, tag] : expected)
        EXPECT_EQ(m.Key(key).Tag, tag) << "key " << key;
    int notes = 0;
    for (int note = 0; note <= 127; ++note) {
        const int key = m.NoteToKey(note);
        if (note < 28 || note > 107) {
            EXPECT_EQ(key, 0) << note;
            continue;
        }
        ASSERT_NE(key, 0) << note;
        EXPECT_EQ(m.Key(key).Tag, note);
        EXPECT_EQ(m.Key(key).Black, key > 47);
        EXPECT_EQ(m.Key(key).BaseColour, key > 47 ? kColourBlack : kColourWhite);
        ++notes;
    }
    EXPECT_EQ(notes, 80);
}

TEST(KeyboardLayout, KeysPlacedAndHitTested) {
    TKeyboardModel m;
    m.DrawKeyboard(0, 18, 100, 480, 480);
    EXPECT_EQ(m.KeyWidth(), 10);
    EXPECT_EQ(m.RowLeft(), 24);
    EXPECT_EQ(m.RowWidth(), 432);
    EXPECT_EQ(m.Key(1).Rect, (TRect{33, 18, 10, 100}));
    EXPECT_EQ(m.Key(2).Rect.Left, 42);
    EXPECT_EQ(m.Key(50).Rect, (TRect{24 + (10 / 4) * 3 + 2 * 9, 18, 5, 50}));
    // Exactly the keys with a black note are placed among 48..100.
    for (int k = 48; k <= kKeyCount; ++k)
        EXPECT_EQ(m.Key(k).Placed, m.Key(k).Tag != 0) << "key " << k;
    // The upper half over a black key hits it; below it, the white key under it.
    const TRect black = m.Key(54).Rect;
    EXPECT_EQ(m.HitTest(black.Left + 2, 30), 54);
    EXPECT_EQ(m.HitTest(black.Left + 2, 100), 6);
    EXPECT_EQ(m.HitTest(m.Key(20).Rect.Left + 4, 110), 20);
    EXPECT_EQ(m.HitTest(5, 50), 0);
    EXPECT_EQ(m.HitTest(100, 5), 0);
}

TEST(KeyboardColours, HighlightRefreshAndChords) {
    TKeyboardModel m;
    m.HighlightPianoKeys({60, 64, -1, 200, 10, -1, -1, -1, -1, -1});
    EXPECT_EQ(m.Key(20).Colour, kColourSilver);
    EXPECT_EQ(m.Key(m.NoteToKey(64)).Colour, kColourSilver);
    m.RefreshKeyColours(false); // the highlight goes
    EXPECT_EQ(m.Key(20).Colour, kColourWhite);

    // C minor remembered: it survives the silver highlight's refresh, not a plain refresh.
    EXPECT_EQ(m.ShowPianoChord("C/B#", {0, 3, 7}, 0, true, true), "");
    m.ScaleShown = true;
    EXPECT_EQ(m.Key(20).Colour, kColourRed);
    EXPECT_EQ(m.Key(m.NoteToKey(63)).Colour, kColourYellow);
    EXPECT_EQ(m.PianoLineFromKeyboard("Cm", "Minor", " Q"), "Cm Minor, 60, 67, 63, x, x, x, x, x, x, x,  Q");
    m.HighlightPianoKeys({62, -1, -1, -1, -1, -1, -1, -1, -1, -1});
    EXPECT_EQ(m.Key(m.NoteToKey(62)).Colour, kColourSilver);
    m.RefreshKeyColours(false);
    EXPECT_EQ(m.Key(m.NoteToKey(62)).Colour, kColourWhite);
    EXPECT_EQ(m.Key(m.NoteToKey(67)).Colour, kColourYellow);
    m.RefreshKeyColours(true);
    EXPECT_EQ(m.Key(m.NoteToKey(67)).Colour, kColourWhite);
    EXPECT_FALSE(m.ScaleShown);

    // Two octaves up, a formula reaching past 107 colours only what the keyboard has.
    EXPECT_EQ(m.ShowPianoChord("C#", {0, 4, 7, 24}, 2, false, true), "");
    EXPECT_EQ(m.Key(m.NoteToKey(61 + 24)).Colour, kColourRed);
    EXPECT_EQ(m.PianoLineFromKeyboard("C#", "Maj", " Q"), "C# Maj, 89, 85, 92, x, x, x, x, x, x, x,  Q")
        << "white keys first";
    EXPECT_EQ(m.ShowPianoChord("H", {0, 4, 7}, 0, false, true), "Can't find root for piano chord");
}

TEST(KeyboardKeys, SoundingKeysTurnSilverAndBack) {
    TKeyboardModel m;
    m.ShowPianoChord("C", {0, 4, 7}, 0, false, true);
    m.KeysSounding({60, 62, 60, -1, -1, -1, -1, -1, -1, -1}, true);
    EXPECT_EQ(m.Key(20).Colour, kColourSilver);
    m.KeysSounding({60, 62, 60, -1, -1, -1, -1, -1, -1, -1}, false);
    EXPECT_EQ(m.Key(20).Colour, kColourRed);
    EXPECT_EQ(m.Key(m.NoteToKey(62)).Colour, kColourWhite);
}

TEST(KeyboardHover, MiddleCAndSharps) {
    InstrumentRig rig(kPianoTab);
    TKeyboardModel &m = rig.keyboard->Model();
    rig.keyboard->Shape2MouseMove(20);
    EXPECT_EQ(rig.noteText, "C");
    EXPECT_EQ(m.Key(20).Hint, "Middle C  (Midi Note: 60)");
    rig.keyboard->Shape2MouseMove(68);
    EXPECT_EQ(rig.noteText, "Db/C#");
    EXPECT_EQ(m.Key(68).Hint, "Db/C#  (Midi Note: 61)");
}

// ---- clicks ---------------------------------------------------------------------------------

std::array<int32_t, 10> Keys(const InstrumentRig &rig, int line) {
    TPianoRec rec;
    EXPECT_TRUE(
        ParsePianoLine(rig.Line(line).toStdString(), TDurationUnit::Ticks, rig.song.LineContext(kPianoTab), rec))
        << rig.Line(line).toStdString();
    return rec.Keys;
}

TEST(KeyboardClick, LeftClickOnABlankLineWritesSoundsAndMovesOn) {
    InstrumentRig rig(kPianoTab);
    rig.song.Current().Transpose = 1;
    rig.Load("", 0);
    const TRect r = rig.keyboard->Model().Key(20).Rect;
    QTest::mouseClick(rig.keyboard->View(), Qt::LeftButton, {}, QPoint(r.Left + 4, r.Top + r.Height - 5));
    EXPECT_EQ(rig.edit.toPlainText(), "Piano, 60, x, x, x, x, x, x, x, x, x, Q\n");
    EXPECT_EQ(rig.lines.CurrentLine(), 1);
    EXPECT_EQ(rig.NotesOn(), std::vector<int>{61});
    EXPECT_EQ(rig.waits, std::vector<int>{250});
    EXPECT_EQ(rig.modified, 1);
    EXPECT_FALSE(rig.keyboard->KeyClickBusy);
}

TEST(KeyboardClick, LeftClickAlwaysStartsANewLine) {
    InstrumentRig rig(kPianoTab);
    rig.Load("C, 60, 64, x, x, x, x, x, x, x, x, Q\n", 0);
    rig.keyboard->Shape2MouseDown(20, Qt::LeftButton, {});
    EXPECT_EQ(rig.Line(0), "C, 60, 64, x, x, x, x, x, x, x, x, Q");
    EXPECT_EQ(Keys(rig, 1)[0], 60);
    EXPECT_EQ(rig.Line(2), "");
    EXPECT_EQ(rig.lines.CurrentLine(), 2);
}

TEST(KeyboardClick, RightClickRemovesAKeyOrAddsOne) {
    InstrumentRig rig(kPianoTab);
    rig.Load("C, 60, 64, 67, x, x, x, x, x, x, x, Q\n", 0);
    rig.keyboard->Shape2MouseDown(rig.keyboard->Model().NoteToKey(64), Qt::RightButton, {});
    EXPECT_EQ(Keys(rig, 0), (std::array<int32_t, 10>{60, -1, 67, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(rig.NotesOn(), (std::vector<int>{60, 67}));
    EXPECT_EQ(rig.lines.LineCount(), 1);
    rig.keyboard->Shape2MouseDown(rig.keyboard->Model().NoteToKey(72), Qt::RightButton, {});
    EXPECT_EQ(Keys(rig, 0), (std::array<int32_t, 10>{60, 72, 67, -1, -1, -1, -1, -1, -1, -1}));
    // The caret line stays shown in silver after the sound.
    EXPECT_EQ(rig.keyboard->Model().Key(rig.keyboard->Model().NoteToKey(72)).Colour, kColourSilver);
}

TEST(KeyboardClick, RightClickOnDirectiveOrFaultyLineTargetsATemplateAbove) {
    for (const char *caret : {"*Volume 90", "C, 60, x, Q"}) {
        InstrumentRig rig(kPianoTab);
        rig.Load(QString::fromLatin1(caret) + "\n", 0);
        rig.keyboard->Shape2MouseDown(20, Qt::RightButton, {});
        ASSERT_EQ(rig.lines.LineCount(), 2) << caret;
        EXPECT_EQ(Keys(rig, 0)[0], 60) << rig.Line(0).toStdString();
        EXPECT_EQ(rig.Line(1), QString::fromLatin1(caret)) << "never replaced";
        EXPECT_EQ(rig.NotesOn(), std::vector<int>{60});
    }
}

TEST(KeyboardClick, GuardsAndRestrictor) {
    InstrumentRig rig(kPianoTab);
    rig.Load("", 0);
    rig.busy = true;
    rig.keyboard->Shape2MouseDown(20, Qt::LeftButton, {});
    rig.busy = false;
    rig.keyboard->Shape2MouseDown(20, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(rig.pickerShown, 1);
    rig.keyboard->KeyClickBusy = true;
    rig.keyboard->Shape2MouseDown(20, Qt::LeftButton, {});
    rig.keyboard->KeyClickBusy = false;
    // A shown scale with the restrictor on: only its coloured keys take a left click.
    rig.restrictor = true;
    rig.keyboard->Model().ShowPianoChord("C", {0, 4, 7}, 0, true, true);
    rig.keyboard->Model().ScaleShown = true;
    rig.keyboard->Shape2MouseDown(rig.keyboard->Model().NoteToKey(62), Qt::LeftButton, {});
    EXPECT_EQ(rig.lines.LineCount(), 0);
    EXPECT_TRUE(rig.midi.Messages().empty());
    rig.keyboard->Shape2MouseDown(rig.keyboard->Model().NoteToKey(64), Qt::LeftButton, {});
    EXPECT_EQ(Keys(rig, 0)[0], 64);
}

} // namespace
