#include "dialogs/rules/NotePickRules.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(NotePickRules, EveryChoiceWritesItsDurationSuffix) {
    const char *const plain[] = {" W", " H", " Q", " E", " S", " T", " F"};
    const char *const dotted[] = {" .W", " .H", " .Q", " .E", " .S", " .T", " .F"};
    const char *const triplet[] = {" /W", " /H", " /Q", " /E", " /S", " /T", " /F"};
    std::set<std::string_view> names;
    for (int i = 0; i < kNotePickLengths; ++i) {
        EXPECT_EQ(NotePickText({i, TNoteFamily::Plain}), plain[i]);
        EXPECT_EQ(NotePickText({i, TNoteFamily::Dotted}), dotted[i]);
        EXPECT_EQ(NotePickText({i, TNoteFamily::Triplet}), triplet[i]);
        for (TNoteFamily f : {TNoteFamily::Plain, TNoteFamily::Dotted, TNoteFamily::Triplet})
            names.insert(NotePickButtonName({i, f}));
    }
    EXPECT_EQ(names.size(), 21u);
    EXPECT_EQ(NotePickButtonName({5, TNoteFamily::Dotted}), "SpeedButtonThirtysecondD");
    EXPECT_EQ(NotePickText({7, TNoteFamily::Plain}), "");
    EXPECT_EQ(NotePickButtonName({-1, TNoteFamily::Plain}), "");
}

} // namespace
