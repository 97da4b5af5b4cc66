#include "platform/qt/MessageBoxes.h"

#include <QMessageBox>

namespace platform {

QString DefaultMessageCaption(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Information:
        return QStringLiteral("Information");
    case TMessageKind::Warning:
        return QStringLiteral("Warning");
    case TMessageKind::Error:
        return QStringLiteral("Error");
    case TMessageKind::Question:
        return QStringLiteral("Confirm");
    case TMessageKind::Plain:
        break;
    }
    return QStringLiteral("Tarrowind");
}

QString NormaliseLineBreaks(const QString &text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

namespace {

// A long path may break only after a "/" (a zero-width space there), never inside a name.
QString BreakPathsAtSlashes(const QString &text) {
    QString out;
    out.reserve(text.size() + text.count(QLatin1Char('/')));
    for (const QChar ch : text) {
        out += ch;
        if (ch == QLatin1Char('/'))
            out += QChar(0x200B);
    }
    return out;
}

struct ButtonMap {
    MessageButton ours;
    QMessageBox::StandardButton qt;
    int result;
};

// clang-format off
constexpr ButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},       {mbNo, QMessageBox::No, mrNo},
    {mbOk, QMessageBox::Ok, mrOk},          {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort}, {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
};
// clang-format on

QMessageBox::Icon IconOf(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Warning:
        return QMessageBox::Warning;
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Question:
        return QMessageBox::Question;
    case TMessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int QtMessageBoxes::Show(TMessageKind kind, const QString &text, MessageButtons buttons, const QString &caption) {
    if (buttons == 0)
        buttons = mbOk;
    QMessageBox box(IconOf(kind), caption.isEmpty() ? DefaultMessageCaption(kind) : caption,
                    BreakPathsAtSlashes(NormaliseLineBreaks(text)), QMessageBox::NoButton, parent_);
    QMessageBox::StandardButtons qtButtons;
    for (const auto &b : kButtons)
        if (buttons & b.ours)
            qtButtons |= b.qt;
    box.setStandardButtons(qtButtons);
    const int pressed = box.exec();
    for (const auto &b : kButtons)
        if (pressed == b.qt)
            return b.result;
    // Closed without a button (Esc on a box without Cancel): the safest answer offered.
    if (buttons & mbCancel)
        return mrCancel;
    if (buttons & mbNo)
        return mrNo;
    return mrOk;
}

} // namespace platform
