#pragma once
// The piano keyboard picture as data: keys 1..100, each carrying its MIDI note (`Tag`):
// white keys 1..47 are the white notes 28 (E) .. 107 (B); the black key right of white key w
// is key 48 + w where w is C, D, F, G or A; the other keys carry no note. Keys show the caret
// line (silver), a scale or a piano chord (colours kept in the scale table). The drawn widget
// (TKeyboardView) paints the keys and asks HitTest which key the mouse is over.
//
// No Qt here: the rules are tested directly.
#include "mainwindow/rules/FretboardModel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kKeyCount = 100;

struct TPianoKey {
    int Tag = 0; // MIDI note, 0 = no note
    int32_t BaseColour = kColourWhite;
    int32_t ScaleColour = kColourWhite;
    int32_t Colour = kColourWhite; // shown now
    bool Black = false;
    bool Placed = false; // laid out on the page
    TRect Rect;
    std::string Hint;
};

class TKeyboardModel {
public:
    TKeyboardModel();

    // Key 1..100.
    TPianoKey &Key(int number) { return keys_[static_cast<size_t>(number - 1)]; }
    const TPianoKey &Key(int number) const { return keys_[static_cast<size_t>(number - 1)]; }
    // The key number of a note 28..107 (0 for any other note).
    int NoteToKey(int note) const;

    // Places the keys in a box at (left, top) of `height` and `width`, centred in a paint box
    // `boxWidth` wide. The first layout also refreshes the colours.
    void DrawKeyboard(int left, int top, int height, int width, int boxWidth);
    bool LaidOut() const { return laidOut_; }
    int KeyWidth() const { return keyWidth_; }
    int RowLeft() const { return rowLeft_; }
    int RowWidth() const { return 48 * (keyWidth_ - 1); }
    // The key under (x, y): black keys lie on top. 0 when none.
    int HitTest(int x, int y) const;

    // plain: every key its base colour (a change clears ScaleShown). Otherwise a shown scale
    // or chord (a colour other than white, black and silver) comes back from the scale table,
    // else every key gets its base colour; either way the silver highlight goes.
    void RefreshKeyColours(bool plain);
    // The line's keys in silver over the refreshed colours (-1 and notes outside 28..107 skipped).
    void HighlightPianoKeys(const std::array<int32_t, 10> &keys);
    // Keys that sound paint silver and take their remembered colour back afterwards.
    void KeysSounding(const std::array<int32_t, 10> &keys, bool sounding);
    bool ScaleShown = false; // ScaleShownOnKeyboard

    // Hover: the status text ("Db/C#") and the key's hint ("Middle C  (Midi Note: 60)").
    std::string HoverText(int number) const;
    void SetHoverHint(int number);

    // The chord of `offsets` (semitones from the root, first = root) on the keyboard: the root
    // red, the others yellow, notes above 107 skipped. The root is the third key (in number
    // order) named `keyName` ("C", "C#"; text after a "/" is ignored), shifted by octaves
    // (1, 2, -1, -2). An error text when no key has that name.
    std::string ShowPianoChord(std::string_view keyName, const std::vector<int> &offsets, int octaveShift,
                               bool remember, bool clearFirst);
    // The line of the first ten coloured keys (key number order): name + " " + type + ", "
    // + ten "key, " or "x, " fields + duration.
    std::string PianoLineFromKeyboard(std::string_view name, std::string_view type, std::string_view duration) const;

private:
    std::array<TPianoKey, kKeyCount> keys_;
    std::array<int, 108> noteToKey_{};
    std::vector<std::pair<int, int32_t>> remembered_; // keys painted while sounding
    bool laidOut_ = false;
    int keyWidth_ = 0;
    int rowLeft_ = 0;
};
