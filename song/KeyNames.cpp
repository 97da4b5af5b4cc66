#include "song/KeyNames.h"

#include <array>
#include <utility>

namespace {
constexpr std::array<std::string_view, 12> kKeyNames = {
    "A", "A#/Bb", "B", "C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab",
};
} // namespace

std::span<const std::string_view> KeyNames() { return kKeyNames; }

std::string KeyName(int index) {
    if (index < 1 || index > 12)
        return {};
    return std::string(kKeyNames[static_cast<size_t>(index - 1)]);
}

std::string SharpKeyName(std::string_view key) {
    static constexpr std::pair<std::string_view, std::string_view> kFlats[] = {
        {"Db", "C#"}, {"Eb", "D#"}, {"Gb", "F#"}, {"Ab", "G#"}, {"Bb", "A#"}};
    for (const auto &[flat, sharp] : kFlats)
        if (key == flat)
            return std::string(sharp);
    return std::string(key);
}
