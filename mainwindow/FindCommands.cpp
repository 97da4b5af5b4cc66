#include "mainwindow/FindCommands.h"

#include "mainwindow/EditorAdapter.h"
#include "platform/qt/MessageBoxes.h"

std::string TFindCommands::SelectedText() const {
    return TextBetween(p_.lines.StoreLines(), p_.lines.SelectionStartPlace(), p_.lines.SelectionEndPlace());
}

void TFindCommands::Find1Click() {
    if (p_.quiet() || !p_.dialogs.find)
        return;
    const std::optional<TFindRequest> request = p_.dialogs.find({SelectedText()});
    if (!request)
        return;
    if (FindFrom(p_.lines.SelectionEndPlace(), *request))
        SetLastSearchKind(1);
    else
        NotFound(request->text);
}

void TFindCommands::Replace1Click() {
    if (p_.quiet() || !p_.dialogs.replace)
        return;
    const std::optional<TReplaceRequest> request = p_.dialogs.replace({SelectedText()});
    if (!request)
        return;
    leftOff_.reset();
    const int caretLine = p_.lines.CurrentLine();
    const bool replaced = request->all ? ReplaceAllFrom(caretLine, *request) : ReplaceFrom({caretLine, 0}, *request);
    if (replaced)
        SetLastSearchKind(2);
    else
        NotFound(request->text);
}

void TFindCommands::FindNext1Click() {
    if (p_.quiet())
        return;
    if (LastSearchKind == 1) {
        const TFindRequest request = p_.dialogs.findNow ? p_.dialogs.findNow() : TFindRequest{};
        if (request.text.empty())
            Find1Click();
        else if (!FindFrom(p_.lines.SelectionEndPlace(), request))
            NotFound(request.text);
    } else if (LastSearchKind == 2) {
        const TReplaceRequest request = p_.dialogs.replaceNow ? p_.dialogs.replaceNow() : TReplaceRequest{};
        if (request.text.empty())
            Replace1Click();
        else if (!ReplaceFrom(ReplaceResumePlace(), request))
            NotFound(request.text);
    }
}

TTextPlace TFindCommands::ReplaceResumePlace() const {
    const TTextPlace caret = p_.lines.SelectionStartPlace();
    // The caret still where the last replacement left it, in the text it left there.
    if (leftOff_ && !p_.lines.HasSelection() && caret == leftOff_->caret &&
        p_.lines.Line(caret.Line).toStdString() == leftOff_->line)
        return leftOff_->next;
    return caret;
}

void TFindCommands::LeaveCaretAfterReplacing(int line, const std::string &text, TTextPlace next) {
    p_.lines.SelectPlaces({line, 0}, {line, 0});
    leftOff_ = TReplaceLeftOff{{line, 0}, text, next};
}

void TFindCommands::GoToLine1Click() {
    if (p_.quiet() || !p_.dialogs.goToLine)
        return;
    const int count = p_.lines.LineCount();
    const std::optional<int> number = p_.dialogs.goToLine({count});
    if (!number)
        return;
    if (const std::optional<int> line = GoToLineIndex(*number, count)) {
        p_.lines.ScrollToLine(*line);
        p_.showLine(*line);
    }
}

bool TFindCommands::FindFrom(TTextPlace from, const TFindRequest &request) {
    const std::optional<TTextMatch> m = FindText(p_.lines.StoreLines(), from, request.text, request.options);
    if (!m) {
        CollapseSelection();
        return false;
    }
    p_.lines.SelectPlaces({m->Line, m->Column}, {m->Line, m->Column + m->Length});
    return true;
}

bool TFindCommands::ReplaceFrom(TTextPlace from, const TReplaceRequest &request) {
    const std::optional<TReplaceStep> step =
        ReplaceNext(p_.lines.StoreLines(), from, request.text, request.replacement, request.options);
    if (!step) {
        CollapseSelection();
        return false;
    }
    const TTextMatch &in = step->inserted;
    p_.lines.ReplaceRange(in.Line, {QString::fromStdString(step->line)});
    LeaveCaretAfterReplacing(in.Line, step->line, {in.Line, in.Column + in.Length});
    p_.linesChanged();
    return true;
}

bool TFindCommands::ReplaceAllFrom(int line, const TReplaceRequest &request) {
    const TReplaceAllResult all =
        ReplaceAll(p_.lines.StoreLines(), line, request.text, request.replacement, request.options);
    if (all.count == 0) {
        CollapseSelection();
        return false;
    }
    QStringList changed;
    changed.reserve(qsizetype(all.lines.size()));
    for (const std::string &l : all.lines)
        changed << QString::fromStdString(l);
    p_.lines.ReplaceRange(line, changed); // one edit: one Undo takes every replacement back
    const TTextMatch &last = all.last;
    LeaveCaretAfterReplacing(last.Line, all.lines[size_t(last.Line - line)], {last.Line, last.Column + last.Length});
    p_.linesChanged();
    return true;
}

void TFindCommands::SetLastSearchKind(int kind) {
    const bool changed = LastSearchKind != kind;
    LastSearchKind = kind;
    if (changed && p_.searchChanged)
        p_.searchChanged();
}

void TFindCommands::CollapseSelection() {
    const TTextPlace start = p_.lines.SelectionStartPlace();
    p_.lines.SelectPlaces(start, start);
}

void TFindCommands::NotFound(const std::string &text) {
    p_.messages.Information(QString::fromStdString(NotFoundMessage(text)));
}
