#pragma once
// One text document per instrument tab, shown by turns in the one notation editor: a change of
// tab swaps documents instead of copying the whole text out of the editor and back in. Each
// document knows which revision of its tab's stored lines it matches (so lines that code changed
// behind it are noticed) and whether it was edited since, and keeps where its lines start in the
// song, so that the caret's position costs only the lines it passes.
#include "song/LinePositions.h"
#include "song/SongModel.h"

#include <QObject>
#include <QPointer>
#include <QTextCursor>

#include <array>
#include <cstdint>

class QTextDocument;
class TEditorLines;
class TNotationEdit;

class TTabDocuments {
public:
    // Shows tab 1's document in the editor of `lines`.
    TTabDocuments(TSongModel &song, TEditorLines &lines);
    ~TTabDocuments();
    TTabDocuments(const TTabDocuments &) = delete;
    TTabDocuments &operator=(const TTabDocuments &) = delete;

    // Tab `tab`'s document into the editor, caret at the start, view at the top, undo cleared
    // (as after any text loaded by code). The document is read again from the tab's stored lines
    // unless it holds exactly those lines.
    void Show(int tab);
    // The caret and selection the shown tab had when it was last left (or shown again), while its
    // document still holds the text the user left; only when that caret was on line `caretLine`
    // and had a selection exactly when `selection` says so. False when there is none to restore.
    bool RestorePlace(int caretLine, bool selection);
    // Every tab's place is forgotten (a song opened or made new starts each tab at its top).
    void ForgetPlaces();
    // The editor's text into tab `tab`'s stored lines. Nothing is copied when the editor shows
    // that tab's own document and neither it nor the lines changed since they last matched.
    void Store(int tab);
    // Where line `line` of the shown text starts in the song under `conductor`.
    TSongPoint PointOfLine(int line, const TPositionConductor &conductor);

private:
    struct TabDocument {
        QTextDocument *doc = nullptr;
        uint64_t revision = 0; // of the tab's lines the document last matched (0: none yet)
        bool edited = false;   // changed since
        // What changed since: every block from `changedFrom` on, up to the last `unchangedTail`
        // blocks (counted from the end, which edits above them do not move), and the number of
        // blocks the document had when it matched.
        int changedFrom = 0;
        int unchangedTail = 0;
        int matchedBlocks = 1;
        TLinePositionIndex positions;
        // The caret and selection when the tab was left; it follows the document's edits, and is
        // dropped when the document is read again from the lines.
        QTextCursor place;
    };
    // Whether tab `tab`'s document holds its stored lines; a document found equal is taken as
    // matching the lines' present revision.
    bool Matches(int tab);
    void Matched(TabDocument &d, uint64_t revision);
    void Changed(TabDocument &d, int position, int added);

    TSongModel &song_;
    TEditorLines &lines_;
    QPointer<TNotationEdit> edit_;
    QObject owner_; // the documents' parent and their connections' context
    std::array<TabDocument, kTabCount> tabs_;
    int shown_ = 1;
};
