#include "dialogs/tablature/FrmTab.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/common/FileNames.h"
#include "song/TextExport.h"

#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The drawn tablature's fonts: notes in the window's sans serif (larger on paper), the title and
// page numbers in a serif face, the legend small.
QFont TabFont(TTabFont which, bool printer) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (which == TTabFont::Title || which == TTabFont::PageNumber) {
        font.setFamily(QStringLiteral("Serif"));
        font.setStyleHint(QFont::Serif);
    }
    const int size = which == TTabFont::Title ? 16 : which == TTabFont::Legend ? 8 : printer ? 12 : 10;
    font.setPointSize(size);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

TTabMeasure MeasureOn(const QPaintDevice *device, bool printer) {
    return {[device, printer](std::string_view text, TTabFont f) {
                return QFontMetrics(TabFont(f, printer), device)
                    .horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
            },
            [device, printer](TTabFont f) { return QFontMetrics(TabFont(f, printer), device).height(); }};
}

void PaintTabPage(QPainter &painter, const TTabPage &page, bool printer) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    for (const TTabLine &l : page.lines)
        painter.drawLine(l.x1, l.y1, l.x2, l.y2);
    for (const TTabText &t : page.texts) {
        painter.setFont(TabFont(t.font, printer));
        painter.drawText(t.x, t.y + painter.fontMetrics().ascent(), QString::fromStdString(t.text));
    }
}

} // namespace

// `PaintBox1`: the drawn view, laid out afresh for its width at every paint.
class TTabPaintBox : public QWidget {
public:
    TTabPaintBox(const std::vector<TTabBar> &bars, const TTabInput &in, QWidget *parent)
        : QWidget(parent), bars_(bars), in_(in) {}

    TTabDrawing Layout() const {
        return LayoutTabScreen(bars_, in_.title, in_.context.HighestString, in_.durations, ScreenTabGeometry(width()),
                               MeasureOn(this, false));
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        PaintTabPage(painter, Layout().pages.front(), false);
    }

private:
    const std::vector<TTabBar> &bars_;
    const TTabInput &in_;
};

TfrmTab::TfrmTab(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmTab"));
    setWindowTitle(QStringLiteral("Tablature"));
    resize(780, 560);

    RadioGroupTabType = new QGroupBox(this);
    RadioGroupTabType->setObjectName(QStringLiteral("RadioGroupTabType"));
    radioGraphic = new QRadioButton(QStringLiteral("Graphic Tab"), RadioGroupTabType);
    radioGraphic->setObjectName(QStringLiteral("RadioGraphicTab"));
    radioAscii = new QRadioButton(QStringLiteral("ASCII Tab"), RadioGroupTabType);
    radioAscii->setObjectName(QStringLiteral("RadioAsciiTab"));
    radioGraphic->setChecked(true);
    auto *radios = new QHBoxLayout(RadioGroupTabType);
    radios->addWidget(radioGraphic);
    radios->addWidget(radioAscii);
    for (QRadioButton *radio : {radioGraphic, radioAscii})
        connect(radio, &QRadioButton::clicked, this, &TfrmTab::RadioGroupTabTypeClick);

    btnPrint = MakeDialogButton(this, "btnPrint", QStringLiteral("Print"));
    btnSave = MakeDialogButton(this, "btnSave", QStringLiteral("Save"));
    btnExit = MakeDialogButton(this, "btnExit", QStringLiteral("Exit"));
    btnCopy = MakeDialogButton(this, "btnCopy", QStringLiteral("Copy To Clipboard"));
    connect(btnPrint, &QPushButton::clicked, this, &TfrmTab::btnPrintClick);
    connect(btnSave, &QPushButton::clicked, this, &TfrmTab::btnSaveClick);
    connect(btnExit, &QPushButton::clicked, this, [this] { SetModalResult(platform::mrCancel); });
    connect(btnCopy, &QPushButton::clicked, this, &TfrmTab::btnCopyClick);

    // Both views sit in one scrolled column whose width follows the window: the drawn view
    // as high as its rows, the text as high as its lines (it scrolls sideways on its own).
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *column = new QWidget(ScrollBox);
    PaintBox1 = new TTabPaintBox(bars_, in_, column);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    Memo1 = new QPlainTextEdit(column);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *views = new QVBoxLayout(column);
    views->setContentsMargins(0, 0, 0, 0);
    views->addWidget(PaintBox1);
    views->addWidget(Memo1);
    views->addStretch();
    ScrollBox->setWidget(column);

    auto *top = new QHBoxLayout;
    top->addWidget(btnPrint);
    top->addWidget(btnSave);
    top->addWidget(RadioGroupTabType);
    top->addWidget(btnCopy);
    top->addStretch();
    top->addWidget(btnExit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ScrollBox, 1);

    // Key preview: the window's keys reach it before any of its controls.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

TTabResult TfrmTab::Ask(const TTabInput &in) {
    in_ = in;
    ShowModal();
    return {Ascii()};
}

bool TfrmTab::Ascii() const { return radioAscii->isChecked(); }

void TfrmTab::FormActivate() {
    warningShown_ = false;
    bars_ = ClosedBars(BuildNoteList(in_.lines, in_.context));
    {
        const QSignalBlocker blockGraphic(radioGraphic);
        const QSignalBlocker blockAscii(radioAscii);
        (in_.ascii ? radioAscii : radioGraphic)->setChecked(true);
    }
    Rebuild();
}

void TfrmTab::FormDeactivate() {
    bars_.clear();
    ascii_.clear();
    Memo1->clear();
}

void TfrmTab::RadioGroupTabTypeClick() { Rebuild(); }

void TfrmTab::Rebuild() {
    const bool ascii = Ascii();
    PaintBox1->setVisible(!ascii);
    btnPrint->setVisible(!ascii);
    Memo1->setVisible(ascii);
    btnSave->setVisible(ascii);
    btnCopy->setVisible(ascii);
    if (ascii) {
        setWindowTitle(QStringLiteral("ASCII Tablature"));
        ascii_ = BuildAsciiTab(bars_, in_.title, in_.context.HighestString, in_.durations);
        QString text;
        for (const std::string &line : ascii_)
            text += QString::fromStdString(line) + QLatin1Char('\n');
        Memo1->setPlainText(text);
        const int lines = int(ascii_.size()) + 1;
        Memo1->setFixedHeight(lines * Memo1->fontMetrics().lineSpacing() + 2 * Memo1->frameWidth() +
                              2 * int(Memo1->document()->documentMargin()) +
                              Memo1->horizontalScrollBar()->sizeHint().height());
        Memo1->moveCursor(QTextCursor::Start);
    } else {
        setWindowTitle(QStringLiteral("Tablature"));
        PaintBox1->setFixedHeight(PaintBox1->Layout().height);
        PaintBox1->update();
    }
    ScrollBox->verticalScrollBar()->setValue(0);
    if (TabLimitReached(bars_))
        QueueLimitWarning();
}

void TfrmTab::QueueLimitWarning() {
    if (warningShown_ || warningQueued_)
        return;
    warningQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        warningQueued_ = false;
        if (!Showing() || warningShown_)
            return;
        warningShown_ = true;
        services_.messages.Warning(QString::fromStdString(TabLimitWarning(Ascii())));
    });
}

bool TfrmTab::FormKeyDown(int key) {
    if (key == Qt::Key_Escape) {
        SetModalResult(platform::mrCancel);
        return true;
    }
    TTabKey step;
    switch (key) {
    case Qt::Key_PageUp:
        step = TTabKey::PageUp;
        break;
    case Qt::Key_PageDown:
        step = TTabKey::PageDown;
        break;
    case Qt::Key_Up:
        step = TTabKey::Up;
        break;
    case Qt::Key_Down:
        step = TTabKey::Down;
        break;
    default:
        return false;
    }
    QScrollBar *bar = ScrollBox->verticalScrollBar();
    bar->setValue(TabScrollAfterKey(step, bar->value(), bar->maximum()));
    return true;
}

bool TfrmTab::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return platform::ModalDialog::eventFilter(watched, event);
}

void TfrmTab::keyPressEvent(QKeyEvent *event) {
    if (!FormKeyDown(event->key()))
        platform::ModalDialog::keyPressEvent(event);
}

void TfrmTab::btnPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    if (!services_.print.ExecPrintDialog(printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        services_.messages.Error(QStringLiteral("Can't print the tablature."));
        return;
    }
    const int width = painter.device()->width();
    const int height = painter.device()->height();
    const TTabDrawing drawing = LayoutTabPrint(bars_, in_.title, in_.context.HighestString, in_.durations,
                                               PrinterTabGeometry(width, height), height, MeasureOn(&printer, true));
    for (size_t i = 0; i < drawing.pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        PaintTabPage(painter, drawing.pages[i], true);
    }
    painter.end();
}

void TfrmTab::btnSaveClick() {
    platform::FileDialogRequest r;
    r.title = QStringLiteral("Save As ASCII Tablature");
    r.directory = DialogStartFolder(in_.lastDir);
    r.fileName = ChangeFileExt(in_.songFileName, QStringLiteral(".txt"));
    r.filter = platform::FilterFromPipes(QStringLiteral("Text Tab files (*.txt)|*.txt|All Files (*.*)|*.*"));
    r.confirmOverwrite = true;
    const QString chosen = services_.files.GetSaveFileName(r);
    if (chosen.isEmpty())
        return;
    std::string text;
    for (const std::string &line : ascii_)
        text += line + "\r\n";
    const std::string name = QFile::encodeName(chosen).toStdString();
    const QString written = QFile::decodeName(QByteArray::fromStdString(TextExportPath(name)));
    // ".txt" replaces the chosen extension after the dialog asked about the chosen name: a
    // different file that exists is asked about again.
    std::string reason;
    TTextExportResult result = WriteTextFile(name, text, false, &reason);
    if (result == TTextExportResult::NeedsConfirmation &&
        services_.messages.Question(ReplaceQuestion(written), platform::mbYesNo) == platform::mrYes)
        result = WriteTextFile(name, text, true, &reason);
    if (result == TTextExportResult::Failed)
        services_.messages.Error(SaveFailedText(written, reason));
}

void TfrmTab::btnCopyClick() {
    Memo1->selectAll();
    services_.clipboard.SetText(Memo1->toPlainText());
    Memo1->moveCursor(QTextCursor::Start);
    services_.messages.ShowMessage(QStringLiteral("Tab copied to Windows clipboard"));
}
