#pragma once
// What changed in the song, for the one refresh the window runs after every change
// (TfrmMain::SongChanged): labels, captions, mixer, tuning label, picture, modified marks.
enum TSongChange : unsigned {
    kChangedLines = 1,       // a tab's lines
    kChangedTabSettings = 2, // a tab's record: mixer values, patch, tuning, name
    kChangedTempo = 4,
    kChangedTimeSignature = 8,
    kChangedDrums = 16,       // the drum part: patterns, grid cells, slots
    kChangedMixer = 32,       // a mixer value or the song key, set in the panel that shows it
    kChangedWholeSong = 0xFF, // a song read or started anew
};
