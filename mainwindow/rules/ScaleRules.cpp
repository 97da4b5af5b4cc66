#include "mainwindow/rules/ScaleRules.h"

#include "mainwindow/rules/KeyboardModel.h"
#include "song/FrettedLine.h"
#include "song/KeyNames.h"
#include "song/LinePositions.h"
#include "song/TextUtil.h"

#include <algorithm>
#include <vector>

namespace {

int32_t FretDegreeColour(int degree) {
    switch (degree) {
    case 1:
        return kColourRed;
    case 3:
        return kColourBlue;
    case 5:
        return kColourGreen;
    default:
        return kColourWhite;
    }
}

// The step sizes of a formula, read up to its first character that is no step letter.
std::vector<int> ReadSteps(std::string_view formula, size_t most) {
    std::vector<int> steps;
    for (char c : formula) {
        const int s = StepLetterToSemitones(c);
        if (s == 0 || steps.size() >= most)
            break;
        steps.push_back(s);
    }
    return steps;
}

} // namespace

int StepLetterToSemitones(char letter) {
    switch (letter) {
    case 'H':
        return 1;
    case 'W':
        return 2;
    case 'M':
        return 3;
    case 'T':
        return 4;
    case 'F':
        return 5;
    default:
        return 0;
    }
}

int NoteNameToPitchClass(std::string_view name) {
    struct Name {
        std::string_view text;
        int pitchClass;
    };
    static constexpr Name kNames[] = {
        {"E", 0},  {"F", 1}, {"F#", 2}, {"GB", 2}, {"G", 3},  {"G#", 4}, {"AB", 4},  {"A", 5},   {"A#", 6},
        {"BB", 6}, {"B", 7}, {"C", 8},  {"C#", 9}, {"DB", 9}, {"D", 10}, {"D#", 11}, {"EB", 11},
    };
    const std::string upper = UpperCaseAscii(Trim(name));
    for (const Name &n : kNames)
        if (n.text == upper)
            return n.pitchClass;
    return kNoPitchClass;
}

std::string ScaleKeyName(std::string_view caption) {
    const std::string key = Trim(caption);
    return Trim(std::string_view(key).substr(0, key.find('/')));
}

std::string ScaleKeyCaption(int key) { return "   " + KeyName(key) + "   "; }

std::array<int32_t, kScaleLinePositions> ScaleColourLine(int pitchClass, std::string_view formula) {
    std::array<int32_t, kScaleLinePositions> line{};
    const std::string text = Trim(formula).substr(0, 256);
    const int n = static_cast<int>(text.size());
    if (pitchClass < 0 || pitchClass >= 12 || n == 0)
        return line;
    // Steps at and after the first character that is no step letter count 0.
    std::vector<int> steps = ReadSteps(text, text.size());
    steps.resize(static_cast<size_t>(n), 0);
    int degree = 1;
    for (int d = pitchClass; d < kScaleLinePositions - 1;) {
        line[static_cast<size_t>(d)] = FretDegreeColour(degree);
        const int step = steps[static_cast<size_t>(degree - 1)];
        if (step == 0) // no way on from here: the walk would stand still
            break;
        d += step;
        degree = degree % n + 1;
    }
    return line;
}

int PaintFretboardScale(TFretboardModel &fretboard, const TInstrumentTab &tab, std::string_view keyName,
                        std::string_view formula, int maxFret) {
    if (Trim(tab.TuningSpelling).empty() || !fretboard.ShapesMade() || Trim(formula) == "(None)")
        return -1;
    fretboard.HideMarkers(tab);
    const auto line = ScaleColourLine(NoteNameToPitchClass(keyName), formula);
    // The open strings' positions above the low E in standard tuning, slot 0 (string 1) first.
    static constexpr std::array<int, 6> kBase = {48, 43, 39, 34, 29, 24};
    std::vector<int> slots = {5, 4, 3, 2};
    if (tab.HighestString > 3)
        slots.push_back(1);
    if (tab.HighestString > 4)
        slots.push_back(0);
    const int lastFret = std::clamp(maxFret, 0, kMaxFret);
    int shown = 0;
    for (int slot : slots) {
        const int open = TuningOffset(tab.TuningSpelling, slot) + kBase[static_cast<size_t>(slot)];
        for (int f = tab.ShortFifthString && slot == 5 ? 5 : 0; f <= lastFret; ++f) {
            const int pos = open + f;
            if (pos < 0 || pos >= kScaleLinePositions || line[static_cast<size_t>(pos)] == 0)
                continue;
            TFretShape &marker = fretboard.Marker(slot, f);
            marker.Colour = line[static_cast<size_t>(pos)];
            marker.Solid = true;
            marker.Shown = true;
            ++shown;
        }
    }
    return shown;
}

int ShowKeyboardScale(TKeyboardModel &keyboard, std::string_view keyName, std::string_view formula) {
    keyboard.RefreshKeyColours(true);
    const std::string key = SharpKeyName(Trim(keyName));
    const int root = NoteNameToPitchClass(key);
    int coloured = 0;
    if (root != kNoPitchClass) {
        // Degree 1 is the key; each step names the next degree, at most 12 further ones.
        std::vector<std::string> degrees{key};
        int sum = 0;
        for (int step : ReadSteps(Trim(formula), 127)) {
            if (degrees.size() > 12)
                break;
            sum += step;
            degrees.push_back(PitchClassName(root + sum));
        }
        auto degree = [&](size_t k) { return k <= degrees.size() ? degrees[k - 1] : std::string(); };
        for (int n = 1; n <= kKeyCount; ++n)
            keyboard.Key(n).ScaleColour = keyboard.Key(n).BaseColour;
        for (int n = 1; n <= 95; ++n) {
            TPianoKey &k = keyboard.Key(n);
            if (k.Tag == 0)
                continue;
            const std::string name = NoteNumberToName(k.Tag);
            int32_t colour = -1;
            if (name == degree(1))
                colour = kColourRed;
            else if (name == degree(3))
                colour = kColourBlue;
            else if (name == degree(5))
                colour = kColourGreen;
            else
                for (size_t d = 2; d <= degrees.size(); ++d)
                    if (d != 3 && d != 5 && name == degrees[d - 1])
                        colour = kColourYellow;
            if (colour < 0)
                continue;
            k.Colour = k.ScaleColour = colour;
            ++coloured;
        }
    }
    keyboard.RefreshKeyColours(false);
    keyboard.ScaleShown = coloured > 0;
    return coloured;
}
