#pragma once
// The song in memory: sixteen instrument tabs with their stored lines and chord voicings, and
// the song-level fields the song file keeps beside them (tempo, time signature, song transpose,
// current tab, title). Tabs are numbered 1..16 as the user sees them.
#include "song/InstrumentTab.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TSongModel {
    std::array<TInstrumentTab, kTabCount> Tabs;
    // Each tab's lines while another tab is shown in the editor (index = tab number - 1). Change
    // them through Lines(number), which keeps the tab's revision.
    std::array<std::vector<std::string>, kTabCount> TabLists;
    // Each tab's stored chord voicings (the chord calculator's list), index = tab number - 1.
    std::array<std::vector<std::string>, kTabCount> ChordVoicings;

    int32_t Tempo = 120;                // beats per minute
    std::string TimeSignature = "0404"; // two digits upper, two digits lower
    int32_t SongTranspose = 0;          // half steps added to every tab's notes
    int32_t CurrentTab = 1;             // 1..16
    std::string SongTitle;
    std::string SongReserved; // carried along, otherwise unused

    // The sixteen default tabs, no lines, song fields at their defaults. Volume and Balance are
    // 0 as creation leaves them (the new-song reset sets 100 and 64).
    TSongModel();

    TInstrumentTab &Tab(int number) { return Tabs.at(static_cast<size_t>(number - 1)); }
    const TInstrumentTab &Tab(int number) const { return Tabs.at(static_cast<size_t>(number - 1)); }
    TInstrumentTab &Current() { return Tab(CurrentTab); }
    const TInstrumentTab &Current() const { return Tab(CurrentTab); }
    // The lines of tab `number`, to change: every call moves the tab's revision on.
    std::vector<std::string> &Lines(int number) {
        std::vector<std::string> &lines = TabLists.at(static_cast<size_t>(number - 1));
        linesRevisions_[static_cast<size_t>(number - 1)] = NextLinesRevision();
        return lines;
    }
    const std::vector<std::string> &Lines(int number) const { return TabLists.at(static_cast<size_t>(number - 1)); }
    // A number that moves on whenever tab `number`'s lines may have been changed (any call of the
    // non-const Lines(number), a read included). Revisions are never handed out twice in the
    // program, so a copy of the lines kept elsewhere (the editor's text of a tab) with the same
    // revision holds the same lines, even after this song was assigned from another.
    uint64_t LinesRevision(int number) const { return linesRevisions_.at(static_cast<size_t>(number - 1)); }

    // The line context of tab `number` under the song's tempo.
    TLineContext LineContext(int number, int ppqn = 192) const;

private:
    static uint64_t NextLinesRevision();
    std::array<uint64_t, kTabCount> linesRevisions_{};
};

// Upper and lower number of a time signature text ("0604" gives 6 and 4); nullopt unless the
// text is four digits with both numbers 1..99.
struct TTimeSignature {
    int Upper = 4;
    int Lower = 4;
};
std::optional<TTimeSignature> ParseTimeSignature(std::string_view text);
// "%.2d%.2d" of the two numbers.
std::string FormatTimeSignature(int upper, int lower);

// Puts the song-level values read from a file into range: Tempo 1..500 (0 or less counts as
// 120), TimeSignature four digits 01..99 each (else "0404"), SongTranspose -24..24, CurrentTab
// 1..16 (else 1). Returns the number of values changed. Tabs are checked one by one with
// SanitiseInstrumentTab.
int SanitiseSongFields(TSongModel &song);

// Hands out the sixteen tab numbers in order, as start-up creates the tabs.
class TTabAllocator {
public:
    // The next tab number 1..16; -1 once sixteen are out (the window then shows "Tab Limit
    // Reached").
    int AllocateInstrumentTab();
    int Count() const { return count_; }

private:
    int count_ = 0;
};
