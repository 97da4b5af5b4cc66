#include "mainwindow/rules/KeyboardModel.h"

#include "mainwindow/rules/StatusText.h"
#include "song/LinePositions.h"
#include "song/PianoLine.h"
#include "song/TextUtil.h"

#include <algorithm>

namespace {

bool IsWhiteNote(int note) {
    switch (note % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return false;
    default:
        return true;
    }
}

bool IsPlainColour(int32_t c) { return c == kColourWhite || c == kColourBlack || c == kColourSilver; }

} // namespace

TKeyboardModel::TKeyboardModel() {
    int white = 0;
    for (int note = kLowestPianoKey; note <= kHighestPianoKey; ++note) {
        if (!IsWhiteNote(note))
            continue;
        ++white;
        Key(white).Tag = note;
        // The black key just right of a C, D, F, G or A.
        const int pc = note % 12;
        if ((pc == 0 || pc == 2 || pc == 5 || pc == 7 || pc == 9) && note + 1 <= kHighestPianoKey) {
            TPianoKey &black = Key(48 + white);
            black.Tag = note + 1;
            black.Black = true;
            black.BaseColour = black.ScaleColour = black.Colour = kColourBlack;
        }
    }
    for (int k = 1; k <= kKeyCount; ++k)
        if (Key(k).Tag)
            noteToKey_[static_cast<size_t>(Key(k).Tag)] = k;
}

int TKeyboardModel::NoteToKey(int note) const {
    return note >= 0 && note < static_cast<int>(noteToKey_.size()) ? noteToKey_[static_cast<size_t>(note)] : 0;
}

void TKeyboardModel::DrawKeyboard(int left, int top, int height, int width, int boxWidth) {
    (void)left; // the row is centred in the box
    keyWidth_ = std::max(2, (width / 48) & ~1);
    rowLeft_ = (boxWidth - 48 * (keyWidth_ - 1)) / 2;
    for (TPianoKey &k : keys_) {
        k.Placed = false;
        k.Rect = TRect{};
    }
    for (int n = 1; n <= 47; ++n) {
        TPianoKey &k = Key(n);
        k.Rect = TRect{rowLeft_ + n * (keyWidth_ - 1), top, keyWidth_, height};
        k.Placed = true;
    }
    for (int p = 2; p <= 47; ++p) {
        const int step = p % 7;
        if (step != 0 && step != 1 && step != 3 && step != 4 && step != 5)
            continue;
        TPianoKey &k = Key(47 + p);
        k.Rect = TRect{rowLeft_ + (keyWidth_ / 4) * 3 + (p - 1) * (keyWidth_ - 1), top, keyWidth_ / 2, height / 2};
        k.Placed = true;
    }
    if (!laidOut_) {
        laidOut_ = true;
        RefreshKeyColours(false);
    }
}

int TKeyboardModel::HitTest(int x, int y) const {
    for (int n = 48; n <= kKeyCount; ++n)
        if (Key(n).Placed && Key(n).Rect.Contains(x, y))
            return n;
    // White keys overlap their right neighbour by one pixel; that neighbour lies on top.
    for (int n = 47; n >= 1; --n)
        if (Key(n).Placed && Key(n).Rect.Contains(x, y))
            return n;
    return 0;
}

void TKeyboardModel::RefreshKeyColours(bool plain) {
    if (plain) {
        bool changed = false;
        for (TPianoKey &k : keys_) {
            changed = changed || k.Colour != k.BaseColour;
            k.Colour = k.BaseColour;
        }
        if (changed)
            ScaleShown = false;
        return;
    }
    const bool scale =
        std::any_of(keys_.begin(), keys_.end(), [](const TPianoKey &k) { return !IsPlainColour(k.Colour); });
    for (TPianoKey &k : keys_)
        k.Colour = scale ? k.ScaleColour : k.BaseColour;
}

void TKeyboardModel::HighlightPianoKeys(const std::array<int32_t, 10> &keys) {
    RefreshKeyColours(false);
    for (int32_t note : keys)
        if (note >= kLowestPianoKey && note <= kHighestPianoKey)
            Key(NoteToKey(note)).Colour = kColourSilver;
}

void TKeyboardModel::KeysSounding(const std::array<int32_t, 10> &keys, bool sounding) {
    if (sounding) {
        remembered_.clear();
        for (int32_t note : keys)
            if (note >= kLowestPianoKey && note <= kHighestPianoKey) {
                TPianoKey &k = Key(NoteToKey(note));
                remembered_.emplace_back(NoteToKey(note), k.Colour);
                k.Colour = kColourSilver;
            }
        return;
    }
    // Back in reverse, so a key listed twice ends with the colour it had before.
    for (auto it = remembered_.rbegin(); it != remembered_.rend(); ++it)
        Key(it->first).Colour = it->second;
    remembered_.clear();
}

std::string TKeyboardModel::HoverText(int number) const {
    if (number < 1 || number > kKeyCount || Key(number).Tag == 0)
        return {};
    return status::WithFlatTwin(NoteNumberToName(Key(number).Tag - 12));
}

void TKeyboardModel::SetHoverHint(int number) {
    if (number < 1 || number > kKeyCount || Key(number).Tag == 0)
        return;
    TPianoKey &k = Key(number);
    const std::string tag = std::to_string(k.Tag);
    k.Hint = k.Tag == 60 ? "Middle C  (Midi Note: " + tag + ")" : HoverText(number) + "  (Midi Note: " + tag + ")";
}

std::string TKeyboardModel::ShowPianoChord(std::string_view keyName, const std::vector<int> &offsets, int octaveShift,
                                           bool remember, bool clearFirst) {
    std::string name = Trim(keyName);
    if (const size_t slash = name.find('/'); slash != std::string::npos)
        name = Trim(name.substr(0, slash));
    int root = -1, found = 0;
    for (int n = 1; n <= kKeyCount && root < 0; ++n)
        if (Key(n).Tag != 0 && NoteNumberToName(Key(n).Tag) == name && ++found == 3)
            root = Key(n).Tag;
    if (root < 0)
        return "Can't find root for piano chord";
    switch (octaveShift) {
    case 1:
        root += 12;
        break;
    case 2:
        root += 24;
        break;
    case -1:
        root -= 12;
        break;
    case -2:
        root -= 24;
        break;
    default:
        break;
    }
    if (clearFirst) {
        RefreshKeyColours(true);
        for (TPianoKey &k : keys_)
            k.ScaleColour = k.BaseColour;
    }
    for (size_t i = 0; i < offsets.size(); ++i) {
        const int note = root + offsets[i];
        if (note > kHighestPianoKey || note < kLowestPianoKey)
            continue;
        TPianoKey &k = Key(NoteToKey(note));
        k.Colour = i == 0 ? kColourRed : kColourYellow;
        if (remember)
            k.ScaleColour = k.Colour;
    }
    return {};
}

std::string TKeyboardModel::PianoLineFromKeyboard(std::string_view name, std::string_view type,
                                                  std::string_view duration) const {
    std::string line = std::string(name) + " " + std::string(type) + ", ";
    int fields = 0;
    for (int n = 1; n <= kKeyCount && fields < 10; ++n) {
        const TPianoKey &k = Key(n);
        if (k.Tag != 0 && k.Colour != k.BaseColour) {
            line += std::to_string(k.Tag) + ", ";
            ++fields;
        }
    }
    for (; fields < 10; ++fields)
        line += "x, ";
    return line + std::string(duration);
}
