#include "dialogs/rules/TempoRules.h"

#include "song/TextUtil.h"

#include <algorithm>

int EffectiveSongTempo(int songTempo) { return songTempo > 0 ? songTempo : kDefaultTempo; }

std::string TempoTextAfterKeyRelease(std::string_view text) {
    const std::string trimmed = Trim(text);
    if (trimmed.size() > 3)
        return std::to_string(kMaxTempo);
    if (trimmed.empty())
        return std::to_string(kMinTempo);
    return std::string(text);
}

std::string TempoTextAfterChange(std::string_view text) {
    const std::optional<int32_t> value = ReadInteger(text);
    if (!value || *value == 0)
        return std::string(text);
    return std::to_string(*value);
}

std::optional<int> UpDownStep(std::string_view text, int delta, int min, int max) {
    const std::optional<int32_t> value = ReadInteger(text);
    if (!value)
        return std::nullopt;
    const long long next = static_cast<long long>(*value) + delta;
    if (next < min || next > max)
        return std::nullopt;
    return static_cast<int>(next);
}

std::optional<int> HalfTempo(std::string_view text) {
    const std::optional<int32_t> value = ReadInteger(text);
    if (!value)
        return std::nullopt;
    return *value / 2;
}

int DoubleTempo(std::string_view text) {
    const long long doubled = 2LL * ReadIntegerDef(text, -1);
    return static_cast<int>(std::clamp<long long>(doubled, kMinTempo, kMaxTempo));
}

int TempoOnOk(std::string_view text) { return std::clamp(ReadIntegerDef(text, -1), kMinTempo, kMaxTempo); }

std::span<const TempoMark> TempoMarks() {
    static constexpr TempoMark marks[] = {
        {40, "Larghissimo", "40 - Extremely Slow"},
        {50, "Larghetto", "50 - Very Slow"},
        {60, "Adagio", "60 - Slow"},
        {80, "Andante", "80 - Some quickness"},
        {90, "Moderato", "90 - Moderate"},
        {100, "Allegretto", "100 - Lively"},
        {120, "Allegro", "120 - Quick and lively"},
        {160, "Presto", "160 - Very quick"},
        {200, "Prestissimo", "200 - Extremly Quick"},
    };
    return marks;
}
