#pragma once
// Line helpers of the notation editor with string-list semantics: line i is the i-th
// line of the text, a trailing line break makes no extra line, and a line break is
// one character. Character positions never leave this class.
#include "dialogs/rules/FindRules.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QTextCursor;
class TNotationEdit;

class TEditorLines {
public:
    explicit TEditorLines(TNotationEdit *edit) : edit_(edit) {}

    TNotationEdit *Edit() const { return edit_; }

    // Number of lines (string-list count): "" 0, "a" 1, "a\n" 1, "a\nb" 2.
    int LineCount() const;
    // Line i's text; empty when out of range.
    QString Line(int i) const;
    QStringList Lines() const;
    int TextLength() const; // characters, line breaks counted as one
    bool IsEmpty() const;

    // The line holding the selection start (the caret).
    int CurrentLine() const;
    // The line holding the last selected character; without a selection the line of
    // the character before the caret (0 at the very start).
    int LastSelectedLine() const;
    // first = CurrentLine, last = LastSelectedLine; true when the selection is not empty.
    bool GetSelectedLines(int &first, int &last) const;
    bool HasSelection() const;
    // Selects from the start of `first` to the end of `last` plus its line break (when
    // it has one). Out-of-range lines are clamped to the text; false on an empty text.
    bool SelectLines(int first, int last);
    // Caret to the start of the line (clamped); then scrolls down by `scroll` lines.
    void MoveCaretToLine(int line, int scroll = 0);
    int FirstVisibleLine() const;
    void ScrollToLine(int line);

    // Whole text by code (CR/CRLF normalised, nothing marked, undo cleared).
    void LoadLines(const std::vector<std::string> &lines);
    void LoadText(const QString &text);
    std::vector<std::string> StoreLines() const;
    // Lines first..end-1 only (clamped to the text).
    std::vector<std::string> StoreLines(int first, int end) const;
    // Whether the text holds exactly `lines` (what StoreLines would give).
    bool Holds(const std::vector<std::string> &lines) const;

    // Edits by code that count as changes of the song (the caller marks the tab).
    void ReplaceLine(int i, const QString &text);
    // Inserts a line before index i (i == LineCount() appends).
    void InsertLine(int i, const QString &text);
    // Replaces lines first..first+n-1 with `lines` (same count) as one undoable edit;
    // lines whose text is unchanged are not touched.
    void ReplaceRange(int first, const QStringList &lines);
    // Replaces the whole text as one undoable edit (bulk edits write back once).
    void ReplaceAllLines(const QStringList &lines);
    // Removes lines first..last (held to the text) with their line breaks, as one undoable
    // edit; the last line of a text without a final line break takes the break before it.
    void DeleteLines(int first, int last);

    // Every edit of the text while it lives is one undo step (a command of several edits).
    class TEditBlock {
    public:
        explicit TEditBlock(const TEditorLines &lines);
        ~TEditBlock();
        TEditBlock(const TEditBlock &) = delete;
        TEditBlock &operator=(const TEditBlock &) = delete;

    private:
        QTextCursor *cursor_;
    };

    // The editor's text of a string list: every line followed by LF ("a\nb\n").
    static QString JoinLines(const QStringList &lines);

    // The selection's ends as places of the search rules (columns count the line's UTF-8
    // bytes); without a selection both are the caret.
    TTextPlace SelectionStartPlace() const;
    TTextPlace SelectionEndPlace() const;
    // Selects from `from` to `to` (held to the text) and scrolls the caret into view.
    void SelectPlaces(TTextPlace from, TTextPlace to);

private:
    TTextPlace PlaceOf(int position) const;
    int PositionOf(TTextPlace place) const;
    int BlockCount() const;
    int LinePosition(int line) const; // position of the first character of a line

    TNotationEdit *edit_;
};
