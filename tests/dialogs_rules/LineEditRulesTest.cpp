#include "dialogs/rules/LineEditRules.h"

#include "song/Messages.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace lineedit;

TLineContext Tab(TKind kind, int highestString, int volume = 100) {
    TLineContext ctx;
    ctx.Kind = kind;
    ctx.Name = std::string(KindText(kind));
    ctx.HighestString = highestString;
    ctx.Volume = volume;
    return ctx;
}
const TLineContext kGuitar = Tab(TKind::Guitar, 5);
const TLineContext kPiano = Tab(TKind::Piano, 0);

struct EditCase {
    const char *what;
    TLineContext ctx;
    const char *line;
    int column;
    std::function<void(TColumn &)> change;
    const char *written;
};

TEST(LineEditRules, AChangedColumnRewritesTheLineInDetailedForm) {
    const EditCase cases[] = {
        {"own duration on string 1", kGuitar, "C, x, 3, 2, 0, 1, 0, Q", 6, [](TColumn &c) { c.duration = "E"; },
         "C, x, 3, 2, 0, 1, 0|E|100|, Q"},
        {"plain line shows its duration as the list item", kGuitar, "C, x, 3, 2, 0, 1, 0, q", 2,
         [](TColumn &c) { c.number = 5; }, "C, x, 5|Q|100|, 2, 0, 1, 0, Q"},
        {"silent string", kGuitar, "C, x, 3, 2, 0, 1, 0, Q", 3, [](TColumn &c) { c.number = -1; },
         "C, x, 3, x, 0, 1, 0, Q"},
        {"details keep fingering", kGuitar, "G, 3|E|90|2, 2, 0, 0, 0, 3, Q", 1, [](TColumn &c) { c.volume = 80; },
         "G, 3|E|80|2, 2, 0, 0, 0, 3, Q"},
        {"a field's own lower-case duration stays", kGuitar, "C, x, 3|q|100|, 2, 0, 1, 0, Q", 6,
         [](TColumn &c) { c.number = 3; }, "C, x, 3|q|100|, 2, 0, 1, 3, Q"},
        {"no volume chosen takes the tab's, kept to 127", Tab(TKind::Guitar, 5, 200), "C, x, 3, 2, 0, 1, 0, Q", 2,
         [](TColumn &c) { c.volume.reset(); }, "C, x, 3|Q|127|, 2, 0, 1, 0, Q"},
        {"four strings", Tab(TKind::Mandolin, 3), "G, 0, 0, 2, 3, Q", 4, [](TColumn &c) { c.duration = "/S"; },
         "G, 0, 0, 2, 3|/S|100|, Q"},
        {"piano key", kPiano, "C, 48, 52, 55, x, x, x, x, x, x, x, Q", 1, [](TColumn &c) { c.duration = "H"; },
         "C, 48|H|100|, 52, 55, x, x, x, x, x, x, x, Q"},
        {"piano key added in slot 10", kPiano, "C, 48, 52, 55, x, x, x, x, x, x, x, Q", 10,
         [](TColumn &c) { c.number = 107; }, "C, 48, 52, 55, x, x, x, x, x, x, 107, Q"},
        {"piano key removed", kPiano, "C, 48|E|90|L1, 52, 55, x, x, x, x, x, x, x, Q", 1,
         [](TColumn &c) { c.number = -1; }, "C, x, 52, 55, x, x, x, x, x, x, x, Q"},
    };
    for (const EditCase &c : cases) {
        std::optional<TLineEditModel> m = TLineEditModel::Open(c.line, c.ctx);
        ASSERT_TRUE(m) << c.what;
        TColumn col = m->Column(c.column);
        c.change(col);
        m->SetColumn(c.column, col);
        EXPECT_EQ(m->Line(), c.written) << c.what;
        EXPECT_EQ(m->CheckOnOk(), "") << c.what;
        EXPECT_EQ(m->ColumnEnabled(c.column), col.number != -1) << c.what;
    }
}

TEST(LineEditRules, ColumnsShowTheLineAsRead) {
    const auto guitar = TLineEditModel::Open("G, 3|E|90|2, 2, 0, x, 0, 3, q", kGuitar);
    ASSERT_TRUE(guitar);
    EXPECT_EQ(guitar->ColumnCount(), 6);
    EXPECT_EQ(guitar->ColumnCaption(1), "String 6");
    EXPECT_EQ(guitar->ColumnCaption(6), "String 1");
    EXPECT_EQ(guitar->Column(1), (TColumn{3, "E", 90, "2"}));
    EXPECT_EQ(guitar->Column(2), (TColumn{2, "q", 100, ""})); // a line with details shows its own text
    EXPECT_EQ(guitar->Column(4), (TColumn{-1, "q", 100, ""}));
    EXPECT_FALSE(guitar->ColumnEnabled(4));

    const auto plain = TLineEditModel::Open("C, x, 3, 2, 0, 1, 0, q", Tab(TKind::Guitar, 5, 64));
    ASSERT_TRUE(plain);
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(plain->Column(c).duration, "Q");
    EXPECT_EQ(plain->Column(2).volume, 64);

    const auto mandolin = TLineEditModel::Open("G, 0, 0, 2, 3, Q", Tab(TKind::Mandolin, 3));
    ASSERT_TRUE(mandolin);
    EXPECT_EQ(mandolin->ColumnCount(), 4);
    EXPECT_EQ(mandolin->ColumnCaption(1), "String 4");
    EXPECT_EQ(mandolin->ColumnCaption(5), "");

    // Plain piano keys show the tab's volume, as plain strings do.
    const auto piano = TLineEditModel::Open("C, 48, 52|E|90|R2, 55, x, x, x, x, x, x, x, .q", Tab(TKind::Piano, 0, 80));
    ASSERT_TRUE(piano);
    EXPECT_EQ(piano->ColumnCount(), 10);
    EXPECT_EQ(piano->ColumnCaption(10), "Note 10");
    EXPECT_EQ(piano->Column(1), (TColumn{48, ".q", 80, ""}));
    EXPECT_EQ(piano->Column(2), (TColumn{52, "E", 90, "R2"}));
    EXPECT_EQ(piano->Column(4).number, -1);
}

TEST(LineEditRules, OnlyNoteLinesThatReadOpen) {
    for (const char *line :
         {"", "   ", "*Tempo 90", "C, x, 3, 2, 0, 1, 0", "C, x, 30, 2, 0, 1, 0, Q", "C, x, 3, 2, 0, 1, 0, Z"})
        EXPECT_FALSE(TLineEditModel::Open(line, kGuitar)) << line;
    for (const char *line : {"C, 48, 52, Q", "C, 20, x, x, x, x, x, x, x, x, x, Q"})
        EXPECT_FALSE(TLineEditModel::Open(line, kPiano)) << line;
    EXPECT_FALSE(TLineEditModel::Open("C, x, 3, 2, 0, 1, 0, Q", Tab(TKind::Drums, 0)));
}

TEST(LineEditRules, TypedDurationsAreCheckedOnOk) {
    auto m = TLineEditModel::Open("C, x, 3, 2, 0, 1, 0, Q", kGuitar);
    ASSERT_TRUE(m);
    TColumn c = m->Column(2);
    c.duration = "Z";
    m->SetColumn(2, c);
    EXPECT_EQ(m->Line(), "C, x, 3|Z|100|, 2, 0, 1, 0, Q");
    EXPECT_EQ(m->CheckOnOk(), msg::FieldDurationInvalid("Z"));

    // Text that would break the line's fields is never written; the line stays as it was.
    c.duration = "Q,E";
    m->SetColumn(2, c);
    EXPECT_EQ(m->Line(), "C, x, 3|Z|100|, 2, 0, 1, 0, Q");
    EXPECT_EQ(m->CheckOnOk(), msg::FieldDurationInvalid("Q,E"));

    // Silencing the string drops what was typed into it.
    c.number = -1;
    m->SetColumn(2, c);
    EXPECT_EQ(m->Line(), "C, x, x, 2, 0, 1, 0, Q");
    EXPECT_EQ(m->CheckOnOk(), "");

    c.number = 3;
    c.duration = "Q-E";
    m->SetColumn(2, c);
    EXPECT_EQ(m->Line(), "C, x, 3|Q-E|100|, 2, 0, 1, 0, Q");
    EXPECT_EQ(m->CheckOnOk(), "");
}

} // namespace
