#include "dialogs/rules/TimeSigRules.h"

#include "song/TextUtil.h"

#include <algorithm>

std::span<const int> TimeSigDenominators() {
    static constexpr int denominators[] = {1, 2, 4, 8, 16, 32, 64};
    return denominators;
}

int DenominatorIndex(int denominator) {
    const auto list = TimeSigDenominators();
    const auto it = std::find(list.begin(), list.end(), denominator);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int DenominatorAt(int index) {
    const auto list = TimeSigDenominators();
    return index >= 0 && index < static_cast<int>(list.size()) ? list[index] : 0;
}

int OpeningDenominatorIndex(int denominator) {
    const int index = DenominatorIndex(denominator);
    return index >= 0 ? index : DenominatorIndex(4);
}

std::string RestoreCaption(int numerator, int denominator) {
    return FormatTimeSignatureText(FormatTimeSignature(numerator, denominator));
}

std::optional<std::string> TimeSigOnOk(std::string_view numeratorText, int denominatorIndex) {
    const std::optional<int32_t> numerator = ReadInteger(Trim(numeratorText));
    if (!numerator)
        return std::nullopt;
    return FormatTimeSignature(std::clamp<int>(*numerator, kMinNumerator, kMaxNumerator),
                               DenominatorAt(denominatorIndex));
}

std::span<const TimeSigPreset> TimeSigPresets() {
    static constexpr TimeSigPreset presets[] = {
        {4, 4, false, "4/4", "Four quarter notes per bar", "Rock, Classical, Country, Jazz"},
        {3, 4, false, "3/4", "Three quarter notes per bar", "Waltzes and ballads"},
        {2, 4, false, "2/4", "Two quarter notes per bar", "Polkas and marches"},
        {6, 8, true, "6/8", "Six eighth notes per bar", "Jigs, fast waltzes, marches and Rock"},
        {12, 8, true, "12/8", "Twelve eighth notes per bar", "Classical, blues and Rock"},
    };
    return presets;
}

std::optional<TimeSigPreset> PresetForLabel(std::string_view labelText) {
    for (const TimeSigPreset &preset : TimeSigPresets()) {
        if (labelText == preset.notesPerBar)
            return preset;
        if (!preset.compound && (labelText == preset.sign || labelText == preset.styles))
            return preset;
    }
    return std::nullopt;
}
