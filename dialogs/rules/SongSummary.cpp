#include "dialogs/rules/SongSummary.h"

#include "dialogs/rules/BalanceText.h"
#include "song/SongModel.h"
#include "song/TextUtil.h"

#include <array>

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

struct TColumn {
    size_t width;
    const char *header;
};
constexpr std::array<TColumn, 9> kColumns{{{2, ""},
                                           {10, "Tab"},
                                           {4, "Mute"},
                                           {4, "Vol"},
                                           {4, "Chan"},
                                           {15, "Balance"},
                                           {5, "Delay"},
                                           {5, "Trans"},
                                           {30, "Instrument"}}};

std::string Row(const std::array<std::string, 9> &fields) {
    std::string row;
    for (size_t i = 0; i < kColumns.size(); ++i) {
        row += PadRight(fields[i], kColumns[i].width);
        row += ' ';
    }
    return row;
}

std::string NumberOrEmpty(int value) { return value == 0 ? std::string() : std::to_string(value); }

// The drum channel (10 on the mixer) plays percussion whatever the tab's program.
constexpr int kDrumChannel = 9;

} // namespace

std::string PadRight(std::string_view text, size_t width) {
    std::string out;
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!IsContinuation(c)) {
            if (chars == width)
                break;
            ++chars;
        }
        out += text[i];
    }
    out.append(width - chars, ' ');
    return out;
}

std::string SummaryHeader() {
    std::array<std::string, 9> fields;
    for (size_t i = 0; i < kColumns.size(); ++i)
        fields[i] = kColumns[i].header;
    return Row(fields);
}

std::string SummaryRow(int number, const TInstrumentTab &tab) {
    return Row({std::to_string(number), tab.Name, tab.Mute ? "X" : "", std::to_string(tab.Volume),
                std::to_string(tab.Channel + 1), std::string(GetTextValueFromBalance(tab.Balance)),
                NumberOrEmpty(tab.Delay), NumberOrEmpty(tab.Transpose),
                tab.Channel == kDrumChannel ? std::string("Drums") : tab.PatchName});
}

TSongSummary SongSummary(const TSongModel &song, int drumPatternCount) {
    TSongSummary s;
    s.header = SummaryHeader();
    for (int p = 1; p <= kTabCount; ++p) {
        const TInstrumentTab &tab = song.Tab(p);
        const bool content = tab.Kind == TKind::Drums ? drumPatternCount > 0 : !song.Lines(p).empty();
        if (!content)
            continue;
        if (p == song.CurrentTab)
            s.selected = static_cast<int>(s.rows.size());
        s.rows.push_back(SummaryRow(p, tab));
    }
    return s;
}

std::optional<int> SummaryRowTab(std::string_view row) {
    const std::optional<int32_t> n = ReadInteger(SplitFirstWord(row).first);
    if (!n || *n < 1 || *n > kTabCount)
        return std::nullopt;
    return *n;
}
