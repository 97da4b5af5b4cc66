#pragma once
// The scale display: the line "Scale:  C  Major (Ionian)" below the instrument picture
// (`LabelScale`, `LblScaleKey`, `lblScaleType`) and the scale it shows on the fretboard's
// markers or the keyboard's keys. Clicking the key or the type picks a new one and shows the
// scale; clicking "Scale:" shows it again; the right button on "Scale:" clears it.
#include <QObject>

#include <functional>
#include <string>

class QHBoxLayout;
class QLabel;
class QWidget;
class TClickLabel;
class TLiveInstrument;
struct TMainDialogs;
struct TSongModel;

struct TScaleDisplayCalls {
    std::function<TLiveInstrument *()> Live;
    std::function<const TMainDialogs &()> Dialogs;
    std::function<bool()> Busy;
};
struct TScaleDisplayParts {
    TSongModel &Song;
    TScaleDisplayCalls Calls;
};

class TScaleDisplay : public QObject {
    Q_OBJECT
public:
    // The labels go into `line`, left to right, each where the one before ends.
    TScaleDisplay(const TScaleDisplayParts &parts, QWidget *parent, QHBoxLayout *line);

    // "Major (Ionian)              =WWHWWWH": the scale's name, blanks, "=", its steps.
    const std::string &ScaleDefinition() const { return definition_; }
    const std::string &ScaleTypeName() const { return typeName_; }

    // Shows the key of `LblScaleKey` and the scale of the definition on the current tab's picture.
    void ShowScale();
    void LabelScaleClick();
    // The right button clears the shown scale.
    void LabelScaleMouseDown(Qt::MouseButton button);
    // The key picker, then the scale.
    void LblScaleKeyClick();
    // The scale picker, then the scale.
    void lblScaleTypeClick();
    // A new song: key C, the major scale, nothing shown.
    void Reset();
    void SetHintsVisible(bool visible);

private:
    TSongModel &song_;
    const TScaleDisplayParts parts_;
    TClickLabel *LabelScale;
    QLabel *lblblank5;
    TClickLabel *LblScaleKey;
    QLabel *lblBlank1;
    TClickLabel *lblScaleType;
    std::string definition_;
    std::string typeName_;
};
