#include "mainwindow/live/Fretboard.h"

#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/live/LiveSounding.h"
#include "mainwindow/rules/StatusText.h"
#include "mainwindow/window/Colours.h"
#include "song/NoteLine.h"
#include "song/SongModel.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>

namespace {

int Highest(const TInstrumentTab &tab) { return std::clamp(tab.HighestString, 0, 5); }

QColor Win(int32_t v) { return RecordColour(v); }

} // namespace

// ---- template lines -------------------------------------------------------------------------

namespace {
void AfterTemplate(const TInstrumentParts &parts, int line) {
    if (parts.Calls.SelectEditorLine)
        parts.Calls.SelectEditorLine(line, true);
    else
        parts.Lines.SelectLines(line, line);
    if (parts.Calls.ShowLineOnInstrument)
        parts.Calls.ShowLineOnInstrument(line);
    if (parts.Calls.FocusEditor)
        parts.Calls.FocusEditor();
}
std::string Duration(const TInstrumentParts &parts) {
    return parts.Calls.CurrentDuration ? parts.Calls.CurrentDuration() : " Q";
}
} // namespace

int WriteTemplateLine(const TInstrumentParts &parts, int line) {
    const TInstrumentTab &tab = parts.Song.Current();
    const QString text = QString::fromStdString(WriteTemplateText(tab.Kind, tab.HighestString, Duration(parts)));
    if (line >= parts.Lines.LineCount())
        parts.Lines.InsertLine(parts.Lines.LineCount(), text);
    else
        parts.Lines.ReplaceLine(line, text);
    AfterTemplate(parts, line);
    return line;
}

int InsertTemplateLine(const TInstrumentParts &parts, const std::string &name) {
    const TInstrumentTab &tab = parts.Song.Current();
    const int line = std::min(parts.Lines.CurrentLine(), parts.Lines.LineCount());
    const std::string text = InsertTemplateText(name, tab.Kind, tab.HighestString, Duration(parts));
    parts.Lines.InsertLine(line, QString::fromStdString(text));
    AfterTemplate(parts, line);
    return line;
}

int WriteTemplateLineBelow(const TInstrumentParts &parts, int line) {
    parts.Lines.InsertLine(line + 1, QString());
    parts.Lines.MoveCaretToLine(line + 1);
    return WriteTemplateLine(parts, line + 1);
}

void FinishInstrumentClick(const TInstrumentParts &parts) {
    if (parts.Calls.FocusEditor)
        parts.Calls.FocusEditor();
    if (parts.Calls.MarkModified)
        parts.Calls.MarkModified();
    if (parts.Calls.ShowCaretPosition)
        parts.Calls.ShowCaretPosition(parts.Lines.CurrentLine());
}

void ShowInstrumentHint(QWidget *view, const QPoint &globalPos, const std::string &hint) {
    if (hint.empty())
        QToolTip::hideText();
    else
        QToolTip::showText(globalPos, QString::fromStdString(hint), view);
}

// ---- the drawn neck -------------------------------------------------------------------------

TFretboardView::TFretboardView(TFretboardModel &model, std::function<const TInstrumentTab &()> tab, QWidget *parent)
    : QWidget(parent), model_(model), tab_(std::move(tab)) {
    setObjectName(QStringLiteral("PaintBoxInstrument"));
    setMouseTracking(true);
    setMinimumSize(240, 90);
}

TFretboardGeometry TFretboardView::LayoutShapes() {
    const TInstrumentTab &tab = tab_();
    const TFretboardGeometry g = ComputeFretboardGeometry(width(), height(), tab.Kind, tab.HighestString);
    model_.Layout(g, tab, WindowWidth);
    return g;
}

std::optional<TFretHit> TFretboardView::ShapeAt(QPoint p) const {
    return model_.HitTest(p.x(), p.y(), MarkersOnly && MarkersOnly());
}

void TFretboardView::DrawNeck(QPainter &p, const TFretboardGeometry &g, const TInstrumentTab &tab) {
    const int a = g.NutX, s = g.FretSpace, r = g.RowHeight, t = std::max(1, g.StringThickness);
    const int w = std::max(1, g.WireWidth), y0 = g.BoardTop, y1 = g.BoardBottom;
    const bool banjo = tab.ShortFifthString;
    p.setPen(Qt::black);
    p.setBrush(QColor(176, 76, 0));
    p.drawRect(a, y0, 24 * s, y1 - y0);
    if (banjo) { // the board's lower row ends at the fifth fret
        p.setBrush(Win(tab.Colour));
        p.drawRect(5, y1 - r, a + 4 * s - 5, r);
    }
    p.setBrush(QColor(158, 157, 156));
    p.drawRect(a - a / 4, y0, a / 4, (banjo ? y1 - r : y1) - y0);
    p.setBrush(QColor(244, 244, 244));
    for (int i = 0; i < 24; ++i) {
        const int bottom = banjo && i < 4 ? y1 - r : y1;
        p.drawRect(a + (i + 1) * s - w, y0, w, bottom - y0);
    }
    p.setPen(Qt::black);
    for (int j = 1; j <= 24; ++j)
        p.drawText(QPoint(a + (j - 1) * s + 3 * w, y1 + p.fontMetrics().ascent()), QString::number(j));
    // Inlays, on rows of a seventh of the height whatever the kind.
    const int rr = g.H / 7;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(156, 24, 24));
    auto inlay = [&](int fret, int top, int bottom) {
        const int left = a + (fret - 1) * s;
        p.drawEllipse(QRect(QPoint(left + 3 * w, top), QPoint(left + s - 3 * w, bottom)));
    };
    for (int fret : {3, 5, 7, 9, 15, 17, 19, 22})
        inlay(fret, 3 * rr + 5 * t - rr / 8, 4 * rr + rr / 8 - 4 * t);
    for (int fret : {12, 24}) {
        inlay(fret, 2 * rr + 5 * t - rr / 8, 3 * rr + rr / 8 - 4 * t);
        inlay(fret, 4 * rr + 5 * t - rr / 8, 5 * rr + rr / 8 - 4 * t);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    for (int k = 5 - Highest(tab); k <= 5; ++k) {
        const int y = g.StringY[static_cast<size_t>(k)];
        const int x0 = banjo && k == 5 ? a + 4 * s : a - r / 2;
        p.drawRect(x0, y, g.W - x0, t);
        if (tab.Kind == TKind::Mandolin)
            p.drawRect(x0, y + 3 * t, g.W - x0, t);
    }
}

void TFretboardView::DrawHead(QPainter &p, const TFretboardGeometry &g, const TInstrumentTab &tab) {
    // Each string runs on from the nut to the left edge as a narrowing band towards the pegs.
    static constexpr int kUV[5][2] = {{-1, 0}, {-2, -1}, {2, 3}, {1, 2}, {0, 1}}; // in t, v minus 1 pixel
    const int h = Highest(tab), t = std::max(1, g.StringThickness), x0 = g.NutX - g.RowHeight / 2;
    std::vector<int> types;
    switch (h) {
    case 5:
        types = {0, 0, 1, 2, 3, 3};
        break;
    case 4:
        types = {0, 1, 2, 3, 4};
        break;
    case 3:
        types = {0, 1, 2, 3};
        break;
    case 2:
        types = {1, 4, 2};
        break;
    default:
        types.assign(static_cast<size_t>(h + 1), 4);
        break;
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    auto band = [&](int y, int type, int dx, int dy) {
        const int u = kUV[type][0] * t, v = kUV[type][1] * t - 1;
        QPolygon poly;
        poly << QPoint(0, y + dy + u) << QPoint(x0 + dx, y + dy) << QPoint(x0 + dx, y + dy + t - 1)
             << QPoint(0, y + dy + v);
        p.drawPolygon(poly);
    };
    for (int row = 0; row <= h; ++row) {
        const int k = 5 - h + row;
        if (tab.ShortFifthString && k == 5)
            continue;
        const int y = g.StringY[static_cast<size_t>(k)];
        if (tab.Kind == TKind::Mandolin)
            band(y, types[static_cast<size_t>(row)], 3 * t, 3 * t);
        band(y, types[static_cast<size_t>(row)], 0, 0);
    }
    const int nutBottom = tab.ShortFifthString ? g.BoardBottom - g.RowHeight : g.BoardBottom;
    p.drawLine(g.NutX - g.NutX / 4, g.BoardTop, 0, 0);
    p.drawLine(g.NutX - g.NutX / 4, nutBottom, 0, tab.ShortFifthString ? g.H - g.RowHeight : g.H);
    if (h < 4) {
        const int r = g.RowHeight;
        p.setBrush(QColor(255, 255, 0));
        const int left = -(r / 5), right = r / 2 - r / 5;
        p.drawEllipse(QRect(QPoint(left, g.BoardTop - (r - r / 2)), QPoint(right, g.BoardTop)));
        p.drawEllipse(QRect(QPoint(left, g.BoardBottom), QPoint(right, g.BoardBottom + (r - r / 2))));
    }
}

void TFretboardView::paintEvent(QPaintEvent *) {
    const TInstrumentTab &tab = tab_();
    const TFretboardGeometry g = LayoutShapes();
    QPainter p(this);
    p.fillRect(rect(), Win(tab.Colour));
    DrawHead(p, g, tab);
    DrawNeck(p, g, tab);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int s = 5 - Highest(tab); s <= 5; ++s)
        for (int f = 0; f <= kMaxFret; ++f) {
            const TFretShape &d = model_.Dot(s, f);
            if (d.Shown) {
                p.setPen(Qt::black);
                p.setBrush(d.Solid ? QBrush(Win(d.Colour)) : QBrush(Qt::NoBrush));
                p.drawEllipse(QRect(d.Rect.Left, d.Rect.Top, d.Rect.Width, d.Rect.Height));
            }
        }
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int s = 5 - Highest(tab); s <= 5; ++s)
        for (int f = 0; f <= kMaxFret; ++f) {
            const TFretShape &m = model_.Marker(s, f);
            if (m.Shown) {
                p.setPen(Qt::black);
                p.setBrush(m.Solid ? QBrush(Win(m.Colour)) : QBrush(Qt::NoBrush));
                p.drawRect(m.Rect.Left, m.Rect.Top, m.Rect.Width, m.Rect.Height);
            }
        }
}

void TFretboardView::mousePressEvent(QMouseEvent *e) {
    if (const auto hit = ShapeAt(e->position().toPoint()); hit && OnShapeDown)
        OnShapeDown(*hit, e->button(), e->modifiers());
}

// The mouse cursor a tab's `FretCursor` names (its low 16 bits, as the stored songs hold the
// classic cursor numbers: 0 default, -2 arrow, -3 cross, -21 hand, ...).
Qt::CursorShape FretCursorShape(int32_t fretCursor) {
    switch (static_cast<int16_t>(fretCursor & 0xFFFF)) {
    case -1:
        return Qt::BlankCursor;
    case -3:
        return Qt::CrossCursor;
    case -4:
        return Qt::IBeamCursor;
    case -6:
        return Qt::SizeBDiagCursor;
    case -7:
        return Qt::SizeVerCursor;
    case -8:
        return Qt::SizeFDiagCursor;
    case -9:
        return Qt::SizeHorCursor;
    case -10:
        return Qt::UpArrowCursor;
    case -11:
    case -17:
        return Qt::WaitCursor;
    case -12:
    case -16:
        return Qt::DragMoveCursor;
    case -13:
    case -18:
        return Qt::ForbiddenCursor;
    case -14:
        return Qt::SplitHCursor;
    case -15:
        return Qt::SplitVCursor;
    case -19:
        return Qt::BusyCursor;
    case -20:
        return Qt::WhatsThisCursor;
    case -21:
        return Qt::PointingHandCursor;
    case -22:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

void TFretboardView::mouseMoveEvent(QMouseEvent *e) {
    const auto hit = ShapeAt(e->position().toPoint());
    // Every dot and marker shows the tab's own cursor; the board between them the plain one.
    if (hit)
        setCursor(FretCursorShape(tab_().FretCursor));
    else
        unsetCursor();
    if (hit && OnShapeMove)
        OnShapeMove(*hit);
}

void TFretboardView::mouseReleaseEvent(QMouseEvent *) {
    if (OnShapeUp)
        OnShapeUp();
}

bool TFretboardView::event(QEvent *e) {
    if (e->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(e);
        const auto hit = model_.HitTest(help->pos().x(), help->pos().y());
        const std::string hint = !hit          ? toolTip().toStdString()
                                 : hit->Marker ? model_.Marker(hit->String, hit->Fret).Hint
                                               : model_.Dot(hit->String, hit->Fret).Hint;
        ShowInstrumentHint(this, help->globalPos(), HintsShown ? hint : std::string());
        return true;
    }
    return QWidget::event(e);
}

// ---- behaviour ------------------------------------------------------------------------------

TFretboard::TFretboard(const TInstrumentParts &parts) : p_(parts) {
    model_.CreateShapes();
    view_ = new TFretboardView(
        model_, [this]() -> const TInstrumentTab & { return p_.Song.Current(); }, p_.Widgets.PaintBoxInstrument);
    view_->WindowWidth = p_.WindowWidth;
    view_->OnShapeDown = [this](const TFretHit &hit, Qt::MouseButton b, Qt::KeyboardModifiers m) {
        Shape1MouseDown(hit, b, m);
    };
    view_->OnShapeMove = [this](const TFretHit &hit) { Shape1MouseMove(hit); };
    view_->OnShapeUp = [this] { Shape1MouseUp(); };
    view_->MarkersOnly = [this] {
        return ScaleShownOnFretboard && p_.Calls.ScaleRestrictor && p_.Calls.ScaleRestrictor();
    };
}

TFretboard::~TFretboard() { delete view_.data(); }

void TFretboard::Shape1MouseMove(const TFretHit &hit) {
    const TInstrumentTab &tab = p_.Song.Current();
    if (!IsFretted(tab.Kind))
        return;
    HoverString = hit.String + 1;
    HoverFret = hit.Fret;
    HoverNoteName = status::WithFlatTwin(NoteNameAtFret(tab.TuningSpelling, hit.String, hit.Fret));
    if (p_.Calls.ShowNoteText)
        p_.Calls.ShowNoteText(HoverNoteName);
    model_.SetHoverHint(hit.String, hit.Fret, HoverNoteName);
}

void TFretboard::Shape1MouseUp() {
    if (p_.Calls.RepaintEditor)
        p_.Calls.RepaintEditor();
}

void TFretboard::Shape1MouseDown(const TFretHit &hit, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if ((p_.Calls.Busy && p_.Calls.Busy()) || (button != Qt::LeftButton && button != Qt::RightButton))
        return;
    if (!hit.Marker && view_->MarkersOnly && view_->MarkersOnly())
        return;
    const bool left = button == Qt::LeftButton;
    if (left && (modifiers & Qt::ControlModifier)) {
        if (p_.Calls.ShowDurationPicker)
            p_.Calls.ShowDurationPicker();
        if (p_.Calls.FocusEditor)
            p_.Calls.FocusEditor();
        return;
    }
    TSongModel &song = p_.Song;
    const TInstrumentTab &tab = song.Current();
    TEditorLines &lines = p_.Lines;
    TLiveSounding &sound = p_.Sound;
    sound.SendTabPatch(tab);
    const int s = hit.String, f = hit.Fret;
    const bool wasShown = model_.DotShown(s, f);
    const TLineContext ctx = song.LineContext(song.CurrentTab);

    // The target line: a left click always writes into a fresh template line, a right click
    // into the caret line (whose dots are shown). A directive or faulty caret line first gets
    // a template above it, and that template is the target.
    int target = lines.CurrentLine();
    const TNoteLine caret = ParseNoteLine(lines.Line(target).toStdString(), TDurationUnit::Ticks, ctx);
    const bool faulty = caret.Class == TLineClass::Directive || !caret.Ok();
    if (faulty) {
        target = InsertTemplateLine(p_, std::string(KindText(tab.Kind)));
    } else if (caret.Class == TLineClass::Empty) {
        WriteTemplateLine(p_, target);
    } else if (left) {
        target = WriteTemplateLineBelow(p_, target);
    }

    model_.PaintClickFeedback(s, f);
    view_->update();
    sound.StopRequested() = false;

    // Removal belongs to the right click on a dot the caret line shows.
    const int fret = !left && wasShown && !faulty ? -1 : f;
    if (const auto written = SetStringFret(lines.Line(target).toStdString(), s, fret, ctx)) {
        lines.ReplaceLine(target, QString::fromStdString(*written));
        if (p_.Calls.ShowLineOnInstrument)
            p_.Calls.ShowLineOnInstrument(target);
    }

    if (!left) {
        const TNoteLine line = ParseNoteLine(lines.Line(target).toStdString(), TDurationUnit::Milliseconds, ctx);
        if (line.Sounds()) {
            if (p_.Calls.SelectEditorLine)
                p_.Calls.SelectEditorLine(target, true);
            sound.SoundChordLive(song, line.Chord.Pitches, -1, -1, false, 250);
            if (p_.Calls.SelectEditorLine)
                p_.Calls.SelectEditorLine(target, false);
        }
    } else {
        view_->repaint();
        lines.InsertLine(target + 1, QString());
        lines.MoveCaretToLine(target + 1);
        std::array<int32_t, 6> only{-1, -1, -1, -1, -1, -1};
        only[static_cast<size_t>(s)] = OpenStringNotes[static_cast<size_t>(s)] + f;
        sound.SoundChordLive(song, only, -1, -1, false, 100);
        model_.HideAllDots();
        view_->update();
    }

    FinishInstrumentClick(p_);
}
