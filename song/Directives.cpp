#include "song/Directives.h"

#include "song/Durations.h"
#include "song/FrettedLine.h"
#include "song/GMProgramNames.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::array<std::string_view, 7> kKeywords = {"TEMPO",   "VOLUME", "BALANCE",  "INSTRUMENT",
                                                       "CHANNEL", "DELAY",  "TRANSPOSE"};

// The value part of a directive: the trimmed line after the keyword and the one character that
// follows it; "" when the keyword is missing or ends the line.
std::string_view DirectiveValue(std::string_view line, std::string_view keyword) {
    const std::string_view t = TrimView(line);
    const std::string upper = UpperCaseAscii(t);
    const size_t p = upper.find(keyword);
    if (p == std::string::npos)
        return {};
    const size_t from = p + keyword.size() + 1;
    return from >= t.size() ? std::string_view() : t.substr(from);
}

struct NamedValue {
    std::string_view name;
    int value;
};

constexpr std::array<NamedValue, 7> kBalanceWords = {{{"CENTER", 64},
                                                      {"FULL LEFT", 0},
                                                      {"LEFT", 26},
                                                      {"LEFT/CENTER", 56},
                                                      {"RIGHT/CENTER", 74},
                                                      {"RIGHT", 102},
                                                      {"FULL RIGHT", 127}}};

constexpr std::array<NamedValue, 16> kInstrumentWords = {{{"PIANO", 0},
                                                          {"SAX", 66},
                                                          {"GUITAR", 24},
                                                          {"UKE", 24},
                                                          {"UKULELE", 24},
                                                          {"ELECTRIC GUITAR", 27},
                                                          {"ELECTRIC", 27},
                                                          {"BASS", 33},
                                                          {"MANDOLIN", 25},
                                                          {"STRINGS", 48},
                                                          {"ORGAN", 19},
                                                          {"5-STRING", 105},
                                                          {"BANJO", 105},
                                                          {"5-STRING BANJO", 105},
                                                          {"TENOR", 105},
                                                          {"TENOR BANJO", 105}}};

// "FX1".."FX8" / "FX 1".."FX 8" and the same for LEAD and PAD.
std::optional<int> NumberedWord(std::string_view v) {
    struct Family {
        std::string_view prefix;
        int first;
    };
    constexpr Family families[] = {{"FX", 96}, {"LEAD", 80}, {"PAD", 88}};
    for (const Family &f : families) {
        if (v.substr(0, f.prefix.size()) != f.prefix)
            continue;
        std::string_view rest = v.substr(f.prefix.size());
        if (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '8')
            return f.first + (rest[0] - '1');
    }
    return std::nullopt;
}

const std::vector<std::string> &UpperProgramNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (int i = 0; i < 128; ++i)
            out.push_back(UpperCaseAscii(GMProgramShortName(i)));
        return out;
    }();
    return names;
}

} // namespace

bool IsDirective(std::string_view line, std::string_view keyword) {
    const std::string key = UpperCaseAscii(TrimView(keyword));
    if (key.empty() || !IsDirectiveLine(line))
        return false;
    const std::string upper = UpperCaseAscii(TrimView(line));
    const size_t p = upper.find(key);
    if (p == std::string::npos)
        return false;
    // From the character after "*" up to and including the one after the keyword.
    const std::string_view between = std::string_view(upper).substr(1, p + key.size());
    return TrimView(between) == key;
}

std::optional<TDirective> FindDirective(std::string_view line) {
    if (!IsDirectiveLine(line))
        return std::nullopt;
    for (size_t i = 0; i < kKeywords.size(); ++i)
        if (IsDirective(line, kKeywords[i]))
            return static_cast<TDirective>(i);
    return std::nullopt;
}

int GetTempoValue(std::string_view line, const TLineContext &ctx) {
    const auto v = ReadInteger(TrimView(DirectiveValue(line, "TEMPO")));
    const int tempo = v ? *v : NormaliseTempo(ctx.Tempo);
    return std::clamp(tempo, 1, 500);
}

int GetVolumeValue(std::string_view line, const TLineContext &ctx) {
    const auto v = ReadInteger(TrimView(DirectiveValue(line, "VOLUME")));
    return v && *v >= 1 && *v <= 127 ? *v : ctx.Volume;
}

int GetChannelValue(std::string_view line, const TLineContext &ctx) {
    const auto v = ReadInteger(TrimView(DirectiveValue(line, "CHANNEL")));
    return v && *v >= 1 && *v <= 16 ? *v - 1 : ctx.Channel;
}

int GetBalanceValue(std::string_view line) {
    const std::string_view value = DirectiveValue(line, "BALANCE");
    if (const auto v = ReadInteger(value))
        return *v >= 0 && *v <= 127 ? *v : 64;
    const std::string word = UpperCaseAscii(TrimView(value));
    for (const NamedValue &w : kBalanceWords)
        if (word == w.name)
            return w.value;
    return 64;
}

std::optional<int> InstrumentFromName(std::string_view name) {
    const std::string v = UpperCaseAscii(TrimView(name));
    const auto &programs = UpperProgramNames();
    if (v == programs[0])
        return 0;
    if (const auto n = NumberedWord(v))
        return n;
    for (const NamedValue &w : kInstrumentWords)
        if (v == w.name)
            return w.value;
    for (int i = 1; i < 128; ++i)
        if (v == programs[static_cast<size_t>(i)])
            return i;
    return std::nullopt;
}

int GetInstrumentValue(std::string_view line) {
    const std::string_view value = DirectiveValue(line, "INSTRUMENT");
    if (const auto v = ReadInteger(value))
        return *v >= 0 && *v <= 127 ? *v : 0;
    return InstrumentFromName(value).value_or(0);
}

int GetDelayValue(std::string_view line, int ppqn) {
    const auto v = ReadInteger(DirectiveValue(line, "DELAY"));
    return v && *v >= -ppqn && *v <= ppqn ? *v : 0;
}

int GetTransposeValue(std::string_view line) {
    const auto v = ReadInteger(TrimView(DirectiveValue(line, "TRANSPOSE")));
    if (!v)
        return 0;
    if (*v < -23)
        return -24;
    if (*v > 23)
        return 24;
    return *v;
}

std::optional<TDirectiveValue> ReadDirective(std::string_view line, const TLineContext &ctx) {
    const auto d = FindDirective(line);
    if (!d)
        return std::nullopt;
    switch (*d) {
    case TDirective::Tempo:
        return TDirectiveValue{*d, GetTempoValue(line, ctx)};
    case TDirective::Volume:
        return TDirectiveValue{*d, GetVolumeValue(line, ctx)};
    case TDirective::Balance:
        return TDirectiveValue{*d, GetBalanceValue(line)};
    case TDirective::Instrument:
        return TDirectiveValue{*d, GetInstrumentValue(line)};
    case TDirective::Channel:
        return TDirectiveValue{*d, GetChannelValue(line, ctx)};
    case TDirective::Delay:
        return TDirectiveValue{*d, GetDelayValue(line, ctx.Ppqn)};
    case TDirective::Transpose:
        return TDirectiveValue{*d, GetTransposeValue(line)};
    }
    return std::nullopt;
}
