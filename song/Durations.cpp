#include "song/Durations.h"

#include "song/TextUtil.h"

namespace {

constexpr std::string_view kLetters = "WHQESTF";

// A symbol split into its letter's divisor of the whole note (1..64) and its modifier.
struct Symbol {
    int divisor = 0;   // 0 = not a symbol
    char modifier = 0; // 0, '.' or '/'
};

Symbol ParseSymbol(std::string_view s) {
    Symbol sym;
    char letter;
    if (s.size() == 1) {
        letter = s[0];
    } else if (s.size() == 2 && (s[0] == '.' || s[0] == '/')) {
        sym.modifier = s[0];
        letter = s[1];
    } else {
        return {};
    }
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    const size_t at = kLetters.find(letter);
    if (at == std::string_view::npos)
        return {};
    sym.divisor = 1 << at;
    return sym;
}

// Length of one symbol of a whole note lasting `whole` units.
int SymbolLength(const Symbol &s, int whole) {
    if (s.divisor == 0)
        return 0;
    switch (s.modifier) {
    case '.':
        return whole / s.divisor + whole / (2 * s.divisor);
    case '/':
        return whole / (3 * s.divisor);
    default:
        return whole / s.divisor;
    }
}

int PartLength(const Symbol &s, TDurationUnit unit, int wholeMs, int ppqn) {
    return unit == TDurationUnit::Ticks ? SymbolLength(s, 4 * ppqn) : SymbolLength(s, wholeMs);
}

constexpr int kMaxTieSteps = 1001;

} // namespace

int WholeNoteMs(int tempo) { return ((60000000 / NormaliseTempo(tempo)) / 1000) * 4; }

int DurationToTicks(std::string_view symbol, int ppqn) { return SymbolLength(ParseSymbol(symbol), 4 * ppqn); }

int DurationToMs(std::string_view symbol, int wholeMs) { return SymbolLength(ParseSymbol(symbol), wholeMs); }

int DurationLength(std::string_view text, TDurationUnit unit, int tempo, int ppqn) {
    if (TrimView(text).empty())
        return 0;
    const int wholeMs = unit == TDurationUnit::Ticks ? 0 : WholeNoteMs(tempo);
    // A single symbol must be the whole text, blanks included.
    if (const Symbol s = ParseSymbol(text); s.divisor != 0)
        return PartLength(s, unit, wholeMs, ppqn);

    size_t dash = text.find('-');
    if (dash == std::string_view::npos || dash == 0)
        return 0;
    const Symbol first = ParseSymbol(TrimView(text.substr(0, dash)));
    if (first.divisor == 0)
        return 0;
    int sum = PartLength(first, unit, wholeMs, ppqn);

    // Every further part is trimmed, so blanks around any "-" of a tie are allowed.
    std::string_view rest = text.substr(dash + 1);
    for (int step = 0; step < kMaxTieSteps; ++step) {
        const std::string_view remainder = TrimView(rest);
        const size_t next = remainder.find('-');
        const bool last = next == std::string_view::npos || next == 0;
        const std::string_view part = last ? remainder : TrimView(remainder.substr(0, next));
        const Symbol s = ParseSymbol(part);
        if (s.divisor == 0)
            return 0;
        sum += PartLength(s, unit, wholeMs, ppqn);
        if (last)
            return sum;
        rest = remainder.substr(next + 1);
    }
    return sum;
}

int DurationMs(std::string_view text, int tempo) { return DurationLength(text, TDurationUnit::Milliseconds, tempo); }

bool IsValidDuration(std::string_view text) { return DurationLength(text, TDurationUnit::Ticks) != 0; }

std::string GetDurationField(std::string_view line) {
    const size_t comma = line.rfind(',');
    if (comma == std::string_view::npos)
        return std::string();
    return Trim(line.substr(comma + 1));
}
