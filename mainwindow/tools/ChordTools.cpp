#include "mainwindow/tools/ChordTools.h"

#include "dialogs/common/ProgramOptions.h"
#include "dialogs/rules/PickerRules.h"
#include "mainwindow/editor/EditorLines.h"
#include "mainwindow/live/LiveSounding.h"
#include "mainwindow/rules/FretboardModel.h"
#include "mainwindow/rules/SongChange.h"
#include "song/SongModel.h"

namespace {
// How long a chord of the calculator sounds.
constexpr int kChordSoundMs = 500;
} // namespace

TChordTools::TChordTools(TChordToolParts parts)
    : song_(parts.Song), options_(parts.Options), lines_(parts.Lines), calls_(std::move(parts.Calls)) {}

TChordCalcInput TChordTools::InputForCurrentTab() const {
    const TInstrumentTab &tab = song_.Current();
    TChordCalcInput in;
    in.kindText = std::string(KindText(tab.Kind));
    in.fretted = IsFretted(tab.Kind);
    in.line = song_.LineContext(song_.CurrentTab);
    in.tuningText = GetTuningText(tab);
    in.chordRoot = tab.ChordRoot;
    in.chordType = tab.ChordType;
    in.chordPosition = tab.ChordPosition;
    in.chordReach = tab.ChordReach;
    in.dotType = options_.DotID;
    in.voicings = song_.ChordVoicings[static_cast<size_t>(song_.CurrentTab - 1)];
    in.duration = calls_.CurrentDuration ? calls_.CurrentDuration() : "Q";
    in.userFormulaFolder = options_.WorkDir.toStdString();
    return in;
}

void TChordTools::OpenChordCalculator(const TMainDialogs &dialogs) {
    if ((calls_.Busy && calls_.Busy()) || !IsFretted(song_.Current().Kind) || !dialogs.chordCalc)
        return;
    const int tab = song_.CurrentTab;
    TChordCalcCalls calls;
    calls.insertLines = [this, tab](const std::vector<std::string> &lines) { InsertLines(tab, lines); };
    calls.playChord = [this](const TChordDat &chord) { PlayChord(chord); };
    if (dialogs.selectKey)
        calls.pickKey = [&dialogs](const std::string &caption) -> std::optional<std::string> {
            const std::optional<int> key = dialogs.selectKey(TKeyInput{caption});
            return key ? std::optional<std::string>(KeyName(*key)) : std::nullopt;
        };
    if (dialogs.selectChordType)
        calls.pickChordType = [&dialogs]() -> std::optional<std::string> {
            const std::optional<TChordTypeChoice> choice = dialogs.selectChordType();
            return choice ? std::optional<std::string>(ChordTypeName(choice->type)) : std::nullopt;
        };
    if (calls_.ShowDurationPicker)
        calls.pickDuration = [this] {
            calls_.ShowDurationPicker();
            return calls_.CurrentDuration ? calls_.CurrentDuration() : std::string("Q");
        };
    const std::optional<TChordCalcResult> result = dialogs.chordCalc(InputForCurrentTab(), calls);
    if (result) {
        TInstrumentTab &rec = song_.Tab(tab);
        rec.ChordRoot = result->chordRoot;
        rec.ChordType = result->chordType;
        rec.ChordPosition = result->chordPosition;
        rec.ChordReach = result->chordReach;
        options_.DotID = result->dotType;
        song_.ChordVoicings[static_cast<size_t>(tab - 1)] = result->voicings;
        if (calls_.SongChanged)
            calls_.SongChanged(tab, kChangedTabSettings, false);
    }
    if (calls_.FocusEditor)
        calls_.FocusEditor();
}

void InsertChordLines(TEditorLines &editor, const std::vector<std::string> &lines) {
    if (lines.empty())
        return;
    QStringList text;
    for (const std::string &line : lines)
        text << QString::fromStdString(line);
    if (editor.LineCount() == 0)
        text << QString();
    editor.InsertLine(editor.CurrentLine(), text.join(QLatin1Char('\n')));
}

void TChordTools::InsertLines(int tab, const std::vector<std::string> &lines) {
    InsertChordLines(lines_, lines);
    if (calls_.SongChanged)
        calls_.SongChanged(tab, kChangedLines, true);
}

void TChordTools::PlayChord(const TChordDat &chord) {
    TLiveSounding *sound = calls_.Sound ? calls_.Sound() : nullptr;
    if (!sound)
        return;
    if (calls_.EnterNestedLoop)
        calls_.EnterNestedLoop();
    sound->SendTabPatch(song_.Current());
    sound->SoundChordLive(song_, chord.Pitches, -1, -1, true, kChordSoundMs);
    if (calls_.LeaveNestedLoop)
        calls_.LeaveNestedLoop();
}
