#include "dialogs/rules/LineInputRules.h"

#include <algorithm>

namespace {
constexpr int kUnlimitedWidthLetters = 40;
constexpr int kMostWidthLetters = 100;
} // namespace

bool IsAllowedInputChar(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '-';
}

bool AcceptsTypedChar(char32_t c, int trimmedLength, bool filter, int maxLength) {
    if (c == kBackspace)
        return true;
    if (filter && !IsAllowedInputChar(c))
        return false;
    if (maxLength > 0 && trimmedLength > maxLength)
        return c == ' ';
    return true;
}

std::string FilterInputText(std::string_view text) {
    // Every allowed character is ASCII, so no byte of a longer UTF-8 sequence survives.
    std::string out;
    for (const char c : text)
        if (IsAllowedInputChar(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

int InputWidthLetters(int maxLength) {
    if (maxLength <= 0)
        return kUnlimitedWidthLetters;
    return std::min(maxLength + 1, kMostWidthLetters);
}
