#include "mainwindow/editor/EditorLines.h"

#include "mainwindow/editor/NotationEdit.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string_view>

int TEditorLines::BlockCount() const { return edit_->document()->blockCount(); }

int TEditorLines::LineCount() const {
    const QTextDocument *doc = edit_->document();
    const int blocks = doc->blockCount();
    // The last block is empty after a trailing line break (or in an empty text):
    // it is where the next line would go, not a line of its own.
    return doc->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

QString TEditorLines::Line(int i) const {
    if (i < 0 || i >= LineCount())
        return {};
    return edit_->document()->findBlockByNumber(i).text();
}

QStringList TEditorLines::Lines() const {
    QStringList out;
    const int n = LineCount();
    out.reserve(n);
    QTextBlock b = edit_->document()->firstBlock();
    for (int i = 0; i < n && b.isValid(); ++i, b = b.next())
        out.append(b.text());
    return out;
}

int TEditorLines::TextLength() const { return edit_->document()->characterCount() - 1; }

bool TEditorLines::IsEmpty() const { return TextLength() <= 0; }

int TEditorLines::LinePosition(int line) const {
    const QTextBlock b = edit_->document()->findBlockByNumber(line);
    return b.isValid() ? b.position() : TextLength();
}

int TEditorLines::CurrentLine() const {
    const QTextCursor c = edit_->textCursor();
    return edit_->document()->findBlock(c.selectionStart()).blockNumber();
}

int TEditorLines::LastSelectedLine() const {
    const QTextCursor c = edit_->textCursor();
    const int last = std::max(0, c.selectionEnd() - 1);
    return edit_->document()->findBlock(last).blockNumber();
}

bool TEditorLines::HasSelection() const { return edit_->textCursor().hasSelection(); }

bool TEditorLines::GetSelectedLines(int &first, int &last) const {
    first = CurrentLine();
    last = LastSelectedLine();
    return HasSelection();
}

bool TEditorLines::SelectLines(int first, int last) {
    if (IsEmpty())
        return false;
    const int blocks = BlockCount();
    first = std::clamp(first, 0, blocks - 1);
    last = std::clamp(last, first, blocks - 1);
    const QTextDocument *doc = edit_->document();
    const QTextBlock lastBlock = doc->findBlockByNumber(last);
    const int start = doc->findBlockByNumber(first).position();
    // A block's length counts its line break; the final block's implicit one is not text.
    const int end = std::min(lastBlock.position() + lastBlock.length(), TextLength());
    QTextCursor c(edit_->document());
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    edit_->setTextCursor(c);
    return true;
}

void TEditorLines::MoveCaretToLine(int line, int scroll) {
    line = std::clamp(line, 0, BlockCount() - 1);
    QTextCursor c(edit_->document());
    c.setPosition(LinePosition(line));
    edit_->setTextCursor(c);
    if (scroll != 0) {
        QScrollBar *bar = edit_->verticalScrollBar();
        bar->setValue(bar->value() + scroll);
    }
}

int TEditorLines::FirstVisibleLine() const {
    // Without word wrap the scroll bar of a plain-text edit counts lines.
    return edit_->verticalScrollBar()->value();
}

void TEditorLines::ScrollToLine(int line) {
    QScrollBar *bar = edit_->verticalScrollBar();
    bar->setValue(bar->value() + (line - FirstVisibleLine()));
}

QString TEditorLines::JoinLines(const QStringList &lines) {
    QString text;
    for (const QString &l : lines) {
        text += l;
        text += QLatin1Char('\n');
    }
    return text;
}

void TEditorLines::LoadText(const QString &text) { edit_->LoadText(text); }

void TEditorLines::LoadLines(const std::vector<std::string> &lines) {
    QString text;
    size_t bytes = 0;
    for (const auto &l : lines)
        bytes += l.size() + 1;
    text.reserve(static_cast<qsizetype>(bytes));
    // Every line ends with its break, so a trailing blank line survives the round trip.
    for (const auto &l : lines) {
        text.append(QString::fromStdString(l));
        text.append(QLatin1Char('\n'));
    }
    edit_->LoadText(text);
}

std::vector<std::string> TEditorLines::StoreLines() const {
    // The whole text in one copy, cut at its block separators: much quicker on a long text than
    // asking every block for its own.
    const QString raw = edit_->document()->toRawText();
    const int n = LineCount();
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(n));
    qsizetype from = 0;
    for (int i = 0; i < n; ++i) {
        qsizetype to = raw.indexOf(QChar::ParagraphSeparator, from);
        if (to < 0)
            to = raw.size();
        const QByteArray line = QStringView(raw).sliced(from, to - from).toUtf8();
        out.emplace_back(line.constData(), static_cast<size_t>(line.size()));
        from = to + 1;
    }
    return out;
}

std::vector<std::string> TEditorLines::StoreLines(int first, int end) const {
    first = std::max(first, 0);
    end = std::min(end, LineCount());
    std::vector<std::string> out;
    if (first >= end)
        return out;
    out.reserve(static_cast<size_t>(end - first));
    QTextBlock b = edit_->document()->findBlockByNumber(first);
    for (int i = first; i < end && b.isValid(); ++i, b = b.next()) {
        const QByteArray line = b.text().toUtf8();
        out.emplace_back(line.constData(), static_cast<size_t>(line.size()));
    }
    return out;
}

namespace {
// A line of the text against a stored line (UTF-8), without converting the usual ASCII line.
bool SameLine(QStringView have, std::string_view want) {
    if (have.size() == static_cast<qsizetype>(want.size())) {
        qsizetype i = 0;
        while (i < have.size() && static_cast<unsigned char>(want[size_t(i)]) < 0x80 &&
               have[i].unicode() == static_cast<unsigned char>(want[size_t(i)]))
            ++i;
        if (i == have.size())
            return true;
        if (static_cast<unsigned char>(want[size_t(i)]) < 0x80)
            return false;
    }
    return have == QString::fromUtf8(want.data(), static_cast<qsizetype>(want.size()));
}
} // namespace

bool TEditorLines::Holds(const std::vector<std::string> &lines) const {
    if (static_cast<size_t>(LineCount()) != lines.size())
        return false;
    const QString raw = edit_->document()->toRawText();
    qsizetype from = 0;
    for (const std::string &line : lines) {
        qsizetype to = raw.indexOf(QChar::ParagraphSeparator, from);
        if (to < 0)
            to = raw.size();
        if (!SameLine(QStringView(raw).sliced(from, to - from), line))
            return false;
        from = to + 1;
    }
    return true;
}

void TEditorLines::ReplaceLine(int i, const QString &text) {
    if (i < 0 || i >= BlockCount())
        return;
    const QTextBlock b = edit_->document()->findBlockByNumber(i);
    QTextCursor c(edit_->document());
    c.setPosition(b.position());
    c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
    c.insertText(TNotationEdit::NormaliseLineBreaks(text));
}

void TEditorLines::InsertLine(int i, const QString &text) {
    const QString t = TNotationEdit::NormaliseLineBreaks(text);
    const int lines = LineCount();
    i = std::clamp(i, 0, lines);
    QTextCursor c(edit_->document());
    if (i < lines) {
        c.setPosition(LinePosition(i));
        c.insertText(t + QLatin1Char('\n'));
    } else if (lines == 0) {
        c.setPosition(0);
        c.insertText(t);
    } else if (edit_->document()->lastBlock().length() <= 1) {
        // A trailing line break exists: the new line goes before it and keeps it.
        c.setPosition(edit_->document()->lastBlock().position());
        c.insertText(t + QLatin1Char('\n'));
    } else {
        c.movePosition(QTextCursor::End);
        c.insertText(QLatin1Char('\n') + t);
    }
}

void TEditorLines::ReplaceRange(int first, const QStringList &lines) {
    QTextCursor c(edit_->document());
    c.beginEditBlock();
    QTextBlock b = edit_->document()->findBlockByNumber(first);
    for (const QString &text : lines) {
        if (!b.isValid())
            break;
        if (b.text() != text) {
            c.setPosition(b.position());
            c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
            c.insertText(TNotationEdit::NormaliseLineBreaks(text));
        }
        b = b.next();
    }
    c.endEditBlock();
}

void TEditorLines::ReplaceAllLines(const QStringList &lines) {
    QTextCursor c(edit_->document());
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.insertText(JoinLines(lines));
    c.endEditBlock();
}

void TEditorLines::DeleteLines(int first, int last) {
    const int count = LineCount();
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    if (first > last)
        return;
    const QTextDocument *doc = edit_->document();
    int start = LinePosition(first);
    const QTextBlock lastBlock = doc->findBlockByNumber(last);
    const bool hasBreak = lastBlock.next().isValid();
    const int end = hasBreak ? lastBlock.position() + lastBlock.length() : TextLength();
    if (!hasBreak && first > 0)
        --start; // "a\nb" less its last line is "a", not "a\n"
    QTextCursor c(edit_->document());
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

TEditorLines::TEditBlock::TEditBlock(const TEditorLines &lines) : cursor_(new QTextCursor(lines.edit_->document())) {
    cursor_->beginEditBlock();
}

TEditorLines::TEditBlock::~TEditBlock() {
    cursor_->endEditBlock();
    delete cursor_;
}

TTextPlace TEditorLines::PlaceOf(int position) const {
    const QTextBlock b = edit_->document()->findBlock(position);
    return {b.blockNumber(), int(b.text().left(position - b.position()).toUtf8().size())};
}

int TEditorLines::PositionOf(TTextPlace place) const {
    const QTextBlock b = edit_->document()->findBlockByNumber(std::clamp(place.Line, 0, BlockCount() - 1));
    const QByteArray bytes = b.text().toUtf8();
    const int column = int(QString::fromUtf8(bytes.left(std::clamp(place.Column, 0, int(bytes.size())))).size());
    return b.position() + column;
}

TTextPlace TEditorLines::SelectionStartPlace() const { return PlaceOf(edit_->textCursor().selectionStart()); }

TTextPlace TEditorLines::SelectionEndPlace() const { return PlaceOf(edit_->textCursor().selectionEnd()); }

void TEditorLines::SelectPlaces(TTextPlace from, TTextPlace to) {
    QTextCursor c(edit_->document());
    c.setPosition(PositionOf(from));
    c.setPosition(PositionOf(to), QTextCursor::KeepAnchor);
    edit_->setTextCursor(c);
    edit_->ensureCursorVisible();
}
