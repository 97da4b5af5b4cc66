// Fuzzes the line readers (fretted and piano lines, directives, durations, drum pattern lines) and
// the song builder over the lines. The first byte picks the tab the lines are read on; the rest is
// split into lines at line feeds.
#include "midi/MidiData.h"
#include "song/Directives.h"
#include "song/Durations.h"
#include "song/FrettedLine.h"
#include "song/NewSong.h"
#include "song/PatternStore.h"
#include "song/PianoLine.h"
#include "song/SongBuilder.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0 || size > 4096)
        return 0;
    static const int tabs[] = {1, 6, 12, 13, 14, 16};
    const int tabNumber = tabs[data[0] % 6];
    std::vector<std::string> lines;
    std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }

    TSongModel song;
    DrumPart drums;
    ResetSongModel(song, drums);
    const TLineContext ctx = song.LineContext(tabNumber);
    for (const std::string &line : lines) {
        TChordDat chord;
        if (ParseChordLine(line, TDurationUnit::Ticks, ctx, chord).empty() && ClassifyLine(line) == TLineClass::Note) {
            if (chord.DurationLength <= 0)
                std::abort(); // a line that parses has a duration
            (void)FormatChordLine(chord, ctx.HighestString);
        }
        (void)ParseChordLine(line, TDurationUnit::Milliseconds, ctx, chord);
        (void)SetStringFret(line, data[0] % 7, static_cast<int>(size % 27) - 1, ctx);
        TPianoRec piano;
        if (ParsePianoLine(line, TDurationUnit::Ticks, ctx, piano) && ClassifyLine(line) == TLineClass::Note)
            (void)FormatPianoLine(piano);
        (void)TogglePianoKey(line, 60, ctx);
        (void)ReadDirective(line, ctx);
        (void)DurationLength(line, TDurationUnit::Milliseconds, 500);
        (void)GetDurationField(line);
        DrumCell cell, again;
        if (ParseCellLine(line, cell) && (!ParseCellLine(FormatCellLine(cell), again) || !(again == cell)))
            std::abort(); // a cell reads back as it was written
        (void)ParsePatternListLine(line);
        (void)ParsePatternHeader(line);
    }

    song.Lines(tabNumber) = lines;
    drums.list.Add(lines.empty() ? std::string() : lines.front());
    drums.store.AppendLines(lines);
    TMidiData midi;
    const TBuildResult result = BuildSongMidi(song, drums, TPlaySettings{true, true, 2}, midi);
    if (result.Ok()) {
        for (int t = 0; t < midi.GetTrackCount(); ++t) {
            const TMidiTrackStream &track = *midi.GetTrack(t);
            for (int i = 1; i < track.EventCount(); ++i)
                if (track.GetEvent(i)->Time < track.GetEvent(i - 1)->Time || track.GetEvent(i)->Time < 0)
                    std::abort(); // tracks stay in time order, never before 0
        }
        (void)midi.SaveToBytes();
    }
    return 0;
}
