#include "mainwindow/editor/FindCommands.h"

#include "mainwindow/editor/EditorLines.h"
#include "platform/qt/MessageBoxes.h"

std::string TFindCommands::SelectedText() const {
    return TextBetween(p_.Lines.StoreLines(), p_.Lines.SelectionStartPlace(), p_.Lines.SelectionEndPlace());
}

void TFindCommands::Find1Click() {
    if (p_.Calls.Quiet() || !p_.Dialogs.find)
        return;
    const std::optional<TFindRequest> request = p_.Dialogs.find({SelectedText()});
    if (!request)
        return;
    if (FindFrom(p_.Lines.SelectionEndPlace(), *request))
        SetLastSearchKind(1);
    else
        NotFound(request->text);
}

void TFindCommands::Replace1Click() {
    if (p_.Calls.Quiet() || !p_.Dialogs.replace)
        return;
    const std::optional<TReplaceRequest> request = p_.Dialogs.replace({SelectedText()});
    if (!request)
        return;
    leftOff_.reset();
    const int caretLine = p_.Lines.CurrentLine();
    const bool replaced = request->all ? ReplaceAllFrom(caretLine, *request) : ReplaceFrom({caretLine, 0}, *request);
    if (replaced)
        SetLastSearchKind(2);
    else
        NotFound(request->text);
}

void TFindCommands::FindNext1Click() {
    if (p_.Calls.Quiet())
        return;
    if (LastSearchKind == 1) {
        const TFindRequest request = p_.Dialogs.findNow ? p_.Dialogs.findNow() : TFindRequest{};
        if (request.text.empty())
            Find1Click();
        else if (!FindFrom(p_.Lines.SelectionEndPlace(), request))
            NotFound(request.text);
    } else if (LastSearchKind == 2) {
        const TReplaceRequest request = p_.Dialogs.replaceNow ? p_.Dialogs.replaceNow() : TReplaceRequest{};
        if (request.text.empty())
            Replace1Click();
        else if (!ReplaceFrom(ReplaceResumePlace(), request))
            NotFound(request.text);
    }
}

TTextPlace TFindCommands::ReplaceResumePlace() const {
    const TTextPlace caret = p_.Lines.SelectionStartPlace();
    // The caret still where the last replacement left it, in the text it left there.
    if (leftOff_ && !p_.Lines.HasSelection() && caret == leftOff_->caret &&
        p_.Lines.Line(caret.Line).toStdString() == leftOff_->line)
        return leftOff_->next;
    return caret;
}

void TFindCommands::LeaveCaretAfterReplacing(int line, const std::string &text, TTextPlace next) {
    p_.Lines.SelectPlaces({line, 0}, {line, 0});
    leftOff_ = TReplaceLeftOff{{line, 0}, text, next};
}

void TFindCommands::GoToLine1Click() {
    if (p_.Calls.Quiet() || !p_.Dialogs.goToLine)
        return;
    const int count = p_.Lines.LineCount();
    const std::optional<int> number = p_.Dialogs.goToLine({count});
    if (!number)
        return;
    if (const std::optional<int> line = GoToLineIndex(*number, count)) {
        p_.Lines.ScrollToLine(*line);
        p_.Calls.ShowLine(*line);
    }
}

bool TFindCommands::FindFrom(TTextPlace from, const TFindRequest &request) {
    const std::optional<TTextMatch> m = FindText(p_.Lines.StoreLines(), from, request.text, request.options);
    if (!m) {
        CollapseSelection();
        return false;
    }
    p_.Lines.SelectPlaces({m->Line, m->Column}, {m->Line, m->Column + m->Length});
    return true;
}

bool TFindCommands::ReplaceFrom(TTextPlace from, const TReplaceRequest &request) {
    const std::optional<TReplaceStep> step =
        ReplaceNext(p_.Lines.StoreLines(), from, request.text, request.replacement, request.options);
    if (!step) {
        CollapseSelection();
        return false;
    }
    const TTextMatch &in = step->inserted;
    p_.Lines.ReplaceRange(in.Line, {QString::fromStdString(step->line)});
    LeaveCaretAfterReplacing(in.Line, step->line, {in.Line, in.Column + in.Length});
    p_.Calls.LinesChanged();
    return true;
}

bool TFindCommands::ReplaceAllFrom(int line, const TReplaceRequest &request) {
    const TReplaceAllResult all =
        ReplaceAll(p_.Lines.StoreLines(), line, request.text, request.replacement, request.options);
    if (all.count == 0) {
        CollapseSelection();
        return false;
    }
    QStringList changed;
    changed.reserve(qsizetype(all.lines.size()));
    for (const std::string &l : all.lines)
        changed << QString::fromStdString(l);
    p_.Lines.ReplaceRange(line, changed); // one edit: one Undo takes every replacement back
    const TTextMatch &last = all.last;
    LeaveCaretAfterReplacing(last.Line, all.lines[size_t(last.Line - line)], {last.Line, last.Column + last.Length});
    p_.Calls.LinesChanged();
    return true;
}

void TFindCommands::SetLastSearchKind(int kind) {
    const bool changed = LastSearchKind != kind;
    LastSearchKind = kind;
    if (changed && p_.Calls.SearchChanged)
        p_.Calls.SearchChanged();
}

void TFindCommands::CollapseSelection() {
    const TTextPlace start = p_.Lines.SelectionStartPlace();
    p_.Lines.SelectPlaces(start, start);
}

void TFindCommands::NotFound(const std::string &text) {
    p_.Messages.Information(QString::fromStdString(NotFoundMessage(text)));
}
