// The chord calculator's controls, its showing, and the captions and choices around a search.
// The searches, the voicing list and the chord box: FrmChordCalcSearch.cpp.
#include "dialogs/chordtools/FrmChordCalc.h"

#include "dialogs/chords/ChordCalcRules.h"
#include "dialogs/chordtools/ChordBoxView.h"
#include "dialogs/chordtools/FrmWait.h"
#include "dialogs/common/DialogControls.h"
#include "song/TextUtil.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// The voicing list: a key that moves the current line or changes the selection (arrows, page
// keys, Home, End, Space) acts as a click on the line it lands on, so the box follows the keys.
class TVoicingList : public QListWidget {
public:
    TVoicingList(std::function<void()> moved, QWidget *parent) : QListWidget(parent), moved_(std::move(moved)) {}

protected:
    void keyPressEvent(QKeyEvent *event) override {
        const int row = currentRow();
        const QList<QListWidgetItem *> selected = selectedItems();
        QListWidget::keyPressEvent(event);
        if (currentRow() != row || selectedItems() != selected)
            moved_();
    }

private:
    std::function<void()> moved_;
};

QComboBox *MakeCombo(QWidget *parent, const char *name) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    return combo;
}

QCheckBox *MakeCheck(QWidget *parent, const char *name, const QString &caption) {
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// A group of radio buttons with the given items; ids follow the item order.
QButtonGroup *MakeRadioGroup(QGroupBox *box, const char *name, std::initializer_list<const char *> items, bool across) {
    auto *group = new QButtonGroup(box);
    group->setObjectName(QString::fromLatin1(name));
    QBoxLayout *layout = across ? static_cast<QBoxLayout *>(new QHBoxLayout(box)) : new QVBoxLayout(box);
    int id = 0;
    for (const char *item : items) {
        auto *radio = new QRadioButton(QString::fromUtf8(item), box);
        radio->setObjectName(QString::fromLatin1(name) + QString::number(id));
        group->addButton(radio, id++);
        layout->addWidget(radio);
    }
    return group;
}

void SetGroupColour(QGroupBox *group, bool white) {
    group->setAutoFillBackground(white);
    QPalette p = group->palette();
    p.setColor(QPalette::Window, white ? QColor(Qt::white) : group->parentWidget()->palette().color(QPalette::Button));
    group->setPalette(p);
}

void FillCombo(QComboBox *combo, const std::vector<std::string> &items) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string &item : items)
        combo->addItem(Q(item));
    combo->setCurrentIndex(items.empty() ? -1 : 0);
}

} // namespace

TfrmChordCalc::TfrmChordCalc(const platform::Services &services, QWidget *parent)
    : platform::ModalDialog(services.modal, parent), services_(services) {
    setObjectName(QStringLiteral("frmChordCalc"));
    setWindowTitle(QStringLiteral("Tarrowind Chord Calculator"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(226, 225, 240));
    setPalette(background);
    BuildControls();
    degreeBoxes_[4]->setChecked(true); // Major 3rd
    degreeBoxes_[7]->setChecked(true); // 5th
    cboRootCustom->setCurrentText(QStringLiteral("C"));
    RadioGroupUserDefinedChordMode->button(0)->setChecked(true);
    RadioGroupRootOptions->button(0)->setChecked(true);
    CheckBoxAllowInsideUnplayed->setChecked(true);
    CheckBoxIncludeOpenStrings->setChecked(true);
    RadioGroupDotID->button(0)->setChecked(true);
    for (QComboBox *c :
         {cboMelodyNoteNameBuiltIn, cboMelodyNoteStringBuiltIn, cboMelodyNoteNameCustom, cboMelodyNoteStringCustom})
        c->setEnabled(false);
    CheckBoxMelodyNoteBuiltIn->setText(Q(MelodyCaption("C", "Major")));
    CheckBoxMelodyNoteCustom->setText(Q(MelodyCaption("C", "1-3-5")));
    RadioGroupUserDefinedChordModeClick();
    PaintBoxChordCalc->hide();
}

TfrmChordCalc::~TfrmChordCalc() = default;

// ---- controls -------------------------------------------------------------------------------

void TfrmChordCalc::BuildControls() {
    // Position, reach and the options both modes share.
    auto *shared = new QWidget(this);
    shared->setObjectName(QStringLiteral("PanelSearchOptions"));
    auto *sharedLayout = new QGridLayout(shared);
    sharedLayout->setContentsMargins(0, 0, 0, 0);
    cboPosition = MakeCombo(shared, "cboPosition");
    for (int i = 0; i <= 12; ++i)
        cboPosition->addItem(Q(PositionText(i)));
    cboPosition->setMaxVisibleItems(13);
    cboFingerReach = MakeCombo(shared, "cboFingerReach");
    for (int i = 1; i <= 8; ++i)
        cboFingerReach->addItem(QString::number(i));
    sharedLayout->addWidget(new QLabel(QStringLiteral("Position"), shared), 0, 0);
    sharedLayout->addWidget(cboPosition, 0, 1);
    sharedLayout->addWidget(new QLabel(QStringLiteral("Finger Reach"), shared), 1, 0);
    sharedLayout->addWidget(cboFingerReach, 1, 1);
    auto *rootOptions = new QGroupBox(QStringLiteral("Root"), shared);
    rootOptions->setObjectName(QStringLiteral("RadioGroupRootOptionsBox"));
    RadioGroupRootOptions = MakeRadioGroup(rootOptions, "RadioGroupRootOptions",
                                           {"Root on lowest String", "Put root anywhere", "Don't use a root"}, false);
    sharedLayout->addWidget(rootOptions, 2, 0, 1, 2);
    CheckBoxAllowInsideUnplayed =
        MakeCheck(shared, "CheckBoxAllowInsideUnplayed", QStringLiteral("Include unplayed inside strings"));
    CheckBoxIncludeOpenStrings =
        MakeCheck(shared, "CheckBoxIncludeOpenStrings", QStringLiteral("Include open strings for all positions"));
    sharedLayout->addWidget(CheckBoxAllowInsideUnplayed, 3, 0, 1, 2);
    sharedLayout->addWidget(CheckBoxIncludeOpenStrings, 4, 0, 1, 2);

    RadioGroupUserDefinedChordModeBox = new QGroupBox(QStringLiteral("Chord Mode"), this);
    RadioGroupUserDefinedChordModeBox->setObjectName(QStringLiteral("RadioGroupUserDefinedChordModeBox"));
    RadioGroupUserDefinedChordMode = MakeRadioGroup(RadioGroupUserDefinedChordModeBox, "RadioGroupUserDefinedChordMode",
                                                    {"Standard Chords", "User-defined Chords (Advanced)"}, false);
    connect(RadioGroupUserDefinedChordMode, &QButtonGroup::idClicked, this,
            [this] { RadioGroupUserDefinedChordModeClick(); });

    auto *left = new QVBoxLayout;
    left->addWidget(BuildChordOptions());
    left->addWidget(BuildFormulaGroup());
    left->addWidget(shared);
    left->addWidget(RadioGroupUserDefinedChordModeBox);
    left->addStretch(1);

    // The voicing list.
    lblTuning = new QLabel(this);
    lblTuning->setObjectName(QStringLiteral("lblTuning"));
    Label12 = new TClickLabel(QStringLiteral("Set note duration for chords"), 0, this);
    Label12->setObjectName(QStringLiteral("Label12"));
    connect(Label12, &TClickLabel::Click, this, [this] { Label11Click(); });
    lbVoicing = new TVoicingList([this] { lbVoicingClick(); }, this);
    lbVoicing->setObjectName(QStringLiteral("lbVoicing"));
    lbVoicing->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbVoicing->setMinimumWidth(
        lbVoicing->fontMetrics().horizontalAdvance(QStringLiteral("C# Maj7 add +11,  x, 10, 10, 10, 10, 10, .Q/")) +
        30);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    lbVoicing->setFont(fixed);
    lbVoicing->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *selectAll = new QAction(QStringLiteral("Select All"), lbVoicing);
    selectAll->setObjectName(QStringLiteral("SelectAll1"));
    auto *selectNone = new QAction(QStringLiteral("Select None"), lbVoicing);
    selectNone->setObjectName(QStringLiteral("SelectNone1"));
    lbVoicing->addAction(selectAll);
    lbVoicing->addAction(selectNone);
    connect(selectAll, &QAction::triggered, lbVoicing, &QListWidget::selectAll);
    connect(selectNone, &QAction::triggered, lbVoicing, &QListWidget::clearSelection);
    connect(lbVoicing, &QListWidget::itemClicked, this, [this] { lbVoicingClick(); });
    connect(lbVoicing, &QListWidget::itemDoubleClicked, this, [this] { lbVoicingDblClick(); });
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    Label11 = new QLabel(QStringLiteral("(Double-click to exit and use one chord)"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    auto *middle = new QVBoxLayout;
    middle->addWidget(lblTuning);
    middle->addWidget(Label12);
    middle->addWidget(lbVoicing, 1);
    middle->addWidget(lblCount);
    middle->addWidget(Label11);

    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(middle, 1);
    top->addWidget(BuildChordDisplay(), 0, Qt::AlignTop);

    BitBtnOK = MakeDialogButton(this, "BitBtnOK", QStringLiteral("Close"));
    BitBtnCopySelected = MakeDialogButton(this, "BitBtnCopySelected", QStringLiteral("Use Selected Chords"));
    BitBtnCopySelectedAndExit =
        MakeDialogButton(this, "BitBtnCopySelectedAndExit", QStringLiteral("Close and use selected chords"));
    connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
    connect(BitBtnCopySelected, &QPushButton::clicked, this, [this] { BitBtnCopySelectedClick(false); });
    connect(BitBtnCopySelectedAndExit, &QPushButton::clicked, this, [this] { BitBtnCopySelectedClick(true); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnCopySelected);
    buttons->addWidget(BitBtnCopySelectedAndExit);
    buttons->addWidget(BitBtnOK);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
}

QGroupBox *TfrmChordCalc::BuildChordOptions() {
    GroupBoxChordOptions = new QGroupBox(QStringLiteral("Chord Calculation"), this);
    GroupBoxChordOptions->setObjectName(QStringLiteral("GroupBoxChordOptions"));
    auto *g = new QGridLayout(GroupBoxChordOptions);
    auto *rootCaption = new TClickLabel(QStringLiteral("Root:"), 0, GroupBoxChordOptions);
    LblChordRoot = new TClickLabel(Q(chordRoot_), 0, GroupBoxChordOptions);
    LblChordRoot->setObjectName(QStringLiteral("LblChordRoot"));
    auto *typeCaption = new TClickLabel(QStringLiteral("Type:"), 0, GroupBoxChordOptions);
    lblChordType = new TClickLabel(Q(chordType_), 0, GroupBoxChordOptions);
    lblChordType->setObjectName(QStringLiteral("lblChordType"));
    QFont bold = LblChordRoot->font();
    bold.setBold(true);
    LblChordRoot->setFont(bold);
    lblChordType->setFont(bold);
    for (TClickLabel *l : {rootCaption, LblChordRoot})
        connect(l, &TClickLabel::Click, this, [this] { LblChordRootClick(); });
    for (TClickLabel *l : {typeCaption, lblChordType})
        connect(l, &TClickLabel::Click, this, [this] { lblChordTypeClick(); });
    g->addWidget(rootCaption, 0, 0);
    g->addWidget(LblChordRoot, 0, 1);
    g->addWidget(typeCaption, 1, 0);
    g->addWidget(lblChordType, 1, 1);

    GroupBoxMelodyNoteBuiltIn =
        new QGroupBox(QStringLiteral("Find a chord with a specific note"), GroupBoxChordOptions);
    GroupBoxMelodyNoteBuiltIn->setObjectName(QStringLiteral("GroupBoxMelodyNoteBuiltIn"));
    auto *m = new QGridLayout(GroupBoxMelodyNoteBuiltIn);
    CheckBoxMelodyNoteBuiltIn = MakeCheck(GroupBoxMelodyNoteBuiltIn, "CheckBoxMelodyNoteBuiltIn", QString());
    cboMelodyNoteNameBuiltIn = MakeCombo(GroupBoxMelodyNoteBuiltIn, "cboMelodyNoteNameBuiltIn");
    cboMelodyNoteStringBuiltIn = MakeCombo(GroupBoxMelodyNoteBuiltIn, "cboMelodyNoteStringBuiltIn");
    m->addWidget(CheckBoxMelodyNoteBuiltIn, 0, 0, 1, 4);
    m->addWidget(new QLabel(QStringLiteral("Note"), GroupBoxMelodyNoteBuiltIn), 1, 0);
    m->addWidget(cboMelodyNoteNameBuiltIn, 1, 1);
    m->addWidget(new QLabel(QStringLiteral("on String"), GroupBoxMelodyNoteBuiltIn), 1, 2);
    m->addWidget(cboMelodyNoteStringBuiltIn, 1, 3);
    connect(CheckBoxMelodyNoteBuiltIn, &QCheckBox::clicked, this, [this] { CheckBoxMelodyNoteBuiltInClick(); });
    g->addWidget(GroupBoxMelodyNoteBuiltIn, 2, 0, 1, 2);

    BtnFindChords = MakeDialogButton(GroupBoxChordOptions, "BtnFindChords", QStringLiteral("Calculate Chords"));
    BtnFindChords->setDefault(true);
    connect(BtnFindChords, &QPushButton::clicked, this, [this] { BtnFindChordsClick(); });
    g->addWidget(BtnFindChords, 3, 0, 1, 2);
    return GroupBoxChordOptions;
}

QGroupBox *TfrmChordCalc::BuildFormulaGroup() {
    GroupBoxDefineChordFormula = new QGroupBox(QStringLiteral("Define Chord Formula"), this);
    GroupBoxDefineChordFormula->setObjectName(QStringLiteral("GroupBoxDefineChordFormula"));
    auto *g = new QGridLayout(GroupBoxDefineChordFormula);
    const auto boxes = DegreeBoxes();
    for (int i = 0; i < kDegreeBoxCount; ++i) {
        QCheckBox *box = MakeCheck(GroupBoxDefineChordFormula, boxes[static_cast<size_t>(i)].Name.data(),
                                   Q(boxes[static_cast<size_t>(i)].Caption));
        degreeBoxes_[static_cast<size_t>(i)] = box;
        g->addWidget(box, i % 7, i / 7);
        // The root, the 5th and the major 7th exclude nothing and change the formula only at
        // its next rebuild.
        if (DegreeBoxPartner(i) >= 0)
            connect(box, &QCheckBox::clicked, this, [this, i] { DegreeBoxClick(i); });
    }
    cboRootCustom = MakeCombo(GroupBoxDefineChordFormula, "cboRootCustom");
    for (const char *root : {"C", "C#", "Db", "D", "Eb", "E", "F", "F#", "Gb", "G", "Ab", "A", "Bb", "B"})
        cboRootCustom->addItem(QString::fromLatin1(root));
    cboRootCustom->setMaxVisibleItems(14);
    connect(cboRootCustom, &QComboBox::activated, this, [this] { cboRootCustomChange(); });
    g->addWidget(new QLabel(QStringLiteral("Root"), GroupBoxDefineChordFormula), 7, 0);
    g->addWidget(cboRootCustom, 7, 1);

    GroupBoxMelodyNoteCustom = new QGroupBox(QStringLiteral("Melody Note"), GroupBoxDefineChordFormula);
    GroupBoxMelodyNoteCustom->setObjectName(QStringLiteral("GroupBoxMelodyNoteCustom"));
    auto *m = new QGridLayout(GroupBoxMelodyNoteCustom);
    CheckBoxMelodyNoteCustom = MakeCheck(GroupBoxMelodyNoteCustom, "CheckBoxMelodyNoteCustom", QString());
    cboMelodyNoteNameCustom = MakeCombo(GroupBoxMelodyNoteCustom, "cboMelodyNoteNameCustom");
    cboMelodyNoteStringCustom = MakeCombo(GroupBoxMelodyNoteCustom, "cboMelodyNoteStringCustom");
    m->addWidget(CheckBoxMelodyNoteCustom, 0, 0, 1, 4);
    m->addWidget(new QLabel(QStringLiteral("Note"), GroupBoxMelodyNoteCustom), 1, 0);
    m->addWidget(cboMelodyNoteNameCustom, 1, 1);
    m->addWidget(new QLabel(QStringLiteral("on String"), GroupBoxMelodyNoteCustom), 1, 2);
    m->addWidget(cboMelodyNoteStringCustom, 1, 3);
    connect(CheckBoxMelodyNoteCustom, &QCheckBox::clicked, this, [this] { CheckBoxMelodyNoteCustomClick(); });
    g->addWidget(GroupBoxMelodyNoteCustom, 8, 0, 1, 3);

    BitBtn1 = MakeDialogButton(GroupBoxDefineChordFormula, "BitBtn1", QStringLiteral(" Calculate Chords"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BtnFindChordsClick(); });
    g->addWidget(BitBtn1, 9, 0, 1, 3);
    return GroupBoxDefineChordFormula;
}

QGroupBox *TfrmChordCalc::BuildChordDisplay() {
    GroupBoxCurrentChord = new QGroupBox(QStringLiteral("Chord Display"), this);
    GroupBoxCurrentChord->setObjectName(QStringLiteral("GroupBoxCurrentChord"));
    auto *v = new QVBoxLayout(GroupBoxCurrentChord);
    PaintBoxChordCalc = new TChordBoxView(GroupBoxCurrentChord);
    PaintBoxChordCalc->setFixedSize(200, 250);
    connect(PaintBoxChordCalc, &TChordBoxView::Clicked, this, [this] { PlayChord(); });
    auto *place = new QWidget(GroupBoxCurrentChord); // keeps the room while the box is hidden
    place->setFixedSize(200, 250);
    auto *placeLayout = new QVBoxLayout(place);
    placeLayout->setContentsMargins(0, 0, 0, 0);
    placeLayout->addWidget(PaintBoxChordCalc);
    v->addWidget(place, 0, Qt::AlignHCenter);
    Label9 = new TClickLabel(QStringLiteral("Click to play"), 0, GroupBoxCurrentChord);
    Label9->setObjectName(QStringLiteral("Label9"));
    connect(Label9, &TClickLabel::Click, this, [this] { PlayChord(); });
    v->addWidget(Label9, 0, Qt::AlignHCenter);
    auto *dots = new QGroupBox(QStringLiteral("Dot Type"), GroupBoxCurrentChord);
    dots->setObjectName(QStringLiteral("RadioGroupDotIDBox"));
    RadioGroupDotID = MakeRadioGroup(dots, "RadioGroupDotID", {"Dot", "Note", "Degree "}, true);
    connect(RadioGroupDotID, &QButtonGroup::idClicked, this, [this] { RadioGroupDotIDClick(); });
    v->addWidget(dots);
    BitBtnCopyChordToClipboard =
        MakeDialogButton(GroupBoxCurrentChord, "BitBtnCopyChordToClipboard", QStringLiteral("Copy"));
    connect(BitBtnCopyChordToClipboard, &QPushButton::clicked, this, [this] { BitBtnCopyChordToClipboardClick(); });
    v->addWidget(BitBtnCopyChordToClipboard, 0, Qt::AlignHCenter);
    return GroupBoxCurrentChord;
}

// ---- showing ------------------------------------------------------------------------------

std::optional<TChordCalcResult> TfrmChordCalc::Ask(const TChordCalcInput &in, const TChordCalcCalls &calls) {
    in_ = in;
    calls_ = calls;
    result_.reset();
    if (!userFormulasRead_) {
        // Read once per run, at the first showing (the settings name the folder by then).
        userFormulasRead_ = true;
        const QString path = QDir(Q(in.userFormulaFolder)).filePath(Q(kUserFormulaFileName));
        const TUserFormulaLoad load =
            in.userFormulaFolder.empty() ? TUserFormulaLoad{} : LoadUserFormulaFile(path.toStdString());
        table_.AddUserRows(load.rows);
        if (!load.problems.empty()) {
            std::string text;
            for (const std::string &p : load.problems)
                text += (text.empty() ? "" : "\r") + p;
            services_.messages.Warning(Q(text));
        }
    }
    S_ = in.fretted ? std::clamp(in.line.HighestString, 0, 5) + 1 : 0;
    setWindowTitle(QStringLiteral("Tarrowind Chord Calculator - ") + Q(in.kindText) + QStringLiteral(" mode"));
    lblCount->clear();
    PaintBoxChordCalc->hide();
    ClearDiagram();
    if (in.fretted)
        LoadFromCurrentTab();
    RefreshMelodyChoicesOnShow();
    if (!details_.empty()) {
        lbVoicing->setCurrentRow(0);
        ShowVoicing(0, false);
        PaintBoxChordCalc->hide(); // until a list click or a calculation shows it
    }
    ShowModal();
    return result_;
}

void TfrmChordCalc::LoadFromCurrentTab() {
    const QSignalBlocker b1(cboPosition), b2(cboFingerReach), b3(lbVoicing);
    RadioGroupDotID->button(ClampDotType(in_.dotType))->setChecked(true);
    chordRoot_ = ClampChordRoot(in_.chordRoot);
    chordType_ = in_.chordType;
    ShowChord();
    cboFingerReach->setCurrentIndex(ClampChordReach(in_.chordReach));
    cboPosition->setCurrentIndex(ClampChordPosition(in_.chordPosition));
    cboPosition->setEnabled(true);
    lblTuning->setText(Q(in_.tuningText));
    details_ = in_.voicings;
    lbVoicing->clear();
    for (const std::string &detail : details_)
        lbVoicing->addItem(Q(StoredVoicingToListLine(detail, in_.line)));
}

void TfrmChordCalc::RefreshMelodyChoicesOnShow() {
    // The tab may have other strings than at the last showing: the choices follow it, and a
    // checked melody option holds the position at "ALL" again.
    if (CheckBoxMelodyNoteBuiltIn->isChecked()) {
        LockPosition(true);
        FillMelodyNoteCombo();
        FillMelodyStringCombos(cboMelodyNoteStringBuiltIn);
    }
    if (CheckBoxMelodyNoteCustom->isChecked()) {
        LockPosition(true);
        TCFormula f;
        BuildUserFormula(f, false);
        FillCombo(cboMelodyNoteNameCustom, FormulaNoteChoices(f));
        FillMelodyStringCombos(cboMelodyNoteStringCustom);
    }
}

void TfrmChordCalc::FormActivate() {
    ShowChord();
    if (!CheckBoxMelodyNoteCustom->isChecked())
        CheckBoxMelodyNoteCustom->setText(Q(MelodyCaption(cboRootCustom->currentText().toStdString(), "1-3-5")));
    Label12->setText(QStringLiteral("Set note duration for chords (") + Q(Trim(in_.duration)) + QStringLiteral(")"));
    if (frmWait_ && frmWait_->isVisible())
        frmWait_->setFocus();
}

void TfrmChordCalc::reject() {
    if (searching_) {
        cancel_ = true; // Esc stops the search; the window stays
        return;
    }
    SetModalResult(platform::mrCancel);
}

// ---- captions and choices -------------------------------------------------------------------

void TfrmChordCalc::LblChordRootClick() {
    if (searching_ || !calls_.pickKey)
        return;
    const std::optional<std::string> key = calls_.pickKey("Single Click To Select Key For Chord");
    if (!key)
        return;
    chordRoot_ = ClampChordRoot(*key);
    ShowChord();
    FillMelodyNoteCombo();
    if (lbVoicing->count() > 0)
        ShowVoicing(std::max(lbVoicing->currentRow(), 0), false);
}

void TfrmChordCalc::lblChordTypeClick() {
    if (searching_ || !calls_.pickChordType)
        return;
    const std::optional<std::string> type = calls_.pickChordType();
    if (!type)
        return;
    chordType_ = *type;
    ShowChord();
    FillMelodyNoteCombo();
    CalculateStandardChords();
}

void TfrmChordCalc::ShowChord() {
    LblChordRoot->setText(Q(chordRoot_));
    lblChordType->setText(Q(chordType_));
    CheckBoxMelodyNoteBuiltIn->setText(Q(MelodyCaption(SearchRoot(chordRoot_), chordType_)));
}

void TfrmChordCalc::Label11Click() {
    if (searching_ || !calls_.pickDuration)
        return;
    in_.duration = calls_.pickDuration();
    Label12->setText(QStringLiteral("Set note duration for chords (") + Q(Trim(in_.duration)) + QStringLiteral(")"));
    // Search again so that the list lines carry the new duration.
    if (RadioGroupUserDefinedChordMode->checkedId() == 1)
        CalculateUserDefinedChords();
    else
        CalculateStandardChords();
}

void TfrmChordCalc::RadioGroupUserDefinedChordModeClick() {
    const bool user = RadioGroupUserDefinedChordMode->checkedId() == 1;
    GroupBoxChordOptions->setVisible(!user);
    GroupBoxDefineChordFormula->setVisible(user);
}

void TfrmChordCalc::LockPosition(bool lock) {
    const QSignalBlocker block(cboPosition);
    if (lock) {
        if (cboPosition->isEnabled())
            rememberedPosition_ = cboPosition->currentIndex();
        cboPosition->setCurrentIndex(0);
    } else {
        cboPosition->setCurrentIndex(rememberedPosition_);
    }
    cboPosition->setEnabled(!lock);
}

void TfrmChordCalc::CheckBoxMelodyNoteBuiltInClick() {
    const bool on = CheckBoxMelodyNoteBuiltIn->isChecked();
    LockPosition(on);
    if (on) {
        FillMelodyNoteCombo();
        FillMelodyStringCombos(cboMelodyNoteStringBuiltIn);
    } else {
        cboMelodyNoteNameBuiltIn->clear();
        cboMelodyNoteStringBuiltIn->clear();
    }
    cboMelodyNoteNameBuiltIn->setEnabled(on);
    cboMelodyNoteStringBuiltIn->setEnabled(on);
    SetGroupColour(GroupBoxMelodyNoteBuiltIn, on);
}

void TfrmChordCalc::CheckBoxMelodyNoteCustomClick() {
    const bool on = CheckBoxMelodyNoteCustom->isChecked();
    LockPosition(on);
    if (on) {
        TCFormula f;
        BuildUserFormula(f, true);
        FillCombo(cboMelodyNoteNameCustom, FormulaNoteChoices(f));
        CheckBoxMelodyNoteCustom->setText(Q(MelodyCaption(cboRootCustom->currentText().toStdString(), f.ShortName)));
        FillMelodyStringCombos(cboMelodyNoteStringCustom);
    } else {
        cboMelodyNoteNameCustom->clear();
        cboMelodyNoteStringCustom->clear();
    }
    cboMelodyNoteNameCustom->setEnabled(on);
    cboMelodyNoteStringCustom->setEnabled(on);
    SetGroupColour(GroupBoxMelodyNoteCustom, on);
}

void TfrmChordCalc::cboRootCustomChange() {
    UpdateUserFormulaCaption();
    // Off and on again (or on and off): the custom melody choices follow the new root.
    for (int i = 0; i < 2; ++i) {
        CheckBoxMelodyNoteCustom->setChecked(!CheckBoxMelodyNoteCustom->isChecked());
        CheckBoxMelodyNoteCustomClick();
    }
}

void TfrmChordCalc::DegreeBoxClick(int index) {
    if (degreeBoxes_[static_cast<size_t>(index)]->isChecked())
        degreeBoxes_[static_cast<size_t>(DegreeBoxPartner(index))]->setChecked(false);
    UpdateUserFormulaCaption();
}

bool TfrmChordCalc::BuildUserFormula(TCFormula &formula, bool warn) {
    if (S_ == 0)
        return false;
    std::array<bool, kDegreeBoxCount> checked{};
    for (int i = 0; i < kDegreeBoxCount; ++i)
        checked[static_cast<size_t>(i)] = degreeBoxes_[static_cast<size_t>(i)]->isChecked();
    TUnknownDegrees unknown;
    TUserFormula built =
        ::BuildUserFormula(checked, cboRootCustom->currentText().toStdString(), S_, in_.kindText, unknown);
    formula = std::move(built.Formula);
    if (!built.Warning.empty() && warn)
        services_.messages.Warning(Q(built.Warning));
    return true;
}

void TfrmChordCalc::UpdateUserFormulaCaption() {
    TCFormula f;
    if (!BuildUserFormula(f, true))
        return;
    CheckBoxMelodyNoteCustom->setText(Q(MelodyCaption(cboRootCustom->currentText().toStdString(), f.ShortName)));
    FillCombo(cboMelodyNoteNameCustom, FormulaNoteChoices(f));
}

void TfrmChordCalc::FillMelodyNoteCombo() {
    TUnknownDegrees unknown;
    FillCombo(cboMelodyNoteNameBuiltIn, MelodyNoteChoices(table_, SearchRoot(chordRoot_), chordType_, unknown));
    ReportUnknownDegrees(unknown);
}

void TfrmChordCalc::FillMelodyStringCombos(QComboBox *combo) { FillCombo(combo, MelodyStringChoices(S_)); }

void TfrmChordCalc::ReportUnknownDegrees(const TUnknownDegrees &unknown) {
    if (!unknown.Empty())
        services_.messages.ShowMessage(Q(unknown.Message()));
}
