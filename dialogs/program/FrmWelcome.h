#pragma once
// `TfrmWelcome`: the welcome screen at start-up: a tip of the day, the recent files, and the
// choices New, Open, a recent file, Help and Close. Created once at start-up (CreateDialogs)
// and shown again and again through Ask().
//
//   const TWelcomeResult r = dialogs.frmWelcome->Ask({recent, Options.LastTip,
//                                                     Options.ShowNewUserMessage, helpAvailable},
//                                                    {showHelp});
//   Options.LastTip = r.lastTip;                       // the next start shows the tip after it
//   Options.ShowNewUserMessage = r.showNewUserMessage; // "Don't display this screen again"
//   switch (r.choice) { ... }                          // TWelcomeChoice::Close, NewSong, ...
#include "dialogs/common/InstrumentArt.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

struct TWelcomeInput {
    QStringList recentFiles; // the recently used files, newest first (raw paths)
    int lastTip = 0;         // the tip shown last time (0: none yet)
    bool showNewUserMessage = true;
    bool helpAvailable = false; // a help document exists
};

struct TWelcomeCalls {
    std::function<void()> ShowHelp; // the help document's contents
};

// How the screen was left: Close (and Esc), New, Open, or Recent (the button or a double click
// on the list: open the selected recent file).
enum class TWelcomeChoice { Close, NewSong, OpenFile, OpenRecent };

struct TWelcomeResult {
    TWelcomeChoice choice = TWelcomeChoice::Close;
    QString selectedRecent; // the selected recent-file entry as listed; empty when none
    int lastTip = 0;        // the tip shown now
    bool showNewUserMessage = true;
};

class TfrmWelcome : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmWelcome(const platform::Services &services, QWidget *parent = nullptr);

    TWelcomeResult Ask(const TWelcomeInput &in, const TWelcomeCalls &calls = {});

    // The tips the screen steps through, in the "~" form (the program's own by default).
    void SetTipLines(std::vector<std::string> lines) { MemoHiddenTips = std::move(lines); }

protected:
    void FormActivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Moves to the next (+1) or previous (-1) tip and shows it.
    void ShowTip(int delta);
    void Choose(TWelcomeChoice choice);
    // The text and picture for the control under the mouse (null: the bare form).
    void Hover(QObject *control);

    platform::Services services_;
    std::vector<std::string> MemoHiddenTips;
    QLabel *Label3;
    TArtView *ImageLogo;
    QGroupBox *GroupBoxTips;
    TArtView *Image1; // the tip picture: a click shows the next tip
    QPlainTextEdit *MemoTips;
    QLabel *lblTip;
    QPushButton *btnNextTip;
    QPushButton *btnPrevTip;
    QListWidget *lbWelcomeMRU;
    QPushButton *btnNew;
    QPushButton *btnChoose;
    QPushButton *btnRecent;
    QPushButton *btnClose;
    QPushButton *BitBtn1; // Help
    QCheckBox *chkDontDisplayWelcomeScreen;

    TWelcomeCalls calls_;
    int lastTip_ = 0;
    TWelcomeChoice choice_ = TWelcomeChoice::Close;
};
