#include "mainwindow/editor/TabDocuments.h"

#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/editor/NotationEdit.h"

#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <iterator>
#include <utility>

TTabDocuments::TTabDocuments(TSongModel &song, TEditorLines &lines) : song_(song), lines_(lines), edit_(lines.Edit()) {
    for (TabDocument &d : tabs_) {
        d.doc = new QTextDocument(&owner_);
        d.doc->setDocumentLayout(new QPlainTextDocumentLayout(d.doc));
        QObject::connect(d.doc, &QTextDocument::contentsChange, &owner_,
                         [this, &d](int position, int removed, int added) {
                             if (removed != 0 || added != 0)
                                 Changed(d, position, added);
                         });
    }
    edit_->ShowDocument(tabs_[0].doc);
}

TTabDocuments::~TTabDocuments() {
    // The editor lives on a little longer than the documents: it gets one of its own, quietly,
    // as the window's handlers may already be gone.
    if (edit_) {
        const QSignalBlocker quiet(edit_.data());
        edit_->ShowDocument(nullptr);
    }
}

void TTabDocuments::Changed(TabDocument &d, int position, int added) {
    // The blocks before the one at `position` and after the one where the new text ends hold
    // what they held before.
    const int first = std::max(0, d.doc->findBlock(position).blockNumber());
    QTextBlock end = d.doc->findBlock(position + added);
    if (!end.isValid())
        end = d.doc->lastBlock();
    const int tail = std::max(0, d.doc->blockCount() - 1 - end.blockNumber());
    if (!d.edited) {
        d.edited = true;
        d.changedFrom = first;
        d.unchangedTail = tail;
    } else {
        d.changedFrom = std::min(d.changedFrom, first);
        d.unchangedTail = std::min(d.unchangedTail, tail);
    }
    d.positions.LinesChangedFrom(first);
}

void TTabDocuments::Matched(TabDocument &d, uint64_t revision) {
    d.revision = revision;
    d.edited = false;
    d.matchedBlocks = d.doc->blockCount();
}

bool TTabDocuments::Matches(int tab) {
    TabDocument &d = tabs_[static_cast<size_t>(tab - 1)];
    const TSongModel &song = song_;
    if (!d.edited && d.revision == song.LinesRevision(tab))
        return true;
    // The lines were reached for writing (which a read through the song can be too), or the
    // document was edited and never stored: only a difference in the text counts.
    if (edit_->document() != d.doc || !lines_.Holds(song.Lines(tab)))
        return false;
    Matched(d, song.LinesRevision(tab));
    return true;
}

void TTabDocuments::Show(int tab) {
    TabDocument &left = tabs_[static_cast<size_t>(shown_ - 1)];
    if (edit_->document() == left.doc)
        left.place = edit_->textCursor();
    TabDocument &d = tabs_[static_cast<size_t>(tab - 1)];
    edit_->ShowDocument(d.doc);
    shown_ = tab;
    if (!Matches(tab)) {
        const TSongModel &song = song_;
        d.place = QTextCursor();
        lines_.LoadLines(song.Lines(tab));
        Matched(d, song.LinesRevision(tab));
    }
    d.doc->clearUndoRedoStacks();
    lines_.MoveCaretToLine(0);
    edit_->horizontalScrollBar()->setValue(0);
    lines_.ScrollToLine(0);
}

bool TTabDocuments::RestorePlace(int caretLine, bool selection) {
    const TabDocument &d = tabs_[static_cast<size_t>(shown_ - 1)];
    if (d.place.isNull() || d.place.document() != d.doc || edit_->document() != d.doc ||
        d.place.hasSelection() != selection || d.doc->findBlock(d.place.selectionStart()).blockNumber() != caretLine)
        return false;
    edit_->setTextCursor(d.place);
    return true;
}

void TTabDocuments::ForgetPlaces() {
    for (TabDocument &d : tabs_)
        d.place = QTextCursor();
}

void TTabDocuments::Store(int tab) {
    if (tab != shown_) {
        // Another tab's lines take the shown text: that tab's own document no longer matches them.
        song_.Lines(tab) = lines_.StoreLines();
        return;
    }
    TabDocument &d = tabs_[static_cast<size_t>(tab - 1)];
    const bool linesKept = d.revision == std::as_const(song_).LinesRevision(tab);
    if (linesKept && !d.edited)
        return;
    std::vector<std::string> &lines = song_.Lines(tab);
    if (!linesKept) {
        lines = lines_.StoreLines(); // changed behind the document: the editor's text wins
    } else {
        // Only the changed lines are read out: from the first changed one to the unchanged tail
        // (whose count of lines is the same before and after, the last block being empty in both
        // or in neither).
        const int count = lines_.LineCount(), blocks = d.doc->blockCount();
        const int before = static_cast<int>(lines.size());
        const int from = std::min({d.changedFrom, before, count});
        const int oldEnd = std::max(from, std::min(d.matchedBlocks - d.unchangedTail, before));
        const int newEnd = std::max(from, std::min(blocks - d.unchangedTail, count));
        std::vector<std::string> changed = lines_.StoreLines(from, newEnd);
        const auto common = static_cast<std::ptrdiff_t>(std::min(changed.size(), static_cast<size_t>(oldEnd - from)));
        const auto at = lines.begin() + from;
        std::move(changed.begin(), changed.begin() + common, at);
        if (changed.size() > static_cast<size_t>(common))
            lines.insert(at + common, std::make_move_iterator(changed.begin() + common),
                         std::make_move_iterator(changed.end()));
        else
            lines.erase(at + common, lines.begin() + oldEnd);
    }
    Matched(d, song_.LinesRevision(tab));
}

TSongPoint TTabDocuments::PointOfLine(int line, const TPositionConductor &conductor) {
    TabDocument &d = tabs_[static_cast<size_t>(shown_ - 1)];
    d.positions.SetConductor(conductor);
    const int count = lines_.LineCount();
    // The index asks for the lines it does not know, in order. A long run of them (a far jump
    // after an edit high above) is cut out of one copy of the text, which is much quicker than
    // asking each block for its text; a short one walks the blocks.
    const int known = d.positions.KnownLines();
    const bool longRun = std::min(line, count) - known > 1000;
    const QString raw = longRun ? d.doc->toRawText() : QString();
    qsizetype from = longRun ? d.doc->findBlockByNumber(known).position() : 0;
    QTextBlock block;
    int at = -1;
    return d.positions.PointOfLine(line, count, [&](int i) {
        QByteArray text;
        if (longRun) {
            qsizetype to = raw.indexOf(QChar::ParagraphSeparator, from);
            if (to < 0)
                to = raw.size();
            text = QStringView(raw).sliced(from, to - from).toUtf8();
            from = to + 1;
        } else {
            block = at >= 0 && i == at + 1 ? block.next() : d.doc->findBlockByNumber(i);
            at = i;
            text = block.text().toUtf8();
        }
        return std::string(text.constData(), static_cast<size_t>(text.size()));
    });
}
