#include "mainwindow/rules/StatusText.h"
#include "song/NoteLine.h"

#include <gtest/gtest.h>

namespace {

struct CaretNoteCase {
    int tab;
    const char *line;
    const char *name;
};

TEST(StatusText, CaretNoteNameNamesASingleNote) {
    constexpr int kPiano = 1, kGuitar = 6, kBass = 12;
    const CaretNoteCase cases[] = {
        {kGuitar, "x, x, 4, x, x, x, x, Q", "Db/C#"},
        {kGuitar, "C, x, 3, 2, 0, 1, 0, Q", ""},
        {kGuitar, "C, x, x, x, x, x, x, Q", ""},
        {kGuitar, "C, x, 3, x, x, x, Q", ""}, // does not read
        {kGuitar, "*Tempo 90", ""},
        {kBass, "E, 0, x, x, x, H", "E"},
        {kPiano, "A, 70, x, x, x, x, x, x, x, x, x, Q", "Bb/A#"},
        {kPiano, "C, 48, 52, x, x, x, x, x, x, x, x, Q", ""},
        {kPiano, "C, 200, x, x, x, x, x, x, x, x, x, Q", ""},
    };
    for (const auto &c : cases) {
        const TLineContext ctx = MakeLineContext(DefaultInstrumentTab(c.tab), 120);
        EXPECT_EQ(status::CaretNoteName(ParseNoteLine(c.line, TDurationUnit::Milliseconds, ctx), ctx), c.name)
            << c.line;
    }
}

} // namespace
