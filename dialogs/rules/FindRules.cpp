#include "dialogs/rules/FindRules.h"

#include <algorithm>

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The code point whose first byte is at `i` (a malformed sequence reads as its first byte).
char32_t CodePointAt(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0F : extra == 1 ? c & 0x1F : c;
    for (size_t k = 1; k <= size_t(extra); ++k) {
        if (i + k >= s.size() || !IsContinuation(static_cast<unsigned char>(s[i + k])))
            return c;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    return cp;
}

// Letters, digits and "_" make words. Beyond ASCII every character from U+00C0 on counts as a
// letter except the two Latin-1 signs and the general punctuation block (dashes, quotes).
bool IsWordCharacter(char32_t c) {
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (c < 0xC0 || c == 0xD7 || c == 0xF7)
        return false;
    return c < 0x2000 || c > 0x206F;
}

bool WordBefore(std::string_view line, size_t at) {
    if (at == 0)
        return false;
    size_t i = at - 1;
    while (i > 0 && IsContinuation(static_cast<unsigned char>(line[i])))
        --i;
    return IsWordCharacter(CodePointAt(line, i));
}

bool WordAt(std::string_view line, size_t at) { return at < line.size() && IsWordCharacter(CodePointAt(line, at)); }

// Case-blind form that keeps every byte's place: A..Z and the Latin-1 capitals (U+00C0..U+00DE
// but the multiplication sign) become their small letters, which have as many bytes.
std::string Folded(std::string_view s) {
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = char(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97)
                out[i + 1] = char(d + 0x20);
            ++i;
        }
    }
    return out;
}

bool HoldsLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::string OneLine(std::string_view s) {
    std::string out(s);
    std::replace(out.begin(), out.end(), '\n', ' ');
    std::replace(out.begin(), out.end(), '\r', ' ');
    return out;
}

} // namespace

std::optional<std::string> SearchTextFromSelection(std::string_view selected) {
    if (HoldsLineBreak(selected))
        return std::nullopt;
    const auto characters = std::count_if(selected.begin(), selected.end(),
                                          [](char c) { return !IsContinuation(static_cast<unsigned char>(c)); });
    if (characters < 1 || characters > kMaxSeedCharacters)
        return std::nullopt;
    return std::string(selected);
}

std::string TextBetween(const std::vector<std::string> &lines, TTextPlace from, TTextPlace to) {
    if (lines.empty())
        return {};
    if (to < from)
        std::swap(from, to);
    const int last = int(lines.size()) - 1;
    auto hold = [&](TTextPlace p) {
        p.Line = std::clamp(p.Line, 0, last);
        p.Column = std::clamp(p.Column, 0, int(lines[size_t(p.Line)].size()));
        return p;
    };
    from = hold(from);
    to = hold(to);
    if (from.Line == to.Line)
        return lines[size_t(from.Line)].substr(size_t(from.Column), size_t(to.Column - from.Column));
    std::string text = lines[size_t(from.Line)].substr(size_t(from.Column));
    for (int l = from.Line + 1; l < to.Line; ++l)
        text += "\n" + lines[size_t(l)];
    text += "\n" + lines[size_t(to.Line)].substr(0, size_t(to.Column));
    return text;
}

std::optional<TTextMatch> FindText(const std::vector<std::string> &lines, TTextPlace from, std::string_view text,
                                   TFindOptions options) {
    if (text.empty() || HoldsLineBreak(text))
        return std::nullopt;
    const std::string needle = options.MatchCase ? std::string(text) : Folded(text);
    for (int l = std::max(0, from.Line); l < int(lines.size()); ++l) {
        const std::string &line = lines[size_t(l)];
        const std::string hay = options.MatchCase ? line : Folded(line);
        size_t at = l == from.Line ? size_t(std::clamp(from.Column, 0, int(line.size()))) : 0;
        for (at = hay.find(needle, at); at != std::string::npos; at = hay.find(needle, at + 1)) {
            if (!options.WholeWord || (!WordBefore(line, at) && !WordAt(line, at + needle.size())))
                return TTextMatch{l, int(at), int(needle.size())};
        }
    }
    return std::nullopt;
}

std::optional<TReplaceStep> ReplaceNext(const std::vector<std::string> &lines, TTextPlace from, std::string_view text,
                                        std::string_view replacement, TFindOptions options) {
    const std::optional<TTextMatch> m = FindText(lines, from, text, options);
    if (!m)
        return std::nullopt;
    const std::string with = OneLine(replacement);
    std::string line = lines[size_t(m->Line)];
    line.replace(size_t(m->Column), size_t(m->Length), with);
    return TReplaceStep{{m->Line, m->Column, int(with.size())}, std::move(line)};
}

TReplaceAllResult ReplaceAll(const std::vector<std::string> &lines, int firstLine, std::string_view text,
                             std::string_view replacement, TFindOptions options) {
    TReplaceAllResult out;
    firstLine = std::clamp(firstLine, 0, int(lines.size()));
    out.lines.assign(lines.begin() + firstLine, lines.end());
    TTextPlace from;
    while (const std::optional<TReplaceStep> step = ReplaceNext(out.lines, from, text, replacement, options)) {
        out.lines[size_t(step->inserted.Line)] = step->line;
        ++out.count;
        out.last = step->inserted;
        from = {step->inserted.Line, step->inserted.Column + step->inserted.Length};
    }
    out.last.Line += firstLine;
    return out;
}

std::string NotFoundMessage(std::string_view text) { return "Search phrase \"" + std::string(text) + "\" not found"; }

std::optional<int> GoToLineIndex(int number, int lineCount) {
    if (number < 1 || number > lineCount)
        return std::nullopt;
    return number - 1;
}
