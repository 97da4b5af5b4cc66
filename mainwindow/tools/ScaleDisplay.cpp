#include "mainwindow/tools/ScaleDisplay.h"

#include "dialogs/common/DialogControls.h"
#include "dialogs/rules/PickerRules.h"
#include "mainwindow/live/LiveInstrument.h"
#include "mainwindow/rules/ScaleRules.h"
#include "mainwindow/window/MainDialogs.h"
#include "song/SongModel.h"
#include "song/TextUtil.h"

#include <QHBoxLayout>
#include <QLabel>

TScaleDisplay::TScaleDisplay(const TScaleDisplayParts &parts, QWidget *parent, QHBoxLayout *line)
    : song_(parts.Song), parts_(parts) {
    auto make = [parent](const char *name, const QString &caption) {
        auto *label = new TClickLabel(caption, 0, parent);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    LabelScale = make("LabelScale", QStringLiteral("Scale:"));
    lblblank5 = new QLabel(QStringLiteral(" "), parent);
    lblblank5->setObjectName(QStringLiteral("lblblank5"));
    LblScaleKey = make("LblScaleKey", QString());
    lblBlank1 = new QLabel(QStringLiteral(" "), parent);
    lblBlank1->setObjectName(QStringLiteral("lblBlank1"));
    lblScaleType = make("lblScaleType", QString());
    SetLinkLook(LblScaleKey);
    SetLinkLook(lblScaleType);
    for (QLabel *l : {static_cast<QLabel *>(LabelScale), lblblank5, static_cast<QLabel *>(LblScaleKey), lblBlank1,
                      static_cast<QLabel *>(lblScaleType)})
        line->addWidget(l);
    connect(LabelScale, &TClickLabel::Click, this, [this] { LabelScaleClick(); });
    connect(LabelScale, &TClickLabel::RightDown, this, [this] { LabelScaleMouseDown(Qt::RightButton); });
    connect(LblScaleKey, &TClickLabel::Click, this, [this] { LblScaleKeyClick(); });
    connect(lblScaleType, &TClickLabel::Click, this, [this] { lblScaleTypeClick(); });
    Reset();
}

void TScaleDisplay::Reset() {
    LblScaleKey->setText(QString::fromStdString(ScaleKeyCaption(kKeyC)));
    definition_ = DefaultScaleDefinition();
    typeName_ = "Major";
    lblScaleType->setText(QString::fromStdString(ScaleNameOf(definition_)));
}

void TScaleDisplay::SetHintsVisible(bool visible) {
    auto hint = [visible](QWidget *w, const char *text) {
        w->setToolTip(visible ? QString::fromUtf8(text) : QString());
    };
    hint(LabelScale, "Show current scale / Right mouse button to clear scale");
    hint(LblScaleKey, "Select root for scale");
    hint(lblScaleType, "Select type of scale");
}

void TScaleDisplay::ShowScale() {
    TLiveInstrument *live = parts_.Calls.Live();
    TInstrumentTab &tab = song_.Current();
    if (!live || tab.Kind == TKind::Drums)
        return;
    const std::string key = Trim(LblScaleKey->text().toStdString());
    tab.ShownScaleKey = key;
    tab.ShownScale = definition_;
    tab.ShownScaleLowFret = 0;
    tab.ShownScaleHighFret = kMaxFret;
    const std::string keyName = ScaleKeyName(key);
    const std::string formula = ScaleFormulaOf(definition_);
    if (tab.Kind == TKind::Piano) {
        ShowKeyboardScale(live->Keyboard().Model(), keyName, formula);
        live->Keyboard().View()->update();
        return;
    }
    const int shown = PaintFretboardScale(live->Fretboard().Model(), tab, keyName, formula);
    if (shown < 0)
        return; // the picture stays as it was
    // Only a scale that coloured something restricts the clicks to its notes.
    live->Fretboard().ScaleShownOnFretboard = shown > 0;
    live->Keyboard().Model().ScaleShown = false;
    live->Fretboard().View()->update();
}

void TScaleDisplay::LabelScaleClick() {
    if (!parts_.Calls.Busy())
        ShowScale();
}

void TScaleDisplay::LabelScaleMouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton || parts_.Calls.Busy())
        return;
    if (TLiveInstrument *live = parts_.Calls.Live())
        live->ClearInstrumentDisplay();
}

void TScaleDisplay::LblScaleKeyClick() {
    const TMainDialogs &dialogs = parts_.Calls.Dialogs();
    if (parts_.Calls.Busy() || !dialogs.selectKey)
        return;
    const std::optional<int> key = dialogs.selectKey({"Single Click to Select The Key For Scale"});
    if (!key || KeyName(*key).empty())
        return;
    LblScaleKey->setText(QString::fromStdString(ScaleKeyCaption(*key)));
    ShowScale();
}

void TScaleDisplay::lblScaleTypeClick() {
    const TMainDialogs &dialogs = parts_.Calls.Dialogs();
    if (parts_.Calls.Busy() || !dialogs.selectScaleType)
        return;
    const std::optional<std::string> definition = dialogs.selectScaleType({[this] {
        if (TLiveInstrument *live = parts_.Calls.Live())
            live->ClearInstrumentDisplay();
    }});
    if (!definition)
        return;
    definition_ = *definition;
    lblScaleType->setText(QString::fromStdString(ScaleNameOf(definition_)));
    ShowScale();
}
