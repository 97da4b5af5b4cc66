#pragma once
// `TfrmMixerSummary` ("Song Information"): one fixed-width row per tab that holds something,
// with its mixer values and instrument, the current tab's row selected. Choosing a row (OK or
// a double click) names the tab to show. Created once at start-up (CreateDialogs) and shown
// again and again through Ask().
//
//   const TSummaryResult r = dialogs.frmMixerSummary->Ask({SongSummary(song, patterns), showAfterOpen});
//   showAfterOpen = r.showAfterFileOpen;
//   if (r.tab) ...                      // switch to *r.tab as the user's tab change does
#include "dialogs/rules/SongSummary.h"
#include "platform/qt/ModalDialog.h"
#include "platform/qt/Services.h"

#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

struct TSummaryInput {
    TSongSummary summary;
    bool showAfterFileOpen = true; // the option the check box mirrors
};

struct TSummaryResult {
    std::optional<int> tab; // the chosen row's tab (1..16); none without a chosen row
    bool showAfterFileOpen = true;
};

class TfrmMixerSummary : public platform::ModalDialog {
    Q_OBJECT
public:
    explicit TfrmMixerSummary(const platform::Services &services, QWidget *parent = nullptr);

    TSummaryResult Ask(const TSummaryInput &in);

    // Esc and the close box act as OK, the one button.
    void reject() override { SetModalResult(platform::mrOk); }

protected:
    void FormActivate() override;

private:
    platform::Services services_;
    QLabel *Label1;
    QListWidget *ListBox1;
    QCheckBox *CheckBoxShowMixerAfterFileOpen;
    QPushButton *BitBtn1;
};
