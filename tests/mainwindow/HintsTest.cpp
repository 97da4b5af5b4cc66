// The pop-up hints of the main window's controls: each hinted control's text, the ones that
// tell a value following it, and none while hints are switched off.
#include "MainWindowFixture.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QSpinBox>

namespace {

// The hint a control shows when the pointer rests on it.
QString HintOf(TfrmMain &m, const char *name) {
    QWidget *w = Ctl<QWidget>(m, name);
    if (!w)
        return QStringLiteral("(no control)");
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), w->mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(w, &help);
    return w->toolTip();
}

struct THintRow {
    const char *control;
    const char *hint;
};

constexpr THintRow kHints[] = {
    {"lblTempo", "Tempo: 120"},
    {"LabelTimeSigLabel", "Time Sig: 4/4"},
    {"LabelSigUpper", "Time Sig: 4/4"},
    {"LabelSlash", "Time Sig: 4/4"},
    {"LabelSigLower", "Time Sig: 4/4"},
    {"EdtCountInbars", "Count-in bars: 1"},
    {"lblTranspose", "Transpose the whole song by half steps"},
    {"LabelOneTimeNoteSelector", "Pick the duration of the next note only"},
    {"LabelSetBookmark", "Mark the caret line as the bookmark"},
    {"LabelPlayfromBookmark", "Play the song from the bookmark"},
    {"LabelSave", "Save the song"},
    {"LabelSelectPatch", "Instrument: Acoustic Guitar (nylon)"},
    {"LabelSelectTuning", "Tuning: E A D G B E"},
    {"LabelAdvancedChordOptions", "Find chords for this instrument"},
    {"UpDownMixerChannel", "Channel: 6"},
    {"UpDownMixerVolume", "Volume: 100"},
    {"UpDownMixerDelay", "Delay: 0"},
    {"UpDownMixerKey", "Key: 0"},
    {"TrackBarMixerBalance", "Balance: 64"},
    {"LabelBalancePosition", "Balance: 64"},
    {"grpFRTPlay", "Play this instrument only"},
    {"GroupBoxPlayDrumGrid", "Play the drum grid only"},
    {"BitBtnPlayPattern", "Play the drum grid only"},
    {"ComboBoxJazzyFeel", "Feel: Regular"},
    {"ComboBoxBuiltInBeats", "Built-in beat: None"},
    {"BitBtnClearDisplayedPattern", "Clear the pattern shown in the grid"},
    {"BitBtnNextPattern", "Start a new pattern"},
    {"chkLoopDrumGrid", "Play the pattern again and again"},
    {"StringGridDrums", "The pattern: a row for each drum, a column for each step"},
};

TEST_F(MainWindowTest, HintedControlsTellTheirHintsAndTheValuesTheyShow) {
    TfrmMain &m = Make();
    m.show();
    m.FormActivate();
    ASSERT_TRUE(SelectTab(6)); // the guitar
    m.SetHintsVisible(true);
    for (const THintRow &row : kHints)
        EXPECT_EQ(HintOf(m, row.control), QString::fromUtf8(row.hint)) << row.control;
    // A hint that tells a value tells the one shown now.
    Ctl<QSpinBox>(m, "UpDownMixerVolume")->setValue(90);
    EXPECT_EQ(HintOf(m, "UpDownMixerVolume"), QStringLiteral("Volume: 90"));
    ASSERT_TRUE(SelectTab(11)); // the bass
    EXPECT_EQ(HintOf(m, "LabelSelectPatch"), Ctl<QLabel>(m, "LabelSelectPatch")->text());
    m.SetHintsVisible(false);
    for (const THintRow &row : kHints)
        EXPECT_TRUE(HintOf(m, row.control).isEmpty()) << row.control;
}

} // namespace
