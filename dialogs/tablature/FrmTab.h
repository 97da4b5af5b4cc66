#pragma once
// `TfrmTab`: the tablature window. It shows the current tab's lines as guitar tablature, drawn
// ("Graphic Tab", which prints) or as text ("ASCII Tab", which saves as a text file or goes to
// the clipboard). Created once at start-up, after the dialogs, and shown through Ask() from
// the Tablature command.
//
//   const TTabResult r = frmTab->Ask({lines, ctx, title, options.TabDurations, options.TabMode,
//                                     options.Lastdir, songFileName});
//   options.TabMode = r.ascii;
//
// The note list, the text and the layout come from rules/TablatureRules.h; the window paints,
// prints and saves them. A bar past the 32-note limit is warned about once per opening, after
// the window shows, never from inside painting.
#include "dialogs/rules/TablatureRules.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <QString>

#include <string>
#include <vector>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class TTabPaintBox;

struct TTabInput {
    std::vector<std::string> lines; // the current tab's lines, the last bar closed
    TLineContext context;           // how the tab reads its lines, and its strings
    std::string title;              // the song's title, else its file's name without extension
    bool durations = true;          // durations under the notes, and their legend
    bool ascii = true;              // the view chosen last
    QString lastDir;                // where the save dialog starts
    QString songFileName;           // the save dialog proposes it with ".txt"
};

struct TTabResult {
    bool ascii = true; // the view shown last, for the next opening
};

class TfrmTab : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmTab(const platform::Services &services, QWidget *parent = nullptr);

    // Shows the tablature until the user closes the window.
    TTabResult Ask(const TTabInput &in);

protected:
    void FormActivate() override;
    void FormDeactivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Rebuild();
    void RadioGroupTabTypeClick();
    // Keys the window sees before its controls: Esc closes, the page and arrow keys scroll.
    bool FormKeyDown(int key);
    void btnPrintClick();
    void btnSaveClick();
    void btnCopyClick();
    void QueueLimitWarning();
    bool Ascii() const;

    platform::Services services_;
    QGroupBox *RadioGroupTabType;
    QRadioButton *radioGraphic;
    QRadioButton *radioAscii;
    QPushButton *btnPrint;
    QPushButton *btnSave;
    QPushButton *btnExit;
    QPushButton *btnCopy;
    QScrollArea *ScrollBox; // the window's scroll bar moves both views
    TTabPaintBox *PaintBox1;
    QPlainTextEdit *Memo1;

    TTabInput in_;
    std::vector<TTabBar> bars_;      // the closed bars, while the window is open
    std::vector<std::string> ascii_; // the ASCII view's lines
    bool warningShown_ = false;      // this opening
    bool warningQueued_ = false;
};
