#include "song/BuiltInBeats.h"

#include "song/TextUtil.h"

#include <array>
#include <stdexcept>

namespace {

// Rows: 0 bass drum, 1 snare, 2 closed hi-hat, 3 open hi-hat, 4 high tom, 5 crash, 6 low wood
// block, 7 ride (the default slots).
const std::array<BuiltInBeat, kBuiltInBeatCount> kBeats{{
    {{"14|0|0404|Rock 1", "0000007", "0002009", "0202007", "0401007", "0402009", "0602007", "0800007", "0802009",
      "1000007", "1002007", "1201007", "1202009", "1402007"}},
    {{"15|0|0404|Rock 2", "0000007", "0002009", "0202007", "0401007", "0402009", "0602007", "0701007", "0800007",
      "0802009", "1000007", "1002007", "1201007", "1202009", "1402007"}},
    {{"14|0|0304|Rock 3/4", "0000007", "0001007", "0002007", "0003007", "0205007", "0400007", "0401007", "0402007",
      "0605007", "0800007", "0802007", "0803007", "0806007"}},
    {{"14|1|0404|Jazz", "0000007", "0002007", "0301007", "0302007", "0500007", "0502007", "0602007", "0800007",
      "0901007", "0902007", "0906007", "1100007", "1102007"}},
    {{"16|0|0404|Bossa Nova", "0000007", "0006007", "0201007", "0401007", "0405007", "0600003", "0606007", "0800003",
      "0801007", "1001007", "1205007", "1206007", "1400007", "1401007", "1405007"}},
    {{"07|1|0304|Jazz Waltz", "0000007", "0007007", "0307007", "0502007", "0607007", "0807007"}},
    {{"17|0|0404|Country", "0000007", "0002007", "0201007", "0202007", "0400007", "0402007", "0601007", "0602007",
      "0800007", "0802007", "1001007", "1002007", "1200007", "1202007", "1401007", "1402007"}},
}};

std::string_view Part(std::string_view text, size_t first1Based, size_t count) {
    if (first1Based > text.size())
        return {};
    return text.substr(first1Based - 1, count);
}

} // namespace

const BuiltInBeat &GetBuiltInBeat(int number) {
    if (number < 1 || number > kBuiltInBeatCount)
        throw std::out_of_range("built-in beat number");
    return kBeats[static_cast<size_t>(number - 1)];
}

std::vector<std::string> BuiltInBeatChoices() {
    std::vector<std::string> choices{"None"};
    for (const BuiltInBeat &beat : kBeats)
        choices.push_back(GetBeatName(beat.strings.front()));
    return choices;
}

int GetBeatLineCount(std::string_view header) { return ReadIntegerDef(Part(header, 1, 2), 0); }
int GetBeatJazzyFlag(std::string_view header) { return ReadIntegerDef(Part(header, 4, 1), 0); }
std::string GetBeatTimeSignature(std::string_view header) { return std::string(Part(header, 6, 4)); }
std::string GetBeatName(std::string_view header) { return std::string(Part(header, 11, std::string_view::npos)); }

void LoadBuiltInBeat(DrumPart &drums, const BuiltInBeat &beat) {
    const std::string_view header = beat.strings.front();
    const std::string timeSignature = GetBeatTimeSignature(header);
    drums.feel = GetBeatJazzyFlag(header) == 1 ? kFeelJazzy : kFeelRegular;
    drums.sigUpper = GetTimeSigUpper(timeSignature);
    drums.sigLower = GetTimeSigLower(timeSignature);
    drums.ResizeGridColumns();

    const std::string listLine = FormatPatternListLine(GetBeatName(header), drums.NextPatternId(), drums.feel);
    const int current = drums.list.ItemIndex();
    const int at = drums.list.Empty() ? 0 : current < 0 ? 0 : current + 1;
    drums.list.Insert(at, listLine);

    const int count = GetBeatLineCount(header);
    std::vector<std::string> block{FormatPatternHeader(count, listLine)};
    for (size_t i = 1; i < beat.strings.size() && static_cast<int>(i) < count; ++i)
        block.emplace_back(beat.strings[i]);
    drums.store.AppendLines(block);

    drums.list.SetItemIndex(at);
    drums.list.SetSelected(at, true);
    drums.LoadPatternIntoGrid(at);
}

void ChooseBuiltInBeat(DrumPart &drums, int choice) {
    drums.drumSlots = MakeDefaultDrumSlots();
    drums.list.DeselectAll();
    drums.builtInBeat = (choice >= 1 && choice <= kBuiltInBeatCount) ? choice : 0;
    if (drums.builtInBeat > 0)
        LoadBuiltInBeat(drums, GetBuiltInBeat(drums.builtInBeat));
}
