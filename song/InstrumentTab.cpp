#include "song/InstrumentTab.h"

#include "song/TextUtil.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::array<std::string_view, 8> kKindTexts = {"Piano", "Guitar",   "Drums", "Bass",
                                                        "Banjo", "Mandolin", "Tenor", "Uke"};

void PutInt(TInstrumentTabRecord &r, size_t at, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    r[at] = static_cast<uint8_t>(u);
    r[at + 1] = static_cast<uint8_t>(u >> 8);
    r[at + 2] = static_cast<uint8_t>(u >> 16);
    r[at + 3] = static_cast<uint8_t>(u >> 24);
}

void PutBool(TInstrumentTabRecord &r, size_t at, bool v) { r[at] = v ? 1 : 0; }

// Short string of 256 bytes: length byte, then up to 255 Windows-1252 bytes.
void PutShortString(TInstrumentTabRecord &r, size_t at, std::string_view utf8) {
    std::string bytes = Utf8ToCp1252(utf8);
    if (bytes.size() > 255)
        bytes.resize(255);
    r[at] = static_cast<uint8_t>(bytes.size());
    std::memcpy(r.data() + at + 1, bytes.data(), bytes.size());
}

int32_t GetInt(std::span<const uint8_t, kInstrumentTabRecordSize> r, size_t at) {
    const uint32_t u =
        uint32_t(r[at]) | uint32_t(r[at + 1]) << 8 | uint32_t(r[at + 2]) << 16 | uint32_t(r[at + 3]) << 24;
    return static_cast<int32_t>(u);
}

std::string GetShortStringBytes(std::span<const uint8_t, kInstrumentTabRecordSize> r, size_t at) {
    const size_t n = r[at];
    return std::string(reinterpret_cast<const char *>(r.data() + at + 1), n);
}

std::string GetShortString(std::span<const uint8_t, kInstrumentTabRecordSize> r, size_t at) {
    return Cp1252ToUtf8(GetShortStringBytes(r, at));
}

struct DefaultRow {
    std::string_view name;
    TKind kind;
    int patch;
    std::string_view patchName;
    int channel;
    int32_t colour;
    int highestString;
    std::string_view tuning;
    int chordReach, initialChordReach, durationCode;
    bool shortFifth;
};

constexpr int32_t kGuitarColour = RgbColour(249, 255, 255);

constexpr std::array<DefaultRow, kTabCount> kDefaultRows = {{
    {"Piano", TKind::Piano, 0, "Acoustic Grand Piano", 0, kColourButtonFace, 0, "242424242424", 4, 4, 3, false},
    {"Piano 2", TKind::Piano, 1, "Bright Acoustic Piano", 1, kColourButtonFace, 0, "242424242424", 4, 4, 3, false},
    {"Piano 3", TKind::Piano, 2, "Electric Grand Piano", 2, kColourButtonFace, 0, "242424242424", 4, 4, 3, false},
    {"Piano 4", TKind::Piano, 3, "Honky-tonk Piano", 3, kColourButtonFace, 0, "242424242424", 4, 4, 3, false},
    {"Piano 5", TKind::Piano, 4, "Rhodes Piano", 4, kColourButtonFace, 0, "242424242424", 4, 4, 3, false},
    {"Guitar", TKind::Guitar, 24, "Acoustic Guitar (nylon)", 5, kGuitarColour, 5, "242424242424", 3, 3, 4, false},
    {"Guitar 2", TKind::Guitar, 25, "Acoustic Guitar (steel)", 6, kGuitarColour, 5, "242424242424", 3, 3, 4, false},
    {"Guitar 3", TKind::Guitar, 26, "Electric Guitar (jazz)", 7, kGuitarColour, 5, "242424242424", 3, 3, 4, false},
    {"Guitar 4", TKind::Guitar, 27, "Electric Guitar (clean)", 8, kGuitarColour, 5, "242424242424", 3, 3, 4, false},
    {"Drums", TKind::Drums, 0, "Acoustic Grand Piano", 9, RgbColour(255, 239, 212), 0, "242424242424", 0, 4, 0, false},
    {"Guitar 5", TKind::Guitar, 28, "Electric Guitar (muted)", 10, kGuitarColour, 5, "242424242424", 3, 3, 4, false},
    {"Bass", TKind::Bass, 33, "Electric Bass (finger)", 11, RgbColour(246, 248, 189), 3, "242412121212", 3, 3, 2,
     false},
    {"Banjo", TKind::Banjo, 105, "Banjo", 12, RgbColour(248, 221, 255), 4, "242728292946", 4, 4, 5, true},
    {"Mandolin", TKind::Mandolin, 25, "Acoustic Guitar (steel)", 13, RgbColour(228, 255, 214), 3, "242445434139", 5, 5,
     5, false},
    {"Tenor", TKind::Tenor, 105, "Banjo", 14, RgbColour(255, 229, 230), 3, "512938363432", 4, 4, 5, false},
    {"Uke", TKind::Uke, 24, "Acoustic Guitar (nylon)", 15, RgbColour(200, 232, 206), 3, "242438383951", 6, 4, 5, false},
}};

std::array<TInstrumentTab, kTabCount> BuildDefaults() {
    std::array<TInstrumentTab, kTabCount> tabs;
    for (int i = 0; i < kTabCount; ++i) {
        const DefaultRow &row = kDefaultRows[i];
        TInstrumentTab &t = tabs[i];
        t.Name = row.name;
        t.Kind = row.kind;
        t.Colour = row.colour;
        t.DefaultPatch = t.Patch = row.patch;
        t.DefaultPatchName = t.PatchName = row.patchName;
        t.DefaultChannel = t.Channel = row.channel;
        t.HighestString = row.highestString;
        t.DefaultTuningSpelling = t.TuningSpelling = row.tuning;
        t.ChordReach = row.chordReach;
        t.InitialChordReach = row.initialChordReach;
        t.DurationCode = row.durationCode;
        t.ShortFifthString = row.shortFifth;
        // Common fields keep the values the struct starts with: bookmarks -1, saved caret and
        // top line -1, chord root "C" and type "Major", mixer values 0.
    }
    return tabs;
}

template <typename T> bool Clamp(T &v, T lo, T hi) {
    const T c = std::clamp(v, lo, hi);
    if (c == v)
        return false;
    v = c;
    return true;
}

} // namespace

std::string_view KindText(TKind kind) { return kKindTexts[static_cast<size_t>(kind)]; }

std::optional<TKind> KindFromText(std::string_view text) {
    for (size_t i = 0; i < kKindTexts.size(); ++i)
        if (SameTextAscii(text, kKindTexts[i]))
            return static_cast<TKind>(i);
    return std::nullopt;
}

TInstrumentTabRecord EncodeInstrumentTab(const TInstrumentTab &t) {
    using namespace tabrec;
    TInstrumentTabRecord r{};
    PutShortString(r, Name, t.Name);
    PutInt(r, Colour, t.Colour);
    PutShortString(r, Kind, KindText(t.Kind));
    PutInt(r, SavedCaretLine, t.SavedCaretLine);
    PutInt(r, SavedSelFirstLine, t.SavedSelFirstLine);
    PutInt(r, SavedSelLastLine, t.SavedSelLastLine);
    PutBool(r, SavedHasSelection, t.SavedHasSelection);
    PutInt(r, SavedTopLine, t.SavedTopLine);
    PutInt(r, DurationCode, t.DurationCode);
    for (size_t i = 0; i < t.Bookmarks.size(); ++i)
        PutInt(r, Bookmarks + 4 * i, t.Bookmarks[i]);
    PutInt(r, DefaultPatch, t.DefaultPatch);
    PutShortString(r, DefaultPatchName, t.DefaultPatchName);
    PutInt(r, DefaultChannel, t.DefaultChannel);
    PutShortString(r, DefaultTuningSpelling, t.DefaultTuningSpelling);
    PutShortString(r, ChordRoot, t.ChordRoot);
    PutShortString(r, ChordType, t.ChordType);
    PutInt(r, ChordPosition, t.ChordPosition);
    PutInt(r, ChordReach, t.ChordReach);
    PutShortString(r, ShownScaleKey, t.ShownScaleKey);
    PutShortString(r, ShownScale, t.ShownScale);
    PutInt(r, ShownScaleLowFret, t.ShownScaleLowFret);
    PutInt(r, ShownScaleHighFret, t.ShownScaleHighFret);
    PutInt(r, Patch, t.Patch);
    PutShortString(r, PatchName, t.PatchName);
    PutInt(r, Channel, t.Channel);
    PutInt(r, Volume, t.Volume);
    PutInt(r, Balance, t.Balance);
    PutInt(r, Delay, t.Delay);
    PutInt(r, Transpose, t.Transpose);
    PutInt(r, Bank, t.Bank);
    PutBool(r, Modified, t.Modified);
    PutInt(r, HighestString, t.HighestString);
    PutShortString(r, TuningSpelling, t.TuningSpelling);
    PutInt(r, InitialChordReach, t.InitialChordReach);
    PutBool(r, ShortFifthString, t.ShortFifthString);
    PutBool(r, Mute, t.Mute);
    PutBool(r, Solo, t.Solo);
    PutInt(r, FretCursor, t.FretCursor);
    PutInt(r, TrackNumber, t.TrackNumber);
    return r;
}

bool DecodeInstrumentTab(std::span<const uint8_t, kInstrumentTabRecordSize> r, TInstrumentTab &t) {
    using namespace tabrec;
    t.Name = GetShortString(r, Name);
    t.Colour = GetInt(r, Colour);
    const auto kind = KindFromText(GetShortStringBytes(r, Kind));
    if (kind)
        t.Kind = *kind;
    t.SavedCaretLine = GetInt(r, SavedCaretLine);
    t.SavedSelFirstLine = GetInt(r, SavedSelFirstLine);
    t.SavedSelLastLine = GetInt(r, SavedSelLastLine);
    t.SavedHasSelection = r[SavedHasSelection] != 0;
    t.SavedTopLine = GetInt(r, SavedTopLine);
    t.DurationCode = GetInt(r, DurationCode);
    for (size_t i = 0; i < t.Bookmarks.size(); ++i)
        t.Bookmarks[i] = GetInt(r, Bookmarks + 4 * i);
    t.DefaultPatch = GetInt(r, DefaultPatch);
    t.DefaultPatchName = GetShortString(r, DefaultPatchName);
    t.DefaultChannel = GetInt(r, DefaultChannel);
    t.DefaultTuningSpelling = GetShortString(r, DefaultTuningSpelling);
    t.ChordRoot = GetShortString(r, ChordRoot);
    t.ChordType = GetShortString(r, ChordType);
    t.ChordPosition = GetInt(r, ChordPosition);
    t.ChordReach = GetInt(r, ChordReach);
    t.ShownScaleKey = GetShortString(r, ShownScaleKey);
    t.ShownScale = GetShortString(r, ShownScale);
    t.ShownScaleLowFret = GetInt(r, ShownScaleLowFret);
    t.ShownScaleHighFret = GetInt(r, ShownScaleHighFret);
    t.Patch = GetInt(r, Patch);
    t.PatchName = GetShortString(r, PatchName);
    t.Channel = GetInt(r, Channel);
    t.Volume = GetInt(r, Volume);
    t.Balance = GetInt(r, Balance);
    t.Delay = GetInt(r, Delay);
    t.Transpose = GetInt(r, Transpose);
    t.Bank = GetInt(r, Bank);
    t.Modified = r[Modified] != 0;
    t.HighestString = GetInt(r, HighestString);
    t.TuningSpelling = GetShortString(r, TuningSpelling);
    t.InitialChordReach = GetInt(r, InitialChordReach);
    t.ShortFifthString = r[ShortFifthString] != 0;
    t.Mute = r[Mute] != 0;
    t.Solo = r[Solo] != 0;
    t.FretCursor = GetInt(r, FretCursor);
    t.TrackNumber = GetInt(r, TrackNumber);
    return kind.has_value();
}

bool IsValidTuningSpelling(std::string_view s) {
    return s.size() == 12 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string FormatTuningSpelling(const std::array<int, 6> &numbers) {
    std::string out;
    for (int n : numbers) {
        n = std::clamp(n, 0, 99);
        out += static_cast<char>('0' + n / 10);
        out += static_cast<char>('0' + n % 10);
    }
    return out;
}

bool IsValidDurationCode(int32_t code) {
    if (code == 0)
        return true; // the Drums tab has no duration selected
    const int32_t letter = code % 100;
    const int32_t extra = code - letter;
    return letter >= 1 && letter <= 7 && (extra == 0 || extra == 100 || extra == 1000);
}

int SanitiseInstrumentTab(TInstrumentTab &t, int tabNumber) {
    const TInstrumentTab &def = DefaultInstrumentTab(std::clamp(tabNumber, 1, kTabCount));
    int changed = 0;
    // The string count follows the kind: note readers use slots 5-h..5 of six.
    const int32_t maxStrings = IsFretted(t.Kind) ? 5 : 0;
    changed += Clamp<int32_t>(t.HighestString, 0, maxStrings);
    changed += Clamp<int32_t>(t.Channel, 0, 15);
    changed += Clamp<int32_t>(t.DefaultChannel, 0, 15);
    changed += Clamp<int32_t>(t.Patch, 0, 127);
    changed += Clamp<int32_t>(t.DefaultPatch, 0, 127);
    // The mixer sets 0..127, so a tab saved silent reads back silent.
    changed += Clamp<int32_t>(t.Volume, 0, 127);
    changed += Clamp<int32_t>(t.Balance, 0, 127);
    changed += Clamp<int32_t>(t.Delay, -120, 120);
    changed += Clamp<int32_t>(t.Transpose, -24, 24);
    changed += Clamp<int32_t>(t.ChordPosition, 0, 1000);
    changed += Clamp<int32_t>(t.ChordReach, 0, 100);
    changed += Clamp<int32_t>(t.InitialChordReach, 0, 100);
    if (t.Bookmarks[0] < -1) {
        t.Bookmarks[0] = -1;
        ++changed;
    }
    if (!IsValidDurationCode(t.DurationCode) || (t.DurationCode == 0 && t.Kind != TKind::Drums)) {
        t.DurationCode = t.Kind == TKind::Drums ? 0 : (def.Kind == t.Kind ? def.DurationCode : 3);
        ++changed;
    }
    if (!IsValidTuningSpelling(t.DefaultTuningSpelling)) {
        t.DefaultTuningSpelling = def.Kind == t.Kind ? def.DefaultTuningSpelling : std::string(kStandardTuningSpelling);
        ++changed;
    }
    if (!IsValidTuningSpelling(t.TuningSpelling)) {
        t.TuningSpelling = t.DefaultTuningSpelling;
        ++changed;
    }
    return changed;
}

const std::array<TInstrumentTab, kTabCount> &DefaultInstrumentTabs() {
    static const std::array<TInstrumentTab, kTabCount> tabs = BuildDefaults();
    return tabs;
}

std::array<TInstrumentTab, kTabCount> CreateDefaultInstrumentTabs() { return DefaultInstrumentTabs(); }

const TInstrumentTab &DefaultInstrumentTab(int tabNumber) {
    return DefaultInstrumentTabs().at(static_cast<size_t>(tabNumber - 1));
}

std::string TabCaption(const TInstrumentTab &tab, bool holdsText) {
    return holdsText ? UpperCaseAscii(tab.Name) : LowerCaseAscii(tab.Name);
}

TLineContext MakeLineContext(const TInstrumentTab &tab, int tempo, int ppqn) {
    TLineContext c;
    c.Kind = tab.Kind;
    c.Name = tab.Name;
    c.HighestString = std::clamp<int>(tab.HighestString, 0, 5);
    c.Volume = tab.Volume;
    c.Channel = tab.Channel;
    c.Transpose = tab.Transpose;
    c.TuningSpelling = tab.TuningSpelling;
    c.ShortFifthString = tab.ShortFifthString;
    c.Tempo = tempo;
    c.Ppqn = ppqn;
    return c;
}
