#include "dialogs/rules/FindRules.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kLines{
    "C, x, 3, 2, 0, 1, 0, Q",     // 0
    "*Tempo 120",                 // 1
    "Cmaj7, x, 3, 2, 0, 0, 0, H", // 2
    "c_2 C2 (C) über Über",       // 3
};

struct FindCase {
    const char *what;
    TTextPlace from;
    const char *text;
    TFindOptions options;
    std::optional<TTextMatch> expected;
};

TEST(FindText, MatchesFromThePlaceWithTheOptions) {
    const FindCase cases[] = {
        {"first match from the start", {0, 0}, "C", {}, TTextMatch{0, 0, 1}},
        {"case-blind finds the small c", {1, 0}, "c", {}, TTextMatch{2, 0, 1}},
        {"match case passes the capitals by", {3, 1}, "c", {.MatchCase = true}, std::nullopt},
        {"match case finds the capital", {3, 0}, "C", {.MatchCase = true}, TTextMatch{3, 4, 1}},
        {"starts at the column, not before it", {0, 1}, "C", {}, TTextMatch{2, 0, 1}},
        {"whole word passes Cmaj7 by", {1, 0}, "C", {.WholeWord = true}, TTextMatch{3, 8, 1}},
        {"whole word: digits and _ are word characters", {3, 0}, "c", {.WholeWord = true}, TTextMatch{3, 8, 1}},
        {"whole word at the line's start", {0, 0}, "C", {.WholeWord = true}, TTextMatch{0, 0, 1}},
        {"whole word at the line's end", {0, 0}, "Q", {.WholeWord = true}, TTextMatch{0, 21, 1}},
        {"case-blind Latin-1 letters", {3, 0}, "ÜBER", {}, TTextMatch{3, 11, 5}},
        {"match case keeps Ü apart from ü", {3, 0}, "Über", {.MatchCase = true}, TTextMatch{3, 17, 5}},
        {"a letter beyond ASCII is part of the word", {3, 0}, "ber", {.WholeWord = true}, std::nullopt},
        {"an empty text is never found", {0, 0}, "", {}, std::nullopt},
        {"a text with a line break is never found", {0, 0}, "Q\n*", {}, std::nullopt},
        {"nothing after the last match", {3, 19}, "Über", {}, std::nullopt},
        {"a place past the lines finds nothing", {9, 0}, "C", {}, std::nullopt},
        {"a column past the line's end goes on with the next line", {0, 99}, "120", {}, TTextMatch{1, 7, 3}},
    };
    for (const FindCase &c : cases)
        EXPECT_EQ(FindText(kLines, c.from, c.text, c.options), c.expected) << c.what;
}

TEST(ReplaceNext, ReplacesTheFirstMatchAndSaysWhereTheNewTextIs) {
    const auto step = ReplaceNext(kLines, {0, 1}, "c", "D#", {});
    ASSERT_TRUE(step);
    EXPECT_EQ(step->line, "D#maj7, x, 3, 2, 0, 0, 0, H");
    EXPECT_EQ(step->inserted, (TTextMatch{2, 0, 2}));
    // Going on after the replacement never meets the replacement's own text.
    std::vector<std::string> lines{"C C", "C"};
    TTextPlace from{0, 0};
    std::vector<std::string> seen;
    while (const auto s = ReplaceNext(lines, from, "C", "C#", {.MatchCase = true})) {
        lines[size_t(s->inserted.Line)] = s->line;
        from = {s->inserted.Line, s->inserted.Column + s->inserted.Length};
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"C# C#", "C#"}));
    // A replacement never splits its line.
    EXPECT_EQ(ReplaceNext({"a b"}, {0, 0}, "b", "x\ny", {})->line, "a x y");
    EXPECT_FALSE(ReplaceNext({"a b"}, {0, 0}, "", "x", {}));
}

struct ReplaceAllCase {
    const char *what;
    std::vector<std::string> lines;
    int firstLine;
    const char *text, *replacement;
    TFindOptions options;
    std::vector<std::string> expected; // lines firstLine..end
    int count;
    TTextMatch last;
};

TEST(ReplaceAll, EveryOccurrenceFromTheFirstLineOn) {
    // clang-format off
    const ReplaceAllCase cases[] = {
        {"each occurrence once, growing text", {"C, x, Q", "C C"}, 0, "C", "C#", {}, {"C#, x, Q", "C# C#"}, 3, {1, 3, 2}},
        {"lines before the first stay out", {"C", "C", "x"}, 1, "C", "D", {}, {"D", "x"}, 1, {1, 0, 1}},
        {"whole word and case", {"Cmaj7 C c", "C"}, 0, "C", "G", {.WholeWord = true, .MatchCase = true},
         {"Cmaj7 G c", "G"}, 2, {1, 0, 1}},
        {"an empty replacement removes", {"x-x-x"}, 0, "-", "", {}, {"xxx"}, 2, {0, 2, 0}},
        {"the text made by a replacement is not searched again", {"aa"}, 0, "a", "aa", {}, {"aaaa"}, 2, {0, 2, 2}},
        {"nothing found: lines unchanged", {"abc"}, 0, "z", "y", {}, {"abc"}, 0, {}},
        {"an empty text replaces nothing", {"abc"}, 0, "", "y", {}, {"abc"}, 0, {}},
    };
    // clang-format on
    for (const ReplaceAllCase &c : cases) {
        const TReplaceAllResult r = ReplaceAll(c.lines, c.firstLine, c.text, c.replacement, c.options);
        EXPECT_EQ(r.lines, c.expected) << c.what;
        EXPECT_EQ(r.count, c.count) << c.what;
        if (c.count > 0) {
            EXPECT_EQ(r.last, c.last) << c.what;
        }
    }
}

TEST(FindSeed, OneLineOfOneTo29CharactersSeedsTheSearchBox) {
    EXPECT_EQ(SearchTextFromSelection(std::string(29, 'a')), std::string(29, 'a'));
    EXPECT_EQ(SearchTextFromSelection(std::string(30, 'a')), std::nullopt);
    EXPECT_EQ(SearchTextFromSelection(""), std::nullopt);
    EXPECT_EQ(SearchTextFromSelection("C\nD"), std::nullopt);
    // Characters, not bytes: 29 two-byte letters still seed.
    std::string umlauts;
    for (int i = 0; i < 29; ++i)
        umlauts += "ü";
    EXPECT_EQ(SearchTextFromSelection(umlauts), umlauts);
}

TEST(FindSeed, TextBetweenJoinsLinesWithLineBreaks) {
    const std::vector<std::string> lines{"abc", "def", "ghi"};
    EXPECT_EQ(TextBetween(lines, {0, 1}, {0, 3}), "bc");
    EXPECT_EQ(TextBetween(lines, {2, 1}, {0, 2}), "c\ndef\ng");
    EXPECT_EQ(TextBetween(lines, {1, 0}, {1, 0}), "");
    EXPECT_EQ(TextBetween({}, {0, 0}, {1, 1}), "");
}

TEST(FindMessages, NotFoundAndGoToLine) {
    EXPECT_EQ(NotFoundMessage("abc"), "Search phrase \"abc\" not found");
    EXPECT_EQ(GoToLineIndex(1, 10), 0);
    EXPECT_EQ(GoToLineIndex(10, 10), 9);
    EXPECT_EQ(GoToLineIndex(11, 10), std::nullopt);
    EXPECT_EQ(GoToLineIndex(0, 10), std::nullopt);
    EXPECT_EQ(GoToLineIndex(1, 0), std::nullopt);
}

} // namespace
