#include "mainwindow/editor/NotationEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextDocument>

TNotationEdit::TNotationEdit(QWidget *parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("RichEdit1"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTabChangesFocus(false);
    connect(document(), &QTextDocument::contentsChange, this, &TNotationEdit::OnContentsChange);
    SetBackground(true);
}

QString TNotationEdit::NormaliseLineBreaks(QString text) {
    if (text.contains(QLatin1Char('\r'))) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    return text;
}

void TNotationEdit::LoadText(const QString &text) {
    ++loadingByCode_;
    setPlainText(NormaliseLineBreaks(text));
    document()->clearUndoRedoStacks();
    --loadingByCode_;
}

void TNotationEdit::ShowDocument(QTextDocument *doc) {
    if (doc && doc == document())
        return;
    // The signals of the document itself follow the document shown; the editor's own
    // (textChanged, cursorPositionChanged, undoAvailable) stay connected across the swap.
    disconnect(document(), &QTextDocument::contentsChange, this, &TNotationEdit::OnContentsChange);
    if (doc && doc->defaultFont() != font())
        doc->setDefaultFont(font()); // the editor's font may have changed while it was hidden
    ++loadingByCode_;
    setDocument(doc);
    --loadingByCode_;
    connect(document(), &QTextDocument::contentsChange, this, &TNotationEdit::OnContentsChange);
}

void TNotationEdit::SetBackground(bool silver) {
    silver_ = silver;
    QPalette p = palette();
    // Only the background: the text keeps the colour the settings gave it.
    p.setColor(QPalette::Base, silver ? QColor(192, 192, 192) : QColor(255, 255, 255));
    setPalette(p);
}

void TNotationEdit::OnContentsChange(int /*position*/, int removed, int added) {
    if (loadingByCode_ > 0 || (removed == 0 && added == 0))
        return;
    emit UserEdited();
}

void TNotationEdit::keyPressEvent(QKeyEvent *e) {
    // The Insert key toggles the mode only on its own; Shift+Insert (paste) and
    // Ctrl+Insert (copy) keep their usual meaning.
    if (e->key() == Qt::Key_Insert && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        emit KeyDown(e->key(), e->modifiers());
        emit OverwriteModeChanged(overwriteMode());
        e->accept();
        return;
    }
    emit KeyDown(e->key(), e->modifiers());
    QPlainTextEdit::keyPressEvent(e);
}

void TNotationEdit::keyReleaseEvent(QKeyEvent *e) {
    QPlainTextEdit::keyReleaseEvent(e);
    if (!e->isAutoRepeat())
        emit KeyUp(e->key(), e->modifiers());
}

void TNotationEdit::mousePressEvent(QMouseEvent *e) {
    emit MouseDown(e->button(), e->modifiers());
    // A right click with a modifier is a gesture of the window, not a caret move.
    if (e->button() == Qt::RightButton && e->modifiers() != Qt::NoModifier) {
        e->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(e);
}

void TNotationEdit::mouseReleaseEvent(QMouseEvent *e) {
    QPlainTextEdit::mouseReleaseEvent(e);
    emit MouseUp(e->button(), e->modifiers());
}

bool TNotationEdit::canInsertFromMimeData(const QMimeData *source) const {
    // Files dropped on the editor are the window's business (it opens song files).
    if (source->hasUrls())
        return false;
    return source->hasText();
}

void TNotationEdit::insertFromMimeData(const QMimeData *source) {
    if (!source->hasText())
        return;
    textCursor().insertText(NormaliseLineBreaks(source->text()));
    ensureCursorVisible();
}
