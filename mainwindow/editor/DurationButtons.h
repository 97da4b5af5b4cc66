#pragma once
// The note-duration controls beside the editor (`PanelNoteButtons`): seven speed buttons
// `btnWholeNote` .. `btnSixtyFourthNote` (one down at a time), the boxes `chkDotted` and
// `chkTriplet`, and `btnRest` whose picture shows the rest of the current duration.
//
// Only the user's clicks are reported (DurationClicked, DottedClicked, TripletClicked);
// setting the controls by code (SetDurationControls, PressDurationButton) applies nothing.
// CurrentDuration() is always derived from the controls as they are.
#include "mainwindow/rules/DurationRules.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

#include <array>
#include <string>

class QButtonGroup;

class TDurationButtons : public QFrame {
    Q_OBJECT
public:
    explicit TDurationButtons(QWidget *parent = nullptr);

    std::array<QToolButton *, duration::kButtonCount> buttons{};
    QToolButton *btnWholeNote = nullptr, *btnHalfNote = nullptr, *btnQuarterNote = nullptr, *btnEighthNote = nullptr,
                *btnSixteenthNote = nullptr, *btnThirtySecondNote = nullptr, *btnSixtyFourthNote = nullptr;
    QCheckBox *chkDotted = nullptr;
    QCheckBox *chkTriplet = nullptr;
    QToolButton *btnRest = nullptr;
    QLabel *LabelOneTimeNoteSelector = nullptr; // "Temporary Duration  (Shift+RMB)"

    // Index of the button down; 2 when none is.
    int CurrentDurationIndex() const;
    // Presses button 0..6 (by code: nothing is applied); other values do nothing.
    void PressDurationButton(int index);
    // The controls from a tab's duration code.
    void SetDurationControls(int code);
    duration::TControls Controls() const;
    // The tab's code of the controls as they are.
    int DurationCode() const { return duration::CodeFromControls(Controls()); }
    // " Q", " .E", " /S": the text new lines and rests take.
    // After SetDurationControls: ".E", "/S" (a blank leads again once the user picks one).
    std::string CurrentDuration() const { return duration::DurationText(Controls(), fromCode_); }
    // Picks the rest picture from a duration text (other texts leave it).
    void SetRestGlyph(const std::string &durationText);
    int RestGlyph() const { return restGlyph_; }
    void SetHintsVisible(bool visible);

signals:
    // The user chose a duration button (click or F-key through ClickDuration).
    void DurationClicked(int index);
    // The user clicked a box; the other box is already unchecked.
    void DottedClicked();
    void TripletClicked();
    void RestClicked();
    // The user clicked the temporary-duration label.
    void OneTimeLabelClicked();

public slots:
    // What a user click on button `index` does (the F5..F11 shortcuts use it).
    void ClickDuration(int index);

public:
    // The duration picker's choice: the Triplet and Dotted boxes set quietly, then button
    // `index` clicked, so the duration is applied once.
    void ChooseDuration(int index, bool dotted, bool triplet);

private:
    void UpdateRest();

    QButtonGroup *group_ = nullptr;
    int restGlyph_ = duration::kDefaultIndex;
    bool fromCode_ = false; // the controls were last set from a tab's code
};
