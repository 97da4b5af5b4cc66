#pragma once
// Small controls the dialogs share: a label that answers clicks and double clicks, an
// up-down pair of arrow buttons that sits beside an edit and steps its number, and the
// dialogs' push buttons.
#include <QLabel>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QToolButton;
struct TFindOptions;

// A named push button of a dialog. Return reaches the one default button only, so no button
// takes it over merely by having had the focus.
QPushButton *MakeDialogButton(QWidget *parent, const char *name, const QString &caption);

// The find and replace dialogs' group "Search Options": `chkWholeWord` "Whole Word" and
// `chkMatchCase` "Match Case".
struct TSearchOptionsBox {
    QGroupBox *group;
    QCheckBox *chkWholeWord;
    QCheckBox *chkMatchCase;
    TFindOptions Options() const;
};
TSearchOptionsBox MakeSearchOptionsBox(QWidget *parent);

// The navy look of a label that opens a picker or acts when clicked, bold unless `bold` is false.
void SetLinkLook(QLabel *label, bool bold = true);

// A label the user picks from: a click chooses, a double click chooses and confirms.
// `Tag` carries the number the label stands for (a tempo, a preset's row). The right button
// reports as it goes down.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    TClickLabel(const QString &text, int tag, QWidget *parent = nullptr);

    int Tag = 0;

signals:
    void Click(TClickLabel &sender);
    void DblClick(TClickLabel &sender);
    void RightDown(TClickLabel &sender);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// Two arrow buttons, up over down. The edit it is attached to keeps the number: the owner
// reads it, applies the step and writes it back, so typing and stepping share one text.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget *parent = nullptr);

    QToolButton *UpButton() const { return up_; }

signals:
    // +1 for the up arrow, -1 for the down arrow.
    void Stepped(int delta);

private:
    QToolButton *up_;
    QToolButton *down_;
};
