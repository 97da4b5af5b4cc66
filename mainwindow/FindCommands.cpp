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
    lastFind_ = *request;
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
    lastReplace_ = *request;
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
        if (lastFind_.text.empty())
            Find1Click();
        else if (!FindFrom(p_.lines.SelectionEndPlace(), lastFind_))
            NotFound(lastFind_.text);
    } else if (LastSearchKind == 2) {
        if (lastReplace_.text.empty())
            Replace1Click();
        else if (!ReplaceFrom(p_.lines.SelectionEndPlace(), lastReplace_))
            NotFound(lastReplace_.text);
    }
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
    // The replacement stays selected: Find Next goes on after it.
    p_.lines.SelectPlaces({in.Line, in.Column}, {in.Line, in.Column + in.Length});
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
    p_.lines.SelectPlaces({last.Line, last.Column}, {last.Line, last.Column + last.Length});
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
