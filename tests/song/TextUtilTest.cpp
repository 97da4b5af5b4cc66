#include "song/TextUtil.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct IntCase {
    const char *text;
    std::optional<int32_t> value;
};

TEST(TextUtil, ReadIntegerAcceptsOnlyWholeIntegers) {
    // clang-format off
    const IntCase cases[] = {
        {"0", 0},           {"42", 42},         {"  42", 42},       {"+7", 7},
        {"-1", -1},         {"$1F", 31},        {"x10", 16},        {"X10", 16},
        {"0x10", 16},       {"0X1f", 31},       {"-$10", -16},      {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},           {"-2147483649", std::nullopt},
        {"$80000000", std::nullopt},            {"", std::nullopt}, {"   ", std::nullopt},
        {"3 ", std::nullopt}, {"3|", std::nullopt}, {"-", std::nullopt}, {"$", std::nullopt},
        {"0x", std::nullopt}, {"1e3", std::nullopt}, {"12a", std::nullopt}, {"- 1", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(ReadInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextUtil, TrimStripsEveryControlCharacterAndBlank) {
    EXPECT_EQ(Trim("\t\r\n x y \x01\x1f"), "x y");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xC3\xA9"), "\xC3\xA9"); // bytes of UTF-8 sequences are kept
}

TEST(TextUtil, UpperCaseTouchesAsciiLettersOnly) {
    EXPECT_EQ(UpperCaseAscii("fx 3 \xC3\xA9"), "FX 3 \xC3\xA9");
    EXPECT_TRUE(SameTextAscii("Piano", "PIANO"));
    EXPECT_FALSE(SameTextAscii("Piano", "Pian"));
}

TEST(TextUtil, SplitFirstWord) {
    EXPECT_EQ(SplitFirstWord("PIANO GUITAR  DRUMS"),
              std::make_pair(std::string("PIANO"), std::string("GUITAR  DRUMS")));
    EXPECT_EQ(SplitFirstWord(" UKE "), std::make_pair(std::string(""), std::string("UKE")));
    EXPECT_EQ(SplitFirstWord("UKE"), std::make_pair(std::string("UKE"), std::string()));
}

TEST(TextUtil, Windows1252RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\xE9"), "\xC3\xA9");     // e acute
}

TEST(TextUtil, Utf8ToWindows1252ReplacesWhatItCannotHold) {
    EXPECT_EQ(Utf8ToCp1252("\xE2\x99\xAF"), "?"); // sharp sign
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");       // cut sequence
    EXPECT_EQ(Utf8ToCp1252("\xFF"
                           "b"),
              "?b");                          // not UTF-8 at all
    EXPECT_EQ(Utf8ToCp1252("\xC3(x"), "?(x"); // bad continuation byte
}

} // namespace
