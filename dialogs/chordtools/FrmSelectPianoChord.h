#pragma once
// `TfrmSelectPianoChord`: the chord tool of piano tabs, shown on the main window's keyboard.
// Created once at start-up (CreateDialogs) and shown again and again through Ask().
//
// The user picks a key and a chord type, sees the chord on the keyboard, moves it by octaves,
// hears it and inserts it as a piano line. The dialog keeps its key, type and formula row
// between showings (C Major, row 0 at first) and hands all three to every chord it shows, so
// the keys coloured, the line's name and the line inserted always agree. The keyboard side is
// the main window's, reached through the calls of TPianoChordInput.
#include "dialogs/chordtools/FrmSelectChordType.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class TClickLabel;

// One chord shown on the keyboard: the key's name ("C#/Db": the part before "/" counts), the
// chord formula row, and how: kept in the keyboard's scale colours (`remember`), moved by
// octaves (-2..2), the keyboard cleared first.
struct TPianoChordShow {
    std::string key;
    int row = 0;
    bool remember = false;
    int octaveShift = 0;
    bool clearFirst = true;
    bool operator==(const TPianoChordShow &) const = default;
};

struct TPianoChordInput {
    int mainWindowTop = 0; // the dialog stands 30 pixels below it
    std::function<void(const TPianoChordShow &)> showChord;
    // The piano line of the keys coloured now, named key + " " + type.
    std::function<std::string(const std::string &key, const std::string &type)> lineFromKeyboard;
    std::function<void(const std::string &line)> playLine;
    std::function<void()> refreshKeyColours; // every key its plain colour
    std::function<void()> clearDisplay;      // the scale or chord taken off the picture
    // Puts the line into the editor at the caret line (the caret line moves down) as a change
    // of the song.
    std::function<void(const std::string &line)> insertLine;
    std::function<std::string()> currentDuration; // " Q"
    std::function<std::optional<int>(const std::string &caption)> pickKey;
    std::function<std::optional<TChordTypeChoice>()> pickChordType;
    std::function<void()> pickDuration;
};

class TfrmSelectPianoChord : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmSelectPianoChord(const platform::Services &services, QWidget *parent = nullptr);

    void Ask(const TPianoChordInput &in);

protected:
    void FormShow() override;
    void FormActivate() override;
    void reject() override;

private:
    void ShowChord(bool remember, int octaveShift, bool clearFirst);
    std::string LineFromKeyboard() const;
    void PlayLine(const std::string &line);
    void ShowDuration();
    void lblPianoChordKeyClick();
    void lblPianoChordTypeClick();
    void StepOctave(int delta);
    void BitBtnPlayChordClick();
    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label4Click();
    void Label5Click();
    void Label6Click();
    void BitBtn1Click();

    platform::Services services_;
    TClickLabel *lblPianoChordKey;
    QLabel *lblblank2;
    TClickLabel *lblPianoChordType;
    TClickLabel *Label1;
    QPushButton *btnLowerChord;
    QPushButton *btnHigherChord;
    QPushButton *BitBtnPlayChord;
    QPushButton *BitBtn1;
    TPianoChordInput in_;
    std::string key_ = "C";
    std::string type_ = "Major";
    int row_ = 0;
    int shift_ = 0; // octaves, -2..2
};
