#pragma once
// The notation editor widget (`RichEdit1`): a plain-text editor that tells the window
// which changes came from the user, normalises line breaks of every text that enters,
// and reports its real Insert/Overwrite mode.
#include <QPlainTextEdit>

class TNotationEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TNotationEdit(QWidget *parent = nullptr);

    // Replaces the whole text by code: nothing is marked modified and undo is cleared.
    void LoadText(const QString &text);
    // Shows `doc` (a plain-text document of the caller's, in this editor's font) in place of the
    // one shown; null gives the editor a new empty document of its own. Nothing is marked.
    void ShowDocument(QTextDocument *doc);

    // Colour of the page: silver while empty at load, white otherwise.
    void SetBackground(bool silver);
    bool BackgroundSilver() const { return silver_; }

    // CRLF and lone CR become LF.
    static QString NormaliseLineBreaks(QString text);

signals:
    // Any change to the text that the user made (typing, Backspace, Enter, paste, cut,
    // undo, redo, a drop); code loads never raise it.
    void UserEdited();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // The Insert/Overwrite mode changed (only an unmodified Insert key toggles it).
    void OverwriteModeChanged(bool overwrite);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;

private:
    void OnContentsChange(int position, int removed, int added);

    int loadingByCode_ = 0;
    bool silver_ = false;
};
