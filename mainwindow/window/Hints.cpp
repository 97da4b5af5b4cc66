#include "mainwindow/window/Hints.h"

#include <QEvent>

void THints::Add(QWidget *control, const QString &text) {
    Add(control, [text] { return text; });
}

void THints::Add(QWidget *control, std::function<QString()> text) {
    if (!control)
        return;
    hints_.push_back({control, std::move(text)});
    control->installEventFilter(this);
    Apply(hints_.back());
}

void THints::SetVisible(bool visible) {
    visible_ = visible;
    for (const THint &hint : hints_)
        Apply(hint);
}

void THints::Apply(const THint &hint) const {
    if (hint.control)
        hint.control->setToolTip(visible_ ? hint.text() : QString());
}

bool THints::eventFilter(QObject *watched, QEvent *event) {
    // The control shows its tool tip itself; the text is brought up to date just before.
    if (event->type() == QEvent::ToolTip)
        for (const THint &hint : hints_)
            if (hint.control == watched)
                Apply(hint);
    return QObject::eventFilter(watched, event);
}
