#pragma once
// A scale shown on the instrument pictures: the step letters of a scale formula, note names as
// pitch classes counted from E, the colour of each scale degree, and the colouring of the
// fretboard's markers and the keyboard's keys.
//
// Degrees are coloured root red, 3rd blue, 5th green; the others white on the fretboard and
// yellow on the keyboard.
#include "mainwindow/rules/FretboardModel.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TKeyboardModel;

// A note name that names no pitch class.
inline constexpr int kNoPitchClass = 512;
// Positions of the fretboard's colour line, in semitones from the low E.
inline constexpr int kScaleLinePositions = 257;

// H 1, W 2, M 3, T 4, F 5 semitones; 0 for any other character.
int StepLetterToSemitones(char letter);
// The pitch class (E 0 .. D# 11) of an upper-cased, trimmed name: "E", "F", "F#"/"GB", "G",
// "G#"/"AB", "A", "A#"/"BB", "B", "C", "C#"/"DB", "D", "D#"/"EB"; kNoPitchClass otherwise.
int NoteNameToPitchClass(std::string_view name);
// The key a scale key caption names: trimmed, cut before a "/", trimmed ("   C#/Db   " -> "C#").
std::string ScaleKeyName(std::string_view caption);
// The key label's caption for key 1..12: three blanks, the key's name, three blanks.
std::string ScaleKeyCaption(int key);

// The colour of each of the 257 positions from the low E that the scale of `formula` (step
// letters) rooted at `pitchClass` covers; 0 where it covers none. A formula's steps end at its
// first character that is no step letter: the walk stops there (after colouring that degree),
// so a formula without steps colours at most the root, and an empty one nothing.
std::array<int32_t, kScaleLinePositions> ScaleColourLine(int pitchClass, std::string_view formula);

// Shows the scale on the fretboard's markers: hides the tab's markers, then shows in its colour
// every marker whose note the colour line covers (frets 0..maxFret; the banjo's short string
// from fret 5). Answers the number of markers shown, or -1 when it left the picture as it was
// (no tuning spelling, shapes not made, formula "(None)").
int PaintFretboardScale(TFretboardModel &fretboard, const TInstrumentTab &tab, std::string_view keyName,
                        std::string_view formula, int maxFret = kMaxFret);
// Shows the scale on the keyboard: plain colours first, then every key named like a degree of
// the scale (up to 13 degrees) gets its degree's colour, kept in the scale colours too. Answers
// the number of keys coloured; the keyboard's ScaleShown is set only when that is above 0.
int ShowKeyboardScale(TKeyboardModel &keyboard, std::string_view keyName, std::string_view formula);
