#pragma once
// The two status bars above the notation editor and what they show while the caret moves:
// `StatusBarBottom` (line, modified mark, bytes, Insert/Overwrite, note name) and
// `StatusBarRichEdit` (bar, beat, tick and time of the caret line, what Play will play).
#include <QFrame>
#include <QLabel>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TEditorLines;

// A row of sunken text panels of fixed widths (the last one takes the rest).
class TStatusPanels : public QFrame {
    Q_OBJECT
public:
    // `widths` are the panels' widths in pixels; a panel is widened when `widest` (its
    // longest text, where given) would not fit in it with the desktop's font.
    TStatusPanels(const QString &name, const std::vector<int> &widths, QWidget *parent = nullptr,
                  const std::vector<QString> &widest = {});
    int PanelCount() const { return static_cast<int>(labels_.size()); }
    void SetText(int panel, const QString &text);
    void SetText(int panel, const std::string &text) { SetText(panel, QString::fromStdString(text)); }
    QString Text(int panel) const;
    void ClearAll();

private:
    std::vector<QLabel *> labels_;
};

// Where a line starts in the song.
struct TLinePosition {
    int Bar = 0;  // 1-based as shown
    int Beat = 1; // 1-based as shown
    int Tick = 0;
    int64_t Ms = 0;
};

class TStatusDisplay {
public:
    using PositionSource = std::function<TLinePosition(int line)>;

    TStatusDisplay(TStatusPanels *bottom, TStatusPanels *richEdit, TEditorLines *lines);

    void SetPositionSource(PositionSource source) { positionSource_ = std::move(source); }
    // The one BulkEditActive: set while a line command rewrites lines, so that the caret
    // line's song position is not worked out for every line it passes.
    void SetBulkEditActive(bool active) { bulkEditActive_ = active; }
    bool BulkEditActive() const { return bulkEditActive_; }

    // Panels 0-2 of the bottom bar and the play panel at once; the caret's song position when
    // the caret has moved to another line, as soon as the window has handled the events waiting
    // (so the release of a caret key sounds its line before the position is shown).
    void SelectionChanged(bool tabModified);
    // Bar, beat, tick and time of `line` (nothing while a bulk edit runs).
    void ShowCaretPosition(int line);
    // The next selection change computes the position again (tab change, song load or
    // new song, tempo or time-signature change).
    void ForgetLastLine() { lastStatusLine_ = -1; }
    int LastStatusLine() const { return lastStatusLine_; }

    void ShowModified(bool modified);
    void ShowInsertMode(bool overwrite);
    // Panel 4 of the bottom bar: the caret line's single note (with its flat twin) or the
    // pictures' hover text; empty clears it.
    void ShowNoteText(const std::string &text);

private:
    TStatusPanels *bottom_;
    TStatusPanels *richEdit_;
    TEditorLines *lines_;
    PositionSource positionSource_;
    QTimer positionDue_; // shows the caret line's position
    int lastStatusLine_ = -1;
    bool bulkEditActive_ = false;
};
