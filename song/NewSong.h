#pragma once
// Turning the open song into a new, empty one (the New command, start-up without a file, and the
// song file reader's clean slate). The window asks the save question first, then calls this, then
// shows tab 1, clears its status panels and names the song "Untitled.twd".
#include "song/PatternStore.h"
#include "song/SongModel.h"

#include <string>

// Song settings back to their defaults (tab 1 current, tempo 120, no song transpose, 4/4); every
// tab's MIDI settings back to its defaults (volume 100, balance 64, default program, channel and
// tuning, no bank, delay, transpose, mute, solo or modified mark) with its chord calculator state,
// editor state, bookmarks and duration code reset; every tab's lines and chord voicings emptied;
// the drum page emptied with its eight slots back to their defaults. The song title and the
// reserved song text are kept, as is each tab's colour.
void ResetSongModel(TSongModel &song, DrumPart &drums);

// The file name a new song takes: "Untitled.twd" in `folder`.
std::string UntitledSongPath(const std::string &folder);
