#pragma once
// Directive lines: "*", optional blanks, a keyword (any case), a blank and a value
// ('*Tempo 90', '* volume 100', '*BALANCE LEFT/CENTER'). Seven keywords change how the following
// lines of a tab sound; any other "*" line is a comment. Each reader gives the value with the
// range, fallback and named values of its keyword.
#include "song/InstrumentTab.h"

#include <optional>
#include <string_view>

enum class TDirective { Tempo, Volume, Balance, Instrument, Channel, Delay, Transpose };

// Whether the line is the directive with that keyword: only blanks between "*" and the keyword,
// and a blank or the end of the line after it ('*TEMPO120' is not a tempo directive).
bool IsDirective(std::string_view line, std::string_view keyword);
// Which of the seven directives the line is, if any.
std::optional<TDirective> FindDirective(std::string_view line);

// Beats per minute, 1..500 (0 or less gives 1, above 500 gives 500); empty or no integer: the
// song's tempo (ctx.Tempo, 0 or less counting as 120).
int GetTempoValue(std::string_view line, const TLineContext &ctx);
// Velocity 1..127; anything else: the tab's volume.
int GetVolumeValue(std::string_view line, const TLineContext &ctx);
// Channel 1..16 given 0-based; anything else: the tab's channel.
int GetChannelValue(std::string_view line, const TLineContext &ctx);
// Pan 0..127 or a word (CENTER, FULL LEFT, LEFT, LEFT/CENTER, RIGHT/CENTER, RIGHT, FULL RIGHT);
// anything else: 64.
int GetBalanceValue(std::string_view line);
// Program 0..127 (an integer outside gives 0), a General MIDI name or one of the short words;
// anything else: 0.
int GetInstrumentValue(std::string_view line);
// Ticks -ppqn..ppqn; anything else: 0.
int GetDelayValue(std::string_view line, int ppqn = 192);
// Half steps: below -23 gives -24, above 23 gives 24; empty or no integer: 0.
int GetTransposeValue(std::string_view line);

// The program a name or word stands for (compared upper-cased and trimmed), or nullopt.
std::optional<int> InstrumentFromName(std::string_view name);

// A directive and its value, as the builder and live sounding apply it.
struct TDirectiveValue {
    TDirective Kind;
    int Value;
};
std::optional<TDirectiveValue> ReadDirective(std::string_view line, const TLineContext &ctx);
