// The fretboard: note names, dot rules, the neck's geometry and hit-testing, template lines,
// and what clicks write into the editor and sound.
#include "FretboardRig.h"
#include "song/FrettedLine.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kGuitarTab = 6, kBanjoTab = 13, kBassTab = 12;

TEST(FretboardNotes, NamesAtFretsUnderATuning) {
    struct Case {
        const char *tuning;
        int string, fret;
        const char *name;
    };
    const Case cases[] = {
        {"242424242424", 5, 5, "A"},  {"242424242424", 1, 1, "C"},  {"242424242424", 0, 6, "A#"},
        {"242424242424", 0, 17, "A"}, {"242424242424", 0, 24, "E"}, {"242424242424", 5, 0, "E"},
        {"242424242422", 5, 0, "D"}, // drop D
        {"24242424242x", 5, 0, "E"}, // a malformed pair reads as 24
        {"242412121212", 5, 0, "E"}, // bass: an octave lower, same name
    };
    for (const Case &c : cases)
        EXPECT_EQ(NoteNameAtFret(c.tuning, c.string, c.fret), c.name) << c.tuning << " " << c.string << "/" << c.fret;
    EXPECT_EQ(PitchClassName(-1), "D#");
    EXPECT_EQ(PitchClassName(25), "F");
}

TEST(FretboardShapes, NamesCarryTheStringAndFret) {
    EXPECT_EQ(FretShapeName(false, 6, 5), "DOT_s06_f05");
    EXPECT_EQ(FretShapeName(true, 1, 24), "TEM_s01_f24");
}

TEST(FretboardShapes, ShowFretDotRules) {
    TFretboardModel m;
    TInstrumentTab guitar = DefaultInstrumentTab(kGuitarTab);
    m.ShowFretDot(guitar, 0, 3); // shapes not made: nothing
    EXPECT_EQ(m.ShownDotCount(), 0);
    m.CreateShapes("hint");
    m.ShowFretDots(guitar, {0, 1, 0, 2, 3, -1});
    EXPECT_EQ(m.ShownDotCount(), 5);
    EXPECT_TRUE(m.DotShown(4, 3));
    EXPECT_EQ(m.Dot(4, 3).Colour, guitar.Colour);
    m.ShowFretDot(guitar, 4, 5); // a string shows one dot at most
    EXPECT_FALSE(m.DotShown(4, 3));
    EXPECT_TRUE(m.DotShown(4, 5));
    for (auto [s, f] : std::vector<std::pair<int, int>>{{6, 1}, {-1, 1}, {0, 25}, {0, -2}}) {
        m.ShowFretDot(guitar, s, f);
        EXPECT_EQ(m.ShownDotCount(), 5) << s << "/" << f;
    }
    m.ShowFretDot(guitar, 4, -1);
    EXPECT_EQ(m.ShownDotCount(), 4);

    // The banjo's short fifth string shows its open string at fret 5.
    const TInstrumentTab banjo = DefaultInstrumentTab(kBanjoTab);
    ASSERT_TRUE(banjo.ShortFifthString);
    m.HideAllDots();
    m.ShowFretDot(banjo, 5, 0);
    EXPECT_TRUE(m.DotShown(5, 5));
    EXPECT_FALSE(m.DotShown(5, 0));
    // A four-string tab leaves slots 0-1 alone.
    m.HideAllDots();
    m.ShowFretDots(DefaultInstrumentTab(kBassTab), {3, 3, 3, 3, 3, 3});
    EXPECT_EQ(m.ShownDotCount(), 4);
    EXPECT_FALSE(m.DotShown(0, 3));
}

TEST(FretboardGeometry, NeckMeasuresDotsAndHitTesting) {
    const TFretboardGeometry g = ComputeFretboardGeometry(700, 160, TKind::Guitar, 5);
    EXPECT_EQ(g.NutX, 50);
    EXPECT_EQ(g.FretSpace, 26);
    EXPECT_EQ(g.RowHeight, 20);
    EXPECT_EQ(g.BoardTop, 20);
    EXPECT_EQ(g.BoardBottom, 140);
    EXPECT_EQ(g.WireWidth, 3);
    EXPECT_EQ(g.StringY[0], 30);
    EXPECT_EQ(g.StringY[5], 130);
    const TRect dot = FretDotRect(g, 0, 3, 815);
    EXPECT_EQ(dot, (TRect{3 + 50 + 78 - 3 - 26, 20, 26, 20}));
    EXPECT_EQ(FretMarkerRect(dot, 815), (TRect{dot.Left + 2, 22, 20, 14}));
    EXPECT_EQ(ComputeFretboardGeometry(700, 160, TKind::Bass, 3).RowHeight, 22);

    TFretboardModel m;
    m.CreateShapes();
    m.Layout(g, DefaultInstrumentTab(kGuitarTab), 815);
    for (int s = 0; s < 6; ++s)
        for (int f : {0, 1, 12, 24}) {
            const TRect r = m.Dot(s, f).Rect;
            const auto hit = m.HitTest(r.Left + r.Width / 2, r.Top + r.Height / 2);
            ASSERT_TRUE(hit) << s << "/" << f;
            EXPECT_EQ(hit->String, s);
            EXPECT_EQ(hit->Fret, f);
            EXPECT_FALSE(hit->Marker);
        }
    // A shown marker lies in front; with markers only, dots take no clicks.
    const TRect r = m.Dot(2, 7).Rect;
    EXPECT_FALSE(m.HitTest(r.Left + r.Width / 2, r.Top + r.Height / 2, true));
    m.Marker(2, 7).Shown = true;
    const auto marker = m.HitTest(r.Left + r.Width / 2, r.Top + r.Height / 2, true);
    ASSERT_TRUE(marker);
    EXPECT_TRUE(marker->Marker);
    EXPECT_FALSE(m.HitTest(-5, -5));

    // The banjo's short string takes no clicks below its fifth fret.
    const TInstrumentTab banjo = DefaultInstrumentTab(kBanjoTab);
    m.Layout(ComputeFretboardGeometry(700, 160, banjo.Kind, banjo.HighestString), banjo, 815);
    EXPECT_FALSE(m.Dot(5, 4).Enabled);
    EXPECT_TRUE(m.Dot(5, 5).Enabled);
    EXPECT_TRUE(m.Dot(4, 0).Enabled);
}

TEST(FretboardTemplates, TemplateTextsByKindAndStrings) {
    EXPECT_EQ(WriteTemplateText(TKind::Guitar, 5, " Q"), "Guitar, x, x, x, x, x, x, Q");
    EXPECT_EQ(WriteTemplateText(TKind::Bass, 3, ".E"), "Bass, x, x, x, x,.E");
    EXPECT_EQ(WriteTemplateText(TKind::Banjo, 4, " Q"), "Banjo, x, x, x, x, x, Q");
    EXPECT_EQ(WriteTemplateText(TKind::Piano, 0, " Q"), "Piano, x, x, x, x, x, x, x, x, x, x, Q");
    EXPECT_EQ(InsertTemplateText("Uke", TKind::Uke, 3, " H"), "Uke , x, x, x, x, H");
    EXPECT_EQ(InsertTemplateText("Piano", TKind::Piano, 0, " Q"), "Piano , x, x, x, x, x, x, x, x, x, x, Q");
    TSongModel song;
    song.CurrentTab = kGuitarTab;
    TChordDat chord;
    EXPECT_EQ(ParseChordLine(WriteTemplateText(TKind::Guitar, 5, " Q"), TDurationUnit::Ticks,
                             song.LineContext(kGuitarTab), chord),
              "");
}

TEST(FretboardLine, ShowLineOnInstrument) {
    InstrumentRig rig(kGuitarTab);
    rig.Load("C, x, 3, 2, 0, 1, 0, Q\n*Tempo 90\nbad\n\n", 0);
    TFretboardModel &m = rig.fretboard->Model();
    EXPECT_TRUE(rig.ShowLine(0));
    EXPECT_EQ(m.ShownDotCount(), 5);
    EXPECT_TRUE(m.DotShown(4, 3));
    for (int line : {1, 2, 3}) {
        EXPECT_FALSE(rig.ShowLine(line)) << line;
        EXPECT_EQ(m.ShownDotCount(), 0) << line;
    }
}

// ---- clicks ---------------------------------------------------------------------------------

TChordDat Parsed(const InstrumentRig &rig, int line) {
    TChordDat chord;
    EXPECT_EQ(ParseChordLine(rig.Line(line).toStdString(), TDurationUnit::Ticks,
                             rig.song.LineContext(rig.song.CurrentTab), chord),
              "")
        << rig.Line(line).toStdString();
    return chord;
}

TEST(FretboardClick, LeftClickOnABlankLineWritesSoundsAndMovesOn) {
    InstrumentRig rig(kGuitarTab);
    rig.song.Current().Transpose = 2;
    rig.song.SongTranspose = -1;
    rig.Load("", 0);
    // Through the widget: a real mouse click on the dot of string 6, fret 3.
    const TRect r = rig.fretboard->Model().Dot(5, 3).Rect;
    QTest::mouseClick(rig.fretboard->View(), Qt::LeftButton, {}, QPoint(r.Left + r.Width / 2, r.Top + r.Height / 2));
    // The caret waits on the empty place after the written line.
    EXPECT_EQ(rig.edit.toPlainText(), "Guitar, 3, x, x, x, x, x, Q\n");
    EXPECT_EQ(rig.lines.CurrentLine(), 1);
    EXPECT_EQ(rig.NotesOn(), std::vector<int>{43 + 2 - 1});
    EXPECT_EQ(rig.waits, std::vector<int>{100});
    EXPECT_EQ(rig.fretboard->Model().ShownDotCount(), 0);
    EXPECT_EQ(rig.modified, 1);
}

TEST(FretboardClick, LeftClickAlwaysWritesTheFretOnANewLine) {
    InstrumentRig rig(kGuitarTab);
    rig.Load("C, x, 3, 2, 0, 1, 0, Q\n", 0);
    rig.ShowLine(0);
    ASSERT_TRUE(rig.fretboard->Model().DotShown(4, 3));
    // A left click on a shown dot writes that fret; it never removes it.
    rig.fretboard->Shape1MouseDown({false, 4, 3}, Qt::LeftButton, {});
    EXPECT_EQ(rig.Line(0), "C, x, 3, 2, 0, 1, 0, Q");
    EXPECT_EQ(Parsed(rig, 1).Frets, (std::array<int32_t, 6>{-1, -1, -1, -1, 3, -1}));
    EXPECT_EQ(rig.Line(2), "");
    EXPECT_EQ(rig.lines.CurrentLine(), 2);
}

TEST(FretboardClick, RightClickOnAShownDotRemovesItAndSoundsTheRest) {
    InstrumentRig rig(kGuitarTab);
    rig.Load("C, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, Q\n", 0);
    rig.ShowLine(0);
    rig.fretboard->Shape1MouseDown({false, 4, 3}, Qt::RightButton, {});
    EXPECT_EQ(Parsed(rig, 0).Frets, (std::array<int32_t, 6>{0, 1, 0, 2, -1, -1}));
    EXPECT_EQ(rig.lines.LineCount(), 2);
    EXPECT_EQ(rig.lines.CurrentLine(), 0);
    EXPECT_EQ(rig.NotesOn(), (std::vector<int>{64, 60, 55, 52}));
    EXPECT_EQ(rig.waits, std::vector<int>{250});
    // A right click on a fret not shown sets it on the caret line.
    rig.midi.Clear();
    rig.fretboard->Shape1MouseDown({false, 5, 8}, Qt::RightButton, {});
    EXPECT_EQ(Parsed(rig, 0).Frets[5], 8);
}

TEST(FretboardClick, DirectiveOrFaultyCaretLineGetsATemplateThatTakesTheFret) {
    for (const char *caret : {"*Tempo 90", "C, 3, 2, Q"}) {
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            InstrumentRig rig(kGuitarTab);
            rig.Load(QString::fromLatin1(caret) + "\n", 0);
            rig.fretboard->Shape1MouseDown({false, 0, 2}, button, {});
            EXPECT_EQ(Parsed(rig, 0).Frets, (std::array<int32_t, 6>{2, -1, -1, -1, -1, -1})) << caret;
            EXPECT_TRUE(rig.Line(0).startsWith("Guitar")) << rig.Line(0).toStdString();
            const int directiveAt = button == Qt::LeftButton ? 2 : 1;
            EXPECT_EQ(rig.Line(directiveAt), QString::fromLatin1(caret)) << "the caret line is kept";
            EXPECT_EQ(rig.lines.LineCount(), directiveAt + 1);
            EXPECT_EQ(rig.NotesOn(), std::vector<int>{66});
        }
    }
}

TEST(FretboardClick, BusyCtrlAndScaleRestrictorGuards) {
    InstrumentRig rig(kGuitarTab);
    rig.Load("", 0);
    rig.busy = true;
    rig.fretboard->Shape1MouseDown({false, 0, 2}, Qt::LeftButton, {});
    rig.busy = false;
    rig.fretboard->Shape1MouseDown({false, 0, 2}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(rig.pickerShown, 1);
    rig.restrictor = true;
    rig.fretboard->ScaleShownOnFretboard = true;
    rig.fretboard->Shape1MouseDown({false, 0, 2}, Qt::LeftButton, {});
    EXPECT_EQ(rig.lines.LineCount(), 0);
    EXPECT_TRUE(rig.midi.Messages().empty());
    rig.fretboard->Shape1MouseDown({true, 0, 2}, Qt::LeftButton, {});
    EXPECT_EQ(rig.Line(0), "Guitar, x, x, x, x, x, 2, Q");
    EXPECT_EQ(rig.lines.CurrentLine(), 1);
}

TEST(FretboardHover, NamesTheNoteWithItsFlatTwin) {
    InstrumentRig rig(kGuitarTab);
    rig.fretboard->Shape1MouseMove({false, 0, 6});
    EXPECT_EQ(rig.noteText, "Bb/A#");
    EXPECT_EQ(rig.fretboard->HoverString, 1);
    EXPECT_EQ(rig.fretboard->HoverFret, 6);
    EXPECT_EQ(rig.fretboard->Model().Dot(0, 6).Hint, "Bb/A# (String: 1 Fret: 6)");
    EXPECT_EQ(rig.fretboard->Model().Marker(0, 6).Hint, "Bb/A# (String: 1 Fret: 6)");
    rig.song.CurrentTab = 1; // Piano: the fretboard names nothing
    rig.noteText.clear();
    rig.fretboard->Shape1MouseMove({false, 5, 5});
    EXPECT_EQ(rig.noteText, "");
}

} // namespace

TEST(FretCursor, LowSixteenBitsNameTheShapesCursor) {
    const std::pair<int32_t, Qt::CursorShape> cases[] = {
        {0, Qt::ArrowCursor},     {-21, Qt::PointingHandCursor}, {0x7FFEB, Qt::PointingHandCursor},
        {-3, Qt::CrossCursor},    {-22, Qt::SizeAllCursor},      {-11, Qt::WaitCursor},
        {12345, Qt::ArrowCursor},
    };
    for (const auto &[value, shape] : cases)
        EXPECT_EQ(FretCursorShape(value), shape) << value;
}
