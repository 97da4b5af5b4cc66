#include "song/NewSong.h"

#include <filesystem>

namespace {

// The duration code a tab's kind starts a new song with; the Drums tab keeps its own.
int32_t NewSongDurationCode(const TInstrumentTab &tab) {
    switch (tab.Kind) {
    case TKind::Piano:
        return 3;
    case TKind::Guitar:
        return 4;
    case TKind::Bass:
        return 2;
    case TKind::Drums:
        return tab.DurationCode;
    default:
        return 5;
    }
}

} // namespace

void ResetSongModel(TSongModel &song, DrumPart &drums) {
    song.CurrentTab = 1;
    song.Tempo = 120;
    song.SongTranspose = 0;
    song.TimeSignature = "0404";

    for (int n = 1; n <= kTabCount; ++n) {
        TInstrumentTab &tab = song.Tab(n);
        tab.ChordRoot = "C";
        tab.ChordType = "Major";
        song.ChordVoicings[static_cast<size_t>(n - 1)].clear();

        tab.Volume = 100;
        tab.Balance = 64;
        tab.Patch = tab.DefaultPatch;
        tab.PatchName = tab.DefaultPatchName;
        tab.Channel = tab.DefaultChannel;
        tab.TuningSpelling = tab.DefaultTuningSpelling;
        tab.Bank = 0;
        tab.Delay = 0;
        tab.Transpose = 0;
        tab.Mute = false;
        tab.Solo = false;
        tab.Modified = false;

        // Editor state as a fresh song starts it.
        tab.Bookmarks.fill(-1);
        tab.DurationCode = NewSongDurationCode(tab);
        tab.SavedCaretLine = -1;
        tab.SavedTopLine = -1;
        tab.SavedSelFirstLine = 0;
        tab.SavedSelLastLine = 0;
        tab.SavedHasSelection = false;

        song.Lines(n).clear();
    }
    drums.Reset(song.TimeSignature);
    drums.drumSlots = MakeDefaultDrumSlots();
}

std::string UntitledSongPath(const std::string &folder) {
    return (std::filesystem::path(folder) / "Untitled.twd").string();
}
