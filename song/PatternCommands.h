#pragma once
// The pattern list's commands: make, copy, cut, paste, delete, rename and duplicate patterns,
// the selection commands and clearing the whole drum part. Each keeps list, store and grid in
// step and answers what the window reports and whether the song changed; the window shows the
// message, asks the questions and marks the Drums tab modified.
#include "song/PatternStore.h"

#include <string>
#include <string_view>
#include <vector>

enum class TDrumMessageKind { None, Information, Warning, Error };

struct DrumCommandResult {
    TDrumMessageKind kind = TDrumMessageKind::None;
    std::string message;
    bool changed = false; // the song changed: the Drums tab is marked modified
    bool operator==(const DrumCommandResult &) const = default;
};

// Copied patterns as whole store blocks (header and cells), in list order. One for the program:
// it outlives song changes.
using PatternClipboard = std::vector<std::string>;

// A new empty pattern "Drum Pattern <id>" in the feel now chosen, after the current item (first
// in an empty list or without a current item); it becomes the current and only selected item.
DrumCommandResult NewDrumPattern(DrumPart &drums);

// The selected patterns' blocks into the clipboard; the clipboard changes only when every block
// was found.
DrumCommandResult CopyPatterns(const DrumPart &drums, PatternClipboard &clipboard);
// Copy, then delete the selected patterns (nothing is deleted when the copy failed).
DrumCommandResult CutPatterns(DrumPart &drums, PatternClipboard &clipboard);
// The clipboard's patterns with fresh ids, inserted after the last selected item (first when
// none is selected) in their copied order, selected; the first becomes current. The clipboard's
// headers are renumbered in place.
DrumCommandResult PastePatterns(DrumPart &drums, PatternClipboard &clipboard);
// The selected patterns and their blocks go; the highest deleted place (or the last item) is
// then current and selected.
DrumCommandResult DeletePatterns(DrumPart &drums);

// Rename runs in two steps around the one-line input: the question, then the answer.
struct RenameQuestion {
    DrumCommandResult refusal; // a message when there is nothing to rename
    std::string title;         // "Enter new name for <name>" or "... selected items"
    std::string text;          // the current item's name
    int maxLength = 40;
};
RenameQuestion AskRenamePatterns(const DrumPart &drums);
// Gives every selected pattern the name (trimmed, cut and padded to 40 characters) with its own
// id and feel; an empty name changes nothing. The items from the first to the last renamed one
// end up selected.
DrumCommandResult RenamePatterns(DrumPart &drums, std::string_view newName);

// Every item selected, the last one current.
DrumCommandResult SelectAllPatterns(DrumPart &drums);
enum class TPatternSelect { One, ToTop, ToBottom };
// Only the current item, or every item from it up to the first / down to the last.
DrumCommandResult SelectPatterns(DrumPart &drums, TPatternSelect how);
// Copy, then Paste: copies follow the last selected item with fresh ids.
DrumCommandResult DuplicatePatterns(DrumPart &drums, PatternClipboard &clipboard);
DrumCommandResult SelectAllAndDuplicate(DrumPart &drums, PatternClipboard &clipboard);

// The drum part emptied after the user agreed (list, store, grid; ids from 1; labels from the
// song's time signature); the slots stay.
DrumCommandResult ClearAllDrums(DrumPart &drums, std::string_view timeSignature);

// Panel 4 of the drums status bar: "" for an empty list, "Play All Bars" while fewer than two
// patterns are selected, else "Play Selected Bars".
std::string PlayBarsPanel(const DrumPart &drums);
