#include "mainwindow/editor/StatusDisplay.h"

#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/rules/StatusText.h"

#include <QApplication>
#include <QHBoxLayout>

#include <algorithm>

TStatusPanels::TStatusPanels(const QString &name, const std::vector<int> &widths, QWidget *parent,
                             const std::vector<QString> &widest)
    : QFrame(parent) {
    setObjectName(name);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (size_t i = 0; i < widths.size(); ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(name + QStringLiteral("Panel") + QString::number(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        int width = widths[i];
        if (i < widest.size() && !widest[i].isEmpty()) {
            label->setText(widest[i]); // frame, margins and the label's indent included
            width = std::max(width, label->minimumSizeHint().width());
            label->clear();
        }
        if (i + 1 < widths.size())
            label->setFixedWidth(width);
        else if (i < widest.size()) // the last panel takes what the others leave
            label->setMinimumWidth(width);
        row->addWidget(label, i + 1 < widths.size() ? 0 : 1);
        labels_.push_back(label);
    }
    setFixedHeight(fontMetrics().height() + 6);
}

void TStatusPanels::SetText(int panel, const QString &text) {
    if (panel >= 0 && panel < PanelCount() && labels_[panel]->text() != text)
        labels_[panel]->setText(text);
}

QString TStatusPanels::Text(int panel) const {
    return panel >= 0 && panel < PanelCount() ? labels_[panel]->text() : QString();
}

void TStatusPanels::ClearAll() {
    for (auto *l : labels_)
        l->clear();
}

TStatusDisplay::TStatusDisplay(TStatusPanels *bottom, TStatusPanels *richEdit, TEditorLines *lines)
    : bottom_(bottom), richEdit_(richEdit), lines_(lines) {
    positionDue_.setSingleShot(true);
    positionDue_.setInterval(0);
    QObject::connect(&positionDue_, &QTimer::timeout, [this] { ShowCaretPosition(lines_->CurrentLine()); });
}

void TStatusDisplay::SelectionChanged(bool tabModified) {
    int first = 0, last = 0;
    const bool selected = lines_->GetSelectedLines(first, last);
    richEdit_->SetText(4, std::string(status::PlayLinesPanel(selected, first != last)));
    ShowModified(tabModified);
    bottom_->SetText(2, status::BytesPanel(lines_->TextLength()));
    const int caret = lines_->CurrentLine();
    bottom_->SetText(0, status::LinePanel(caret, lines_->LineCount()));
    if (caret != lastStatusLine_) {
        positionDue_.start();
        lastStatusLine_ = caret;
    }
}

void TStatusDisplay::ShowCaretPosition(int line) {
    if (bulkEditActive_ || !positionSource_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TLinePosition p = positionSource_(line);
    richEdit_->SetText(0, status::BarPanel(p.Bar));
    richEdit_->SetText(1, status::BeatPanel(p.Beat));
    richEdit_->SetText(2, status::TickPanel(p.Tick));
    richEdit_->SetText(3, status::TimePanel(p.Ms));
    QApplication::restoreOverrideCursor();
}

void TStatusDisplay::ShowModified(bool modified) { bottom_->SetText(1, modified ? QStringLiteral("*") : QString()); }

void TStatusDisplay::ShowInsertMode(bool overwrite) {
    bottom_->SetText(3, std::string(status::InsertModePanel(overwrite)));
}

void TStatusDisplay::ShowNoteText(const std::string &text) { bottom_->SetText(4, text); }
