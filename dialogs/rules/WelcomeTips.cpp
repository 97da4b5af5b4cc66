#include "dialogs/rules/WelcomeTips.h"

#include <algorithm>
#include <cstdint>

namespace {

// Written for this program: each tip is a few short lines about something the user can do.
constexpr std::string_view kTips = R"(~
Every tab holds one instrument. Write a line for each chord
or note: its name, one field per string from the lowest string
up, and a duration at the end, e.g.  C, x, 3, 2, 0, 1, 0, Q
~
Durations are letters: W whole, H half, Q quarter, E eighth,
S sixteenth, T thirty-second and F sixty-fourth. Put "." in
front for a dotted value (.Q) and "/" for a triplet (/E).
~
Tie durations with "-": a line ending in Q-E lasts a quarter
and an eighth. Blanks around the parts do no harm.
~
An "x" in a string field leaves that string silent.
Write 3|E|90|2 in a field to give that one string its own
duration (E), loudness (90) and finger (2).
~
Piano lines have a name, ten key fields and a duration.
Keys are MIDI note numbers from 28 to 107 (60 is middle C):
C, 48, 52, 55, x, x, x, x, x, x, x, H
~
Lines that start with "*" change what follows them:
*Tempo 90, *Volume 100, *Balance LEFT, *Instrument STRINGS,
*Channel 3, *Delay 24 and *Transpose -2.
~
Press F2 to play the whole song from the start, Ctrl+F2 to
play from the caret line, and Esc to stop at once.
~
Select some lines and press F2: only those lines play.
Tick "Loop" to hear them again and again while you practise.
~
The F5 to F11 keys pick a duration from whole to
sixty-fourth and rewrite the duration of the caret line or of
every selected line. F12 inserts a rest.
~
Move through the lines with the Up and Down arrows: each
line sounds as the caret reaches it and shows itself on the
fretboard or the keyboard.
~
Click a fret on the neck picture to write that note into the
editor. A right click adds the note to the caret line's chord
and plays the chord.
~
Hover over the neck or the keys and the status bar names
the note under the mouse pointer.
~
Click the "Play" button beside the mixer to hear only the tab
you are looking at, line by line, with every line shown on the
instrument as it sounds.
~
Each tab has its own mixer: channel, volume, balance, delay
and transpose. "Mute" leaves a tab out of the song, "Solo"
plays it alone.
~
Click the tempo under the Play button to pick another tempo;
click the time signature next to it to change the metre of
the whole song.
~
"Metronome" clicks along with the song, and "Count In" plays
one to eight bars of clicks before the first note.
~
The Drums tab has a grid of one bar: each row is a drum, each
column a step. Click a cell to set its level (1 to 9), right
click to empty it.
~
Drum patterns play in the order of the pattern list. Copy,
paste, duplicate and rename them with the right mouse button
on the list.
~
Pick a built-in beat on the Drums tab for a quick start,
then change it cell by cell.
~
Click a drum name to the left of the grid to give that row
another percussion sound. Every pattern follows the change.
~
Choose "Jazzy" feel on the Drums tab for three steps per beat
instead of four: swing and shuffle grooves fit it well.
~
The chord calculator finds every fingering of a chord on the
current instrument and tuning. Double-click a chord to put it
into the song.
~
Click the tuning name in the mixer to choose one of the
preset tunings, or set each string yourself.
~
Show a scale on the neck or the keyboard with the key and
scale labels under the picture. Right click "Scale:" to clear
it again.
~
With the scale restrictor on (Tools, Options), only the notes
of a shown scale can be clicked on the instrument picture.
~
Set a bookmark with Ctrl+Shift+F4, jump back to it with
Ctrl+F4, and play the song from it with F4.
~
Ctrl+F finds text, F3 finds it again, Ctrl+R replaces it and
Ctrl+G goes to a line by its number.
~
Ctrl+Right click in the editor opens the note duration
picker. Shift+Right click gives the selected lines a duration
just this once.
~
Alt+Right click in the editor groups the lines into bars,
each bar after a blank line and a header "*** Bar 2 ***".
~
Select some lines and choose "Note Duration Math for
Selection" from the editor's right-click menu to count their
ticks and see how many notes of each value they fill.
~
"Song Information" in the View menu lists every tab that has
lines, with its volume, channel, balance and instrument.
Double-click a row to go to that tab.
~
Save your song as a Standard MIDI File with Ctrl+M and play
it in any other music program.
~
"Tablature" in the View menu shows the current tab as
tablature, drawn or as text you can save or copy.
~
A tab's name on its page turns to capitals as soon as the
tab holds lines, so you can see at a glance which tabs are in
use.
~
The "*" in the status bar means the song has changes that
are not saved yet. Ctrl+S saves them.
~
Ctrl+Z undoes the last change in the editor, and the
right-click menu of the editor holds the usual Cut, Copy and
Paste.
~
The six songs you opened last are at the bottom of the File
menu and on this welcome screen.
~
Drop a song file on the window to open it.
~
In Tools, Options you can choose the MIDI device, the size of
the editor's font, and whether this screen greets you.
~
Press F1 for the help document: the notation, the drum grid,
the tools and every shortcut.
)";

} // namespace

std::vector<std::string> SplitTipText(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

const std::vector<std::string> &BuiltInTipLines() {
    static const std::vector<std::string> lines = SplitTipText(kTips);
    return lines;
}

int TipCount(const std::vector<std::string> &lines) {
    int count = 0;
    for (const std::string &line : lines)
        if (!line.empty() && line[0] == '~')
            ++count;
    return count;
}

int StepTip(int last, int delta, int count) {
    if (count <= 0)
        return 0;
    // `last` comes from the settings: outside 0..count it counts as the nearer end.
    const int64_t next = int64_t{std::clamp(last, 0, count)} + delta;
    if (next > count)
        return 1;
    if (next < 1)
        return count;
    return static_cast<int>(next);
}

std::vector<std::string> TipLines(const std::vector<std::string> &lines, int number) {
    std::vector<std::string> tip;
    int seen = 0;
    for (const std::string &line : lines) {
        const bool marker = !line.empty() && line[0] == '~';
        if (marker) {
            if (seen == number)
                break;
            ++seen;
            continue;
        }
        if (seen == number)
            tip.push_back(line);
    }
    return tip;
}

std::string TipCounterText(int number, int count) {
    if (count <= 0)
        return {};
    return "Tip " + std::to_string(number) + " of " + std::to_string(count);
}
