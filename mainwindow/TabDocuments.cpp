#include "mainwindow/TabDocuments.h"

#include "mainwindow/EditorAdapter.h"
#include "mainwindow/NotationEdit.h"

#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>

#include <utility>

TTabDocuments::TTabDocuments(TSongModel &song, TEditorLines &lines)
    : song_(song), lines_(lines), edit_(lines.Edit()) {
    for (TabDocument &d : tabs_) {
        d.doc = new QTextDocument(&owner_);
        d.doc->setDocumentLayout(new QPlainTextDocumentLayout(d.doc));
        QObject::connect(d.doc, &QTextDocument::contentsChange, &owner_,
                         [this, &d](int position, int removed, int added) {
                             if (removed != 0 || added != 0)
                                 Changed(d, position);
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

void TTabDocuments::Changed(TabDocument &d, int position) {
    d.edited = true;
    d.positions.LinesChangedFrom(d.doc->findBlock(position).blockNumber());
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
    d.revision = song.LinesRevision(tab);
    d.edited = false;
    return true;
}

void TTabDocuments::Show(int tab) {
    TabDocument &d = tabs_[static_cast<size_t>(tab - 1)];
    edit_->ShowDocument(d.doc);
    shown_ = tab;
    if (!Matches(tab)) {
        const TSongModel &song = song_;
        lines_.LoadLines(song.Lines(tab));
        d.revision = song.LinesRevision(tab);
        d.edited = false;
    }
    d.doc->clearUndoRedoStacks();
    lines_.MoveCaretToLine(0);
    edit_->horizontalScrollBar()->setValue(0);
    lines_.ScrollToLine(0);
}

void TTabDocuments::Store(int tab) {
    if (tab != shown_) {
        // Another tab's lines take the shown text: that tab's own document no longer matches them.
        song_.Lines(tab) = lines_.StoreLines();
        return;
    }
    TabDocument &d = tabs_[static_cast<size_t>(tab - 1)];
    if (!d.edited && d.revision == std::as_const(song_).LinesRevision(tab))
        return;
    song_.Lines(tab) = lines_.StoreLines();
    d.revision = song_.LinesRevision(tab);
    d.edited = false;
}

TSongPoint TTabDocuments::PointOfLine(int line, const TPositionConductor &conductor) {
    TabDocument &d = tabs_[static_cast<size_t>(shown_ - 1)];
    d.positions.SetConductor(conductor);
    // The index asks for the lines it does not know in order: walk the blocks.
    QTextBlock block;
    int at = -1;
    return d.positions.PointOfLine(line, lines_.LineCount(), [&](int i) {
        block = at >= 0 && i == at + 1 ? block.next() : d.doc->findBlockByNumber(i);
        at = i;
        const QByteArray text = block.text().toUtf8();
        return std::string(text.constData(), static_cast<size_t>(text.size()));
    });
}
