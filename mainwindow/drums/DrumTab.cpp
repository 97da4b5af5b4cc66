// The drum page's controls, the pattern list and its commands.
#include "mainwindow/drums/DrumTab.h"

#include "dialogs/common/DialogControls.h"
#include "mainwindow/drums/DrumGridView.h"
#include "mainwindow/editor/StatusDisplay.h"
#include "mainwindow/rules/PlayState.h"
#include "mainwindow/rules/SongChange.h"
#include "mainwindow/rules/StatusText.h"
#include "mainwindow/window/Colours.h"
#include "mainwindow/window/Commands.h"
#include "mainwindow/window/MainDialogs.h"
#include "platform/qt/Services.h"
#include "song/BuiltInBeats.h"
#include "song/LinePositions.h"
#include "song/SongModel.h"
#include "song/TextUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cstdio>

namespace {
const char *const kListHint =
    "Each line represents a single grid or drum pattern. Use the right mouse button to cut/copy/paste.";
const char *const kSlotHint = "Click here to select a new drum for this slot.";
constexpr int kSlotLabelWidth = 115;

QString Q(const std::string &s) { return QString::fromStdString(s); }
} // namespace

TDrumTab::TDrumTab(const TDrumParts &parts)
    : song_(parts.Song), drums_(parts.Drums), play_(parts.PlayState), services_(parts.Services),
      commands_(parts.Commands), w_(parts.Widgets), calls_(parts.Calls) {
    BuildPatternGroup();
    BuildGridGroup();
    BuildPlayGroup();
    BindCommands();
    SetHintsVisible(true);
    ShowDrums();
}

TDrumTab::~TDrumTab() = default;

// ---- building ---------------------------------------------------------------------------------

void TDrumTab::BuildPatternGroup() {
    QGroupBox *group = w_.GroupBoxDrumPatterns;
    auto *v = new QVBoxLayout(group);
    v->setContentsMargins(8, 4, 8, 6);
    v->setSpacing(2);
    StatusBarDrums =
        new TStatusPanels(QStringLiteral("StatusBarDrums"), {100, 60, 60, 110, 110}, group,
                          {QStringLiteral("Bar: 9999 of 9999"), QStringLiteral("Beat: 1"), QStringLiteral("Tick: 0"),
                           QStringLiteral("Time: 00:00:00.00"), QStringLiteral("Play Selected Bars")});
    v->addWidget(StatusBarDrums);
    ListBoxDrumPatterns = new QListWidget(group);
    ListBoxDrumPatterns->setObjectName(QStringLiteral("ListBoxDrumPatterns"));
    ListBoxDrumPatterns->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxDrumPatterns->setContextMenuPolicy(Qt::PreventContextMenu);
    // The list lines are fixed columns.
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    ListBoxDrumPatterns->setFont(f);
    ListBoxDrumPatterns->viewport()->installEventFilter(this);
    ListBoxDrumPatterns->installEventFilter(this);
    v->addWidget(ListBoxDrumPatterns, 1);
}

void TDrumTab::BuildGridGroup() {
    QGroupBox *group = w_.GroupBoxPatternProperties;
    group->installEventFilter(this); // its resizes lay the page out
    StringGridDrums = new TDrumGridView(group);
    StringGridDrums->SetModel(&drums_.grid, &editor_);
    connect(StringGridDrums, &TDrumGridView::CellPressed, this, &TDrumTab::StringGridDrumsMouseDown);
    connect(StringGridDrums, &TDrumGridView::CellDragged, this, [this](int column, int row) {
        editor_.SetCurrent(column, row, true);
        StringGridDrums->update();
    });
    connect(StringGridDrums, &TDrumGridView::KeyTyped, this, &TDrumTab::StringGridDrumsKeyPress);
    connect(StringGridDrums, &TDrumGridView::PopUpRequested, this, [this](const QPoint &at) {
        if (QMenu *menu = commands_.PopUp(TMenu::GridPopUp))
            menu->popup(at);
    });
    for (int r = 0; r < kDrumRows; ++r) {
        auto *label = new TClickLabel(QString(), r, group);
        label->setObjectName(QStringLiteral("DrumNameLabel%1").arg(r + 1));
        connect(label, &TClickLabel::Click, this, [this](TClickLabel &slot) { DrumNameLabelClick(slot.Tag); });
        DrumNameLabels[static_cast<size_t>(r)] = label;
    }

    PanelGridButtons = new QWidget(group);
    auto *v = new QVBoxLayout(PanelGridButtons);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, PanelGridButtons);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    BitBtnClearDisplayedPattern = button("BitBtnClearDisplayedPattern", QStringLiteral("Clear Pattern"));
    BitBtnNextPattern = button("BitBtnNextPattern", QStringLiteral("New Pattern"));
    ComboBoxJazzyFeel = new QComboBox(PanelGridButtons);
    ComboBoxJazzyFeel->setObjectName(QStringLiteral("ComboBoxJazzyFeel"));
    ComboBoxJazzyFeel->addItems({QStringLiteral("Regular"), QStringLiteral("Jazzy")});
    ComboBoxBuiltInBeats = new QComboBox(PanelGridButtons);
    ComboBoxBuiltInBeats->setObjectName(QStringLiteral("ComboBoxBuiltInBeats"));
    for (const std::string &choice : BuiltInBeatChoices())
        ComboBoxBuiltInBeats->addItem(Q(choice));
    chkLoopDrumGrid = new QCheckBox(QStringLiteral("Loop Pattern"), PanelGridButtons);
    chkLoopDrumGrid->setObjectName(QStringLiteral("chkLoopDrumGrid"));
    for (QWidget *c : std::initializer_list<QWidget *>{BitBtnClearDisplayedPattern, BitBtnNextPattern,
                                                       ComboBoxJazzyFeel, ComboBoxBuiltInBeats, chkLoopDrumGrid})
        v->addWidget(c);
    v->addStretch(1);
    connect(BitBtnClearDisplayedPattern, &QPushButton::clicked, this, &TDrumTab::BitBtnClearDisplayedPatternClick);
    connect(BitBtnNextPattern, &QPushButton::clicked, this, &TDrumTab::NewDrumPatternClick);
    connect(ComboBoxJazzyFeel, &QComboBox::activated, this, &TDrumTab::ComboBoxJazzyFeelChange);
    connect(ComboBoxBuiltInBeats, &QComboBox::activated, this, &TDrumTab::ComboBoxBuiltInBeatsChange);
}

void TDrumTab::BuildPlayGroup() {
    // "Drum Grid Only" shares the note tabs' play group's cell of the mixer; one of them shows.
    QWidget *mixer = w_.grpFRTPlay->parentWidget();
    GroupBoxPlayDrumGrid = new QGroupBox(QStringLiteral("Drum Grid Only"), mixer);
    GroupBoxPlayDrumGrid->setObjectName(QStringLiteral("GroupBoxPlayDrumGrid"));
    auto *h = new QHBoxLayout(GroupBoxPlayDrumGrid);
    h->setContentsMargins(4, 2, 4, 2);
    BitBtnPlayPattern = new QPushButton(QStringLiteral("Play"), GroupBoxPlayDrumGrid);
    BitBtnPlayPattern->setObjectName(QStringLiteral("BitBtnPlayPattern"));
    SetPlayButtonLook(BitBtnPlayPattern, false);
    h->addWidget(BitBtnPlayPattern);
    if (auto *grid = qobject_cast<QGridLayout *>(mixer->layout())) {
        int row = 0, column = 0, rows = 1, columns = 1;
        grid->getItemPosition(grid->indexOf(w_.grpFRTPlay), &row, &column, &rows, &columns);
        grid->addWidget(GroupBoxPlayDrumGrid, row, column, rows, columns);
    }
    GroupBoxPlayDrumGrid->hide();
    // On mouse down, as the grid's play button always started.
    connect(BitBtnPlayPattern, &QPushButton::pressed, this, &TDrumTab::BitBtnPlayPatternMouseDown);
}

void TDrumTab::BindCommands() {
    TCommands &c = commands_;
    const TArea a = TArea::Drums;
    auto both = [&](const char *popUp, const char *menu, std::function<void()> handler) {
        c.Bind(popUp, a, handler);
        c.Bind(menu, a, std::move(handler));
    };
    both("Cut3", "Cut5", [this] { CutPatternsClick(); });
    both("Copy3", "Copy5", [this] { CopyPatternsClick(); });
    both("Paste3", "Paste5", [this] { PastePatternsClick(); });
    both("Delete3", "Delete4", [this] { DeletePatternsClick(); });
    both("Rename3", "Rename1", [this] { RenamePatternsClick(); });
    both("SelectAll3", "SelectAll4", [this] { SelectAllPatternsClick(); });
    both("SelectNone3", "SelectNone5", [this] { SelectPatternsClick(TPatternSelect::One); });
    both("SelectToTop3", "SelectToTop4", [this] { SelectPatternsClick(TPatternSelect::ToTop); });
    both("SelectToBottom3", "SelectToBottom4", [this] { SelectPatternsClick(TPatternSelect::ToBottom); });
    both("Duplicate1", "Duplicate2", [this] { DuplicatePatternsClick(); });
    both("SelectAllandDuplicate1", "SelectAllAndDuplicate2", [this] { SelectAllAndDuplicateClick(); });
    both("NewBar1", "NewPattern1", [this] { NewDrumPatternClick(); });
    both("ClearAllDrums1", "ClearAllDrums2", [this] { ClearAllDrumsClick(); });
    c.Bind("Copy4", a, [this] { Copy4Click(); });
    c.Bind("Cut4", a, [this] { Cut4Click(); });
    c.Bind("Paste4", a, [this] { Paste4Click(); });
    c.Bind("Undo4", a, [this] { Undo4Click(); });
}

void TDrumTab::ResetPlaySettings() { chkLoopDrumGrid->setChecked(true); }

void TDrumTab::SetHintsVisible(bool visible) {
    ListBoxDrumPatterns->setToolTip(visible ? QString::fromLatin1(kListHint) : QString());
    for (QLabel *label : DrumNameLabels)
        label->setToolTip(visible ? QString::fromLatin1(kSlotHint) : QString());
}

void TDrumTab::LayoutDrumPage() {
    // The slot labels at the left, each beside its row of the grid; the grid's buttons at the right.
    QGroupBox *group = w_.GroupBoxPatternProperties;
    const int top = group->fontMetrics().height() + 4;
    const int height = std::max(0, group->height() - top - 4);
    const int buttonsW = PanelGridButtons->sizeHint().width();
    // At least the slot column's usual width, wider when a drum's name needs it.
    int labelW = kSlotLabelWidth;
    for (QLabel *label : DrumNameLabels)
        labelW = std::max(labelW, label->fontMetrics().horizontalAdvance(label->text()) + 8);
    labelW = std::min(labelW, group->width() / 4);
    const int gridLeft = 4 + labelW;
    const int gridW = std::max(0, group->width() - gridLeft - buttonsW - 12);
    StringGridDrums->setGeometry(gridLeft, top, gridW, height);
    PanelGridButtons->setGeometry(gridLeft + gridW + 6, top, buttonsW, height);
    for (int r = 0; r < kDrumRows; ++r) {
        const QRect cell = StringGridDrums->CellRect(0, r);
        DrumNameLabels[static_cast<size_t>(r)]->setGeometry(4, top + cell.y(), labelW - 2, cell.height());
    }
}

// ---- showing the drum part ----------------------------------------------------------------------

void TDrumTab::TabChanged() {
    const bool drums = OnDrumsTab();
    w_.grpFRTPlay->setVisible(!drums);
    GroupBoxPlayDrumGrid->setVisible(drums);
    if (drums) {
        GroupBoxPlayDrumGrid->setPalette(w_.grpFRTPlay->palette());
        GroupBoxPlayDrumGrid->setAutoFillBackground(true);
        // As a press on the list shows its pattern: with the pattern's own feel.
        drums_.ShowPatternInGrid(drums_.list.ItemIndex());
        LayoutDrumPage();
    }
    ShowDrums();
}

void TDrumTab::SongChanged(unsigned) { ShowDrums(); }

void TDrumTab::ShowDrums() {
    const PatternListModel &list = drums_.list;
    {
        const QSignalBlocker block(ListBoxDrumPatterns);
        bool same = ListBoxDrumPatterns->count() == list.Count();
        for (int i = 0; same && i < list.Count(); ++i)
            same = ListBoxDrumPatterns->item(i)->text() == Q(list.Item(i));
        if (!same) {
            ListBoxDrumPatterns->clear();
            for (const std::string &item : list.Items())
                ListBoxDrumPatterns->addItem(Q(item));
        }
        if (list.ItemIndex() >= 0)
            ListBoxDrumPatterns->setCurrentRow(list.ItemIndex(), QItemSelectionModel::NoUpdate);
        for (int i = 0; i < list.Count(); ++i)
            ListBoxDrumPatterns->item(i)->setSelected(list.Selected(i));
    }
    {
        const QSignalBlocker b1(ComboBoxJazzyFeel), b2(ComboBoxBuiltInBeats);
        ComboBoxJazzyFeel->setCurrentIndex(drums_.feel == kFeelJazzy ? 1 : 0);
        ComboBoxBuiltInBeats->setCurrentIndex(drums_.builtInBeat);
    }
    bool slotsChanged = false;
    for (int r = 0; r < kDrumRows; ++r) {
        QLabel *label = DrumNameLabels[static_cast<size_t>(r)];
        const QString caption = Q(drums_.drumSlots[static_cast<size_t>(r)].caption);
        slotsChanged = slotsChanged || label->text() != caption;
        label->setText(caption);
    }
    if (slotsChanged)
        LayoutDrumPage();
    StringGridDrums->SetStepsPerBeat(StepsPerBeat(drums_.feel));
    StringGridDrums->update();
    ShowPosition();
}

void TDrumTab::ShowPosition() {
    // Where the current pattern stands in the song: its bar, beat 1, tick 0, and its time.
    const int current = drums_.list.ItemIndex();
    int64_t ms = 0;
    if (current > 0) {
        char sig[16];
        std::snprintf(sig, sizeof sig, "%02d%02d", drums_.sigUpper % 100, drums_.sigLower % 100);
        TPositionConductor conductor;
        conductor.TimeSignature = sig;
        conductor.Tempo = song_.Tempo;
        ms = GetBarPosition(current - 1, conductor).Ms;
    }
    const bool shown = current >= 0;
    StatusBarDrums->SetText(
        0, QStringLiteral("Bar: %1 of %2").arg(shown ? current + 1 : 0).arg(shown ? drums_.list.Count() : 0));
    StatusBarDrums->SetText(1, status::BeatPanel(shown ? 1 : 0));
    StatusBarDrums->SetText(2, status::TickPanel(0));
    StatusBarDrums->SetText(3, status::TimePanel(ms));
    StatusBarDrums->SetText(4, PlayBarsPanel(drums_));
}

void TDrumTab::ShowTimeSignature() {
    w_.LabelSigUpper->setText(QString::number(drums_.sigUpper));
    w_.LabelSigLower->setText(QString::number(drums_.sigLower));
}

void TDrumTab::Report(const DrumCommandResult &result) {
    const QString text = Q(result.message);
    switch (result.kind) {
    case TDrumMessageKind::Information:
        services_.messages.Information(text);
        break;
    case TDrumMessageKind::Warning:
        services_.messages.Warning(text);
        break;
    case TDrumMessageKind::Error:
        services_.messages.Error(text);
        break;
    case TDrumMessageKind::None:
        break;
    }
}

void TDrumTab::Finish(const DrumCommandResult &result) {
    Report(result);
    if (result.changed) {
        calls_.SongChanged(DrumsTabNumber(), kChangedDrums);
        return;
    }
    ShowDrums();
    calls_.ApplyCommandState();
}

int TDrumTab::DrumsTabNumber() const {
    for (int t = 1; t <= kTabCount; ++t)
        if (song_.Tab(t).Kind == TKind::Drums)
            return t;
    return 10;
}

TInstrumentTab &TDrumTab::DrumsRecord() const { return song_.Tab(DrumsTabNumber()); }

bool TDrumTab::OnDrumsTab() const { return song_.Current().Kind == TKind::Drums; }

bool TDrumTab::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (watched == w_.GroupBoxPatternProperties && type == QEvent::Resize) {
        LayoutDrumPage();
    } else if (watched == ListBoxDrumPatterns->viewport() && type == QEvent::MouseButtonPress) {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::RightButton) {
            // The right button opens the menu and leaves the selection as it is.
            ListBoxDrumPatternsMouseDown(Qt::RightButton, e->globalPosition().toPoint());
            return true;
        }
    } else if (watched == ListBoxDrumPatterns->viewport() && type == QEvent::MouseButtonRelease) {
        // After the list itself has taken the press into its selection.
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton && !forwardingRelease_) {
            forwardingRelease_ = true;
            QCoreApplication::sendEvent(watched, event);
            forwardingRelease_ = false;
            ListBoxDrumPatternsMouseDown(Qt::LeftButton, e->globalPosition().toPoint());
            ListBoxDrumPatternsMouseUp();
            return true;
        }
    } else if (watched == ListBoxDrumPatterns && type == QEvent::KeyRelease) {
        auto *e = static_cast<QKeyEvent *>(event);
        if (!e->isAutoRepeat())
            ListBoxDrumPatternsKeyUp(e->key(), e->modifiers());
    }
    return QObject::eventFilter(watched, event);
}

// ---- the drum page's boxes ----------------------------------------------------------------------

void TDrumTab::ComboBoxJazzyFeelChange(int feel) {
    if (play_.Busy())
        return;
    const std::string error = drums_.ChangeFeel(feel);
    DrumCommandResult result{error.empty() ? TDrumMessageKind::None : TDrumMessageKind::Error, error,
                             !drums_.list.Empty()};
    Finish(result);
    ListBoxDrumPatterns->setFocus(Qt::OtherFocusReason);
}

void TDrumTab::ComboBoxBuiltInBeatsChange(int choice) {
    if (play_.Busy())
        return;
    ChooseBuiltInBeat(drums_, choice);
    ShowTimeSignature();
    Finish({TDrumMessageKind::None, {}, true});
}

void TDrumTab::DrumNameLabelClick(int slot) {
    const TMainDialogs &dialogs = calls_.Dialogs();
    if (play_.Busy() || !OnDrumsTab() || slot < 0 || slot >= kDrumRows || !dialogs.selectDrum)
        return;
    const TInstrumentTab &drumTab = song_.Current();
    const std::optional<DrumSlot> chosen =
        dialogs.selectDrum({.channel = drumTab.Channel, .volume = drumTab.Volume, .preview = calls_.PreviewNote});
    if (!chosen)
        return;
    DrumSlot &target = drums_.drumSlots[static_cast<size_t>(slot)];
    // Every pattern's row now sounds the new drum; the cells keep their levels.
    target = {Trim(chosen->caption), chosen->note};
    Finish({TDrumMessageKind::None, {}, true});
}

// ---- the pattern list -------------------------------------------------------------------------

void TDrumTab::TakeListSelection(bool firstSelectedCurrent) {
    PatternListModel &list = drums_.list;
    int first = -1;
    for (int i = 0; i < list.Count() && i < ListBoxDrumPatterns->count(); ++i) {
        const bool selected = ListBoxDrumPatterns->item(i)->isSelected();
        list.SetSelected(i, selected);
        if (selected && first < 0)
            first = i;
    }
    const int current = firstSelectedCurrent ? first : ListBoxDrumPatterns->currentRow();
    if (current >= 0 && current < list.Count())
        list.SetItemIndex(current);
    // The grid shows the current pattern with its feel (and its columns).
    drums_.ShowPatternInGrid(list.ItemIndex());
}

void TDrumTab::ListBoxDrumPatternsMouseDown(Qt::MouseButton button, const QPoint &globalPos) {
    if (play_.Kind() != TPlayKind::Idle || !OnDrumsTab() || drums_.list.Empty())
        return;
    if (button == Qt::RightButton) {
        if (QMenu *menu = commands_.PopUp(TMenu::PatternPopUp))
            menu->popup(globalPos);
        return;
    }
    TakeListSelection(true);
}

void TDrumTab::ListBoxDrumPatternsMouseUp() {
    ShowDrums();
    calls_.ApplyCommandState(); // the count-in follows the number of selected patterns
}

void TDrumTab::ListBoxDrumPatternsKeyUp(int key, Qt::KeyboardModifiers modifiers) {
    if (play_.Kind() != TPlayKind::Idle || !OnDrumsTab())
        return;
    if (key == Qt::Key_Insert && modifiers == Qt::ShiftModifier) {
        PastePatternsClick();
    } else if (key == Qt::Key_Insert && modifiers == Qt::ControlModifier) {
        CopyPatternsClick();
    } else {
        TakeListSelection(false);
        ShowDrums();
        calls_.ApplyCommandState();
    }
    ListBoxDrumPatterns->setFocus(Qt::OtherFocusReason);
}

void TDrumTab::NewDrumPatternClick() {
    if (!play_.Busy())
        Finish(NewDrumPattern(drums_));
}

void TDrumTab::CutPatternsClick() {
    if (!play_.Busy())
        Finish(CutPatterns(drums_, clipboard_));
}

void TDrumTab::CopyPatternsClick() {
    if (!play_.Busy())
        Finish(CopyPatterns(drums_, clipboard_));
}

void TDrumTab::PastePatternsClick() {
    if (!play_.Busy())
        Finish(PastePatterns(drums_, clipboard_));
}

void TDrumTab::DeletePatternsClick() {
    if (!play_.Busy())
        Finish(DeletePatterns(drums_));
}

void TDrumTab::RenamePatternsClick() {
    if (play_.Busy())
        return;
    const RenameQuestion question = AskRenamePatterns(drums_);
    if (question.refusal.kind != TDrumMessageKind::None) {
        Report(question.refusal);
        return;
    }
    const TMainDialogs &dialogs = calls_.Dialogs();
    if (!dialogs.inputLine)
        return;
    const std::optional<QString> name = dialogs.inputLine({.caption = QString::fromStdString(question.title),
                                                           .text = QString::fromStdString(question.text),
                                                           .maxLength = question.maxLength});
    if (name)
        Finish(RenamePatterns(drums_, name->toStdString()));
}

void TDrumTab::SelectAllPatternsClick() {
    if (!play_.Busy())
        Finish(SelectAllPatterns(drums_));
}

void TDrumTab::SelectPatternsClick(TPatternSelect how) {
    if (!play_.Busy())
        Finish(SelectPatterns(drums_, how));
}

void TDrumTab::DuplicatePatternsClick() {
    if (!play_.Busy())
        Finish(DuplicatePatterns(drums_, clipboard_));
}

void TDrumTab::SelectAllAndDuplicateClick() {
    if (!play_.Busy())
        Finish(SelectAllAndDuplicate(drums_, clipboard_));
}

void TDrumTab::ClearAllDrumsClick() {
    if (play_.Busy() || services_.messages.Question(QStringLiteral("Do you want to clear all drum patterns?"),
                                                    platform::mbYesNo) != platform::mrYes)
        return;
    const DrumCommandResult result = ClearAllDrums(drums_, song_.TimeSignature);
    editor_.ResetSelection();
    ShowTimeSignature();
    Finish(result);
}
