#pragma once
// One instrument tab of the song (TInstrumentTab), the instrument kinds, the sixteen default tabs,
// the default drum slots, the 4,288-byte record the song file stores per tab, and the checks
// applied to values that come from a file.
//
// In memory a tab's texts are UTF-8 and uncapped; the record codec converts them to
// Windows-1252 short strings (length byte + text) and caps them at the file's boundary only.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Instrument kind of a tab. Piano tabs hold piano lines, the Drums tab holds drum patterns, every
// other kind is a fretted instrument.
enum class TKind : uint8_t { Piano, Guitar, Drums, Bass, Banjo, Mandolin, Tenor, Uke };

// The kind's text as the record stores it: "Piano", "Guitar", "Drums", "Bass", "Banjo",
// "Mandolin", "Tenor", "Uke".
std::string_view KindText(TKind kind);
// The kind named by a text (exact spelling, ASCII case ignored); nullopt for anything else.
std::optional<TKind> KindFromText(std::string_view text);
// The one "is fretted" rule: every kind but Piano and Drums.
constexpr bool IsFretted(TKind kind) { return kind != TKind::Piano && kind != TKind::Drums; }

// Windows colour values 0x00BBGGRR, or a system-colour constant.
constexpr int32_t RgbColour(int r, int g, int b) { return r + g * 256 + b * 65536; }
constexpr int32_t kColourButtonFace = static_cast<int32_t>(0x8000000F); // system button face

// Standard open pitch of string slots 0..5 (slot 0 = string 1, the highest): E4 B3 G3 D3 A2 E2.
inline constexpr std::array<int, 6> OpenStringNotes = {64, 59, 55, 50, 45, 40};
inline constexpr std::string_view kStandardTuningSpelling = "242424242424";

inline constexpr int kTabCount = 16;

struct TInstrumentTab {
    std::string Name;
    int32_t Colour = 0;
    TKind Kind = TKind::Piano;
    int32_t SavedCaretLine = -1;
    int32_t SavedSelFirstLine = 0;
    int32_t SavedSelLastLine = 0;
    bool SavedHasSelection = false;
    int32_t SavedTopLine = -1;
    int32_t DurationCode = 0; // 1..7 (W..F), +100 dotted, +1000 triplet
    std::array<int32_t, 10> Bookmarks{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}; // [0] in use
    int32_t DefaultPatch = 0;
    std::string DefaultPatchName;
    int32_t DefaultChannel = 0; // 0-based
    std::string DefaultTuningSpelling{kStandardTuningSpelling};
    std::string ChordRoot = "C";
    std::string ChordType = "Major";
    int32_t ChordPosition = 0;
    int32_t ChordReach = 0; // list index; reach = index + 1
    std::string ShownScaleKey;
    std::string ShownScale;
    int32_t ShownScaleLowFret = 0;
    int32_t ShownScaleHighFret = 0;
    int32_t Patch = 0;
    std::string PatchName;
    int32_t Channel = 0;   // 0-based
    int32_t Volume = 0;    // 1..127 once the new-song reset has run
    int32_t Balance = 0;   // 0..127
    int32_t Delay = 0;     // ticks
    int32_t Transpose = 0; // half steps
    int32_t Bank = 0;      // low byte counts
    bool Modified = false;
    int32_t HighestString = 0; // strings - 1 (0..5)
    std::string TuningSpelling{kStandardTuningSpelling};
    int32_t InitialChordReach = 0;
    bool ShortFifthString = false; // banjo: the short string sounds 5 above fret 0
    bool Mute = false;
    bool Solo = false;
    int32_t FretCursor = 0;
    int32_t TrackNumber = 0;

    bool operator==(const TInstrumentTab &) const = default;
};

// ---- record codec -------------------------------------------------------------------------
inline constexpr size_t kInstrumentTabRecordSize = 4288;
using TInstrumentTabRecord = std::array<uint8_t, kInstrumentTabRecordSize>;

// Field offsets of the record (little endian; short strings are 256 bytes: length byte + text).
namespace tabrec {
inline constexpr size_t Name = 0, Colour = 256, Kind = 260, SavedCaretLine = 516, SavedSelFirstLine = 520,
                        SavedSelLastLine = 528, SavedHasSelection = 536, SavedTopLine = 540, DurationCode = 544,
                        Bookmarks = 548, DefaultPatch = 588, DefaultPatchName = 592, DefaultChannel = 848,
                        DefaultTuningSpelling = 852, ChordRoot = 2676, ChordType = 2932, ChordPosition = 3188,
                        ChordReach = 3192, ShownScaleKey = 3204, ShownScale = 3460, ShownScaleLowFret = 3716,
                        ShownScaleHighFret = 3720, Patch = 3724, PatchName = 3728, Channel = 3984, Volume = 3988,
                        Balance = 3992, Delay = 3996, Transpose = 4000, Bank = 4004, Modified = 4008,
                        HighestString = 4012, TuningSpelling = 4016, InitialChordReach = 4272, ShortFifthString = 4276,
                        Mute = 4277, Solo = 4278, FretCursor = 4280, TrackNumber = 4284;
} // namespace tabrec

// Writes the tab field by field; reserved ranges, padding and the bytes after each short
// string's text are zero. Texts longer than 255 Windows-1252 bytes are cut to 255.
TInstrumentTabRecord EncodeInstrumentTab(const TInstrumentTab &tab);
// Reads a record over `tab`. Bytes after each short string's text are ignored; booleans are
// true for any byte but 0. A Kind text that is none of the eight kinds leaves tab.Kind as it
// was and gives false (every other field is still read).
bool DecodeInstrumentTab(std::span<const uint8_t, kInstrumentTabRecordSize> record, TInstrumentTab &tab);

// ---- checks on values read from a file --------------------------------------------------
// Whether a text is a tuning spelling: exactly twelve decimal digits.
bool IsValidTuningSpelling(std::string_view spelling);
// Six numbers, string position 1 first, each written with two digits ("%.2d" six times; each
// number is kept to 0..99).
std::string FormatTuningSpelling(const std::array<int, 6> &numbers);
// Puts every value of a tab read from a file into its range: HighestString 0..5 (and what the
// kind needs: 0 on Piano and Drums), channels 0..15, patches 0..127, Volume 1..127, Balance
// 0..127, Delay -120..120, Transpose -24..24, DurationCode a real code (else the kind's
// default), tuning spellings of twelve digits (else the default spelling, else standard),
// first bookmark -1 or more. `tabNumber` 1..16 names the default tab for the fallbacks.
// Returns the number of values it changed.
int SanitiseInstrumentTab(TInstrumentTab &tab, int tabNumber);

// ---- defaults -----------------------------------------------------------------------------
// The sixteen tabs as start-up creates them (tab 1 first): names, kinds, programs, channels,
// colours, string counts, tunings, chord reaches and duration codes. Volume and Balance are 0
// here; the new-song reset sets them to 100 and 64.
const std::array<TInstrumentTab, kTabCount> &DefaultInstrumentTabs();
// A fresh copy of the sixteen default tabs, as the main window creates them once at start-up.
std::array<TInstrumentTab, kTabCount> CreateDefaultInstrumentTabs();
// Default tab `tabNumber` (1..16).
const TInstrumentTab &DefaultInstrumentTab(int tabNumber);
// A tab's caption: its name in lower case when it holds nothing, upper case otherwise.
std::string TabCaption(const TInstrumentTab &tab, bool holdsText);

// The duration codes a tab may hold: 1..7 plain, 101..107 dotted, 1001..1007 triplet
// (0 on the Drums tab).
bool IsValidDurationCode(int32_t code);

// The eight default rows of the drum grid: General MIDI percussion key and label.
struct TDrumSlot {
    int Key;
    std::string_view Label;
};
inline constexpr std::array<TDrumSlot, 8> DefaultDrumSlots = {{
    {36, "36 Bass Drum 1"},
    {38, "38 Snare Drum 1"},
    {42, "42 Closed Hi-hat"},
    {46, "46 Open Hi-hat"},
    {50, "50 High Tom 1"},
    {49, "49 Crash Cymbal 1"},
    {77, "77 Low Wood Block"},
    {51, "51 Ride Cymbal 1"},
}};

// ---- the context a line reader needs from its tab and song -----------------------------------
// What the notation readers and writers take from the current tab and the song.
struct TLineContext {
    TKind Kind = TKind::Guitar;
    std::string Name = "Guitar"; // prefixes whole-line messages
    int HighestString = 5;       // clamped to 0..5 by the readers
    int Volume = 100;            // default velocity of notes
    int Channel = 0;
    int Transpose = 0;
    std::string TuningSpelling{kStandardTuningSpelling};
    bool ShortFifthString = false;
    int Tempo = 120; // song tempo; 0 or less counts as 120
    int Ppqn = 192;  // pulses per quarter of the built song
};
TLineContext MakeLineContext(const TInstrumentTab &tab, int tempo, int ppqn = 192);
