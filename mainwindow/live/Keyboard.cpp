#include "mainwindow/live/Keyboard.h"

#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/live/LiveSounding.h"
#include "mainwindow/window/Colours.h"
#include "song/DetailedLineWriter.h"
#include "song/NoteLine.h"
#include "song/SongModel.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>

// ---- the drawn keys -------------------------------------------------------------------------

TKeyboardView::TKeyboardView(TKeyboardModel &model, QWidget *parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("PianoKeyboard"));
    setMouseTracking(true);
    setMinimumSize(240, 60);
}

void TKeyboardView::LayoutKeys() { model_.DrawKeyboard(0, 18, height() - 20, width(), width()); }

void TKeyboardView::resizeEvent(QResizeEvent *e) {
    LayoutKeys();
    QWidget::resizeEvent(e);
}

void TKeyboardView::paintEvent(QPaintEvent *) {
    if (!model_.LaidOut())
        LayoutKeys();
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(Qt::black);
    for (int pass = 0; pass < 2; ++pass) // white keys first, black keys over them
        for (int n = 1; n <= kKeyCount; ++n) {
            const TPianoKey &k = model_.Key(n);
            if (!k.Placed || k.Black != (pass == 1) || (pass == 1 && k.Tag == 0))
                continue;
            p.setBrush(RecordColour(k.Colour));
            p.drawRect(k.Rect.Left, k.Rect.Top, k.Rect.Width - 1, k.Rect.Height - 1);
        }
}

void TKeyboardView::mousePressEvent(QMouseEvent *e) {
    if (const int key = KeyAt(e->position().toPoint()); key && OnKeyDown)
        OnKeyDown(key, e->button(), e->modifiers());
}

void TKeyboardView::mouseMoveEvent(QMouseEvent *e) {
    if (const int key = KeyAt(e->position().toPoint()); key && OnKeyMove)
        OnKeyMove(key);
}

bool TKeyboardView::event(QEvent *e) {
    if (e->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(e);
        const int key = KeyAt(help->pos());
        const std::string hint = key ? model_.Key(key).Hint : std::string();
        ShowInstrumentHint(this, help->globalPos(), HintsShown ? hint : std::string());
        return true;
    }
    return QWidget::event(e);
}

// ---- behaviour ------------------------------------------------------------------------------

namespace {
bool IsScaleColour(int32_t c) { return c == kColourRed || c == kColourGreen || c == kColourYellow || c == kColourBlue; }
} // namespace

TKeyboard::TKeyboard(const TInstrumentParts &parts) : p_(parts) {
    view_ = new TKeyboardView(model_, p_.Widgets.PaintBoxInstrument);
    view_->OnKeyDown = [this](int key, Qt::MouseButton b, Qt::KeyboardModifiers m) { Shape2MouseDown(key, b, m); };
    view_->OnKeyMove = [this](int key) { Shape2MouseMove(key); };
    TLiveView &live = p_.Sound.View;
    live.KeysSounding = [this](const std::array<int32_t, 10> &keys, bool on) {
        if (!OnPianoTab())
            return;
        model_.KeysSounding(keys, on);
        view_->repaint();
    };
    live.HighlightKeys = [this](const std::array<int32_t, 10> &keys) {
        if (!OnPianoTab())
            return;
        model_.HighlightPianoKeys(keys);
        view_->update();
    };
    live.RefreshKeys = [this] {
        if (!OnPianoTab())
            return;
        model_.RefreshKeyColours(false);
        view_->update();
    };
}

TKeyboard::~TKeyboard() {
    delete view_.data();
    p_.Sound.View.KeysSounding = nullptr;
    p_.Sound.View.HighlightKeys = nullptr;
    p_.Sound.View.RefreshKeys = nullptr;
}

bool TKeyboard::OnPianoTab() const { return p_.Song.Current().Kind == TKind::Piano; }

void TKeyboard::Shape2MouseMove(int key) {
    if (!OnPianoTab() || key < 1 || key > kKeyCount || model_.Key(key).Tag == 0)
        return;
    if (p_.Calls.ShowNoteText)
        p_.Calls.ShowNoteText(model_.HoverText(key));
    model_.SetHoverHint(key);
}

void TKeyboard::Shape2MouseDown(int key, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if ((p_.Calls.Busy && p_.Calls.Busy()) || key < 1 || key > kKeyCount || model_.Key(key).Tag == 0 ||
        (button != Qt::LeftButton && button != Qt::RightButton))
        return;
    const bool left = button == Qt::LeftButton;
    if (left && model_.ScaleShown && p_.Calls.ScaleRestrictor && p_.Calls.ScaleRestrictor() &&
        !IsScaleColour(model_.Key(key).Colour))
        return;
    if (KeyClickBusy || (left && (modifiers & Qt::ControlModifier))) {
        if (!KeyClickBusy && p_.Calls.ShowDurationPicker)
            p_.Calls.ShowDurationPicker();
        if (p_.Calls.FocusEditor)
            p_.Calls.FocusEditor();
        return;
    }
    TSongModel &song = p_.Song;
    TEditorLines &lines = p_.Lines;
    TLiveSounding &sound = p_.Sound;
    sound.SendTabPatch(song.Current());
    KeyClickBusy = true;
    if (p_.Calls.ClickWaiting)
        p_.Calls.ClickWaiting(true);
    const int n = model_.Key(key).Tag;
    TLineContext ctx = song.LineContext(song.CurrentTab);
    ctx.Kind = TKind::Piano; // the keyboard reads and writes piano lines

    // The target line: a blank caret line takes the template; a left click starts a new line
    // below; a right click works on the caret line, or on a template put above a directive or
    // faulty caret line (so a click never loses the line it lands on).
    int target = lines.CurrentLine();
    const TNoteLine caret = ParseNoteLine(lines.Line(target).toStdString(), TDurationUnit::Ticks, ctx);
    if (caret.Class == TLineClass::Empty) {
        WriteTemplateLine(p_, target);
    } else if (left) {
        target = WriteTemplateLineBelow(p_, target);
    } else if (caret.Class == TLineClass::Directive || !caret.Ok()) {
        target = InsertTemplateLine(p_, "Piano");
    }

    const std::string text = lines.Line(target).toStdString();
    std::optional<std::string> written;
    if (!left) {
        TNoteLine parsed = ParseNoteLine(text, TDurationUnit::Ticks, ctx);
        if (parsed.Ok()) {
            TPianoRec &rec = parsed.Keys;
            for (int32_t &k : rec.Keys)
                if (k == n) {
                    k = -1;
                    written = rec.HasDetails ? FormatDetailedPianoLine(rec, ctx.Volume) : FormatPianoLine(rec);
                    break;
                }
        }
    }
    if (!written)
        written = TogglePianoKey(text, n, ctx);
    if (written && !written->empty()) {
        lines.ReplaceLine(target, QString::fromStdString(*written));
        if (p_.Calls.ShowLineOnInstrument)
            p_.Calls.ShowLineOnInstrument(target);
    }
    sound.StopRequested() = false;

    const TNoteLine played = ParseNoteLine(lines.Line(target).toStdString(), TDurationUnit::Ticks, ctx);
    if (!left) {
        if (played.Sounds()) {
            if (p_.Calls.SelectEditorLine)
                p_.Calls.SelectEditorLine(target, true);
            model_.HighlightPianoKeys(played.Keys.Keys);
            view_->update();
            sound.PlayPianoKeysLive(song, played.Keys, 250, -1, -1);
            if (p_.Calls.SelectEditorLine)
                p_.Calls.SelectEditorLine(target, false);
        }
    } else {
        if (played.Sounds())
            sound.PlayPianoKeysLive(song, played.Keys, 250, -1, -1);
        lines.InsertLine(target + 1, QString());
        lines.MoveCaretToLine(target + 1);
    }

    KeyClickBusy = false;
    if (p_.Calls.ClickWaiting)
        p_.Calls.ClickWaiting(false);
    if (p_.Calls.ShowLineOnInstrument)
        p_.Calls.ShowLineOnInstrument(lines.CurrentLine());
    FinishInstrumentClick(p_);
}
